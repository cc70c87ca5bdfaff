#include "skin/controls/SkinObjImage.h"

#include <algorithm>

#include "skin/controls/PageGeometry.h"
#include "ui/Bitmaps.h"
#include "ui/TypInfo.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinObjImage, TSkinControl)

void TSkinObjImage::Attach(IControlSkinnerHost* form, TSkinData* skin, bool) {
  // Listed with the form skinner, but the control's messages stay its own.
  if (form_) return;
  form_ = form;
  skin_ = skin;
  control_ = dynamic_cast<ui::TControl*>(Owner());
  if (form_) form_->AddControl(this);
  AssignGlyphs();
}

void TSkinObjImage::SkinChanged() { AssignGlyphs(); }

void TSkinObjImage::AssignGlyphs() {
  TDataSkinButton* buttons = skin_ ? skin_->Buttons() : nullptr;
  if (!buttons || !control_) return;
  ui::TBitmap& glyphs = Mode == 2 ? *buttons->RadioButton : *buttons->CheckButton;
  const int frames = std::max(Mode == 2 ? buttons->RadioButtonFrame : buttons->CheckButtonFrame, 1);
  const GlyphStripMap map = ObjImageStrip(Mode, frames);
  if (map.frames == 0 || glyphs.Empty()) return;
  const PixelBuffer source = PixelsOf(glyphs);
  const int fw = source.width() / frames, fh = source.height();
  if (fw <= 0) return;
  PixelBuffer strip(fw * map.frames, fh, 24, kMagenta);
  for (const auto& [to, from] : map.copies)
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x)
        strip.Set((to - 1) * fw + x, y, source.Get((from - 1) * fw + x, y));

  if (Mode == 3) {
    ui::TObject* properties = ui::GetObjectProperty<ui::TObject>(control_, "Properties");
    if (auto* glyph = ui::GetObjectProperty<ui::TBitmap>(properties, "Glyph")) {
      AssignPixels(*glyph, strip);
      glyph->SetTransparentColor(static_cast<ui::TColor>(kMagenta));
      glyph->SetTransparent(false);
    }
    return;
  }
  auto* target = ui::GetObjectProperty<ui::TBitmap>(control_, "CustomGlyphs");
  if (!target) return;
  AssignPixels(*target, strip);
  ui::SetPropertyText(control_, "transparentcolor", L"16711935");
  // Switched off and on again, so that the control loads the new strip.
  ui::SetPropertyText(control_, "UseCustomGlyphs", L"false");
  ui::SetPropertyText(control_, "UseCustomGlyphs", L"true");
}

void TSkinObjImage::Detach() {
  if (control_ && (Mode == 1 || Mode == 2))
    ui::SetPropertyText(control_, "UseCustomGlyphs", L"false");
  if (control_ && Mode == 3) {
    ui::TObject* properties = ui::GetObjectProperty<ui::TObject>(control_, "Properties");
    if (auto* glyph = ui::GetObjectProperty<ui::TBitmap>(properties, "Glyph"))
      AssignPixels(*glyph, PixelBuffer());
  }
  TSkinControl::Detach();
}

}  // namespace skin
