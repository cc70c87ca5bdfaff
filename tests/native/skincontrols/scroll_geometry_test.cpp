// The scroll-bar overlay's portable arithmetic: thumbs of scroll-bar controls, hit zones, dragging
// and the position a dragged thumb stands for, and the image each part of a bar shows.
#include <gtest/gtest.h>

#include "skin/controls/ScrollGeometry.h"

namespace {

using skin::ScrollRange;
using skin::ThumbSpan;

constexpr int kA = 17;

TEST(ScrollThumbTest, AHundredItemListWithAPageOfEightDraggedToTheEndShowsItemNinetyTwo) {
  const ScrollRange list{0, 99, 8, 0};
  const ThumbSpan start = skin::ControlThumb(200, kA, list);
  EXPECT_EQ(start, (ThumbSpan{kA, kA + 12}));  // 166 * 7 / 99, rounded
  // Dragged far past the end, the thumb stops an arrow short of it.
  const ThumbSpan end = skin::DragThumb(start.top, start.size(), 1000, 200, kA);
  EXPECT_EQ(end, (ThumbSpan{200 - kA - 12, 200 - kA}));
  EXPECT_EQ(skin::ThumbPosition(end.top, end.size(), 200, kA, list), 92);
  // ... and where the last position puts the thumb is that same place.
  EXPECT_EQ(skin::ControlThumb(200, kA, {0, 99, 8, 92}), end);
  // Dragged back past the start it stops at the first arrow and stands for the first item.
  const ThumbSpan back = skin::DragThumb(end.top, end.size(), -1000, 200, kA);
  EXPECT_EQ(back.top, kA);
  EXPECT_EQ(skin::ThumbPosition(back.top, back.size(), 200, kA, list), 0);
  // Halfway along, halfway through the positions; a bar too short for its thumb stays at min.
  EXPECT_EQ(skin::ThumbPosition(kA + 77, 12, 200, kA, list), 46);
  EXPECT_EQ(skin::ThumbPosition(20, 40, 60, kA, {5, 99, 8, 5}), 5);
  // Without a page the whole range is spread over the track.
  EXPECT_EQ(skin::ThumbPosition(200 - 2 * kA, kA, 200, kA, {0, 50, 0, 0}), 50);
}

TEST(ScrollThumbTest, ControlThumbsSmallThumbsEmptyRangesAndNoPage) {
  // Page 5 of a 1000 range on a 200-pixel bar: computed below 8, so 8 long and the position
  // scaled over the track less those 8 pixels.
  EXPECT_EQ(skin::ControlThumb(200, kA, {0, 1000, 5, 0}), (ThumbSpan{kA, kA + 8}));
  EXPECT_EQ(skin::ControlThumb(200, kA, {0, 1000, 5, 500}), (ThumbSpan{kA + 79, kA + 87}));
  // No page: an arrow long, over the track less one arrow.
  EXPECT_EQ(skin::ControlThumb(200, kA, {0, 100, 0, 0}), (ThumbSpan{kA, 2 * kA}));
  EXPECT_EQ(skin::ControlThumb(200, kA, {0, 100, 0, 100}), (ThumbSpan{200 - 2 * kA, 200 - kA}));
  // Ends that meet: the thumb sits at the first arrow, never divided by zero.
  EXPECT_EQ(skin::ControlThumb(200, kA, {7, 7, 0, 7}).top, kA);
  EXPECT_EQ(skin::ControlThumb(200, kA, {7, 7, 3, 7}).top, kA);
}

TEST(ScrollThumbTest, MulDivRoundsToTheNearestAndRefusesZero) {
  EXPECT_EQ(skin::MulDivRound(166, 7, 99), 12);
  EXPECT_EQ(skin::MulDivRound(10, 1, 4), 3);  // 2.5 rounds away from zero
  EXPECT_EQ(skin::MulDivRound(-10, 1, 4), -3);
  EXPECT_EQ(skin::MulDivRound(10, 1, -4), -3);
  EXPECT_EQ(skin::MulDivRound(1 << 30, 1 << 20, 1 << 25), 1 << 25);  // no overflow on the way
  EXPECT_EQ(skin::MulDivRound(5, 5, 0), -1);
}

TEST(ScrollHitZoneTest, EachPartOfTheBarAnswersItsRequest) {
  const ThumbSpan thumb{60, 90};
  EXPECT_EQ(skin::HitZone(0, 200, kA, thumb), skin::kZoneLineUp);
  EXPECT_EQ(skin::HitZone(kA - 1, 200, kA, thumb), skin::kZoneLineUp);
  EXPECT_EQ(skin::HitZone(kA, 200, kA, thumb), skin::kZonePageUp);
  EXPECT_EQ(skin::HitZone(60, 200, kA, thumb), skin::kZoneThumb);
  EXPECT_EQ(skin::HitZone(89, 200, kA, thumb), skin::kZoneThumb);
  EXPECT_EQ(skin::HitZone(90, 200, kA, thumb), skin::kZonePageDown);
  EXPECT_EQ(skin::HitZone(200 - kA - 1, 200, kA, thumb), skin::kZonePageDown);
  EXPECT_EQ(skin::HitZone(200 - kA, 200, kA, thumb), skin::kZoneLineDown);
}

TEST(ScrollFramesTest, ArrowsTrackThumbAndGripPerState) {
  auto f = skin::ChooseBarFrames(true, true, skin::kZoneNone, false, 3, 4);
  EXPECT_EQ(f.firstArrow, 9);
  EXPECT_EQ(f.secondArrow, 13);
  EXPECT_EQ(f.track, 1);
  EXPECT_EQ(f.thumb, 1);
  EXPECT_EQ(f.grip, 20);
  f = skin::ChooseBarFrames(true, true, skin::kZoneLineUp, false, 3, 4);
  EXPECT_EQ(f.firstArrow, 12);  // hot
  EXPECT_EQ(f.secondArrow, 13);
  f = skin::ChooseBarFrames(true, true, skin::kZoneLineUp, true, 3, 4);
  EXPECT_EQ(f.firstArrow, 10);  // pressed
  f = skin::ChooseBarFrames(false, true, skin::kZoneLineDown, true, 3, 4);
  EXPECT_EQ(f.firstArrow, 1);
  EXPECT_EQ(f.secondArrow, 6);
  f = skin::ChooseBarFrames(false, true, skin::kZoneLineDown, false, 3, 4);
  EXPECT_EQ(f.secondArrow, 8);
  // Dragging the thumb: pressed thumb and grip; hovering it: hot ones.
  f = skin::ChooseBarFrames(true, true, skin::kZoneThumb, true, 3, 4);
  EXPECT_EQ(f.thumb, 2);
  EXPECT_EQ(f.grip, 21);
  f = skin::ChooseBarFrames(false, true, skin::kZoneThumb, false, 3, 4);
  EXPECT_EQ(f.thumb, 3);
  EXPECT_EQ(f.grip, 19);
  // Page requests and the end of tracking light no arrow.
  f = skin::ChooseBarFrames(true, true, 8 /* end of tracking */, false, 3, 4);
  EXPECT_EQ(f.firstArrow, 9);
  EXPECT_EQ(f.secondArrow, 13);
  EXPECT_EQ(skin::ChooseBarFrames(true, false, skin::kZoneNone, false, 3, 4).track, 3);
  // Strips with fewer images than the states ask for: clamped, never past the strip.
  EXPECT_EQ(skin::ChooseBarFrames(true, true, skin::kZoneThumb, false, 1, 4).thumb, 1);
  EXPECT_EQ(skin::ChooseBarFrames(true, true, skin::kZoneThumb, false, 2, 4).thumb, 2);
  EXPECT_EQ(skin::ChooseBarFrames(true, true, skin::kZoneThumb, true, 0, 4).thumb, 1);
  EXPECT_EQ(skin::ChooseBarFrames(true, false, skin::kZoneNone, false, 3, 2).track, 2);
  EXPECT_EQ(skin::ClampFrame(30, 23), 23);
  EXPECT_EQ(skin::ClampFrame(-2, 23), 1);
}

TEST(ScrollLayoutTest, ShortBarsDisabledBarsAndGrips) {
  // 30 long with arrows of 17: both arrows 15, the track inverted (not drawn).
  auto l = skin::LayoutBar(true, 17, 30, 17, kA, {kA, kA + 8}, 17, true);
  EXPECT_EQ(l.firstArrow, (skin::ImageRect{0, 0, 17, 15}));
  EXPECT_EQ(l.secondArrow, (skin::ImageRect{0, 15, 17, 30}));
  EXPECT_LT(l.track.bottom, l.track.top);
  // A thumb 40 long carries a 17-pixel grip in its middle.
  l = skin::LayoutBar(true, 16, 200, 16, kA, {60, 100}, 17, true);
  EXPECT_TRUE(l.drawThumb);
  EXPECT_EQ(l.thumb, (skin::ImageRect{0, 60, 16, 100}));
  ASSERT_TRUE(l.drawGrip);
  EXPECT_EQ(l.grip, (skin::ImageRect{0, 71, 16, 88}));
  EXPECT_EQ(l.track, (skin::ImageRect{0, kA, 16, 200 - kA}));
  // Horizontal bars lay the same pieces out across.
  l = skin::LayoutBar(false, 200, 16, 16, kA, {60, 100}, 17, true);
  EXPECT_EQ(l.grip, (skin::ImageRect{71, 0, 88, 16}));
  EXPECT_EQ(l.secondArrow, (skin::ImageRect{200 - kA, 0, 200, 16}));
  // A thumb shorter than the grip goes without it; a disabled bar has neither.
  EXPECT_FALSE(skin::LayoutBar(true, 16, 200, 16, kA, {60, 70}, 17, true).drawGrip);
  l = skin::LayoutBar(true, 16, 200, 16, kA, {60, 100}, 17, false);
  EXPECT_FALSE(l.drawThumb);
  EXPECT_FALSE(l.drawGrip);
  // A thumb beyond a bar that shrank under it is not drawn.
  EXPECT_FALSE(skin::LayoutBar(true, 16, 80, 16, kA, {60, 100}, 17, true).drawThumb);
}

TEST(ScrollLayoutTest, ThicknessFollowsTheStripUnlessItIsFarFromTheSystemsArrows) {
  EXPECT_EQ(skin::BarThickness(16, 17), 16);
  EXPECT_EQ(skin::BarThickness(16, 21), 21);
  EXPECT_EQ(skin::BarThickness(19, 17), 19);
  EXPECT_EQ(skin::BarThickness(0, 17), 17);
}

// The system allows any int range, the widest from INT_MIN to INT_MAX: the thumb's arithmetic
// stays in range (it overflowed int before, undefined behaviour), the thumb stays in its bar and
// its two ends stand for the two ends of the range.
TEST(ScrollThumbTest, TheWidestRangeTheSystemAllowsStaysInTheBar) {
  constexpr int kA = 17, kLength = 300;
  ScrollRange range{INT32_MIN, INT32_MAX, 1 << 30, INT32_MIN};
  const ThumbSpan first = skin::ControlThumb(kLength, kA, range);
  EXPECT_EQ(first.top, kA);
  EXPECT_EQ(first.size(), (kLength - 2 * kA) / 4);  // a page of a quarter of the range
  range.pos = INT32_MAX;                            // the system keeps it at max - page + 1
  const ThumbSpan last = skin::ControlThumb(kLength, kA, range);
  EXPECT_EQ(last.bottom, kLength - kA);
  EXPECT_EQ(skin::ThumbPosition(first.top, first.size(), kLength, kA, range), INT32_MIN);
  EXPECT_EQ(skin::ThumbPosition(last.top, last.size(), kLength, kA, range),
            INT32_MAX - (1 << 30) + 1);
  // Place and length rounded apart (3825 * 3 / 10 and 3825 * 7 / 10 both end in .5): the thumb
  // at the end of its range still ends at the far end of the bar.
  const ThumbSpan rounded = skin::ControlThumb(3825, 0, {0, 10, 8, 10});
  EXPECT_EQ(rounded.bottom, 3825);
  EXPECT_EQ(rounded.size(), 2678);
  // A page beyond the whole range: a thumb longer than the bar, which is not drawn.
  range.page = INT32_MAX;
  range.max = INT32_MIN + 10;
  EXPECT_GT(skin::ControlThumb(kLength, kA, range).size(), kLength - 2 * kA);
}

}  // namespace
