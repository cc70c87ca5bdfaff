// The primitives on framework canvases, bitmaps and controls draw what the HDC forms draw.
#include <gtest/gtest.h>

#include <cstring>

#include "ImagingTestSupport.h"
#include "skin/frame/CanvasPrimitives.h"
#include "ui/Application.h"
#include "ui/Bitmaps.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

using imagingtest::FirstDifference;
using skin::MakeColour;
using skin::PixelBuffer;

// A framework bitmap holding `pixels` (24-bit).
std::unique_ptr<ui::TBitmap> ToTBitmap(const PixelBuffer& pixels) {
  auto b =
      std::make_unique<ui::TBitmap>(pixels.width(), pixels.height(), ui::TPixelFormat::pf24bit);
  for (int y = 0; y < pixels.height(); ++y)
    std::memcpy(b->ScanLine(y), pixels.Row(y), static_cast<size_t>(pixels.width()) * 3);
  return b;
}

PixelBuffer PixelsOf(ui::TBitmap& b) { return skin::ConvertTo24(skin::ReadPixels(b.Handle())); }

TEST(CanvasPrimitives, BitmapCanvasGetsTheSamePixelsAsTheDcForm) {
  PixelBuffer src(12, 6, 24);
  src.FillRect(0, 0, 4, 6, MakeColour(200, 0, 0));
  src.FillRect(4, 0, 8, 6, MakeColour(0, 200, 0));
  src.FillRect(8, 0, 12, 6, skin::kMagenta);
  auto source = ToTBitmap(src);
  auto target = ToTBitmap(PixelBuffer(30, 10, 24, MakeColour(1, 2, 3)));
  skin::DrawNineSlice(*target->Canvas(), RECT{2, 2, 26, 8}, *source, false, false, true, 1, 1,
                      RECT{4, 0, 4, 0});

  // The same through the HDC form into a DIB of the same start.
  wintest::Dib32 dib(30, 10);
  dib.Fill(RGB(1, 2, 3));
  ui::GdiBitmap plain = skin::MakeBitmap(src);
  skin::DrawNineSlice(dib.dc(), RECT{2, 2, 26, 8}, plain.get(), false, false, true, 1, 1,
                      RECT{4, 0, 4, 0});
  EXPECT_EQ(FirstDifference(PixelsOf(*target), imagingtest::Capture(dib)), "");
  EXPECT_EQ(PixelsOf(*target).Get(25, 5), MakeColour(1, 2, 3));  // magenta right edge left out

  auto rendered =
      skin::RenderNineSlice(RECT{0, 0, 20, 6}, *source, RECT{4, 0, 4, 0}, false, false, 1, 1);
  ASSERT_TRUE(rendered);
  EXPECT_EQ(rendered->Width(), 20);
  EXPECT_EQ(PixelsOf(*rendered).Get(10, 3), MakeColour(0, 200, 0));
  EXPECT_FALSE(
      skin::RenderNineSlice(RECT{5, 0, 0, 6}, *source, RECT{4, 0, 4, 0}, false, false, 1, 1));

  ui::GdiRegion rgn = skin::BitmapToRegion(*source, 0, 0, 1, 1, 1, skin::kMagenta);
  RECT box;
  GetRgnBox(rgn.get(), &box);
  EXPECT_EQ(box.right, 8);
}

TEST(CanvasPrimitives, ControlShowsTheFormAndTheLabelUnderIt) {
  auto* form = new ui::TForm(nullptr);
  form->SetBounds(30, 30, 300, 200);
  auto* label = new ui::TLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 60, 20);
  label->SetColor(ui::clRed);
  auto* button = new ui::TButton(form);
  button->SetParent(form);
  button->SetBounds(40, 12, 80, 24);
  form->Handle();

  wintest::Dib32 under(80, 24);
  under.Fill(RGB(1, 1, 1));
  skin::PaintControlTo(*button, under.dc());
  EXPECT_EQ(under.Pixel(5, 5), RGB(255, 0, 0));  // the label at (45, 17) of the form
  EXPECT_NE(under.Pixel(60, 15), RGB(1, 1, 1));  // the form's own face, painted
  EXPECT_NE(under.Pixel(60, 15), RGB(255, 0, 0));
  // A control without a parent paints nothing.
  ui::TButton orphan(nullptr);
  wintest::Dib32 none(10, 10);
  none.Fill(RGB(1, 1, 1));
  skin::PaintControlTo(orphan, none.dc());
  EXPECT_EQ(none.Pixel(5, 5), RGB(1, 1, 1));
  delete form;
}

}  // namespace
