#include "ui/HeaderCtrls.h"

#include <commctrl.h>

#include "ui/TypInfo.h"

namespace ui {

UI_IMPLEMENT_CLASS(THeaderControl, TWinControl,
                   P::Obj<TCustomImageList>("Images", &THeaderControl::Images,
                                            &THeaderControl::SetImages))

THeaderControl::THeaderControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 200, 20);
}

void THeaderControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, WC_HEADERW);
  p.Style |= HDS_HORZ | HDS_BUTTONS | HDS_HOTTRACK;
}

void THeaderControl::CreateHandleDone() {
  if (images_)
    SendMessageW(Handle(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
  for (int i = 0; i < SectionCount(); ++i) InsertWindowItem(i);
  TWinControl::CreateHandleDone();
}

HDITEMW THeaderControl::WindowItem(int index, std::wstring& text) const {
  const THeaderSection& s = Section(index);
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  text = s.Text;
  item.pszText = text.data();
  item.cxy = s.Width;
  item.fmt = HDF_STRING;
  if (s.Alignment == TAlignment::taRightJustify) item.fmt |= HDF_RIGHT;
  if (s.Alignment == TAlignment::taCenter) item.fmt |= HDF_CENTER;
  if (s.ImageIndex >= 0) {
    item.mask |= HDI_IMAGE;
    item.fmt |= HDF_IMAGE;
    item.iImage = s.ImageIndex;
  }
  if (s.SortOrder > 0) item.fmt |= HDF_SORTUP;
  if (s.SortOrder < 0) item.fmt |= HDF_SORTDOWN;
  return item;
}

void THeaderControl::InsertWindowItem(int index) {
  std::wstring text;
  HDITEMW item = WindowItem(index, text);
  SendMessageW(Handle(), HDM_INSERTITEMW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::SetSortOrder(int index, int order) {
  if (index < 0 || index >= SectionCount()) return;
  sections_[static_cast<size_t>(index)].SortOrder = order;
  if (!HandleAllocated()) return;
  std::wstring text;
  HDITEMW item = WindowItem(index, text);
  SendMessageW(Handle(), HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int THeaderControl::AddSection(const THeaderSection& section) {
  sections_.push_back(section);
  const int index = SectionCount() - 1;
  if (HandleAllocated()) InsertWindowItem(index);
  return index;
}

void THeaderControl::DeleteSection(int index) {
  if (index < 0 || index >= SectionCount()) return;
  sections_.erase(sections_.begin() + index);
  if (HandleAllocated()) SendMessageW(Handle(), HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void THeaderControl::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  if (HandleAllocated())
    SendMessageW(Handle(), HDM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
}

void THeaderControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    if (HandleAllocated() && !HasState(csDestroying))
      SendMessageW(Handle(), HDM_SETIMAGELIST, 0, 0);
  }
}

}  // namespace ui
