#include "ui/Menus.h"

#include <algorithm>
#include <cwctype>

#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/ImgList.h"
#include "ui/TypInfo.h"

namespace ui {

namespace {

// Command ids 1 … 4095: other code sends larger ids to their previous procedure.
constexpr UINT kMaxCommand = 4095;
// Function-local so that menus made during anyone's static initialisation find them ready.
std::vector<bool>& CommandsInUse() {
  static std::vector<bool> inUse(kMaxCommand + 1, false);
  return inUse;
}
std::vector<TPopupMenu*>& PopupMenus() {
  static std::vector<TPopupMenu*> menus;
  return menus;
}

UINT AllocateCommand() {
  for (UINT id = 1; id <= kMaxCommand; ++id)
    if (!CommandsInUse()[id]) {
      CommandsInUse()[id] = true;
      return id;
    }
  throw EOutOfResources(L"No menu command ids left");
}

void FreeCommand(UINT id) {
  if (id >= 1 && id <= kMaxCommand) CommandsInUse()[id] = false;
}

struct KeyName {
  WORD key;
  const wchar_t* name;
};
const KeyName kKeyNames[] = {
    {VK_BACK, L"BkSp"},   {VK_TAB, L"Tab"},    {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"},    {VK_END, L"End"},
    {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},  {VK_UP, L"Up"},        {VK_RIGHT, L"Right"},
    {VK_DOWN, L"Down"},   {VK_INSERT, L"Ins"}, {VK_DELETE, L"Del"},
};

std::wstring KeyText(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, key);
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  for (const auto& k : kKeyNames)
    if (k.key == key) return k.name;
  return {};
}

std::wstring Upper(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
  return s;
}

// The accelerator character of a caption ("&File" → 'F'), 0 when there is none.
wchar_t AccelChar(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == L'&') {
      if (caption[i + 1] == L'&') {
        ++i;
        continue;
      }
      return static_cast<wchar_t>(std::towupper(caption[i + 1]));
    }
  }
  return 0;
}

LRESULT CALLBACK PopupWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    switch (msg) {
      case WM_COMMAND:
        if (HIWORD(wParam) == 0) {
          std::vector<TPopupMenu*> menus = PopupMenus();
          for (TPopupMenu* m : menus)
            if (m->DispatchCommand(LOWORD(wParam))) return 0;
        }
        break;
      case WM_MEASUREITEM:
      case WM_DRAWITEM: {
        TMessage m{msg, wParam, lParam, 0};
        for (TPopupMenu* menu : PopupMenus())
          if (menu->OwnerDrawMessage(m)) return m.Result;
        break;
      }
      default:
        break;
    }
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

std::wstring ShortCutToText(TShortCut shortCut) {
  std::wstring key = KeyText(shortCut & 0xFF);
  if (key.empty()) return {};
  std::wstring out;
  if (shortCut & scShift) out += L"Shift+";
  if (shortCut & scCtrl) out += L"Ctrl+";
  if (shortCut & scAlt) out += L"Alt+";
  return out + key;
}

TShortCut TextToShortCut(const std::wstring& text) {
  std::wstring t = Upper(text);
  TShortCut mods = 0;
  for (;;) {
    if (t.rfind(L"SHIFT+", 0) == 0) {
      mods |= scShift;
      t.erase(0, 6);
    } else if (t.rfind(L"CTRL+", 0) == 0) {
      mods |= scCtrl;
      t.erase(0, 5);
    } else if (t.rfind(L"ALT+", 0) == 0) {
      mods |= scAlt;
      t.erase(0, 4);
    } else {
      break;
    }
  }
  for (WORD key = 1; key < 0xFF; ++key) {
    std::wstring name = KeyText(key);
    if (!name.empty() && Upper(name) == t) return static_cast<TShortCut>(mods | key);
  }
  return 0;
}

// ---- TMenuItem --------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TMenuItem, TComponent,
                   P::Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
                   P::Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex),
                   P::Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut),
                   P::Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
                   P::Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
                   P::Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault),
                   P::Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible),
                   P::Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem))

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(AllocateCommand()) {}

void TMenuItem::BeforeDestruction() {
  TComponent::BeforeDestruction();
  DetachHandles();
  if (parent_) parent_->Remove(this);
  Clear();
}

TMenuItem::~TMenuItem() {
  DetachHandles();
  if (parent_) parent_->Remove(this);
  Clear();
  FreeCommand(command_);
}

void TMenuItem::DetachHandles() {
  // Submenus are ours to destroy, not the parent menu's: unhook them first.
  if (HMENU h = handle_.get())
    while (GetMenuItemCount(h) > 0) RemoveMenu(h, 0, MF_BYPOSITION);
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    Remove(child);
    // Items without an owner belong to their parent item.
    if (!child->Owner()) delete child;
  }
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item->parent_) throw EInvalidOperation(L"Menu item is already inserted");
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  if (!HasState(csDestroying)) MenuChanged();
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = items_.at(static_cast<size_t>(index));
  Remove(item);
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
  if (command_ == command) return this;
  for (TMenuItem* c : items_)
    if (TMenuItem* found = c->FindByCommand(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(HMENU menu) {
  if (handle_ && handle_.get() == menu) return this;
  for (TMenuItem* c : items_)
    if (TMenuItem* found = c->FindByHandle(menu)) return found;
  return nullptr;
}

std::wstring TMenuItem::DisplayText() const {
  std::wstring text = caption_;
  if (shortCut_) text += L"\t" + ShortCutToText(shortCut_);
  return text;
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_.reset(topLevelBar_ ? CreateMenu() : CreatePopupMenu());
    RebuildHandle();
  }
  return handle_.get();
}

void TMenuItem::RebuildHandle() {
  HMENU h = handle_.get();
  if (!h) return;
  DetachHandles();
  TMenu* menu = GetParentMenu();
  bool ownerDraw = menu && menu->OwnerDraw();
  for (TMenuItem* c : items_) {
    if (!c->visible_) continue;
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
    std::wstring text = c->DisplayText();
    mi.fType = c->IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (ownerDraw) mi.fType |= MFT_OWNERDRAW;
    if (c->radioItem_) mi.fType |= MFT_RADIOCHECK;
    mi.fState = (c->enabled_ ? MFS_ENABLED : MFS_DISABLED) | (c->checked_ ? MFS_CHECKED : 0) |
                (c->default_ ? MFS_DEFAULT : 0);
    mi.wID = c->command_;
    mi.dwItemData = reinterpret_cast<ULONG_PTR>(c);
    mi.hSubMenu = c->items_.empty() ? nullptr : c->Handle();
    mi.dwTypeData = text.data();
    InsertMenuItemW(h, GetMenuItemCount(h), TRUE, &mi);
  }
}

void TMenuItem::MenuChanged() {
  if (handle_) RebuildHandle();
  if (parent_) {
    parent_->MenuChanged();
  } else if (menu_) {
    menu_->MenuChanged();
  }
}

void TMenuItem::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (parent_) parent_->MenuChanged();
}

#define UI_MENU_SETTER(Name, field, Type) \
  void TMenuItem::Set##Name(Type value) { \
    if (value == field) return;           \
    field = value;                        \
    if (parent_) parent_->MenuChanged();  \
  }
UI_MENU_SETTER(ImageIndex, imageIndex_, int)
UI_MENU_SETTER(ShortCut, shortCut_, TShortCut)
UI_MENU_SETTER(Enabled, enabled_, bool)
UI_MENU_SETTER(Checked, checked_, bool)
UI_MENU_SETTER(Default, default_, bool)
UI_MENU_SETTER(Visible, visible_, bool)
UI_MENU_SETTER(RadioItem, radioItem_, bool)
#undef UI_MENU_SETTER

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
  if (IsLine()) {
    width = 0;
    height = 8;
  } else {
    std::wstring text = caption_;
    std::erase(text, L'&');
    if (text.empty()) text = L" ";
    SIZE s = canvas->TextExtent(text);
    width = s.cx + 8;
    if (shortCut_) width += canvas->TextWidth(ShortCutToText(shortCut_)) + 16;
    height = std::max<int>(s.cy + 4, GetSystemMetrics(SM_CYMENUSIZE));
    TMenu* menu = GetParentMenu();
    if (menu && menu->Images()) {
      width += menu->Images()->Width() + 4;
      height = std::max(height, menu->Images()->Height() + 4);
    }
  }
  if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas* canvas, const RECT& rect, bool selected) {
  if (OnDrawItem)
    OnDrawItem(this, canvas, rect, selected);
  else
    DefaultDraw(canvas, rect, selected);
}

void TMenuItem::DefaultDraw(TCanvas* canvas, const RECT& rect, bool selected) {
  canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
  canvas->FillRect(rect);
  if (IsLine()) {
    int y = (rect.top + rect.bottom) / 2;
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->MoveTo(rect.left + 2, y);
    canvas->LineTo(rect.right - 2, y);
    return;
  }
  int x = rect.left + 4;
  TMenu* menu = GetParentMenu();
  if (menu && menu->Images()) {
    if (imageIndex_ >= 0) menu->Images()->Draw(canvas, x, rect.top + 2, imageIndex_, enabled_);
    x += menu->Images()->Width() + 4;
  }
  canvas->Font()->SetColor(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText);
  canvas->Font()->SetStyle(default_ ? unsigned(fsBold) : 0u);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  RECT r{x, rect.top, rect.right - 4, rect.bottom};
  DrawTextW(canvas->Handle(), caption_.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (shortCut_) {
    std::wstring sc = ShortCutToText(shortCut_);
    DrawTextW(canvas->Handle(), sc.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
}

// ---- TMenu ------------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TMenu, TComponent, P::Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
                   P::Obj<TMenuItem>("Items", &TMenu::Items))

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  if (images_) images_->RemoveFreeNotification(this);
  items_->DetachHandles();
}

void TMenu::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  items_->MenuChanged();
}

void TMenu::SetOwnerDraw(bool on) {
  if (on == ownerDraw_) return;
  ownerDraw_ = on;
  // Every level is rebuilt with the new item type.
  std::vector<TMenuItem*> stack{items_.get()};
  while (!stack.empty()) {
    TMenuItem* item = stack.back();
    stack.pop_back();
    item->RebuildHandle();
    for (TMenuItem* c : item->items_) stack.push_back(c);
  }
  MenuChanged();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FindItemByCommand(command);
  if (!item || item == items_.get()) return false;
  item->Click();
  return true;
}

bool TMenu::OwnerDrawMessage(TMessage& m) {
  if (m.Msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (mis->CtlType != ODT_MENU) return false;
    TMenuItem* item = FindItemByCommand(mis->itemID);
    if (!item) return false;
    WindowDC screen = WindowDC::Client(nullptr);
    TCanvas canvas;
    canvas.SetHandle(screen.get());
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
      canvas.Font()->SetLogFont(ncm.lfMenuFont);
    int w = 0, h = 0;
    item->MeasureItem(&canvas, w, h);
    canvas.SetHandle(nullptr);
    mis->itemWidth = static_cast<UINT>(std::max(w, 0));
    mis->itemHeight = static_cast<UINT>(std::max(h, 0));
    m.Result = 1;
    return true;
  }
  if (m.Msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (dis->CtlType != ODT_MENU) return false;
    TMenuItem* item = FindItemByCommand(dis->itemID);
    if (!item) return false;
    SaveDCGuard saved(dis->hDC);
    TCanvas canvas;
    canvas.SetHandle(dis->hDC);
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
      canvas.Font()->SetLogFont(ncm.lfMenuFont);
    item->DrawItem(&canvas, dis->rcItem, (dis->itemState & ODS_SELECTED) != 0);
    canvas.SetHandle(nullptr);
    m.Result = 1;
    return true;
  }
  return false;
}

bool TMenu::IsShortCutChar(wchar_t ch) {
  wchar_t up = static_cast<wchar_t>(std::towupper(ch));
  for (TMenuItem* item : items_->items_) {
    if (item->Visible() && item->Enabled() && AccelChar(item->Caption()) == up &&
        item->Count() == 0) {
      item->Click();
      return true;
    }
  }
  return false;
}

// ---- TMainMenu --------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TMainMenu, TMenu)

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) { items_->topLevelBar_ = true; }

void TMainMenu::MenuChanged() {
  if (window_ && IsWindow(window_) && !HasState(csDestroying))
    SendMessageW(window_, CM_MENUCHANGED, 0, 0);
}

// ---- TPopupMenu -------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TPopupMenu, TMenu)

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { PopupMenus().push_back(this); }

TPopupMenu::~TPopupMenu() {
  PopupMenus().erase(std::remove(PopupMenus().begin(), PopupMenus().end(), this),
                     PopupMenus().end());
}

HWND TPopupMenu::PopupWindow() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PopupWndProc;
    wc.hInstance = MainInstance();
    wc.lpszClassName = L"TPUtilWindow";
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  // Made again when it is gone (nobody else destroys it, but a failed creation is no reason to
  // give up for good).
  static HWND wnd = nullptr;
  if (!wnd || !IsWindow(wnd)) {
    wnd = CreateWindowExW(0, L"TPUtilWindow", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                          MainInstance(), nullptr);
    if (!wnd) throw EOutOfResources(L"Error creating window TPUtilWindow");
  }
  return wnd;
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON | (IsRightToLeft() ? TPM_LAYOUTRTL : 0);
  TrackPopupMenu(Handle(), flags, x, y, 0, PopupWindow(), nullptr);
}

}  // namespace ui
