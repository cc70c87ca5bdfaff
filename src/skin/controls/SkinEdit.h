// Edit boxes with a flat skinned border: after the control has painted itself (client or frame),
// a three-pixel band is drawn inside the window's outer edge (one line in the state's edge colour,
// two white lines). The control keeps its client area, caret, text and colours. An up-down that
// lives inside the edit (a spin edit's button) is handed to the up-down skinner once: a child that
// is skinned already keeps its skinner and is only told that it is embedded.
#pragma once

#include "skin/controls/EditGeometry.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
  UI_CLASS(TSkinEdit, TSkinControl)
 public:
  explicit TSkinEdit(ui::TComponent* owner);
  // The spin child found inside the edit (null until one was found).
  HWND SpinWindow() const { return spinWindow_; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  void FindSpin();
  // The border of a printed edit: one ButtonShadow line, one in the DC's current brush.
  void PrintFrame(HDC dc);
  EditBorderState ReadState();

  HWND spinWindow_ = nullptr;
  bool inPaint_ = false;   // inside the control's own WM_PAINT
  bool tracking_ = false;  // the pointer's leaving is tracked
};

}  // namespace skin
