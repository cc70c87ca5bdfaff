// Shared pieces of the browser tests: COM on the test thread and a visible host window.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>
#include <string_view>

namespace wintest {

class OleScope {
 public:
  OleScope() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleScope() {
    if (ok_) OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

// A plain top-level window to host a control in.
class HostWindow {
 public:
  HostWindow();
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND get() const { return wnd_; }
  void Destroy();

 private:
  HWND wnd_ = nullptr;
};

// Visible dialog boxes (class "#32770") of this thread: a browser must never raise one.
int VisibleDialogs();

std::wstring Widen(std::string_view ascii);

}  // namespace wintest
