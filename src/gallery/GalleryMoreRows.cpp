// Gallery rows of the speed and menu buttons, group boxes, panels, status bars, tab controls and
// the media player.
#include "gallery/GalleryForm.h"
#include "ui/Buttons.h"
#include "ui/CheckCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/MPlayer.h"
#include "ui/MenuButton.h"
#include "ui/StatusBar.h"
#include "ui/TabCtrls.h"

namespace gallery {

namespace {
// A 16 x 16 glyph in four images (up, disabled, down, latched) on the transparent corner colour.
void DrawSpeedGlyph(ui::TBitmap* glyph) {
  glyph->SetSize(64, 16);
  ui::TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(ui::clFuchsia);
  c->FillRect(RECT{0, 0, 64, 16});
  const ui::TColor inks[4] = {static_cast<ui::TColor>(RGB(30, 90, 170)), ui::clGray,
                              static_cast<ui::TColor>(RGB(20, 60, 120)),
                              static_cast<ui::TColor>(RGB(200, 90, 20))};
  for (int i = 0; i < 4; ++i) {
    c->Brush()->SetColor(inks[i]);
    c->FillRect(RECT{i * 16 + 3, 3, i * 16 + 13, 13});
  }
}

void Tabs(ui::TTabControl* t, ui::TTabPosition side) {
  t->Tabs()->SetText(L"One 一\nTwo\nThree");
  t->SetTabPosition(side);
}
}  // namespace

void TGalleryForm::AddMoreRows() {
  AddRow<ui::TSpeedButton>(L"Flat speed button", 24, [](ui::TSpeedButton* b) {
    b->SetCaption(L"Flat 平");
    b->SetFlat(true);
    DrawSpeedGlyph(b->Glyph());
    b->SetNumGlyphs(4);
  });
  // Each of the pair is a group of its own: one latched twin must not release the other.
  int group = 0;
  AddRow<ui::TSpeedButton>(L"Latched speed button", 24, [&group](ui::TSpeedButton* b) {
    b->SetCaption(L"Down");
    b->SetGroupIndex(++group);
    b->SetDown(true);
    DrawSpeedGlyph(b->Glyph());
    b->SetNumGlyphs(4);
  });
  AddRow<ui::TMenuButton>(L"Menu button", 25, [](ui::TMenuButton* b) {
    b->SetCaption(L"Menu 菜单");
    DrawSpeedGlyph(b->Glyph());
    b->Glyph()->SetSize(16, 16);
  });
  AddRow<ui::TGroupBox>(L"Group box", 44, [](ui::TGroupBox* g) { g->SetCaption(L"Group 分组"); });
  AddRow<ui::TPanel>(L"Panel", 30, [](ui::TPanel* p) { p->SetCaption(L"Panel 面板"); });
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
  AddRow<ui::TMediaPlayer>(L"Media player", 26, [](ui::TMediaPlayer* m) {
    m->SetEnabledButtons(ui::kMPAllButtons & ~(1u << 7));
    m->SetColoredButtons(1u << 0);
  });
}

}  // namespace gallery
