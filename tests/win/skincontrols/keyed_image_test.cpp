// Skin pieces drawn with magenta left out from a prepared mask: what lies under the key stays,
// every other pixel is the piece's, at widths that do not fill a mask row's last word, and
// repeated draws make nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/PaintPlans.h"
#include "skin/controls/SkinnerHelpers.h"
#include "support/WinTestSupport.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kUnder = RGB(10, 20, 200);

// A strip of two 7 x 5 frames: frame 1 red with a magenta left column, frame 2 green with a
// magenta top row; every frame has one pixel in each of the other colours at (3, 2).
ui::GdiBitmap Strip() {
  wintest::Dib32 dib(14, 5);
  for (int frame = 0; frame < 2; ++frame)
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        COLORREF c = frame == 0 ? RGB(200, 0, 0) : RGB(0, 180, 0);
        if ((frame == 0 && x == 0) || (frame == 1 && y == 0)) c = kMagenta;
        if (x == 3 && y == 2) c = RGB(1, 2, 3);
        SetPixel(dib.dc(), frame * 7 + x, y, c);
      }
  HDC screen = GetDC(nullptr);
  ui::GdiBitmap copy(CreateCompatibleBitmap(screen, 14, 5));
  ReleaseDC(nullptr, screen);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, copy.get());
  BitBlt(mem, 0, 0, 14, 5, dib.dc(), 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  return copy;
}

TEST(KeyedImages, TheKeyShowsWhatLiesUnderAndTheRestIsThePiece) {
  const ui::GdiBitmap strip = Strip();
  const skin::ImageDC image(strip.get());
  skin::KeyedImageCache cache;
  wintest::Dib32 target(60, 30);
  // Frame 1 stretched three times across (21 wide: a mask row of two words, five bits unused).
  const skin::PaintPlan wide = skin::PlanFrame(14, 5, 21, 5, 2, 1);
  const skin::PaintPlan second = skin::PlanFrame(14, 5, 7, 5, 2, 2);
  const auto drawBoth = [&] {
    target.Fill(kUnder);
    ASSERT_TRUE(cache.Draw(target.dc(), 4, 3, 21, 5, image, wide));
    ASSERT_TRUE(cache.Draw(target.dc(), 40, 20, 7, 5, image, second));
  };
  drawBoth();
  for (int x = 0; x < 3; ++x) EXPECT_EQ(target.Pixel(4 + x, 5), kUnder) << x;  // the key column
  EXPECT_EQ(target.Pixel(4 + 3, 5), RGB(200, 0, 0));
  EXPECT_EQ(target.Pixel(4 + 20, 7), RGB(200, 0, 0));  // the last column, past the first word
  EXPECT_EQ(target.Pixel(4 + 21, 5), kUnder);          // beyond the piece
  EXPECT_EQ(target.Pixel(4 + 9, 5), RGB(1, 2, 3));     // dark pixels are not taken for the key
  EXPECT_EQ(target.Pixel(43, 20), kUnder);             // frame 2's key row
  EXPECT_EQ(target.Pixel(43, 21), RGB(0, 180, 0));
  EXPECT_EQ(target.Pixel(43, 22), RGB(1, 2, 3));

  // Drawn again and again from the prepared pieces: the same pixels, no object made.
  const long before = wintest::LiveGdiObjects();
  for (int i = 0; i < 50; ++i) drawBoth();
  EXPECT_EQ(wintest::LiveGdiObjects(), before);
  EXPECT_EQ(target.Pixel(4, 5), kUnder);
  EXPECT_EQ(target.Pixel(43, 21), RGB(0, 180, 0));
}

}  // namespace
