// Speed and menu buttons, tab strips on the four sides, status panels and the media player panel:
// their portable rules.
#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/BoxGeometry.h"

namespace {

using skin::ImageRect;
using skin::TabSide;

TEST(SpeedButtonTest, FlatButtonsShowTheFaceOnlyWhenHotPressedOrLatched) {
  using skin::SpeedButtonState;
  EXPECT_FALSE(skin::SpeedButtonShowsFace({}, true));
  EXPECT_TRUE(skin::SpeedButtonShowsFace({}, false));
  EXPECT_TRUE(skin::SpeedButtonShowsFace({.hot = true}, true));
  EXPECT_TRUE(skin::SpeedButtonShowsFace({.pressed = true}, true));
  EXPECT_TRUE(skin::SpeedButtonShowsFace({.latched = true}, true));
  // A disabled flat button never lights up, even under the pointer.
  EXPECT_FALSE(skin::SpeedButtonShowsFace({.hot = true, .enabled = false}, true));
  // Latched wins over disabled; its glyph is the fourth image when the strip has one.
  EXPECT_EQ(skin::SpeedButtonFrame({.enabled = false, .latched = true}), 2);
  EXPECT_EQ(skin::SpeedGlyphFrame({.latched = true}, 4), 4);
  EXPECT_EQ(skin::SpeedGlyphFrame({.latched = true}, 2), 1);
  EXPECT_EQ(skin::SpeedGlyphFrame({.pressed = true}, 3), 3);
  EXPECT_EQ(skin::SpeedGlyphFrame({.enabled = false}, 2), 2);
  EXPECT_EQ(skin::SpeedGlyphFrame({.enabled = false}, -3), 1);  // a negative count counts as 1
}

void ExpectArrowInside(const skin::MenuButtonLayout& l, int W, int H) {
  EXPECT_GE(l.arrowX - 3, 0);
  EXPECT_LE(l.arrowX + 3, W - 3);  // clear of the border
  EXPECT_GE(l.arrowY - 1, 0);
  EXPECT_LE(l.arrowY + 2, H - 1);
}

TEST(MenuButtonLayoutTest, FreeWidthInFourPartsAndTheArrowAlwaysOnTheButton) {
  skin::MenuButtonInput in{.width = 120,
                           .height = 25,
                           .glyphWidth = 16,
                           .glyphHeight = 16,
                           .textWidth = 40,
                           .textHeight = 13};
  const auto l = skin::LayoutMenuButton(in);
  // (120 - (16 + 40 + 8)) / 4 = 14 each for margin and spacing.
  EXPECT_EQ(l.glyphX, 14);
  EXPECT_EQ(l.glyphY, 4);
  EXPECT_EQ(l.textX, 14 + 16 + 14);
  EXPECT_EQ(l.textY, 6);
  ExpectArrowInside(l, 120, 25);
  EXPECT_GT(l.arrowX - 3, l.textX + in.textWidth);  // after the caption

  // A given margin: the spacing leaves room for the arrow instead of pushing it off.
  for (int margin : {0, 4, 10}) {
    in.margin = margin;
    in.spacing = -1;
    const auto m = skin::LayoutMenuButton(in);
    EXPECT_EQ(m.glyphX, margin);
    ExpectArrowInside(m, 120, 25);
  }
  in.margin = -1;
  in.spacing = 6;
  const auto s = skin::LayoutMenuButton(in);
  EXPECT_EQ(s.glyphX, (120 - (64 + 12)) / 2);
  EXPECT_EQ(s.textX, s.glyphX + 16 + 6);
  ExpectArrowInside(s, 120, 25);
  // A caption wider than the button still keeps the arrow on it.
  in.textWidth = 300;
  ExpectArrowInside(skin::LayoutMenuButton(in), 120, 25);
}

TEST(TabGeometryTest, SideFromTheStyle) {
  EXPECT_EQ(skin::TabSideOf(0), TabSide::Top);
  EXPECT_EQ(skin::TabSideOf(0x2), TabSide::Bottom);
  EXPECT_EQ(skin::TabSideOf(0x80), TabSide::Left);
  EXPECT_EQ(skin::TabSideOf(0x82), TabSide::Right);
}

TEST(TabGeometryTest, PaneAndStripOnEachSide) {
  const ImageRect control{0, 0, 200, 100};
  struct Case {
    TabSide side;
    ImageRect display, pane, strip;
  };
  // Display rectangles as a tab control with 20-pixel tabs reports them.
  const Case cases[] = {
      {TabSide::Top, {4, 24, 196, 96}, {0, 21, 200, 100}, {0, 0, 200, 21}},
      {TabSide::Bottom, {4, 4, 196, 76}, {0, 0, 200, 79}, {0, 79, 200, 100}},
      {TabSide::Left, {24, 4, 196, 96}, {21, 0, 200, 100}, {0, 0, 21, 100}},
      {TabSide::Right, {4, 4, 176, 96}, {0, 0, 179, 100}, {179, 0, 200, 100}},
  };
  for (const Case& c : cases) {
    const ImageRect pane = skin::TabPane(c.display, c.side);
    EXPECT_EQ(pane, c.pane) << static_cast<int>(c.side);
    EXPECT_EQ(skin::TabStrip(control, pane, c.side), c.strip) << static_cast<int>(c.side);
  }
  // A pane reaching past the control leaves no strip rather than an inverted one.
  EXPECT_TRUE(skin::TabStrip(control, {0, -10, 200, 100}, TabSide::Top).empty());
  EXPECT_FALSE(skin::TabStrip(control, {0, -10, 200, 100}, TabSide::Top).inverted());
}

// Where a pixel of the drawn (upright) strip lands after the strip is turned into place.
struct Point {
  int x, y;
};
Point Turned(Point p, int drawnW, int drawnH, TabSide side) {
  if (side == TabSide::Left) return {p.y, drawnW - 1 - p.x};
  if (side == TabSide::Right) return {drawnH - 1 - p.y, p.x};
  return p;
}

TEST(TabGeometryTest, TabsDrawnUprightLandOnTheirPlaceWhenTheStripIsTurned) {
  // A strip 24 wide and 150 high on the left or right; a tab at y 10..70 of it.
  const int sw = 24, sh = 150;
  const ImageRect tab{2, 10, 22, 70};
  for (TabSide side : {TabSide::Left, TabSide::Right}) {
    int dw = 0, dh = 0;
    skin::DrawnStripSize(sw, sh, side, dw, dh);
    EXPECT_EQ(dw, sh);
    EXPECT_EQ(dh, sw);
    const ImageRect d = skin::TabInDrawnStrip(tab, sw, sh, side);
    EXPECT_EQ(d.width(), tab.height());
    EXPECT_EQ(d.height(), tab.width());
    // Both drawn corners land on the tab's corners.
    const Point a = Turned({d.left, d.top}, dw, dh, side);
    const Point b = Turned({d.right - 1, d.bottom - 1}, dw, dh, side);
    EXPECT_EQ(std::min(a.x, b.x), tab.left);
    EXPECT_EQ(std::max(a.x, b.x), tab.right - 1);
    EXPECT_EQ(std::min(a.y, b.y), tab.top);
    EXPECT_EQ(std::max(a.y, b.y), tab.bottom - 1);
    // The drawn tab's top (its outer edge, as on top tabs) lands on the control's outer edge.
    const Point top = Turned({d.left, 0}, dw, dh, side);
    EXPECT_EQ(top.x, side == TabSide::Left ? 0 : sw - 1);
  }
  EXPECT_EQ(skin::TabInDrawnStrip(tab, sw, sh, TabSide::Bottom), tab);
}

TEST(TabGeometryTest, CloseBoxesHitOnlyTabsThatStillExist) {
  const std::vector<ImageRect> boxes = {skin::TabCloseBox({0, 0, 60, 20}),
                                        skin::TabCloseBox({60, 0, 120, 20}),
                                        skin::TabCloseBox({120, 0, 180, 20})};
  EXPECT_EQ(boxes[1], (ImageRect{112, 2, 118, 8}));
  EXPECT_EQ(skin::HitCloseBox(boxes, 114, 4, 3), 1);
  EXPECT_EQ(skin::HitCloseBox(boxes, 100, 4, 3), -1);  // on the tab, beside its box
  // Boxes from the last paint outlive a freed tab: the third is no tab any more.
  EXPECT_EQ(skin::HitCloseBox(boxes, 174, 4, 2), -1);
  EXPECT_EQ(skin::HitCloseBox(boxes, 114, 4, 0), -1);
  EXPECT_EQ(skin::TabGroupLeft(60, 16, 30), 7);
  EXPECT_EQ(skin::TabGroupLeft(40, 16, 60), 1);
}

TEST(StatusBarGeometryTest, PanelsGripAndText) {
  EXPECT_EQ(skin::StatusPanelRect({0, 2, 100, 20}, false, 300), (ImageRect{0, 2, 102, 20}));
  EXPECT_EQ(skin::StatusPanelRect({200, 2, 250, 20}, true, 300), (ImageRect{200, 2, 300, 20}));
  EXPECT_EQ(skin::StatusGripRect(300, 22, 9, 9), (ImageRect{290, 12, 299, 21}));
  EXPECT_EQ(skin::StatusTextTop(22, 14), 3);
}

TEST(PlayerGeometryTest, VisibleButtonsShareTheWidth) {
  const auto all = skin::LayoutPlayerButtons(270, 30, 0x1FF);
  ASSERT_EQ(all.size(), 9u);
  EXPECT_EQ(all[8].rect, (ImageRect{240, 0, 270, 30}));
  // Play, stop and eject only: three thirds, in their order.
  const auto three = skin::LayoutPlayerButtons(90, 30, 0x1 | 0x4 | 0x100);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[1].index, 2);
  EXPECT_EQ(three[2].rect, (ImageRect{60, 0, 90, 30}));
  EXPECT_EQ(skin::PlayerButtonAt(three, 65, 10), 8);
  EXPECT_EQ(skin::PlayerButtonAt(three, 95, 10), -1);
  EXPECT_TRUE(skin::LayoutPlayerButtons(90, 30, 0).empty());
  EXPECT_EQ(skin::PlayerButtonFrame(false, true), 3);
  EXPECT_EQ(skin::PlayerButtonFrame(true, true), 2);
}

}  // namespace
