// Menus: items with commands, shortcuts and owner drawing; main menus attached to forms and popup
// menus whose commands and owner-draw messages go to a hidden utility window of the framework.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Classes.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/Messages.h"

namespace ui {

class TMenu;
class TCustomImageList;

// Virtual key in the low byte, modifiers in the high bits.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// "Ctrl+Shift+F4"; empty for 0.
std::wstring ShortCutToText(TShortCut shortCut);
// Case-insensitive ("ALT+F4", "Alt+F4"); 0 when not understood.
TShortCut TextToShortCut(const std::wstring& text);

using TMenuDrawItemEvent =
    TMethod<void(TObject* Sender, TCanvas* ACanvas, RECT ARect, bool Selected)>;
using TMenuMeasureItemEvent =
    TMethod<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
  UI_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  void BeforeDestruction() override;

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  bool IsLine() const { return caption_ == L"-"; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool on);

  // The command id (1 … 4095), unique in the process while the item lives.
  UINT Command() const { return command_; }
  // The submenu handle of an item with children (made on demand).
  HMENU Handle();
  bool HandleAllocated() const { return static_cast<bool>(handle_); }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  TMenu* GetParentMenu() const;
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();
  // An item by command id or by submenu handle, this one or below.
  TMenuItem* FindByCommand(UINT command);
  TMenuItem* FindByHandle(HMENU menu);

  virtual void Click();
  // Default measuring, then the OnMeasureItem handler (which adds to what it gets).
  virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
  // OnDrawItem when there is one, otherwise the default look.
  virtual void DrawItem(TCanvas* canvas, const RECT& rect, bool selected);

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

 private:
  friend class TMenu;
  friend class TMainMenu;
  void MenuChanged();
  void RebuildHandle();
  void DetachHandles();
  std::wstring DisplayText() const;
  void DefaultDraw(TCanvas* canvas, const RECT& rect, bool selected);

  std::wstring caption_;
  int imageIndex_ = -1;
  TShortCut shortCut_ = 0;
  bool enabled_ = true, checked_ = false, default_ = false, visible_ = true, radioItem_ = false;
  UINT command_ = 0;
  MenuHandle handle_;
  bool topLevelBar_ = false;  // the root of a main menu: a menu bar, not a popup
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
};

class TMenu : public TComponent {
  UI_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  HMENU Handle() { return items_->Handle(); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool on);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }
  bool IsRightToLeft() const { return biDiMode_ != TBiDiMode::bdLeftToRight; }

  TMenuItem* FindItemByCommand(UINT command) { return items_->FindByCommand(command); }
  TMenuItem* FindItemByHandle(HMENU menu) { return items_->FindByHandle(menu); }
  // WM_COMMAND from the menu: runs the item's click; false when no item has that id.
  bool DispatchCommand(UINT command);
  // WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn item of this menu.
  bool OwnerDrawMessage(TMessage& message);
  // Whether an item of the top level has that accelerator (&X) and was clicked for it.
  bool IsShortCutChar(wchar_t ch);

 protected:
  virtual void MenuChanged() {}
  void Notification(TComponent* component, TOperation operation) override;
  std::unique_ptr<TMenuItem> items_;

 private:
  friend class TMenuItem;
  TCustomImageList* images_ = nullptr;
  bool ownerDraw_ = false;
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
};

class TMainMenu : public TMenu {
  UI_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* AOwner);
  // The form window the menu is attached to.
  HWND WindowHandle() const { return window_; }
  void SetWindowHandle(HWND wnd) { window_ = wnd; }

 protected:
  // Tells the form window (as a real window message) so the bar is attached again.
  void MenuChanged() override;

 private:
  HWND window_ = nullptr;
};

class TPopupMenu : public TMenu {
  UI_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  // Shows the menu at a screen point and waits until it closes; commands run the items' clicks.
  virtual void Popup(int x, int y);
  TNotifyEvent OnPopup;
  // The utility window that receives popup commands and owner-draw messages.
  static HWND PopupWindow();
};

}  // namespace ui
