// The skinned menus' arithmetic: the bar's layout both ways, accelerators and arrow-key moves
// between buttons, item widths and the parts of an item, the separator piece, and which DC a popup
// frame is painted through.
#include <gtest/gtest.h>

#include "skin/frame/MenuGeometry.h"

namespace {

using skin::ImageRect;
using skin::MenuBarEntry;

TEST(MenuBarLayout, ButtonsFollowOneAnotherFromTheStartLeftToRight) {
  const std::vector<MenuBarEntry> entries{{20, true, true}, {0, false, true}, {33, true, true}};
  const auto rects = skin::LayoutMenuBar(entries, 300, 19, 6, false);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0], (ImageRect{6, 0, 36, 18}));
  // An empty caption takes no padding (and is never found under the pointer: zero width).
  EXPECT_EQ(rects[1], (ImageRect{36, 0, 36, 18}));
  EXPECT_EQ(rects[2], (ImageRect{36, 0, 79, 18}));
}

TEST(MenuBarLayout, RightToLeftBarsRunFromTheRightEdgeAndSkipHiddenButtons) {
  const std::vector<MenuBarEntry> entries{{20, true, true}, {50, true, false}, {10, true, true}};
  const auto rects = skin::LayoutMenuBar(entries, 300, 19, 12, true);
  EXPECT_EQ(rects[0], (ImageRect{258, 0, 288, 18}));
  EXPECT_TRUE(rects[1].empty());
  EXPECT_EQ(rects[2], (ImageRect{238, 0, 258, 18}));
}

TEST(MenuBarLayout, StartKeepsTheElementsEndPieceFreeAndFallsBackOnNarrowBars) {
  skin::MenuBarElementInfo none;
  EXPECT_EQ(skin::MenuBarStart(none, 400, false), 6);
  EXPECT_EQ(skin::MenuBarStart(none, 400, true), 6);
  skin::MenuBarElementInfo element{true, 10, 7};
  EXPECT_EQ(skin::MenuBarStart(element, 400, false), 14);
  EXPECT_EQ(skin::MenuBarStart(element, 400, true), 15);
  EXPECT_EQ(skin::MenuBarStart(element, 13, false), 12);
}

TEST(MenuAccelerators, FindTheFirstUsableButtonWithThatLetterInAnyCase) {
  EXPECT_EQ(skin::MenuAccelerator(L"&File"), L'F');
  EXPECT_EQ(skin::MenuAccelerator(L"Sa&ve"), L'V');
  EXPECT_EQ(skin::MenuAccelerator(L"Fish && &Chips"), L'C');
  EXPECT_EQ(skin::MenuAccelerator(L"A && B"), 0);
  EXPECT_EQ(skin::MenuAccelerator(L"Trailing&"), 0);
  EXPECT_EQ(skin::MenuAccelerator(L""), 0);

  const std::vector<skin::MenuButtonKey> buttons{{L"&Edit", false, true},
                                                 {L"&Extra", true, false},
                                                 {L"&edit again", true, true},
                                                 {L"&View", true, true}};
  // Disabled and hidden buttons are passed over.
  EXPECT_EQ(skin::FindAccelButton(buttons, L'e'), 2);
  EXPECT_EQ(skin::FindAccelButton(buttons, L'V'), 3);
  EXPECT_EQ(skin::FindAccelButton(buttons, L'x'), -1);
  EXPECT_EQ(skin::FindAccelButton(buttons, 0), -1);
  EXPECT_EQ(skin::FindAccelButton({}, L'e'), -1);
}

TEST(MenuButtonMoves, ArrowKeysWrapAtBothEndsAndSkipButtonsThatCannotOpen) {
  const std::vector<bool> usable{true, false, true, true};
  EXPECT_EQ(skin::NextMenuButton(usable, 0, true), 2);
  EXPECT_EQ(skin::NextMenuButton(usable, 3, true), 0);
  EXPECT_EQ(skin::NextMenuButton(usable, 0, false), 3);
  EXPECT_EQ(skin::NextMenuButton(usable, 2, false), 0);
  // No button open yet: forward gives the first usable one (what Alt alone opens).
  EXPECT_EQ(skin::NextMenuButton(usable, -1, true), 0);
  EXPECT_EQ(skin::NextMenuButton({false, true}, -1, true), 1);
  EXPECT_EQ(skin::NextMenuButton({true}, 0, true), 0);
  EXPECT_EQ(skin::NextMenuButton({false, false}, 0, true), -1);
  EXPECT_EQ(skin::NextMenuButton({}, 0, true), -1);
  // An index left over from a longer bar still lands on a real button.
  EXPECT_EQ(skin::NextMenuButton(usable, 9, true), 0);
}

TEST(MenuItemMeasure, RoomForTheElementAndForCheckMarksWithoutImages) {
  EXPECT_EQ(skin::MainItemWidth(50, 0, true), 60);
  EXPECT_EQ(skin::MainItemWidth(50, 6, false), 91);
  EXPECT_EQ(skin::PopupItemWidth(50, 0, true), 62);
  EXPECT_EQ(skin::PopupItemWidth(50, 6, false), 91);

  EXPECT_EQ(skin::ForeignItemSize(40, 13, true, 5, true), (skin::ItemExtent{71, 17}));
  EXPECT_EQ(skin::ForeignItemSize(0, 0, false, 0, true), (skin::ItemExtent{26, 8}));
  EXPECT_EQ(skin::ForeignItemSize(40, 13, true, 0, false), (skin::ItemExtent{66, 21}));

  EXPECT_EQ(skin::MeasuredCaption(L""), L" ");
  EXPECT_EQ(skin::MeasuredCaption(L"&"), L"& ");
  EXPECT_EQ(skin::MeasuredCaption(L"&Open"), L"&Open");
}

TEST(MenuItemLayout, GlyphTextAndShortcutMirrorForRightToLeftItems) {
  const ImageRect item{0, 20, 200, 40};
  const skin::MenuItemLayout ltr = skin::LayoutMenuItem(item, 4, 16, false);
  EXPECT_EQ(ltr.glyph, (ImageRect{5, 21, 21, 37}));
  EXPECT_EQ(ltr.text, (ImageRect{24, 20, 199, 40}));
  EXPECT_EQ(ltr.shortcut.right, 190);

  const skin::MenuItemLayout rtl = skin::LayoutMenuItem(item, 4, 16, true);
  EXPECT_EQ(rtl.glyph, (ImageRect{179, 21, 195, 37}));
  EXPECT_EQ(rtl.text, (ImageRect{1, 20, 176, 40}));
  EXPECT_EQ(rtl.shortcut.left, 10);
  // Mirror images of each other about the item's centre.
  EXPECT_EQ(ltr.glyph.left - item.left, item.right - rtl.glyph.right);
}

TEST(MenuSeparator, TakesTheSecondFrameAndItsBottomWhenTheItemIsLower) {
  EXPECT_EQ(skin::SeparatorSource(150, 20, 5, 8), (ImageRect{30, 12, 60, 20}));
  EXPECT_EQ(skin::SeparatorSource(150, 20, 5, 30), (ImageRect{30, 0, 60, 20}));
  // A single-frame image gives its only frame rather than a piece beyond its edge.
  EXPECT_EQ(skin::SeparatorSource(30, 20, 1, 20), (ImageRect{0, 0, 30, 20}));
}

TEST(PopupMenuDC, VersionsAreComparedAsPairsSoNewerSystemsUseTheWindowDC) {
  EXPECT_TRUE(skin::PopupUsesWindowDC(5, 2));
  EXPECT_TRUE(skin::PopupUsesWindowDC(6, 0));
  EXPECT_TRUE(skin::PopupUsesWindowDC(6, 1));
  EXPECT_TRUE(skin::PopupUsesWindowDC(10, 0));
  EXPECT_FALSE(skin::PopupUsesWindowDC(5, 1));
  EXPECT_FALSE(skin::PopupUsesWindowDC(5, 0));
  EXPECT_FALSE(skin::PopupUsesWindowDC(4, 10));
}

}  // namespace
