// Date-time pickers: the skin's edge, and a skinned arrow button laid over the picker's own
// drop-down button.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

class TArrowButton;

class TSkinDateTime : public TSkinControl {
  UI_CLASS(TSkinDateTime, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  ~TSkinDateTime() override;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void Detach() override;
  void SkinChanged() override;
  TArrowButton* ArrowButton() const { return button_; }

 protected:
  void AfterMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;
  void ActiveChanged(bool active) override;

 private:
  friend class TArrowButton;
  void UpdateButton();
  void PlaceButton();
  void ButtonGone() { button_ = nullptr; }
  TArrowButton* button_ = nullptr;
};

// The skinned button laid over a picker's own drop-down button: a click on it is passed to the
// picker at the same place, so the picker opens its calendar itself.
class TArrowButton : public ui::TCustomControl {
  UI_CLASS(TArrowButton, ui::TCustomControl)
 public:
  TArrowButton(TSkinDateTime* skinner, HWND picker);
  ~TArrowButton() override;
  bool Hot() const { return hot_; }
  void WndProc(ui::TMessage& message) override;

 protected:
  void CreateParams(ui::TCreateParams& params) override;
  void Paint() override;

 private:
  TSkinDateTime* skinner_;
  HWND picker_;
  bool hot_ = false;
};

}  // namespace skin
