// Skin images for other display scales: sharp at whole factors, smooth otherwise, with the
// transparent key kept apart from the colours and every frame of a strip kept whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

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

// A one-pixel dark outline is as dark on the top and left edges as on the bottom and right: the
// sampling point never moves past the first pixel's centre into the light inside.
TEST(ImageScale, EdgePixelsAreNotBlendedWithTheirInnerNeighbours) {
  for (const int bpp : {24, 32}) {
    PixelBuffer src(6, 6, bpp, MakeColour(240, 240, 240));
    src.FillRect(0, 0, 6, 1, 0), src.FillRect(0, 5, 6, 6, 0);
    src.FillRect(0, 0, 1, 6, 0), src.FillRect(5, 0, 6, 6, 0);
    for (const int dpi : {120, 144, 168}) {
      const PixelBuffer out = skin::ScaleImage(src, Scale::FromDpi(dpi));
      const int last = out.width() - 1, mid = out.width() / 2;
      EXPECT_EQ(out.Get(0, mid), 0) << bpp << " bits, " << dpi << " dpi";
      EXPECT_EQ(out.Get(mid, 0), 0) << bpp << " bits, " << dpi << " dpi";
      EXPECT_EQ(out.Get(last, mid), 0) << bpp << " bits, " << dpi << " dpi";
      EXPECT_EQ(out.Get(mid, last), 0) << bpp << " bits, " << dpi << " dpi";
    }
  }
}

// The filter done the plain way, pixel by pixel in floating point: the sampling point is the
// output pixel's centre in the source, held between the first and last source centres; the mask
// comes from the source pixel under the centre.
PixelBuffer PlainFilter(const PixelBuffer& src, int frames, int sw, int sh) {
  const int fw = src.width() / frames, fh = src.height();
  PixelBuffer out(sw * frames, sh, src.bitsPerPixel());
  const bool alpha = src.bitsPerPixel() == 32;
  auto isKey = [](Colour c) { return c == skin::kMagenta; };
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < sh; ++y)
      for (int x = 0; x < sw; ++x) {
        const int nx = f * fw + std::min((2 * x + 1) * fw / (2 * sw), fw - 1);
        const int ny = std::min((2 * y + 1) * fh / (2 * sh), fh - 1);
        const int ox = f * sw + x;
        if (isKey(src.Get(nx, ny))) {
          out.Set(ox, y, src.Get(nx, ny)), out.SetAlpha(ox, y, src.Alpha(nx, ny));
          continue;
        }
        const double px = std::clamp((x + 0.5) * fw / sw - 0.5, 0.0, fw - 1.0);
        const double py = std::clamp((y + 0.5) * fh / sh - 0.5, 0.0, fh - 1.0);
        const int x0 = static_cast<int>(px), y0 = static_cast<int>(py);
        const int xs[2] = {x0, std::min(x0 + 1, fw - 1)}, ys[2] = {y0, std::min(y0 + 1, fh - 1)};
        const double wx[2] = {1 - (px - x0), px - x0}, wy[2] = {1 - (py - y0), py - y0};
        double sum[4] = {}, total = 0;
        for (int j = 0; j < 2; ++j)
          for (int i = 0; i < 2; ++i) {
            const Colour c = src.Get(f * fw + xs[i], ys[j]);
            if (isKey(c)) continue;
            const double w = wx[i] * wy[j];
            sum[0] += w * skin::RedOf(c), sum[1] += w * skin::GreenOf(c);
            sum[2] += w * skin::BlueOf(c), sum[3] += w * src.Alpha(f * fw + xs[i], ys[j]);
            total += w;
          }
        int v[4];
        for (int c = 0; c < 4; ++c) v[c] = static_cast<int>(sum[c] / total + 0.5);
        Colour c = MakeColour(v[0], v[1], v[2]);
        if (isKey(c)) c = MakeColour(0xFE, 0, 0xFF);
        out.Set(ox, y, c);
        if (alpha) out.SetAlpha(ox, y, static_cast<uint8_t>(v[3]));
      }
  return out;
}

// Random images with keyed pixels and blocks, in strips of frames, at both depths and the usual
// factors up and down: every channel within 1 of the plain filter, the key exactly where it is.
TEST(ImageScale, FilterAgreesWithThePlainWayOnRandomImages) {
  std::mt19937 rng(20261209);
  const Scale scales[] = {Scale{5, 4}, Scale{3, 2}, Scale{7, 4}, Scale{3, 4}, Scale{5, 3}};
  for (int round = 0; round < 24; ++round) {
    const int bpp = round % 2 ? 32 : 24;
    const int frames = 1 + round % 4;
    const int fw = 1 + static_cast<int>(rng() % 23), h = 1 + static_cast<int>(rng() % 19);
    PixelBuffer src(fw * frames, h, bpp);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < src.width(); ++x) {
        const uint32_t r = rng();
        src.Set(x, y, r % 5 == 0 ? skin::kMagenta : static_cast<Colour>(r & 0xFFFFFF));
        src.SetAlpha(x, y, static_cast<uint8_t>(rng()));
      }
    // A keyed block and a block one step off the key, where blends land on it.
    src.FillRect(0, 0, src.width() / 3, h / 2, skin::kMagenta);
    src.FillRect(src.width() / 2, h / 2, src.width(), h, MakeColour(0xFF, 1, 0xFF));
    for (const Scale s : scales) {
      const PixelBuffer out = skin::ScaleImage(src, s, frames);
      const int sw = skin::ScaleLength(fw, s), sh = skin::ScaleLength(h, s);
      ASSERT_EQ(out.width(), sw * frames);
      ASSERT_EQ(out.height(), sh);
      const PixelBuffer want = PlainFilter(src, frames, sw, sh);
      for (int y = 0; y < sh; ++y)
        for (int x = 0; x < out.width(); ++x) {
          const Colour a = out.Get(x, y), b = want.Get(x, y);
          const auto where = ::testing::Message()
                             << bpp << " bits, " << frames << " frames of " << fw << "x" << h
                             << " at " << s.num << "/" << s.den << ": " << x << "," << y;
          ASSERT_EQ(a == skin::kMagenta, b == skin::kMagenta) << where;
          ASSERT_LE(std::abs(skin::RedOf(a) - skin::RedOf(b)), 1) << where;
          ASSERT_LE(std::abs(skin::GreenOf(a) - skin::GreenOf(b)), 1) << where;
          ASSERT_LE(std::abs(skin::BlueOf(a) - skin::BlueOf(b)), 1) << where;
          ASSERT_LE(std::abs(out.Alpha(x, y) - want.Alpha(x, y)), 1) << where;
        }
    }
  }
}

}  // namespace
