// Larger art ("frametop@2x.bmp") stands in for its image only when it is exactly twice the image;
// anything else is left out with a line that says why.
#include <gtest/gtest.h>

#include "skin/data/ScaledArt.h"

TEST(ScaledArtFit, OnlyArtExactlyTwiceTheImageFrameForFrameIsTaken) {
  // The caption: two frames of 632 x 28 stacked.
  EXPECT_EQ(skin::ScaledArtMismatch("frametop.bmp", 2, 632, 56, 1264, 112, 2, true), "");
  // One row short, or drawn for a count of frames of its own: the sizes are named.
  const std::string shortArt =
      skin::ScaledArtMismatch("frametop.bmp", 2, 632, 56, 1264, 111, 2, true);
  EXPECT_NE(shortArt.find("frametop@2x.bmp is 1264x111, not 1264x112"), std::string::npos)
      << shortArt;
  const std::string fourFrames =
      skin::ScaledArtMismatch("closebutton.bmp", 2, 84, 21, 336, 42, 4, false);
  EXPECT_NE(fourFrames.find("not 168x42"), std::string::npos) << fourFrames;
  // Side by side the width counts, stacked the height: a strip whose image does not divide into
  // its frames has no frame for the art to double.
  EXPECT_NE(skin::ScaledArtMismatch("frameleft.bmp", 2, 9, 100, 18, 200, 2, false), "");
  EXPECT_EQ(skin::ScaledArtMismatch("frameleft.bmp", 2, 9, 100, 18, 200, 2, true), "");
  // Sizes whose double would not fit an int never match.
  EXPECT_NE(skin::ScaledArtMismatch("x.bmp", 2, 1 << 30, 1, 0, 2, 1, false), "");
}
