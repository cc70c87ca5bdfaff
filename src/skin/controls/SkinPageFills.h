// The page skinners: tab sheets, bare dialogs and tool bars, size grips painted in the skin's face
// colour; tab controls drawn as a row of skinned buttons; a page control that takes tab background
// images; and the glyph strips handed to check and radio controls of other libraries, which draw
// their own glyphs from published bitmap properties.
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
