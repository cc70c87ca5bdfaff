// Gallery rows of the status bar (with an owner-drawn panel) and the tab controls: tabs on each
// side (the top ones with icons), pages with close boxes and the old tab set.
#include "gallery/GalleryForm.h"
#include "ui/Bitmaps.h"
#include "ui/ImgList.h"
#include "ui/StatusBar.h"
#include "ui/TabCtrls.h"

namespace gallery {

namespace {
void Tabs(ui::TTabControl* t, ui::TTabPosition side) {
  t->Tabs()->SetText(L"One 一\nTwo\nThree");
  t->SetTabPosition(side);
}

// Three 12 x 12 icons, a coloured square each on the transparent corner colour.
ui::TImageList* TabIcons(ui::TComponent* owner) {
  auto* list = new ui::TImageList(owner);
  list->SetSize(12, 12);
  const ui::TColor inks[3] = {static_cast<ui::TColor>(RGB(30, 110, 200)),
                              static_cast<ui::TColor>(RGB(40, 160, 60)),
                              static_cast<ui::TColor>(RGB(210, 120, 20))};
  for (const ui::TColor ink : inks) {
    ui::TBitmap icon;
    icon.SetSize(12, 12);
    icon.Canvas()->Brush()->SetColor(ui::clFuchsia);
    icon.Canvas()->FillRect(RECT{0, 0, 12, 12});
    icon.Canvas()->Brush()->SetColor(ink);
    icon.Canvas()->FillRect(RECT{2, 2, 10, 10});
    list->AddMasked(&icon, ui::clFuchsia);
  }
  return list;
}
}  // namespace

// The owner-drawn panel: a swatch in the panel's middle, with the stock DC brush.
void TGalleryForm::DrawStatusPanel(ui::TStatusBar*, ui::TStatusPanel*, HDC dc, const RECT& r) {
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  const RECT swatch{cx - 5, cy - 5, cx + 5, cy + 5};
  SetDCBrushColor(dc, RGB(200, 60, 60));
  FillRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TGalleryForm::AddTabRows() {
  AddRow<ui::TStatusBar>(L"Status bar", 22, [this](ui::TStatusBar* s) {
    s->AddPanel(L"Ready", 50);
    s->AddPanel(L"中文", 40)->SetBevel(ui::TStatusPanelBevel::pbRaised);
    s->AddPanel(L"", 24)->SetStyle(ui::TStatusPanelStyle::psOwnerDraw);
    s->AddPanel(L"3", 30);
    s->OnDrawPanel = ui::MethodOf<&TGalleryForm::DrawStatusPanel>(this);
  });
  ui::TImageList* icons = TabIcons(this);
  AddRow<ui::TTabControl>(L"Tabs with icons", 50, [icons](ui::TTabControl* t) {
    Tabs(t, ui::TTabPosition::tpTop);
    t->SetImages(icons);
  });
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
