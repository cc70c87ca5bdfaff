// Skin image scaling at the factors start-up meets above 100 %: the frame's caption strip from its
// @2x art (x 3/4 at 150 %), a button strip and the credit badges at 150 %, and the same at 125 %.
// Each figure is compared with the per-pixel floating-point scaler this one replaced, kept below
// as it was so that the ratio can be measured again.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "BenchLine.h"
#include "imaging/ImageScale.h"

namespace {

using Clock = std::chrono::steady_clock;
using skin::Colour;
using skin::PixelBuffer;
using skin::Scale;

double TimePerCall(const std::function<void()>& f) {
  f();
  int n = 1;
  for (;;) {
    const auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) f();
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    if (s > 0.3) return s / n;
    n *= 2;
  }
}

// The earlier scaler: Get/Set and doubles per pixel.
namespace before {
bool IsKey(Colour c) { return (c & 0xFFFFFF) == skin::kMagenta; }
struct Region {
  int left, top, width, height;
};
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
          r += w * skin::RedOf(c), g += w * skin::GreenOf(c), b += w * skin::BlueOf(c);
          if (alpha) a += w * src.Alpha(px, py);
          total += w;
        }
      if (total <= 0) {
        dst.Set(to.left + x, to.top + y, nearest);
        if (alpha) dst.SetAlpha(to.left + x, to.top + y, src.Alpha(from.left + nx, from.top + ny));
        continue;
      }
      auto channel = [total](double v) {
        return std::clamp(static_cast<int>(std::lround(v / total)), 0, 255);
      };
      Colour c = skin::MakeColour(channel(r), channel(g), channel(b));
      if (IsKey(c)) c = skin::MakeColour(0xFE, 0, 0xFF);
      dst.Set(to.left + x, to.top + y, c);
      if (alpha) dst.SetAlpha(to.left + x, to.top + y, static_cast<uint8_t>(channel(a)));
    }
  }
}
PixelBuffer ScaleImage(const PixelBuffer& src, Scale s, int frames) {
  s = s.Reduced();
  const int fw = src.width() / frames, fh = src.height();
  const int sw = skin::ScaleLength(fw, s), sh = skin::ScaleLength(fh, s);
  PixelBuffer out(sw * frames, sh, src.bitsPerPixel());
  for (int i = 0; i < frames; ++i) Filter(src, {i * fw, 0, fw, fh}, out, {i * sw, 0, sw, sh});
  return out;
}
}  // namespace before

// Skin-like art: gradients with a keyed rounded corner in every frame.
PixelBuffer Art(int frameWidth, int height, int frames, int bpp) {
  PixelBuffer p(frameWidth * frames, height, bpp);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < p.width(); ++x) {
      const int fx = x % frameWidth;
      const bool corner = (fx < 3 || fx >= frameWidth - 3) && (y < 3 || y >= height - 3) &&
                          (fx + y < 3 || frameWidth - 1 - fx + y < 3 || fx + height - 1 - y < 3 ||
                           frameWidth - 1 - fx + height - 1 - y < 3);
      p.Set(x, y, corner ? skin::kMagenta : skin::MakeColour(x * 5, 90 + y * 3, (x + y) & 0xFF));
      p.SetAlpha(x, y, static_cast<uint8_t>(200 + y % 50));
    }
  return p;
}

void Case(const char* what, const PixelBuffer& src, Scale s, int frames) {
  const double now = TimePerCall([&] { skin::ScaleImage(src, s, frames); });
  const double old = TimePerCall([&] { before::ScaleImage(src, s, frames); });
  const std::string name =
      std::string(what) + " x" + std::to_string(s.num) + "/" + std::to_string(s.den);
  std::printf("%-36s %9.1f us  (before %9.1f us, %5.1fx faster)\n", name.c_str(), now * 1e6,
              old * 1e6, old / now);
  BenchLine("scale", name, now * 1e6, "us", "per-pixel floating-point scaler", old * 1e6);
}

}  // namespace

int main() {
  std::printf("Skin image scaling (per image)\n");
  const PixelBuffer caption2x = Art(632, 112, 2, 24);  // frametop@2x, two frames
  const PixelBuffer buttons = Art(32, 24, 5, 24);
  const PixelBuffer badges = Art(88, 16, 20, 24);
  const PixelBuffer badges32 = Art(88, 16, 20, 32);
  for (const Scale s : {Scale{3, 2}, Scale{5, 4}}) {
    if (s.num == 3) Case("caption 2x 1264x112 (2 frames)", caption2x, Scale{3, 4}, 2);
    Case("buttons 160x24 (5 frames)", buttons, s, 5);
    Case("badges 1760x16 (20 frames)", badges, s, 20);
    Case("badges 1760x16 32-bit", badges32, s, 20);
  }
  return 0;
}
