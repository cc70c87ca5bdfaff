// What the Win32 benchmarks share: timing a call, printing a figure beside its baseline as a
// ratio, pumping messages, and showing a form until its frame is painted.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>

#include "BenchLine.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "ui/Forms.h"

namespace bench {

// Mean microseconds per call of `f`, repeated (doubling) until a batch takes `seconds`.
inline double MicrosPerCall(const std::function<void()>& f, double seconds = 0.3) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  f();
  for (int n = 1;; n *= 2) {
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < n; ++i) f();
    GdiFlush();
    QueryPerformanceCounter(&t1);
    const double s = static_cast<double>(t1.QuadPart - t0.QuadPart) / freq.QuadPart;
    if (s > seconds) return s * 1e6 / n;
  }
}

// The human line and the BENCH line scripts/bench gathers.
inline void Row(const char* benchmark, const char* what, double us, const char* against,
                double baseline) {
  std::printf("%-44s %9.1f us  %6.2fx %s (%.1f us)\n", what, us, us / baseline, against, baseline);
  BenchLine(benchmark, what, us, "us", against, baseline);
}

// The empty form a control benchmark fills, at the place every benchmark uses.
inline ui::TForm* NewForm(int clientWidth, int clientHeight) {
  auto* form = new ui::TForm(nullptr);
  form->SetBounds(40, 40, 10, 10);
  form->SetClientSize(clientWidth, clientHeight);
  return form;
}

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Shows the form and pumps until its frame is painted (skinned: the skinner is live).
inline void ShowAndWait(ui::TForm* form, bool skinned) {
  form->Show();
  SetForegroundWindow(form->Handle());
  for (int i = 0; i < 1000; ++i) {
    Pump();
    if (!skinned) break;
    skin::TWinSkinForm* s = skin::SkinManager()->FindForm(form->Handle());
    if (s && s->LifecycleState() == skin::TWinSkinForm::kLive) break;
    Sleep(0);
  }
  UpdateWindow(form->Handle());
}

}  // namespace bench
