// Gallery rows of the containers: a group box and a panel.
#include "gallery/GalleryForm.h"
#include "ui/CheckCtrls.h"
#include "ui/ExtCtrls.h"

namespace gallery {

void TGalleryForm::AddBoxRows() {
  AddRow<ui::TGroupBox>(L"Group box", 44, [](ui::TGroupBox* g) { g->SetCaption(L"Group 分组"); });
  AddRow<ui::TPanel>(L"Panel", 30, [](ui::TPanel* p) { p->SetCaption(L"Panel 面板"); });
}

}  // namespace gallery
