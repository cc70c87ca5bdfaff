// Common-control wrappers: the extended combo box with images per item.
#pragma once

#include "ui/ImgList.h"
#include "ui/StdCtrls.h"

namespace ui {

// A drop-down list whose items show an image of an image list. Items()' tags are the items'
// image indexes (AddItem sets both).
class TComboBoxEx : public TCustomComboBox {
  UI_CLASS(TComboBoxEx, TCustomComboBox)
 public:
  explicit TComboBoxEx(TComponent* AOwner);
  int AddItem(const std::wstring& caption, int imageIndex);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  // The system's inner combo box window.
  HWND ComboHandle();

  void InsertWindowItem(int index, const std::wstring& text, intptr_t tag) override;
  void DeleteWindowItem(int index) override;
  void ClearWindowItems() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void AdjustDropDown() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TCustomImageList* images_ = nullptr;
};

}  // namespace ui
