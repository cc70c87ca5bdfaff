// The skinned frame at another display scale: thicknesses, nine-slice pieces and caption-button
// places for the factors a per-monitor window meets (100 % to 200 % in quarter steps).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "imaging/ImageScale.h"
#include "imaging/PaintPlans.h"
#include "skin/frame/FrameGeometry.h"

namespace {

using skin::ImageRect;
using skin::Scale;

const Scale kFactors[] = {{1, 1}, {5, 4}, {3, 2}, {7, 4}, {2, 1}};

std::string Name(Scale s) { return std::to_string(s.num) + "/" + std::to_string(s.den); }

// The system's rounding of a length: half up.
int Rounded(int length, Scale s) {
  return static_cast<int>(std::floor(length * static_cast<double>(s.num) / s.den + 0.5));
}

TEST(FrameScaleTest, ThicknessesAreTheRoundedScaledOnesAndMatchTheScaledImages) {
  for (const Scale s : kFactors) {
    for (int h = 1; h <= 61; ++h) {
      // Two stacked frames of height h (the caption), three side by side of width h (the left
      // border), one frame of the bottom, and a count that does not divide its image.
      skin::BorderImageSizes sizes;
      sizes.topHeight = 2 * h;
      sizes.topFrames = 2;
      sizes.leftWidth = 3 * h;
      sizes.leftFrames = 3;
      sizes.bottomHeight = h;
      sizes.rightWidth = 2 * h + 1;
      sizes.rightFrames = 2;
      const skin::FrameMetrics m = skin::MetricsFromBorders(skin::ScaleBorderSizes(sizes, s), 0);
      ASSERT_EQ(m.CaptionHeight, Rounded(h, s)) << Name(s) << " h " << h;
      ASSERT_EQ(m.LeftWidth, Rounded(h, s)) << Name(s) << " h " << h;
      ASSERT_EQ(m.BottomHeight, Rounded(h, s)) << Name(s) << " h " << h;
      // The image ScaleImage makes is the size the thicknesses were taken from.
      skin::PixelBuffer top(5, 2 * h, 24);
      const skin::PixelBuffer scaled = skin::ScaleImage(top, s, 2, true);
      ASSERT_EQ(scaled.height(), skin::ScaleBorderSizes(sizes, s).topHeight) << Name(s);
      ASSERT_EQ(scaled.height() / 2, m.CaptionHeight) << Name(s);
      skin::PixelBuffer right(2 * h + 1, 4, 24);
      const skin::Extent r = skin::ScaledImageSize(2 * h + 1, 4, s, 2, false);
      const skin::PixelBuffer rs = skin::ScaleImage(right, s, 2, false);
      ASSERT_EQ(r, (skin::Extent{rs.width(), rs.height()})) << Name(s) << " h " << h;
    }
  }
  // 100 % is the skin's own numbers.
  skin::BorderImageSizes sizes;
  sizes.topHeight = 56;
  sizes.topFrames = 2;
  EXPECT_EQ(skin::MetricsFromBorders(skin::ScaleBorderSizes(sizes, {1, 1}), 0).CaptionHeight, 28);
  EXPECT_EQ(skin::MetricsFromBorders(skin::ScaleBorderSizes(sizes, {3, 2}), 0).CaptionHeight, 42);
}

// Paints the plan's destination pieces into a coverage count per pixel.
std::vector<int> Coverage(const skin::PaintPlan& plan, int w, int h) {
  std::vector<int> count(static_cast<size_t>(w * h), 0);
  for (const skin::BlitStep& step : plan)
    for (int y = std::max(step.dst.top, 0); y < std::min(step.dst.bottom, h); ++y)
      for (int x = std::max(step.dst.left, 0); x < std::min(step.dst.right, w); ++x)
        ++count[static_cast<size_t>(y * w + x)];
  return count;
}

TEST(FrameScaleTest, NineSlicePiecesOfTheScaledArtCoverEveryPixelOnce) {
  struct Art {
    int frameW, frameH;
    ImageRect margins;
  };
  // Odd sizes and margins that round up at 1.5 (3 + 3 of 6 would be 5 + 5 of 9), margins that
  // fill the frame (also as one margin of 0 and one of the whole frame), a frame of one pixel,
  // margins wider than the frame.
  const Art arts[] = {{6, 6, {3, 3, 3, 3}},     {10, 10, {5, 5, 5, 5}}, {8, 28, {3, 7, 3, 9}},
                      {17, 13, {1, 1, 1, 1}},   {1, 1, {0, 0, 0, 0}},   {21, 19, {7, 5, 9, 3}},
                      {12, 12, {20, 0, 20, 0}}, {9, 7, {0, 0, 9, 7}}};
  for (const Scale s : kFactors)
    for (const Art& a : arts) {
      const ImageRect m = skin::ScaleMargins(a.margins, a.frameW, a.frameH, s);
      const int fw = skin::ScaleLength(a.frameW, s), fh = skin::ScaleLength(a.frameH, s);
      const std::string what =
          Name(s) + " frame " + std::to_string(a.frameW) + "x" + std::to_string(a.frameH);
      if (!s.Identity()) {
        // (100 % keeps the skin's numbers as they are; the plan takes them within the frame.)
        ASSERT_GE(m.left, 0) << what;
        ASSERT_GE(m.right, 0) << what;
        ASSERT_LE(m.left + m.right, fw) << what;
        ASSERT_LE(m.top + m.bottom, fh) << what;
      }
      if (a.margins.left + a.margins.right == a.frameW) {
        ASSERT_EQ(m.left + m.right, fw) << what << ": the margins no longer fill the frame";
      }
      // Two frames stacked, the second painted, into targets from the frame's own size up. Art
      // whose margins fill it has no middle of its own; a larger target still gets one. A tiled
      // centre may overrun into the right and bottom edges (drawn after it), never leave a gap.
      for (const bool tile : {false, true})
        for (int w : {fw, fw + 1, 3 * fw + 7, 200})
          for (int h : {fh, fh + 2, 41}) {
            const skin::PaintPlan plan = skin::PlanNineSlice(fw, 2 * fh, w, h, m, true, tile, 2, 2);
            const std::vector<int> count = Coverage(plan, w, h);
            for (size_t i = 0; i < count.size(); ++i) {
              const bool ok = tile ? count[i] >= 1 : count[i] == 1;
              ASSERT_TRUE(ok) << what << (tile ? " tiled" : "") << " into " << w << "x" << h
                              << " at (" << i % static_cast<size_t>(w) << ","
                              << i / static_cast<size_t>(w) << "): " << count[i];
            }
            for (const skin::BlitStep& step : plan) {
              ASSERT_GE(step.src.top, fh) << what;  // never a row of the first frame
              ASSERT_LE(step.src.bottom, 2 * fh) << what;
              ASSERT_GE(step.src.left, 0) << what;
              ASSERT_LE(step.src.right, fw) << what;
              ASSERT_FALSE(step.src.empty()) << what;
            }
          }
    }
}

TEST(FrameScaleTest, ThreePartStripPiecesOfTheScaledArtCoverEveryPixelOnce) {
  struct Art {
    int frameW, frameH, left, right;
  };
  // Ends with a middle between them, ends that fill the frame (also one end of 0 and one of the
  // whole frame), ends wider than the frame, a frame of one pixel, and no ends at all.
  const Art arts[] = {{10, 6, 3, 3},   {6, 4, 3, 3}, {9, 5, 0, 9},  {9, 5, 9, 0},
                      {12, 4, 20, 20}, {1, 1, 0, 0}, {21, 7, 7, 9}, {8, 8, 0, 0}};
  for (const Scale s : kFactors)
    for (const Art& a : arts) {
      const ImageRect m = skin::ScaleMargins({a.left, 0, a.right, 0}, a.frameW, a.frameH, s);
      const int fw = skin::ScaleLength(a.frameW, s), fh = skin::ScaleLength(a.frameH, s);
      const std::string what = Name(s) + " frame " + std::to_string(a.frameW) + " ends " +
                               std::to_string(a.left) + "+" + std::to_string(a.right);
      // Two frames stacked (the caption's text back and the menu bar are), the second painted,
      // into strips from shorter than the frame to much longer.
      for (int w : {1, std::max(fw / 2, 1), fw, fw + 1, 3 * fw + 7, 200})
        for (int h : {fh, 41}) {
          const skin::PaintPlan plan = skin::PlanThreePartStrip(fw, 2 * fh, w, h, m, true, 2, 2);
          const std::vector<int> count = Coverage(plan, w, h);
          for (size_t i = 0; i < count.size(); ++i)
            ASSERT_EQ(count[i], 1)
                << what << " into " << w << "x" << h << " at (" << i % static_cast<size_t>(w) << ","
                << i / static_cast<size_t>(w) << ")";
          for (const skin::BlitStep& step : plan) {
            ASSERT_EQ(step.src.top, fh) << what;  // the whole second frame's height
            ASSERT_EQ(step.src.bottom, 2 * fh) << what;
            ASSERT_GE(step.src.left, 0) << what;
            ASSERT_LE(step.src.right, fw) << what;
            ASSERT_FALSE(step.src.empty()) << what;
            // Only a stretched meeting line changes a piece's width.
            if (step.src.width() != step.dst.width()) {
              ASSERT_EQ(step.src.width(), 1) << what;
            }
          }
        }
    }
}

TEST(FrameScaleTest, CaptionButtonsThatTouchAt100PercentTouchAtEveryScale) {
  // Minimize, maximize and close aligned right, touching; an icon at the left; a button after the
  // caption text and one before it; a button in the menu strip.
  const std::vector<skin::CaptionButtonPlace> row = {
      {1, 67, 5, 21, 21}, {1, 46, 5, 21, 21}, {1, 25, 5, 21, 21}};
  for (const Scale s : kFactors) {
    skin::CaptionLayoutInput in;
    in.frameWidth = skin::ScaleLength(614, s);
    in.captionText = {skin::ScaleLength(40, s), 0, skin::ScaleLength(300, s), 28};
    in.metrics = {skin::ScaleLength(4, s), skin::ScaleLength(28, s), skin::ScaleLength(4, s),
                  skin::ScaleLength(5, s), skin::ScaleLength(19, s)};
    in.menuBarLeftWidth = 3;
    std::vector<ImageRect> rects;
    for (const auto& b : row) rects.push_back(skin::CaptionButtonRect(b, in, s));
    for (size_t i = 0; i + 1 < rects.size(); ++i)
      EXPECT_EQ(rects[i].right, rects[i + 1].left)
          << Name(s) << " between " << i << " and " << i + 1;
    for (const ImageRect& r : rects) {
      EXPECT_LE(std::abs(r.width() - skin::ScaleLength(21, s)), 1) << Name(s);
      EXPECT_EQ(r.top, Rounded(5, s)) << Name(s);
      EXPECT_EQ(r.bottom, Rounded(26, s)) << Name(s);
    }
    // The close button keeps its distance from the right edge, scaled: 25 - 21 = 4 pixels.
    EXPECT_EQ(in.frameWidth - rects.back().right, Rounded(4, s)) << Name(s);

    const ImageRect icon = skin::CaptionButtonRect({0, 6, 6, 16, 16}, in, s);
    EXPECT_EQ(icon, (ImageRect{Rounded(6, s), Rounded(6, s), Rounded(22, s), Rounded(22, s)}))
        << Name(s);
    // Beside the text: two pixels (scaled) from it, on either side.
    const ImageRect after = skin::CaptionButtonRect({3, 2, 4, 12, 12}, in, s);
    EXPECT_EQ(after.left, in.captionText.right + Rounded(2, s)) << Name(s);
    const ImageRect before = skin::CaptionButtonRect({2, 2, 4, 12, 12}, in, s);
    EXPECT_EQ(before.right, in.captionText.left - Rounded(2, s)) << Name(s);
    // The menu strip's button is centred in the strip, whatever the rounding.
    const ImageRect strip = skin::CaptionButtonRect({100, 20, 0, 16, 14}, in, s);
    const int slack = in.metrics.MenuBarHeight - strip.height();
    EXPECT_EQ(strip.top - in.metrics.CaptionHeight, slack / 2) << Name(s);
    EXPECT_LE(strip.right, in.frameWidth - in.metrics.RightWidth) << Name(s);
    if (s.Identity()) {
      // 100 % is the place the skin gives, to the pixel.
      for (size_t i = 0; i < row.size(); ++i)
        EXPECT_EQ(rects[i], skin::CaptionButtonRect(row[i], in));
    }
  }
}

}  // namespace
