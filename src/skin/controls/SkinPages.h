// Skinners of the common controls that show data rather than take clicks: header controls drawn
// whole from the Headerbar strip, progress bars from the Progress strip (and its chunk), track bars
// through their custom-draw notifications, and date-time pickers with a skinned arrow button over
// their own drop-down button. A skin without the element leaves the control its own look.
#pragma once

#include <vector>

#include "imaging/PaintPlans.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// A control painted whole from one skin element while the skin has it (the control's own paint
// and erase are skipped); without it the control keeps its own look.
class TSkinWholePainter : public TSkinControl {
  UI_CLASS(TSkinWholePainter, TSkinControl)
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  // The element, when it has an image.
  virtual TDataSkinObject* Bar() const = 0;
};

// Header controls (named after their Headerbar strip: TSkinHeader is the skin stream's header).
class TSkinHeaderBar : public TSkinWholePainter {
  UI_CLASS(TSkinHeaderBar, TSkinWholePainter)
 public:
  using TSkinWholePainter::TSkinWholePainter;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) override;
  int HotItem() const { return hot_; }

 protected:
  void AfterMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;
  TDataSkinObject* Bar() const override;

 private:
  void PaintItem(HDC dc, int index, const RECT& r, HIMAGELIST images);
  void SetHot(int item);
  // The items' hover rectangles of the last paint.
  std::vector<ImageRect> items_;
  int hot_ = -1;
};

class TSkinProgress : public TSkinWholePainter {
  UI_CLASS(TSkinProgress, TSkinWholePainter)
 public:
  using TSkinWholePainter::TSkinWholePainter;

 protected:
  void PaintControl(HDC dc, const RECT& rect) override;
  TDataSkinObject* Bar() const override;

 private:
  // The bar drawn lying down, `length` long and `thickness` high, into dc at the origin.
  void PaintBar(HDC dc, int length, int thickness);
};

class TSkinTrackBar : public TSkinControl {
  UI_CLASS(TSkinTrackBar, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  void SkinChanged() override;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;

 private:
  // Whether the notification is the control's own custom draw, reflected back to it.
  bool IsOwnCustomDraw(const ui::TMessage& message) const;
  LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
  void PaintThumb(HDC dc);
  // False when the skin has no channel image (the control draws its own).
  bool PaintChannel(HDC dc);
  bool Vertical() const;
};

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
