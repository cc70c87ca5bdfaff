#include "imaging/ImgUtil.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace skin {

Colour ToRgb(Colour c, SysColourFn sys) {
  if (c < 0) return sys ? (sys(c & 0xFF) & 0xFFFFFF) : 0;
  return c & 0xFFFFFF;
}

PixelBuffer ConvertTo24(const PixelBuffer& image) {
  PixelBuffer out(image.width(), image.height(), 24);
  const int bpp = image.bytesPerPixel();
  for (int y = 0; y < image.height(); ++y) {
    const uint8_t* s = image.Row(y);
    uint8_t* d = out.Row(y);
    for (int x = 0; x < image.width(); ++x, s += bpp, d += 3) std::memcpy(d, s, 3);
  }
  return out;
}

void ReplaceMagenta(PixelBuffer& image, Colour colour) {
  if (image.bitsPerPixel() != 24) image = ConvertTo24(image);
  const uint8_t b = static_cast<uint8_t>(BlueOf(colour));
  const uint8_t g = static_cast<uint8_t>(GreenOf(colour));
  const uint8_t r = static_cast<uint8_t>(RedOf(colour));
  for (int y = 0; y < image.height(); ++y) {
    uint8_t* p = image.Row(y);
    for (int x = 0; x < image.width(); ++x, p += 3) {
      if (p[0] == 255 && p[1] == 0 && p[2] == 255) {
        p[0] = b;
        p[1] = g;
        p[2] = r;
      }
    }
  }
}

void MirrorHorizontal(PixelBuffer& image) {
  const int bpp = image.bytesPerPixel();
  uint8_t tmp[4];
  for (int y = 0; y < image.height(); ++y) {
    uint8_t* row = image.Row(y);
    for (int a = 0, b = image.width() - 1; a < b; ++a, --b) {
      uint8_t* pa = row + static_cast<size_t>(a) * bpp;
      uint8_t* pb = row + static_cast<size_t>(b) * bpp;
      std::memcpy(tmp, pa, bpp);
      std::memcpy(pa, pb, bpp);
      std::memcpy(pb, tmp, bpp);
    }
  }
}

void FlipVertical(PixelBuffer& image) {
  std::vector<uint8_t> tmp(image.stride());
  for (int a = 0, b = image.height() - 1; a < b; ++a, --b) {
    std::memcpy(tmp.data(), image.Row(a), image.stride());
    std::memcpy(image.Row(a), image.Row(b), image.stride());
    std::memcpy(image.Row(b), tmp.data(), image.stride());
  }
}

namespace {

// Builds the rotated image pixel by pixel: `from(X, Y)` names the old pixel that lands at (X, Y).
template <class From>
PixelBuffer Rotated(const PixelBuffer& image, From from) {
  PixelBuffer out(image.height(), image.width(), 24);
  const int bpp = image.bytesPerPixel();
  for (int y = 0; y < out.height(); ++y) {
    uint8_t* d = out.Row(y);
    for (int x = 0; x < out.width(); ++x, d += 3) {
      const auto [ox, oy] = from(x, y);
      std::memcpy(d, image.Row(oy) + static_cast<size_t>(ox) * bpp, 3);
    }
  }
  return out;
}

}  // namespace

void RotateLeft(PixelBuffer& image) {
  const int w = image.width();
  image = Rotated(image, [w](int x, int y) { return std::pair{w - 1 - y, x}; });
}

void RotateRight(PixelBuffer& image) {
  const int h = image.height();
  image = Rotated(image, [h](int x, int y) { return std::pair{y, h - 1 - x}; });
}

Colour Blend(Colour colour1, Colour colour2, int amount, SysColourFn sys) {
  const int c1 = ToRgb(colour1, sys);
  const int c2 = ToRgb(colour2, sys);
  // An amount outside 0..1000 is no caller's intent; clamping keeps every channel in its byte.
  amount = std::clamp(amount, 0, 1000);
  const int scale = amount < 100 ? 100 : 1000;
  auto mix = [&](int a, int b) { return (b * (scale - amount) + a * amount + scale / 2) / scale; };
  return MakeColour(mix(RedOf(c1), RedOf(c2)), mix(GreenOf(c1), GreenOf(c2)),
                    mix(BlueOf(c1), BlueOf(c2)));
}

int Saturation(Colour colour) {
  const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
  const int mx = std::max({r, g, b});
  const int mn = std::min({r, g, b});
  if (mx < 160) return 200;
  const double s = static_cast<double>(mx - mn) / mx;
  return static_cast<int>(std::lround(s * 255.0));
}

std::vector<Colour> MakeGradient(int count, Colour colour1, Colour colour2) {
  if (count <= 0) throw std::invalid_argument("Assertion failure");
  const int r1 = RedOf(colour1), g1 = GreenOf(colour1), b1 = BlueOf(colour1);
  const int dr = RedOf(colour2) - r1, dg = GreenOf(colour2) - g1, db = BlueOf(colour2) - b1;
  std::vector<Colour> ramp(count);
  if (count == 1) {
    ramp[0] = MakeColour(r1 + dr / 2, g1 + dg / 2, b1 + db / 2);
    return ramp;
  }
  const int m = count - 1;
  const int h = m / 2;
  // 64-bit products: a ramp may be as long as a window is wide, times a channel difference.
  auto step = [&](int start, int d, int i) {
    return start + static_cast<int>((h + static_cast<int64_t>(i) * d) / m);
  };
  for (int i = 0; i <= m; ++i)
    ramp[i] = MakeColour(step(r1, dr, i), step(g1, dg, i), step(b1, db, i));
  return ramp;
}

const std::vector<Colour>& GradientCache::Get(int count, Colour colour1, Colour colour2) {
  if (count <= 0) throw std::invalid_argument("Assertion failure");
  for (int i = kSlots - 1; i >= 0; --i) {
    const Slot& s = slots_[i];
    if (static_cast<int>(s.ramp.size()) == count && s.colour1 == colour1 && s.colour2 == colour2)
      return s.ramp;
  }
  Slot& slot = slots_[next_];
  slot.ramp = MakeGradient(count, colour1, colour2);
  slot.colour1 = colour1;
  slot.colour2 = colour2;
  next_ = (next_ + 1) % kSlots;
  return slot.ramp;
}

const std::vector<Colour>& GradientColours(int count, Colour colour1, Colour colour2) {
  static GradientCache cache;
  return cache.Get(count, colour1, colour2);
}

GradientSpan GradientLines(int rectStart, int rectEnd, int clipStart, int clipEnd) {
  GradientSpan span;
  span.count = rectEnd - rectStart;
  if (span.count <= 0) return span;
  span.first = std::max(0, clipStart - rectStart);
  span.last = clipEnd < rectEnd ? clipEnd - rectStart - 1 : span.count - 1;
  return span;
}

}  // namespace skin
