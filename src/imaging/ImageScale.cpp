#include "imaging/ImageScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace skin {

namespace {

bool IsKey(Colour c) { return (c & 0xFFFFFF) == kMagenta; }

struct Region {
  int left, top, width, height;
};

// Whole factors: every source pixel becomes a k x k block.
void Replicate(const PixelBuffer& src, const Region& from, PixelBuffer& dst, const Region& to,
               int k) {
  const bool alpha = src.bitsPerPixel() == 32;
  for (int y = 0; y < to.height; ++y)
    for (int x = 0; x < to.width; ++x) {
      const int sx = from.left + std::min(x / k, from.width - 1);
      const int sy = from.top + std::min(y / k, from.height - 1);
      dst.Set(to.left + x, to.top + y, src.Get(sx, sy));
      if (alpha) dst.SetAlpha(to.left + x, to.top + y, src.Alpha(sx, sy));
    }
}

// Other factors: the mask from the nearest source pixel, the colour from the opaque ones among
// the four around the sampling point, weighted by distance.
void Filter(const PixelBuffer& src, const Region& from, PixelBuffer& dst, const Region& to) {
  const bool alpha = src.bitsPerPixel() == 32;
  const double fx = static_cast<double>(from.width) / to.width;
  const double fy = static_cast<double>(from.height) / to.height;
  for (int y = 0; y < to.height; ++y) {
    const double sy = (y + 0.5) * fy - 0.5;
    const int ny = std::clamp(static_cast<int>((y + 0.5) * fy), 0, from.height - 1);
    const int y0 = std::clamp(static_cast<int>(std::floor(sy)), 0, from.height - 1);
    const int y1 = std::min(y0 + 1, from.height - 1);
    const double wy = std::clamp(sy - std::floor(sy), 0.0, 1.0);
    for (int x = 0; x < to.width; ++x) {
      const double sx = (x + 0.5) * fx - 0.5;
      const int nx = std::clamp(static_cast<int>((x + 0.5) * fx), 0, from.width - 1);
      const Colour nearest = src.Get(from.left + nx, from.top + ny);
      if (IsKey(nearest)) {
        dst.Set(to.left + x, to.top + y, nearest);
        if (alpha) dst.SetAlpha(to.left + x, to.top + y, src.Alpha(from.left + nx, from.top + ny));
        continue;
      }
      const int x0 = std::clamp(static_cast<int>(std::floor(sx)), 0, from.width - 1);
      const int x1 = std::min(x0 + 1, from.width - 1);
      const double wx = std::clamp(sx - std::floor(sx), 0.0, 1.0);
      const int xs[2] = {x0, x1}, ys[2] = {y0, y1};
      const double wxs[2] = {1 - wx, wx}, wys[2] = {1 - wy, wy};
      double r = 0, g = 0, b = 0, a = 0, total = 0;
      for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) {
          const int px = from.left + xs[i], py = from.top + ys[j];
          const Colour c = src.Get(px, py);
          const double w = wxs[i] * wys[j];
          if (IsKey(c) || w <= 0) continue;
          r += w * RedOf(c), g += w * GreenOf(c), b += w * BlueOf(c);
          if (alpha) a += w * src.Alpha(px, py);
          total += w;
        }
      if (total <= 0) {  // only the nearest pixel is opaque and it weighs nothing here
        dst.Set(to.left + x, to.top + y, nearest);
        if (alpha) dst.SetAlpha(to.left + x, to.top + y, src.Alpha(from.left + nx, from.top + ny));
        continue;
      }
      auto channel = [total](double v) {
        return std::clamp(static_cast<int>(std::lround(v / total)), 0, 255);
      };
      Colour c = MakeColour(channel(r), channel(g), channel(b));
      // A blend of opaque colours that lands on the key exactly would turn transparent.
      if (IsKey(c)) c = MakeColour(0xFE, 0, 0xFF);
      dst.Set(to.left + x, to.top + y, c);
      if (alpha) dst.SetAlpha(to.left + x, to.top + y, static_cast<uint8_t>(channel(a)));
    }
  }
}

}  // namespace

Scale Scale::Reduced() const {
  const int n = std::max(num, 1), d = std::max(den, 1);
  const int g = std::gcd(n, d);
  return {n / g, d / g};
}

int ScaleLength(int length, Scale s) {
  s = s.Reduced();
  const int64_t magnitude = (std::abs(static_cast<int64_t>(length)) * s.num * 2 + s.den) / (2 * s.den);
  const int64_t scaled = length < 0 ? -magnitude : magnitude;
  if (length > 0 && scaled == 0) return 1;
  return static_cast<int>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}

PixelBuffer ScaleImage(const PixelBuffer& src, Scale s, int frames, bool vertical) {
  s = s.Reduced();
  if (src.empty() || s.Identity()) return src;
  const int along = vertical ? src.height() : src.width();
  if (frames < 1 || along % frames != 0) frames = 1;
  const int fw = vertical ? src.width() : src.width() / frames;
  const int fh = vertical ? src.height() / frames : src.height();
  const int sw = ScaleLength(fw, s), sh = ScaleLength(fh, s);
  PixelBuffer out(vertical ? sw : sw * frames, vertical ? sh * frames : sh, src.bitsPerPixel());
  for (int i = 0; i < frames; ++i) {
    const Region from{vertical ? 0 : i * fw, vertical ? i * fh : 0, fw, fh};
    const Region to{vertical ? 0 : i * sw, vertical ? i * sh : 0, sw, sh};
    if (s.Whole())
      Replicate(src, from, out, to, s.num / s.den);
    else
      Filter(src, from, out, to);
  }
  return out;
}

}  // namespace skin
