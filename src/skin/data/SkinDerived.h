// The images and numbers the skin data component derives from a skin after its elements are read:
// frame counts, the check and radio glyph frame counts, the title colour sampled from the top
// border, the toolbar gradient, the combo box arrow and the combined combo image, and the built-in
// track-bar channels. Pure pixel work on PixelBuffer, so the loader needs one device bitmap per
// result and nothing in between. Portable: no Win32 here.
#pragma once

#include <string_view>

#include "imaging/PixelBuffer.h"

namespace skin {

// The frame count an element has after a load. `frameKey` is the element's "Frame" (or, for the
// scroll-bar thumbs, "FrameCount") value as read; `style` its Style.
int FrameCountAfterLoad(std::string_view element, int frameKey, int style);

// CheckButtonFrame or RadioButtonFrame when the skin gives 0: frames of 13 pixels in strips lower
// than 16, of 16 otherwise; never fewer than 4.
int GlyphFrameCount(int given, int stripWidth, int stripHeight);

// The pixel a third into the first frame of the top border (frames stacked), or `buttonFace` when
// the border has no image. A frame count below 1 counts as 1.
Colour SampleTitleColour(const PixelBuffer& top, int topFrames, Colour buttonFace);

// Top and bottom colours of the toolbar background gradient. `buttonFace` and `title` are plain
// RGB.
struct GradientEnds {
  Colour top = 0, bottom = 0;
};
GradientEnds ToolbarGradientEnds(Colour buttonFace, Colour title);
// The 10 x 40 toolbar image: a vertical ramp from ends.top to ends.bottom.
PixelBuffer ToolbarImage(const GradientEnds& ends);

// A 24-bit copy with every pure magenta pixel painted `colour` (plain RGB).
PixelBuffer WithMagentaReplaced(const PixelBuffer& image, Colour colour);
// A 24-bit copy mirrored left to right.
PixelBuffer MirroredCopy(const PixelBuffer& image);
// A copy in which each of `frames` side-by-side frames is mirrored in its own place, so frame k
// still holds state k.
PixelBuffer MirroredFrames(const PixelBuffer& image, int frames);

// One element as the combo composition draws it.
struct FrameSource {
  const PixelBuffer* image = nullptr;  // null or empty: nothing drawn
  int frames = 1;
  int left = 0, top = 0, right = 0, bottom = 0;  // margin widths
  bool transparent = false;
};

// The combined combo image: `cells` cells of kComboCellWidth x kComboCellHeight, cell b holding
// frame b of the sunken edge over the whole cell, frame b of the combo button over the right
// `buttonWidth` columns (always magenta-keyed), frame b of the glyph strip centred unscaled in that
// part, and a magenta hole where the edit text goes.
constexpr int kComboCellWidth = 50;
constexpr int kComboCellHeight = 21;
PixelBuffer CombinedComboStrip(const FrameSource& sunkEdge, const FrameSource& comboButton,
                               const FrameSource& glyphs, int cells, int buttonWidth);

// The drop-down arrows cut from a combined combo strip: 17 x 17 per cell, from the right part of
// each cell.
PixelBuffer ComboArrowsFromStrip(const PixelBuffer& strip, int cells);

// The track-bar channels used when a skin has none: "TRACK" (16 x 4) and "TRACKVERT" (4 x 16), a
// sunken groove drawn in shadow, dark shadow, face and highlight greys.
PixelBuffer BuiltInTrackImage(bool vertical);

}  // namespace skin
