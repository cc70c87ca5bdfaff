// The gallery's edit boxes and up-down buttons: an edit, a disabled edit, a spin edit (whose
// button the edit's skinner finds) and up-downs of both orientations.
#include "gallery/GalleryForm.h"
#include "ui/Spin.h"
#include "ui/UpDown.h"

namespace gallery {

void TGalleryForm::AddEditRows() {
  AddRow<ui::TEdit>(L"Edit", 21, [](ui::TEdit* e) { e->SetText(L"Keyword 关键字"); });
  AddRow<ui::TEdit>(L"Disabled edit", 21, [](ui::TEdit* e) {
    e->SetText(L"Disabled");
    e->SetEnabled(false);
  });
  AddRow<ui::TSpinEdit>(L"Spin edit", 22, [](ui::TSpinEdit* s) {
    s->SetWidth(72);
    s->SetMinValue(0);
    s->SetMaxValue(99999999);
    s->SetValue(200);
  });
  // The twin's button is a control of its own: it must stay native with its edit.
  if (auto* twin = dynamic_cast<ui::TSpinEdit*>(rows_.back().native))
    twin->Button()->SetTag(kGalleryNativeTag);
  AddRow<ui::TUpDown>(L"Up-down", 25, [](ui::TUpDown* u) {
    u->SetWidth(17);
    u->SetPosition(5);
  });
  AddRow<ui::TUpDown>(L"Horizontal up-down", 17, [](ui::TUpDown* u) {
    u->SetWidth(34);
    u->SetOrientation(ui::TUDOrientation::udHorizontal);
  });
}

}  // namespace gallery
