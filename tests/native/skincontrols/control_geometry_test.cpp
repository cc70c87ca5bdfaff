// The control skinners' portable rules: which image each state shows, glyph and caption layout.
#include <gtest/gtest.h>

#include "skin/controls/ControlGeometry.h"

namespace {

using skin::ButtonState;

TEST(ButtonFrameTest, StatesInTheirOrderOfPrecedence) {
  EXPECT_EQ(skin::ButtonFrame({}, 5), 1);
  EXPECT_EQ(skin::ButtonFrame({.isDefault = true}, 5), 5);
  EXPECT_EQ(skin::ButtonFrame({.focused = true}, 5), 5);
  EXPECT_EQ(skin::ButtonFrame({.hot = true, .focused = true}, 5), 4);
  EXPECT_EQ(skin::ButtonFrame({.down = true, .hot = true, .isDefault = true}, 5), 2);
  EXPECT_EQ(skin::ButtonFrame({.down = true, .isDefault = true, .disabled = true}, 5), 3);
  // Skins with fewer (or no) frames never index past their strip.
  EXPECT_EQ(skin::ButtonFrame({.isDefault = true}, 3), 3);
  EXPECT_EQ(skin::ButtonFrame({.down = true}, 0), 1);
}

TEST(GlyphFrameTest, CheckAndRadioStripsOfEveryLayout) {
  using skin::CheckBoxFrame;
  using skin::RadioButtonFrame;
  // Four frames: unchecked, checked, unchecked disabled, checked disabled or indeterminate.
  EXPECT_EQ(CheckBoxFrame(1, false, false, 4), 1);
  EXPECT_EQ(CheckBoxFrame(2, true, false, 4), 4);
  EXPECT_EQ(CheckBoxFrame(1, true, false, 4), 3);
  EXPECT_EQ(CheckBoxFrame(1, false, true, 4), 4);
  EXPECT_EQ(CheckBoxFrame(4, false, false, 4), 4);  // grayed through the control's State
  // Twelve frames: checked 5, disabled 4/8, indeterminate 9/12.
  EXPECT_EQ(CheckBoxFrame(2, false, false, 12), 5);
  EXPECT_EQ(CheckBoxFrame(1, true, false, 12), 4);
  EXPECT_EQ(CheckBoxFrame(2, true, false, 12), 8);
  EXPECT_EQ(CheckBoxFrame(1, false, true, 12), 9);
  EXPECT_EQ(CheckBoxFrame(2, true, true, 12), 12);
  EXPECT_EQ(RadioButtonFrame(true, false, 4), 2);
  EXPECT_EQ(RadioButtonFrame(true, true, 4), 4);
  EXPECT_EQ(RadioButtonFrame(true, false, 8), 5);
  EXPECT_EQ(RadioButtonFrame(false, true, 8), 4);
  EXPECT_EQ(RadioButtonFrame(true, true, 8), 8);
  // Too few frames: clamped, never past the strip.
  for (int frames : {0, 1, 2, 3})
    for (int check : {1, 2, 4})
      for (bool d : {false, true}) {
        EXPECT_LE(CheckBoxFrame(check, d, !d, frames), std::max(frames, 1));
        EXPECT_LE(RadioButtonFrame(check == 2, d, frames), std::max(frames, 1));
      }
  EXPECT_EQ(skin::GuessGlyphFrames(52, 13), 4);
  EXPECT_EQ(skin::GuessGlyphFrames(192, 16), 12);
  EXPECT_EQ(skin::GuessGlyphFrames(20, 13), 4);
}

TEST(GlyphLayoutTest, CheckGlyphAndCaptionSides) {
  auto l = skin::CheckGlyphLayout(120, 21, 13, 13, false, false);
  EXPECT_EQ(l.glyph, (skin::ImageRect{0, 4, 13, 17}));
  EXPECT_EQ(l.text.left, 15);
  l = skin::CheckGlyphLayout(120, 21, 13, 13, true, false);
  EXPECT_EQ(l.glyph.right, 120);
  EXPECT_EQ(l.text.right, 120 - 13 - 2);
  l = skin::CheckGlyphLayout(120, 21, 13, 13, true, true);  // radio: one pixel in from the edge
  EXPECT_EQ(l.glyph.right, 119);
  EXPECT_EQ(l.text.right, 120 - 13 - 3);
  EXPECT_EQ(skin::CentredCaption(75, 25, 31, 13), (skin::ImageRect{22, 5, 53, 18}));
}

TEST(GlyphLayoutTest, GlyphButtonSpreadsFreeSpace) {
  skin::GlyphButtonInput in;
  in.width = 100;
  in.height = 30;
  in.glyphWidth = 16;
  in.glyphHeight = 16;
  in.textWidth = 40;
  in.textHeight = 14;
  // Margin and spacing -1: three equal parts before, between and after.
  in.margin = -1;
  in.spacing = -1;
  auto at = skin::LayoutGlyphButton(in);
  EXPECT_EQ(at.glyphX, 14);
  EXPECT_EQ(at.textX, 14 + 16 + 14);
  EXPECT_EQ(at.glyphY, 7);
  // A given margin and spacing on the right.
  in.margin = 4;
  in.spacing = 3;
  in.layout = skin::GlyphLayoutKind::Right;
  at = skin::LayoutGlyphButton(in);
  EXPECT_EQ(at.glyphX, 100 - 4 - 16);
  EXPECT_EQ(at.textX, 80 - 3 - 40);
  // Top: centred across, glyph first from the top.
  in.layout = skin::GlyphLayoutKind::Top;
  at = skin::LayoutGlyphButton(in);
  EXPECT_EQ(at.glyphY, 4);
  EXPECT_EQ(at.textY, 4 + 16 + 3);
  EXPECT_EQ(at.glyphX, (100 - 16 + 1) / 2);
  // No caption: no spacing.
  in.textWidth = in.textHeight = 0;
  in.layout = skin::GlyphLayoutKind::Left;
  in.margin = -1;
  at = skin::LayoutGlyphButton(in);
  EXPECT_EQ(at.glyphX, (100 - 16) / 2);
  EXPECT_EQ(skin::GlyphLayoutFromName("blglyphbottom"), skin::GlyphLayoutKind::Bottom);
  EXPECT_EQ(skin::GlyphLayoutFromName("whatever"), skin::GlyphLayoutKind::Left);
}

}  // namespace

// At 150 % the glyph is the scaled one (13 -> 20) and the gaps beside it are 96-dpi lengths
// scaled: the caption starts 3 pixels after the glyph, a radio sits 2 pixels in from the edge.
TEST(GlyphLayoutTest, CheckGlyphGapsFollowTheScale) {
  const skin::Scale s = skin::Scale::FromDpi(144);
  auto l = skin::CheckGlyphLayout(180, 32, 20, 20, false, false, s);
  EXPECT_EQ(l.glyph, (skin::ImageRect{0, 6, 20, 26}));
  EXPECT_EQ(l.text.left, 23);
  l = skin::CheckGlyphLayout(180, 32, 20, 20, true, true, s);
  EXPECT_EQ(l.glyph.right, 178);
  EXPECT_EQ(l.text.right, 180 - 20 - 3 - 2);
  // The glyph never overlaps its caption, whichever side the caption is on.
  for (bool left : {false, true}) {
    l = skin::CheckGlyphLayout(180, 32, 26, 26, left, false, skin::Scale::FromDpi(192));
    EXPECT_TRUE(l.text.right <= l.glyph.left || l.text.left >= l.glyph.right);
  }
}
