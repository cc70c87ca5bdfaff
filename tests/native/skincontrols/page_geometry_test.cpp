// The header, progress, track-bar and date-time skinners' portable rules.
#include <gtest/gtest.h>

#include "skin/controls/PageGeometry.h"

namespace {

using skin::HeaderAlign;
using skin::ImageRect;

skin::HeaderItemInput Item(HeaderAlign align, bool image) {
  skin::HeaderItemInput in;
  in.width = 80;
  in.height = 20;
  in.imageWidth = 16;
  in.imageHeight = 16;
  in.hasImage = image;
  in.textWidth = 40;
  in.textHeight = 14;
  in.align = align;
  return in;
}

TEST(HeaderLayoutTest, TextAndImagePlacedByAlignment) {
  // Right-aligned with an image: 80 - 16 - 40 - 2 = 22; the text follows the image.
  skin::HeaderItemLayout r = skin::LayoutHeaderItem(Item(HeaderAlign::Right, true));
  EXPECT_TRUE(r.showImage);
  EXPECT_EQ(r.imageX, 22);
  EXPECT_EQ(r.imageY, 2);
  EXPECT_EQ(r.text, (ImageRect{38, 3, 78, 17}));
  EXPECT_EQ(skin::LayoutHeaderItem(Item(HeaderAlign::Left, true)).imageX, 3);
  EXPECT_EQ(skin::LayoutHeaderItem(Item(HeaderAlign::Centre, true)).imageX, 12);
  // Without an image the text takes its place.
  EXPECT_EQ(skin::LayoutHeaderItem(Item(HeaderAlign::Right, false)).text.left, 38);
  // An image as wide as the item is not shown.
  skin::HeaderItemInput wide = Item(HeaderAlign::Left, true);
  wide.imageWidth = 80;
  EXPECT_FALSE(skin::LayoutHeaderItem(wide).showImage);
  EXPECT_EQ(skin::LayoutHeaderItem(wide).text.left, 3);
  // Text wider than the item starts at 1 and is cut at the item's right edge.
  skin::HeaderItemInput longText = Item(HeaderAlign::Right, false);
  longText.textWidth = 200;
  const skin::HeaderItemLayout cut = skin::LayoutHeaderItem(longText);
  EXPECT_EQ(cut.text.left, 1);
  EXPECT_EQ(cut.text.right, 80);
}

TEST(HeaderLayoutTest, AlignmentBitsAndFrames) {
  EXPECT_EQ(skin::HeaderAlignment(0x4000 | 1), HeaderAlign::Right);  // HDF_STRING | HDF_RIGHT
  EXPECT_EQ(skin::HeaderAlignment(2), HeaderAlign::Centre);
  EXPECT_EQ(skin::HeaderAlignment(0x800), HeaderAlign::Left);
  EXPECT_EQ(skin::HeaderItemFrame(true, 5), 2);
  EXPECT_EQ(skin::HeaderItemFrame(false, 5), 1);
  EXPECT_EQ(skin::HeaderItemFrame(true, 1), 1);  // a one-frame strip has no hot look
  EXPECT_EQ(skin::HeaderItemFrame(true, 0), 1);
}

TEST(HeaderLayoutTest, SortArrowsPointTheirWayAtTheItemsRight) {
  EXPECT_EQ(skin::HeaderSortOrder(0x4000 | 0x400), 1);
  EXPECT_EQ(skin::HeaderSortOrder(0x200), -1);
  EXPECT_EQ(skin::HeaderSortOrder(0x4000), 0);
  const std::vector<ImageRect> up = skin::HeaderSortArrow(80, 20, true);
  ASSERT_EQ(up.size(), 4u);
  EXPECT_EQ(up.front(), (ImageRect{73, 8, 74, 9}));  // the point on top
  EXPECT_EQ(up.back(), (ImageRect{70, 11, 77, 12}));
  const std::vector<ImageRect> down = skin::HeaderSortArrow(80, 20, false);
  EXPECT_EQ(down.front().width(), 7);
  EXPECT_EQ(down.back().width(), 1);
  // Within the room it takes from the item; none in an item too narrow to spare it.
  for (const ImageRect& row : up) EXPECT_GE(row.left, 80 - skin::kHeaderSortRoom);
  EXPECT_TRUE(skin::HeaderSortArrow(27, 20, true).empty());
}

TEST(HeaderLayoutTest, HoverFollowsItemsAndDividersKeepTheLastItem) {
  std::vector<ImageRect> items;
  for (const ImageRect& r : {ImageRect{0, 0, 100, 20}, ImageRect{100, 0, 200, 20}})
    items.push_back(skin::HeaderHoverRect(r));
  EXPECT_EQ(skin::HotHeaderItem(items, 150, 10, -1), 1);
  EXPECT_EQ(skin::HotHeaderItem(items, 3, 10, -1), 0);
  EXPECT_EQ(skin::HotHeaderItem(items, 2, 10, -1), -1);  // within 3 pixels of the edge
  EXPECT_EQ(skin::HotHeaderItem(items, 99, 10, 1), 1);   // on the divider
  EXPECT_EQ(skin::HotHeaderItem(items, 300, 10, 0), 0);  // past the last item
}

TEST(ProgressFillTest, FillFollowsThePositionWithinTheRange) {
  EXPECT_EQ(skin::ProgressFill(100, 50, 0, 200), 25);
  EXPECT_EQ(skin::ProgressFill(100, 0, 0, 200), 0);
  EXPECT_EQ(skin::ProgressFill(100, 200, 0, 200), 100);
  // A range not starting at 0: halfway is half the bar, the low end is empty.
  EXPECT_EQ(skin::ProgressFill(100, 150, 100, 200), 50);
  EXPECT_EQ(skin::ProgressFill(100, 100, 100, 200), 0);
  EXPECT_EQ(skin::ProgressFill(100, -50, -100, 0), 50);
  // Rounded as MulDiv rounds.
  EXPECT_EQ(skin::ProgressFill(10, 1, 0, 3), 3);
  EXPECT_EQ(skin::ProgressFill(10, 2, 0, 3), 7);
  // Outside the range, empty ranges, huge ranges: never outside the bar.
  EXPECT_EQ(skin::ProgressFill(100, 500, 0, 200), 100);
  EXPECT_EQ(skin::ProgressFill(100, -5, 0, 200), 0);
  EXPECT_EQ(skin::ProgressFill(100, 5, 5, 5), 0);
  EXPECT_EQ(skin::ProgressFill(100, 5, 10, 0), 0);
  EXPECT_EQ(skin::ProgressFill(100, 0, INT32_MIN, INT32_MAX), 50);
  EXPECT_EQ(skin::ProgressFill(0, 50, 0, 100), 0);
}

TEST(ProgressFillTest, ChunksCoverTheFillAndStayInTheBar) {
  // Chunks 8 wide from x = 4 over a fill of 20: 8 + 8 + 4.
  skin::PaintPlan p = skin::PlanProgressChunks(20, 8, 10, 4, 2, 100);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].dst, (ImageRect{4, 2, 12, 12}));
  EXPECT_EQ(p[2].src, (ImageRect{0, 0, 4, 10}));
  EXPECT_EQ(p[2].dst, (ImageRect{20, 2, 24, 12}));
  // A full bar does not spill past its width.
  p = skin::PlanProgressChunks(100, 8, 10, 4, 2, 100);
  EXPECT_EQ(p.back().dst.right, 100);
  EXPECT_TRUE(skin::PlanProgressChunks(20, 0, 10, 4, 2, 100).empty());
  EXPECT_TRUE(skin::PlanProgressChunks(0, 8, 10, 4, 2, 100).empty());
}

TEST(ProgressFillTest, StretchedChunkKeepsItsCaps) {
  skin::PaintPlan p = skin::PlanStretchedChunk(50, 10, 8, 6, 2, 3);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].dst, (ImageRect{0, 0, 2, 10}));
  EXPECT_EQ(p[1].src, (ImageRect{2, 0, 5, 6}));
  EXPECT_EQ(p[1].dst, (ImageRect{2, 0, 47, 10}));
  EXPECT_EQ(p[2].dst, (ImageRect{47, 0, 50, 10}));
  // Narrower than the chunk: the whole chunk squeezed in.
  p = skin::PlanStretchedChunk(5, 10, 8, 6, 2, 3);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].src, (ImageRect{0, 0, 8, 6}));
  EXPECT_EQ(p[0].dst, (ImageRect{0, 0, 5, 10}));
}

TEST(TrackChannelTest, CapsKeepTheirLengthAndTheImageIsCentredAcross) {
  // Horizontal: a 20 x 6 image with 3-pixel caps along a channel 100 x 10 at (8, 12).
  skin::PaintPlan p = skin::PlanTrackChannel(20, 6, {8, 12, 108, 22}, 3, 3, false);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].dst, (ImageRect{8, 14, 11, 20}));
  EXPECT_EQ(p[1].src, (ImageRect{3, 0, 17, 6}));
  EXPECT_EQ(p[1].dst, (ImageRect{11, 14, 105, 20}));
  EXPECT_EQ(p[2].dst, (ImageRect{105, 14, 108, 20}));
  // A channel thinner than the image: the image starts at its top.
  EXPECT_EQ(skin::PlanTrackChannel(20, 6, {8, 12, 108, 16}, 3, 3, false)[0].dst.top, 12);
  // Vertical: the top and bottom caps.
  p = skin::PlanTrackChannel(6, 20, {12, 8, 22, 108}, 4, 2, true);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].dst, (ImageRect{14, 8, 20, 12}));
  EXPECT_EQ(p[1].dst, (ImageRect{14, 12, 20, 106}));
  EXPECT_EQ(p[2].src, (ImageRect{0, 18, 6, 20}));
  // Caps wider than the image never cut outside it.
  for (const skin::BlitStep& s : skin::PlanTrackChannel(6, 4, {0, 0, 50, 10}, 9, 9, false))
    EXPECT_LE(s.src.right, 6);
}

TEST(TrackChannelTest, AVerticalChannelReportedAcrossIsTurned) {
  EXPECT_EQ(skin::VerticalChannel({8, 12, 108, 16}), (ImageRect{12, 8, 16, 108}));
  EXPECT_EQ(skin::VerticalChannel({12, 8, 16, 108}), (ImageRect{12, 8, 16, 108}));
}

TEST(DateTimeArrowTest, ButtonPlacedByScrollBarSide) {
  EXPECT_EQ(skin::DateTimeArrowRect(100, 21, 17, false), (ImageRect{79, 0, 96, 17}));
  EXPECT_EQ(skin::DateTimeArrowRect(100, 21, 17, true), (ImageRect{2, 0, 19, 17}));
  EXPECT_EQ(skin::DateTimeArrowRect(100, 2, 17, false).bottom, 0);
  EXPECT_EQ(skin::ArrowButtonFrame(true, 4), 4);
  EXPECT_EQ(skin::ArrowButtonFrame(true, 2), 2);
  EXPECT_EQ(skin::ArrowButtonFrame(false, 4), 1);
}

TEST(ObjImageStripTest, StripsOfEachModeTakeOnlyFramesTheSourceHas) {
  // Radio glyphs of 4 frames: a 6-frame strip (78 pixels for 13-pixel frames).
  skin::GlyphStripMap radio = skin::ObjImageStrip(2, 4);
  EXPECT_EQ(radio.frames, 6);
  EXPECT_EQ(radio.copies.size(), 6u);
  EXPECT_EQ(radio.copies.back(), (std::pair<int, int>{6, 4}));
  // Check glyphs: the fifth source frame only when there is one.
  EXPECT_EQ(skin::ObjImageStrip(1, 4).copies.size(), 6u);
  EXPECT_EQ(skin::ObjImageStrip(1, 5).copies.size(), 9u);
  EXPECT_EQ(skin::ObjImageStrip(3, 5).frames, 6);
  EXPECT_EQ(skin::ObjImageStrip(3, 5).copies.size(), 6u);
  // Two source frames: destinations needing frames 3 and 4 stay empty.
  for (const auto& c : skin::ObjImageStrip(1, 2).copies) EXPECT_LE(c.second, 2);
  EXPECT_EQ(skin::ObjImageStrip(7, 5).frames, 0);
}

}  // namespace

// At 200 % the arrow is the same triangle twice as large (8 rows, 13 wide at the base, still
// pointing its way), in twice the room; an item too narrow for the larger room shows none.
TEST(HeaderLayoutTest, SortArrowAndInsetsFollowTheScale) {
  const skin::Scale twice = skin::Scale::FromDpi(192);
  const std::vector<ImageRect> up = skin::HeaderSortArrow(160, 40, true, twice);
  ASSERT_EQ(up.size(), 8u);
  EXPECT_EQ(up.front().width(), 1);
  EXPECT_EQ(up.back().width(), 13);
  for (size_t i = 1; i < up.size(); ++i) {
    EXPECT_GE(up[i].width(), up[i - 1].width());
    EXPECT_EQ(up[i].left + up[i].right, up[0].left + up[0].right);  // centred on one column
    EXPECT_EQ(up[i].top, up[i - 1].bottom);
  }
  for (const ImageRect& row : up) EXPECT_GE(row.left, 160 - 2 * skin::kHeaderSortRoom);
  EXPECT_EQ(skin::HeaderSortArrow(160, 40, false, twice).front().width(), 13);
  EXPECT_TRUE(skin::HeaderSortArrow(55, 40, true, twice).empty());
  EXPECT_FALSE(skin::HeaderSortArrow(55, 40, true).empty());

  EXPECT_EQ(skin::HeaderHoverRect({0, 0, 100, 40}, twice), (ImageRect{6, 0, 94, 40}));
  skin::HeaderItemInput in;
  in.width = 200;
  in.height = 40;
  in.textWidth = 50;
  in.textHeight = 26;
  in.scale = twice;
  EXPECT_EQ(skin::LayoutHeaderItem(in).text.left, 6);
  in.align = skin::HeaderAlign::Right;
  EXPECT_EQ(skin::LayoutHeaderItem(in).text.right, 196);
  EXPECT_EQ(skin::DateTimeArrowRect(150, 32, 26, false, skin::Scale::FromDpi(144)),
            (ImageRect{118, 0, 144, 26}));
}
