// The portable rules of the control skinners: which image of a strip a state shows, and where
// captions and glyphs go. Every index is clamped to the strip, whatever a skin's frame count says.
#pragma once

#include <string>

#include "imaging/ImageScale.h"
#include "imaging/PaintPlans.h"

namespace skin {

// Push buttons: the five-state Buttons strip (1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or
// default).
struct ButtonState {
  bool down = false, hot = false, focused = false, isDefault = false, disabled = false;
};
int ButtonFrame(const ButtonState& s, int frameCount);

// Check boxes: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled or indeterminate;
// a 12-frame strip has its own places. `check` is 1 unchecked, 2 checked, 4 grayed (the index
// before the disabled step).
int CheckBoxFrame(int check, bool disabled, bool indeterminate, int frameCount);
// Radio buttons: as check boxes without the indeterminate state; an 8-frame strip has its own
// places.
int RadioButtonFrame(bool checked, bool disabled, int frameCount);
// A strip's frame count when the skin gives none: width div 13 (strips under 16 high) or div 16,
// at least 4.
int GuessGlyphFrames(int stripWidth, int stripHeight);

// Where a check or radio glyph and its caption go in a control of width x height.
struct GlyphLayout {
  ImageRect glyph, text;
};
// The gaps are 96-dpi lengths taken at `scale`; the glyph's size is the scaled glyph's.
GlyphLayout CheckGlyphLayout(int width, int height, int glyphWidth, int glyphHeight, bool leftText,
                             bool radio, Scale scale = {});

// A centred button caption of measured size w x h in a button of W x H: one pixel above the
// middle.
ImageRect CentredCaption(int W, int H, int w, int h);

// Glyph buttons: where the glyph and the caption go.
enum class GlyphLayoutKind { Left, Right, Top, Bottom };
struct GlyphButtonInput {
  int width = 0, height = 0;  // client size
  int glyphWidth = 0, glyphHeight = 0;
  int textWidth = 0, textHeight = 0;
  int margin = -1, spacing = 4;
  bool centred = false;  // Alignment taCenter
  GlyphLayoutKind layout = GlyphLayoutKind::Left;
};
struct GlyphButtonLayout {
  int glyphX = 0, glyphY = 0, textX = 0, textY = 0;
};
GlyphButtonLayout LayoutGlyphButton(const GlyphButtonInput& in);
GlyphLayoutKind GlyphLayoutFromName(const std::string& lowerName);

}  // namespace skin
