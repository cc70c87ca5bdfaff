// What a form skinner asks of the skin manager that made it. The manager sits above the frame, so
// the frame reaches it only through this interface, which the manager implements.
#pragma once

namespace skin {

class ImageDC;
class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;

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
