// LoadSkin of the default skin, split into its phases: decoding the skin stream, parsing the
// definition, decoding the images into bitmaps, and the derived images (combo, toolbar, brush).
// Usage: skinload_bench [path/to/default.skn]; without a path (or TARVIMO_DEFAULT_SKN) an
// in-memory test skin with a sunken edge stands in. The goal: the whole load well under 20 ms.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BenchLine.h"
#include "TestSkin.h"
#include "skin/data/WinSkinData.h"

namespace {

std::vector<uint8_t> ReadFile(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // Wine's view of the Unix root
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Framed(const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> out(4 + stream.size());
  const auto n = static_cast<uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(n >> (8 * i));
  std::copy(stream.begin(), stream.end(), out.begin() + 4);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "";
  if (path.empty())
    if (const char* env = std::getenv("TARVIMO_DEFAULT_SKN")) path = env;
  std::vector<uint8_t> stream = path.empty() ? std::vector<uint8_t>() : ReadFile(path);
  const bool defaultSkin = !stream.empty();
  if (!defaultSkin) stream = testskin::TestSkin().Include("SunkEdge").Stream();
  const std::vector<uint8_t> payload = Framed(stream);
  std::printf("skin: %s (%zu bytes of stream)\n", defaultSkin ? path.c_str() : "test skin",
              stream.size());

  skin::TSkinData data(nullptr);
  data.MessageReporter = [](std::string_view m) {
    std::printf("message: %.*s\n", int(m.size()), m.data());
  };
  ui::TMemoryStream property;
  property.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));

  constexpr int kRuns = 50;
  skin::TSkinLoadProfile sum;
  std::vector<double> totals;
  for (int i = 0; i <= kRuns; ++i) {
    property.SetPosition(0);
    data.ReadSkinStream(property);
    if (data.NoSkin()) {
      std::printf("load failed: %s\n", data.LastError().c_str());
      return 1;
    }
    if (i == 0) continue;  // warm-up
    const skin::TSkinLoadProfile& p = data.LastLoadProfile();
    sum.decode += p.decode;
    sum.parse += p.parse;
    sum.images += p.images;
    sum.derived += p.derived;
    sum.total += p.total;
    totals.push_back(p.total);
  }
  std::sort(totals.begin(), totals.end());
  auto row = [&](const char* what, double ms) {
    std::printf("  %-34s %8.3f ms  %5.1f %%\n", what, ms / kRuns, 100.0 * ms / sum.total);
    if (ms != sum.total)
      BenchLine("skinload", std::string(defaultSkin ? "default skin " : "test skin ") + what,
                ms / kRuns, "ms", "the whole load", sum.total / kRuns);
  };
  std::printf("LoadSkin, mean of %d runs:\n", kRuns);
  row("decode (LZH + package)", sum.decode);
  row("parse (definition + catalogue)", sum.parse);
  row("images (BMP entries to bitmaps)", sum.images);
  row("derived (combo, toolbar, colours)", sum.derived);
  row("total", sum.total);
  std::printf("  median total %.3f ms, fastest %.3f ms, slowest %.3f ms\n",
              totals[totals.size() / 2], totals.front(), totals.back());
  return 0;
}
