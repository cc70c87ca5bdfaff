#include "Icons.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ArtKit.h"

namespace skin::art {

namespace {

// Lens of a magnifying glass centred at (cx, cy) with radius r, handle towards the bottom right.
void Magnifier(cairo_t* cr, double cx, double cy, double r, double ring, Rgba rim) {
  const double handleStart = r + ring * 0.3, handleEnd = r * 2.25;
  const double d = std::sqrt(0.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, cx + handleStart * d, cy + handleStart * d);
  cairo_line_to(cr, cx + handleEnd * d, cy + handleEnd * d);
  cairo_set_line_width(cr, ring * 2.1);
  SetColour(cr, Rgb(70, 48, 30));
  cairo_stroke(cr);
  cairo_move_to(cr, cx + handleStart * d, cy + handleStart * d);
  cairo_line_to(cr, cx + handleEnd * d, cy + handleEnd * d);
  cairo_set_line_width(cr, ring * 1.3);
  SetColour(cr, Rgb(150, 104, 60));
  cairo_stroke(cr);

  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetGradient(cr, cx - r, cy - r, cx + r, cy + r,
              {{0, Rgb(255, 255, 255, 0.75)}, {1, Rgb(200, 230, 255, 0.4)}});
  cairo_fill_preserve(cr);
  SetColour(cr, rim);
  cairo_set_line_width(cr, ring);
  cairo_stroke(cr);
}

void Tile(cairo_t* cr, double size) {
  // The edge line sits on pixel centres so it stays crisp at every size.
  RoundedRectPath(cr, 0.5, 0.5, size - 1, size - 1, size * 0.2);
  SetGradient(cr, 0, 0, 0, size, {{0, Rgb(110, 180, 250)}, {1, Rgb(30, 94, 200)}});
  cairo_fill_preserve(cr);
  SetColour(cr, Rgb(18, 60, 140));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void Bars(cairo_t* cr, int size, int bars) {
  // Rising bars on a common base line, snapped to whole pixels so small sizes stay sharp.
  const int base = static_cast<int>(std::lround(size * 0.82));
  const int left = static_cast<int>(std::lround(size * 0.14));
  const int gap = std::max(1, static_cast<int>(std::lround(size * 0.05)));
  const int barWidth =
      std::max(2, static_cast<int>(std::lround(size * 0.5 - gap * (bars - 1)) / bars));
  for (int i = 0; i < bars; ++i) {
    const int h = static_cast<int>(std::lround(size * (0.2 + 0.15 * i)));
    cairo_rectangle(cr, left + i * (barWidth + gap), base - h, barWidth, h);
  }
  SetVerticalGradient(cr, size * 0.3, base, {{0, Rgb(255, 255, 255)}, {1, Rgb(214, 236, 255)}});
  cairo_fill(cr);
}

}  // namespace

PixelBuffer DrawAppIcon(int size) {
  Canvas canvas(size, size);
  cairo_t* cr = canvas.cr();
  const double s = size;
  Tile(cr, s);
  Bars(cr, size, size <= 16 ? 3 : 4);
  const double r = s * (size <= 16 ? 0.2 : 0.19);
  Magnifier(cr, s * 0.64, s * 0.38, r, std::max(1.2, s * 0.065), Rgb(255, 176, 40));
  return ToStraightAlpha(canvas);
}

PixelBuffer DrawSearchIcon(int size) {
  Canvas canvas(size, size);
  cairo_t* cr = canvas.cr();
  const double s = size;
  // Whole-pixel centre and an even bar width keep the plus sign sharp.
  const double cx = std::round(s * 0.42), cy = cx, r = s * 0.3;
  Magnifier(cr, cx, cy, r, std::max(1.4, s * 0.09), Rgb(36, 100, 200));
  const double arm = std::round(r * 0.6), w = 2;
  cairo_rectangle(cr, cx - arm, cy - w / 2, 2 * arm, w);
  cairo_rectangle(cr, cx - w / 2, cy - arm, w, 2 * arm);
  SetColour(cr, Rgb(40, 150, 60));
  cairo_fill(cr);
  return ToStraightAlpha(canvas);
}

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPINFOHEADER (height doubled: colour image then mask), BGRA rows and the AND mask, both
// bottom-up.
std::vector<uint8_t> IconImage(const PixelBuffer& image) {
  const int n = image.width();
  const uint32_t maskStride = ((n + 31) / 32) * 4;
  const uint32_t pixels = static_cast<uint32_t>(n) * n * 4, mask = maskStride * n;
  std::vector<uint8_t> out;
  Put32(out, 40);
  Put32(out, n);
  Put32(out, 2 * n);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, pixels + mask);
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x) {
      const Colour c = image.Get(x, y);
      const uint8_t a = image.Alpha(x, y);
      out.push_back(a ? BlueOf(c) : 0);
      out.push_back(a ? GreenOf(c) : 0);
      out.push_back(a ? RedOf(c) : 0);
      out.push_back(a);
    }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskStride, 0);
    for (int x = 0; x < n; ++x)
      if (image.Alpha(x, y) == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeIco(const std::vector<PixelBuffer>& images) {
  std::vector<std::vector<uint8_t>> bodies;
  for (const PixelBuffer& image : images) {
    if (image.width() != image.height() || image.width() < 1 || image.width() > 256 ||
        image.bitsPerPixel() != 32)
      throw std::invalid_argument("EncodeIco: square 32-bit images of 1 to 256 pixels");
    bodies.push_back(IconImage(image));
  }
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int n = images[i].width();
    out.push_back(static_cast<uint8_t>(n == 256 ? 0 : n));
    out.push_back(static_cast<uint8_t>(n == 256 ? 0 : n));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace skin::art
