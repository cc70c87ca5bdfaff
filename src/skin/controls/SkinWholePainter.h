// The base of skinners that paint their control whole from one skin element.
#pragma once

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

}  // namespace skin
