// The skinned frame's arithmetic: thicknesses, client rectangle, window sizes on and off, caption
// text and button placement, button visibility and images, the system menu's rules, hit testing.
#include <gtest/gtest.h>

#include <random>

#include "skin/frame/FrameGeometry.h"

namespace {

using skin::BorderKind;
using skin::CaptionState;
using skin::Extent;
using skin::FrameMetrics;
using skin::ImageRect;

// The default skin's borders: Top 632 x 56 and Bottom 632 x 10 stacked, Left/Right 8 x 100 side
// by side, two frames each.
FrameMetrics DefaultMetrics() {
  skin::BorderImageSizes s;
  s.leftWidth = s.rightWidth = 8;
  s.leftFrames = s.rightFrames = s.topFrames = s.bottomFrames = 2;
  s.topHeight = 56;
  s.bottomHeight = 10;
  return skin::MetricsFromBorders(s, 0);
}

TEST(FrameMetricsTest, ThicknessesComeFromOneFrameOfEachBorderImage) {
  const FrameMetrics m = DefaultMetrics();
  EXPECT_EQ(m, (FrameMetrics{4, 28, 4, 5, 0}));
  // The main window's client area of 606 x 479 needs a window of 614 x 512.
  EXPECT_EQ(skin::SkinnedWindowSize(606, 479, m), (Extent{614, 512}));
  // Frame counts a skin may give as 0 or less count as 1; no image gives no border.
  skin::BorderImageSizes odd;
  odd.topHeight = 30;
  odd.topFrames = 0;
  odd.leftWidth = -5;
  EXPECT_EQ(skin::MetricsFromBorders(odd, 0).CaptionHeight, 30);
  EXPECT_EQ(skin::MetricsFromBorders(odd, 0).LeftWidth, 0);
}

TEST(FrameMetricsTest, SwitchingTheSkinOnAndOffNeverDriftsTheSize) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> small(0, 40), size(50, 900);
  for (int round = 0; round < 200; ++round) {
    const FrameMetrics m{small(rng), small(rng), small(rng), small(rng), 0};
    const Extent extra{small(rng), small(rng)};
    Extent system{size(rng), size(rng)};
    const Extent first = system;
    for (int i = 0; i < 20; ++i) {
      // On: the skinned window around the system window's client; off: the system frame again.
      const Extent skinned =
          skin::SkinnedWindowSize(system.width - extra.width, system.height - extra.height, m);
      system = skin::UnskinnedWindowSize(skinned, m, extra);
      ASSERT_EQ(system, first) << "round " << round << " switch " << i;
    }
  }
}

TEST(FrameMetricsTest, ClientRectangleIsInsideTheFrameAndNeverInsideOut) {
  const FrameMetrics m = DefaultMetrics();
  EXPECT_EQ(skin::SkinnedClientRect({100, 50, 714, 562}, m), (ImageRect{104, 78, 710, 557}));
  // Minimized and tiny windows: an empty client area, inside the window.
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> pos(-2000, 2000), extent(0, 60);
  for (int i = 0; i < 2000; ++i) {
    const int x = pos(rng), y = pos(rng);
    const ImageRect w{x, y, x + extent(rng), y + extent(rng)};
    const ImageRect c = skin::SkinnedClientRect(w, m);
    ASSERT_FALSE(c.inverted()) << i;
    ASSERT_GE(c.left, w.left);
    ASSERT_GE(c.top, w.top);
    ASSERT_LE(c.right, w.right);
    ASSERT_LE(c.bottom, w.bottom);
  }
}

TEST(FrameMetricsTest, BorderKindFromTheStyle) {
  constexpr unsigned caption = 0x00C00000, thick = 0x00040000, modal = 0x80;
  EXPECT_EQ(skin::BorderKindOf(caption | thick, 0), BorderKind::Sizeable);
  EXPECT_EQ(skin::BorderKindOf(caption, 0), BorderKind::Single);
  EXPECT_EQ(skin::BorderKindOf(caption | modal, 0), BorderKind::Dialog);
  EXPECT_EQ(skin::BorderKindOf(caption, 1), BorderKind::Dialog);           // WS_EX_DLGMODALFRAME
  EXPECT_EQ(skin::BorderKindOf(0x00800000 | thick, 0), BorderKind::None);  // border, no caption
}

TEST(CaptionTextTest, AlignmentsReserveAndRightToLeft) {
  skin::CaptionTextStyle st;
  st.textShift = 26;
  st.rightClip = 8;
  skin::CaptionTextInput in;
  in.area = {4, 0, 610, 28};  // 606 wide
  in.text = {100, 16};
  EXPECT_EQ(skin::PlaceCaptionText(st, in), (ImageRect{30, 6, 130, 22}));
  st.alignment = 1;
  EXPECT_EQ(skin::PlaceCaptionText(st, in).left, 4 + 253);
  st.alignment = 2;
  EXPECT_EQ(skin::PlaceCaptionText(st, in).right, 610 - 8);
  st.alignment = 0;
  // A long text stops short of the right-aligned buttons.
  in.text = {900, 16};
  in.rightReserve = 73;
  EXPECT_EQ(skin::PlaceCaptionText(st, in).right, 610 - 73 - 5);
  in.rightReserve = 0;
  EXPECT_EQ(skin::PlaceCaptionText(st, in).right, 610 - 8);
  // Right to left: alignment 0 ends before the reserve, and the box moves 10 to the right.
  in.text = {100, 16};
  in.rightReserve = 73;
  in.rightToLeft = true;
  EXPECT_EQ(skin::PlaceCaptionText(st, in).left, 4 + (606 - 73 - 100) + 10);
  // Dialogs start 16 pixels further left.
  in.rightToLeft = false;
  in.dialog = true;
  EXPECT_EQ(skin::PlaceCaptionText(st, in).left, 30 - 16);
}

TEST(CaptionButtonTest, VisibilityRulesAndWhatTheActionAdds) {
  CaptionState s;
  s.sysMenu = s.minBox = true;  // the main window: system menu and minimize box, no maximize box
  // The default skin's maximize button (rules 2 and 6) shows, disabled.
  auto max = skin::CaptionButtonShown(1, 2, 6, s);
  EXPECT_TRUE(max.visible);
  EXPECT_FALSE(max.enabled);
  // Its restore button (rule 1) hides while not maximized.
  EXPECT_FALSE(skin::CaptionButtonShown(1, 1, 0, s).visible);
  EXPECT_TRUE(skin::CaptionButtonShown(2, 8, 0, s).enabled);
  EXPECT_TRUE(skin::CaptionButtonShown(0, 7, 0, s).visible);  // 7: no max box
  s.maxBox = true;
  EXPECT_FALSE(skin::CaptionButtonShown(0, 7, 0, s).visible);
  // Without SC_CLOSE in the system menu the close button hides; dialogs hide the icon.
  EXPECT_FALSE(skin::CaptionButtonShown(0, 0, 0, s, false, false).visible);
  s.dialog = true;
  EXPECT_FALSE(skin::CaptionButtonShown(3, 0, 0, s).visible);
  EXPECT_TRUE(skin::CaptionButtonShown(5, 200, 200, s).visible);
  // A message box or system dialog has a dialog frame too: its caption text takes the icon's
  // room, so the icon hides there as well (rule 200 still means dialogs of the program only).
  s.dialog = false;
  s.dialogFrame = true;
  EXPECT_FALSE(skin::CaptionButtonShown(3, 0, 0, s).visible);
  EXPECT_FALSE(skin::CaptionButtonShown(11, 0, 0, s).visible);
  EXPECT_FALSE(skin::CaptionButtonShown(12, 0, 0, s).visible);
  EXPECT_TRUE(skin::CaptionButtonShown(0, 0, 0, s).visible);
  EXPECT_FALSE(skin::CaptionButtonShown(5, 200, 200, s).visible);
  s.dialogFrame = false;
  s.dialog = true;
  // Window-asked rules, and values without a meaning.
  EXPECT_TRUE(skin::CaptionButtonShown(5, 1500, 0, s, true).visible);
  EXPECT_FALSE(skin::CaptionButtonShown(5, 1500, 0, s, false).visible);
  for (int v : {-2, -1, 11, 99, 150, 2001})
    EXPECT_FALSE(skin::CaptionButtonShown(5, v, 0, s).visible) << v;
  EXPECT_FALSE(skin::VisibilityRuleHolds(-1, false, s));
}

TEST(CaptionButtonTest, PlacesFromTheAlignRule) {
  skin::CaptionLayoutInput in;
  in.frameWidth = 614;
  in.metrics = DefaultMetrics();
  in.captionText = {30, 6, 200, 22};
  // The default skin's close button: 126 x 21 with 6 frames, Align 1, 25 from the right, 5 down.
  EXPECT_EQ(skin::CaptionButtonRect({1, 25, 5, 21, 21}, in), (ImageRect{589, 5, 610, 26}));
  EXPECT_EQ(skin::CaptionButtonRect({0, 8, 7, 16, 16}, in), (ImageRect{8, 7, 24, 23}));
  EXPECT_EQ(skin::CaptionButtonRect({2, 3, 0, 10, 10}, in).right, 30 - 3);
  EXPECT_EQ(skin::CaptionButtonRect({9, 3, 0, 10, 10}, in).left, 200 + 3);
  in.metrics.MenuBarHeight = 20;
  in.menuBarLeftWidth = 6;
  EXPECT_EQ(skin::CaptionButtonRect({100, 30, 0, 16, 14}, in), (ImageRect{574, 31, 590, 45}));
  EXPECT_EQ(skin::CaptionButtonRect({42, 30, 9, 16, 14}, in), (ImageRect{0, 0, 16, 14}));
}

TEST(CaptionButtonTest, ImageForEachState) {
  using skin::CaptionButtonFrame;
  // A state change: normal, pressed, hot; disabled is 4 only with more than 3 frames.
  EXPECT_EQ(CaptionButtonFrame(1, true, true, 6, false, false), 1);
  EXPECT_EQ(CaptionButtonFrame(2, true, true, 6, false, false), 2);
  EXPECT_EQ(CaptionButtonFrame(3, true, true, 6, false, false), 3);
  EXPECT_EQ(CaptionButtonFrame(3, false, true, 6, false, false), 4);
  EXPECT_EQ(CaptionButtonFrame(3, false, true, 3, false, false), 1);
  EXPECT_EQ(CaptionButtonFrame(3, true, true, 6, true, false), 4);  // hot in the menu strip
  // A full caption paint draws every button at rest: frame 4 when inactive or disabled.
  EXPECT_EQ(CaptionButtonFrame(2, true, true, 6, false, true), 1);
  EXPECT_EQ(CaptionButtonFrame(1, true, false, 6, false, true), 4);
  EXPECT_EQ(CaptionButtonFrame(1, false, true, 2, false, true), 1);
  // Never past the strip, whatever the state or frame count says.
  EXPECT_EQ(CaptionButtonFrame(3, true, true, 2, false, false), 2);
  EXPECT_EQ(CaptionButtonFrame(9, true, true, 0, false, false), 1);
}

TEST(SystemMenuTest, ItemsAllowWhatTheWindowCanDo) {
  using skin::ShowState;
  using skin::SystemMenuItem;
  constexpr unsigned size = 0xF000, minimize = 0xF020, maximize = 0xF030, close = 0xF060,
                     restore = 0xF120, other = 0xF200;
  EXPECT_FALSE(SystemMenuItem(restore, ShowState::Normal, true, true, true).enabled);
  EXPECT_TRUE(SystemMenuItem(restore, ShowState::Minimized, true, true, true).enabled);
  EXPECT_EQ(SystemMenuItem(restore, ShowState::Minimized, true, true, true).image, 0);
  EXPECT_FALSE(SystemMenuItem(maximize, ShowState::Normal, true, false, true).enabled);
  EXPECT_FALSE(SystemMenuItem(maximize, ShowState::Maximized, true, true, true).enabled);
  EXPECT_TRUE(SystemMenuItem(minimize, ShowState::Normal, true, false, true).enabled);
  EXPECT_FALSE(SystemMenuItem(minimize, ShowState::Minimized, true, true, true).enabled);
  EXPECT_FALSE(SystemMenuItem(size, ShowState::Maximized, true, true, true).enabled);
  EXPECT_FALSE(SystemMenuItem(close, ShowState::Normal, true, true, false).enabled);
  EXPECT_EQ(SystemMenuItem(close, ShowState::Normal, true, true, true).image, 3);
  EXPECT_EQ(SystemMenuItem(other, ShowState::Normal, true, true, false).image, -1);
}

TEST(HitTestTest, CaptionMenuBarAndTheSystemsInvisibleButtons) {
  FrameMetrics m = DefaultMetrics();
  constexpr int nowhere = 0, client = 1, caption = 2, sysMenu = 3, menu = 5, close = 20, top = 12;
  EXPECT_EQ(skin::SkinnedHitTest(nowhere, 10, m), caption);
  EXPECT_EQ(skin::SkinnedHitTest(nowhere, 2, m), nowhere);
  EXPECT_EQ(skin::SkinnedHitTest(close, 10, m), caption);
  EXPECT_EQ(skin::SkinnedHitTest(sysMenu, 10, m), caption);
  EXPECT_EQ(skin::SkinnedHitTest(client, 10, m), client);
  EXPECT_EQ(skin::SkinnedHitTest(top, 1, m), top);
  EXPECT_EQ(skin::SkinnedHitTest(caption, 35, m), caption);
  m.MenuBarHeight = 20;
  EXPECT_EQ(skin::SkinnedHitTest(caption, 35, m), menu);
}

}  // namespace
