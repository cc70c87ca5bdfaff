// The portable rules of the edit and up-down skinners: the edit's flat border band and its
// colours by state, the two halves of an up-down and the image each half shows, and where an
// up-down that lives inside an edit may paint without covering the edit's border.
#pragma once

#include <string_view>

#include "imaging/PaintPlans.h"

namespace skin {

// ---- Edit boxes -------------------------------------------------------------------------------

// The band is drawn only when the window is larger than its client area on both axes: an edit
// without a border keeps its own look.
bool EditHasBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight);

// Whether the band covers everything the system draws outside the client area (a border of at
// most three pixels on each side, no scroll bars), so the system's frame paint can be left out.
bool EditBandCoversFrame(int windowWidth, int windowHeight, int clientWidth, int clientHeight,
                         bool hasScrollBars);

struct EditBorderState {
  bool focused = false, hot = false, disabled = false;
};
// The colour-table index of the band's outer line: ButtonShadow at rest, Hilight with the focus,
// ButtonDkShadow under the pointer; a disabled edit stays at rest.
int EditEdgeColourIndex(const EditBorderState& s);

// ---- Up-down buttons --------------------------------------------------------------------------

// Whether a child window's class names an up-down ("msctls_updown32", or containing "spin" or
// "updown", letter case ignored): what an edit's spin search takes.
bool IsSpinClass(std::string_view className);

enum class SpinHalf { None, First, Second };  // first: up or left; second: down or right

struct UpDownLayout {
  ImageRect first, second;
  bool horizontal = false;
};
// The halves of a w x h up-down: top and bottom (or left and right), the second taking the odd
// pixel.
UpDownLayout UpDownHalves(int width, int height, bool horizontal);
// The half a point of the painted area lies on; None outside the control.
SpinHalf HalfAt(const UpDownLayout& layout, int x, int y);

// 1 normal, 2 pressed, 3 disabled, 4 hot: a half shows pressed or hot only while the pointer is
// on it.
int UpDownHalfState(bool underPointer, bool down, bool hot, bool disabled);
// The image of a half in the 8-frame strip (first half 1-4, second 5-8), clamped to the strip.
int UpDownFrame(int state, SpinHalf half, int frameCount);

// An up-down inside an edit keeps `inset` pixels away from the edit's outer top, bottom and right
// edges, so the edit's border band stays whole. Both rectangles in screen coordinates; the result
// is in the up-down's window coordinates.
ImageRect EmbeddedUpDownRect(const ImageRect& upDown, const ImageRect& edit, int inset = 3);

// A glyph of gw x gh centred on r (division toward zero).
ImageRect CentredGlyphRect(const ImageRect& r, int glyphWidth, int glyphHeight);

}  // namespace skin
