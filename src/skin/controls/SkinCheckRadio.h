// Check boxes and radio buttons with the skin's glyph strips (Buttons' CheckButton and
// RadioButton). On a framework control with a strip the skinner paints the whole control; on a
// bare window it draws only the glyph over the control's own painting; without a strip the
// control keeps its own look.
#pragma once

#include "skin/controls/ControlGeometry.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinCheckRadio : public TSkinControl {
  UI_CLASS(TSkinCheckRadio, TSkinControl)
 public:
  TSkinCheckRadio(ui::TComponent* owner, bool radio);
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  bool Transparent = false;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;
  // The glyph strip and its frame count; null when the skin has none.
  ui::TBitmap* Strip(int& frames) const;
  // The image of the control's state in a strip of `frames`.
  virtual int StateFrame(int frames) = 0;

 private:
  bool radio_;
};

class TSkinCheckBox : public TSkinCheckRadio {
  UI_CLASS(TSkinCheckBox, TSkinCheckRadio)
 public:
  explicit TSkinCheckBox(ui::TComponent* owner) : TSkinCheckRadio(owner, false) {}

 protected:
  void AfterMessage(ui::TMessage& message) override;
  int StateFrame(int frames) override;

 private:
  int lastSetCheck_ = 0;  // wParam + 1 of the last BM_SETCHECK
};

class TSkinRadioButton : public TSkinCheckRadio {
  UI_CLASS(TSkinRadioButton, TSkinCheckRadio)
 public:
  explicit TSkinRadioButton(ui::TComponent* owner) : TSkinCheckRadio(owner, true) {}

 protected:
  int StateFrame(int frames) override;
};

}  // namespace skin
