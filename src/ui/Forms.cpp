// TCustomForm: top-level windows owned by the application window, focus bookkeeping, dialog
// keys, closing; TScreen with the form list.
#include "ui/Forms.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/Menus.h"
#include "ui/TypInfo.h"

namespace ui {

namespace {
TScreen* MakeScreen() {
  static TScreen* screen = new TScreen();  // lives as long as the process
  return screen;
}

// The DPI functions of newer systems, looked up once (older ones run at the system DPI).
template <class F>
F User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The frame a window of these styles has at `ppi`.
void AdjustWindowRectForPPI(RECT& r, DWORD style, bool menu, DWORD exStyle, int ppi) {
  static const auto adjust = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&r, style, menu, exStyle, static_cast<UINT>(ppi)))
    AdjustWindowRectEx(&r, style, menu, exStyle);
}
}  // namespace

int SystemPPI() {
  static const auto forSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (forSystem)
    if (const UINT ppi = forSystem(); ppi > 0) return static_cast<int>(ppi);
  WindowDC screen = WindowDC::Client(nullptr);
  const int ppi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return ppi > 0 ? ppi : kDesignPpi;
}

int WindowPPI(HWND wnd) {
  static const auto forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow && wnd)
    if (const UINT ppi = forWindow(wnd); ppi > 0) return static_cast<int>(ppi);
  return SystemPPI();
}

TScreen* Screen = MakeScreen();

UI_IMPLEMENT_CLASS(TScreen, TComponent)

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (activeForm_ == form) activeForm_ = nullptr;
}

TWinControl* TScreen::ActiveControl() const {
  return activeForm_ ? activeForm_->ActiveControl() : nullptr;
}

const TEnumInfo& FormBorderStyleInfo() {
  static const TEnumInfo info{
      "TFormBorderStyle",
      {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
  return info;
}

// ---- Scrolling containers --------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TScrollingWinControl, TWinControl,
                   P::Bool("AutoScroll", &TScrollingWinControl::AutoScroll,
                           &TScrollingWinControl::SetAutoScroll))
UI_IMPLEMENT_CLASS(TScrollBox, TScrollingWinControl,
                   P::Enum("BorderStyle", BorderStyleInfo(), &TScrollBox::BorderStyle,
                           &TScrollBox::SetBorderStyle))
UI_IMPLEMENT_CLASS(TCustomFrame, TScrollingWinControl)
UI_IMPLEMENT_CLASS(TFrame, TCustomFrame)

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ |= csAcceptsControls;
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  SetTabStop(true);
  SetColor(clBtnFace);
  UpdateBoundsFields(0, 0, 185, 41);
}

void TScrollBox::CreateParams(TCreateParams& p) {
  TScrollingWinControl::CreateParams(p);
  if (borderStyle_ == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  SetColor(clBtnFace);
  UpdateBoundsFields(0, 0, 320, 240);
}

// ---- TCustomForm ------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TCustomForm, TWinControl,
                   P::Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll),
                   P::Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview),
                   P::Enum("BorderStyle", FormBorderStyleInfo(), &TCustomForm::BorderStyle,
                           &TCustomForm::SetBorderStyle),
                   P::Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth),
                   P::Int("ClientHeight", &TCustomForm::ClientHeight,
                          &TCustomForm::SetClientHeight),
                   P::Str("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption),
                   P::Obj<TIcon>("Icon", &TCustomForm::Icon))

UI_IMPLEMENT_CLASS(TForm, TCustomForm)

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisibleFlag(false);
  SetColor(clBtnFace);
  controlStyle_ =
      csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  UpdateBoundsFields(0, 0, 320, 240);
  icon_.OnChange = MethodOf<&TCustomForm::IconChanged>(this);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Screen->RemoveForm(this);
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TCustomForm::BeforeDestruction() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  if (Application) Application->FormDestroying(this);
  TWinControl::BeforeDestruction();
  Screen->RemoveForm(this);
}

void TCustomForm::DoCreate() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    // Reported like any handler's failure; the form stays usable.
    if (Application) Application->HandleException(this);
  }
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      p.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      p.Style |= WS_CAPTION;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      p.Style |= WS_CAPTION | DS_MODALFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (borderStyle_ == TFormBorderStyle::bsToolWindow ||
      borderStyle_ == TFormBorderStyle::bsSizeToolWin)
    p.ExStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != TFormBorderStyle::bsNone) {
    if (borderIcons_ & biSystemMenu) p.Style |= WS_SYSMENU;
    if (borderStyle_ != TFormBorderStyle::bsDialog) {
      if (borderIcons_ & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) p.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (!Enabled()) p.Style |= WS_DISABLED;
  // Owned by the application's window, which carries the task-bar button.
  p.WndParent = Application ? Application->Handle() : nullptr;
  p.WindowClass.style = CS_DBLCLKS;
  p.WindowClass.hIcon = nullptr;
}

void TCustomForm::IconChanged(TObject*) {
  if (!HandleAllocated()) return;
  HICON icon =
      icon_.Handle() ? icon_.Handle() : (Application ? Application->Icon()->Handle() : nullptr);
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::CreateWnd() {
  // Shown at the screen's DPI from its first window on (a form being read is scaled once it
  // was read, before its OnCreate).
  if (!HasState(csLoading)) ScaleForPPI(SystemPPI());
  TWinControl::CreateWnd();
}

void TCustomForm::ScaleToWindowPPI() {
  ScaleForPPI(HandleAllocated() ? WindowPPI(Handle()) : SystemPPI());
}

void TCustomForm::ScaleOwnBounds() {
  if (suggestedRect_) {
    const RECT r = *suggestedRect_;
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return;
  }
  // A form is designed by its client area; the frame is what the system (or a skin) adds at
  // this DPI. A form without one keeps its place and scales its outer size.
  if (designClient_.cx > 0 && designClient_.cy > 0) {
    SetClientSize(ScaledLength(designClient_.cx), ScaledLength(designClient_.cy));
    return;
  }
  SetBounds(Left(), Top(), ScaledLength(DesignBounds().width), ScaledLength(DesignBounds().height));
}

void TCustomForm::ConstrainTracking(MINMAXINFO& info) {
  const TSizeConstraints& c = *Constraints();
  if (c.MinWidth() > 0) info.ptMinTrackSize.x = ScaledLength(c.MinWidth());
  if (c.MinHeight() > 0) info.ptMinTrackSize.y = ScaledLength(c.MinHeight());
  if (c.MaxWidth() > 0) info.ptMaxTrackSize.x = ScaledLength(c.MaxWidth());
  if (c.MaxHeight() > 0) info.ptMaxTrackSize.y = ScaledLength(c.MaxHeight());
}

void TCustomForm::DpiChanged(TMessage& m) {
  m.Result = 0;
  const int ppi = LOWORD(m.WParam);
  const auto* suggested = reinterpret_cast<const RECT*>(m.LParam);
  if (ppi <= 0) return;
  if (ppi == CurrentPPI()) {
    // Where the system puts the window is no design change.
    ScalingScope placing(*this);
    if (suggested)
      SetBounds(suggested->left, suggested->top, suggested->right - suggested->left,
                suggested->bottom - suggested->top);
    return;
  }
  suggestedRect_ = suggested;
  try {
    ScaleForPPI(ppi);
  } catch (...) {
    suggestedRect_ = nullptr;
    throw;
  }
  suggestedRect_ = nullptr;
}

void TCustomForm::CreateHandleDone() {
  // Made on a monitor of another DPI than the system's (per-monitor awareness).
  if (!HasState(csLoading))
    if (const int ppi = WindowPPI(Handle()); ppi != CurrentPPI()) ScaleForPPI(ppi);
  // The form's own icon, otherwise the application's.
  IconChanged(nullptr);
  if (position_ == TPosition::poScreenCenter)
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
              Height());
  if (menu_) {
    menu_->SetWindowHandle(Handle());
    ::SetMenu(Handle(), menu_->Handle());
  }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
  // An outer size a program sets replaces the designed client size.
  if (!Scaling() && settingClientSize_ == 0 && (width != Width() || height != Height()))
    designClient_ = {0, 0};
  TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::SetClientSize(int width, int height) {
  int dx, dy;
  if (HandleAllocated()) {
    RECT w{}, c{};
    GetWindowRect(Handle(), &w);
    GetClientRect(Handle(), &c);
    dx = (w.right - w.left) - c.right;
    dy = (w.bottom - w.top) - c.bottom;
  } else {
    TCreateParams p;
    CreateParams(p);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectForPPI(r, p.Style, menu_ != nullptr, p.ExStyle, CurrentPPI());
    dx = r.right - r.left;
    dy = r.bottom - r.top;
  }
  ++settingClientSize_;
  try {
    SetBounds(Left(), Top(), width + dx, height + dy);
  } catch (...) {
    --settingClientSize_;
    throw;
  }
  --settingClientSize_;
  if (Scaling()) return;
  // What the program set is the design, except a size the design scales to (handed back).
  auto design = [this](int value, LONG designValue) {
    return value == ScaledLength(designValue) ? designValue
                                              : ScaleValue(value, kDesignPpi, CurrentPPI());
  };
  designClient_ = {design(width, designClient_.cx), design(height, designClient_.cy)};
}

void TCustomForm::SetVisible(bool visible) {
  if (visible == Visible() && (!visible || (HandleAllocated() && IsWindowVisible(Handle()))))
    return;
  SetVisibleFlag(visible);
  if (visible) {
    HWND wnd = Handle();
    ShowWindow(wnd, SW_SHOW);
    if (OnShow) OnShow(this);
  } else if (HandleAllocated()) {
    if (OnHide) OnHide(this);
    ShowWindow(Handle(), SW_HIDE);
  }
  Perform(CM_VISIBLECHANGED, visible, 0);
}

bool TCustomForm::Showing() const { return TWinControl::Showing(); }

void TCustomForm::Show() {
  SetVisible(true);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (Application && Application->MainForm() == this) {
    if (action != TCloseAction::caNone) Application->Terminate();
    return;
  }
  switch (action) {
    case TCloseAction::caHide:
      Hide();
      break;
    case TCloseAction::caMinimize:
      ShowWindow(Handle(), SW_MINIMIZE);
      break;
    case TCloseAction::caFree:
      Release();
      break;
    case TCloseAction::caNone:
      break;
  }
}

void TCustomForm::Release() {
  if (HandleAllocated())
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
  else if (Application)
    Application->ScheduleRelease(this);
}

// ---- Focus ------------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  if (control && GetParentForm(control) != this) throw EInvalidOperation(L"Invalid active control");
  activeControl_ = control;
  if (control && HandleAllocated() && IsWindowVisible(Handle()) && control->CanFocus())
    ::SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (!control) return;
  activeControl_ = control;
  if (HandleAllocated() && IsWindowVisible(Handle()) && control->CanFocus())
    ::SetFocus(control->Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == focusedControl_) return true;
  TWinControl* previous = focusedControl_;
  focusedControl_ = control;
  activeControl_ = control;
  if (previous) {
    previous->Perform(CM_EXIT, 0, 0);
    if (previous->OnExit) previous->OnExit(previous);
  }
  if (control) {
    control->Perform(CM_ENTER, 0, 0);
    if (control->OnEnter) control->OnEnter(control);
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(static_cast<TObject*>(control)));
  return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool) {
  for (TControl* c = activeControl_; c; c = c->Parent())
    if (c == control) {
      activeControl_ = nullptr;
      break;
    }
  for (TControl* c = focusedControl_; c; c = c->Parent())
    if (c == control) {
      focusedControl_ = nullptr;
      break;
    }
}

void TCustomForm::SelectFirst() {
  if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
}

void TCustomForm::SetWindowFocus() {
  if (activeControl_ && activeControl_->CanFocus()) {
    ::SetFocus(activeControl_->Handle());
    return;
  }
  if (TWinControl* first = FindNextControl(nullptr, true, true, false)) {
    activeControl_ = first;
    ::SetFocus(first->Handle());
  }
}

// ---- Keys -------------------------------------------------------------------------------------

void TCustomForm::DialogKey(TMessage& m) {
  WORD key = LOWORD(m.WParam);
  if (GetKeyState(VK_MENU) >= 0) {
    switch (key) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          m.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
          activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN,
                                               false);
          m.Result = 1;
          return;
        }
        break;
      default:
        break;
    }
  }
  TWinControl::WndProc(m);  // every control may take it (the default button takes Enter)
}

void TCustomForm::DialogChar(TMessage& m) {
  // Accelerators of the main menu first, then any control that owns the character.
  if (menu_ && menu_->IsShortCutChar(static_cast<wchar_t>(m.WParam))) {
    m.Result = 1;
    return;
  }
  TWinControl::WndProc(m);
}

// ---- Messages ---------------------------------------------------------------------------------

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
      SetWindowFocus();
      return;
    case WM_ACTIVATE:
      active_ = LOWORD(m.WParam) != WA_INACTIVE;
      if (active_) Screen->activeForm_ = this;
      if (active_ && OnActivate) OnActivate(this);
      if (!active_ && OnDeactivate) OnDeactivate(this);
      break;
    case WM_CLOSE:
      Close();
      return;
    case WM_DESTROY:
      // The system would destroy an attached menu with the window; the menu is its owner's.
      if (GetMenu(Handle())) ::SetMenu(Handle(), nullptr);
      if (menu_) menu_->SetWindowHandle(nullptr);
      break;
    case CM_RELEASE:
      if (Application) Application->ScheduleRelease(this);
      return;
    case WM_DPICHANGED:
      DpiChanged(m);
      return;
    case WM_GETMINMAXINFO:
      TWinControl::WndProc(m);
      ConstrainTracking(*reinterpret_cast<MINMAXINFO*>(m.LParam));
      return;
    case CM_DIALOGKEY:
      DialogKey(m);
      return;
    case CM_DIALOGCHAR:
      DialogChar(m);
      return;
    case CM_MENUCHANGED:
      if (HandleAllocated()) ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
      return;
    case WM_COMMAND:
      if (m.LParam == 0 && HIWORD(m.WParam) == 0 && menu_) {
        if (menu_->DispatchCommand(LOWORD(m.WParam))) return;
      }
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (OwnerDrawMenu(m)) return;
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

bool TCustomForm::OwnerDrawMenu(TMessage& m) {
  if (!menu_) return false;
  return menu_->OwnerDrawMessage(m);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_) {
    menu_->FreeNotification(this);
    menu_->SetWindowHandle(HandleAllocated() ? Handle() : nullptr);
  }
  if (HandleAllocated()) ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == menu_) {
    menu_ = nullptr;
    if (HandleAllocated() && !HasState(csDestroying)) ::SetMenu(Handle(), nullptr);
  }
}

}  // namespace ui
