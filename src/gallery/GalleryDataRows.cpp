// Gallery rows of the data-showing common controls: a header with each alignment, progress bars
// (one lying, one standing, one whose range does not start at 0), a track bar and a date picker.
#include "gallery/GalleryForm.h"
#include "ui/DateTimeCtrls.h"
#include "ui/HeaderCtrls.h"
#include "ui/RangeCtrls.h"

namespace gallery {

void TGalleryForm::AddDataRows() {
  AddRow<ui::THeaderControl>(L"Header", 20, [](ui::THeaderControl* h) {
    h->AddSection({L"Goods 商品", 60, ui::TAlignment::taLeftJustify});
    h->AddSection({L"Price", 45, ui::TAlignment::taRightJustify, -1, 1});
    h->AddSection({L"Sold", 35, ui::TAlignment::taCenter});
  });
  AddRow<ui::TProgressBar>(L"Progress bar (60 of 100)", 16,
                           [](ui::TProgressBar* p) { p->SetPosition(60); });
  AddRow<ui::TProgressBar>(L"Progress 150 in 100-200", 16, [](ui::TProgressBar* p) {
    p->SetMin(100);
    p->SetMax(200);
    p->SetPosition(150);
  });
  AddRow<ui::TProgressBar>(L"Vertical progress bar", 40, [](ui::TProgressBar* p) {
    p->SetOrientation(ui::TProgressBarOrientation::pbVertical);
    p->SetWidth(16);
    p->SetPosition(30);
  });
  AddRow<ui::TTrackBar>(L"Track bar", 30, [](ui::TTrackBar* t) { t->SetPosition(3); });
  AddRow<ui::TDateTimePicker>(L"Date picker 日期", 21, [](ui::TDateTimePicker*) {});
}

}  // namespace gallery
