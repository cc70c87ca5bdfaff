// Live counters and the out-of-line parts of the handle owners.
#include "ui/Handles.h"

namespace ui {

namespace {
long g_live[static_cast<int>(HandleKind::Count_)] = {};
}

const char* HandleKindName(HandleKind kind) {
  static const char* const names[] = {
      "Bitmap",   "Brush",   "Pen",  "Font",  "Region",   "Icon", "Menu",      "MemoryDC",
      "WindowDC", "PaintDC", "Hook", "Timer", "Subclass", "Com",  "ImageList", "Window"};
  int i = static_cast<int>(kind);
  return i >= 0 && i < static_cast<int>(HandleKind::Count_) ? names[i] : "?";
}

long HandleCounts::Live(HandleKind kind) { return g_live[static_cast<int>(kind)]; }

long HandleCounts::Total() {
  long sum = 0;
  for (long n : g_live) sum += n;
  return sum;
}

void HandleCounts::Add(HandleKind kind, long delta) { g_live[static_cast<int>(kind)] += delta; }

namespace detail {
BOOL WINAPI DeleteMemDC(HDC dc) { return DeleteDC(dc); }
BOOL WINAPI Unhook(HHOOK hook) { return UnhookWindowsHookEx(hook); }
}  // namespace detail

MemoryDC MakeMemoryDC(HDC reference) { return MemoryDC(CreateCompatibleDC(reference)); }

// --- WindowDC ---------------------------------------------------------------------------------

WindowDC::WindowDC(HWND wnd, HDC dc) : wnd_(dc ? wnd : nullptr), dc_(dc) {
  if (dc_) HandleCounts::Add(HandleKind::WindowDC, +1);
}
WindowDC WindowDC::Client(HWND wnd) { return WindowDC(wnd, GetDC(wnd)); }
WindowDC WindowDC::Whole(HWND wnd) { return WindowDC(wnd, GetWindowDC(wnd)); }
WindowDC WindowDC::Ex(HWND wnd, HRGN clip, DWORD flags) {
  return WindowDC(wnd, GetDCEx(wnd, clip, flags));
}
WindowDC::WindowDC(WindowDC&& o) noexcept
    : wnd_(std::exchange(o.wnd_, nullptr)), dc_(std::exchange(o.dc_, nullptr)) {}
WindowDC& WindowDC::operator=(WindowDC&& o) noexcept {
  if (this != &o) {
    reset();
    wnd_ = std::exchange(o.wnd_, nullptr);
    dc_ = std::exchange(o.dc_, nullptr);
  }
  return *this;
}
void WindowDC::reset() {
  if (HDC dc = std::exchange(dc_, nullptr)) {
    ReleaseDC(std::exchange(wnd_, nullptr), dc);
    HandleCounts::Add(HandleKind::WindowDC, -1);
  }
}

// --- PaintDC ----------------------------------------------------------------------------------

PaintDC::PaintDC(HWND wnd) : wnd_(wnd), dc_(BeginPaint(wnd, &ps_)) {
  // BeginPaint validates the update region even when it fails, so EndPaint is always due.
  HandleCounts::Add(HandleKind::PaintDC, +1);
}
PaintDC::~PaintDC() {
  EndPaint(wnd_, &ps_);
  HandleCounts::Add(HandleKind::PaintDC, -1);
}

// --- TimerHandle ------------------------------------------------------------------------------

TimerHandle::TimerHandle(HWND wnd, UINT_PTR id, UINT ms, TIMERPROC proc) {
  UINT_PTR got = SetTimer(wnd, id, ms, proc);
  if (got) {
    wnd_ = wnd;
    id_ = wnd ? id : got;
    HandleCounts::Add(HandleKind::Timer, +1);
  }
}
TimerHandle::TimerHandle(TimerHandle&& o) noexcept
    : wnd_(std::exchange(o.wnd_, nullptr)), id_(std::exchange(o.id_, 0)) {}
TimerHandle& TimerHandle::operator=(TimerHandle&& o) noexcept {
  if (this != &o) {
    reset();
    wnd_ = std::exchange(o.wnd_, nullptr);
    id_ = std::exchange(o.id_, 0);
  }
  return *this;
}
void TimerHandle::reset() {
  if (UINT_PTR id = std::exchange(id_, 0)) {
    KillTimer(std::exchange(wnd_, nullptr), id);
    HandleCounts::Add(HandleKind::Timer, -1);
  }
}

// --- SubclassHandle ---------------------------------------------------------------------------

SubclassHandle::SubclassHandle(HWND wnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR ref) {
  if (wnd && SetWindowSubclass(wnd, proc, id, ref)) {
    wnd_ = wnd;
    proc_ = proc;
    id_ = id;
    HandleCounts::Add(HandleKind::Subclass, +1);
  }
}
SubclassHandle::SubclassHandle(SubclassHandle&& o) noexcept
    : wnd_(std::exchange(o.wnd_, nullptr)),
      proc_(std::exchange(o.proc_, nullptr)),
      id_(std::exchange(o.id_, 0)) {}
SubclassHandle& SubclassHandle::operator=(SubclassHandle&& o) noexcept {
  if (this != &o) {
    reset();
    wnd_ = std::exchange(o.wnd_, nullptr);
    proc_ = std::exchange(o.proc_, nullptr);
    id_ = std::exchange(o.id_, 0);
  }
  return *this;
}
void SubclassHandle::reset() {
  if (HWND wnd = std::exchange(wnd_, nullptr)) {
    RemoveWindowSubclass(wnd, proc_, id_);
    HandleCounts::Add(HandleKind::Subclass, -1);
  }
}
void SubclassHandle::forget() {
  if (std::exchange(wnd_, nullptr)) HandleCounts::Add(HandleKind::Subclass, -1);
}

}  // namespace ui
