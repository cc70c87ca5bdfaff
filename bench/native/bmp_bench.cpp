// BMP reader throughput on skin-sized images of each kind a skin may hold, next to a plain memcpy
// of the same bytes (the ratio is the figure), plus the portable pixel work done on every skin
// load: region runs of a frame border and a nine-slice render.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BenchLine.h"
#include "imaging/BmpDecode.h"
#include "imaging/ImgUtil.h"
#include "imaging/PaintPlans.h"
#include "imaging/RegionRuns.h"

namespace {

using Clock = std::chrono::steady_clock;

// Mean seconds per call of `f`, repeated for at least ~0.3 s.
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

skin::PixelBuffer Picture(int w, int h, int bpp) {
  skin::PixelBuffer p(w, h, bpp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.Set(x, y, skin::MakeColour(x * 7, y * 3, (x ^ y) & 0xFF));
  return p;
}

// An 8-bit paletted file with a grey palette; `rle` stores it BI_RLE8 as runs of 8.
std::vector<uint8_t> Paletted(int w, int h, bool rle) {
  std::vector<uint8_t> rows;
  const int stride = (w + 3) & ~3;
  for (int y = 0; y < h; ++y) {
    if (rle) {
      for (int x = 0; x < w; x += 8) {
        rows.push_back(static_cast<uint8_t>(std::min(8, w - x)));
        rows.push_back(static_cast<uint8_t>((x + y) & 0xFF));
      }
      rows.push_back(0);
      rows.push_back(0);
    } else {
      for (int x = 0; x < stride; ++x) rows.push_back(static_cast<uint8_t>((x * 3 + y) & 0xFF));
    }
  }
  if (rle) {
    rows.push_back(0);
    rows.push_back(1);
  }
  std::vector<uint8_t> f(14 + 40 + 1024, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(10, 14 + 40 + 1024);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  f[26] = 1;
  f[28] = 8;
  put32(30, rle ? 1 : 0);
  put32(34, static_cast<uint32_t>(rows.size()));
  for (int i = 0; i < 256; ++i)
    f[54 + i * 4] = f[55 + i * 4] = f[56 + i * 4] = static_cast<uint8_t>(i);
  f.insert(f.end(), rows.begin(), rows.end());
  put32(2, static_cast<uint32_t>(f.size()));
  return f;
}

void Report(const char* what, const std::vector<uint8_t>& file) {
  const double decode = TimePerCall([&] {
    skin::BmpImage img = skin::DecodeBmp(file.data(), file.size());
    if (img.pixels.empty()) std::abort();
  });
  std::vector<uint8_t> copy(file.size());
  const double memcpyTime = TimePerCall([&] {
    std::memcpy(copy.data(), file.data(), file.size());
    if (copy[0] != 'B') std::abort();
  });
  std::printf("%-28s %8zu bytes  %8.1f us  %7.1f MB/s  %6.1fx memcpy\n", what, file.size(),
              decode * 1e6, file.size() / decode / 1e6, decode / memcpyTime);
  BenchLine("bmp", std::string("decode ") + what, decode * 1e6, "us", "memcpy of the file",
            memcpyTime * 1e6);
}

// A plain copy of `bytes` bytes: the baseline of the pixel routines.
double CopyTime(size_t bytes) {
  std::vector<uint8_t> from(bytes, 1), to(bytes);
  return TimePerCall([&] {
    std::memcpy(to.data(), from.data(), bytes);
    if (to[0] != 1) std::abort();
  });
}

}  // namespace

int main() {
  std::printf("BMP reader (per image)\n");
  Report("24-bit 614x512", skin::EncodeBmp(Picture(614, 512, 24)));
  Report("32-bit 614x512", skin::EncodeBmp(Picture(614, 512, 32)));
  Report("24-bit 632x28 caption", skin::EncodeBmp(Picture(632, 28, 24)));
  Report("8-bit paletted 614x512", Paletted(614, 512, false));
  Report("8-bit RLE 614x512", Paletted(614, 512, true));

  std::printf("\nPortable pixel work\n");
  skin::PixelBuffer frame(614, 512, 24, skin::kMagenta);
  frame.FillRect(4, 0, 610, 30, 0x336699);          // caption with rounded corners
  frame.FillRect(0, 4, 614, 512, 0x336699);         // borders
  frame.FillRect(8, 30, 606, 504, skin::kMagenta);  // client hole
  const double runs = TimePerCall([&] {
    auto b = skin::ExtractRegionRuns(frame, 0, 0, skin::TransparentBand(skin::kMagenta, 1, 1, 1));
    if (b.empty()) std::abort();
  });
  std::printf("region runs 614x512 frame    %8.1f us\n", runs * 1e6);
  BenchLine("bmp", "region runs 614x512 frame", runs * 1e6, "us", "memcpy of its pixels",
            CopyTime(frame.sizeBytes()) * 1e6);
  const skin::PixelBuffer caption = Picture(3 * 60, 28, 24);
  const double nine = TimePerCall([&] {
    auto out =
        skin::RenderNineSlice(caption, 632, 28, skin::ImageRect{20, 4, 20, 4}, false, false, 3, 2);
    if (out.empty()) std::abort();
  });
  std::printf("nine-slice 632x28 (portable) %8.1f us\n", nine * 1e6);
  BenchLine("bmp", "nine-slice 632x28 (portable)", nine * 1e6, "us", "memcpy of its result",
            CopyTime(size_t{632 * 3} * 28) * 1e6);
  const double ramp = TimePerCall([&] {
    auto r = skin::MakeGradient(40, 0x102030, 0xF0E0D0);
    if (r.size() != 40) std::abort();
  });
  std::printf("gradient ramp of 40 uncached %8.3f us\n", ramp * 1e6);
  skin::GradientCache cache;
  const double cached = TimePerCall([&] {
    if (cache.Get(40, 0x102030, 0xF0E0D0).size() != 40) std::abort();
  });
  BenchLine("bmp", "gradient ramp of 40 uncached", ramp * 1e6, "us", "the same ramp cached",
            cached * 1e6);
  return 0;
}
