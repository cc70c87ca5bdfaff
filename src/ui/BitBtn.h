// Glyph buttons: push buttons that show an image strip beside their caption. The button is
// owner-drawn by the object; clicks, Default and Cancel work as for TButton.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/Bitmaps.h"
#include "ui/Buttons.h"
#include "ui/StdCtrls.h"

namespace ui {

enum class TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
const TEnumInfo& BitBtnKindInfo();

class TBitBtn : public TButton {
  UI_CLASS(TBitBtn, TButton)
 public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;

  TBitmap* Glyph() { return glyph_.get(); }
  void SetGlyph(TBitmap* glyph);
  // Images side by side in the glyph: up, disabled, down (values below 1 count as 1).
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  // Distance of glyph and caption from the edge the layout names; -1 centres them.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  // A standard kind gives the button its caption (and OK / Cancel their keys).
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind kind);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  void GlyphChanged(TObject*);
  void DrawItem(const DRAWITEMSTRUCT& item);

  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

// Where the glyph and the caption go in a button of `width` x `height` (portable geometry).
struct GlyphPlacement {
  POINT glyph;
  POINT text;
};
GlyphPlacement PlaceGlyph(TButtonLayout layout, int width, int height, SIZE glyph, SIZE text,
                          int margin, int spacing);

}  // namespace ui
