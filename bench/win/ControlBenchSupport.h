// What the control benchmarks share: the skin they paint with (the default skin stream given as
// the argument or in TARVIMO_DEFAULT_SKN, else an in-memory test skin), a form carrying it, and
// the cost of one whole repaint of a control.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "TestSkin.h"
#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"

namespace bench {

inline std::vector<uint8_t> SkinPayload(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "";
  if (path.empty())
    if (const char* env = std::getenv("TARVIMO_DEFAULT_SKN")) path = env;
  std::vector<uint8_t> stream;
  if (!path.empty()) {
    if (path[0] == '/') path = "Z:" + path;  // Wine's view of the Unix root
    std::ifstream in(path, std::ios::binary);
    stream.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (stream.empty()) return testskin::TestSkin().PropertyPayload();
  std::vector<uint8_t> payload(4 + stream.size());
  const auto n = static_cast<uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) payload[i] = static_cast<uint8_t>(n >> (8 * i));
  std::copy(stream.begin(), stream.end(), payload.begin() + 4);
  return payload;
}

// A skin data component of the form, loaded as the form reader does and switched on.
inline skin::TSkinData* AddSkinData(ui::TForm* form, const std::vector<uint8_t>& payload) {
  auto* data = new skin::TSkinData(form);
  data->MessageReporter = [](std::string_view) {};
  data->SetLoading(true);
  data->SetActive(true);
  ui::TMemoryStream stream;
  stream.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));
  stream.SetPosition(0);
  data->ReadSkinStream(stream);
  data->Loaded();
  return data;
}

// Microseconds of one invalidate-and-paint of the window (`flags` added, e.g. RDW_FRAME).
inline double RepaintCost(HWND wnd, UINT flags = 0) {
  return MicrosPerCall([&] {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | flags);
  });
}

// The costs of two calls measured in alternating batches, each the fastest of its batches: on a
// shared machine the load drifts, and both sides then see the same drift.
struct PairedCost {
  double first = 0, second = 0;
};
inline PairedCost MeasurePaired(const std::function<void()>& first,
                                const std::function<void()>& second, int rounds = 15,
                                int batch = 20) {
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  const auto time = [&](const std::function<void()>& f) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < batch; ++i) f();
    GdiFlush();
    QueryPerformanceCounter(&t1);
    return static_cast<double>(t1.QuadPart - t0.QuadPart) * 1e6 / freq.QuadPart / batch;
  };
  first();
  second();
  PairedCost best{1e300, 1e300};
  for (int r = 0; r < rounds; ++r) {
    best.first = std::min(best.first, time(first));
    best.second = std::min(best.second, time(second));
  }
  return best;
}

// A skinned control's repaint beside its native twin's, in one row.
inline void RepaintRow(const char* benchmark, const char* what, HWND skinned, HWND native,
                       UINT flags = 0) {
  const auto repaint = [flags](HWND wnd) {
    return [wnd, flags] {
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | flags);
    };
  };
  const PairedCost cost = MeasurePaired(repaint(skinned), repaint(native));
  Row(benchmark, what, cost.first, "system paint", cost.second);
}

}  // namespace bench
