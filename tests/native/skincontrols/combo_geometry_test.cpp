// The combo box skinner's portable rules: the image of each state in both drawings, where the flat
// button goes on either side, and the list position a thumb drag stands for.
#include <gtest/gtest.h>

#include "skin/controls/ComboGeometry.h"

namespace {

using skin::ComboState;
using skin::ImageRect;

TEST(ComboFrameTest, WholeImageLetsDisabledWinFlatButtonLetsPressHoverAndFocusWin) {
  using skin::ComboImageFrame;
  using skin::FlatComboFrame;
  for (auto frame : {&ComboImageFrame, &FlatComboFrame}) {
    EXPECT_EQ(frame({}, 4), 1);
    EXPECT_EQ(frame({.focused = true}, 4), 4);
    EXPECT_EQ(frame({.focused = true, .down = true}, 4), 2);
    EXPECT_EQ(frame({.hot = true}, 4), 4);
    EXPECT_EQ(frame({.down = true, .hot = true}, 4), 2);
    EXPECT_EQ(frame({.disabled = true}, 4), 3);
  }
  EXPECT_EQ(ComboImageFrame({.focused = true, .disabled = true}, 4), 3);
  EXPECT_EQ(ComboImageFrame({.down = true, .disabled = true}, 4), 3);
  EXPECT_EQ(FlatComboFrame({.focused = true, .disabled = true}, 4), 4);
  EXPECT_EQ(FlatComboFrame({.down = true, .disabled = true}, 4), 2);
  // Strips with fewer frames, or none: never past the strip.
  EXPECT_EQ(ComboImageFrame({.focused = true}, 2), 2);
  EXPECT_EQ(FlatComboFrame({.disabled = true}, 0), 1);
  EXPECT_EQ(ComboImageFrame({.disabled = true}, -3), 1);
  EXPECT_EQ(skin::StripFrameWidth(60, 4), 15);
  EXPECT_EQ(skin::StripFrameWidth(60, 0), 60);
}

TEST(FlatComboGeometryTest, ButtonColumnAndImageOnEitherSide) {
  // A 60 x 16 strip of 4 frames, a 17-pixel thumb, a combo 120 x 21.
  auto l = skin::FlatComboGeometry(120, 21, 15, 16, 17, false);
  EXPECT_EQ(l.inner, (ImageRect{2, 2, 118, 19}));
  EXPECT_EQ(l.column, (ImageRect{101, 2, 118, 19}));
  EXPECT_EQ(l.image, (ImageRect{103, 2, 118, 18}));  // 16 high: shorter than the thumb
  // Right to left: the button column and the image start at x = 2.
  l = skin::FlatComboGeometry(120, 21, 15, 16, 17, true);
  EXPECT_EQ(l.column, (ImageRect{2, 2, 19, 19}));
  EXPECT_EQ(l.image, (ImageRect{2, 2, 17, 18}));
  // An image as high as the thumb or higher fills the inner height.
  l = skin::FlatComboGeometry(120, 21, 17, 19, 17, false);
  EXPECT_EQ(l.image, (ImageRect{101, 2, 118, 19}));
}

TEST(ThumbDragTest, ListOfHundredItemsWithPageEight) {
  // A 100-item list, 8 rows visible: bar 136 high, arrows 17, so a 102-pixel track.
  skin::ThumbDragInput in{.offset = 0, .min = 0, .max = 99, .page = 8, .track = 102, .thumb = 9};
  EXPECT_EQ(skin::ThumbDragPosition(in), 0);
  in.offset = -40;  // above the track
  EXPECT_EQ(skin::ThumbDragPosition(in), 0);
  in.offset = 1000;  // dragged to the very end
  EXPECT_EQ(skin::ThumbDragPosition(in), 92);
  in.offset = 93;  // the thumb at the end of the track
  EXPECT_EQ(skin::ThumbDragPosition(in), 92);
  in.offset = 92;  // one pixel before it
  EXPECT_EQ(skin::ThumbDragPosition(in), 90);
  // Positions grow with the offset and never pass the last page.
  int last = -1;
  for (int offset = 0; offset <= 120; ++offset) {
    in.offset = offset;
    const int p = skin::ThumbDragPosition(in);
    EXPECT_GE(p, last);
    EXPECT_LE(p, 92);
    last = p;
  }
}

TEST(ThumbDragTest, BarsWithoutAPageAndDegenerateTracks) {
  skin::ThumbDragInput in{
      .offset = 50, .min = 10, .max = 110, .page = 0, .track = 100, .thumb = 17};
  EXPECT_EQ(skin::ThumbDragPosition(in), 60);
  in.offset = 500;
  EXPECT_EQ(skin::ThumbDragPosition(in), 93);  // the thumb stops at the track's end
  // A track no longer than the thumb, or none at all: never below min, never a division by 0.
  in = {.offset = 5, .min = 3, .max = 9, .page = 2, .track = 9, .thumb = 9};
  EXPECT_GE(skin::ThumbDragPosition(in), 3);
  in = {.offset = 5, .min = 3, .max = 9, .page = 0, .track = 0, .thumb = 0};
  EXPECT_GE(skin::ThumbDragPosition(in), 3);
}

}  // namespace
