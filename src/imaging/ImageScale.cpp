#include "imaging/ImageScale.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

namespace skin {

namespace {

// The transparent key in a pixel's bytes (blue, green, red).
bool IsKeyPixel(const uint8_t* p) { return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF; }

struct Region {
  int left, top, width, height;
};

// Whole factors: every source pixel becomes a k x k block. Each output row is built once from
// its source row and copied for the k - 1 rows below it.
void Replicate(const PixelBuffer& src, const Region& from, PixelBuffer& dst, const Region& to,
               int k) {
  const int bpp = src.bytesPerPixel();
  std::vector<size_t> column(to.width);
  for (int x = 0; x < to.width; ++x)
    column[x] = static_cast<size_t>(from.left + std::min(x / k, from.width - 1)) * bpp;
  const size_t outStart = static_cast<size_t>(to.left) * bpp;
  const size_t span = static_cast<size_t>(to.width) * bpp;
  int lastSource = -1;
  for (int y = 0; y < to.height; ++y) {
    const int sy = from.top + std::min(y / k, from.height - 1);
    uint8_t* out = dst.Row(to.top + y) + outStart;
    if (sy == lastSource) {
      std::memcpy(out, dst.Row(to.top + y - 1) + outStart, span);
      continue;
    }
    lastSource = sy;
    const uint8_t* in = src.Row(sy);
    for (int x = 0; x < to.width; ++x)
      std::memcpy(out + static_cast<size_t>(x) * bpp, in + column[x], bpp);
  }
}

// Weights are fixed point: kOne per axis, kOne * kOne for a pixel. Four pixels of 255 at full
// weight sum to 255 << 24, which still fits 32 bits.
constexpr int kShift = 12;
constexpr uint32_t kOne = 1u << kShift;

// Where each output pixel of one axis samples its source: the nearest source pixel (for the
// mask) and the two around the sampling point with their weights. The sampling point is the
// output pixel's centre in source pixels, kept within the first and last source centres so the
// edge pixels are not blended with their inner neighbours.
struct Taps {
  std::vector<int> nearest, first, second;
  std::vector<uint32_t> w0, w1;
};

Taps MakeTaps(int srcLen, int dstLen) {
  Taps t;
  t.nearest.resize(dstLen), t.first.resize(dstLen), t.second.resize(dstLen);
  t.w0.resize(dstLen), t.w1.resize(dstLen);
  // Positions are counted in 1 / (2 * dstLen) of a source pixel, so they are exact.
  const int64_t unit = 2 * static_cast<int64_t>(dstLen);
  for (int i = 0; i < dstLen; ++i) {
    const int64_t centre = (2 * static_cast<int64_t>(i) + 1) * srcLen;
    t.nearest[i] = static_cast<int>(std::min<int64_t>(centre / unit, srcLen - 1));
    const int64_t point = std::max<int64_t>(centre - dstLen, 0);  // minus half a source pixel
    int64_t first = point / unit, frac = point % unit;
    if (first >= srcLen - 1) first = srcLen - 1, frac = 0;
    t.first[i] = static_cast<int>(first);
    t.second[i] = static_cast<int>(std::min<int64_t>(first + 1, srcLen - 1));
    t.w1[i] = static_cast<uint32_t>((frac * kOne + unit / 2) / unit);
    t.w0[i] = kOne - t.w1[i];
  }
  return t;
}

// Other factors: the mask from the nearest source pixel, the colour from the opaque ones among
// the four around the sampling point, weighted by distance. The taps depend only on the frame's
// size, so one set serves every frame of a strip.
template <int bpp>
void Filter(const PixelBuffer& src, const Region& from, PixelBuffer& dst, const Region& to,
            const Taps& cols, const Taps& rows) {
  for (int y = 0; y < to.height; ++y) {
    const uint8_t* rowN = src.Row(from.top + rows.nearest[y]);
    const uint8_t* row0 = src.Row(from.top + rows.first[y]);
    const uint8_t* row1 = src.Row(from.top + rows.second[y]);
    const uint32_t wy0 = rows.w0[y], wy1 = rows.w1[y];
    uint8_t* out = dst.Row(to.top + y) + static_cast<size_t>(to.left) * bpp;
    for (int x = 0; x < to.width; ++x, out += bpp) {
      const uint8_t* nearest = rowN + static_cast<size_t>(from.left + cols.nearest[x]) * bpp;
      if (IsKeyPixel(nearest)) {
        std::memcpy(out, nearest, bpp);
        continue;
      }
      const size_t o0 = static_cast<size_t>(from.left + cols.first[x]) * bpp;
      const size_t o1 = static_cast<size_t>(from.left + cols.second[x]) * bpp;
      const uint8_t* p[4] = {row0 + o0, row0 + o1, row1 + o0, row1 + o1};
      const uint32_t wx0 = cols.w0[x], wx1 = cols.w1[x];
      uint32_t w[4] = {wx0 * wy0, wx1 * wy0, wx0 * wy1, wx1 * wy1};
      uint32_t total = kOne * kOne;
      if (IsKeyPixel(p[0]) || IsKeyPixel(p[1]) || IsKeyPixel(p[2]) || IsKeyPixel(p[3]))
        for (int i = 0; i < 4; ++i)
          if (IsKeyPixel(p[i])) total -= w[i], w[i] = 0;
      if (total == 0) {  // only the nearest pixel is opaque and it weighs nothing here
        std::memcpy(out, nearest, bpp);
        continue;
      }
      auto sum = [&](int c) {
        return w[0] * p[0][c] + w[1] * p[1][c] + w[2] * p[2][c] + w[3] * p[3][c];
      };
      if (total == kOne * kOne) {
        constexpr uint32_t half = 1u << (2 * kShift - 1);
        out[0] = static_cast<uint8_t>((sum(0) + half) >> (2 * kShift));
        out[1] = static_cast<uint8_t>((sum(1) + half) >> (2 * kShift));
        out[2] = static_cast<uint8_t>((sum(2) + half) >> (2 * kShift));
        if (bpp == 4) out[3] = static_cast<uint8_t>((sum(3) + half) >> (2 * kShift));
      } else {
        for (int c = 0; c < bpp; ++c) out[c] = static_cast<uint8_t>((sum(c) + total / 2) / total);
      }
      // A blend of opaque colours that lands on the key exactly would turn transparent.
      if (IsKeyPixel(out)) out[2] = 0xFE;
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
  const int64_t magnitude =
      (std::abs(static_cast<int64_t>(length)) * s.num * 2 + s.den) / (2 * s.den);
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
  Taps cols, rows;
  if (!s.Whole()) cols = MakeTaps(fw, sw), rows = MakeTaps(fh, sh);
  for (int i = 0; i < frames; ++i) {
    const Region from{vertical ? 0 : i * fw, vertical ? i * fh : 0, fw, fh};
    const Region to{vertical ? 0 : i * sw, vertical ? i * sh : 0, sw, sh};
    if (s.Whole())
      Replicate(src, from, out, to, s.num / s.den);
    else
      (src.bytesPerPixel() == 4 ? Filter<4> : Filter<3>)(src, from, out, to, cols, rows);
  }
  return out;
}

}  // namespace skin
