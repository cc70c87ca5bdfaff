// The skinned menu bar: the frame draws the window's menu itself in the strip below the caption,
// one TMenuBtn per top-level item, and the window's real menu is taken away (SetMenu(0)) once the
// buttons exist, so the system draws no bar of its own. The buttons take part in the caption
// buttons' hot/pressed state machine; a pressed button opens its pull-down (WinSkinForm's
// OpenMenuButton), and while it is tracked a message-filter hook moves between pull-downs.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/FramePainter.h"
#include "skin/frame/MenuGeometry.h"
#include "ui/Handles.h"
#include "ui/Menus.h"

namespace skin {

class TWinSkinMenu;

class TMenuBtn : public TNCObject {
 public:
  TMenuBtn(TWinSkinForm* owner, TWinSkinMenu* bar, int index)
      : TNCObject(owner), Index(index), bar_(bar) {}

  ui::TMenuItem* Item = nullptr;  // the framework's item, when the framework knows it
  int Index;
  std::wstring Caption;
  bool ItemEnabled = true;
  HMENU SubMenu = nullptr;
  UINT Command = 0;
  int TextWidth = 0;

  void Paint() override;

 private:
  TWinSkinMenu* bar_;
};

class TWinSkinMenu {
 public:
  TWinSkinMenu(TWinSkinForm* frame, TSkinData* skin, ui::TMenu* menu);
  TWinSkinMenu(const TWinSkinMenu&) = delete;
  TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

  // The window's menu (the real one, taken off the window while the bar shows it).
  HMENU MenuHandle() const { return menuHandle_; }
  ui::TMenu* Menu() const { return menu_; }
  void SetFrameworkMenu(ui::TMenu* menu) { menu_ = menu; }
  // One button per item of the window's menu (completed from the framework's items), then the
  // window's menu is taken off it. False when the window has no menu.
  bool BuildButtons();
  // Forgets every button (the window's menu went away).
  void ClearButtons();
  void ReloadSkin();

  // Paints the bar into the frame's off-screen picture at `bar` (window coordinates) and places
  // the buttons there.
  void PaintBar(HDC dc, const ImageRect& bar, bool active);
  // One button in its current state, straight to the window.
  void PaintButton(TMenuBtn& button);

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TMenuBtn* Button(int index) const;
  const std::vector<std::unique_ptr<TMenuBtn>>& Buttons() const { return buttons_; }
  // The button under a window point whose caption is not empty.
  TMenuBtn* ButtonAt(POINT window) const;
  // The next (previous) button that can open, wrapping; -1 when none.
  int NextButton(int index, bool forward) const;
  int FindAccelButton(wchar_t ch) const;
  bool RightToLeft() const;
  const ImageRect& BarRect() const { return barRect_; }

 private:
  void Layout(const ImageRect& bar);
  void DrawCaption(HDC dc, const TMenuBtn& button, const ImageRect& r);

  TWinSkinForm* frame_;
  TSkinData* skin_;
  ui::TMenu* menu_;
  HMENU menuHandle_ = nullptr;
  std::vector<std::unique_ptr<TMenuBtn>> buttons_;
  ImageRect barRect_;
  FrameBuffer barBack_;  // the bar's background as last painted, for single buttons
  TDataSkinObject* element_ = nullptr;
  ImageDC barImage_;      // the MenuBar element's image at the window's DPI
  ImageRect barMargins_;  // and its margins there
  ui::GdiFont font_;
  int fontDpi_ = 0;  // the DPI font_ was made for
};

// Adds (or takes away) the owner-draw type on every item of a menu and its submenus.
void SetMenuOwnerDraw(HMENU menu, bool on);

// The message-filter hook of a tracked pull-down is installed (for the tests).
bool MenuFilterHookInstalled();
// This thread's shown popup-menu window showing `menu`, else any shown one of the thread, else
// null.
HWND ThreadMenuWindow(HMENU menu);

}  // namespace skin
