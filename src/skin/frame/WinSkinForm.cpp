// The form skinner's life: attaching to a window, the set-up once the window is ready, the window
// procedure that routes every message, and detaching. Painting is in WinSkinFormPaint.cpp, the
// caption buttons and the non-client mouse input in CaptionButtons.cpp.
#include "skin/frame/WinSkinForm.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/Application.h"

namespace skin {

namespace {
constexpr UINT_PTR kSubclassId = 0x534B4E46;  // one subclass of ours per window
constexpr UINT kCaptionRedraw = 0xAE;         // the caption-redraw message of themed systems

// Read from the style bits, which are what the placement's show command reports. Asking for the
// placement itself is not harmless: Wine takes the window's present rectangle as the one it is
// restored to whenever the placement is read while neither bit is set, and that is the case inside
// a restore from the icon to the maximized state (the WM_GETMINMAXINFO it sends), where the
// rectangle is still the icon's.
ShowState ShowStateOf(HWND wnd) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  if (style & WS_MINIMIZE) return ShowState::Minimized;
  if (style & WS_MAXIMIZE) return ShowState::Maximized;
  return ShowState::Normal;
}

bool HasChildOfClass(HWND parent, const wchar_t* className) {
  return FindWindowExW(parent, nullptr, className, nullptr) != nullptr;
}

// Windows 2000 and later with a zero minor version, as the frame's rule for leaving WS_SYSMENU on
// windows of their own task-bar button reads it.
bool VersionLeavesSysMenu() {
  const DWORD v = GetVersion();
  return LOBYTE(LOWORD(v)) >= 5 && HIBYTE(LOWORD(v)) == 0;
}
}  // namespace

UI_IMPLEMENT_CLASS(TWinSkinForm, ui::TComponent)

TWinSkinForm::TWinSkinForm(ui::TComponent* owner, IFormSkinnerHost* host)
    : ui::TComponent(owner), host_(host) {
  doubleClickTime_ = static_cast<int>(GetDoubleClickTime());
  iconSize_ = GetSystemMetrics(SM_CXSMICON);
}

TWinSkinForm::~TWinSkinForm() {
  *alive_ = false;
  MenuTrackingGone();
  controlHost_.FreeControls(Bound() && lifecycle_ != kDestroying && lifecycle_ != kDestroyed);
  hoverTimer_.reset();
  menuBar_.reset();
  sysButtons_.clear();
  hotObject_ = nullptr;
  if (Bound()) {
    RestoreFormHandler();
    subclass_.reset();
    PutSystemMenuBack();
  }
  if (host_) host_->FormSkinnerGone(this);
}

// ---- Attaching
// -----------------------------------------------------------------------------------

bool TWinSkinForm::AttachForm(TSkinData* skin, ui::TCustomForm* form) {
  form_ = form;
  if (skin->OnBeforeSkinForm) skin->OnBeforeSkinForm(form, Handle, WindowClassName);
  if (InSet(skin->SkinControls(), xcMenuItem)) form->SetAutoScroll(false);
  if (!Attach(skin)) return false;
  unskinnedColor_ = form->Color();
  form->SetColor(static_cast<ui::TColor>(skin->GetRGB(ciButtonFace)));
  SkinFormPopupMenus(true);
  SkinMainMenuItems(true);
  return true;
}

bool TWinSkinForm::Attach(TSkinData* skin) {
  if (Bound()) return true;
  if (!IsWindow(Handle)) return false;
  return AttachCore(skin);
}

bool TWinSkinForm::AttachCore(TSkinData* skin) {
  skinData_ = skin;
  dpi_ = WindowDpi(Handle);
  controlHost_.SetDpi(dpi_);
  frameSkinned_ = InSet(skin->SkinControls(), xcMainMenu);
  ReadWindowState();

  if (host_ && host_->HideWhileSkinning() && !isChildWindow_ && frameSkinned_ &&
      borderKind_ != BorderKind::None && (style_ & WS_VISIBLE)) {
    SetWindowLongPtrW(Handle, GWL_STYLE, static_cast<LONG_PTR>(style_ & ~WS_VISIBLE));
    hiddenWhileSkinning_ = true;
  }

  if (form_) {
    // A framework form hands every message of its window to its handler: the skinner goes in
    // front of it, as the control skinners do, and costs no subclass lookup per message.
    savedFormWindowProc_ = form_->WindowProc;
    link_ = new ui::THandlerLink(form_, this);
  } else {
    subclass_ =
        ui::SubclassHandle(Handle, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    if (!subclass_) return false;
  }

  if (frameSkinned_) {
    ComputeFrameMetrics();
    // A skin without a caption image, or one whose caption has no height, cannot frame a window:
    // the window keeps the system's frame.
    if (!SkinHasCaption() && borderKind_ != BorderKind::None) frameSkinned_ = false;
  }
  if (!frameSkinned_) lifecycle_ = kLive;
  // The bar replaces the window's menu (an MDI child's menu is its parent's business).
  if (frameSkinned_ && formKind_ != kMdiChild && borderKind_ != BorderKind::None) {
    CreateMenuBar();
    if (menuBar_)
      metrics_.MenuBarHeight = view_ ? view_->MenuBarHeight() : GetSystemMetrics(SM_CYMENU);
  }
  return true;
}

bool TWinSkinForm::SkinHasCaption() const {
  return skinData_ && !skinData_->NoSkin() && !skinData_->Top()->Empty() &&
         metrics_.CaptionHeight > 0;
}

bool TWinSkinForm::FrameWanted() const {
  if (!skinData_ || !InSet(skinData_->SkinControls(), xcMainMenu)) return false;
  if (formKind_ == kMdiChild && InSet(skinData_->Options(), xoMDIChildBorder)) return false;
  return !isChildWindow_ && borderKind_ != BorderKind::None;
}

Extent TWinSkinForm::SystemFrameExtent(bool withMenu) const {
  // The frame the system gives the window in its normal state (a maximized or minimized window's
  // own rectangles tell nothing about it).
  const auto style =
      static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE)) & ~(WS_MAXIMIZE | WS_MINIMIZE);
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
  // At the DPI the system gives the window (on a move to another screen, the one the move's
  // WM_DPICHANGED carries): the frame it draws is made for that one.
  SIZE frame{};
  if (!SystemFrameAtDpi(style, exStyle, withMenu, WindowDpi(Handle), frame))
    return systemFrameExtra_;
  return {frame.cx, frame.cy};
}

void TWinSkinForm::MoveRestoreRect(const Extent& from, const Extent& to) {
  const int dw = to.width - from.width, dh = to.height - from.height;
  if (!dw && !dh) return;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(Handle, &wp)) return;
  wp.rcNormalPosition.right += dw;
  wp.rcNormalPosition.bottom += dh;
  // Only the rectangle changes: the window is neither shown, activated nor moved by this.
  wp.showCmd = IsWindowVisible(Handle) ? SW_SHOWNA : SW_HIDE;
  wp.flags &= ~WPF_SETMINPOSITION;
  SetWindowPlacement(Handle, &wp);
}

void TWinSkinForm::ReadWindowState() {
  style_ = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
  if (WindowClassName.empty()) WindowClassName = WindowClassNameOf(Handle);
  rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  isChildWindow_ = (style_ & WS_CHILD) != 0;
  ownerWindow_ = GetWindow(Handle, GW_OWNER);

  sysMenuBox_ = (style_ & WS_SYSMENU) != 0 || systemMenu_ != nullptr;
  minBox_ = (style_ & WS_MINIMIZEBOX) != 0;
  maxBox_ = (style_ & WS_MAXIMIZEBOX) != 0;
  helpBox_ = (exStyle & WS_EX_CONTEXTHELP) != 0;
  showState_ = ShowStateOf(Handle);
  sizeable_ = (style_ & WS_THICKFRAME) != 0;

  formKind_ = kNormalForm;
  if (HasChildOfClass(Handle, L"MDIClient")) formKind_ = kMdiParent;
  if (exStyle & WS_EX_MDICHILD) {
    formKind_ = kMdiChild;
    if (InSet(skinData_->Options(), xoMDIChildBorder)) frameSkinned_ = false;
  }
  borderKind_ = BorderKindOf(style_, exStyle);
  leaveSysMenu_ = VersionLeavesSysMenu() &&
                  ((exStyle & WS_EX_APPWINDOW) || (!ownerWindow_ && formKind_ != kMdiChild));
  systemDialog_ = IsSystemDialogClass(WindowClassName);
  if (systemDialog_) borderKind_ = BorderKind::Dialog;
}

void TWinSkinForm::ComputeFrameMetrics() {
  if (!skinData_ || skinData_->NoSkin()) return;
  composed_ = {};  // new images, or new sizes: the borders are composed afresh
  LoadImages();
  if (borderKind_ == BorderKind::None) {
    metrics_ = FrameMetrics{};
  } else {
    // The thicknesses are those of the images painted at the window's DPI.
    BorderImageSizes s;
    s.leftWidth = view_->Left().image.width();
    s.leftFrames = skinData_->Left()->Frame;
    s.rightWidth = view_->Right().image.width();
    s.rightFrames = skinData_->Right()->Frame;
    s.topHeight = view_->Top().image.height();
    s.topFrames = skinData_->Top()->Frame;
    s.bottomHeight = view_->Bottom().image.height();
    s.bottomFrames = skinData_->Bottom()->Frame;
    metrics_ = MetricsFromBorders(s, menuBar_ ? view_->MenuBarHeight() : 0);
  }
  if (menuBar_) menuBar_->ReloadSkin();
  if (menuPainter_) menuPainter_->Reload();
  BuildSysButtons();
}

void TWinSkinForm::LoadImages() {
  view_ = TScaledFrameSkin::For(skinData_, dpi_);
  iconSize_ = view_->SmallIconSize();
}

void TWinSkinForm::BuildSysButtons() {
  hotObject_ = nullptr;
  sysButtons_.clear();
  const auto& elements = skinData_->CaptionButtons();
  for (size_t i = 0; i < elements.size(); ++i)
    sysButtons_.push_back(
        std::make_unique<TWinSysButton>(this, elements[i].get(), view_->ButtonImage(i)));
}

void TWinSkinForm::RenderIcon() {
  iconImage_.Clear();  // a new icon may come in the handle of the one it replaces
  auto icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
  // The previous copy goes when it is replaced (one copy per WM_SETICON would leak otherwise).
  icon_.reset(icon ? static_cast<HICON>(
                         CopyImage(icon, IMAGE_ICON, iconSize_, iconSize_, LR_COPYFROMRESOURCE))
                   : nullptr);
}

// Runs on SM_ATTACH, posted by the manager once the skinner was attached: the window is complete
// and its first messages have passed.
void TWinSkinForm::Setup() {
  systemMenu_ = GetSystemMenu(Handle, FALSE);
  if (systemMenu_) sysMenuBox_ = true;
  RenderIcon();
  RECT client{}, window{};
  GetClientRect(Handle, &client);
  GetWindowRect(Handle, &window);
  clientCache_ = {0, 0, client.right, client.bottom};
  systemFrameExtra_ = {(window.right - window.left) - client.right,
                       (window.bottom - window.top) - client.bottom};
  // An iconic window's rectangles tell nothing of its frame.
  if (ShowStateOf(Handle) != ShowState::Normal) systemFrameExtra_ = SystemFrameExtent(false);

  if (hiddenWhileSkinning_) {
    if (host_) host_->ClearHideWhileSkinning();
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
    if (!(style & WS_VISIBLE)) SetWindowLongPtrW(Handle, GWL_STYLE, style | WS_VISIBLE);
    hiddenWhileSkinning_ = false;
  }
  const std::weak_ptr<bool> alive = alive_;
  if (host_) host_->AttachControls(*this);
  if (alive.expired() || !*alive.lock()) return;

  if (lifecycle_ == kNew && frameSkinned_ && formKind_ != kMdiChild && !isChildWindow_ &&
      borderKind_ != BorderKind::None) {
    // A maximized or minimized window is restored to a rectangle sized for the system's frame.
    restoreExtra_ = showState_ == ShowState::Normal ? systemFrameExtra_
                                                    : SystemFrameExtent(menuBar_ != nullptr);
    lifecycle_ = kFitting;
    FitWindow(false);
    lifecycle_ = kLive;
    if (showState_ == ShowState::Normal) UpdateRegion();
  }
  SendMessageW(Handle, SM_SKINAPPLIED, 0, kSkinMessageTag);
  if (skinData_->OnAfterSkinForm) skinData_->OnAfterSkinForm(form_, Handle, WindowClassName);
  lifecycle_ = kLive;
  if (host_) host_->FormAttached();
  SetActive(GetActiveWindow() == Handle);
  if (frameSkinned_) RepaintFrame();
}

void TWinSkinForm::FitWindow(bool keepClient) {
  RefreshShowState();
  if (showState_ != ShowState::Normal) {
    // The window keeps its maximized or iconic rectangle; the one it is restored to is made to
    // surround the same client area with the new frame.
    const Extent skinned{metrics_.HorzExtra(), metrics_.VertExtra()};
    MoveRestoreRect(restoreExtra_, skinned);
    restoreExtra_ = skinned;
    fittedMetrics_ = metrics_;
    if (showState_ == ShowState::Maximized)
      SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return;
  }
  RECT client{};
  GetClientRect(Handle, &client);
  if (systemDialog_ || lifecycle_ == kReskinning || keepClient) {
    clientCache_ = {0, 0, client.right, client.bottom};
    if (!(fittedMetrics_ == FrameMetrics{}) && !(fittedMetrics_ == metrics_)) {
      // The window was sized around its client area for the frame it was last fitted to; a frame
      // recalculated since with the new borders (a new caption, a menu put back) took them out of
      // the old window size: the client area to keep is the one inside the old frame.
      RECT window{};
      GetWindowRect(Handle, &window);
      clientCache_ = {
          0, 0,
          std::max(0, static_cast<int>(window.right - window.left) - fittedMetrics_.HorzExtra()),
          std::max(0, static_cast<int>(window.bottom - window.top) - fittedMetrics_.VertExtra())};
    }
  } else if (form_) {
    clientCache_ = {0, 0, form_->ClientWidth(), form_->ClientHeight() - metrics_.MenuBarHeight};
  }
  Extent size = SkinnedWindowSize(clientCache_.width(), clientCache_.height(), metrics_);
  fittedMetrics_ = metrics_;

  if (systemDialog_ && !keepClient) {
    // A message box whose caption is wider than the box grows to show it, its contents moved to
    // the middle.
    ui::WindowDC screen = ui::WindowDC::Client(nullptr);
    RECT r{0, 0, 0, 0};
    {
      ui::SelectGuard font(screen.get(), view_ ? view_->CaptionFont() : nullptr);
      SkinDrawText(screen.get(), WindowText(), r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    const CaptionTextStyle title = TitleTextStyle();
    const int required = title.textShift + (r.right - r.left) + title.rightClip;
    if (size.width < required) {
      const int dx = (required - size.width) / 2;
      for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT cr{};
        GetWindowRect(child, &cr);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&cr), 2);
        SetWindowPos(
            child, nullptr, cr.left + dx, cr.top, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
      }
      size.width = required;
    }
  }
  // A new skin paints the whole window once everything has taken it: the frame and background
  // the new size uncovers are left to that paint instead of being painted now in between.
  const UINT later = lifecycle_ == kReskinning ? SWP_DEFERERASE : 0;
  SetWindowPos(Handle, nullptr, 0, 0, size.width, size.height,
               SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | later);
  restoreExtra_ = {metrics_.HorzExtra(), metrics_.VertExtra()};
}

void TWinSkinForm::RefitKeepingChildren() {
  // Whatever the form still had to paint is set aside during the fit and given back after it, in
  // client coordinates, which the controls keep.
  ui::GdiRegion pending(CreateRectRgn(0, 0, 0, 0));
  const bool hasPending = pending && GetUpdateRgn(Handle, pending.get(), FALSE) > NULLREGION;
  if (hasPending) RedrawWindow(Handle, nullptr, pending.get(), RDW_VALIDATE | RDW_NOCHILDREN);
  FitWindow(true);
  if (hasPending)
    RedrawWindow(Handle, nullptr, pending.get(), RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
}

void TWinSkinForm::RefreshShowState() { showState_ = ShowStateOf(Handle); }

LRESULT TWinSkinForm::DpiMessage(WPARAM wParam, LPARAM lParam) {
  RECT before{};
  GetWindowRect(Handle, &before);
  // The frame takes the new DPI first: whatever size the form then gives the window already has
  // the new frame around its client area.
  DpiChanged(LOWORD(wParam));
  const std::shared_ptr<bool> alive = alive_;
  const LRESULT r = Previous(WM_DPICHANGED, wParam, lParam);
  if (!*alive || !frameSkinned_ || lifecycle_ == kNew) return r;
  RECT after{};
  GetWindowRect(Handle, &after);
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
  RefreshShowState();
  if (suggested && EqualRect(&before, &after) && showState_ == ShowState::Normal) {
    // Nobody placed the window (a bare window, or a form that leaves it to the system): the
    // system's suggestion, as a window aware of its DPI takes it.
    SetWindowPos(Handle, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top, flags);
  } else {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, flags | SWP_NOMOVE | SWP_NOSIZE);
  }
  if (!*alive) return r;
  if (showState_ == ShowState::Normal) {
    fittedMetrics_ = metrics_;
    restoreExtra_ = {metrics_.HorzExtra(), metrics_.VertExtra()};
  }
  UpdateRegion(false);
  RepaintFrame();
  return 0;
}

// The system places a maximized window so that its own borders fall off the screen; the skin's
// frame is thinner or thicker than that, so the skinned window is given the work area itself: the
// caption's first row at its top, every border on the screen. The largest size the window may
// take is the screen with the skin's frame around it (the system's allows only its own frame), so
// that a skin with a thicker frame never takes the difference from a large window's client area.
void TWinSkinForm::FitMinMaxInfo(MINMAXINFO* info) const {
  if (!info || lifecycle_ == kNew || !frameSkinned_ || isChildWindow_ || formKind_ == kMdiChild ||
      borderKind_ == BorderKind::None)
    return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(Handle, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  info->ptMaxPosition = {work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
  info->ptMaxSize = {work.right - work.left, work.bottom - work.top};
  const LONG screenX = GetSystemMetrics(SM_CXVIRTUALSCREEN) + metrics_.HorzExtra();
  const LONG screenY = GetSystemMetrics(SM_CYVIRTUALSCREEN) + metrics_.VertExtra();
  info->ptMaxTrackSize.x = std::max({info->ptMaxTrackSize.x, info->ptMaxSize.x, screenX});
  info->ptMaxTrackSize.y = std::max({info->ptMaxTrackSize.y, info->ptMaxSize.y, screenY});
}

// ---- Re-skinning and detaching
// -------------------------------------------------------------------

void TWinSkinForm::ReloadSkinData() {
  controlHost_.ForgetImages();
  if (!Bound() || !skinData_) return;
  ComputeFrameMetrics();
  // The window takes the new frame's size at once, around the same client area: a frame
  // recalculated before the re-skin (a new caption, a menu put back) would otherwise take the new
  // borders out of the client area and move the controls twice.
  // (A maximized or minimized window has no client area to keep: the re-skin fits it.)
  RefreshShowState();
  if (lifecycle_ == kLive && frameSkinned_ && !isChildWindow_ && formKind_ != kMdiChild &&
      borderKind_ != BorderKind::None && showState_ == ShowState::Normal && SkinHasCaption() &&
      !(fittedMetrics_ == FrameMetrics{}) && !(metrics_ == fittedMetrics_)) {
    lifecycle_ = kReskinning;
    RefitKeepingChildren();
    lifecycle_ = kLive;
  }
}

void TWinSkinForm::DpiChanged(int dpi) {
  if (dpi <= 0) return;
  // The system's frame, given back when the skin comes off, is the new DPI's too: the system's
  // own figure (each of its sizes rounds on its own), not the old one scaled.
  if (dpi != dpi_) systemFrameExtra_ = SystemFrameExtent(false);
  dpi_ = dpi;
  controlHost_.SetDpi(dpi);
  if (!Bound() || !skinData_ || !frameSkinned_ || skinData_->NoSkin()) return;
  // The skin at the new DPI: thicknesses, images, caption buttons and the menus' font. The
  // window's size is the form's business (it follows the system's suggestion); the frame is
  // fitted into it after.
  menuPainter_.reset();  // made again in the new DPI's font when an item is next measured
  ComputeFrameMetrics();
  if (menuBar_) menuBar_->BuildButtons();
  RenderIcon();
  regionSize_ = {};
}

void TWinSkinForm::Reskin() {
  if (!Bound() || !skinData_) return;
  // Every window takes the new skin and is only invalidated on the way; the whole form is then
  // painted once, so no control is painted twice and the native ones are left alone (but for those
  // whose colour follows the form's).
  lifecycle_ = kReskinning;
  ComputeFrameMetrics();
  controlHost_.ForgetImages();
  regionSize_ = {};  // the new skin's region is made for whatever size the window has
  // A skin without a caption leaves the window the system's frame, as at attach; a later skin
  // with one gives it the skinned frame again.
  if (frameSkinned_ && borderKind_ != BorderKind::None && !SkinHasCaption()) {
    DropFrame();
  } else if (!frameSkinned_ && FrameWanted() && formKind_ != kMdiChild) {
    TakeFrame();
  }
  RefreshShowState();
  // The new frame is fitted before anything is invalidated: a client area that moves while the
  // form has an invalid area of its own makes the system invalidate every child window beneath it.
  if (frameSkinned_ && !isChildWindow_ && borderKind_ != BorderKind::None &&
      !(metrics_ == fittedMetrics_)) {
    if (showState_ == ShowState::Normal)
      RefitKeepingChildren();
    else
      FitWindow(true);
  }
  if (form_) form_->SetColor(static_cast<ui::TColor>(skinData_->GetRGB(ciButtonFace)));
  controlHost_.SkinChanged();
  SendMessageW(Handle, SM_SKINAPPLIED, 0, kSkinMessageTag);
  if (skinData_->OnAfterSkinForm) skinData_->OnAfterSkinForm(form_, Handle, WindowClassName);
  // Unless a new size has made it already: only the frame can change shape, and it is painted
  // right after.
  UpdateRegion(false);
  lifecycle_ = kLive;
  RepaintFrame();
  RedrawWindow(Handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinSkinForm::RestoreFormHandler() {
  // Out of the form's chain, or a plain pass-through where a handler was put over ours later.
  if (ui::THandlerLink* link = std::exchange(link_, nullptr)) link->Release();
}

void TWinSkinForm::PutSystemMenuBack() {
  if (leaveSysMenu_ || !systemMenu_ || !IsWindow(Handle)) return;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
  if (!(style & WS_SYSMENU)) SetWindowLongPtrW(Handle, GWL_STYLE, style | WS_SYSMENU);
}

void TWinSkinForm::Detach() {
  skinSystemMenu_.reset();
  hoverTimer_.reset();
  hotObject_ = nullptr;
  if (!Bound()) return;
  const bool destroying = lifecycle_ == kDestroying;
  RestoreFormHandler();
  SkinFormPopupMenus(false);
  SkinMainMenuItems(false);
  subclass_.reset();
  controlHost_.FreeControls(!destroying);
  if (form_ && !destroying) form_->SetColor(unskinnedColor_);
  if (!frameSkinned_) {
    if (form_ && !destroying) form_->Invalidate();
    finished_ = true;
    return;
  }
  GiveFrameBack(destroying);
  finished_ = true;
}

void TWinSkinForm::GiveFrameBack(bool destroying) {
  PutSystemMenuBack();
  RefreshShowState();
  RECT w{}, keep{};
  GetWindowRect(Handle, &w);
  GetClientRect(Handle, &keep);  // the client area the skinned frame gave
  // The window's own menu comes back and takes its room below the caption again.
  const bool menuBack = !destroying && GiveMenuBack();
  if (!destroying && (!isChildWindow_ || formKind_ == kMdiChild) && lifecycle_ != kNew &&
      borderKind_ != BorderKind::None && showState_ != ShowState::Normal) {
    // A maximized or iconic window keeps its rectangle; the one it is restored to gets the
    // system's frame around the same client area.
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    const Extent system = SystemFrameExtent(GetMenu(Handle) != nullptr);
    MoveRestoreRect(restoreExtra_, system);
    restoreExtra_ = system;
  } else if (!destroying && (!isChildWindow_ || formKind_ == kMdiChild) && lifecycle_ != kNew &&
             borderKind_ != BorderKind::None) {
    // The window's size was fitted to the frame it has now, whatever the skin holds since.
    const FrameMetrics& fitted = fittedMetrics_ == FrameMetrics{} ? metrics_ : fittedMetrics_;
    Extent size =
        UnskinnedWindowSize({w.right - w.left, w.bottom - w.top}, fitted, systemFrameExtra_);
    if (menuBack) {
      // The system's bar may wrap or differ from SM_CYMENU: the frame it makes is measured.
      SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
      RECT now{}, client{};
      GetWindowRect(Handle, &now);
      GetClientRect(Handle, &client);
      size = {keep.right + (now.right - now.left) - client.right,
              keep.bottom + (now.bottom - now.top) - client.bottom};
    }
    SetWindowPos(Handle, nullptr, 0, 0, size.width, size.height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
  } else if (!destroying) {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
  // The system takes the region it was given; setting none lets it delete the old one.
  SetWindowRgn(Handle, nullptr, TRUE);
  regionSize_ = {};
  icon_.reset();
}

void TWinSkinForm::DropFrame() {
  hoverTimer_.reset();
  hotObject_ = nullptr;
  // From here on the system answers for the frame (its size is measured on the way).
  frameSkinned_ = false;
  GiveFrameBack(false);
  fittedMetrics_ = FrameMetrics{};
  if (form_) form_->Invalidate();
}

void TWinSkinForm::TakeFrame() {
  RefreshShowState();
  RECT client{};
  GetClientRect(Handle, &client);  // what the system's frame gives, kept by the skinned one
  const bool hadMenu = GetMenu(Handle) != nullptr;
  // As at attach: the bar takes the menu off while the system still frames the window.
  CreateMenuBar();
  frameSkinned_ = true;
  ComputeFrameMetrics();
  if (!SkinHasCaption()) {
    frameSkinned_ = false;
    GiveMenuBack();
    return;
  }
  RenderIcon();
  if (showState_ == ShowState::Normal) {
    RECT window{}, now{};
    GetWindowRect(Handle, &window);
    GetClientRect(Handle, &now);
    systemFrameExtra_ = {(window.right - window.left) - now.right,
                         (window.bottom - window.top) - now.bottom};
    const Extent size = SkinnedWindowSize(client.right, client.bottom, metrics_);
    SetWindowPos(Handle, nullptr, 0, 0, size.width, size.height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
    fittedMetrics_ = metrics_;
    restoreExtra_ = {metrics_.HorzExtra(), metrics_.VertExtra()};
  } else {
    systemFrameExtra_ = SystemFrameExtent(false);
    restoreExtra_ = SystemFrameExtent(hadMenu);
    FitWindow(true);
  }
  SetActive(GetActiveWindow() == Handle);
}

void TWinSkinForm::DetachForDestruction() {
  MenuTrackingGone();
  menuBar_.reset();
  SkinFormPopupMenus(false);
  SkinMainMenuItems(false);
  skinSystemMenu_.reset();
  hoverTimer_.reset();
  hotObject_ = nullptr;
  RestoreFormHandler();
  controlHost_.FreeControls(false);
  icon_.reset();
}

// ---- Control skinners ---------------------------------------------------------------------------

void TWinSkinForm::RequestControlPass() {
  if (controlPassPosted_ || lifecycle_ != kLive) return;
  controlPassPosted_ = PostMessageW(Handle, SM_ATTACHCONTROLS, 0, kSkinMessageTag) != FALSE;
}

// ---- The window procedure
// ------------------------------------------------------------------------

LRESULT CALLBACK TWinSkinForm::SubclassProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR ref) {
  return reinterpret_cast<TWinSkinForm*>(ref)->Route(msg, wParam, lParam);
}

void TWinSkinForm::FormMessage(ui::TMessage& message) {
  message.Result = Route(message.Msg, message.WParam, message.LParam);
}

LRESULT TWinSkinForm::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
  const std::shared_ptr<bool> alive = alive_;
  ++depth_;
  LRESULT result = 0;
  try {
    result = WindowProc(msg, wParam, lParam);
  } catch (...) {
    // A fault of the skin must never stop the window: the message gets the window's own handling.
    if (*alive) result = Previous(msg, wParam, lParam);
  }
  if (*alive) --depth_;
  return result;
}

LRESULT TWinSkinForm::Previous(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!form_) return DefSubclassProc(Handle, msg, wParam, lParam);
  // The rest of the form's chain, also once the skinner has left it in the middle of a message.
  ui::TMessage message{msg, wParam, lParam, 0};
  try {
    if (frameSkinned_)
      FormWindowProc(message);
    else
      savedFormWindowProc_(message);
  } catch (...) {
    // The form's own fault, reported as the framework reports it; the skinner's part goes on.
    try {
      if (ui::Application) ui::Application->HandleException(form_);
    } catch (...) {
    }
  }
  return message.Result;
}

LRESULT TWinSkinForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCPAINT:
      if (lifecycle_ == kNew) return 0;  // the unskinned frame never flashes
      break;
    case WM_ERASEBKGND: {
      LRESULT r = Previous(msg, wParam, lParam);
      if (!form_ && frameSkinned_ && skinData_->ButtonFaceBrush()) {
        RECT rc{};
        GetClientRect(Handle, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, skinData_->ButtonFaceBrush());
        r = 1;
      }
      return r;
    }
    case WM_NCDESTROY: {
      lifecycle_ = kDestroying;
      DetachForDestruction();
      const std::shared_ptr<bool> alive = alive_;
      LRESULT r = Previous(msg, wParam, lParam);
      if (*alive) {
        subclass_.forget();  // the system drops subclasses of a destroyed window itself
        lifecycle_ = kDestroyed;
        finished_ = true;
      }
      return r;
    }
    case WM_NCACTIVATE:
      // Before set-up nothing is painted; activation changes are never refused.
      if (lifecycle_ == kNew && formKind_ != kMdiChild) return TRUE;
      break;
    case kCaptionRedraw:
      return 0;
    case WM_MENUSELECT:
      MenuSelect(wParam, lParam);
      break;
    case WM_INITMENUPOPUP:
      if (host_)
        host_->SetMenuMode(reinterpret_cast<HMENU>(wParam) == systemMenu_
                               ? IFormSkinnerHost::kSystemMenu
                               : IFormSkinnerHost::kMainMenu);
      return Previous(msg, wParam, lParam);
    case WM_CTLCOLORBTN: {
      LRESULT r = Previous(msg, wParam, lParam);
      if (!form_) SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return r;
    }
    case WM_CTLCOLORSTATIC: {
      LRESULT r = Previous(msg, wParam, lParam);
      if (!form_ && skinData_->ButtonFaceBrush()) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        r = reinterpret_cast<LRESULT>(skinData_->ButtonFaceBrush());
      }
      return r;
    }
    case WM_TIMER:
      if (wParam == kHoverTimerId) {
        HoverTick();
        return 0;
      }
      break;
    case SM_ATTACH:
      Setup();
      return 0;
    case WM_DPICHANGED:
      return DpiMessage(wParam, lParam);
    case SM_RESKINSCROLLBAR:
      return 0;  // no scroll-bar skinner is attached by the frame itself
    case SM_ATTACHCONTROLS:
      // A control of the window has a new window: the attaching pass frees the skinners of the
      // dead ones and skins whatever is not skinned.
      if (lParam != kSkinMessageTag) break;
      controlPassPosted_ = false;
      if (lifecycle_ == kLive && host_) host_->AttachControls(*this);
      return 0;
    case SM_ISSKINNED:
      PostMessageW(Handle, SM_SKINAPPLIED, 0, kSkinMessageTag);
      return 1;
    case SM_PAINTFRAMETO:
      // Framework forms answer through their own handler; bare windows here.
      if (!form_ && lParam == kSkinMessageTag) {
        if (wParam) RepaintFrame(reinterpret_cast<HDC>(wParam));
        return kSkinMessageTag;
      }
      break;
    default:
      break;
  }
  if (!frameSkinned_) return Previous(msg, wParam, lParam);
  return FrameStateMessage(msg, wParam, lParam);
}

LRESULT TWinSkinForm::FrameStateMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (isChildWindow_ && formKind_ != kMdiChild) return Previous(msg, wParam, lParam);
  switch (msg) {
    case WM_SIZE: {
      const LRESULT r = Previous(msg, wParam, lParam);
      if (wParam == SIZE_RESTORED) showState_ = ShowState::Normal;
      if (wParam == SIZE_MINIMIZED) showState_ = ShowState::Minimized;
      if (wParam == SIZE_MAXIMIZED) showState_ = ShowState::Maximized;
      if (showState_ != ShowState::Minimized && (lifecycle_ == kLive || lifecycle_ == kReskinning))
        UpdateRegion();
      return r;
    }
    case WM_ACTIVATE:
      active_ = LOWORD(wParam) != WA_INACTIVE;
      return NonClientMessage(msg, wParam, lParam);
    case WM_NCACTIVATE:
      active_ = (wParam & 0xFF) != 0;
      return NonClientMessage(msg, wParam, lParam);
    case WM_GETMINMAXINFO: {
      const LRESULT r = Previous(msg, wParam, lParam);
      RefreshShowState();
      FitMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return r;
    }
    case WM_WINDOWPOSCHANGED:
      RefreshShowState();
      return Previous(msg, wParam, lParam);
    case WM_SETICON: {
      // The system draws its own caption for a new icon or text where the window manager leaves
      // the frame to it; the skinned frame is painted over it again.
      const std::shared_ptr<bool> alive = alive_;
      const LRESULT r = Previous(msg, wParam, lParam);
      if (!*alive) return r;
      RenderIcon();
      RepaintFrame();
      return r;
    }
    case WM_SETTEXT: {
      const std::shared_ptr<bool> alive = alive_;
      const LRESULT r = Previous(msg, wParam, lParam);
      if (*alive && !form_) RepaintFrame();  // forms repaint in their own handler
      return r;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam) & 0xFFF0) {
        case SC_SIZE:
        case SC_MOVE:
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_CLOSE:
        case SC_RESTORE:
          if (LOWORD(wParam) >= SC_SIZE) {
            PostMessageW(Handle, WM_SYSCOMMAND, LOWORD(wParam), 0);
            return 0;
          }
          break;
        default:
          break;
      }
      return Previous(msg, wParam, lParam);
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wParam & 0xFFF0);
      if (command == SC_KEYMENU && lParam == ' ') {
        // Alt+Space: the skinned system menu under the window icon.
        RECT w{};
        GetWindowRect(Handle, &w);
        ShowSystemMenu({w.left + metrics_.LeftWidth, w.top + metrics_.CaptionHeight});
        return 0;
      }
      if (command == SC_KEYMENU && MenuKey(lParam)) return 1;
      if (command == SC_MINIMIZE) showState_ = ShowState::Minimized;
      if (command == SC_MAXIMIZE) showState_ = ShowState::Maximized;
      if (command == SC_RESTORE) showState_ = ShowState::Normal;
      return Previous(msg, wParam, lParam);
    }
    case SM_MENUBUTTONAT:
      OpenMenuButtonAt(lParam);
      return 0;
    case ui::CM_MENUCHANGED: {
      // The framework puts its menu back on the window; the frame is repainted once the bar has
      // taken it off again.
      const std::shared_ptr<bool> alive = alive_;
      const bool paintFrame = skinData_->PaintFrame;
      skinData_->PaintFrame = false;
      const LRESULT r = Previous(msg, wParam, lParam);
      if (!*alive) return r;
      skinData_->PaintFrame = paintFrame;
      MenuChanged();
      return r;
    }
    default:
      return NonClientMessage(msg, wParam, lParam);
  }
}

LRESULT TWinSkinForm::NonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (lifecycle_ == kNew) return Previous(msg, wParam, lParam);
  LRESULT result = 0;
  switch (msg) {
    case WM_NCCALCSIZE: {
      auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
      // The proposed window rectangle, before the system turns it into its own client area.
      const RECT w = wParam ? params->rgrc[0] : RECT{};
      Previous(msg, wParam, lParam);
      if (!wParam) return 0;
      if (borderKind_ == BorderKind::None ||
          (formKind_ == kMdiChild && showState_ != ShowState::Normal)) {
        params->rgrc[1] = params->rgrc[0];
        return WVR_VALIDRECTS;
      }
      const ImageRect c = SkinnedClientRect({w.left, w.top, w.right, w.bottom}, metrics_);
      params->rgrc[0] = params->rgrc[1] = {c.left, c.top, c.right, c.bottom};
      return WVR_VALIDRECTS;
    }
    case WM_NCPAINT:
      // Without WS_SYSMENU the system draws no caption buttons of its own. A minimized window
      // keeps it, so that the system can still offer its menu and restore it.
      RefreshShowState();
      if (!leaveSysMenu_ && showState_ != ShowState::Minimized) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
        if (style & WS_SYSMENU) SetWindowLongPtrW(Handle, GWL_STYLE, style & ~WS_SYSMENU);
      }
      if (skinData_->PaintFrame) {
        if (borderKind_ == BorderKind::None) return Previous(msg, wParam, lParam);
        RepaintFrame();
      }
      return 0;
    case WM_NCACTIVATE:
      SetActive((wParam & 0xFF) != 0);
      RepaintFrame();
      return TRUE;
    case WM_NCHITTEST:
      return HitTest(wParam, lParam);
    case WM_NCMOUSEMOVE:
      if (NcMouseMove(wParam, lParam, result)) return result;
      break;
    case WM_NCLBUTTONDOWN:
      if (NcButtonDown(wParam, lParam, result)) return result;
      break;
    case WM_NCLBUTTONUP:
      if (NcButtonUp(lParam, result)) return result;
      break;
    case WM_NCLBUTTONDBLCLK:
      if (NcDoubleClick(lParam, result)) return result;
      break;
    case WM_NCRBUTTONDOWN:
      if (NcRightButtonDown(wParam, lParam, result)) return result;
      break;
    case WM_NCRBUTTONUP:
      // The system would open its own system menu for a right click on the caption.
      if (IsCaptionHit(static_cast<int>(wParam))) return 0;
      break;
    case WM_MEASUREITEM:
      if (MeasureMenuItem(lParam)) return TRUE;
      break;
    case WM_DRAWITEM:
      if (DrawMenuItem(lParam)) return TRUE;
      break;
    case WM_MENUCHAR:
      if (MenuChar(wParam, lParam, result)) return result;
      break;
    case SM_PAINTFRAME:
      RepaintFrame();
      return 0;
    default:
      break;
  }
  return Previous(msg, wParam, lParam);
}

// Messages of the framework form that the skinned frame answers, reached through Previous.
void TWinSkinForm::FormWindowProc(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT: {
      const std::shared_ptr<bool> alive = alive_;
      savedFormWindowProc_(message);
      if (!*alive || !IsWindowVisible(Handle)) return;
      if (showState_ == ShowState::Minimized)
        RepaintFrame();
      else
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      return;
    }
    case SM_RESKIN:
      Reskin();
      return;
    case SM_PAINTFRAMETO:
      if (message.LParam != kSkinMessageTag) break;
      if (message.WParam) RepaintFrame(reinterpret_cast<HDC>(message.WParam));
      message.Result = kSkinMessageTag;
      return;
    case SM_QUERYSKIN:
      message.Result = message.LParam == kSkinMessageTag ? kSkinMessageTag : 1;
      return;
    case ui::CM_DIALOGCHAR: {
      const std::shared_ptr<bool> alive = alive_;
      savedFormWindowProc_(message);
      if (!*alive || MenuAccelerator(message) || message.Result) return;
      // An Alt+letter nothing of this window took: a window beside the main form (not a modal
      // one) gives it to the main form, whose bar may have that accelerator. (MDI children, which
      // would give it to their parent, do not exist in the framework.)
      ui::TCustomForm* main = ui::Application ? ui::Application->MainForm() : nullptr;
      if (main && main != form_ && !form_->Modal() && main->HandleAllocated())
        message.Result = main->Perform(ui::CM_DIALOGCHAR, message.WParam, message.LParam);
      return;
    }
    default:
      break;
  }
  savedFormWindowProc_(message);
}

}  // namespace skin
