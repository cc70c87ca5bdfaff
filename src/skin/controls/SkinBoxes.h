// Group boxes whose caption cuts a rounded frame, and plain boxes (panels and other containers)
// that only take the skin's face colour.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinGroupBox : public TSkinControl {
  UI_CLASS(TSkinGroupBox, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;
};

// Panels and other containers: recoloured, never hooked, never painted.
class TSkinBox : public TSkinControl {
  UI_CLASS(TSkinBox, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void Detach() override;
};

}  // namespace skin
