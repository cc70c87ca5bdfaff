// TWinSkinPopMenu: the skin on one popup-menu window ("#32768") that the manager's window hook saw
// being created. It paints the window's border (and, with xoMenuBG, its background) from the
// skin's MenuBackground element and keeps that picture, so that the owner-drawn items can be drawn
// on the same background. It answers SM_ISSKINNED and gives the window back when it closes.
#pragma once

#include <windows.h>

#include "skin/data/WinSkinData.h"
#include "skin/frame/FrameHost.h"
#include "skin/frame/FramePainter.h"
#include "skin/frame/SkinMenuItems.h"
#include "ui/Handles.h"

namespace skin {

class TWinSkinPopMenu {
 public:
  // The width of the border the skin paints around the items.
  static constexpr int kBorder = 3;

  explicit TWinSkinPopMenu(IPopupMenuHost* host) : host_(host) {}
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  // Subclasses the popup window; false when it could not be.
  bool Hook(HWND window, TSkinData* skin, bool noRegister);
  // Gives the window its own procedure back and drops the background picture.
  void Unhook();

  HWND Window() const { return window_; }
  bool Hooked() const { return static_cast<bool>(subclass_); }
  bool InMessage() const { return depth_ > 0; }
  bool Flagged = false;  // marked by the menu skinners
  // The menu the window shows (asked of the window once it has one).
  HMENU MenuHandle = nullptr;
  HMENU ReadMenuHandle();
  // The window's picture rendered from MenuBackground; empty without that element.
  PopupBackground Background() const;

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Previous(UINT msg, WPARAM wParam, LPARAM lParam);
  // Renders the picture at the window's size (only when the size changed).
  bool RenderCached();
  void PaintBorder(HDC dc);
  void Register();

  IPopupMenuHost* host_;
  HWND window_ = nullptr;
  TSkinData* skin_ = nullptr;
  bool noRegister_ = false;
  ui::SubclassHandle subclass_;
  const ImageDC* image_ = nullptr;  // the host's
  FrameBuffer cached_;
  int cachedWidth_ = 0, cachedHeight_ = 0;
  int depth_ = 0;
};

}  // namespace skin
