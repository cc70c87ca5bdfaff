// Gallery rows of the buttons that are not push buttons: flat and latched speed buttons, a menu
// button and the media player's row of buttons.
#include "gallery/GalleryForm.h"
#include "ui/Buttons.h"
#include "ui/MPlayer.h"
#include "ui/MenuButton.h"

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
}  // namespace

void TGalleryForm::AddToolButtonRows() {
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
  AddRow<ui::TMediaPlayer>(L"Media player", 26, [](ui::TMediaPlayer* m) {
    m->SetEnabledButtons(ui::kMPAllButtons & ~(1u << 7));
    m->SetColoredButtons(1u << 0);
  });
}

}  // namespace gallery
