#include "BrowserTestSupport.h"

namespace wintest {

HostWindow::HostWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"BrowserTestHost";
  RegisterClassW(&wc);  // fails harmlessly when already registered
  wnd_ = CreateWindowExW(0, wc.lpszClassName, L"browser host",
                         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 20, 20, 420, 320,
                         nullptr, nullptr, wc.hInstance, nullptr);
}

HostWindow::~HostWindow() { Destroy(); }

void HostWindow::Destroy() {
  if (wnd_) DestroyWindow(wnd_);
  wnd_ = nullptr;
}

namespace {
BOOL CALLBACK CountDialog(HWND wnd, LPARAM count) {
  wchar_t name[32] = {};
  GetClassNameW(wnd, name, 32);
  if (IsWindowVisible(wnd) && lstrcmpW(name, L"#32770") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}
}  // namespace

int VisibleDialogs() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountDialog, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::wstring Widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace wintest
