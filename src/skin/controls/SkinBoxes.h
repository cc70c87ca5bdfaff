// The rest of the button and box family: window-less speed buttons (painted through their
// parent's DC), buttons with a drop-down arrow, group boxes whose caption cuts the frame, and plain
// boxes that only take the skin's face colour.
#pragma once

#include "skin/controls/BoxGeometry.h"
#include "skin/controls/SkinButtons.h"

namespace skin {

class TSkinSpeedButton : public TSkinBitButton {
  UI_CLASS(TSkinSpeedButton, TSkinBitButton)
 public:
  using TSkinBitButton::TSkinBitButton;
  // Hooks the speed button's message handler; the button has no window of its own.
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  // The glyph strip's property ("Glyph" unless a classification rule names another).
  const char* GlyphProperty = "Glyph";

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void PaintFrame(HDC dc) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  bool painting_ = false;
};

class TSkinMenuButton : public TSkinButton {
  UI_CLASS(TSkinMenuButton, TSkinButton)
 public:
  using TSkinButton::TSkinButton;

 protected:
  void PaintControl(HDC dc, const RECT& rect) override;
};

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
