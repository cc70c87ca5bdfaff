// What the control benchmarks share beyond the skin (BenchSkin.h): the cost of one whole repaint
// of a control, measured against its native twin in alternating batches.
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

#include "BenchSkin.h"
#include "BenchSupport.h"

namespace bench {

// Microseconds of one invalidate-and-paint of the window (`flags` added, e.g. RDW_FRAME).
inline double RepaintCost(HWND wnd, UINT flags = 0) {
  return MicrosPerCall([&] {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | flags);
  });
}

// The costs of two calls measured in alternating batches, each the fastest of its batches: on a
// shared machine the load drifts, and both sides then see the same drift. `beforeFirst` and
// `beforeSecond` (when given) run before each batch of their side, outside the timing: a state
// that only one window can have at a time (the focus) is given to the side being measured.
struct PairedCost {
  double first = 0, second = 0;
};
inline PairedCost MeasurePaired(const std::function<void()>& first,
                                const std::function<void()>& second, int rounds = 15,
                                int batch = 20, const std::function<void()>& beforeFirst = {},
                                const std::function<void()>& beforeSecond = {}) {
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
  const auto prepare = [](const std::function<void()>& f) {
    if (f) f();
  };
  prepare(beforeFirst);
  first();
  prepare(beforeSecond);
  second();
  PairedCost best{1e300, 1e300};
  for (int r = 0; r < rounds; ++r) {
    prepare(beforeFirst);
    best.first = std::min(best.first, time(first));
    prepare(beforeSecond);
    best.second = std::min(best.second, time(second));
  }
  return best;
}

// A skinned control's repaint beside its native twin's, in one row. Both are measured in the
// same state: with `focused`, each has the focus while its own batches run; without, neither has
// it (a focused edit hides and shows its caret and draws its selection in every paint).
inline void RepaintRow(const char* benchmark, const char* what, HWND skinned, HWND native,
                       UINT flags = 0, bool focused = false) {
  const auto repaint = [flags](HWND wnd) {
    return [wnd, flags] {
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | flags);
    };
  };
  // A control whose focus lies in a child window (an extended combo's inner combo) has it already.
  const auto focus = [](HWND wnd) {
    return [wnd] {
      if (GetFocus() == wnd || IsChild(wnd, GetFocus())) return;
      SetFocus(wnd);
      Pump();
    };
  };
  const PairedCost cost = focused ? MeasurePaired(repaint(skinned), repaint(native), 15, 20,
                                                  focus(skinned), focus(native))
                                  : MeasurePaired(repaint(skinned), repaint(native));
  Row(benchmark, what, cost.first, "system paint", cost.second);
}

}  // namespace bench
