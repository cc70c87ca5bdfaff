// The header control: a row of captioned sections, each with a width, an alignment and an optional
// image of an image list. The sections live in the object and are written to the window whenever
// it is made.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/ImgList.h"

namespace ui {

struct THeaderSection {
  std::wstring Text;
  int Width = 50;
  TAlignment Alignment = TAlignment::taLeftJustify;
  int ImageIndex = -1;
  int SortOrder = 0;  // 1 ascending, -1 descending: the section shows a sort arrow
};

class THeaderControl : public TWinControl {
  UI_CLASS(THeaderControl, TWinControl)
 public:
  explicit THeaderControl(TComponent* AOwner);

  int SectionCount() const { return static_cast<int>(sections_.size()); }
  const THeaderSection& Section(int index) const {
    return sections_.at(static_cast<size_t>(index));
  }
  // Appends a section; answers its index.
  int AddSection(const THeaderSection& section);
  void DeleteSection(int index);
  void SetSortOrder(int index, int order);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // The section as the window takes it; `text` holds the caption the item points to.
  HDITEMW WindowItem(int index, std::wstring& text) const;
  void InsertWindowItem(int index);
  std::vector<THeaderSection> sections_;
  TCustomImageList* images_ = nullptr;
};

}  // namespace ui
