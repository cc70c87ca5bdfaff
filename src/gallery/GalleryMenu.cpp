// The gallery's menu bar: what a skinned bar must show (sub-menus, a shortcut, an image, check and
// radio marks, separators, disabled items) with items that act on the gallery itself, so the bar
// is tried by using it.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <span>

#include "gallery/GalleryForm.h"
#include "ui/Bitmaps.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/Text.h"

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
  AddSkinMenu(root);
  AddItem(this, root, L"&Help 帮助");
  SetMenu(menu_);
}

// ---- Skin switching ---------------------------------------------------------------------------

std::vector<std::wstring> TGalleryForm::ShippedSkinFiles() {
  wchar_t exe[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring dir(exe, n);
  dir.erase(dir.find_last_of(L"\\/") + 1);
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((dir + L"*.skn").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files.push_back(dir + found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(files.begin(), files.end());
  return files;
}

void TGalleryForm::AddSkinMenu(ui::TMenuItem* root) {
  ui::TMenuItem* skins = skinMenu_ = AddItem(this, root, L"&Skin 皮肤");
  ui::TMenuItem* embedded = AddItem(this, skins, L"&Embedded default 内置默认",
                                    ui::MethodOf<&TGalleryForm::SkinChoiceClick>(this));
  embedded->SetRadioItem(true);
  embedded->SetChecked(true);
  embedded->SetTag(-1);
  skinFiles_ = ShippedSkinFiles();
  for (size_t i = 0; i < skinFiles_.size(); ++i) {
    const std::wstring& path = skinFiles_[i];
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    name.erase(name.size() - 4);  // ".skn"
    ui::TMenuItem* item =
        AddItem(this, skins, name, ui::MethodOf<&TGalleryForm::SkinChoiceClick>(this));
    item->SetRadioItem(true);
    item->SetTag(static_cast<intptr_t>(i));
  }
  AddItem(this, skins, L"-");
  AddItem(this, skins, L"&Open skin file… 打开皮肤文件…",
          ui::MethodOf<&TGalleryForm::OpenSkinFileClick>(this));
}

void TGalleryForm::SkinChoiceClick(ui::TObject* sender) {
  const intptr_t index = static_cast<ui::TMenuItem*>(sender)->Tag();
  if (index < 0)
    UseEmbeddedSkin();
  else if (static_cast<size_t>(index) < skinFiles_.size())
    UseSkinFile(skinFiles_[static_cast<size_t>(index)]);
}

void TGalleryForm::OpenSkinFileClick(ui::TObject*) {
  wchar_t file[MAX_PATH] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = L"Skin files (*.skn)\0*.skn\0All files (*.*)\0*.*\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = L"Open skin file";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameW(&dialog)) UseSkinFile(file);
}

bool TGalleryForm::UseSkinFile(const std::wstring& path) {
  if (!SkinData1->LoadSkinFile(path)) {
    ReportSkinError();
    return false;
  }
  MarkSkinChoice(path);
  return true;
}

bool TGalleryForm::UseEmbeddedSkin() {
  const std::vector<uint8_t> payload = EmbeddedSkinPayload();
  // The resource is framed as the form stores it: u32 byte count, then the stream.
  const std::span<const uint8_t> stream = payload.size() > 4
                                              ? std::span<const uint8_t>(payload).subspan(4)
                                              : std::span<const uint8_t>();
  if (!SkinData1->LoadSkinStream(stream)) {
    ReportSkinError();
    return false;
  }
  MarkSkinChoice(std::wstring());
  return true;
}

// Checks the Skin menu's item of the skin now shown; none for a file the menu does not list.
void TGalleryForm::MarkSkinChoice(const std::wstring& path) {
  if (!skinMenu_) return;
  for (int i = 0; i < skinMenu_->Count(); ++i) {
    ui::TMenuItem* item = skinMenu_->Items(i);
    if (!item->RadioItem()) continue;
    const intptr_t index = item->Tag();
    const bool shown = index < 0 ? path.empty()
                                 : static_cast<size_t>(index) < skinFiles_.size() &&
                                       skinFiles_[static_cast<size_t>(index)] == path;
    item->SetChecked(shown);
  }
}

void TGalleryForm::ReportSkinError() {
  const std::u16string why = ui::Utf8ToUtf16(SkinData1->LastError());
  const std::wstring text = L"The skin could not be loaded; the current skin stays.\n\n" +
                            std::wstring(why.begin(), why.end());
  if (OnSkinError) {
    OnSkinError(text);
    return;
  }
  MessageBoxW(Handle(), text.c_str(), L"Skin gallery", MB_OK | MB_ICONWARNING);
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
