// Track bars skinned through their custom-draw notifications: the skin's channel and thumb, the
// control's own tics.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "skin/controls/SkinControl.h"

namespace skin {

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

}  // namespace skin
