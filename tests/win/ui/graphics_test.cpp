// Bitmaps (BMP data, bad input, pixel formats, transparency), canvases and the icon answer of
// the application window.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ui/Application.h"
#include "ui/Bitmaps.h"
#include "ui/ImgList.h"

namespace {

std::vector<uint8_t> SavedBmp(ui::TBitmap& bmp) {
  ui::TMemoryStream s;
  bmp.SaveToStream(s);
  return s.Bytes();
}

void Load(ui::TBitmap& bmp, const std::vector<uint8_t>& bytes) {
  ui::TMemoryStream s;
  if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(0);
  bmp.LoadFromStream(s);
}

// 4 × 3 magenta with a blue top-right pixel.
void PaintTwoColour(ui::TBitmap& bmp) {
  bmp.SetSize(4, 3);
  RECT all{0, 0, 4, 3};
  bmp.Canvas()->Brush()->SetColor(ui::clFuchsia);
  bmp.Canvas()->FillRect(all);
  bmp.Canvas()->SetPixel(3, 0, ui::clBlue);
}

}  // namespace

TEST(Bitmaps, SavedImagesLoadBackPixelForPixelWithRowsFromTheTop) {
  ui::TBitmap source;
  PaintTwoColour(source);
  std::vector<uint8_t> bytes = SavedBmp(source);
  ui::TBitmap loaded;
  Load(loaded, bytes);
  ASSERT_EQ(loaded.Width(), 4);
  ASSERT_EQ(loaded.Height(), 3);
  EXPECT_EQ(loaded.PixelFormat(), ui::TPixelFormat::pf24bit);
  EXPECT_EQ(loaded.Canvas()->Pixel(3, 0), RGB(0, 0, 255));
  EXPECT_EQ(loaded.Canvas()->Pixel(0, 2), RGB(255, 0, 255));
  const uint8_t* row0 = loaded.ScanLine(0);  // BGR
  EXPECT_EQ(row0[9], 255);
  EXPECT_EQ(row0[10], 0);
  EXPECT_EQ(row0[11], 0);
  EXPECT_THROW(loaded.ScanLine(3), ui::EInvalidGraphic);
}

TEST(Bitmaps, DamagedDataIsRefusedWithTheDecodersError) {
  ui::TBitmap source;
  PaintTwoColour(source);
  std::vector<uint8_t> good = SavedBmp(source);
  ui::TBitmap bmp;

  std::vector<uint8_t> truncated(good.begin(), good.end() - 5);
  EXPECT_THROW(Load(bmp, truncated), ui::EInvalidGraphic);
  EXPECT_THROW(Load(bmp, {}), ui::EInvalidGraphic);

  std::vector<uint8_t> badMagic = good;
  badMagic[0] = 'X';
  EXPECT_THROW(Load(bmp, badMagic), ui::EInvalidGraphic);

  std::vector<uint8_t> huge = good;
  int32_t width = 1 << 20;
  std::memcpy(&huge[18], &width, 4);  // a width far beyond the pixels that follow
  EXPECT_THROW(Load(bmp, huge), ui::EInvalidGraphic);

  std::vector<uint8_t> farOffset = good;
  uint32_t offset = 0x7FFFFFF0;
  std::memcpy(&farOffset[10], &offset, 4);
  EXPECT_THROW(Load(bmp, farOffset), ui::EInvalidGraphic);

  std::vector<uint8_t> oddDepth = good;
  oddDepth[28] = 7;
  EXPECT_THROW(Load(bmp, oddDepth), ui::EInvalidGraphic);

  // A failed load leaves a usable bitmap behind.
  Load(bmp, good);
  EXPECT_EQ(bmp.Width(), 4);
}

TEST(Bitmaps, ChangingFormatOrSizeKeepsTheImage) {
  ui::TBitmap bmp;
  PaintTwoColour(bmp);
  bmp.SetPixelFormat(ui::TPixelFormat::pf32bit);
  EXPECT_EQ(bmp.Canvas()->Pixel(3, 0), RGB(0, 0, 255));
  bmp.SetPixelFormat(ui::TPixelFormat::pf16bit);
  EXPECT_EQ(bmp.Canvas()->Pixel(3, 0), RGB(0, 0, 255));
  bmp.SetPixelFormat(ui::TPixelFormat::pf24bit);
  bmp.SetSize(8, 8);
  EXPECT_EQ(bmp.Canvas()->Pixel(3, 0), RGB(0, 0, 255));
  EXPECT_EQ(bmp.Canvas()->Pixel(7, 7), RGB(0, 0, 0));
  ui::TBitmap copy;
  copy.Assign(bmp);
  EXPECT_EQ(copy.Canvas()->Pixel(0, 1), RGB(255, 0, 255));
}

TEST(Bitmaps, TransparentDrawingLeavesTheKeyColourOut) {
  ui::TBitmap glyph;
  PaintTwoColour(glyph);
  glyph.SetTransparent(true);
  EXPECT_EQ(glyph.TransparentColor(), 0xFF00FF);  // automatic: the bottom-left pixel
  ui::TBitmap target(4, 3);
  RECT all{0, 0, 4, 3};
  target.Canvas()->Brush()->SetColor(ui::clWhite);
  target.Canvas()->FillRect(all);
  target.Canvas()->Draw(0, 0, &glyph);
  EXPECT_EQ(target.Canvas()->Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(target.Canvas()->Pixel(3, 0), RGB(0, 0, 255));
}

TEST(Bitmaps, CanvasObjectsChangeWithoutLeakingHandles) {
  long before = ui::HandleCounts::Total();
  {
    ui::TBitmap bmp(16, 16);
    ui::TCanvas* c = bmp.Canvas();
    for (int i = 0; i < 20; ++i) {
      c->Font()->SetHeight(-10 - i);
      c->Brush()->SetColor(RGB(i, 0, 0));
      c->Pen()->SetColor(RGB(0, i, 0));
      c->TextOut(0, 0, L"x");
      c->Rectangle(0, 0, 4, 4);
    }
    EXPECT_GT(c->TextHeight(L"0"), 0);
  }
  EXPECT_EQ(ui::HandleCounts::Total(), before);
}

// A brush handed to a canvas is used, not owned: it survives being replaced and the canvas's end.
TEST(Bitmaps, ABrushGivenToACanvasStaysItsOwners) {
  HBRUSH given = CreateSolidBrush(RGB(0, 0x80, 0));
  ASSERT_NE(given, nullptr);
  {
    ui::TBitmap bmp(4, 4);
    ui::TCanvas* c = bmp.Canvas();
    c->Brush()->SetHandle(given);
    EXPECT_EQ(c->Brush()->Handle(), given);
    RECT all{0, 0, 4, 4};
    c->FillRect(all);
    EXPECT_EQ(c->Pixel(1, 1), RGB(0, 0x80, 0));
    c->Brush()->SetColor(ui::clRed);
    EXPECT_NE(c->Brush()->Handle(), given);
    EXPECT_EQ(GetObjectType(given), static_cast<DWORD>(OBJ_BRUSH));
    c->Brush()->SetHandle(given);
    c->FillRect(all);  // selected into the canvas's DC when the canvas goes
  }
  EXPECT_EQ(GetObjectType(given), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_TRUE(DeleteObject(given));
}

TEST(Bitmaps, ImageListTakesAStripAndDrawsEnabledAndDisabled) {
  ui::TImageList list(nullptr, 2, 3);
  ui::TBitmap strip;  // 4 wide: two images
  PaintTwoColour(strip);
  EXPECT_EQ(list.AddMasked(&strip, ui::clDefault), 0);
  EXPECT_EQ(list.Count(), 2);
  ui::TBitmap target(2, 3);
  RECT all{0, 0, 2, 3};
  target.Canvas()->Brush()->SetColor(ui::clWhite);
  target.Canvas()->FillRect(all);
  list.Draw(target.Canvas(), 0, 0, 1, true);
  EXPECT_EQ(target.Canvas()->Pixel(1, 0), RGB(0, 0, 255));
  EXPECT_EQ(target.Canvas()->Pixel(0, 2), RGB(255, 255, 255));  // masked out
  list.Draw(target.Canvas(), 0, 0, 1, false);
  EXPECT_NE(target.Canvas()->Pixel(1, 0), RGB(0, 0, 255));  // disabled looks different
}

TEST(Bitmaps, ImageListMasksTheSeeThroughPixelsOfAnAlphaImage) {
  ui::TBitmap strip(4, 3, ui::TPixelFormat::pf32bit);  // all black and see-through
  uint8_t* row = strip.ScanLine(0);
  row[3 * 4 + 0] = 255;  // top-right: opaque blue
  row[3 * 4 + 3] = 255;
  ui::TImageList list(nullptr, 2, 3);
  list.AddMasked(&strip, 0xFF00FF);  // no magenta in it: the alpha makes the mask
  ui::TBitmap target(2, 3);
  RECT all{0, 0, 2, 3};
  target.Canvas()->Brush()->SetColor(ui::clWhite);
  target.Canvas()->FillRect(all);
  list.Draw(target.Canvas(), 0, 0, 1, true);
  EXPECT_EQ(target.Canvas()->Pixel(1, 0), RGB(0, 0, 255));
  EXPECT_EQ(target.Canvas()->Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(target.Canvas()->Pixel(1, 2), RGB(255, 255, 255));
}

TEST(Application, TheHiddenWindowAnswersWithTheApplicationIcon) {
  ui::Application->SetTitle(L"Tarvimo商品前十销量查询器");
  HICON icon = CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
  ui::Application->Icon()->SetHandle(icon);
  ui::Application->IconChanged();
  HWND wnd = ui::Application->Handle();
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(wnd, WM_GETICON, ICON_BIG, 0)), icon);
  wchar_t title[64];
  GetWindowTextW(wnd, title, 64);
  EXPECT_STREQ(title, L"Tarvimo商品前十销量查询器");
}
