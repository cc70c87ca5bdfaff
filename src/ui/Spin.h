// The spin edit: an edit holding an integer in a range, with an up/down button child inside it
// at its right.
#pragma once

#include "ui/StdCtrls.h"

namespace ui {

// Two halves, upper increments and lower decrements; holding the left button repeats.
class TSpinButton : public TWinControl {
  UI_CLASS(TSpinButton, TWinControl)
 public:
  explicit TSpinButton(TComponent* AOwner);
  ~TSpinButton() override;
  // The control that takes the focus when the button is pressed.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control) { focusControl_ = control; }
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;

 private:
  enum class Half { None, Up, Down };
  Half HalfAt(int y);
  void Fire(Half half);
  void Rearm(UINT ms);
  TWinControl* focusControl_ = nullptr;
  Half pressed_ = Half::None;
  TimerHandle repeat_;
};

class TSpinEdit : public TCustomEdit {
  UI_CLASS(TSpinEdit, TCustomEdit)
 public:
  explicit TSpinEdit(TComponent* AOwner);

  int MinValue() const { return minValue_; }
  void SetMinValue(int v) { minValue_ = v; }
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int v) { maxValue_ = v; }
  int Increment() const { return increment_; }
  void SetIncrement(int v) { increment_ = v; }
  // The text as a decimal integer, a number beyond the range forced to its nearer end (the
  // rule the query builder reads the text with); MinValue when it is not a number.
  int Value();
  // Clamped into the range (when there is one) and written as text.
  void SetValue(int value);
  TSpinButton* Button() const { return button_; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateHandleDone() override;
  void ApplyDesignScale() override;

 private:
  int CheckValue(int value) const;
  void UpClick(TObject*);
  void DownClick(TObject*);
  void PlaceButton();

  int minValue_ = 0;
  int maxValue_ = 0;
  int increment_ = 1;
  TSpinButton* button_;
};

}  // namespace ui
