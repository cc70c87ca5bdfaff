#include "skin/controls/SkinAdvPage.h"

#include <commctrl.h>

#include "skin/controls/SkinnerRegistry.h"
#include "ui/Bitmaps.h"
#include "ui/TypInfo.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinAdvPage, TSkinControl)

void TSkinAdvPage::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  AssignTabBackgrounds();
}

void TSkinAdvPage::SkinChanged() {
  AssignTabBackgrounds();
  TSkinControl::SkinChanged();
}

void TSkinAdvPage::AssignTabBackgrounds() {
  TDataSkinObject* tabs = skin_ ? skin_->FindElement("Tabs") : nullptr;
  if (Mode != 4 || !tabs || tabs->Empty() || !control_) return;
  const PixelBuffer source = PixelsOf(*tabs->Bitmap);
  const ImageRect margins{tabs->Margins.left, tabs->Margins.top, tabs->Margins.right,
                          tabs->Margins.bottom};
  const char* names[] = {"TabBackGround", "TabBackGroundActive"};
  for (int frame = 1; frame <= 2; ++frame)
    if (auto* target = ui::GetObjectProperty<ui::TBitmap>(control_, names[frame - 1]))
      AssignPixels(*target, RenderNineSlice(source, 100, 21, margins, false, tabs->Tile == 1,
                                            tabs->Frame, frame));
}

void TSkinAdvPage::Detach() {
  for (const char* name : {"TabBackGround", "TabBackGroundActive"})
    if (auto* target = ui::GetObjectProperty<ui::TBitmap>(control_, name))
      AssignPixels(*target, PixelBuffer());
  TSkinControl::Detach();
}

void TSkinAdvPage::PaintControl(HDC, const RECT&) {
  // The control's own spin buttons (shown when its tabs overflow) wear the skin too.
  if (upDown_ || !control_ || !HasSkinner(SkinnerKind::UpDown)) return;
  HWND spin = FindWindowExW(handle_, nullptr, UPDOWN_CLASSW, nullptr);
  if (!spin) return;
  upDown_ = CreateSkinner(SkinnerKind::UpDown, control_);
  upDown_->AttachHandle(spin, skin_, form_);
}

}  // namespace skin
