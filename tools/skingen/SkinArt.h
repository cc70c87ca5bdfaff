// The drawings of a skin, one function per package image. Each returns the whole image
// (all state frames laid out as the painters cut them), 24-bit, magenta where transparent. The
// sizes and frame counts come from the style, which the skin's definition file repeats.
#pragma once

#include "ArtKit.h"
#include "SkinStyle.h"

namespace skin::art {

// Window frame (frame 1 active, frame 2 inactive). `k` draws the same art k times as fine: the
// skin's larger art ("frametop@2x.bmp") for high-DPI windows.
PixelBuffer DrawFrameLeft(const SkinStyle& st, int k = 1);
PixelBuffer DrawFrameRight(const SkinStyle& st, int k = 1);
PixelBuffer DrawFrameTop(const SkinStyle& st, int k = 1);
PixelBuffer DrawFrameBottom(const SkinStyle& st, int k = 1);
PixelBuffer DrawMinCaption(const SkinStyle& st);

// Caption buttons: 4 frames (normal, pressed, hot, disabled/inactive), or 6 with two spares.
enum class CaptionGlyph { kClose, kMaximize, kMinimize, kRestore };
PixelBuffer DrawCaptionButton(const SkinStyle& st, CaptionGlyph glyph, int k = 1);
// The three buttons of a maximized MDI child (minimize, restore, close), 4 frames each, in one
// strip of 12 columns.
PixelBuffer DrawMdiButtons(const SkinStyle& st);

// Push buttons, check boxes, radio buttons.
PixelBuffer DrawPushButtons(const SkinStyle& st);
PixelBuffer DrawCheckBoxes(const SkinStyle& st);
PixelBuffer DrawRadioButtons(const SkinStyle& st);

// Drop-down button of a combo box, and the extra glyphs (combo arrows, size grip).
PixelBuffer DrawComboButton(const SkinStyle& st);
// The sunken field of a combo box (optional): the engine lays the combo button over its right end.
PixelBuffer DrawSunkEdge(const SkinStyle& st);
PixelBuffer DrawExtraImages(const SkinStyle& st);

// Scroll bars.
PixelBuffer DrawScrollArrows(const SkinStyle& st);
PixelBuffer DrawScrollTrack(const SkinStyle& st, bool vertical);
PixelBuffer DrawScrollThumb(const SkinStyle& st, bool vertical);

// Menus. The menu bar (optional) stacks its active and inactive frames vertically.
PixelBuffer DrawMenuBar(const SkinStyle& st);
PixelBuffer DrawMenuBackground(const SkinStyle& st);
PixelBuffer DrawMenuItem(const SkinStyle& st);

// Other controls.
PixelBuffer DrawProgress(const SkinStyle& st);
PixelBuffer DrawProgressChunk(const SkinStyle& st);
PixelBuffer DrawTabs(const SkinStyle& st);
PixelBuffer DrawTabSheet(const SkinStyle& st);
PixelBuffer DrawStatusBar(const SkinStyle& st);
PixelBuffer DrawHeader(const SkinStyle& st);
PixelBuffer DrawTrackThumb(const SkinStyle& st, bool vertical);
PixelBuffer DrawTrackChannel(const SkinStyle& st, bool vertical);
PixelBuffer DrawSpin(const SkinStyle& st, bool horizontal);
PixelBuffer DrawSpinGlyphs(const SkinStyle& st, bool horizontal);

}  // namespace skin::art
