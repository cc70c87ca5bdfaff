// Speed buttons: window-less push buttons with a glyph, painted by their parent, that can stay
// down as part of a group.
#pragma once

#include <string>

#include "ui/Bitmaps.h"
#include "ui/Controls.h"

namespace ui {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo& ButtonLayoutInfo();

class TSpeedButton : public TGraphicControl {
  UI_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  std::wstring GetCaption() { return Caption(); }
  void SetCaptionProp(const std::wstring& s) { SetCaption(s); }
  TBitmap* Glyph() { return glyph_.get(); }
  void SetGlyph(TBitmap* glyph);
  // Images side by side in the glyph: up, disabled, down, stay-down (values below 1 count as 1).
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }  // -1: centred
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  bool Down() const { return down_; }
  void SetDown(bool down);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  // Buttons with the same nonzero GroupIndex under one parent stay down one at a time.
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index) { groupIndex_ = index; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool on) { allowAllUp_ = on; }
  // The pointer is over the button (flat buttons show their frame then).
  bool MouseInControl() const { return mouseIn_; }

  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;

 private:
  void GlyphChanged(TObject*);
  void UpdateGroup();
  int GlyphIndex() const;

  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool down_ = false;
  bool flat_ = false;
  bool transparent_ = true;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool pressed_ = false;  // the left button is held on it
  bool mouseIn_ = false;
};

}  // namespace ui
