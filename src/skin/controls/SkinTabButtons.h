// Tab controls drawn as a row of skinned buttons.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinTabBtn : public TSkinControl {
  UI_CLASS(TSkinTabBtn, TSkinControl)
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  void PaintTab(HDC dc, int index, RECT r, int frame, HIMAGELIST images);
};

}  // namespace skin
