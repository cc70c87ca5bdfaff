// Buttons with a drop-down arrow: glyph, caption and arrow on the skin's button.
#pragma once

#include "skin/controls/BoxGeometry.h"
#include "skin/controls/SkinButtons.h"

namespace skin {

class TSkinMenuButton : public TSkinButton {
  UI_CLASS(TSkinMenuButton, TSkinButton)
 public:
  using TSkinButton::TSkinButton;

 protected:
  void PaintControl(HDC dc, const RECT& rect) override;
};

}  // namespace skin
