// Skin images for another display scale. A scale is a fraction of 96 dpi (144 dpi is 3/2); each
// image is scaled once per scale and kept, never inside a paint. Whole factors replicate pixels,
// so a 200 % skin stays as sharp as its art; other factors filter. Pure magenta is the skin's
// transparent colour: the mask is scaled on its own (nearest pixel) and filtering never takes a
// magenta pixel into an opaque one, so no pink fringe appears at a rounded corner. Strips are
// scaled frame by frame, so their frames stay whole and equal. Portable.
#pragma once

#include "imaging/PixelBuffer.h"

namespace skin {

struct Scale {
  int num = 1, den = 1;  // num / den, both at least 1

  static Scale FromDpi(int dpi) { return dpi > 0 ? Scale{dpi, 96}.Reduced() : Scale{}; }
  bool Whole() const { return num % den == 0; }
  bool Identity() const { return num == den; }
  Scale Reduced() const;
  bool operator==(const Scale& o) const { return num * o.den == o.num * den; }
};

// A length in 96-dpi pixels at the scale: rounded half up, as the system scales its metrics. A
// positive length never becomes 0.
int ScaleLength(int length, Scale s);

// The image at the scale. `frames` frames side by side (or stacked when `vertical`) are scaled
// one by one into frames of ScaleLength(frame size); a count that does not divide the image
// scales it as one frame. 32-bit images keep their alpha byte alongside the colour.
PixelBuffer ScaleImage(const PixelBuffer& src, Scale s, int frames = 1, bool vertical = false);

}  // namespace skin
