// The manager's popup menus: every popup-menu window ("#32768") created on the GUI thread while
// skinning is on gets a TWinSkinPopMenu, if the skin covers the kind of menu that opens (a popup
// menu, a menu-bar pull-down or the system menu); the skinner goes when the window is destroyed.
#include <algorithm>

#include "skin/manager/WinSkinManage.h"

namespace skin {

bool TSkinManage::IsMenuSkinned(HWND wnd) const {
  return std::any_of(menus_.begin(), menus_.end(),
                     [wnd](const auto& m) { return m->Window() == wnd; });
}

const ImageDC& TSkinManage::PopupBackgroundImage(TSkinData* skin) {
  TDataSkinObject* e = skin ? skin->FindElement("MenuBackground") : nullptr;
  const HBITMAP source = e && !e->Empty() ? e->Handle() : nullptr;
  // Copied once per skin image rather than once per popup window.
  if (source != popupImageSource_) {
    popupImage_ = source ? ImageDC(source) : ImageDC();
    popupImageSource_ = source;
  }
  return popupImage_;
}

TWinSkinPopMenu* TSkinManage::PopupOfMenu(HMENU menu) {
  if (!menu) return nullptr;
  bool anyKnown = false;
  for (auto it = menus_.rbegin(); it != menus_.rend(); ++it) {
    const HMENU shown = (*it)->ReadMenuHandle();
    if (shown == menu) return it->get();
    anyKnown = anyKnown || shown;
  }
  // Windows that cannot tell their menu: the popup that painted last is the best guess left.
  return anyKnown ? nullptr : currentPopup_;
}

void TSkinManage::SkinPopupMenu(HWND wnd) {
  if (!SkinningEnabled() || IsMenuSkinned(wnd) || SendMessageW(wnd, SM_ISSKINNED, 0, 0) == 1)
    return;
  // Skinners retired while in a message have left it by now.
  std::erase_if(retiredMenus_, [](const auto& m) { return !m->InMessage(); });
  TSkinData* skin = ChooseSkinData(wnd, "#32768");
  if (!skin || skin->NoSkin()) return;
  const TSkinControlTypes controls = skin->SkinControls();
  const bool covered = menuMode_ == kSystemMenu ? InSet(controls, xcSystemMenu)
                       : menuMode_ == kMainMenu
                           ? InSet(controls, xcMainMenu) || InSet(controls, xcMenuItem)
                           : InSet(controls, xcPopupMenu);
  if (!covered) return;
  auto popup = std::make_unique<TWinSkinPopMenu>(this);
  if (!popup->Hook(wnd, skin, false)) return;
  popup->Flagged = menusFlagged_;
  menus_.push_back(std::move(popup));
}

void TSkinManage::MenuDestroyed(HWND wnd) {
  if (state_ == kDestroying) return;
  auto it = std::find_if(menus_.begin(), menus_.end(),
                         [wnd](const auto& m) { return m->Window() == wnd; });
  if (it == menus_.end()) {
    // A menu the skin did not cover (no skinner was made for it) ends its kind all the same: the
    // next popup is not judged by the switch of this one.
    if (menus_.empty() && menuMode_ != kPopupMenu && WindowClassNameOf(wnd) == "#32768") {
      menusFlagged_ = false;
      menuMode_ = kPopupMenu;
    }
    return;
  }
  std::unique_ptr<TWinSkinPopMenu> popup = std::move(*it);
  menus_.erase(it);
  if (currentPopup_ == popup.get()) currentPopup_ = nullptr;
  popup->Unhook();
  if (popup->InMessage()) retiredMenus_.push_back(std::move(popup));
  if (menus_.empty()) {
    // Nothing of a menu survives its last window.
    menusFlagged_ = false;
    menuMode_ = kPopupMenu;
    currentPopup_ = nullptr;
  }
}

}  // namespace skin
