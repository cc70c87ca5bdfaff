// Geometry of the painting primitives: piece order, dropped margins, tiling and clamping, and the
// pixels a plan produces.
#include <gtest/gtest.h>

#include <climits>

#include "imaging/PaintPlans.h"

namespace skin {
namespace {

using R = ImageRect;

TEST(PaintPlans, FrameRectCutsStripsAndClampsTheIndex) {
  EXPECT_EQ(FrameRect(90, 20, false, 3, 2), (R{30, 0, 60, 20}));
  EXPECT_EQ(FrameRect(20, 90, true, 3, 3), (R{0, 60, 20, 90}));
  EXPECT_EQ(FrameRect(91, 20, false, 3, 3), (R{60, 0, 90, 20}));  // remainder column unused
  EXPECT_EQ(FrameRect(90, 20, false, 3, 7), (R{60, 0, 90, 20}));
  EXPECT_EQ(FrameRect(90, 20, false, 3, 0), (R{0, 0, 30, 20}));
  EXPECT_EQ(FrameRect(90, 20, false, 0, 1), (R{0, 0, 90, 20}));
}

TEST(PaintPlans, NineSliceOrderAndRectangles) {
  // Two 20x12 frames side by side, margins L3 T2 R4 B5, second frame into 50x30.
  const PaintPlan p = PlanNineSlice(40, 12, 50, 30, R{3, 2, 4, 5}, false, false, 2, 2);
  const PaintPlan expected = {
      {{20, 0, 23, 2}, {0, 0, 3, 2}},       // top-left
      {{20, 7, 23, 12}, {0, 25, 3, 30}},    // bottom-left
      {{36, 0, 40, 2}, {46, 0, 50, 2}},     // top-right
      {{20, 2, 23, 7}, {0, 2, 3, 25}},      // left edge
      {{23, 0, 36, 2}, {3, 0, 46, 2}},      // top edge
      {{23, 2, 36, 7}, {3, 2, 46, 25}},     // centre
      {{36, 7, 40, 12}, {46, 25, 50, 30}},  // bottom-right
      {{36, 2, 40, 7}, {46, 2, 50, 25}},    // right edge
      {{23, 7, 36, 12}, {3, 25, 46, 30}},   // bottom edge
  };
  EXPECT_EQ(p, expected);
}

TEST(PaintPlans, NineSliceDropsMarginsThatDoNotFit) {
  // Narrower than Left + Right: the whole frame width stretches across; rows keep their margins.
  PaintPlan p = PlanNineSlice(20, 12, 6, 30, R{3, 2, 4, 5}, false, false, 1, 1);
  EXPECT_EQ(p, (PaintPlan{{{0, 0, 20, 2}, {0, 0, 6, 2}},
                          {{0, 2, 20, 7}, {0, 2, 6, 25}},
                          {{0, 7, 20, 12}, {0, 25, 6, 30}}}));
  // Shorter than Top + Bottom: the same for rows.
  p = PlanNineSlice(20, 12, 50, 6, R{3, 2, 4, 5}, false, false, 1, 1);
  EXPECT_EQ(p, (PaintPlan{{{0, 0, 3, 12}, {0, 0, 3, 6}},
                          {{3, 0, 16, 12}, {3, 0, 46, 6}},
                          {{16, 0, 20, 12}, {46, 0, 50, 6}}}));
  // Both: one stretch of the frame.
  p = PlanNineSlice(20, 12, 5, 5, R{3, 2, 4, 5}, false, false, 1, 1);
  EXPECT_EQ(p, (PaintPlan{{{0, 0, 20, 12}, {0, 0, 5, 5}}}));
  // Exactly Left + Right wide keeps the margins; the zero-wide centre and edges are left out.
  p = PlanNineSlice(20, 12, 7, 30, R{3, 2, 4, 5}, false, false, 1, 1);
  for (const BlitStep& s : p) EXPECT_FALSE(s.dst.empty());
  EXPECT_EQ(p.size(), 6u);
}

TEST(PaintPlans, NineSliceTiledCentreOverrunsAndIsCoveredByEdges) {
  // Vertical frames: 10x8 frames, second one; centre piece 4x2 (margins 3/3/3/3).
  const PaintPlan p = PlanNineSlice(10, 16, 13, 10, R{3, 3, 3, 3}, true, true, 2, 2);
  // Centre destination (3,3)-(10,7): tiles at x 3,7 and y 3,5, each 4x2 unscaled.
  std::vector<BlitStep> tiles(p.begin() + 5, p.begin() + 9);
  EXPECT_EQ(tiles, (std::vector<BlitStep>{{{3, 11, 7, 13}, {3, 3, 7, 5}},
                                          {{3, 11, 7, 13}, {7, 3, 11, 5}},
                                          {{3, 11, 7, 13}, {3, 5, 7, 7}},
                                          {{3, 11, 7, 13}, {7, 5, 11, 7}}}));
  ASSERT_EQ(p.size(), 12u);
  EXPECT_EQ(p[10].dst, (R{10, 3, 13, 7}));  // right edge, after the tiles

  // In pixels: the tile at x 7..10 sticks into the right edge, which then paints over it.
  PixelBuffer src(10, 16, 24, 0x111111);
  src.FillRect(3, 11, 7, 13, 0x00FF00);   // centre of frame 2
  src.FillRect(7, 11, 10, 13, 0x0000FF);  // right edge of frame 2
  const PixelBuffer out = RenderNineSlice(src, 13, 10, R{3, 3, 3, 3}, true, true, 2, 2);
  EXPECT_EQ(out.Get(9, 4), 0x00FF00);
  EXPECT_EQ(out.Get(10, 4), 0x0000FF);
  EXPECT_EQ(out.Get(12, 6), 0x0000FF);
}

TEST(PaintPlans, LaterPiecesOverdrawEarlierOnes) {
  // Margins larger than half the height overlap: the bottom-left corner comes before the left edge
  // and bottom edge, the bottom-right corner before the right edge.
  PixelBuffer src(3, 3, 24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) src.Set(x, y, MakeColour(x * 100, y * 100, 1));
  const PixelBuffer out = RenderNineSlice(src, 9, 6, R{1, 1, 1, 1}, false, false, 1, 1);
  EXPECT_EQ(out.Get(0, 0), MakeColour(0, 0, 1));
  EXPECT_EQ(out.Get(8, 5), MakeColour(200, 200, 1));
  EXPECT_EQ(out.Get(4, 3), MakeColour(100, 100, 1));
  EXPECT_EQ(out.Get(0, 3), MakeColour(0, 100, 1));
  EXPECT_EQ(out.Get(4, 5), MakeColour(100, 200, 1));
  EXPECT_EQ(out.Get(8, 2), MakeColour(200, 100, 1));
}

TEST(PaintPlans, EmptyOrInvertedDestinationsPlanNothing) {
  EXPECT_TRUE(PlanNineSlice(20, 12, 0, 10, R{}, false, false, 1, 1).empty());
  EXPECT_TRUE(PlanNineSlice(20, 12, 10, -3, R{}, false, false, 1, 1).empty());
  EXPECT_TRUE(PlanThreePartStrip(20, 12, -1, 10, R{}, false, 1, 1).empty());
  EXPECT_TRUE(PlanFrame(20, 12, 10, 0, 1, 1).empty());
  EXPECT_TRUE(PlanTile(R{0, 0, 10, 10}, R{5, 5, 5, 9}).empty());
  EXPECT_TRUE(PlanTile(R{10, 0, 0, 10}, R{0, 0, 2, 2}).empty());
  // Margins wider than the frame would give negative (mirroring) pieces: they are left out.
  for (const BlitStep& s : PlanNineSlice(8, 8, 40, 40, R{6, 6, 6, 6}, false, true, 1, 1)) {
    EXPECT_FALSE(s.src.empty());
    EXPECT_FALSE(s.dst.empty());
  }
}

// A skin's margins are arbitrary 32-bit numbers; none may turn into a piece from outside the frame
// or into a rectangle larger than the destination (it would reach StretchBlt as such).
TEST(PaintPlans, HostileMarginsStayInsideTheFrameAndTheDestination) {
  constexpr int kHuge = 1 << 30;
  const R frame = FrameRect(40, 12, false, 2, 2);  // {20, 0, 40, 12}
  const auto inside = [](const R& r, const R& box) {
    return r.left >= box.left && r.top >= box.top && r.right <= box.right && r.bottom <= box.bottom;
  };
  const R marginSets[] = {{kHuge, kHuge, kHuge, kHuge},
                          {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                          {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
                          {kHuge, 3, kHuge, 3},
                          {3, kHuge, INT_MAX, 2},
                          {25, 0, 0, 0}};
  for (const R& m : marginSets) {
    SCOPED_TRACE(::testing::Message()
                 << m.left << " " << m.top << " " << m.right << " " << m.bottom);
    for (const bool tile : {false, true})
      for (const BlitStep& s : PlanNineSlice(40, 12, 50, 30, m, false, tile, 2, 2)) {
        EXPECT_TRUE(inside(s.src, frame));
        // A tiled centre may overrun by less than one piece; the frame bounds a piece.
        EXPECT_TRUE(inside(s.dst, R{0, 0, 50 + 20, 30 + 12}));
      }
    for (const BlitStep& s : PlanThreePartStrip(40, 12, 50, 30, m, false, 2, 2)) {
      EXPECT_TRUE(inside(s.src, frame));
      // The repeated middle may overrun by less than one piece, as a tiled centre does.
      EXPECT_TRUE(inside(s.dst, R{0, 0, 50 + 20, 30}));
    }
  }
  // Margins of 2^30 do not fit 50 x 30: dropped, so the frame is simply stretched.
  PixelBuffer src(40, 12, 24);
  for (int x = 0; x < 40; ++x) src.FillRect(x, 0, x + 1, 12, MakeColour(x * 6, 12, 200 - x));
  EXPECT_EQ(RenderNineSlice(src, 50, 30, R{kHuge, kHuge, kHuge, kHuge}, false, false, 2, 2),
            RenderNineSlice(src, 50, 30, R{}, false, false, 2, 2));
  // A left margin wider than the 20-pixel frame takes the whole frame, not the next one.
  const PaintPlan wide = PlanNineSlice(40, 12, 50, 30, R{25, 0, 0, 0}, false, false, 2, 2);
  ASSERT_FALSE(wide.empty());
  EXPECT_EQ(wide.front(), (BlitStep{{20, 0, 40, 12}, {0, 0, 20, 30}}));
}

TEST(PaintPlans, ThreePartStripRepeatsTheMiddle) {
  // 2 frames of 10x6, margins L2 R3: middle piece 5 wide, strip 17x12.
  const PaintPlan p = PlanThreePartStrip(20, 6, 17, 12, R{2, 0, 3, 0}, false, 2, 2);
  EXPECT_EQ(p, (PaintPlan{{{10, 0, 12, 6}, {0, 0, 2, 12}},
                          {{12, 0, 17, 6}, {2, 0, 7, 12}},
                          {{12, 0, 17, 6}, {7, 0, 12, 12}},
                          {{12, 0, 14, 6}, {12, 0, 14, 12}},
                          {{17, 0, 20, 6}, {14, 0, 17, 12}}}));
  // Ends that fill the frame: their meeting line stretches over the middle (and nothing loops).
  EXPECT_EQ(PlanThreePartStrip(10, 6, 30, 6, R{5, 0, 5, 0}, false, 1, 1),
            (PaintPlan{{{0, 0, 5, 6}, {0, 0, 5, 6}},
                       {{4, 0, 5, 6}, {5, 0, 25, 6}},
                       {{5, 0, 10, 6}, {25, 0, 30, 6}}}));
  // A strip shorter than its ends: the right one whole, the rest of the room for the left one.
  EXPECT_EQ(PlanThreePartStrip(20, 6, 6, 6, R{5, 0, 4, 0}, false, 2, 2),
            (PaintPlan{{{10, 0, 12, 6}, {0, 0, 2, 6}}, {{16, 0, 20, 6}, {2, 0, 6, 6}}}));
}

TEST(PaintPlans, FrameAndCentredFrame) {
  EXPECT_EQ(PlanFrame(30, 10, 7, 4, 3, 3), (PaintPlan{{{20, 0, 30, 10}, {0, 0, 7, 4}}}));
  EXPECT_EQ(PlanFrameCentred(30, 10, R{100, 50, 121, 65}, 3, 2),
            (BlitStep{{10, 0, 20, 10}, {105, 52, 115, 62}}));
  // A frame larger than the rectangle: (W - w) / 2 rounds toward zero, it overhangs both sides.
  EXPECT_EQ(PlanFrameCentred(30, 10, R{0, 0, 7, 5}, 3, 1).dst, (R{-1, -2, 9, 8}));
}

TEST(PaintPlans, TileIsNotClippedAtTheLastRowAndColumn) {
  const PaintPlan p = PlanTile(R{1, 1, 6, 4}, R{0, 0, 3, 2});
  EXPECT_EQ(p, (PaintPlan{{{0, 0, 3, 2}, {1, 1, 4, 3}},
                          {{0, 0, 3, 2}, {4, 1, 7, 3}},
                          {{0, 0, 3, 2}, {1, 3, 4, 5}},
                          {{0, 0, 3, 2}, {4, 3, 7, 5}}}));
}

TEST(PaintPlans, RunPlanStretchesByNearestPixelAndStaysInside) {
  PixelBuffer src(2, 1, 24);
  src.Set(0, 0, 0x0000AA);
  src.Set(1, 0, 0x00BB00);
  PixelBuffer dst(5, 2, 32);
  RunPlan({{{0, 0, 2, 1}, {1, 0, 5, 2}}}, src, dst);
  EXPECT_EQ(dst.Get(0, 0), 0);
  EXPECT_EQ(dst.Get(1, 0), 0x0000AA);
  EXPECT_EQ(dst.Get(2, 1), 0x0000AA);
  EXPECT_EQ(dst.Get(3, 1), 0x00BB00);
  EXPECT_EQ(dst.Get(4, 0), 0x00BB00);
  // Source and target rectangles reaching outside their buffers are clipped, not read or written.
  RunPlan({{{-5, -5, 9, 9}, {-3, -3, 20, 20}}}, src, dst);
}

// Which source column each target column shows, as GDI picks them when shrinking and enlarging.
std::vector<int> Columns(int sw, int dw) {
  PixelBuffer src(sw, 1, 24);
  for (int x = 0; x < sw; ++x) src.Set(x, 0, x);
  PixelBuffer dst(dw, 1, 24);
  RunPlan({{{0, 0, sw, 1}, {0, 0, dw, 1}}}, src, dst);
  std::vector<int> out;
  for (int x = 0; x < dw; ++x) out.push_back(dst.Get(x, 0));
  return out;
}
std::vector<int> Rows(int sh, int dh) {
  PixelBuffer src(1, sh, 24);
  for (int y = 0; y < sh; ++y) src.Set(0, y, y);
  PixelBuffer dst(1, dh, 24);
  RunPlan({{{0, 0, 1, sh}, {0, 0, 1, dh}}}, src, dst);
  std::vector<int> out;
  for (int y = 0; y < dh; ++y) out.push_back(dst.Get(0, y));
  return out;
}

TEST(PaintPlans, StretchPicksTheSamePixelsAsGdi) {
  EXPECT_EQ(Columns(12, 3), (std::vector<int>{3, 7, 11}));
  EXPECT_EQ(Columns(12, 5), (std::vector<int>{1, 4, 6, 9, 11}));
  EXPECT_EQ(Columns(13, 4), (std::vector<int>{2, 6, 9, 12}));
  EXPECT_EQ(Columns(100, 7), (std::vector<int>{13, 28, 42, 56, 70, 85, 99}));
  EXPECT_EQ(Columns(2, 5), (std::vector<int>{0, 0, 0, 1, 1}));
  EXPECT_EQ(Columns(3, 7), (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
  EXPECT_EQ(Columns(4, 4), (std::vector<int>{0, 1, 2, 3}));
  // Shrunk rows keep the first pixel of each group instead of the last.
  EXPECT_EQ(Rows(12, 3), (std::vector<int>{0, 4, 8}));
  EXPECT_EQ(Rows(12, 5), (std::vector<int>{0, 2, 5, 7, 10}));
  EXPECT_EQ(Rows(10, 4), (std::vector<int>{0, 3, 5, 8}));
  EXPECT_EQ(Rows(3, 7), (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
}

}  // namespace
}  // namespace skin
