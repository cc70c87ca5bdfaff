// The arithmetic of the skinned menus: where the menu-bar buttons go (left to right and right to
// left), which button an accelerator or an arrow key leads to, how wide an owner-drawn item is
// measured, and where an item's glyph, text and shortcut go. Pure functions without a window, so
// the painters and the tests agree on every number.
#pragma once

#include <string>
#include <vector>

#include "imaging/ImageScale.h"
#include "imaging/PaintPlans.h"

namespace skin {

// ---- The menu bar
// --------------------------------------------------------------------------------

// Where the first button starts, measured from the bar's leading edge (its right edge for a
// right-to-left bar). With the skin's MenuBar element the element's end piece is kept free;
// without it a small gap. The gaps are 96-dpi lengths taken at `scale`, the bar's DPI (the
// margins are the element's as drawn at that DPI).
struct MenuBarElementInfo {
  bool present = false;
  int leftWidth = 0, rightWidth = 0;  // the element's margins
};
int MenuBarStart(const MenuBarElementInfo& element, int barWidth, bool rightToLeft,
                 Scale scale = {});

// One top-level item as the bar lays it out.
struct MenuBarEntry {
  int textWidth = 0;  // the caption's width in the menu font
  bool hasText = false;
  bool visible = true;
};

// Each button's rectangle in bar coordinates (origin = the bar's top-left corner): buttons follow
// one another from `start` (right to left: from barWidth - start leftwards), each as wide as its
// text plus 10 (at 96 dpi; taken at `scale`), one pixel shorter than the bar. Invisible buttons
// get an empty rectangle.
std::vector<ImageRect> LayoutMenuBar(const std::vector<MenuBarEntry>& entries, int barWidth,
                                     int barHeight, int start, bool rightToLeft, Scale scale = {});

// The accelerator of a caption ("&File" → 'F', upper-cased; "&&" is a literal ampersand), 0 when
// it has none.
wchar_t MenuAccelerator(const std::wstring& caption);

struct MenuButtonKey {
  std::wstring caption;
  bool enabled = true;
  bool visible = true;
};
// The first visible, enabled button whose caption has `ch` as its accelerator (letter case
// ignored); -1 when none.
int FindAccelButton(const std::vector<MenuButtonKey>& buttons, wchar_t ch);

// The button after (or before) `current` that can open, wrapping at either end; `current` itself
// when no other can; -1 when none can. `usable[i]`: button i is visible and has a caption.
int NextMenuButton(const std::vector<bool>& usable, int current, bool forward);

// ---- Items
// ---------------------------------------------------------------------------------------

// Widths of owner-drawn items after their own measuring (`measured`): room for the MenuItem
// element's left piece and for the check mark when the menu has no images. The fixed paddings
// (here and below) are 96-dpi lengths taken at `scale`, the menu's DPI.
int MainItemWidth(int measured, int menuItemLeft, bool hasImages, Scale scale = {});
int PopupItemWidth(int measured, int menuItemLeft, bool hasImages, Scale scale = {});

struct ItemExtent {
  int width = 0, height = 0;
  bool operator==(const ItemExtent&) const = default;
};
// An item of a menu the framework does not know, measured from its text alone (a separator has no
// text). `wideText`: the platform draws menus with the wide text routines.
ItemExtent ForeignItemSize(int textWidth, int textHeight, bool hasText, int menuItemLeft,
                           bool wideText, Scale scale = {});

// The caption an item is measured and drawn with: an empty caption or a lone "&" gets a blank so
// that the item keeps a text height.
std::wstring MeasuredCaption(const std::wstring& caption);

// Where an item's parts go inside its rectangle.
struct MenuItemLayout {
  ImageRect glyph;     // the image or check mark box
  ImageRect text;      // the caption
  ImageRect shortcut;  // the shortcut text, aligned to the trailing edge
};
// `glyphSize`: the image list's width (the check box, 16 at 96 dpi, without images; at least the
// check box for a checked item). Right-to-left items are mirrored: glyph at the right, text and
// shortcut from the right.
MenuItemLayout LayoutMenuItem(const ImageRect& item, int menuItemLeft, int glyphSize,
                              bool rightToLeft, Scale scale = {});
// The check mark's box beside an item, 16 pixels at 96 dpi.
inline int MenuCheckBox(Scale scale = {}) { return ScaleLength(16, scale); }

// The separator strip of the MenuItem element: its second frame (of `frames` side by side), the
// bottom part of it when the item is lower than the image.
ImageRect SeparatorSource(int imageWidth, int imageHeight, int frames, int itemHeight);

// Which image of the MenuItem element an item shows: 4 when selected, else 1.
constexpr int MenuItemFrame(bool selected) { return selected ? 4 : 1; }

// ---- Popup windows
// -------------------------------------------------------------------------------

// Whether a popup menu's frame is painted through the whole-window DC: every NT system from 5.2
// on. The version is compared as a (major, minor) pair, so 6.0 and 10.0 qualify.
bool PopupUsesWindowDC(int major, int minor);

}  // namespace skin
