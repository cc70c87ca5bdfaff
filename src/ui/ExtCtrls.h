// Timers (message-based, on the GUI thread) and panels.
#pragma once

#include "ui/Controls.h"

namespace ui {

// Runs OnTimer every Interval milliseconds while Enabled (both set by default), from its
// creation on, or once its form has been read. A window or timer the system refuses throws
// EOutOfResources.
class TTimer : public TComponent {
  UI_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  void Loaded() override;
  // Assigning either restarts the count.
  UINT Interval() const { return interval_; }
  void SetInterval(UINT ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  TNotifyEvent OnTimer;

 private:
  static LRESULT CALLBACK TimerWndProc(HWND, UINT, WPARAM, LPARAM);
  void Update();
  UINT interval_ = 1000;
  bool enabled_ = true;
  HWND window_ = nullptr;  // a hidden window per timer carries its WM_TIMER
  TimerHandle timer_;
};

class TCustomPanel : public TCustomControl {
  UI_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) {
    alignment_ = a;
    Invalidate();
  }

 protected:
  void Paint() override;

 private:
  TAlignment alignment_ = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
  UI_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;
  std::wstring GetCaption() { return Caption(); }
};

}  // namespace ui
