// Building blocks that several skin images share: the raised rounded face of buttons, and small
// arrow glyphs. Internal to the skin generator.
#pragma once

#include <functional>
#include <vector>

#include "ArtKit.h"
#include "SkinStyle.h"

namespace skin::art {

// A rounded face: 1-pixel edge, glossy vertical gradient inside, a soft highlight along the top.
struct FaceStyle {
  theme::Face face;
  Rgba edge;
  Rgba highlight;  // inner line just inside the edge, fading downwards; alpha 0 for none
};
void PaintFace(cairo_t* cr, double x, double y, double w, double h, double radius,
               const FaceStyle& style);

// Filled triangle pointing in a direction, centred on (cx, cy); `size` is its base width.
enum class Direction { kLeft, kRight, kUp, kDown };
void TrianglePath(cairo_t* cr, double cx, double cy, double size, Direction direction);

// The four states most controls have, in the order the painters number frames 1-4 when a strip
// has "normal, pressed, disabled, hot".
enum class State { kNormal, kPressed, kDisabled, kHot };
FaceStyle StyleFor(const SkinStyle& st, State state);
Rgba GlyphColour(const SkinStyle& st, State state);

// Draws one frame on a fresh canvas of the given size and flattens it over `background`.
PixelBuffer KeyedFrame(int width, int height, Colour background,
                       const std::function<void(cairo_t*)>& draw);
PixelBuffer KeyedFrame(const PixelBuffer& background, const std::function<void(cairo_t*)>& draw);
// Opaque: composited over the skin's face colour.
PixelBuffer OpaqueFrame(const SkinStyle& st, int width, int height,
                        const std::function<void(cairo_t*)>& draw);

// Transposes every frame of a horizontal strip of `frames` equal frames, keeping their order.
PixelBuffer TransposeFrames(const PixelBuffer& strip, int frames);
// Cuts a horizontal strip into its frames.
std::vector<PixelBuffer> SplitFrames(const PixelBuffer& strip, int frames);

}  // namespace skin::art
