// TCustomForm: top-level windows owned by the application window, focus bookkeeping, dialog
// keys, closing; TScreen with the form list.
#include "ui/Forms.h"

#include <windowsx.h>

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
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

// The thickness of a window's vertical (or horizontal) scroll bar: the system draws it at the
// window's own DPI.
int BarThickness(HWND wnd, bool vertical) {
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  static const auto forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  const int index = vertical ? SM_CXVSCROLL : SM_CYHSCROLL;
  if (forDpi && forWindow)
    if (const UINT dpi = forWindow(wnd); dpi > 0) return forDpi(index, dpi);
  return GetSystemMetrics(index);
}

// Counts a state on the stack (exceptions included).
struct Nesting {
  explicit Nesting(int& n) : count(n) { ++count; }
  ~Nesting() { --count; }
  Nesting(const Nesting&) = delete;
  Nesting& operator=(const Nesting&) = delete;
  int& count;
};

int g_screenPPIOverride = 0;  // see ScreenPPIOverride

// The frame a window of these styles has at `ppi` (where the screen's DPI is overridden, the
// system still draws it at its own).
void AdjustWindowRectForPPI(RECT& r, DWORD style, bool menu, DWORD exStyle, int ppi) {
  static const auto adjust = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (g_screenPPIOverride > 0 || !adjust ||
      !adjust(&r, style, menu, exStyle, static_cast<UINT>(ppi)))
    AdjustWindowRectEx(&r, style, menu, exStyle);
}
}  // namespace

ScreenPPIOverride::ScreenPPIOverride(int ppi) : saved_(g_screenPPIOverride) {
  g_screenPPIOverride = std::max(ppi, 0);
}

ScreenPPIOverride::~ScreenPPIOverride() { g_screenPPIOverride = saved_; }

int SystemPPI() {
  if (g_screenPPIOverride > 0) return g_screenPPIOverride;
  static const auto forSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (forSystem)
    if (const UINT ppi = forSystem(); ppi > 0) return static_cast<int>(ppi);
  WindowDC screen = WindowDC::Client(nullptr);
  const int ppi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return ppi > 0 ? ppi : kDesignPpi;
}

int WindowPPI(HWND wnd) {
  if (g_screenPPIOverride > 0) return g_screenPPIOverride;
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

void TScrollingWinControl::SetAutoScroll(bool on) {
  if (on == autoScroll_) return;
  autoScroll_ = on;
  UpdateScrollBars();
}

SIZE TScrollingWinControl::ContentExtent() {
  SIZE extent{0, 0};
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    // Aligned children follow the client area: they never reach past it.
    if (!c->Visible() || c->Align() != TAlign::alNone) continue;
    extent.cx = std::max<LONG>(extent.cx, c->Left() + c->Width() + offset_.x);
    extent.cy = std::max<LONG>(extent.cy, c->Top() + c->Height() + offset_.y);
  }
  return extent;
}

void TScrollingWinControl::UpdateScrollBars() {
  if (!HandleAllocated() || updatingBars_ > 0 || deferred_ > 0) return;
  Nesting updating(updatingBars_);
  HWND wnd = Handle();
  const SIZE extent = autoScroll_ ? ContentExtent() : SIZE{0, 0};
  RECT client{};
  GetClientRect(wnd, &client);
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  const int vw = BarThickness(wnd, true), hh = BarThickness(wnd, false);
  // The client area without bars; each bar takes its thickness from it.
  const int fullW = client.right + ((style & WS_VSCROLL) ? vw : 0);
  const int fullH = client.bottom + ((style & WS_HSCROLL) ? hh : 0);
  bool needV = extent.cy > fullH, needH = extent.cx > fullW;
  if (needV && !needH) needH = extent.cx > fullW - vw;
  if (needH && !needV) needV = extent.cy > fullH - hh;
  const int pageW = std::max(0, fullW - (needV ? vw : 0));
  const int pageH = std::max(0, fullH - (needH ? hh : 0));
  const POINT target{needH ? std::clamp<int>(offset_.x, 0, extent.cx - pageW) : 0,
                     needV ? std::clamp<int>(offset_.y, 0, extent.cy - pageH) : 0};
  // A bar that is not needed gets an empty range: the system hides it. What the bar has
  // already is not set again (each child placed asks, and each call is a trip to the system).
  const auto set = [wnd](int bar, bool need, int length, int page, int pos) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = need ? length - 1 : 0;
    si.nPage = need ? static_cast<UINT>(page) : 0;
    si.nPos = need ? pos : 0;
    SCROLLINFO now{};
    now.cbSize = sizeof now;
    now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const bool shown =
        (GetWindowLongPtrW(wnd, GWL_STYLE) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    // (Setting an empty range where there is no bar still changes the frame: the window and
    // every child are painted again.)
    if (!need && !shown) return;
    if (need && shown && GetScrollInfo(wnd, bar, &now) && now.nMin == 0 && now.nMax == si.nMax &&
        now.nPage == si.nPage && now.nPos == si.nPos)
      return;
    SetScrollInfo(wnd, bar, &si, TRUE);
  };
  set(SB_VERT, needV, extent.cy, pageH, target.y);
  set(SB_HORZ, needH, extent.cx, pageW, target.x);
  MoveContent(target.x, target.y);
}

int TScrollingWinControl::MaxOffset(int bar) {
  if (!HandleAllocated()) return 0;
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  if (!(style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return 0;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  if (!GetScrollInfo(Handle(), bar, &si)) return 0;
  return std::max(0, si.nMax - si.nMin + 1 - static_cast<int>(si.nPage));
}

void TScrollingWinControl::ScrollTo(int x, int y) {
  MoveContent(std::clamp(x, 0, MaxOffset(SB_HORZ)), std::clamp(y, 0, MaxOffset(SB_VERT)));
}

void TScrollingWinControl::MoveContent(int x, int y) {
  const int dx = offset_.x - x, dy = offset_.y - y;
  if (dx == 0 && dy == 0) return;
  // The offset first: a child that reports its new place measures its design against it.
  offset_ = {x, y};
  Nesting moving(scrolling_);
  if (!HandleAllocated()) {
    ScrollChildren(dx, dy, false);
    return;
  }
  HWND wnd = Handle();
  ScrollWindowEx(wnd, dx, dy, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  ScrollChildren(dx, dy, true);
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  if (dx && (style & WS_HSCROLL)) SetScrollPos(wnd, SB_HORZ, x, TRUE);
  if (dy && (style & WS_VSCROLL)) SetScrollPos(wnd, SB_VERT, y, TRUE);
}

void TScrollingWinControl::ScrollInView(TControl* control) {
  if (!control || control == this || !HandleAllocated()) return;
  RECT r = control->BoundsRect();
  TWinControl* p = control->Parent();
  for (; p && p != this; p = p->Parent()) OffsetRect(&r, p->Left(), p->Top());
  if (p != this) return;  // not ours
  if (auto* w = dynamic_cast<TWinControl*>(control); w && w->HandleAllocated()) {
    GetWindowRect(w->Handle(), &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
  }
  RECT client{};
  GetClientRect(Handle(), &client);
  // Its far edge into view, but never its near edge out of it.
  const auto along = [](LONG nearEdge, LONG farEdge, LONG page) -> int {
    if (nearEdge < 0) return nearEdge;
    if (farEdge > page) return std::min(farEdge - page, nearEdge);
    return 0;
  };
  ScrollTo(offset_.x + along(r.left, r.right, client.right),
           offset_.y + along(r.top, r.bottom, client.bottom));
}

void TScrollingWinControl::ScrollMessage(int bar, WPARAM wParam) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  if (!GetScrollInfo(Handle(), bar, &si)) return;
  const bool vertical = bar == SB_VERT;
  int pos = vertical ? offset_.y : offset_.x;
  const int page = std::max(1, static_cast<int>(si.nPage));
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      pos -= LineStep();
      break;
    case SB_LINEDOWN:
      pos += LineStep();
      break;
    case SB_PAGEUP:
      pos -= page;
      break;
    case SB_PAGEDOWN:
      pos += page;
      break;
    case SB_THUMBTRACK:
      // While the system tracks the thumb it knows the position in 32 bits.
      pos = si.nTrackPos;
      break;
    case SB_THUMBPOSITION:
      pos = HIWORD(wParam);
      break;
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = MaxOffset(bar);
      break;
    default:
      return;
  }
  if (vertical)
    ScrollTo(offset_.x, pos);
  else
    ScrollTo(pos, offset_.y);
}

bool TScrollingWinControl::Wheel(int delta, bool horizontal) {
  int bar = horizontal ? SB_HORZ : SB_VERT;
  // A content that only scrolls across takes the ordinary wheel across.
  if (!horizontal && MaxOffset(SB_VERT) == 0) bar = SB_HORZ;
  if (MaxOffset(bar) == 0) return false;
  int& rest = wheelRest_[bar == SB_VERT ? 1 : 0];
  rest += delta;
  const int notches = rest / WHEEL_DELTA;
  rest -= notches * WHEEL_DELTA;
  if (notches == 0) return true;
  UINT lines = 3;
  SystemParametersInfoW(horizontal ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &lines,
                        0);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_PAGE;
  GetScrollInfo(Handle(), bar, &si);
  const int step = lines == WHEEL_PAGESCROLL ? std::max(1, static_cast<int>(si.nPage))
                                             : static_cast<int>(lines) * LineStep();
  // Turned away from the user (positive) the wheel shows what is above; tilted right, what is
  // to the right.
  const int move = horizontal ? notches * step : -notches * step;
  if (bar == SB_VERT)
    ScrollTo(offset_.x, offset_.y + move);
  else
    ScrollTo(offset_.x + move, offset_.y);
  return true;
}

bool TScrollingWinControl::ScrollKey(WORD key) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  WPARAM code;
  int bar = SB_VERT;
  switch (key) {
    case VK_UP:
      code = SB_LINEUP;
      break;
    case VK_DOWN:
      code = SB_LINEDOWN;
      break;
    case VK_LEFT:
      code = SB_LINEUP;
      bar = SB_HORZ;
      break;
    case VK_RIGHT:
      code = SB_LINEDOWN;
      bar = SB_HORZ;
      break;
    case VK_PRIOR:
      code = SB_PAGEUP;
      break;
    case VK_NEXT:
      code = SB_PAGEDOWN;
      break;
    case VK_HOME:
      code = SB_TOP;
      if (ctrl) bar = SB_HORZ;
      break;
    case VK_END:
      code = SB_BOTTOM;
      if (ctrl) bar = SB_HORZ;
      break;
    default:
      return false;
  }
  if (MaxOffset(bar) == 0) return false;
  ScrollMessage(bar, code);
  return true;
}

void TScrollingWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
      // The window's own bars (a scroll-bar control's requests are reflected to it).
      if (m.LParam == 0 && HandleAllocated()) {
        ScrollMessage(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, m.WParam);
        m.Result = 0;
        return;
      }
      break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      if (HandleAllocated() && Wheel(GET_WHEEL_DELTA_WPARAM(m.WParam), m.Msg == WM_MOUSEHWHEEL)) {
        m.Result = 0;
        return;
      }
      break;  // nothing to scroll here: on to the parent
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      return;
    case WM_KEYDOWN:
      if (ScrollKey(LOWORD(m.WParam))) {
        m.Result = 0;
        return;
      }
      break;
    case WM_LBUTTONDOWN:
      if (TabStop() && CanFocus() && !Focused()) SetFocus();
      break;
    case CM_FOCUSCHANGED:
      if (autoScroll_) ScrollInView(dynamic_cast<TControl*>(reinterpret_cast<TObject*>(m.LParam)));
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TScrollingWinControl::SetPPI(int ppi) {
  // The same part of the content stays in view.
  if (const int from = CurrentPPI(); ppi != from)
    offset_ = {ScaleValue(offset_.x, ppi, from), ScaleValue(offset_.y, ppi, from)};
  TWinControl::SetPPI(ppi);
}

void TScrollingWinControl::ApplyDesignScale() {
  {
    Nesting placing(deferred_);
    TWinControl::ApplyDesignScale();
  }
  UpdateScrollBars();
  Invalidate();
}

void TScrollingWinControl::AlignControls(RECT& rect) {
  TWinControl::AlignControls(rect);
  UpdateScrollBars();
}

void TScrollingWinControl::ContentChanged() {
  if (scrolling_ == 0) UpdateScrollBars();
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

RECT TCustomForm::ClientRect() {
  if (HandleAllocated()) return TWinControl::ClientRect();
  TCreateParams p;
  CreateParams(p);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectForPPI(frame, p.Style, menu_ != nullptr, p.ExStyle, CurrentPPI());
  return {0, 0, std::max<LONG>(0, Width() - (frame.right - frame.left)),
          std::max<LONG>(0, Height() - (frame.bottom - frame.top))};
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
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      if (ForwardWheel(m)) return;
      break;
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

bool TCustomForm::ForwardWheel(TMessage& m) {
  // The wheel reaches the window with the focus and climbs to its parents; one over a scrolling
  // container elsewhere on the form scrolls that container, as the pointer shows it to the user.
  static thread_local bool forwarding = false;
  if (forwarding || !HandleAllocated()) return false;
  const POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  HWND under = WindowFromPoint(at);
  if (!under || !IsChild(Handle(), under)) return false;
  for (TWinControl* c = FindNearestControl(under); c && c != this; c = c->Parent()) {
    if (!dynamic_cast<TScrollingWinControl*>(c)) continue;
    forwarding = true;
    m.Result = SendMessageW(c->Handle(), m.Msg, m.WParam, m.LParam);
    forwarding = false;
    return true;
  }
  return false;
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
