#include "ui/ComCtrls.h"

#include "ui/TypInfo.h"

namespace ui {

UI_IMPLEMENT_CLASS(TComboBoxEx, TCustomComboBox,
                   P::Obj<TCustomImageList>("Images", &TComboBoxEx::Images,
                                            &TComboBoxEx::SetImages))

TComboBoxEx::TComboBoxEx(TComponent* AOwner) : TCustomComboBox(AOwner) {
  SetStyle(TComboBoxStyle::csDropDownList);
}

void TComboBoxEx::CreateParams(TCreateParams& p) {
  TCustomComboBox::CreateParams(p);
  CreateSubClass(p, WC_COMBOBOXEXW);
  p.Style = (p.Style & ~(CBS_AUTOHSCROLL | CBS_HASSTRINGS | CBS_OWNERDRAWFIXED |
                         CBS_OWNERDRAWVARIABLE | CBS_DROPDOWN | CBS_SIMPLE)) |
            CBS_DROPDOWNLIST;
  // The creation height is the height of the open list (rows of 20 pixels at 96 dpi).
  p.Height = Height() + ScaledLength(20) * std::max(DropDownCount(), 1);
}

void TComboBoxEx::CreateHandleDone() {
  if (images_)
    SendMessageW(Handle(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
  TCustomComboBox::CreateHandleDone();
}

HWND TComboBoxEx::ComboHandle() {
  return reinterpret_cast<HWND>(SendMessageW(Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
}

int TComboBoxEx::AddItem(const std::wstring& caption, int imageIndex) {
  return Items()->AddTagged(caption, imageIndex);
}

void TComboBoxEx::InsertWindowItem(int index, const std::wstring& text, intptr_t tag) {
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  item.iItem = index;
  std::wstring copy = text;
  item.pszText = copy.data();
  item.iImage = item.iSelectedImage = static_cast<int>(tag);
  SendMessageW(Handle(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TComboBoxEx::DeleteWindowItem(int index) {
  SendMessageW(Handle(), CBEM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TComboBoxEx::ClearWindowItems() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

void TComboBoxEx::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  if (HandleAllocated())
    SendMessageW(Handle(), CBEM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
}

void TComboBoxEx::AdjustDropDown() {
  HWND combo = ComboHandle();
  if (!combo) return;
  SendMessageW(combo, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(DropDownCount(), 1)), 0);
}

void TComboBoxEx::Notification(TComponent* component, TOperation operation) {
  TCustomComboBox::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    if (HandleAllocated() && !HasState(csDestroying))
      SendMessageW(Handle(), CBEM_SETIMAGELIST, 0, 0);
  }
}

}  // namespace ui
