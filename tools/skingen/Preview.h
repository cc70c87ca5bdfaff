// Preview sheets for looking at a skin: every image enlarged, and a small mock window
// assembled from the pieces the way the painters join them (nine-slice, magenta keyed). Only for
// people; nothing in the package depends on them.
#pragma once

#include <vector>

#include "DefaultSkin.h"

namespace skin::art {

// One frame of a strip nine-sliced into a w × h image with the margins (left, top, right, bottom)
// by the engine's own portable nine-slice, so the preview shows what the painters will draw.
PixelBuffer NineSlice(const PixelBuffer& strip, int frames, int frame, bool vertical, int left,
                      int top, int right, int bottom, int width, int height);
// Draws `image` onto `target` at (x, y), leaving magenta pixels out.
void BlitKeyed(PixelBuffer& target, const PixelBuffer& image, int x, int y);

// All images, one row each, enlarged `scale` times, on a neutral background.
PixelBuffer RenderContactSheet(const std::vector<SkinEntry>& entries, int scale);
// An active and an inactive mock window with a few controls in their states.
PixelBuffer RenderMockWindows(const SkinStyle& st, const std::vector<SkinEntry>& entries);

}  // namespace skin::art
