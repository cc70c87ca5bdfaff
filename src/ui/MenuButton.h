// A button that drops a menu down: glyph, caption and an arrow from left to right. A click opens
// DropDownMenu under the button (and runs OnClick when there is none).
#pragma once

#include "ui/BitBtn.h"

namespace ui {

class TPopupMenu;

class TMenuButton : public TBitBtn {
  UI_CLASS(TMenuButton, TBitBtn)
 public:
  explicit TMenuButton(TComponent* AOwner);
  TPopupMenu* DropDownMenu() const { return dropDown_; }
  void SetDropDownMenu(TPopupMenu* menu);
  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  TPopupMenu* dropDown_ = nullptr;
};

}  // namespace ui
