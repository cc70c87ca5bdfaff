// The combo box rows of the gallery: an editable drop-down combo, a drop-down list long enough for
// its list to scroll, an extended combo (as the program's credit lists are) and a right-to-left
// list whose button sits at the left.
#include <windows.h>

#include "gallery/GalleryForm.h"
#include "ui/ComCtrls.h"

namespace gallery {

namespace {
void FillCombo(ui::TCustomComboBox* c, int count) {
  for (int i = 1; i <= count; ++i) c->Items()->Add(L"Item 项目 " + std::to_wstring(i));
  c->SetItemIndex(0);
}
}  // namespace

void TGalleryForm::AddComboRows() {
  AddRow<ui::TComboBox>(L"Drop-down combo", 21, [](ui::TComboBox* c) {
    c->SetStyle(ui::TComboBoxStyle::csDropDown);
    FillCombo(c, 5);
  });
  AddRow<ui::TComboBox>(L"Drop-down list", 21, [](ui::TComboBox* c) {
    c->SetStyle(ui::TComboBoxStyle::csDropDownList);
    c->SetDropDownCount(8);
    FillCombo(c, 40);
  });
  AddRow<ui::TComboBoxEx>(L"Extended combo", 22, [](ui::TComboBoxEx* c) {
    for (int i = 1; i <= 20; ++i) c->AddItem(L"Level 等级 " + std::to_wstring(i), -1);
    c->SetItemIndex(0);
  });
  AddRow<ui::TComboBox>(L"Right-to-left list", 21, [](ui::TComboBox* c) {
    c->SetStyle(ui::TComboBoxStyle::csDropDownList);
    c->SetBiDiMode(ui::TBiDiMode::bdRightToLeft);
    FillCombo(c, 5);
    HWND wnd = c->Handle();
    SetWindowLongPtrW(
        wnd, GWL_EXSTYLE,
        GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT | WS_EX_RTLREADING);
  });
}

}  // namespace gallery
