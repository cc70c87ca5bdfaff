// The portable rules of the speed and menu buttons, status bars, tab controls and the media player
// panel: which image a state shows and where each part goes. Every index is clamped to its strip.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/PaintPlans.h"

namespace skin {


// Speed buttons: the Buttons image (1 normal, 2 pressed or latched, 3 disabled, 4 hot) and the
// glyph image (1 up, 2 disabled, 3 pressed, 4 latched).
struct SpeedButtonState {
  bool pressed = false, hot = false, enabled = true, latched = false;
};
int SpeedButtonFrame(const SpeedButtonState& s);
int SpeedGlyphFrame(const SpeedButtonState& s, int numGlyphs);
// A flat speed button shows the skin's button only while hot or pressed (or latched).
bool SpeedButtonShowsFace(const SpeedButtonState& s, bool flat);

// Menu buttons: glyph, caption and drop-down arrow from left to right. The arrow's tip (arrowX,
// arrowY + 2) and its top corners at arrowX ± 3 stay inside the button.
struct MenuButtonInput {
  int width = 0, height = 0;
  int glyphWidth = 0, glyphHeight = 0;
  int textWidth = 0, textHeight = 0;
  int margin = -1, spacing = -1;
};
struct MenuButtonLayout {
  int glyphX = 0, glyphY = 0, textX = 0, textY = 0, arrowX = 0, arrowY = 0;
};
constexpr int kMenuArrowWidth = 8;
MenuButtonLayout LayoutMenuButton(const MenuButtonInput& in);

// Tab controls: where the tabs sit, from the control's style (TCS_BOTTOM 2, TCS_VERTICAL 0x80).
enum class TabSide : int { Top = 0, Bottom = 1, Left = 2, Right = 3 };
TabSide TabSideOf(uint32_t style);
bool TabsAcross(TabSide side);  // left and right tabs: the strip is drawn turned
// The pane: the control's display rectangle inflated by 4, its edge on the tab side moved one
// pixel in.
ImageRect TabPane(const ImageRect& display, TabSide side);
// The tab strip: the part of the control outside the pane on the tab side (empty when none).
ImageRect TabStrip(const ImageRect& control, const ImageRect& pane, TabSide side);
// The strip is drawn as if the tabs were on top (width and height swapped for left and right tabs)
// and then turned into place: a tab's rectangle, relative to the strip, in the drawn strip.
ImageRect TabInDrawnStrip(const ImageRect& tab, int stripWidth, int stripHeight, TabSide side);
// The drawn strip's size for a strip of stripWidth x stripHeight on `side`.
void DrawnStripSize(int stripWidth, int stripHeight, TabSide side, int& width, int& height);
// A tab's close box: the cross's box at (right - 8, top + 2) - (right - 2, top + 8).
ImageRect TabCloseBox(const ImageRect& tab);
// A close box click: the tab whose remembered box holds the point, when that index is still a tab
// of the control (boxes from the last paint may outlive tabs); -1 otherwise.
int HitCloseBox(const std::vector<ImageRect>& boxes, int x, int y, int tabCount);
// Where a tab's icon and caption start: centred as a group, at least 1.
int TabGroupLeft(int tabWidth, int iconWidth, int textWidth);

// Status bars: a panel's rectangle as painted (its right edge 2 pixels further, the last panel
// reaching the bar's right edge); the text's top for a text height.
ImageRect StatusPanelRect(const ImageRect& reported, bool last, int barRight);
int StatusTextTop(int barHeight, int textHeight);
// The size grip: frame `frameWidth` x `height` with its bottom-right corner at (right-1, bottom-1).
ImageRect StatusGripRect(int right, int bottom, int frameWidth, int height);

// The media player panel: each visible button an equal share of the width.
struct PlayerButton {
  int index = 0;  // 0..8: play, pause, stop, next, prev, step, back, record, eject
  ImageRect rect;
};
constexpr int kPlayerButtons = 9;
std::vector<PlayerButton> LayoutPlayerButtons(int width, int height, uint32_t visibleMask);
// The button under x, or -1.
int PlayerButtonAt(const std::vector<PlayerButton>& buttons, int x, int y);
// The Buttons image of a player button: 3 disabled, 2 pressed, 1 otherwise.
int PlayerButtonFrame(bool enabled, bool pressed);

}  // namespace skin
