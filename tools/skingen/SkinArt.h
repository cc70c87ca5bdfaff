// The drawings of the default skin, one function per package image. Each returns the whole image
// (all state frames laid out as the painters cut them), 24-bit, magenta where transparent. The
// sizes and frame counts are fixed in SkinMetrics.h, which the definition file repeats.
#pragma once

#include "ArtKit.h"

namespace skin::art {

// Window frame (frame 1 active, frame 2 inactive).
PixelBuffer DrawFrameLeft();
PixelBuffer DrawFrameRight();
PixelBuffer DrawFrameTop();
PixelBuffer DrawFrameBottom();
PixelBuffer DrawMinCaption();

// Caption buttons: 6 frames (normal, pressed, hot, disabled/inactive, and two spares).
enum class CaptionGlyph { kClose, kMaximize, kMinimize, kRestore };
PixelBuffer DrawCaptionButton(CaptionGlyph glyph);
// The three buttons of a maximized MDI child (minimize, restore, close), 4 frames each, in one
// strip of 12 columns.
PixelBuffer DrawMdiButtons();

// Push buttons, check boxes, radio buttons.
PixelBuffer DrawPushButtons();
PixelBuffer DrawCheckBoxes();
PixelBuffer DrawRadioButtons();

// Drop-down button of a combo box, and the extra glyphs (combo arrows, size grip).
PixelBuffer DrawComboButton();
PixelBuffer DrawExtraImages();

// Scroll bars.
PixelBuffer DrawScrollArrows();
PixelBuffer DrawScrollTrack(bool vertical);
PixelBuffer DrawScrollThumb(bool vertical);

// Menus.
PixelBuffer DrawMenuBackground();
PixelBuffer DrawMenuItem();

// Other controls.
PixelBuffer DrawProgress();
PixelBuffer DrawProgressChunk();
PixelBuffer DrawTabs();
PixelBuffer DrawTabSheet();
PixelBuffer DrawStatusBar();
PixelBuffer DrawHeader();
PixelBuffer DrawTrackThumb(bool vertical);
PixelBuffer DrawTrackChannel(bool vertical);
PixelBuffer DrawSpin(bool horizontal);
PixelBuffer DrawSpinGlyphs(bool horizontal);

}  // namespace skin::art
