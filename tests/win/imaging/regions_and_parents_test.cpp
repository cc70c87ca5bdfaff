// Bitmap-to-region, painting a control's parent into a foreign DC, the HBITMAP routines, and the
// promise that none of the primitives keeps a GDI object.
#include <gtest/gtest.h>

#include <vector>

#include "ImagingTestSupport.h"
#include "skin/frame/PaintPrimitives.h"
#include "imaging/RegionRuns.h"

namespace {

using imagingtest::Capture;
using imagingtest::FirstDifference;
using skin::Colour;
using skin::MakeColour;
using skin::PixelBuffer;

std::vector<RECT> RegionRects(HRGN rgn) {
  const DWORD size = GetRegionData(rgn, 0, nullptr);
  std::vector<uint8_t> data(size);
  auto* r = reinterpret_cast<RGNDATA*>(data.data());
  if (!size || !GetRegionData(rgn, size, r)) return {};
  const RECT* rects = reinterpret_cast<const RECT*>(r->Buffer);
  return {rects, rects + r->rdh.nCount};
}

TEST(Regions, OpaqueRunsBecomeTheRegionWithNearMagentaLeftOut) {
  PixelBuffer img(6, 3, 24, skin::kMagenta);
  img.FillRect(1, 0, 4, 1, 0);
  img.Set(2, 0, MakeColour(255, 1, 255));             // transparent under tolerance 1
  img.FillRect(0, 2, 6, 3, MakeColour(255, 2, 255));  // just outside the band: opaque
  ui::GdiBitmap bmp = skin::MakeBitmap(img);
  ui::GdiRegion rgn = skin::BitmapToRegion(bmp.get(), 10, 20, 1, 1, 1, skin::kMagenta);
  ASSERT_TRUE(rgn);
  const std::vector<RECT> rects = RegionRects(rgn.get());
  ASSERT_EQ(rects.size(), 3u);
  const RECT want[] = {{11, 20, 12, 21}, {13, 20, 14, 21}, {10, 22, 16, 23}};
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(EqualRect(&rects[i], &want[i])) << i;
}

TEST(Regions, AllMagentaGivesAnEmptyRegion) {
  ui::GdiBitmap bmp = skin::MakeBitmap(PixelBuffer(40, 30, 24, skin::kMagenta));
  ui::GdiRegion rgn = skin::BitmapToRegion(bmp.get(), 0, 0, 1, 1, 1, skin::kMagenta);
  ASSERT_TRUE(rgn);
  RECT box;
  EXPECT_EQ(GetRgnBox(rgn.get(), &box), NULLREGION);
  // Nothing to read is not the same as nothing opaque: no region at all.
  EXPECT_FALSE(skin::BitmapToRegion(nullptr, 0, 0, 1, 1, 1, skin::kMagenta));
}

TEST(Regions, ManyBatchesUniteToEveryOpaquePixel) {
  // A 614 x 40 frame border with a checkered edge: more than 2000 runs, several batches.
  PixelBuffer img(614, 40, 32, MakeColour(10, 20, 30));
  for (int y = 0; y < 40; ++y)
    for (int x = y & 1; x < 614; x += 4) img.Set(x, y, skin::kMagenta);
  ASSERT_GT(
      skin::ExtractRegionRuns(img, 0, 0, skin::TransparentBand(skin::kMagenta, 1, 1, 1)).size(),
      2u);
  ui::GdiBitmap bmp = skin::MakeBitmap(img);
  ui::GdiRegion rgn = skin::BitmapToRegion(bmp.get(), 0, 0, 1, 1, 1, skin::kMagenta);
  int wrong = 0;
  for (int y = -1; y <= 40; ++y)
    for (int x = -1; x <= 614; ++x) {
      const bool opaque = x >= 0 && y >= 0 && x < 614 && y < 40 && img.Get(x, y) != skin::kMagenta;
      wrong += (PtInRegion(rgn.get(), x, y) != FALSE) != opaque;
    }
  EXPECT_EQ(wrong, 0);
}

// --- PaintControlTo
// -------------------------------------------------------------------------------

constexpr COLORREF kParentBackground = RGB(0x30, 0x60, 0x90);

// The parent's face: stripes of colour along x and y, so every pixel tells its position.
void PaintFace(HDC dc) {
  for (int y = 0; y < 120; y += 6)
    for (int x = 0; x < 160; x += 5) {
      RECT r{x, y, x + 5, y + 3};
      ui::GdiBrush brush(CreateSolidBrush(RGB(x, y * 2, 128)));
      FillRect(dc, &r, brush.get());
    }
}

LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(wnd, &r);
      ui::GdiBrush brush(CreateSolidBrush(kParentBackground));
      FillRect(reinterpret_cast<HDC>(wp), &r, brush.get());
      return 1;
    }
    case WM_PAINT:
      // Framework windows paint into the DC they are given in wParam.
      if (wp) {
        PaintFace(reinterpret_cast<HDC>(wp));
      } else {
        ui::PaintDC dc(wnd);
        PaintFace(dc.get());
      }
      return 0;
    case WM_PRINTCLIENT:
      PaintFace(reinterpret_cast<HDC>(wp));
      return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

class ParentWithChild {
 public:
  ParentWithChild() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ImagingTestParent";
    RegisterClassW(&wc);
    parent_ = CreateWindowExW(0, wc.lpszClassName, L"parent", WS_POPUP, 40, 40, 160, 120, nullptr,
                              nullptr, wc.hInstance, nullptr);
    child_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 33, 21, 40, 25,
                             parent_, nullptr, wc.hInstance, nullptr);
  }
  ~ParentWithChild() {
    if (parent_) DestroyWindow(parent_);
  }
  HWND parent() const { return parent_; }
  HWND child() const { return child_; }

 private:
  HWND parent_ = nullptr, child_ = nullptr;
};

TEST(PaintControlTo, ReproducesTheParentsPixelsUnderTheControl) {
  ParentWithChild w;
  ASSERT_TRUE(w.child());
  // The parent as a whole, painted directly.
  wintest::Dib32 whole(160, 120);
  SendMessageW(w.parent(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(whole.dc()), 0);
  PaintFace(whole.dc());
  RECT client;
  GetClientRect(w.child(), &client);
  for (auto how : {skin::ParentPaint::Paint, skin::ParentPaint::PrintClient}) {
    wintest::Dib32 under(60, 40);
    under.Fill(RGB(1, 1, 1));
    skin::PaintControlTo(w.child(), under.dc(), how);
    int wrong = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) {
        const bool inside = x < client.right && y < client.bottom;
        const COLORREF want = inside ? whole.Pixel(33 + x, 21 + y) : RGB(1, 1, 1);
        wrong += under.Pixel(x, y) != want;
      }
    EXPECT_EQ(wrong, 0);
    // The DC comes back with its origin and clip as they were.
    POINT origin;
    GetViewportOrgEx(under.dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT clip;
    GetClipBox(under.dc(), &clip);
    EXPECT_EQ(clip.right, 60);
    EXPECT_EQ(clip.bottom, 40);
  }
}

TEST(PaintControlTo, TopLevelWindowsHaveNoParentToPaint) {
  ParentWithChild w;
  wintest::Dib32 dib(10, 10);
  dib.Fill(RGB(1, 1, 1));
  skin::PaintControlTo(w.parent(), dib.dc());
  EXPECT_EQ(dib.Pixel(5, 5), RGB(1, 1, 1));
}

// --- HBITMAP routines ---------------------------------------------------------------------------

TEST(BitmapRoutines, HBitmapVersionsAgreeWithThePortableOnes) {
  PixelBuffer img(5, 3, 24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) img.Set(x, y, MakeColour(x * 50, y * 100, 7));
  img.Set(2, 1, skin::kMagenta);

  ui::GdiBitmap bmp = skin::MakeBitmap(img);
  EXPECT_EQ(FirstDifference(skin::ConvertTo24(skin::ReadPixels(bmp.get())), img), "");

  auto check = [&](auto gdi, auto portable, const char* what) {
    ui::GdiBitmap b = skin::MakeBitmap(img);
    gdi(b);
    PixelBuffer want = img;
    portable(want);
    BITMAP info{};
    GetObjectW(b.get(), sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 24) << what;
    EXPECT_EQ(FirstDifference(skin::ConvertTo24(skin::ReadPixels(b.get())), want), "") << what;
  };
  check([](ui::GdiBitmap& b) { skin::RotateLeft(b); }, [](PixelBuffer& p) { skin::RotateLeft(p); },
        "RotateLeft");
  check([](ui::GdiBitmap& b) { skin::RotateRight(b); },
        [](PixelBuffer& p) { skin::RotateRight(p); }, "RotateRight");
  check([](ui::GdiBitmap& b) { skin::MirrorHorizontal(b); },
        [](PixelBuffer& p) { skin::MirrorHorizontal(p); }, "MirrorHorizontal");
  check([](ui::GdiBitmap& b) { skin::FlipVertical(b); },
        [](PixelBuffer& p) { skin::FlipVertical(p); }, "FlipVertical");
  check([](ui::GdiBitmap& b) { skin::ReplaceMagenta(b, MakeColour(1, 2, 3)); },
        [](PixelBuffer& p) { skin::ReplaceMagenta(p, MakeColour(1, 2, 3)); }, "ReplaceMagenta");

  ui::GdiBitmap round = skin::MakeBitmap(img);
  skin::RotateLeft(round);
  skin::RotateRight(round);
  EXPECT_EQ(FirstDifference(skin::ConvertTo24(skin::ReadPixels(round.get())), img), "");
}

TEST(BitmapRoutines, BlendResolvesSystemColours) {
  const Colour face = static_cast<Colour>(0x80000000 | COLOR_BTNFACE);
  EXPECT_EQ(skin::Blend(face, 0xFFFFFF, 50),
            skin::BlendRgb(static_cast<Colour>(GetSysColor(COLOR_BTNFACE)), 0xFFFFFF, 50));
  EXPECT_EQ(skin::ColorToRGB(face), static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));
}

// --- Nothing is kept ----------------------------------------------------------------------------

TEST(Leaks, ThousandCallsOfEachPrimitiveGiveEveryGdiObjectBack) {
  PixelBuffer img(30, 20, 24, MakeColour(50, 60, 70));
  img.FillRect(0, 0, 4, 4, skin::kMagenta);
  ui::GdiBitmap bmp = skin::MakeBitmap(img);
  ParentWithChild w;
  wintest::Dib32 canvas(80, 60);
  const RECT dst{2, 2, 70, 50};
  const RECT margins{4, 4, 4, 4};
  auto everything = [&] {
    skin::DrawNineSlice(canvas.dc(), dst, bmp.get(), false, true, true, 2, 1, margins);
    skin::DrawNineSlice(canvas.dc(), dst, bmp.get(), true, false, false, 2, 2, margins);
    skin::DrawThreePartStrip(canvas.dc(), dst, bmp.get(), false, true, 2, 1, margins);
    skin::DrawFrame(canvas.dc(), dst, bmp.get(), true, 2, 2);
    skin::DrawFrameCentred(canvas.dc(), dst, bmp.get(), true, 2, 1);
    skin::TransparentBlit(canvas.dc(), dst, bmp.get(), skin::kMagenta);
    skin::TileBitmap(canvas.dc(), dst, bmp.get(), RECT{1, 1, 7, 6});
    skin::GradientFill(canvas.dc(), RECT{0, 0, 10, 40}, 0, true, 0xFFFFFF);
    ui::GdiRegion rgn = skin::BitmapToRegion(bmp.get(), 0, 0, 1, 1, 1, skin::kMagenta);
    skin::PaintControlTo(w.child(), canvas.dc());
    ui::GdiBitmap turned = skin::MakeBitmap(img);
    skin::RotateLeft(turned);
  };
  everything();  // warm-up: the system allocates its own tables once
  const long gdiBefore = wintest::LiveGdiObjects();
  const long ownedBefore = ui::HandleCounts::Total();
  for (int i = 0; i < 1000; ++i) everything();
  EXPECT_EQ(ui::HandleCounts::Total(), ownedBefore);
  if (gdiBefore >= 0) {
    EXPECT_EQ(wintest::LiveGdiObjects(), gdiBefore);
  }
}

}  // namespace
