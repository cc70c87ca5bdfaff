// Status bars: panels with the skin's edges, their texts and the size grip.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinStatusBar : public TSkinControl {
  UI_CLASS(TSkinStatusBar, TSkinControl)
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  bool HasEdges() const;
  void DrawEdges(HDC dc, const RECT& r, int kind) const;
};

}  // namespace skin
