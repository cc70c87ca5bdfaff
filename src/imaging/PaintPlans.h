// The geometry of the skin painting primitives: which piece of a skin bitmap goes where, in the
// order the pieces are drawn (later pieces overdraw earlier ones). Pure arithmetic, so the
// Win32 painters execute the same plans the native tests check; RunPlan executes a plan on pixel
// buffers the way the canvas copy does (nearest pixel, no blending).
#pragma once

#include <vector>

#include "imaging/PixelBuffer.h"

namespace skin {

// Left/top inclusive, right/bottom exclusive, as a Win32 RECT.
struct ImageRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool inverted() const { return right < left || bottom < top; }
  ImageRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const ImageRect&) const = default;
};

// One copy: `src` of the skin bitmap scaled into `dst` of the target (same size: a plain copy).
struct BlitStep {
  ImageRect src;
  ImageRect dst;
  bool operator==(const BlitStep&) const = default;
};
using PaintPlan = std::vector<BlitStep>;

// Frame `index` (1-based) of a strip of `count` frames cut from a bitmap, stacked when `vertical`,
// side by side otherwise. A count below 1 counts as 1 and the index is clamped to 1..count, so no
// plan ever reaches outside the bitmap's frames.
// A frame index within a strip of `frameCount` images: 1-based, a count below 1 counting as 1.
int ClampFrame(int index, int frameCount);
// a * b / c rounded half away from zero as MulDiv does, without its overflow: -1 when c is 0, the
// result clamped to the int range.
int MulDivRound(int a, int b, int c);

ImageRect FrameRect(int bitmapWidth, int bitmapHeight, bool vertical, int count, int index);

// Nine-slice of one frame into a width x height result. `margins` holds the four margin widths
// (not coordinates), each taken as 0 when negative and as the frame's size when larger; a pair
// that does not fit the destination is dropped, so the whole frame stretches across that direction.
// Margins that fill the frame leave a larger target a middle all the same: the line where they
// meet is stretched across it (also with `tileCentre`: a line is stretched, never repeated).
// With `tileCentre` the centre piece is repeated unscaled from its top-left corner and may overrun
// into the right and bottom edges, which are drawn after it.
PaintPlan PlanNineSlice(int bitmapWidth, int bitmapHeight, int width, int height,
                        const ImageRect& margins, bool verticalFrames, bool tileCentre, int count,
                        int index);

// Left piece, the middle repeated from x = Left while x < width - Right, then the right piece;
// every piece keeps its width and is scaled to the strip's height. Only margins.left/right are
// used, limited to 0 .. the frame's width as in PlanNineSlice. Every target pixel is drawn once:
// the middle's last copy is cut where the right piece begins, and a strip shorter than both ends
// shows the right one whole and what room is left of the left one. Ends that fill the frame leave
// a longer strip a middle all the same: the line where they meet is stretched across it.
PaintPlan PlanThreePartStrip(int bitmapWidth, int bitmapHeight, int width, int height,
                             const ImageRect& margins, bool verticalFrames, int count, int index);

// Frame `index` of side-by-side frames stretched to width x height.
PaintPlan PlanFrame(int bitmapWidth, int bitmapHeight, int width, int height, int count, int index);

// Frame `index` of side-by-side frames, unscaled, centred on `dst` (division toward zero, so a
// frame larger than the rectangle sticks out on both sides).
BlitStep PlanFrameCentred(int bitmapWidth, int bitmapHeight, const ImageRect& dst, int count,
                          int index);

// The source piece repeated unscaled from dst's top-left corner while x < dst.right and
// y < dst.bottom; the last row and column are not clipped. Nothing for an empty piece.
PaintPlan PlanTile(const ImageRect& dst, const ImageRect& piece);

// The source offset (0 .. src - 1) each of `dst` target pixels shows when `src` pixels are scaled
// onto them as GDI's COLORONCOLOR stretch picks them: columns with keepFirst false, rows with true.
std::vector<int> StretchOffsets(int src, int dst, bool keepFirst);

// Executes a plan from `src` into `dst`, scaling by picking source pixels as GDI's COLORONCOLOR
// stretch does; source pixels outside `src` and target pixels outside `dst` are skipped.
void RunPlan(const PaintPlan& plan, const PixelBuffer& src, PixelBuffer& dst);

// The portable nine-slice: the plan of PlanNineSlice run into a new buffer of the source's depth.
PixelBuffer RenderNineSlice(const PixelBuffer& src, int width, int height, const ImageRect& margins,
                            bool verticalFrames, bool tileCentre, int count, int index);

}  // namespace skin
