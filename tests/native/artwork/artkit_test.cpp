// The conversion rule every skin image relies on: uncovered pixels become exact magenta, partly
// covered ones are blended against what will be behind them, and nothing drawn turns into the key.
#include <gtest/gtest.h>

#include "ArtKit.h"

namespace {

using skin::kMagenta;
using skin::MakeColour;
using skin::art::Canvas;
using skin::art::Rgb;

TEST(ArtKit, KeyedFlatteningBlendsEdgesAgainstTheBackgroundAndKeysTheRest) {
  Canvas canvas(4, 1);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, 1, 1);  // opaque white
  skin::art::SetColour(cr, Rgb(255, 255, 255));
  cairo_fill(cr);
  cairo_rectangle(cr, 1, 0, 1, 1);  // half-covered black
  skin::art::SetColour(cr, Rgb(0, 0, 0, 0.5));
  cairo_fill(cr);
  cairo_rectangle(cr, 2, 0, 1, 1);  // drawn in the key colour itself
  skin::art::SetColour(cr, Rgb(255, 0, 255));
  cairo_fill(cr);

  const skin::Colour background = MakeColour(200, 100, 0);
  const skin::PixelBuffer keyed = skin::art::FlattenKeyed(canvas, background);
  EXPECT_EQ(keyed.bitsPerPixel(), 24);
  EXPECT_EQ(keyed.Get(0, 0), MakeColour(255, 255, 255));
  EXPECT_EQ(keyed.Get(1, 0), MakeColour(100, 50, 0));
  EXPECT_NE(keyed.Get(2, 0), kMagenta) << "a drawn pixel never reads as transparent";
  EXPECT_EQ(keyed.Get(3, 0), kMagenta);

  const skin::PixelBuffer opaque = skin::art::FlattenOpaque(canvas, background);
  EXPECT_EQ(opaque.Get(3, 0), background);

  // Against a background image each pixel blends with its own background pixel.
  skin::PixelBuffer behind(4, 1, 24, MakeColour(0, 0, 200));
  EXPECT_EQ(skin::art::FlattenKeyed(canvas, behind).Get(1, 0), MakeColour(0, 0, 100));
  EXPECT_THROW(skin::art::FlattenKeyed(canvas, skin::PixelBuffer(3, 1, 24)), std::invalid_argument);
}

TEST(ArtKit, StraightAlphaUndoesThePremultiplication) {
  Canvas canvas(2, 1);
  cairo_rectangle(canvas.cr(), 0, 0, 1, 1);
  skin::art::SetColour(canvas.cr(), Rgb(200, 40, 20, 0.25));
  cairo_fill(canvas.cr());
  const skin::PixelBuffer image = skin::art::ToStraightAlpha(canvas);
  EXPECT_EQ(image.bitsPerPixel(), 32);
  EXPECT_NEAR(image.Alpha(0, 0), 64, 1);
  EXPECT_NEAR(skin::RedOf(image.Get(0, 0)), 200, 4);
  EXPECT_NEAR(skin::GreenOf(image.Get(0, 0)), 40, 4);
  EXPECT_EQ(image.Alpha(1, 0), 0);
  EXPECT_EQ(image.Get(1, 0), 0);
}

TEST(ArtKit, StripsJoinAndTurnWithoutLosingPixels) {
  skin::PixelBuffer a(2, 3, 24, MakeColour(1, 2, 3)), b(1, 3, 24, MakeColour(4, 5, 6));
  a.Set(1, 2, MakeColour(9, 9, 9));
  const skin::PixelBuffer joined = skin::art::JoinHorizontal({a, b});
  ASSERT_EQ(joined.width(), 3);
  EXPECT_EQ(joined.Get(1, 2), MakeColour(9, 9, 9));
  EXPECT_EQ(joined.Get(2, 0), MakeColour(4, 5, 6));
  EXPECT_TRUE(skin::art::Crop(joined, 0, 0, 2, 3) == a);
  const skin::PixelBuffer turned = skin::art::Transpose(a);
  ASSERT_EQ(turned.width(), 3);
  EXPECT_EQ(turned.Get(2, 1), MakeColour(9, 9, 9));
  EXPECT_TRUE(skin::art::Transpose(turned) == a);
  EXPECT_EQ(skin::art::JoinVertical({a, a}).height(), 6);
  EXPECT_THROW(skin::art::JoinHorizontal({a, skin::PixelBuffer(1, 2, 24)}), std::invalid_argument);
}

}  // namespace
