#include "ui/UpDown.h"

#include <commctrl.h>

#include "ui/TypInfo.h"

namespace ui {

const TEnumInfo& UDOrientationInfo() {
  static const TEnumInfo info{"TUDOrientation", {"udVertical", "udHorizontal"}};
  return info;
}
const TEnumInfo& UDAlignButtonInfo() {
  static const TEnumInfo info{"TUDAlignButton", {"udLeft", "udRight"}};
  return info;
}

UI_IMPLEMENT_CLASS(TUpDown, TWinControl, P::Int("Min", &TUpDown::Min, &TUpDown::SetMin),
                   P::Int("Max", &TUpDown::Max, &TUpDown::SetMax),
                   P::Int("Position", &TUpDown::Position, &TUpDown::SetPosition),
                   P::Int("Increment", &TUpDown::Increment, &TUpDown::SetIncrement),
                   P::Enum("Orientation", UDOrientationInfo(), &TUpDown::Orientation,
                           &TUpDown::SetOrientation),
                   P::Enum("AlignButton", UDAlignButtonInfo(), &TUpDown::AlignButton,
                           &TUpDown::SetAlignButton),
                   P::Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap),
                   P::Bool("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys),
                   P::Bool("Thousands", &TUpDown::Thousands, &TUpDown::SetThousands),
                   P::Obj<TWinControl>("Associate", &TUpDown::Associate, &TUpDown::SetAssociate))

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ = csCaptureMouse | csDoubleClicks;
  UpdateBoundsFields(0, 0, 17, 25);
}

TUpDown::~TUpDown() {
  if (associate_) associate_->RemoveFreeNotification(this);
}

void TUpDown::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, UPDOWN_CLASSW);
  p.Style |= UDS_SETBUDDYINT;
  if (orientation_ == TUDOrientation::udHorizontal) p.Style |= UDS_HORZ;
  if (wrap_) p.Style |= UDS_WRAP;
  if (arrowKeys_) p.Style |= UDS_ARROWKEYS;
  if (!thousands_) p.Style |= UDS_NOTHOUSANDS;
  if (associate_)
    p.Style |= alignButton_ == TUDAlignButton::udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
}

void TUpDown::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  ApplyRange();
  ApplyAccel();
  SendMessageW(Handle(), UDM_SETPOS32, 0, position_);
  ApplyBuddy();
}

void TUpDown::ApplyRange() {
  if (HandleAllocated()) SendMessageW(Handle(), UDM_SETRANGE32, min_, max_);
}

void TUpDown::ApplyAccel() {
  if (!HandleAllocated()) return;
  UDACCEL accel{0, static_cast<UINT>(increment_)};
  SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TUpDown::ApplyBuddy() {
  if (!HandleAllocated()) return;
  HWND buddy = associate_ && associate_->Parent() == Parent() ? associate_->Handle() : nullptr;
  SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  if (buddy) SendMessageW(Handle(), UDM_SETPOS32, 0, position_);  // the buddy shows it
}

void TUpDown::StyleChanged() {
  if (HandleAllocated()) RecreateWnd();
}

void TUpDown::SetMin(int v) {
  min_ = v;
  ApplyRange();
}

void TUpDown::SetMax(int v) {
  max_ = v;
  ApplyRange();
}

int TUpDown::Position() {
  if (HandleAllocated()) {
    BOOL failed = FALSE;
    const auto pos = static_cast<int>(
        SendMessageW(Handle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    if (!failed) position_ = pos;
  }
  return position_;
}

void TUpDown::SetPosition(int v) {
  position_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), UDM_SETPOS32, 0, v);
}

void TUpDown::SetIncrement(int v) {
  increment_ = v;
  ApplyAccel();
}

void TUpDown::SetOrientation(TUDOrientation o) {
  if (o == orientation_) return;
  orientation_ = o;
  StyleChanged();
}

void TUpDown::SetAlignButton(TUDAlignButton a) {
  if (a == alignButton_) return;
  alignButton_ = a;
  StyleChanged();
}

void TUpDown::SetWrap(bool on) {
  if (on == wrap_) return;
  wrap_ = on;
  StyleChanged();
}

void TUpDown::SetArrowKeys(bool on) {
  if (on == arrowKeys_) return;
  arrowKeys_ = on;
  StyleChanged();
}

void TUpDown::SetThousands(bool on) {
  if (on == thousands_) return;
  thousands_ = on;
  StyleChanged();
}

void TUpDown::SetAssociate(TWinControl* control) {
  if (control == associate_ || control == this) return;
  if (associate_) associate_->RemoveFreeNotification(this);
  associate_ = control;
  if (associate_) associate_->FreeNotification(this);
  StyleChanged();  // the alignment style comes with a buddy
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == associate_) {
    associate_ = nullptr;
    if (HandleAllocated() && !HasState(csDestroying)) SendMessageW(Handle(), UDM_SETBUDDY, 0, 0);
  }
}

void TUpDown::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY && InReflection()) {
    const auto* header = reinterpret_cast<NMHDR*>(m.LParam);
    if (header->code == UDN_DELTAPOS) lastDelta_ = reinterpret_cast<NMUPDOWN*>(m.LParam)->iDelta;
    m.Result = 0;  // the step goes ahead
    return;
  }
  if ((m.Msg == CN_VSCROLL || m.Msg == CN_HSCROLL) && InReflection()) {
    if (LOWORD(m.WParam) == SB_THUMBPOSITION) {
      position_ = static_cast<short>(HIWORD(m.WParam));
      Position();  // the full 32-bit value
      if (OnClick) OnClick(this, lastDelta_ < 0 ? TUDBtnType::btPrev : TUDBtnType::btNext);
    }
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace ui
