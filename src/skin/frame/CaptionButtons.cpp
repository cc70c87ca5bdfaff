// Caption buttons and the non-client mouse input of a skinned frame: the hot-object state machine,
// hit testing, the mouse messages, the hover timer, what a click does, and the system menu that the
// icon button, a right click on the caption and Alt+Space open.
#include "skin/frame/CaptionButtons.h"

#include <windowsx.h>

#include "skin/frame/WinSkinForm.h"

namespace skin {

// ---- The state machine
// ------------------------------------------------------------------------------

TNCObject::~TNCObject() {
  if (Owner && Owner->hotObject_ == this) Owner->hotObject_ = nullptr;
}

void TNCObject::MouseEnter() {
  if (!Visible) return;
  TNCObject*& hot = Owner->hotObject_;
  if (hot == this) return;
  if (hot) hot->MouseLeave();
  hot = this;
  State = kStateHot;
  Paint();
}

void TNCObject::MouseDown() {
  if (!Visible) return;
  TNCObject*& hot = Owner->hotObject_;
  if (hot && hot != this) hot->MouseLeave();
  hot = this;
  State = kStatePressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!Visible) return;
  State = kStateHot;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!Visible) return;
  if (Owner->hotObject_ == this) Owner->hotObject_ = nullptr;
  State = kStateNormal;
  Paint();
}

TWinSysButton::TWinSysButton(TWinSkinForm* owner, TDataSkinSysButton* skinButton,
                             const ImageDC& image)
    : TNCObject(owner), SkinButton(skinButton), image_(&image) {
  // The icon button shows the window icon, whatever image the skin gives it.
  static const ImageDC kNone;
  if (ShowsIcon())
    image_ = &kNone;
  else
    Frames = std::max(skinButton->Frame, 1);
}

bool TWinSysButton::ShowsIcon() const { return IsIconAction(SkinButton->Action); }

CaptionButtonPlace TWinSysButton::Place() const {
  const TDataSkinSysButton& e = *SkinButton;
  CaptionButtonPlace place{e.Align, e.XCoord, e.YCoord, 0, 0};
  if (ShowsIcon()) {
    place.width = place.height = Owner->view_ ? Owner->view_->SmallIconSize96() : Owner->iconSize_;
  } else {
    const SIZE size = BitmapSize(e.Handle());
    place.width = FrameExtent(size.cx, Frames);
    place.height = size.cy;
  }
  return place;
}

void TWinSysButton::Paint() { Owner->PaintButtonState(*this); }

// ---- Hit testing and mouse messages
// ---------------------------------------------------------------

POINT TWinSkinForm::ToWindow(POINT screen) const {
  RECT w{};
  GetWindowRect(Handle, &w);
  return {screen.x - w.left, screen.y - w.top};
}

TNCObject* TWinSkinForm::FindObjectAt(POINT p) {
  for (auto& button : sysButtons_) {
    const ImageRect& r = button->Rect;
    if (button->Visible && button->Action() >= 0 && p.x >= r.left && p.x < r.right &&
        p.y >= r.top && p.y < r.bottom)
      return button.get();
  }
  return menuBar_ ? menuBar_->ButtonAt(p) : nullptr;
}

LRESULT TWinSkinForm::HitTest(WPARAM wParam, LPARAM lParam) {
  const LRESULT answer = Previous(WM_NCHITTEST, wParam, lParam);
  const POINT p = ToWindow({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  const int code = SkinnedHitTest(static_cast<int>(answer), p.y, metrics_);
  if (code != HTCAPTION) return code;
  // The same places the buttons were painted at.
  if (auto* button = dynamic_cast<TWinSysButton*>(FindObjectAt(p)))
    return CaptionButtonHitCode(button->Action());
  return code;
}

bool TWinSkinForm::NcMouseMove(WPARAM, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (!active_) return true;
  if (TNCObject* object = FindObjectAt(ToWindow({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))) {
    // While a button is held, the others do not light up.
    if (hotObject_ && hotObject_ != object && hotObject_->State == kStatePressed &&
        (GetKeyState(VK_LBUTTON) & 0x8000))
      return true;
    object->MouseEnter();
    return true;
  }
  if (TNCObject* hot = hotObject_) {
    hot->MouseLeave();
    hotObject_ = nullptr;
  }
  return false;
}

bool TWinSkinForm::NcButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (TNCObject* object = FindObjectAt(ToWindow({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))) {
    if (!active_) SetForegroundWindow(Handle);
    object->MouseDown();
    if (auto* menuButton = dynamic_cast<TMenuBtn*>(object)) OpenMenuButton(menuButton->Index);
    return true;
  }
  // A maximized window is not dragged by its caption.
  return showState_ == ShowState::Maximized && active_ && wParam == HTCAPTION;
}

bool TWinSkinForm::NcButtonUp(LPARAM lParam, LRESULT& result) {
  result = 0;
  const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  TNCObject* object = FindObjectAt(ToWindow(screen));
  if (!object) return false;
  // Only the button that was pressed acts, and only when it is released over itself.
  auto* button = dynamic_cast<TWinSysButton*>(object);
  if (button && object == hotObject_ && object->State == kStatePressed) {
    const std::shared_ptr<bool> alive = alive_;
    button->MouseUp();
    if (*alive) PerformAction(*button, screen);
  }
  return true;
}

bool TWinSkinForm::NcDoubleClick(LPARAM lParam, LRESULT& result) {
  result = 0;
  TNCObject* object = FindObjectAt(ToWindow({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
  // Only caption buttons take double clicks: on a menu-bar button the second click of a pair is a
  // click like the first.
  if (auto* menuButton = dynamic_cast<TMenuBtn*>(object)) {
    if (!active_) SetForegroundWindow(Handle);
    menuButton->MouseDown();
    OpenMenuButton(menuButton->Index);
    return true;
  }
  if (auto* button = dynamic_cast<TWinSysButton*>(object)) {
    // Only the icon button closes the window on a double click.
    if (button->ShowsIcon()) {
      hoverTimer_.reset();
      PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return true;
  }
  if (showState_ != ShowState::Normal)
    Restore();
  else if (maxBox_)
    MaximizeToggle();
  else
    return false;
  return true;
}

bool TWinSkinForm::NcRightButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (!IsCaptionHit(static_cast<int>(wParam)) || formKind_ == kMdiChild) return false;
  ShowSystemMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  return true;
}

void TWinSkinForm::HoverTick() {
  if (sysMenuShown_ || trackingMenu_ || !hotObject_) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT p = ToWindow(cursor);
  const ImageRect& r = hotObject_->Rect;
  if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return;
  TNCObject* hot = hotObject_;
  hotObject_ = nullptr;
  hot->MouseLeave();
}

void TWinSkinForm::SetActive(bool active) {
  active_ = active;
  if (active && lifecycle_ == kLive) {
    if (!hoverTimer_) hoverTimer_ = ui::TimerHandle(Handle, kHoverTimerId, kHoverIntervalMs);
  } else {
    hoverTimer_.reset();
  }
}

CaptionState TWinSkinForm::CurrentCaptionState() const {
  CaptionState s;
  s.maxBox = maxBox_;
  s.minBox = minBox_;
  s.help = helpBox_;
  s.sysMenu = sysMenuBox_;
  s.maximized = showState_ == ShowState::Maximized;
  s.active = active_;
  s.dialog = borderKind_ == BorderKind::Dialog && !systemDialog_;
  s.dialogFrame = borderKind_ == BorderKind::Dialog;
  return s;
}

bool TWinSkinForm::HasSystemClose() const {
  HMENU menu = GetSystemMenu(Handle, FALSE);
  return menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

// ---- Actions
// ----------------------------------------------------------------------------------------

void TWinSkinForm::PerformAction(TWinSysButton& button, POINT screen) {
  const int action = button.Action();
  switch (action) {
    case kActionClose:
      if (!HasSystemClose()) return;
      hoverTimer_.reset();
      PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      return;
    case kActionMaximize:
    case kActionMaximize2:
      if (button.Enabled) MaximizeToggle();
      return;
    case kActionMinimize:
    case kActionMinimize2:
      if (button.Enabled) MinimizeToggle();
      return;
    case 3:
    case 11:
    case 12:
      ShowSystemMenu({screen.x + 1, screen.y + 1});
      return;
    case kActionHelp:
      PostMessageW(Handle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
      return;
    case 7:
    case 60:
    case 8:
    case 61:
    case 9:
    case 62: {
      // The buttons of a maximized MDI child act on the active child.
      const UINT command = (action == 7 || action == 60)   ? SC_MINIMIZE
                           : (action == 8 || action == 61) ? SC_RESTORE
                                                           : SC_CLOSE;
      if (HWND client = FindWindowExW(Handle, nullptr, L"MDIClient", nullptr))
        if (auto child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)))
          SendMessageW(child, WM_SYSCOMMAND, command, 0);
      return;
    }
    default:
      PostMessageW(Handle, SM_BUTTONACTION, static_cast<WPARAM>(action), 0);
      return;
  }
}

void TWinSkinForm::MaximizeToggle() {
  if (showState_ == ShowState::Maximized) {
    Restore();
    return;
  }
  showState_ = ShowState::Maximized;
  PostMessageW(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  hotObject_ = nullptr;
}

void TWinSkinForm::Restore() {
  showState_ = ShowState::Normal;
  PostMessageW(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::MinimizeToggle() {
  if (showState_ == ShowState::Minimized) {
    Restore();
    return;
  }
  showState_ = ShowState::Minimized;
  PutSystemMenuBack();
  PostMessageW(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

// ---- The system menu
// --------------------------------------------------------------------------------

ui::TPopupMenu* TWinSkinForm::BuildSystemMenu() {
  skinSystemMenu_.reset();
  auto menu = std::make_unique<ui::TPopupMenu>(nullptr);
  menu->SetTag(kSystemMenuTag);
  if (skinData_) menu->SetImages(skinData_->MenuGlyphs());
  // The items are drawn in the skin's look (SkinMenuItems) unless the skin leaves the system menu
  // alone.
  const bool ownerDraw = skinData_ && InSet(skinData_->SkinControls(), xcSystemMenu);
  systemMenu_ = GetSystemMenu(Handle, FALSE);
  RefreshShowState();
  const int count = systemMenu_ ? GetMenuItemCount(systemMenu_) : 0;
  for (int i = 0; i < count; ++i) {
    wchar_t text[80] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 80;
    if (!GetMenuItemInfoW(systemMenu_, static_cast<UINT>(i), TRUE, &info)) continue;
    auto* item = new ui::TMenuItem(menu.get());
    item->SetCaption(text[0] ? std::wstring(text) : std::wstring(L"-"));
    item->SetTag(static_cast<intptr_t>(info.wID));
    const bool systemEnabled = (info.fState & MFS_GRAYED) == 0;
    const SystemMenuItemRule rule =
        SystemMenuItem(info.wID, showState_, minBox_, maxBox_, systemEnabled);
    item->SetImageIndex(rule.image);
    item->SetEnabled(rule.enabled);
    item->SetChecked((info.fState & MFS_CHECKED) != 0);
    item->OnClick = ui::MethodOf<&TWinSkinForm::SystemMenuClick>(this);
    if (ownerDraw) {
      item->OnDrawItem = ui::MethodOf<&TWinSkinForm::DrawPopupItem>(this);
      item->OnMeasureItem = ui::MethodOf<&TWinSkinForm::MeasurePopupItem>(this);
    }
    menu->Items()->Add(item);
  }
  menu->SetOwnerDraw(ownerDraw);
  skinSystemMenu_ = std::move(menu);
  return skinSystemMenu_.get();
}

void TWinSkinForm::SystemMenuClick(ui::TObject* sender) {
  if (auto* item = dynamic_cast<ui::TMenuItem*>(sender))
    PostMessageW(Handle, WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}

void TWinSkinForm::ShowSystemMenu(POINT screen) {
  if (sysMenuShown_ || (host_ && host_->PopupMenuUp())) return;
  const DWORD now = GetTickCount();
  if (doubleClickTime_ < 0 || now - lastSysMenuTick_ > static_cast<DWORD>(doubleClickTime_)) {
    if (host_) host_->SetMenuMode(IFormSkinnerHost::kSystemMenu);
    lastSysMenuTick_ = now;
    ui::TPopupMenu* menu = BuildSystemMenu();
    const std::shared_ptr<bool> alive = alive_;
    sysMenuShown_ = true;
    menu->Popup(screen.x, screen.y);
    if (!*alive) return;
    sysMenuShown_ = false;
    // The next popup is judged as a popup menu again, whether or not this one was skinned.
    if (host_) host_->SetMenuMode(IFormSkinnerHost::kPopupMenu);
    return;
  }
  // A second request within the double-click time closes the window, but only as a double click
  // on the icon button (not over whatever other button happens to be hot).
  auto* hot = dynamic_cast<TWinSysButton*>(hotObject_);
  if (hot && hot->ShowsIcon()) {
    hoverTimer_.reset();
    PostMessageW(Handle, WM_CLOSE, 0, 0);
  }
}

}  // namespace skin
