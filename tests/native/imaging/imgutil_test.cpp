// Pixel and colour routines on small hand-made buffers, checked pixel by pixel.
#include <gtest/gtest.h>

#include <stdexcept>

#include "imaging/ImgUtil.h"

namespace skin {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0;

// A w x h image whose pixel (x, y) is MakeColour(x, y, 7): each pixel tells where it came from.
PixelBuffer Numbered(int w, int h, int bpp = 24) {
  PixelBuffer b(w, h, bpp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, MakeColour(x, y, 7));
  return b;
}

TEST(ImgUtil, ReplaceMagentaTouchesOnlyExactMagentaAndForces24Bits) {
  PixelBuffer b(3, 1, 32);
  b.Set(0, 0, kMagenta);
  b.Set(1, 0, MakeColour(255, 1, 255));  // near magenta stays
  b.Set(2, 0, MakeColour(10, 20, 30));
  ReplaceMagenta(b, MakeColour(1, 2, 3));
  EXPECT_EQ(b.bitsPerPixel(), 24);
  EXPECT_EQ(b.Get(0, 0), MakeColour(1, 2, 3));
  EXPECT_EQ(b.Get(1, 0), MakeColour(255, 1, 255));
  EXPECT_EQ(b.Get(2, 0), MakeColour(10, 20, 30));
}

TEST(ImgUtil, MirrorAndFlipMovePixelsAndKeepFormat) {
  for (int bpp : {24, 32}) {
    PixelBuffer m = Numbered(5, 3, bpp);
    MirrorHorizontal(m);
    PixelBuffer f = Numbered(5, 3, bpp);
    FlipVertical(f);
    EXPECT_EQ(m.bitsPerPixel(), bpp);
    EXPECT_EQ(f.bitsPerPixel(), bpp);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(m.Get(x, y), MakeColour(4 - x, y, 7));
        EXPECT_EQ(f.Get(x, y), MakeColour(x, 2 - y, 7));
      }
  }
}

TEST(ImgUtil, RotationsFollowTheirPixelFormulas) {
  PixelBuffer l = Numbered(4, 3);
  RotateLeft(l);
  ASSERT_EQ(l.width(), 3);
  ASSERT_EQ(l.height(), 4);
  PixelBuffer r = Numbered(4, 3, 32);
  RotateRight(r);
  ASSERT_EQ(r.width(), 3);
  ASSERT_EQ(r.height(), 4);
  EXPECT_EQ(r.bitsPerPixel(), 24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(l.Get(x, y), MakeColour(4 - 1 - y, x, 7));  // old (width-1-Y, X)
      EXPECT_EQ(r.Get(x, y), MakeColour(y, 3 - 1 - x, 7));  // old (Y, height-1-X)
    }
}

TEST(ImgUtil, RotateLeftThenRightGivesTheImageBack) {
  const PixelBuffer start = Numbered(7, 2);
  PixelBuffer b = start;
  RotateLeft(b);
  RotateRight(b);
  EXPECT_EQ(b, start);
  RotateRight(b);
  RotateRight(b);
  RotateRight(b);
  RotateRight(b);
  EXPECT_EQ(b, start);
}

TEST(ImgUtil, BlendUsesPercentBelow100AndPerMilleFrom100) {
  EXPECT_EQ(BlendRgb(kBlack, kWhite, 50), MakeColour(128, 128, 128));
  EXPECT_EQ(BlendRgb(kBlack, kWhite, 100), MakeColour(230, 230, 230));  // 10 %, not 100 %
  EXPECT_EQ(BlendRgb(MakeColour(200, 0, 100), kWhite, 150),
            MakeColour((255 * 850 + 200 * 150 + 500) / 1000, (255 * 850 + 500) / 1000,
                       (255 * 850 + 100 * 150 + 500) / 1000));
  EXPECT_EQ(BlendRgb(MakeColour(1, 2, 3), MakeColour(9, 9, 9), 0), MakeColour(9, 9, 9));
  EXPECT_EQ(BlendRgb(MakeColour(1, 2, 3), MakeColour(9, 9, 9), 1000), MakeColour(1, 2, 3));
  // Out-of-range amounts are clamped instead of spilling into the neighbouring channel.
  EXPECT_EQ(BlendRgb(kWhite, kBlack, 5000), kWhite);
  EXPECT_EQ(BlendRgb(kWhite, kBlack, -20), kBlack);
}

TEST(ImgUtil, BlendResolvesSystemColourReferences) {
  const SysColourFn sys = [](int index) -> Colour { return index == 15 ? kWhite : 0x123456; };
  EXPECT_EQ(Blend(kBlack, static_cast<Colour>(0x8000000F), 50, sys), MakeColour(128, 128, 128));
  EXPECT_EQ(ToRgb(static_cast<Colour>(0x80000005), sys), 0x123456);
  EXPECT_EQ(ToRgb(static_cast<Colour>(0x80000005), nullptr), 0);
  EXPECT_EQ(ToRgb(0x01ABCDEF, nullptr), 0xABCDEF);
}

TEST(ImgUtil, SaturationOfBrightAndDarkColours) {
  EXPECT_EQ(Saturation(MakeColour(255, 0, 0)), 255);
  EXPECT_EQ(Saturation(MakeColour(128, 0, 0)), 200);
  EXPECT_EQ(Saturation(kBlack), 200);
  EXPECT_EQ(Saturation(kWhite), 0);
  EXPECT_EQ(Saturation(MakeColour(200, 100, 100)), 128);  // 0.5 * 255 = 127.5, either tie is fine
  EXPECT_EQ(Saturation(MakeColour(200, 150, 50)), 191);   // 150/200 * 255 = 191.25
}

TEST(ImgUtil, GradientRamps) {
  EXPECT_EQ(MakeGradient(3, kBlack, kWhite),
            (std::vector<Colour>{0, MakeColour(128, 128, 128), kWhite}));
  EXPECT_EQ(MakeGradient(1, kBlack, kWhite), (std::vector<Colour>{MakeColour(127, 127, 127)}));
  EXPECT_EQ(MakeGradient(2, MakeColour(10, 20, 30), MakeColour(40, 50, 60)),
            (std::vector<Colour>{MakeColour(10, 20, 30), MakeColour(40, 50, 60)}));
  // Falling channels truncate toward zero: (1 - 255 * i) / 2 for i = 0, 1, 2.
  EXPECT_EQ(MakeGradient(3, kWhite, kBlack),
            (std::vector<Colour>{kWhite, MakeColour(128, 128, 128), MakeColour(1, 1, 1)}));
  EXPECT_THROW(MakeGradient(0, kBlack, kWhite), std::invalid_argument);
  EXPECT_THROW(GradientColours(-1, kBlack, kWhite), std::invalid_argument);
}

TEST(ImgUtil, GradientCacheReusesSlotsAndRotates) {
  GradientCache cache;
  const std::vector<Colour>* first = &cache.Get(3, kBlack, kWhite);
  EXPECT_EQ(cache.nextSlot(), 1);
  EXPECT_EQ(&cache.Get(3, kBlack, kWhite), first);
  EXPECT_EQ(cache.nextSlot(), 1);
  // Ramps whose stored ends differ from the requested ones are found again too.
  const std::vector<Colour>* falling = &cache.Get(3, kWhite, kBlack);
  EXPECT_EQ(&cache.Get(3, kWhite, kBlack), falling);
  const std::vector<Colour>* single = &cache.Get(1, kBlack, kWhite);
  EXPECT_EQ(&cache.Get(1, kBlack, kWhite), single);
  EXPECT_EQ(cache.nextSlot(), 3);
  // Sixteen more ramps wrap the counter and overwrite slot 0.
  for (int i = 0; i < 13; ++i) cache.Get(10 + i, kBlack, kWhite);
  EXPECT_EQ(cache.nextSlot(), 0);
  cache.Get(99, kBlack, kWhite);
  EXPECT_EQ(cache.nextSlot(), 1);
  EXPECT_EQ(first->size(), 99u);  // slot 0 now holds the new ramp
  EXPECT_EQ(cache.Get(3, kBlack, kWhite), MakeGradient(3, kBlack, kWhite));
}

TEST(ImgUtil, GradientLinesFollowTheClipBox) {
  GradientSpan s = GradientLines(10, 50, 0, 100);  // clip covers the rectangle
  EXPECT_EQ(s.count, 40);
  EXPECT_EQ(s.first, 0);
  EXPECT_EQ(s.last, 39);
  s = GradientLines(10, 50, 20, 30);  // clip inside
  EXPECT_EQ(s.first, 10);
  EXPECT_EQ(s.last, 19);
  EXPECT_TRUE(GradientLines(10, 10, 0, 100).empty());
  EXPECT_TRUE(GradientLines(10, 5, 0, 100).empty());
  EXPECT_TRUE(GradientLines(10, 50, 60, 70).empty());
}

}  // namespace
}  // namespace skin
