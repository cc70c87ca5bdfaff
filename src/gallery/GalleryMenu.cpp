// The gallery's menu bar: what a skinned bar must show (sub-menus, a shortcut, an image, check and
// radio marks, separators, disabled items) with items that act on the gallery itself, so the bar
// is tried by using it.
#include <windows.h>

#include "gallery/GalleryForm.h"
#include "ui/Bitmaps.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace gallery {

namespace {
ui::TMenuItem* AddItem(ui::TComponent* owner, ui::TMenuItem* parent, const std::wstring& caption,
                       ui::TNotifyEvent onClick = nullptr) {
  auto* item = new ui::TMenuItem(owner);
  item->SetCaption(caption);
  item->OnClick = onClick;
  parent->Add(item);
  return item;
}

// A 16 x 16 image: the skin's mark beside "Skin on".
void AddSkinImage(ui::TCustomImageList* images) {
  ui::TBitmap glyph;
  glyph.SetSize(16, 16);
  ui::TCanvas* c = glyph.Canvas();
  c->Brush()->SetColor(ui::clFuchsia);
  c->FillRect(RECT{0, 0, 16, 16});
  c->Brush()->SetColor(static_cast<ui::TColor>(RGB(40, 110, 200)));
  c->FillRect(RECT{2, 2, 14, 14});
  images->AddMasked(&glyph, ui::clFuchsia);
}
}  // namespace

void TGalleryForm::AddMenuBar() {
  menu_ = new ui::TMainMenu(this);
  auto* images = new ui::TImageList(this, 16, 16);
  AddSkinImage(images);
  menu_->SetImages(images);
  ui::TMenuItem* root = menu_->Items();

  ui::TMenuItem* gallery = AddItem(this, root, L"&Gallery 画廊");
  ui::TMenuItem* skinOn = AddItem(this, gallery, L"Skin &on 皮肤开",
                                  ui::MethodOf<&TGalleryForm::SkinSwitchClick>(this));
  ui::TMenuItem* skinOff = AddItem(this, gallery, L"Skin o&ff 皮肤关",
                                   ui::MethodOf<&TGalleryForm::SkinSwitchClick>(this));
  skinOn->SetRadioItem(true);
  skinOff->SetRadioItem(true);
  skinOn->SetChecked(true);
  skinOn->SetImageIndex(0);
  skinOn->SetTag(1);
  skinOn->SetShortCut(static_cast<ui::TShortCut>(ui::scCtrl | 'K'));
  AddItem(this, gallery, L"-");
  // Rows whose controls are disabled show as disabled items.
  ui::TMenuItem* focus = AddItem(this, gallery, L"&Focus row 聚焦");
  for (size_t i = 0; i < rows_.size(); ++i) {
    ui::TMenuItem* item =
        AddItem(this, focus, rows_[i].title, ui::MethodOf<&TGalleryForm::FocusRowClick>(this));
    item->SetTag(static_cast<intptr_t>(i));
    item->SetEnabled(rows_[i].skinned->Enabled());
  }
  AddItem(this, gallery, L"-");
  ui::TMenuItem* exit =
      AddItem(this, gallery, L"E&xit 退出", ui::MethodOf<&TGalleryForm::ExitClick>(this));
  exit->SetShortCut(static_cast<ui::TShortCut>(ui::scAlt | VK_F4));

  ui::TMenuItem* view = AddItem(this, root, L"&View 视图");
  AddItem(this, view, L"&Disable skinned column 停用",
          ui::MethodOf<&TGalleryForm::DisableColumnClick>(this));
  AddItem(this, view, L"&Right-to-left menu 从右到左",
          ui::MethodOf<&TGalleryForm::RightToLeftClick>(this));
  AddItem(this, root, L"&Help 帮助");
  SetMenu(menu_);
}

void TGalleryForm::SkinSwitchClick(ui::TObject* sender) {
  auto* item = static_cast<ui::TMenuItem*>(sender);
  item->SetChecked(true);
  SkinData1->SetActive(item->Tag() == 1);
}

void TGalleryForm::FocusRowClick(ui::TObject* sender) {
  const auto index = static_cast<size_t>(static_cast<ui::TMenuItem*>(sender)->Tag());
  if (index >= rows_.size()) return;
  auto* control = dynamic_cast<ui::TWinControl*>(rows_[index].skinned);
  if (control && control->HandleAllocated()) ::SetFocus(control->Handle());
}

void TGalleryForm::ExitClick(ui::TObject*) { Close(); }

void TGalleryForm::DisableColumnClick(ui::TObject* sender) {
  auto* item = static_cast<ui::TMenuItem*>(sender);
  item->SetChecked(!item->Checked());
  for (const Row& row : rows_) row.skinned->SetEnabled(!item->Checked());
}

void TGalleryForm::RightToLeftClick(ui::TObject* sender) {
  auto* item = static_cast<ui::TMenuItem*>(sender);
  item->SetChecked(!item->Checked());
  menu_->SetBiDiMode(item->Checked() ? ui::TBiDiMode::bdRightToLeft : ui::TBiDiMode::bdLeftToRight);
  SetMenu(nullptr);  // the bar is laid out again from the edge the mode names
  SetMenu(menu_);
}

}  // namespace gallery
