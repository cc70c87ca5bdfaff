// The skinned menu bar and everything the frame does with menus: building the bar's buttons from
// the window's menu, painting the bar, opening and tracking pull-downs (with the message-filter
// hook that moves between them), the keyboard's way into the bar, the owner-drawn items of
// pull-downs and of the skinned system menu, and giving the window its menu back.
#include "skin/frame/WinSkinMenu.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "skin/frame/ScaledFrameSkin.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/WinSkinPopMenu.h"

namespace skin {

namespace {

COLORREF Rgb(Colour c) { return static_cast<COLORREF>(c) & 0xFFFFFF; }

ui::GdiFont MakeMenuFont(int dpi) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return {};
  ScaleFontToDpi(ncm.lfMenuFont, dpi);
  return ui::GdiFont(CreateFontIndirectW(&ncm.lfMenuFont));
}

// The one pull-down tracked in the process: TrackPopupMenu runs a modal loop, so there is never
// more than one. The hook lives exactly as long as the loop (MenuTrackingScope).
struct MenuTrackState {
  ui::HookHandle hook;
  TWinSkinForm* frame = nullptr;
  int openIndex = -1;
  int pendingOpen = -1;  // the pull-down to open once the current loop has ended
  bool started = false;
  bool switching = false;
  POINT lastMouse{INT_MIN, INT_MIN};
  HMENU currentMenu = nullptr;
  bool currentHasChildren = false;
  bool haveCurrent = false;
};
MenuTrackState g_track;

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam);

class MenuTrackingScope {
 public:
  MenuTrackingScope(TWinSkinForm* frame, int index) {
    Reset();
    g_track.frame = frame;
    g_track.openIndex = index;
    g_track.hook.reset(
        SetWindowsHookExW(WH_MSGFILTER, MenuFilterProc, nullptr, GetCurrentThreadId()));
  }
  ~MenuTrackingScope() { Reset(); }
  MenuTrackingScope(const MenuTrackingScope&) = delete;
  MenuTrackingScope& operator=(const MenuTrackingScope&) = delete;

  static void Reset() {
    g_track.hook.reset();
    g_track = MenuTrackState{};
  }
};

}  // namespace

bool MenuFilterHookInstalled() { return static_cast<bool>(g_track.hook); }

namespace {
// The shown menu windows of this thread with the menus they show.
BOOL CALLBACK CollectMenuWindow(HWND wnd, LPARAM param) {
  auto& shown = *reinterpret_cast<std::vector<HMENU>*>(param);
  wchar_t name[16] = {};
  if (GetClassNameW(wnd, name, 16) && wcscmp(name, L"#32768") == 0 && IsWindowVisible(wnd))
    if (auto menu = reinterpret_cast<HMENU>(SendMessageW(wnd, MN_GETHMENU, 0, 0)))
      shown.push_back(menu);
  return TRUE;
}

// Where the keyboard is in the open pull-downs: the innermost shown menu (none of its items' own
// menus is shown) and whether its highlighted item opens a menu of its own.
struct KeyboardPlace {
  HMENU menu = nullptr;
  bool hasChildren = false;
};

std::optional<KeyboardPlace> CurrentKeyboardPlace() {
  std::vector<HMENU> shown;
  EnumThreadWindows(GetCurrentThreadId(), CollectMenuWindow, reinterpret_cast<LPARAM>(&shown));
  for (HMENU menu : shown) {
    const int count = GetMenuItemCount(menu);
    bool parentOfShown = false;
    int highlighted = -1;
    for (int i = 0; i < count; ++i) {
      HMENU sub = GetSubMenu(menu, i);
      if (sub && std::find(shown.begin(), shown.end(), sub) != shown.end()) parentOfShown = true;
      if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) highlighted = i;
    }
    if (parentOfShown) continue;
    return KeyboardPlace{menu, highlighted >= 0 && GetSubMenu(menu, highlighted) != nullptr};
  }
  return std::nullopt;
}

struct MenuWindowSearch {
  HMENU menu;
  HWND showing = nullptr;  // a shown menu window of the thread
  HWND holding = nullptr;  // the one that shows `menu`
};

BOOL CALLBACK FindMenuWindow(HWND wnd, LPARAM param) {
  auto& search = *reinterpret_cast<MenuWindowSearch*>(param);
  wchar_t name[16] = {};
  if (!GetClassNameW(wnd, name, 16) || wcscmp(name, L"#32768") != 0 || !IsWindowVisible(wnd))
    return TRUE;
  if (!search.showing) search.showing = wnd;
  if (search.menu && reinterpret_cast<HMENU>(SendMessageW(wnd, MN_GETHMENU, 0, 0)) == search.menu) {
    search.holding = wnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND ThreadMenuWindow(HMENU menu) {
  // Only this thread's menus: another program's menu window, or a hidden one left behind, is
  // never the one the user is in.
  MenuWindowSearch search{menu};
  EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&search));
  return search.holding ? search.holding : search.showing;
}

void SetMenuOwnerDraw(HMENU menu, bool on) {
  if (!menu || !IsMenu(menu)) return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    const UINT type = on ? info.fType | MFT_OWNERDRAW : info.fType & ~MFT_OWNERDRAW;
    if (type != info.fType) {
      info.fMask = MIIM_FTYPE;
      info.fType = type;
      SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    }
    if (info.hSubMenu) SetMenuOwnerDraw(info.hSubMenu, on);
  }
}

// ---- The bar
// -------------------------------------------------------------------------------------

void TMenuBtn::Paint() { bar_->PaintButton(*this); }

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* frame, TSkinData* skin, ui::TMenu* menu)
    : frame_(frame),
      skin_(skin),
      menu_(menu),
      font_(MakeMenuFont(frame->dpi_)),
      fontDpi_(frame->dpi_) {
  ReloadSkin();
}

void TWinSkinMenu::ReloadSkin() {
  // The window moved to another DPI: the bar's text follows it.
  if (fontDpi_ != frame_->dpi_) {
    font_ = MakeMenuFont(frame_->dpi_);
    fontDpi_ = frame_->dpi_;
  }
  element_ = skin_ ? skin_->FindElement("MenuBar") : nullptr;
  barImage_ = ImageDC();
  barMargins_ = {};
  if (!element_ || element_->Empty()) return;
  // The bar's art at the window's DPI, made once: its end pieces keep their share of the bar and
  // the buttons start past the leading one as drawn.
  const Scale scale = Scale::FromDpi(frame_->dpi_);
  barImage_ = ElementImageAt(*element_, scale, 2, true);
  barMargins_ = ElementMarginsAt(*element_, scale, 2, true);
}

bool TWinSkinMenu::RightToLeft() const {
  return frame_->rightToLeft_ || (menu_ && menu_->IsRightToLeft());
}

TMenuBtn* TWinSkinMenu::Button(int index) const {
  if (index < 0 || index >= ButtonCount()) return nullptr;
  return buttons_[static_cast<size_t>(index)].get();
}

void TWinSkinMenu::ClearButtons() {
  buttons_.clear();
  menuHandle_ = nullptr;
}

bool TWinSkinMenu::BuildButtons() {
  const HWND wnd = frame_->Handle;
  if (HMENU current = GetMenu(wnd)) menuHandle_ = current;
  if (!menuHandle_ || !IsMenu(menuHandle_)) return false;
  buttons_.clear();
  ui::WindowDC screen = ui::WindowDC::Client(nullptr);
  ui::SelectGuard font(screen.get(), font_.get());
  const int count = GetMenuItemCount(menuHandle_);
  for (int i = 0; i < count; ++i) {
    wchar_t text[80] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = 80;
    if (!GetMenuItemInfoW(menuHandle_, static_cast<UINT>(i), TRUE, &info)) continue;
    auto button = std::make_unique<TMenuBtn>(frame_, this, static_cast<int>(buttons_.size()));
    button->Visible = true;
    button->SubMenu = info.hSubMenu;
    button->ItemEnabled = (info.fState & 3) == 0;
    button->Command = info.wID;
    if (!(info.fType & (MFT_OWNERDRAW | MFT_BITMAP | MFT_SEPARATOR))) button->Caption = text;
    if (ui::TMenuItem* item = menu_ ? menu_->FindItemByCommand(info.wID) : nullptr) {
      button->Caption = item->Caption();
      button->ItemEnabled = item->Enabled();
      button->Item = item;
      button->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    }
    if (!button->Caption.empty()) {
      RECT r{0, 0, 0, 0};
      DrawTextW(screen.get(), button->Caption.c_str(), static_cast<int>(button->Caption.size()), &r,
                DT_CALCRECT | DT_SINGLELINE);
      button->TextWidth = r.right - r.left;
    }
    buttons_.push_back(std::move(button));
  }
  // The system draws no bar of its own from now on.
  ::SetMenu(wnd, nullptr);
  return true;
}

void TWinSkinMenu::Layout(const ImageRect& bar) {
  std::vector<MenuBarEntry> entries;
  entries.reserve(buttons_.size());
  for (const auto& b : buttons_) entries.push_back({b->TextWidth, !b->Caption.empty(), b->Visible});
  MenuBarElementInfo info;
  info.present = !barImage_.empty();
  if (info.present) {
    info.leftWidth = barMargins_.left;
    info.rightWidth = barMargins_.right;
  }
  const bool rtl = RightToLeft();
  const Scale scale = Scale::FromDpi(frame_->dpi_);
  const int start = MenuBarStart(info, bar.width(), rtl, scale);
  const std::vector<ImageRect> rects =
      LayoutMenuBar(entries, bar.width(), bar.height(), start, rtl, scale);
  for (size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->Rect = rects[i].empty() ? ImageRect{} : rects[i].Offset(bar.left, bar.top);
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& button, const ImageRect& r) {
  if (button.Caption.empty() || r.empty()) return;
  ui::SelectGuard font(dc, font_.get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour =
      SetTextColor(dc, Rgb(skin_->GetRGB(button.ItemEnabled ? ciMenuBarText : ciButtonShadow)));
  RECT text = ToRECT(r);
  DrawTextW(dc, button.Caption.c_str(), static_cast<int>(button.Caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | (RightToLeft() ? DT_RTLREADING : 0));
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void TWinSkinMenu::PaintBar(HDC dc, const ImageRect& bar, bool active) {
  barRect_ = bar;
  if (bar.empty()) return;
  const int w = bar.width(), h = bar.height();
  if (!barImage_.empty()) {
    const int index = active ? 1 : 2;
    const ImageRect& margins = barMargins_;
    const PaintPlan plan = element_->Tile == 1
                               ? PlanNineSlice(barImage_.width(), barImage_.height(), w, h, margins,
                                               true, false, 2, index)
                               : PlanThreePartStrip(barImage_.width(), barImage_.height(), w, h,
                                                    margins, true, 2, index);
    ExecutePlanFrom(dc, bar.left, bar.top, plan, barImage_, false);
  } else {
    SetDCBrushColor(dc, Rgb(skin_->GetRGB(ciMenubar)));
    RECT r = ToRECT(bar);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  if (barBack_.Ensure(w, h)) BitBlt(barBack_.dc(), 0, 0, w, h, dc, bar.left, bar.top, SRCCOPY);
  Layout(bar);
  for (const auto& b : buttons_) {
    b->State = kStateNormal;
    DrawCaption(dc, *b, b->Rect);
  }
}

void TWinSkinMenu::PaintButton(TMenuBtn& button) {
  TWinSkinForm& f = *frame_;
  const ImageRect r = button.Rect;
  if (f.lifecycle_ != TWinSkinForm::kLive || !f.frameSkinned_ || !button.Visible || r.empty() ||
      r.right > f.buffer_.width() || r.bottom > f.buffer_.height())
    return;
  ui::WindowDC window = ui::WindowDC::Whole(f.Handle);
  if (!window) return;
  const HDC b = f.buffer_.dc();
  BitBlt(b, r.left, r.top, r.width(), r.height(), barBack_.dc(), r.left - barRect_.left,
         r.top - barRect_.top, SRCCOPY);
  if (button.State == kStatePressed || button.State == kStateHot) {
    SetDCBrushColor(b, Rgb(skin_->GetRGB(ciButtonHilight)));
    RECT frame = ToRECT(r);
    FrameRect(b, &frame, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  DrawCaption(b, button, r);
  BitBlt(window.get(), r.left, r.top, r.width(), r.height(), b, r.left, r.top, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::ButtonAt(POINT p) const {
  for (const auto& b : buttons_) {
    const ImageRect& r = b->Rect;
    if (b->Visible && !b->Caption.empty() && p.x >= r.left && p.x < r.right && p.y >= r.top &&
        p.y < r.bottom)
      return b.get();
  }
  return nullptr;
}

int TWinSkinMenu::NextButton(int index, bool forward) const {
  std::vector<bool> usable;
  usable.reserve(buttons_.size());
  for (const auto& b : buttons_) usable.push_back(b->Visible && !b->Caption.empty());
  return NextMenuButton(usable, index, forward);
}

int TWinSkinMenu::FindAccelButton(wchar_t ch) const {
  std::vector<MenuButtonKey> keys;
  keys.reserve(buttons_.size());
  for (const auto& b : buttons_) keys.push_back({b->Caption, b->ItemEnabled, b->Visible});
  return skin::FindAccelButton(keys, ch);
}

// ---- The frame's side
// ----------------------------------------------------------------------------

TSkinMenuPainter& TWinSkinForm::MenuPainter() {
  if (!menuPainter_) menuPainter_ = std::make_unique<TSkinMenuPainter>(skinData_, dpi_);
  return *menuPainter_;
}

bool TWinSkinForm::MenuRightToLeft() const {
  return menuBar_ ? menuBar_->RightToLeft() : rightToLeft_;
}

void TWinSkinForm::CreateMenuBar() {
  if (!GetMenu(Handle)) return;
  auto bar = std::make_unique<TWinSkinMenu>(this, skinData_, form_ ? form_->Menu() : nullptr);
  if (bar->BuildButtons()) menuBar_ = std::move(bar);
}

bool TWinSkinForm::GiveMenuBack() {
  if (!menuBar_) return false;
  const HMENU menu = menuBar_->MenuHandle();
  ui::TMenu* framework = menuBar_->Menu();
  menuBar_.reset();
  if (!menu || !IsMenu(menu) || !IsWindow(Handle)) return false;
  // The pull-downs were made owner-drawn for the skin; the system draws them again.
  if (!framework || !framework->OwnerDraw()) SetMenuOwnerDraw(menu, false);
  return SetMenu(Handle, menu) != FALSE;
}

void TWinSkinForm::MenuChanged() {
  const HMENU menu = GetMenu(Handle);
  if (!menu) {
    // The menu went away: no button may lead to a menu that may be destroyed.
    if (menuBar_ && GetMenu(Handle) == nullptr && menuBar_->MenuHandle() &&
        !IsMenu(menuBar_->MenuHandle()))
      menuBar_->ClearButtons();
    return;
  }
  if (!menuBar_) {
    // A window that got its first menu: the bar takes room below the caption.
    CreateMenuBar();
    if (!menuBar_) return;
    metrics_.MenuBarHeight = view_ ? view_->MenuBarHeight() : GetSystemMetrics(SM_CYMENU);
    if (lifecycle_ == kLive) RefitKeepingChildren();
  } else if (skinData_->MenuUpdate()) {
    menuBar_->SetFrameworkMenu(form_ ? form_->Menu() : menuBar_->Menu());
    menuBar_->BuildButtons();
  }
  SetMenu(Handle, nullptr);
  RepaintFrame();
}

int TWinSkinForm::OpenMenuIndex() const { return g_track.frame == this ? g_track.openIndex : -1; }

void TWinSkinForm::OpenMenuButton(int index) {
  const std::shared_ptr<bool> alive = alive_;
  int next = index;
  while (next >= 0 && *alive && menuBar_) {
    TMenuBtn* button = menuBar_->Button(next);
    next = -1;
    if (!button || !button->Visible) return;
    if (hotObject_ != button || button->State != kStatePressed) button->MouseDown();
    const int opened = button->Index;
    PostMessageW(Handle, WM_COMMAND, button->Command, 0);
    if (button->SubMenu) {
      GetWindowRect(Handle, &windowRect_);
      SetMenuOwnerDraw(button->SubMenu, true);
      const bool rtl = menuBar_->RightToLeft();
      const POINT anchor{windowRect_.left + (rtl ? button->Rect.right : button->Rect.left),
                         windowRect_.top + button->Rect.bottom};
      trackingMenu_ = true;
      trackedMenu_ = button->SubMenu;
      if (host_) host_->SetMenuMode(IFormSkinnerHost::kMainMenu);
      {
        MenuTrackingScope scope(this, opened);
        if (button->ItemEnabled)
          TrackPopupMenu(button->SubMenu,
                         TPM_NONOTIFY | TPM_RIGHTBUTTON | (rtl ? TPM_RIGHTALIGN : 0), anchor.x,
                         anchor.y, 0, Handle, nullptr);
        next = g_track.frame == this ? g_track.pendingOpen : -1;
      }
      if (!*alive) return;
      trackingMenu_ = false;
      trackedMenu_ = nullptr;
      if (host_) host_->SetMenuMode(IFormSkinnerHost::kPopupMenu);
    }
    // The buttons may have been rebuilt while the loop ran: find this one again.
    if (TMenuBtn* again = menuBar_ ? menuBar_->Button(opened) : nullptr)
      if (hotObject_ == again) again->MouseLeave();
  }
}

void TWinSkinForm::PostOpenButton(int index) {
  TMenuBtn* button = menuBar_ ? menuBar_->Button(index) : nullptr;
  if (!button) return;
  RECT w{};
  GetWindowRect(Handle, &w);
  PostMessageW(Handle, WM_NCLBUTTONDOWN, HTMENU,
               MAKELPARAM(w.left + button->Rect.left + 1, w.top + button->Rect.top + 1));
}

void TWinSkinForm::OpenMenuButtonAt(LPARAM screenPoint) {
  const POINT p = ToWindow({GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)});
  if (auto* button = dynamic_cast<TMenuBtn*>(FindObjectAt(p))) OpenMenuButton(button->Index);
}

// Alt or F10 alone (key 0) opens the first pull-down, Alt+letter the one with that accelerator.
bool TWinSkinForm::MenuKey(LPARAM key) {
  if (!menuBar_ || key == ' ' || key == '-' || trackingMenu_ || GetCapture()) return false;
  const int index = key == 0 ? menuBar_->NextButton(-1, true)
                             : menuBar_->FindAccelButton(static_cast<wchar_t>(key));
  if (index >= 0) OpenMenuButton(index);
  return true;
}

bool TWinSkinForm::MenuAccelerator(ui::TMessage& message) {
  if (message.Result || !menuBar_) return false;
  const bool altOnly =
      GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  if (!altOnly) return false;
  const int index = menuBar_->FindAccelButton(static_cast<wchar_t>(message.WParam));
  if (index < 0) return false;
  PostOpenButton(index);
  message.Result = 1;
  return true;
}

// Owner-drawn items have no text the system could search for a typed letter: it asks the owner
// (WM_MENUCHAR), and the item whose caption has that accelerator is chosen.
bool TWinSkinForm::MenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const auto menu = reinterpret_cast<HMENU>(lParam);
  if (!menuBar_ || !menu || !IsMenu(menu)) return false;
  ui::TMenu* framework = form_ ? menuBar_->Menu() : nullptr;
  const int count = GetMenuItemCount(menu);
  std::vector<MenuButtonKey> items;
  bool ownerDrawn = false;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STATE;
    MenuButtonKey key;
    if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
      ownerDrawn = ownerDrawn || (info.fType & MFT_OWNERDRAW);
      ui::TMenuItem* item = nullptr;
      if (framework)
        item = info.hSubMenu ? framework->FindItemByHandle(info.hSubMenu)
                             : framework->FindItemByCommand(info.wID);
      if (item) {
        key.caption = item->Caption();
      } else {
        wchar_t text[80] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 80, MF_BYPOSITION);
        key.caption = text;
      }
      key.enabled = (info.fState & MFS_DISABLED) == 0;
    } else {
      key.visible = false;
    }
    items.push_back(std::move(key));
  }
  if (!ownerDrawn) return false;
  const int index = FindAccelButton(items, static_cast<wchar_t>(LOWORD(wParam)));
  if (index < 0) return false;
  result = MAKELRESULT(index, MNC_EXECUTE);
  return true;
}

// WM_MENUSELECT reaches the owner window, not the message filter: the current item is noted here.
void TWinSkinForm::MenuSelect(WPARAM wParam, LPARAM lParam) {
  if (!trackingMenu_ || g_track.frame != this) return;
  const UINT flags = HIWORD(wParam);
  const auto menu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !menu) {
    if (!g_track.switching) trackingMenu_ = false;
    return;
  }
  g_track.currentMenu = menu;
  g_track.currentHasChildren = (flags & MF_POPUP) != 0;
  g_track.haveCurrent = true;
}

void TWinSkinForm::MenuTrackingGone() {
  if (g_track.frame != this) return;
  // The window goes while its pull-down is open: the loop is ended and the hook goes now.
  EndMenu();
  g_track.hook.reset();
  g_track.frame = nullptr;
}

namespace {

// Decides, for a message of the menu loop, whether the user moves to another pull-down; true
// when the message is used up.
bool MenuFilter(TWinSkinForm& frame, MSG& m) {
  TWinSkinMenu* bar = frame.MenuBar();
  if (!bar) return false;
  if (!g_track.started) {
    g_track.started = true;
    TMenuBtn* open = bar->Button(g_track.openIndex);
    HWND menuWindow = ThreadMenuWindow(open ? open->SubMenu : nullptr);
    PostMessageW(menuWindow ? menuWindow : m.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  int target = -1;
  switch (m.message) {
    case WM_SYSKEYDOWN:
      // Alt ends the menu loop: the frame is no longer tracking once it returns.
      if (m.wParam == VK_MENU) frame.EndMenuTracking();
      break;
    case WM_KEYDOWN:
      if (m.wParam == VK_RETURN || m.wParam == VK_ESCAPE) {
        g_track.switching = false;
      } else if (m.wParam == VK_LEFT || m.wParam == VK_RIGHT) {
        // The menus on the screen say where the keyboard is; what the owner was told of the
        // selection (which not every system sends for a pull-down that notifies nobody) is the
        // fallback.
        const std::optional<KeyboardPlace> place = CurrentKeyboardPlace();
        const HMENU pullDown = bar->Button(g_track.openIndex)->SubMenu;
        if (m.wParam == VK_LEFT) {
          // Left in a nested menu closes that menu; only in the pull-down itself does it move on.
          const bool inPullDown = place ? place->menu == pullDown
                                        : !g_track.haveCurrent || g_track.currentMenu == pullDown;
          if (inPullDown) target = bar->NextButton(g_track.openIndex, false);
        } else {
          // Right on an item with a menu of its own opens that menu.
          const bool opensMenu = place ? place->hasChildren : g_track.currentHasChildren;
          if (!opensMenu) target = bar->NextButton(g_track.openIndex, true);
        }
      }
      break;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (m.pt.x != g_track.lastMouse.x || m.pt.y != g_track.lastMouse.y) {
        g_track.lastMouse = m.pt;
        RECT w{};
        GetWindowRect(frame.Handle, &w);
        if (TMenuBtn* b = bar->ButtonAt({m.pt.x - w.left, m.pt.y - w.top})) target = b->Index;
      }
      break;
    default:
      break;
  }
  if (target < 0 || target == g_track.openIndex) return false;
  // The next pull-down opens once this loop has returned: ending it here and opening the next
  // one from inside it would nest one tracking loop in another.
  g_track.switching = true;
  g_track.pendingOpen = target;
  EndMenu();
  return m.message == WM_KEYDOWN;
}

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  TWinSkinForm* frame = g_track.frame;
  try {
    if (code == MSGF_MENU && frame && msg && msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT) && frame->MenuBar() &&
        frame->MenuBar()->RightToLeft())
      msg->wParam = msg->wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
  } catch (...) {
  }
  const LRESULT next = CallNextHookEx(g_track.hook.get(), code, wParam, lParam);
  if (next || code != MSGF_MENU || !frame || !msg) return next;
  try {
    if (g_track.frame == frame && g_track.openIndex >= 0 && frame->MenuBar() &&
        frame->MenuBar()->Button(g_track.openIndex))
      return MenuFilter(*frame, *msg) ? 1 : 0;
  } catch (...) {
    // A fault here must not leave the menu loop: the message goes on as it was.
  }
  return 0;
}

}  // namespace

// ---- Owner-drawn items
// ----------------------------------------------------------------------------

PopupBackground TWinSkinForm::PopupBackgroundOf(HMENU menu) const {
  // Each item lies on its own popup's picture, whichever popup painted last.
  if (host_)
    if (TWinSkinPopMenu* popup = host_->PopupOfMenu(menu)) return popup->Background();
  return {};
}

bool TWinSkinForm::MeasureMenuItem(LPARAM lParam) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (!mis || mis->CtlType != ODT_MENU || !menuBar_) return false;
  TSkinMenuPainter& painter = MenuPainter();
  ui::TMenu* menu = menuBar_->Menu();
  ui::TMenuItem* item = form_ && menu ? menu->FindItemByCommand(mis->itemID) : nullptr;
  if (item) {
    int w = 0, h = 0;
    item->MeasureItem(painter.MeasureCanvas(), w, h);
    // The skin's room is added once: by the item's measure handler when it is the skin's.
    if (item->OnMeasureItem != ui::MethodOf<&TWinSkinForm::MeasureMainItem>(this))
      w = MainItemWidth(w, painter.ItemLeft(), menu->Images() != nullptr, painter.GetScale());
    mis->itemWidth = static_cast<UINT>(std::max(w, 0));
    mis->itemHeight = static_cast<UINT>(std::max(h, 0));
    return true;
  }
  if (form_ && mis->itemID >= 1 && mis->itemID <= 4095) return false;
  const MenuItemView view = ViewOfForeignItem(trackedMenu_, mis->itemID, MenuRightToLeft());
  const SIZE text =
      view.separator ? SIZE{0, 0} : painter.TextExtent(painter.MeasureDC(), view.caption, false);
  const ItemExtent e = ForeignItemSize(text.cx, text.cy, !view.separator, painter.ItemLeft(), true,
                                       painter.GetScale());
  mis->itemWidth = static_cast<UINT>(e.width);
  mis->itemHeight = static_cast<UINT>(e.height);
  return true;
}

bool TWinSkinForm::DrawMenuItem(LPARAM lParam) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  if (!dis || dis->CtlType != ODT_MENU || !menuBar_) return false;
  TSkinMenuPainter& painter = MenuPainter();
  ui::TMenu* menu = menuBar_->Menu();
  ui::TMenuItem* item = form_ && menu ? menu->FindItemByCommand(dis->itemID) : nullptr;
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  const PopupBackground background = PopupBackgroundOf(reinterpret_cast<HMENU>(dis->hwndItem));
  // An item the application draws itself is left to the framework, which calls its handler.
  if (item && item->OnDrawItem &&
      item->OnDrawItem != ui::MethodOf<&TWinSkinForm::DrawPopupItem>(this))
    return false;
  if (item) {
    painter.DrawSkinItem(dis->hDC, dis->rcItem, ViewOfItem(*item, MenuRightToLeft()), selected,
                         &background);
    return true;
  }
  if (form_ && dis->itemID >= 1 && dis->itemID <= 4095) return false;
  // An item of foreign code: what its menu says about it.
  const auto owner = reinterpret_cast<HMENU>(dis->hwndItem);
  const MenuItemView view =
      ViewOfForeignItem(IsMenu(owner) ? owner : trackedMenu_, dis->itemID, MenuRightToLeft());
  painter.DrawSkinItem(dis->hDC, dis->rcItem, view, selected, &background);
  return true;
}

void TWinSkinForm::DrawPopupItem(ui::TObject* sender, ui::TCanvas* canvas, RECT rect,
                                 bool selected) {
  auto* item = dynamic_cast<ui::TMenuItem*>(sender);
  if (!item || !canvas || !skinData_) return;
  const ui::TMenu* menu = item->GetParentMenu();
  const bool rtl = rightToLeft_ || (menu && menu->IsRightToLeft());
  ui::TMenuItem* parent = item->Parent();
  const PopupBackground background =
      PopupBackgroundOf(parent && parent->HandleAllocated() ? parent->Handle() : nullptr);
  MenuPainter().DrawSkinItem(canvas->Handle(), rect, ViewOfItem(*item, rtl), selected, &background);
}

void TWinSkinForm::MeasurePopupItem(ui::TObject* sender, ui::TCanvas*, int& width, int&) {
  auto* item = dynamic_cast<ui::TMenuItem*>(sender);
  if (!item || !skinData_) return;
  const ui::TMenu* menu = item->GetParentMenu();
  width = PopupItemWidth(width, MenuPainter().ItemLeft(), menu && menu->Images(),
                         MenuPainter().GetScale());
}

void TWinSkinForm::MeasureMainItem(ui::TObject* sender, ui::TCanvas*, int& width, int&) {
  auto* item = dynamic_cast<ui::TMenuItem*>(sender);
  if (!item || !skinData_) return;
  const ui::TMenu* menu = item->GetParentMenu();
  width = MainItemWidth(width, MenuPainter().ItemLeft(), menu && menu->Images(),
                        MenuPainter().GetScale());
}

void TWinSkinForm::SkinMainMenuItems(bool on) {
  if (!form_ || !skinData_) return;
  ui::TMainMenu* menu = form_->Menu();
  if (!menu || on == mainMenuSkinned_) return;
  if (on && !InSet(skinData_->SkinControls(), xcMenuItem)) return;
  const auto draw = ui::MethodOf<&TWinSkinForm::DrawPopupItem>(this);
  const auto measure = ui::MethodOf<&TWinSkinForm::MeasureMainItem>(this);
  // The bar's own items are the bar's business: the handlers go to the levels below it.
  std::vector<ui::TMenuItem*> stack;
  for (int i = 0; i < menu->Items()->Count(); ++i) stack.push_back(menu->Items()->Items(i));
  while (!stack.empty()) {
    ui::TMenuItem* parent = stack.back();
    stack.pop_back();
    for (int k = 0; k < parent->Count(); ++k) {
      ui::TMenuItem* item = parent->Items(k);
      stack.push_back(item);
      if (on) {
        if (!item->OnDrawItem) item->OnDrawItem = draw;
        if (!item->OnMeasureItem) item->OnMeasureItem = measure;
      } else {
        if (item->OnDrawItem == draw) item->OnDrawItem = {};
        if (item->OnMeasureItem == measure) item->OnMeasureItem = {};
      }
    }
  }
  mainMenuSkinned_ = on;
  if (on) mainMenuOwnerDrawWas_ = menu->OwnerDraw();
  // A window being destroyed takes its menu along: nothing is rebuilt for it.
  if (lifecycle_ != kDestroying) menu->SetOwnerDraw(on || mainMenuOwnerDrawWas_);
}

// The form's popup menus (not those tagged to keep their own look) draw their items in the skin's
// look while the form is skinned; handlers of the application's own stay.
void TWinSkinForm::SkinFormPopupMenus(bool on) {
  if (!form_ || !skinData_) return;
  const auto draw = ui::MethodOf<&TWinSkinForm::DrawPopupItem>(this);
  const auto measure = ui::MethodOf<&TWinSkinForm::MeasurePopupItem>(this);
  for (int i = 0; i < form_->ComponentCount(); ++i) {
    auto* menu = dynamic_cast<ui::TPopupMenu*>(form_->Components(i));
    if (!menu || menu->Tag() == skinData_->DisableTag()) continue;
    if (on && !InSet(skinData_->SkinControls(), xcPopupMenu)) continue;
    bool ours = false;
    std::vector<ui::TMenuItem*> stack{menu->Items()};
    while (!stack.empty()) {
      ui::TMenuItem* item = stack.back();
      stack.pop_back();
      for (int k = 0; k < item->Count(); ++k) stack.push_back(item->Items(k));
      if (item == menu->Items()) continue;
      if (on) {
        if (!item->OnDrawItem) item->OnDrawItem = draw;
        if (!item->OnMeasureItem) item->OnMeasureItem = measure;
        ours = true;
      } else {
        if (item->OnDrawItem == draw) {
          item->OnDrawItem = {};
          ours = true;
        }
        if (item->OnMeasureItem == measure) item->OnMeasureItem = {};
      }
    }
    if (ours) menu->SetOwnerDraw(on);
  }
}

}  // namespace skin
