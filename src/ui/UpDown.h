// The up-down control: the system's up-down (two arrow buttons that step a position through a
// range, repeating while held) under the framework class name TUpDown, with its settings as
// published properties. An associated control (a buddy edit) shows the position.
#pragma once

#include "ui/Controls.h"

namespace ui {

enum class TUDOrientation { udVertical, udHorizontal };
enum class TUDAlignButton { udLeft, udRight };
enum class TUDBtnType { btNext, btPrev };  // btNext: up (or right), towards Max

const TEnumInfo& UDOrientationInfo();
const TEnumInfo& UDAlignButtonInfo();

using TUDClickEvent = TMethod<void(TObject* Sender, TUDBtnType Button)>;

class TUpDown : public TWinControl {
  UI_CLASS(TUpDown, TWinControl)
 public:
  explicit TUpDown(TComponent* AOwner);
  ~TUpDown() override;

  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  // Read from the window while it exists: the control moves it by itself.
  int Position();
  void SetPosition(int v);
  int Increment() const { return increment_; }
  void SetIncrement(int v);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation o);
  TUDAlignButton AlignButton() const { return alignButton_; }
  void SetAlignButton(TUDAlignButton a);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool on);
  bool ArrowKeys() const { return arrowKeys_; }
  void SetArrowKeys(bool on);
  bool Thousands() const { return thousands_; }
  void SetThousands(bool on);
  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* control);

  // After each step of the position (a click or a repeat while held).
  TUDClickEvent OnClick;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void ApplyRange();
  void ApplyAccel();
  void ApplyBuddy();
  // Style changes need a new window.
  void StyleChanged();

  int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
  TUDOrientation orientation_ = TUDOrientation::udVertical;
  TUDAlignButton alignButton_ = TUDAlignButton::udRight;
  bool wrap_ = false, arrowKeys_ = true, thousands_ = true;
  TWinControl* associate_ = nullptr;
  int lastDelta_ = 0;
};

}  // namespace ui
