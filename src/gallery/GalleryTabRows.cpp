// Gallery rows of the status bar and the tab controls: tabs on each side, pages with close boxes
// and the old tab set.
#include "gallery/GalleryForm.h"
#include "ui/StatusBar.h"
#include "ui/TabCtrls.h"

namespace gallery {

namespace {
void Tabs(ui::TTabControl* t, ui::TTabPosition side) {
  t->Tabs()->SetText(L"One 一\nTwo\nThree");
  t->SetTabPosition(side);
}
}  // namespace

void TGalleryForm::AddTabRows() {
  AddRow<ui::TStatusBar>(L"Status bar", 22, [](ui::TStatusBar* s) {
    s->AddPanel(L"Ready", 50);
    s->AddPanel(L"中文", 40)->SetBevel(ui::TStatusPanelBevel::pbRaised);
    s->AddPanel(L"3", 30);
  });
  AddRow<ui::TTabControl>(L"Tabs on top", 50,
                          [](ui::TTabControl* t) { Tabs(t, ui::TTabPosition::tpTop); });
  AddRow<ui::TTabControl>(L"Tabs at the bottom", 50,
                          [](ui::TTabControl* t) { Tabs(t, ui::TTabPosition::tpBottom); });
  AddRow<ui::TTabControl>(L"Tabs on the left", 90,
                          [](ui::TTabControl* t) { Tabs(t, ui::TTabPosition::tpLeft); });
  AddRow<ui::TTabControl>(L"Tabs on the right", 90,
                          [](ui::TTabControl* t) { Tabs(t, ui::TTabPosition::tpRight); });
  AddRow<ui::TPageControl>(L"Pages with close boxes", 60, [this](ui::TPageControl* p) {
    for (const wchar_t* caption : {L"Page 1", L"Page 2"}) {
      auto* sheet = new ui::TTabSheet(this);
      sheet->SetCaption(caption);
      sheet->SetPageControl(p);
    }
    p->SetTag(7777);
  });
  AddRow<ui::TTabSet>(L"Tab set", 21, [](ui::TTabSet* t) {
    t->Tabs()->SetText(L"A\nB 乙\nC");
    t->SetTabIndex(1);
  });
}

}  // namespace gallery
