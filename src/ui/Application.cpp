#include "ui/Application.h"

#include <objbase.h>
#include <ole2.h>

#include <algorithm>

#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/TypInfo.h"

namespace ui {

namespace {
TApplication* MakeApplication() {
  // Never freed: static destruction order is nobody's business here; ShutdownApplication frees
  // what the application owns while everything else still exists.
  static TApplication* app = new TApplication();
  return app;
}

// The forms scale themselves: the process says so where its manifest could not (a test program,
// a host without one). Every refusal is normal: the manifest decided already, or the system
// does not know the context (Wine 8 refuses the per-monitor ones), and the forms still scale to
// the DPI their windows report.
void DeclareDpiAwareness() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return;
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  if (auto set = reinterpret_cast<SetContextFn>(
          reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")))) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then DPI_AWARENESS_CONTEXT_SYSTEM_AWARE.
    if (set(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4)))) return;
    if (set(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2)))) return;
    return;
  }
  using SetAwareFn = BOOL(WINAPI*)();
  if (auto aware = reinterpret_cast<SetAwareFn>(
          reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware"))))
    aware();
}
}  // namespace

TApplication* Application = MakeApplication();

UI_IMPLEMENT_CLASS(TApplication, TComponent,
                   P::Str("Title", &TApplication::Title, &TApplication::SetTitle))

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
  if (handle_) DestroyWindow(std::exchange(handle_, nullptr));
  if (oleInitialized_) OleUninitialize();
}

void TApplication::Initialize() {
  if (initialized_) return;
  initialized_ = true;
  DeclareDpiAwareness();
  oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
  INITCOMMONCONTROLSEX icc{
      sizeof icc, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  Handle();
}

LRESULT CALLBACK TApplication::AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = dynamic_cast<TApplication*>(BoundObject(wnd, msg, lParam));
  try {
    switch (msg) {
      case WM_CLOSE:
        if (app && app->mainForm_) {
          app->mainForm_->Close();
          return 0;
        }
        break;
      case WM_SYSCOMMAND:
        // The task-bar button belongs to this window: minimising and restoring act on the
        // main form.
        if (app && app->mainForm_ && app->mainForm_->HandleAllocated()) {
          UINT cmd = static_cast<UINT>(wParam & 0xFFF0);
          if (cmd == SC_MINIMIZE || cmd == SC_RESTORE) {
            ShowWindow(app->mainForm_->Handle(), cmd == SC_MINIMIZE ? SW_MINIMIZE : SW_RESTORE);
            return 0;
          }
        }
        break;
      default:
        break;
    }
  } catch (...) {
    if (app) app->HandleException(app);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

HWND TApplication::Handle() {
  if (!handle_) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = MainInstance();
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = L"TApplication";
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(MainInstance(), wc.lpszClassName, &existing)) RegisterClassExW(&wc);
    // Without it every form would get a task-bar button of its own: CreateBoundWindow throws
    // rather than going on.
    BoundWindowParams p;
    p.className = L"TApplication";
    p.title = title_.c_str();
    p.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    p.x = GetSystemMetrics(SM_CXSCREEN) / 2;
    p.y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateBoundWindow(this, p);
    IconChanged();
  }
  return handle_;
}

void TApplication::SetTitle(const std::wstring& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, title_.c_str());
}

void TApplication::IconChanged() {
  if (!handle_) return;
  LPARAM icon = reinterpret_cast<LPARAM>(icon_.Handle());
  SendMessageW(handle_, WM_SETICON, ICON_BIG, icon);
  SendMessageW(handle_, WM_SETICON, ICON_SMALL, icon);
}

// ---- The loop ---------------------------------------------------------------------------------

void TApplication::Run() {
  if (mainForm_ && ShowMainForm) {
    if (!mainFormOnTaskBar_) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    mainForm_->Show();
  }
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

void TApplication::HandleMessage() {
  MSG msg{};
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::ProcessMessages() {
  MSG msg{};
  while (ProcessMessage(msg)) {
  }
  FreeReleased();
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && !IsPreProcessMessage(msg) && !IsKeyMsg(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (...) {
    HandleException(this);
  }
  FreeReleased();
  return true;
}

bool TApplication::IsPreProcessMessage(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  // The focused window's framework control (a browser host, for instance) sees keys first.
  TWinControl* control = TWinControl::FindNearestControl(GetFocus());
  return control && control->PreProcessMessage(msg);
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  TWinControl* control = TWinControl::FindNearestControl(msg.hwnd);
  if (!control) return false;
  KeyWindowScope keyWindow(msg.hwnd);
  ReflectionScope reflected(true);
  return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::Idle(const MSG&) {
  CheckMouseControl();
  TControlCanvas::FreeAllHandles();
  FreeReleased();
  bool done = true;
  if (OnIdle) {
    try {
      OnIdle(this, done);
    } catch (...) {
      HandleException(this);
    }
  }
  if (done) WaitMessage();
}

// ---- Errors -----------------------------------------------------------------------------------

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr error = std::current_exception();
  if (!error) return;
  if (handlingException_ > 0) return;  // an error while reporting one: keep going
  ++handlingException_;
  try {
    if (OnException)
      OnException(sender, error);
    else
      ShowException(error);
  } catch (...) {
  }
  --handlingException_;
}

void TApplication::ShowException(const std::exception_ptr& error) {
  std::wstring text = ExceptionMessage(error);
  HWND owner = nullptr;
  if (mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
  MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

// ---- Mouse enter and leave --------------------------------------------------------------------

void TApplication::NoteMouseControl(TControl* control, HWND wnd) {
  if (wnd) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, wnd, 0};
    TrackMouseEvent(&tme);
  }
  if (control == mouseControl_) return;
  TControl* previous = mouseControl_;
  mouseControl_ = control;
  if (previous) previous->Perform(CM_MOUSELEAVE, 0, 0);
  if (control && mouseControl_ == control) control->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::CheckMouseControl() {
  POINT p{};
  if (!GetCursorPos(&p)) return;
  TControl* over = nullptr;
  HWND wnd = WindowFromPoint(p);
  if (TWinControl* w = TWinControl::FindNearestControl(wnd)) {
    over = w;
    if (w->HandleAllocated()) {
      POINT c = p;
      ::ScreenToClient(w->Handle(), &c);
      if (TControl* child = w->ControlAtPos(c, true)) over = child;
    }
  }
  NoteMouseControl(over, nullptr);
}

void TApplication::ControlDestroying(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
}

// ---- Deferred release -------------------------------------------------------------------------

void TApplication::ScheduleRelease(TCustomForm* form) {
  if (std::find(released_.begin(), released_.end(), form) == released_.end())
    released_.push_back(form);
}

void TApplication::FormDestroying(TCustomForm* form) {
  released_.erase(std::remove(released_.begin(), released_.end(), form), released_.end());
  if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::FreeReleased() {
  while (!released_.empty()) {
    TCustomForm* form = released_.back();
    released_.pop_back();
    delete form;
  }
}

void ShutdownApplication() {
  if (!Application) return;
  Application->FreeReleased();
  // Forms first (they own their components), newest first, then whatever else it owns.
  while (Screen && Screen->FormCount() > 0) {
    TCustomForm* form = Screen->Forms(Screen->FormCount() - 1);
    delete form;
  }
  Application->DestroyComponents();
}

}  // namespace ui
