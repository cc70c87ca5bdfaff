// Pixel and colour routines of the skin engine: the loader derives images with them and the
// painters mirror, rotate and recolour skin bitmaps and compute gradient ramps. Pure pixel
// arithmetic on PixelBuffer; the device-context side (GetSysColor, FillRect, HBITMAP round trips)
// lives in ImgUtilGdi.
#pragma once

#include <array>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace skin {

// Turns a system-colour reference (a negative Colour) into RGB. Portable code has no system to ask,
// so callers that may hold such references pass the resolver (the Win32 side passes GetSysColor).
using SysColourFn = Colour (*)(int index);

// Plain RGB for `c`: a negative value names the system colour whose index is its low byte and is
// resolved with `sys` (black when no resolver is given); otherwise the low 24 bits.
Colour ToRgb(Colour c, SysColourFn sys);

// A copy of `image` with 24-bit rows (the alpha byte of a 32-bit image is dropped).
PixelBuffer ConvertTo24(const PixelBuffer& image);

// Forces the image to 24 bits per pixel and paints every pure magenta pixel with `colour` (its red,
// green and blue bytes taken as they are).
void ReplaceMagenta(PixelBuffer& image, Colour colour);
// Left-right mirror, same size and pixel format.
void MirrorHorizontal(PixelBuffer& image);
// Top-bottom flip, same size and pixel format.
void FlipVertical(PixelBuffer& image);
// 90 degrees counter-clockwise; the result is height x width with 24-bit rows.
void RotateLeft(PixelBuffer& image);
// 90 degrees clockwise; the result is height x width with 24-bit rows.
void RotateRight(PixelBuffer& image);

// Mix of two colours. Below 100 `amount` is the percentage of colour1, from 100 on it is per mille
// (so 100 means 10 %): Blend(c, white, 150) is 15 % of c on white.
Colour Blend(Colour colour1, Colour colour2, int amount, SysColourFn sys);
// The same for colours known to be plain RGB.
inline Colour BlendRgb(Colour colour1, Colour colour2, int amount) {
  return Blend(colour1, colour2, amount, nullptr);
}

// 0..255 saturation; 200 for colours with no channel of 160 or more.
int Saturation(Colour colour);

// Colour ramps for gradient fills, remembered in 16 slots taken in rotation, because the painters
// fill the same few gradients on every paint.
class GradientCache {
 public:
  static constexpr int kSlots = 16;

  // The ramp of `count` colours from colour1 towards colour2. A count below 1 is a programming
  // error (std::invalid_argument "Assertion failure"). The reference stays valid until this slot is
  // reused, i.e. at least for the next 15 new ramps.
  const std::vector<Colour>& Get(int count, Colour colour1, Colour colour2);

  // Slot the next new ramp goes to (for tests of the rotation).
  int nextSlot() const { return next_; }

 private:
  struct Slot {
    // The ramp's own first and last entries need not equal the requested end colours (integer
    // rounding, and a one-entry ramp holds the midpoint), so each slot remembers what it was asked.
    Colour colour1 = 0, colour2 = 0;
    std::vector<Colour> ramp;
  };
  std::array<Slot, kSlots> slots_{};
  int next_ = 0;
};

// The ramp itself, uncached: entry i of `count` is colour1 + (h + i*d) / m per channel, with
// m = count - 1, h = m / 2 and d the channel difference (integer division toward zero); a single
// entry is the midpoint colour1 + d / 2.
std::vector<Colour> MakeGradient(int count, Colour colour1, Colour colour2);

// The process-wide cache every painter shares (one GUI thread, no locking).
const std::vector<Colour>& GradientColours(int count, Colour colour1, Colour colour2);

// Which one-pixel lines of a gradient fill fall inside the clip box: lines [first, last] of
// `count`. Empty (first > last) when nothing is to be drawn. Coordinates along the fill direction:
// rect start/end and clip start/end (rows for a vertical fill, columns for a horizontal one).
struct GradientSpan {
  int count = 0;
  int first = 0;
  int last = -1;
  bool empty() const { return count <= 0 || first > last; }
};
GradientSpan GradientLines(int rectStart, int rectEnd, int clipStart, int clipEnd);

}  // namespace skin
