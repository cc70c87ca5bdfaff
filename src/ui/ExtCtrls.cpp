#include "ui/ExtCtrls.h"

#include <utility>

#include "ui/Application.h"
#include "ui/TypInfo.h"

namespace ui {

// ---- TTimer -----------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TTimer, TComponent, P::Int("Interval", &TTimer::Interval, &TTimer::SetInterval),
                   P::Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled))

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  // Enabled with an interval from the start: it runs unless a form being read changes that first.
  if (HasState(csLoading)) return;
  try {
    Update();
  } catch (...) {
    // No destructor runs for a constructor that throws: its window must not outlive it.
    if (window_) DestroyWindow(std::exchange(window_, nullptr));
    throw;
  }
}

TTimer::~TTimer() {
  timer_.reset();
  if (window_) DestroyWindow(std::exchange(window_, nullptr));
}

void TTimer::Loaded() {
  TComponent::Loaded();
  Update();
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* timer = dynamic_cast<TTimer*>(BoundObject(wnd, msg, lParam));
  if (msg == WM_TIMER && timer) {
    // Read at each tick: a handler given after the timer started runs from the next one on.
    if (timer->OnTimer) {
      try {
        timer->OnTimer(timer);
      } catch (...) {
        if (Application) Application->HandleException(timer);
      }
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

void TTimer::Update() {
  timer_.reset();
  if (!enabled_ || interval_ == 0 || HasState(csLoading)) return;
  if (!window_) {
    static const bool registered = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = TimerWndProc;
      wc.hInstance = MainInstance();
      wc.lpszClassName = L"TTimerWindow";
      return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    // A message-only window: WM_TIMER reaches it in any modal loop of this thread.
    window_ = CreateBoundWindow(this, L"TTimerWindow", 0, HWND_MESSAGE);
  }
  timer_ = TimerHandle(window_, 1, interval_);
  if (!timer_) throw EOutOfResources(L"Not enough timers available");
}

void TTimer::SetInterval(UINT ms) {
  interval_ = ms;
  Update();
}

void TTimer::SetEnabled(bool on) {
  enabled_ = on;
  Update();
}

// ---- TCustomPanel -----------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TCustomPanel, TCustomControl)
UI_IMPLEMENT_CLASS(TPanel, TCustomPanel,
                   P::Str("Caption", &TPanel::GetCaption, &TPanel::SetCaption))

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ =
      csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csOpaque;
  SetColor(clBtnFace);
  UpdateBoundsFields(0, 0, 185, 41);
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  DrawEdge(c->Handle(), &r, BDR_RAISEDINNER, BF_RECT);
  std::wstring text = Caption();
  if (text.empty()) return;
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  UINT flags = DT_SINGLELINE | DT_VCENTER |
               (alignment_ == TAlignment::taCenter         ? DT_CENTER
                : alignment_ == TAlignment::taRightJustify ? DT_RIGHT
                                                           : DT_LEFT);
  DrawTextW(c->Handle(), text.c_str(), -1, &r, flags);
}

}  // namespace ui
