// The edit and up-down skinners' portable rules: the border band's presence and colour, the
// halves of an up-down and the image each shows, the room an embedded up-down leaves the edit's
// border, and which child windows an edit takes for its spin button.
#include <gtest/gtest.h>

#include "skin/controls/EditGeometry.h"
#include "skin/data/WinSkinIni.h"

namespace {

using skin::ImageRect;
using skin::SpinHalf;

TEST(EditBorderTest, BandOnlyOnBorderedEditsColourByState) {
  EXPECT_TRUE(skin::EditHasBorder(113, 21, 109, 17));
  EXPECT_FALSE(skin::EditHasBorder(113, 21, 113, 21));  // BorderStyle none
  EXPECT_FALSE(skin::EditHasBorder(113, 21, 113, 17));  // no border across
  EXPECT_FALSE(skin::EditHasBorder(113, 21, 109, 21));
  // The system's frame is left out only where the band covers all of it.
  EXPECT_TRUE(skin::EditBandCoversFrame(113, 21, 109, 17, false));   // client edge
  EXPECT_TRUE(skin::EditBandCoversFrame(113, 21, 111, 19, false));   // one-pixel border
  EXPECT_FALSE(skin::EditBandCoversFrame(113, 21, 105, 13, false));  // four pixels
  EXPECT_FALSE(skin::EditBandCoversFrame(113, 60, 92, 56, true));    // a scroll bar in it
  EXPECT_FALSE(skin::EditBandCoversFrame(113, 21, 113, 21, false));
  using S = skin::EditBorderState;
  EXPECT_EQ(skin::EditEdgeColourIndex(S{}), skin::ciButtonShadow);
  EXPECT_EQ(skin::EditEdgeColourIndex(S{.hot = true}), skin::ciButtonDkShadow);
  EXPECT_EQ(skin::EditEdgeColourIndex(S{.focused = true, .hot = true}), skin::ciHilight);
  // A disabled edit neither lights up nor darkens.
  EXPECT_EQ(skin::EditEdgeColourIndex(S{.focused = true, .hot = true, .disabled = true}),
            skin::ciButtonShadow);
}

TEST(UpDownHalvesTest, ThePointerPicksAHalfOnlyInsideTheControl) {
  // 15 x 19: the lower half takes the odd row.
  const skin::UpDownLayout v = skin::UpDownHalves(15, 19, false);
  EXPECT_EQ(v.first, (ImageRect{0, 0, 15, 9}));
  EXPECT_EQ(v.second, (ImageRect{0, 9, 15, 19}));
  EXPECT_EQ(skin::HalfAt(v, 7, 8), SpinHalf::First);
  EXPECT_EQ(skin::HalfAt(v, 7, 9), SpinHalf::Second);
  EXPECT_EQ(skin::HalfAt(v, 0, 18), SpinHalf::Second);
  // Beside, above or below the control (a press dragged away): no half.
  EXPECT_EQ(skin::HalfAt(v, 15, 12), SpinHalf::None);
  EXPECT_EQ(skin::HalfAt(v, -1, 2), SpinHalf::None);
  EXPECT_EQ(skin::HalfAt(v, 3, 19), SpinHalf::None);
  EXPECT_EQ(skin::HalfAt(v, 3, -1), SpinHalf::None);
  const skin::UpDownLayout h = skin::UpDownHalves(35, 17, true);
  EXPECT_EQ(h.first, (ImageRect{0, 0, 17, 17}));
  EXPECT_EQ(h.second, (ImageRect{17, 0, 35, 17}));
  EXPECT_EQ(skin::HalfAt(h, 16, 16), SpinHalf::First);
  EXPECT_EQ(skin::HalfAt(h, 17, 0), SpinHalf::Second);
}

TEST(UpDownFrameTest, StatesAndHalvesInTheEightFrameStrip) {
  // Pressed shows only on the half under the pointer; hot likewise; disabled everywhere.
  EXPECT_EQ(skin::UpDownHalfState(true, true, true, false), 2);
  EXPECT_EQ(skin::UpDownHalfState(false, true, true, false), 1);
  EXPECT_EQ(skin::UpDownHalfState(true, false, true, false), 4);
  EXPECT_EQ(skin::UpDownHalfState(true, false, false, false), 1);
  EXPECT_EQ(skin::UpDownHalfState(true, true, true, true), 3);
  EXPECT_EQ(skin::UpDownHalfState(false, false, false, true), 3);
  // The lower half pressed is frame 6, released 5; disabled 3 and 7; hot 4 and 8.
  EXPECT_EQ(skin::UpDownFrame(2, SpinHalf::Second, 8), 6);
  EXPECT_EQ(skin::UpDownFrame(1, SpinHalf::Second, 8), 5);
  EXPECT_EQ(skin::UpDownFrame(3, SpinHalf::First, 8), 3);
  EXPECT_EQ(skin::UpDownFrame(3, SpinHalf::Second, 8), 7);
  EXPECT_EQ(skin::UpDownFrame(4, SpinHalf::Second, 8), 8);
  // A strip with fewer frames (or none given) never indexes past its images.
  EXPECT_EQ(skin::UpDownFrame(4, SpinHalf::Second, 4), 4);
  EXPECT_EQ(skin::UpDownFrame(2, SpinHalf::First, 0), 1);
  EXPECT_EQ(skin::UpDownFrame(2, SpinHalf::Second, -3), 1);
}

TEST(EmbeddedUpDownTest, KeepsThreePixelsFromTheEditsOuterEdges) {
  const ImageRect edit{100, 50, 172, 72};
  // One pixel below the edit's top, two left of its right edge, bottom flush: the drawing starts
  // two pixels lower, ends one further left and three higher.
  EXPECT_EQ(skin::EmbeddedUpDownRect({155, 51, 170, 72}, edit), (ImageRect{0, 2, 14, 18}));
  // A spin edit's button: inside the 2-pixel client edge on three sides.
  EXPECT_EQ(skin::EmbeddedUpDownRect({155, 52, 170, 70}, edit), (ImageRect{0, 1, 14, 17}));
  // Far enough inside already: untouched.
  EXPECT_EQ(skin::EmbeddedUpDownRect({150, 55, 165, 67}, edit), (ImageRect{0, 0, 15, 12}));
  EXPECT_EQ(skin::CentredGlyphRect({0, 9, 15, 19}, 7, 7), (ImageRect{4, 10, 11, 17}));
  // A glyph larger than its half sticks out on both sides.
  EXPECT_EQ(skin::CentredGlyphRect({0, 0, 5, 5}, 8, 8), (ImageRect{-1, -1, 7, 7}));
}

TEST(SpinSearchTest, ClassNamesTakenForTheSpinChild) {
  EXPECT_TRUE(skin::IsSpinClass("msctls_updown32"));
  EXPECT_TRUE(skin::IsSpinClass("MSCTLS_UPDOWN32"));
  EXPECT_TRUE(skin::IsSpinClass("TSpinButton"));
  EXPECT_TRUE(skin::IsSpinClass("TUpDown"));
  EXPECT_FALSE(skin::IsSpinClass("Edit"));
  EXPECT_FALSE(skin::IsSpinClass("msctls_trackbar32"));
  EXPECT_FALSE(skin::IsSpinClass(""));
}

}  // namespace
