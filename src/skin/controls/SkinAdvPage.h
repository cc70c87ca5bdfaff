// A page control that takes the skin's tab images as its own tab backgrounds.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

// Mode 4: the page control's TabBackGround and TabBackGroundActive bitmaps are the skin's Tabs
// frames 1 and 2.
class TSkinAdvPage : public TSkinControl {
  UI_CLASS(TSkinAdvPage, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void Detach() override;
  void SkinChanged() override;

 protected:
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  void AssignTabBackgrounds();
  TSkinControl* upDown_ = nullptr;
};

}  // namespace skin
