// The glyph strips handed to check and radio controls of other libraries, which draw their own
// glyphs from published bitmap properties.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

// Mode 1: check glyphs into CustomGlyphs; 2: radio glyphs into CustomGlyphs; 3: check glyphs into
// Properties.Glyph. It never takes the control's messages: the control draws the strip itself.
class TSkinObjImage : public TSkinControl {
  UI_CLASS(TSkinObjImage, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void Detach() override;
  void SkinChanged() override;

 private:
  void AssignGlyphs();
};

}  // namespace skin
