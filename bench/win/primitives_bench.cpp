// Per-call cost of the painting primitives under GDI, each next to a plain BitBlt of the same size
// in the same run (the ratio is the figure; the machines are shared and noisy).
#include <windows.h>

#include <cstdio>
#include <functional>

#include "BenchLine.h"
#include "BenchSupport.h"
#include "skin/data/ImgUtilGdi.h"
#include "skin/frame/PaintPrimitives.h"

namespace {

using bench::MicrosPerCall;

skin::PixelBuffer Picture(int w, int h) {
  skin::PixelBuffer p(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.Set(x, y, skin::MakeColour(x * 7, y * 3, (x ^ y) & 0xFF));
  return p;
}

// A screen-compatible target with its own memory DC, as painters draw into.
class Target {
 public:
  Target(int w, int h) : dc_(ui::MakeMemoryDC()) {
    ui::WindowDC screen = ui::WindowDC::Client(nullptr);
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), w, h));
    old_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~Target() { SelectObject(dc_.get(), old_); }
  HDC dc() const { return dc_.get(); }

 private:
  ui::MemoryDC dc_;
  ui::GdiBitmap bitmap_;
  HGDIOBJ old_;
};

// BitBlt of a w x h bitmap into the target: the baseline each primitive is measured against.
double BitBltCost(HDC target, int w, int h) {
  ui::GdiBitmap src = skin::MakeBitmap(Picture(w, h));
  ui::MemoryDC dc = ui::MakeMemoryDC();
  ui::SelectGuard select(dc.get(), src.get());
  return MicrosPerCall([&] { BitBlt(target, 0, 0, w, h, dc.get(), 0, 0, SRCCOPY); });
}

void Row(const char* what, double us, double baseline) {
  std::printf("%-40s %9.1f us  %7.1fx BitBlt (%.1f us)\n", what, us, us / baseline, baseline);
  BenchLine("primitives", what, us, "us", "BitBlt of the same size", baseline);
}

}  // namespace

int main() {
  Target target(700, 560);
  const HDC dc = target.dc();

  // Caption strip: three 60 x 28 frames, margins 20/4/20/4, drawn 632 wide.
  skin::PixelBuffer captionPixels = Picture(180, 28);
  captionPixels.FillRect(0, 0, 3, 3, skin::kMagenta);
  ui::GdiBitmap caption = skin::MakeBitmap(captionPixels);
  const double blitCaption = BitBltCost(dc, 632, 28);
  const RECT captionRect{0, 0, 632, 28};
  const RECT captionMargins{20, 4, 20, 4};
  Row("RenderNineSlice 632x28 caption", MicrosPerCall([&] {
        ui::GdiBitmap b =
            skin::RenderNineSlice(captionRect, caption.get(), captionMargins, false, false, 3, 2);
      }),
      blitCaption);
  Row("DrawNineSlice 632x28 caption", MicrosPerCall([&] {
        skin::DrawNineSlice(dc, captionRect, caption.get(), false, false, false, 3, 2,
                            captionMargins);
      }),
      blitCaption);
  Row("DrawNineSlice 632x28 transparent", MicrosPerCall([&] {
        skin::DrawNineSlice(dc, captionRect, caption.get(), false, false, true, 3, 2,
                            captionMargins);
      }),
      blitCaption);
  Row("DrawNineSlice 632x28 tiled centre", MicrosPerCall([&] {
        skin::DrawNineSlice(dc, captionRect, caption.get(), false, true, false, 3, 2,
                            captionMargins);
      }),
      blitCaption);

  // Push button: five 20 x 21 frames, margins 3, drawn 75 x 25.
  ui::GdiBitmap button = skin::MakeBitmap(Picture(100, 21));
  const double blitButton = BitBltCost(dc, 75, 25);
  const RECT buttonRect{10, 10, 85, 35};
  const RECT buttonMargins{3, 3, 3, 3};
  Row("RenderNineSlice 75x25 button", MicrosPerCall([&] {
        ui::GdiBitmap b = skin::RenderNineSlice(RECT{0, 0, 75, 25}, button.get(), buttonMargins,
                                                false, false, 5, 2);
      }),
      blitButton);
  Row("DrawNineSlice 75x25 button", MicrosPerCall([&] {
        skin::DrawNineSlice(dc, buttonRect, button.get(), false, false, false, 5, 2, buttonMargins);
      }),
      blitButton);
  Row("DrawNineSlice 75x25 button transparent", MicrosPerCall([&] {
        skin::DrawNineSlice(dc, buttonRect, button.get(), false, false, true, 5, 2, buttonMargins);
      }),
      blitButton);
  ui::GdiBitmap glyph = skin::MakeBitmap(Picture(75, 25));
  Row("TransparentBlit 75x25",
      MicrosPerCall([&] { skin::TransparentBlit(dc, buttonRect, glyph.get(), skin::kMagenta); }),
      blitButton);
  Row("DrawThreePartStrip 75x25", MicrosPerCall([&] {
        skin::DrawThreePartStrip(dc, buttonRect, button.get(), false, false, 5, 2, buttonMargins);
      }),
      blitButton);

  // Frame borders of a 614 x 512 window: caption with rounded corners, 4-pixel sides.
  skin::PixelBuffer framePixels(614, 512, 24, skin::kMagenta);
  framePixels.FillRect(4, 0, 610, 30, 0x336699);
  framePixels.FillRect(0, 4, 614, 512, 0x336699);
  framePixels.FillRect(4, 30, 610, 508, skin::kMagenta);
  ui::GdiBitmap frame = skin::MakeBitmap(framePixels);
  Row("BitmapToRegion 614x512 frame borders", MicrosPerCall([&] {
        ui::GdiRegion r = skin::BitmapToRegion(frame.get(), 0, 0, 1, 1, 1, skin::kMagenta);
      }),
      BitBltCost(dc, 614, 512));

  // Toolbar image gradient.
  Row("GradientFill 10x40 vertical", MicrosPerCall([&] {
        skin::GradientFill(dc, RECT{0, 0, 10, 40}, 0x203040, true, 0xF0E0D0);
      }),
      BitBltCost(dc, 10, 40));
  return 0;
}
