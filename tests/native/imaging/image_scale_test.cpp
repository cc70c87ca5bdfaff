// Skin images for other display scales: sharp at whole factors, smooth otherwise, with the
// transparent key kept apart from the colours and every frame of a strip kept whole.
#include <gtest/gtest.h>

#include "imaging/ImageScale.h"

namespace {

using skin::Colour;
using skin::MakeColour;
using skin::PixelBuffer;
using skin::Scale;

TEST(ImageScale, LengthsRoundHalfUpAndNeverVanish) {
  const Scale s150 = Scale::FromDpi(144), s125 = Scale::FromDpi(120);
  EXPECT_EQ(s150.num, 3);
  EXPECT_EQ(s150.den, 2);
  EXPECT_EQ(skin::ScaleLength(28, s150), 42);
  EXPECT_EQ(skin::ScaleLength(3, s150), 5);  // 4.5
  EXPECT_EQ(skin::ScaleLength(1, s125), 1);  // 1.25: a 1-pixel line stays
  EXPECT_EQ(skin::ScaleLength(0, s150), 0);
  EXPECT_EQ(skin::ScaleLength(-3, s150), -5);  // symmetric about 0
  EXPECT_EQ(skin::ScaleLength(28, Scale::FromDpi(168)), 49);
  EXPECT_EQ(skin::ScaleLength(2147483647, Scale{2, 1}), 2147483647);  // clamped, not wrapped
}

TEST(ImageScale, WholeFactorsReplicatePixels) {
  PixelBuffer src(3, 2, 32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      src.Set(x, y, MakeColour(10 * x, 20 * y, 7 * x + y));
      src.SetAlpha(x, y, static_cast<uint8_t>(40 * x + y));
    }
  const PixelBuffer out = skin::ScaleImage(src, Scale::FromDpi(192));
  ASSERT_EQ(out.width(), 6);
  ASSERT_EQ(out.height(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(out.Get(x, y), src.Get(x / 2, y / 2)) << x << "," << y;
      EXPECT_EQ(out.Alpha(x, y), src.Alpha(x / 2, y / 2)) << x << "," << y;
    }
}

// Greys on a magenta-keyed corner: any blend with the key would make red differ from green.
TEST(ImageScale, FilteringNeverBlendsTheKeyIntoAColour) {
  PixelBuffer src(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) src.Set(x, y, MakeColour(12 * x, 12 * x, 12 * x));
  src.FillRect(0, 0, 4, 4, skin::kMagenta);
  for (const int dpi : {120, 144, 168}) {
    const PixelBuffer out = skin::ScaleImage(src, Scale::FromDpi(dpi));
    EXPECT_EQ(out.width(), skin::ScaleLength(20, Scale::FromDpi(dpi)));
    int keyed = 0;
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x) {
        const Colour c = out.Get(x, y);
        if (c == skin::kMagenta) {
          ++keyed;
          continue;
        }
        EXPECT_TRUE(skin::RedOf(c) == skin::GreenOf(c) && skin::GreenOf(c) == skin::BlueOf(c))
            << dpi << " dpi: " << x << "," << y << " blends the key";
      }
    // The mask scales with the image: the 4 x 4 corner stays a square of the scaled side.
    const int side = skin::ScaleLength(4, Scale::FromDpi(dpi));
    EXPECT_NEAR(keyed, side * side, 2 * side) << dpi;
    EXPECT_EQ(out.Get(0, 0), skin::kMagenta);
    EXPECT_NE(out.Get(out.width() - 1, out.height() - 1), skin::kMagenta);
  }
}

TEST(ImageScale, StripsKeepTheirFramesWholeAndApart) {
  // Five flat frames side by side, and three stacked.
  PixelBuffer strip(5 * 7, 9);
  for (int i = 0; i < 5; ++i) strip.FillRect(i * 7, 0, i * 7 + 7, 9, MakeColour(40 * i, 0, 99));
  PixelBuffer stacked(6, 3 * 5);
  for (int i = 0; i < 3; ++i) stacked.FillRect(0, i * 5, 6, i * 5 + 5, MakeColour(0, 70 * i, 5));
  const Scale s = Scale::FromDpi(120);  // 7 -> 9, 9 -> 11, 5 -> 6
  const PixelBuffer out = skin::ScaleImage(strip, s, 5);
  ASSERT_EQ(out.width(), 5 * 9);
  ASSERT_EQ(out.height(), 11);
  for (int x = 0; x < out.width(); ++x)
    for (int y = 0; y < out.height(); ++y)
      ASSERT_EQ(out.Get(x, y), MakeColour(40 * (x / 9), 0, 99)) << x << "," << y;
  const PixelBuffer tall = skin::ScaleImage(stacked, s, 3, true);
  ASSERT_EQ(tall.height(), 3 * 6);
  for (int y = 0; y < tall.height(); ++y) ASSERT_EQ(tall.Get(3, y), MakeColour(0, 70 * (y / 6), 5));
  // A count that does not divide the strip scales it as one image.
  EXPECT_EQ(skin::ScaleImage(strip, s, 4).width(), skin::ScaleLength(35, s));
}

}  // namespace
