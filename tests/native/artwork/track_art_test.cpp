// The track-bar channel the program carries: its sizes, an upright copy that is the lying one
// turned, and a middle that can be stretched between the loader's 3-pixel caps.
#include <gtest/gtest.h>

#include "TrackArt.h"
#include "imaging/BmpDecode.h"

namespace {

using skin::art::DrawBuiltInTrack;
using skin::art::kBuiltInTrackLength;
using skin::art::kBuiltInTrackThickness;

TEST(TrackChannelArt, LyingAndStandingGroovesAreTheSameImageTurned) {
  const skin::PixelBuffer lying = DrawBuiltInTrack(false);
  const skin::PixelBuffer standing = DrawBuiltInTrack(true);
  ASSERT_EQ(lying.width(), kBuiltInTrackLength);
  ASSERT_EQ(lying.height(), kBuiltInTrackThickness);
  ASSERT_EQ(standing.width(), kBuiltInTrackThickness);
  ASSERT_EQ(standing.height(), kBuiltInTrackLength);
  for (int along = 0; along < kBuiltInTrackLength; ++along)
    for (int across = 0; across < kBuiltInTrackThickness; ++across)
      EXPECT_EQ(lying.Get(along, across), standing.Get(across, along));
}

TEST(TrackChannelArt, EveryColumnBetweenTheCapsIsAlikeAndNothingIsTransparent) {
  const skin::PixelBuffer g = DrawBuiltInTrack(false);
  constexpr int kCap = 3;  // the margins the skin loader gives the built-in channel
  for (int x = kCap; x < kBuiltInTrackLength - kCap; ++x)
    for (int y = 0; y < kBuiltInTrackThickness; ++y) EXPECT_EQ(g.Get(x, y), g.Get(kCap, y)) << x;
  for (int x = 0; x < kBuiltInTrackLength; ++x)
    for (int y = 0; y < kBuiltInTrackThickness; ++y)
      EXPECT_NE(g.Get(x, y) & 0xFFFFFF, skin::kMagenta);
  // Sunken: the far edge across is lighter than the near one, and the ends differ from the middle.
  EXPECT_NE(g.Get(0, 2), g.Get(kCap, 2));
  EXPECT_NE(g.Get(kBuiltInTrackLength - 1, 2), g.Get(kCap, 2));
  EXPECT_GT(g.Get(kCap, kBuiltInTrackThickness - 1) & 0xFF, g.Get(kCap, 0) & 0xFF);
}

}  // namespace
