#include "ArtKit.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skin::art {

Colour ToColour(Rgba c) {
  auto channel = [](double v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  return MakeColour(channel(c.r), channel(c.g), channel(c.b));
}

Rgba Mix(Rgba a, Rgba b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Rgba WithAlpha(Rgba c, double a) { return {c.r, c.g, c.b, a}; }

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cairo: cannot create an image surface");
}

Canvas::Canvas(int width, int height, int scale) : Canvas(width * scale, height * scale) {
  cairo_scale(cr_, scale, scale);
}

Canvas::Canvas(const PixelBuffer& pixels) : Canvas(pixels.width(), pixels.height()) {
  cairo_surface_flush(surface_);
  unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width_; ++x) {
      const Colour c = pixels.Get(x, y);
      row[x] = 0xFF000000u | (static_cast<uint32_t>(RedOf(c)) << 16) |
               (static_cast<uint32_t>(GreenOf(c)) << 8) | static_cast<uint32_t>(BlueOf(c));
    }
  }
  cairo_surface_mark_dirty(surface_);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

const uint32_t* Canvas::Pixels() const {
  cairo_surface_flush(surface_);
  return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface_));
}

int Canvas::stride() const { return cairo_image_surface_get_stride(surface_) / 4; }

uint32_t Canvas::Pixel(int x, int y) const {
  return Pixels()[static_cast<size_t>(y) * stride() + x];
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius) {
  const double r = std::min({radius, w / 2, h / 2});
  cairo_new_sub_path(cr);
  if (r <= 0) {
    cairo_rectangle(cr, x, y, w, h);
    return;
  }
  const double kQuarter = M_PI / 2;
  cairo_arc(cr, x + w - r, y + r, r, -kQuarter, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kQuarter);
  cairo_arc(cr, x + r, y + h - r, r, kQuarter, 2 * kQuarter);
  cairo_arc(cr, x + r, y + r, r, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cr);
}

void SetColour(cairo_t* cr, Rgba c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void SetGradient(cairo_t* cr, double x0, double y0, double x1, double y1,
                 std::initializer_list<Stop> stops) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
  for (const Stop& s : stops)
    cairo_pattern_add_color_stop_rgba(pattern, s.offset, s.colour.r, s.colour.g, s.colour.b,
                                      s.colour.a);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

void SetVerticalGradient(cairo_t* cr, double y0, double y1, std::initializer_list<Stop> stops) {
  SetGradient(cr, 0, y0, 0, y1, stops);
}

namespace {

struct Argb {
  int a, r, g, b;  // premultiplied
};

Argb Unpack(uint32_t p) {
  return {static_cast<int>(p >> 24), static_cast<int>((p >> 16) & 0xFF),
          static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

// Premultiplied source over an opaque background, rounded to the nearest integer.
int Over(int premultiplied, int alpha, int background) {
  return premultiplied + (background * (255 - alpha) + 127) / 255;
}

Colour Composite(uint32_t pixel, Colour background) {
  const Argb p = Unpack(pixel);
  return MakeColour(Over(p.r, p.a, RedOf(background)), Over(p.g, p.a, GreenOf(background)),
                    Over(p.b, p.a, BlueOf(background)));
}

// A drawn pixel must never read as the transparent key by accident.
Colour AvoidKey(Colour c) { return c == kMagenta ? MakeColour(254, 0, 255) : c; }

template <typename BackgroundAt>
PixelBuffer Flatten(const Canvas& canvas, bool keyed, BackgroundAt background) {
  PixelBuffer out(canvas.width(), canvas.height(), 24);
  const uint32_t* pixels = canvas.Pixels();
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      const uint32_t pixel = pixels[static_cast<size_t>(y) * canvas.stride() + x];
      if (keyed && (pixel >> 24) == 0)
        out.Set(x, y, kMagenta);
      else
        out.Set(x, y, AvoidKey(Composite(pixel, background(x, y))));
    }
  return out;
}

}  // namespace

PixelBuffer FlattenKeyed(const Canvas& canvas, Colour background) {
  return Flatten(canvas, true, [background](int, int) { return background; });
}

PixelBuffer FlattenKeyed(const Canvas& canvas, const PixelBuffer& background) {
  if (background.width() != canvas.width() || background.height() != canvas.height())
    throw std::invalid_argument("FlattenKeyed: background of another size");
  return Flatten(canvas, true, [&background](int x, int y) { return background.Get(x, y); });
}

PixelBuffer FlattenOpaque(const Canvas& canvas, Colour background) {
  return Flatten(canvas, false, [background](int, int) { return background; });
}

PixelBuffer ToStraightAlpha(const Canvas& canvas) {
  PixelBuffer out(canvas.width(), canvas.height(), 32);
  const uint32_t* pixels = canvas.Pixels();
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      const Argb p = Unpack(pixels[static_cast<size_t>(y) * canvas.stride() + x]);
      if (p.a == 0) continue;
      auto straight = [&p](int v) { return std::min(255, (v * 255 + p.a / 2) / p.a); };
      out.Set(x, y, MakeColour(straight(p.r), straight(p.g), straight(p.b)));
      out.SetAlpha(x, y, static_cast<uint8_t>(p.a));
    }
  return out;
}

namespace {

void CopyPixel(const PixelBuffer& from, int fx, int fy, PixelBuffer& to, int tx, int ty) {
  to.Set(tx, ty, from.Get(fx, fy));
  to.SetAlpha(tx, ty, from.Alpha(fx, fy));
}

}  // namespace

PixelBuffer JoinHorizontal(const std::vector<PixelBuffer>& parts) {
  if (parts.empty()) return {};
  int width = 0;
  for (const PixelBuffer& p : parts) {
    if (p.height() != parts[0].height()) throw std::invalid_argument("JoinHorizontal: heights");
    width += p.width();
  }
  PixelBuffer out(width, parts[0].height(), parts[0].bitsPerPixel());
  int x0 = 0;
  for (const PixelBuffer& p : parts) {
    for (int y = 0; y < p.height(); ++y)
      for (int x = 0; x < p.width(); ++x) CopyPixel(p, x, y, out, x0 + x, y);
    x0 += p.width();
  }
  return out;
}

PixelBuffer JoinVertical(const std::vector<PixelBuffer>& parts) {
  std::vector<PixelBuffer> turned;
  for (const PixelBuffer& p : parts) turned.push_back(Transpose(p));
  return Transpose(JoinHorizontal(turned));
}

PixelBuffer Crop(const PixelBuffer& image, int x0, int y0, int width, int height) {
  PixelBuffer out(width, height, image.bitsPerPixel());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) CopyPixel(image, x0 + x, y0 + y, out, x, y);
  return out;
}

PixelBuffer Transpose(const PixelBuffer& image) {
  PixelBuffer out(image.height(), image.width(), image.bitsPerPixel());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) CopyPixel(image, x, y, out, y, x);
  return out;
}

bool WritePng(const PixelBuffer& image, const char* path, int scale) {
  scale = std::max(scale, 1);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width() * scale,
                                                        image.height() * scale);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height() * scale; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.width() * scale; ++x) {
      const Colour c = image.Get(x / scale, y / scale);
      const uint32_t a = image.bitsPerPixel() == 32 ? image.Alpha(x / scale, y / scale) : 255;
      auto pre = [a](int v) { return static_cast<uint32_t>((v * a + 127) / 255); };
      row[x] = (a << 24) | (pre(RedOf(c)) << 16) | (pre(GreenOf(c)) << 8) | pre(BlueOf(c));
    }
  }
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace skin::art
