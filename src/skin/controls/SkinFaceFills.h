// Windows that only wear the skin's face colour: tab sheets, bare dialogs and tool bars, size
// grips.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinTabSheet : public TSkinControl {
  UI_CLASS(TSkinTabSheet, TSkinControl)
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;
};

class TSkinBoxH : public TSkinControl {
  UI_CLASS(TSkinBoxH, TSkinControl)
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
};

class TSkinSizer : public TSkinControl {
  UI_CLASS(TSkinSizer, TSkinControl)
 public:
  using TSkinControl::TSkinControl;

 protected:
  void PaintControl(HDC dc, const RECT& rect) override;
};

}  // namespace skin
