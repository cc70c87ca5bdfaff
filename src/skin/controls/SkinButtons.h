// Push buttons and glyph buttons drawn from the skin's five-state Buttons strip. The skinner owns
// the mouse: the button-down never reaches the control, so the pressed look and the click (exactly
// one) come from here; keyboard clicks are still the control's own.
#pragma once

#include "skin/controls/ControlGeometry.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinButton : public TSkinControl {
  UI_CLASS(TSkinButton, TSkinControl)
 public:
  explicit TSkinButton(ui::TComponent* owner);
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  // Paint the parent's background under the button instead of the skin's face colour.
  bool Transparent = false;

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;

  // The skin has a Buttons image to draw.
  bool HasFace() const;
  // Reads enabled, focus, default and caption; the state's image.
  ButtonState ReadState();
  // Background and the state's image into dc (the shared buffer).
  void PaintFace(HDC dc, const RECT& rect, int frame);
  // Where the face is composed: the shared buffer, or the skinner's own for a transparent face.
  FrameBuffer* ComposeBuffer(int width, int height);
  // The caption's colour in the state of `frame`. NormalColour2 is the normal state's colour;
  // with `normalStateOnly` it is that state's alone, and the other states without a colour of
  // their own keep the control's font colour (a graphic glyph button's rule).
  COLORREF CaptionColour(int frame, bool normalStateOnly = false) const;
  HFONT CaptionFont() const;
  void DrawFocus(HDC dc, RECT r) const;

 private:
  void Click();
  bool focusedAtPaint_ = false;
};

class TSkinBitButton : public TSkinButton {
  UI_CLASS(TSkinBitButton, TSkinButton)
 public:
  using TSkinButton::TSkinButton;
  // Set: the picture is the graphic in this published property, drawn whole in the glyph's
  // place (no strip, no image list); the default-button image is left to the focus alone.
  const char* GraphicProperty = nullptr;

 protected:
  void PaintControl(HDC dc, const RECT& rect) override;
};

// One image of a glyph strip at (x, y), transparent by its bottom-left pixel; a disabled
// single-image glyph (image 2 of a one-image strip) is embossed.
void DrawGlyphImage(HDC dc, ui::TBitmap& glyph, int numGlyphs, int glyphFrame, int x, int y);

// The embossed look of a disabled single-frame glyph: the glyph's shape in the highlight colour
// one pixel down and right, and in the shadow colour over it, on the face colour. `key` is the
// glyph's transparent colour.
PixelBuffer EmbossGlyph(const PixelBuffer& glyph, Colour key, Colour face, Colour highlight,
                        Colour shadow);

}  // namespace skin
