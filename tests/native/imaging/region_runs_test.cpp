// Opaque runs of skin bitmaps for window regions: the tolerance band, offsets and batching.
#include <gtest/gtest.h>

#include "imaging/RegionRuns.h"

namespace skin {
namespace {

using R = ImageRect;

std::vector<R> AllRects(const std::vector<RegionBatch>& batches) {
  std::vector<R> out;
  for (const auto& b : batches) out.insert(out.end(), b.rects.begin(), b.rects.end());
  return out;
}

TEST(RegionRuns, FrameCodeBandTreatsNearMagentaAsTransparent) {
  const TransparentBand band(kMagenta, 1, 1, 1);
  EXPECT_TRUE(band.Contains(MakeColour(255, 0, 255)));
  EXPECT_TRUE(band.Contains(MakeColour(255, 1, 255)));
  EXPECT_FALSE(band.Contains(MakeColour(255, 2, 255)));
  EXPECT_FALSE(band.Contains(MakeColour(254, 0, 255)));
  EXPECT_FALSE(band.Contains(MakeColour(255, 0, 254)));
  const TransparentBand wide(MakeColour(10, 20, 250), 100, 5, 0);
  EXPECT_TRUE(wide.Contains(MakeColour(10, 25, 255)));  // blue capped at 255
  EXPECT_FALSE(wide.Contains(MakeColour(11, 20, 250)));
}

TEST(RegionRuns, RunsPerRowWithOffset) {
  // Row 0: ##..#   Row 1: .....   Row 2: .###.
  PixelBuffer img(5, 3, 24, kMagenta);
  img.FillRect(0, 0, 2, 1, 0);
  img.Set(4, 0, MakeColour(255, 2, 255));
  img.FillRect(1, 2, 4, 3, 0x123456);
  img.Set(2, 1, MakeColour(255, 1, 255));  // transparent under the band
  const auto batches = ExtractRegionRuns(img, 10, 20, TransparentBand(kMagenta, 1, 1, 1));
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].rects,
            (std::vector<R>{{10, 20, 12, 21}, {14, 20, 15, 21}, {11, 22, 14, 23}}));
  EXPECT_EQ(batches[0].bounds, (R{10, 20, 15, 23}));
}

TEST(RegionRuns, AllMagentaGivesNothing) {
  const PixelBuffer img(30, 7, 32, kMagenta);
  EXPECT_TRUE(ExtractRegionRuns(img, 0, 0, TransparentBand(kMagenta, 1, 1, 1)).empty());
}

TEST(RegionRuns, BatchesOfTwoThousandWithTheirOwnBounds) {
  // Checkerboard 10 wide: 5 runs per row; 900 rows = 4500 rects = 2000 + 2000 + 500.
  PixelBuffer img(10, 900, 24, kMagenta);
  for (int y = 0; y < 900; ++y)
    for (int x = (y & 1); x < 10; x += 2) img.Set(x, y, 0);
  const auto batches = ExtractRegionRuns(img, 0, 0, TransparentBand(kMagenta, 1, 1, 1));
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0].rects.size(), 2000u);
  EXPECT_EQ(batches[1].rects.size(), 2000u);
  EXPECT_EQ(batches[2].rects.size(), 500u);
  EXPECT_EQ(batches[0].bounds, (R{0, 0, 10, 400}));
  EXPECT_EQ(batches[1].bounds, (R{0, 400, 10, 800}));
  EXPECT_EQ(batches[2].bounds, (R{0, 800, 10, 900}));
  EXPECT_EQ(AllRects(batches).size(), 4500u);
  // A smaller batch size splits the same runs the same way.
  EXPECT_EQ(AllRects(ExtractRegionRuns(img, 0, 0, TransparentBand(kMagenta, 1, 1, 1), 7)),
            AllRects(batches));
}

}  // namespace
}  // namespace skin
