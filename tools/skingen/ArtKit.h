// Drawing kit shared by the artwork tools: a cairo canvas, colour helpers, and the conversions from
// cairo's premultiplied ARGB into the skin's pixel buffers. The skin keys transparency with pure
// magenta and is drawn by GDI without alpha, so every partly covered pixel is blended here, against
// the colour that will be behind it on screen, and fully uncovered pixels become exact magenta.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace skin::art {

// A colour with straight alpha, channels 0..1, as cairo takes them.
struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};

constexpr Rgba Rgb(int r, int g, int b, double a = 1.0) {
  return {r / 255.0, g / 255.0, b / 255.0, a};
}
Colour ToColour(Rgba c);
// Linear mix: t = 0 gives a, t = 1 gives b.
Rgba Mix(Rgba a, Rgba b, double t);
Rgba WithAlpha(Rgba c, double a);

struct Stop {
  double offset;
  Rgba colour;
};

// An ARGB32 cairo image surface with its context; transparent at creation.
class Canvas {
 public:
  Canvas(int width, int height);
  // A canvas of (width x height) * scale pixels drawn on in units of the unscaled size: the same
  // drawing, `scale` times as fine (the skin's larger art).
  Canvas(int width, int height, int scale);
  // A canvas holding an opaque copy of `pixels`, to draw over an existing image.
  explicit Canvas(const PixelBuffer& pixels);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Premultiplied pixel, 0xAARRGGBB. Flushes pending drawing first.
  uint32_t Pixel(int x, int y) const;
  // All pixels after one flush: row y starts at Pixels() + y * stride() (in pixels).
  const uint32_t* Pixels() const;
  int stride() const;

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Paths and paint helpers (they leave the path set, so the caller can fill, stroke or clip it).
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);
void SetColour(cairo_t* cr, Rgba c);
// Linear gradient source from (x0, y0) to (x1, y1).
void SetGradient(cairo_t* cr, double x0, double y0, double x1, double y1,
                 std::initializer_list<Stop> stops);
void SetVerticalGradient(cairo_t* cr, double y0, double y1, std::initializer_list<Stop> stops);

// Canvas → 24-bit skin image. Uncovered pixels (alpha 0) become magenta; the others are composited
// over the background colour (or the background image of the same size).
PixelBuffer FlattenKeyed(const Canvas& canvas, Colour background);
PixelBuffer FlattenKeyed(const Canvas& canvas, const PixelBuffer& background);
// Canvas → 24-bit image with no transparency: composited over the background everywhere.
PixelBuffer FlattenOpaque(const Canvas& canvas, Colour background);
// Canvas → 32-bit image with straight (not premultiplied) alpha; uncovered pixels are all zero.
PixelBuffer ToStraightAlpha(const Canvas& canvas);

// Assembly of frame strips and small geometric transforms. Joining needs equal heights (widths for
// the vertical join); the result has the depth of the first part.
PixelBuffer JoinHorizontal(const std::vector<PixelBuffer>& parts);
PixelBuffer JoinVertical(const std::vector<PixelBuffer>& parts);
PixelBuffer Crop(const PixelBuffer& image, int x, int y, int width, int height);
PixelBuffer Transpose(const PixelBuffer& image);

// Writes a 32-bit straight-alpha or 24-bit buffer to a PNG file, scaled by an integer factor
// (nearest neighbour), for looking at the artwork. Returns false on failure.
bool WritePng(const PixelBuffer& image, const char* path, int scale = 1);

}  // namespace skin::art
