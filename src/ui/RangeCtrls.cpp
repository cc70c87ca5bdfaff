#include "ui/RangeCtrls.h"

#include <commctrl.h>

#include "ui/TypInfo.h"

namespace ui {

namespace {
const TEnumInfo& ProgressOrientationInfo() {
  static const TEnumInfo info{"TProgressBarOrientation", {"pbHorizontal", "pbVertical"}};
  return info;
}
const TEnumInfo& TrackOrientationInfo() {
  static const TEnumInfo info{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};
  return info;
}
}  // namespace

UI_IMPLEMENT_CLASS(TProgressBar, TWinControl,
                   P::Int("Min", &TProgressBar::Min, &TProgressBar::SetMin),
                   P::Int("Max", &TProgressBar::Max, &TProgressBar::SetMax),
                   P::Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition),
                   P::Enum("Orientation", ProgressOrientationInfo(), &TProgressBar::Orientation,
                           &TProgressBar::SetOrientation),
                   P::Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth))

UI_IMPLEMENT_CLASS(TTrackBar, TWinControl, P::Int("Min", &TTrackBar::Min, &TTrackBar::SetMin),
                   P::Int("Max", &TTrackBar::Max, &TTrackBar::SetMax),
                   P::Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency),
                   P::Enum("Orientation", TrackOrientationInfo(), &TTrackBar::Orientation,
                           &TTrackBar::SetOrientation),
                   P::Bool("Transparent", &TTrackBar::Transparent, &TTrackBar::SetTransparent))

// ---- Progress bar

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, PROGRESS_CLASSW);
  if (orientation_ == TProgressBarOrientation::pbVertical) p.Style |= PBS_VERTICAL;
  if (smooth_) p.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateHandleDone() {
  SendRange();
  TWinControl::CreateHandleDone();
}

void TProgressBar::SendRange() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int value) {
  min_ = value;
  SendRange();
}
void TProgressBar::SetMax(int value) {
  max_ = value;
  SendRange();
}
void TProgressBar::SetPosition(int value) {
  position_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(value), 0);
}
void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  if (HandleAllocated()) RecreateWnd();
}
void TProgressBar::SetSmooth(bool value) {
  if (value == smooth_) return;
  smooth_ = value;
  if (HandleAllocated()) RecreateWnd();
}

// ---- Track bar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, TRACKBAR_CLASSW);
  p.Style |= TBS_AUTOTICKS;
  p.Style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
}

void TTrackBar::CreateHandleDone() {
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, max_);
  SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
  SendMessageW(Handle(), TBM_SETPOS, TRUE, position_);
  TWinControl::CreateHandleDone();
}

void TTrackBar::SetMin(int value) {
  min_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETRANGEMIN, TRUE, value);
}
void TTrackBar::SetMax(int value) {
  max_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, value);
}
int TTrackBar::Position() {
  if (HandleAllocated()) position_ = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
  return position_;
}
void TTrackBar::SetPosition(int value) {
  position_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPOS, TRUE, value);
}
void TTrackBar::SetFrequency(int value) {
  frequency_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}
void TTrackBar::SetOrientation(TTrackBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  if (HandleAllocated()) RecreateWnd();
}
void TTrackBar::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

}  // namespace ui
