// What a form skinner asks of the skin manager that made it. The manager sits above the frame, so
// the frame reaches it only through this interface, which the manager implements.
#pragma once

#include <windows.h>

namespace ui {
class TBitmap;
class TControl;
}  // namespace ui

namespace skin {

class FrameBuffer;
class ImageDC;
class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;

// A control skinner as the form skinner lists it. The skinners live above the frame; the frame
// holds them only through this interface.
class IControlSkinner {
 public:
  // The skinned window (null for a window-less control painted through its parent).
  virtual HWND SkinnedWindow() const = 0;
  // The framework control skinned, or null for a bare window.
  virtual ui::TControl* SkinnedControl() const = 0;
  // The window is gone (WM_NCDESTROY was seen): the form skinner frees the skinner.
  virtual bool WindowDestroyed() const = 0;
  // Stops skinning and gives the control its own look back.
  virtual void DetachSkin() = 0;
  // The skin was reloaded or changed: take it and invalidate (the form skinner paints after).
  virtual void SkinChanged() = 0;
  // Frees the skinner (the framework's way of freeing components).
  virtual void FreeSkinner() = 0;
  // The window moved to another DPI: the host's images are made for it already; what the skinner
  // made itself from them is made again.
  virtual void DpiChanged() {}

 protected:
  ~IControlSkinner() = default;
};

// What a control skinner asks of the form skinner that lists it.
class IControlSkinnerHost {
 public:
  // Lists the skinner (once); true when it was listed already.
  virtual bool AddControl(IControlSkinner* skinner) = 0;
  virtual void RemoveControl(IControlSkinner* skinner) = 0;
  // The off-screen buffer every control skinner of the window composes in before one blit.
  virtual FrameBuffer& ControlBuffer() = 0;
  // A skin image at the window's DPI, kept selected in a DC of its own for the window's skinners
  // so that painting a control creates no GDI object: its `frames` frames side by side (stacked
  // when `vertical`) scaled frame by frame, or made from `art2x` (the skin's 200 % art, when
  // given and not empty). Made on first use and again when the bitmap or the DPI changes, never
  // per paint; at 96 dpi it is a copy of the bitmap itself.
  virtual const ImageDC& SkinImage(ui::TBitmap* bitmap, int frames = 1, bool vertical = false,
                                   ui::TBitmap* art2x = nullptr) = 0;
  // The live skinner of a window of the form, if it has one.
  virtual IControlSkinner* FindSkinnerByWindow(HWND wnd) const = 0;
  // The DPI the form's frame is painted for (96 unless the window is on a scaled display): what a
  // skinner scales its own margins and glyphs by.
  virtual int Dpi() const { return 96; }
  // A system size (GetSystemMetrics' index) at that DPI, asked once per DPI.
  virtual int Metric(int index) const { return GetSystemMetrics(index); }

 protected:
  ~IControlSkinnerHost() = default;
};

class IFormSkinnerHost {
 public:
  // Which kind of popup opens next (0 popup menu, 1 menu-bar pull-down, 2 system menu).
  enum MenuKind : int { kPopupMenu = 0, kMainMenu = 1, kSystemMenu = 2 };

  // A form skinner attached itself: the manager counts as running from now on.
  virtual void FormAttached() = 0;
  // Whether windows are hidden while their frame is set up, and taking that request back.
  virtual bool HideWhileSkinning() const = 0;
  virtual void ClearHideWhileSkinning() = 0;
  virtual void SetMenuMode(int kind) = 0;
  // A skinned popup menu is showing.
  virtual bool PopupMenuUp() const = 0;
  // The skinned popup menu window showing now, whose background menu items are drawn on.
  virtual TWinSkinPopMenu* CurrentPopup() const { return nullptr; }
  // The skinned popup menu window showing `menu`, whose background that menu's items are drawn on.
  virtual TWinSkinPopMenu* PopupOfMenu(HMENU menu) { return menu ? CurrentPopup() : nullptr; }
  // Gives the window's controls their skinners (run once the frame is set up).
  virtual void AttachControls(TWinSkinForm& form) = 0;
  // The skinner is being destroyed: forget it (by identity, not by window).
  virtual void FormSkinnerGone(TWinSkinForm* form) = 0;

 protected:
  ~IFormSkinnerHost() = default;
};

// What a popup-menu skinner asks of the manager that hooked it.
class IPopupMenuHost {
 public:
  // Skinning is switched on: while it is off the popup keeps its own look.
  virtual bool SkinningEnabled() const = 0;
  // The popup is painting: it is the current popup from now on.
  virtual void PopupShowing(TWinSkinPopMenu* popup) = 0;
  // The skin's MenuBackground image, kept for every popup (empty without the element).
  virtual const ImageDC& PopupBackgroundImage(TSkinData* skin) = 0;

 protected:
  ~IPopupMenuHost() = default;
};

}  // namespace skin
