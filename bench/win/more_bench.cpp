// Skinned paint of a 10-tab control and a three-panel status bar against the system's own paint
// of the same control beside it (Tag 99 keeps the twin native), in one run; plus the GDI objects
// repeated paints create. Usage: more_bench [path/to/default.skn].
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSkin.h"
#include "BenchSupport.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/StatusBar.h"
#include "ui/TabCtrls.h"

namespace {

double PaintCost(ui::TWinControl* c) {
  return bench::MicrosPerCall([&] {
    RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  });
}

ui::TTabControl* Tabs(ui::TForm* form, int left, ui::TTabPosition side) {
  auto* t = new ui::TTabControl(form);
  t->SetParent(form);
  t->SetBounds(left, 10, 380, 200);
  t->SetTabPosition(side);
  for (int i = 1; i <= 10; ++i) t->Tabs()->Add(L"Tab " + std::to_wstring(i));
  return t;
}

ui::TStatusBar* Bar(ui::TForm* form, int left) {
  auto* s = new ui::TStatusBar(form);
  s->SetParent(form);
  s->SetBounds(left, 420, 380, 22);
  s->AddPanel(L"Ready", 120);
  s->AddPanel(L"状态", 120)->SetBevel(ui::TStatusPanelBevel::pbRaised);
  s->AddPanel(L"3", 100);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  ui::Application->Initialize();
  const std::vector<uint8_t> payload = bench::SkinPayload(argc, argv);
  skin::SkinManagerScope scope;

  auto* form = new ui::TForm(nullptr);
  form->SetBounds(20, 20, 10, 10);
  form->SetClientSize(800, 460);
  auto* tabs = Tabs(form, 10, ui::TTabPosition::tpTop);
  auto* nativeTabs = Tabs(form, 410, ui::TTabPosition::tpTop);
  auto* left = Tabs(form, 10, ui::TTabPosition::tpLeft);
  auto* nativeLeft = Tabs(form, 410, ui::TTabPosition::tpLeft);
  left->SetTop(215);
  nativeLeft->SetTop(215);
  auto* bar = Bar(form, 10);
  auto* nativeBar = Bar(form, 410);
  for (ui::TControl* c :
       {static_cast<ui::TControl*>(nativeTabs), static_cast<ui::TControl*>(nativeLeft),
        static_cast<ui::TControl*>(nativeBar)})
    c->SetTag(99);

  bench::AddSkin(form, payload);
  bench::ShowAndWait(form, true);
  if (SendMessageW(tabs->Handle(), skin::SM_ISSKINNED, 0, 0) != 1 ||
      SendMessageW(bar->Handle(), skin::SM_ISSKINNED, 0, 0) != 1) {
    std::printf("the controls were not skinned\n");
    return 1;
  }

  bench::Row("more", "tab control, 10 tabs on top, skinned", PaintCost(tabs), "system paint",
             PaintCost(nativeTabs));
  bench::Row("more", "tab control, 10 tabs on the left, skinned", PaintCost(left), "system paint",
             PaintCost(nativeLeft));
  bench::Row("more", "status bar, 3 panels and grip, skinned", PaintCost(bar), "system paint",
             PaintCost(nativeBar));

  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 100; ++i)
    for (ui::TWinControl* c :
         {static_cast<ui::TWinControl*>(tabs), static_cast<ui::TWinControl*>(left),
          static_cast<ui::TWinControl*>(bar)})
      RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  std::printf("%-44s %9ld handles, %ld GDI objects (300 paints)\n", "objects created by paints",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);
  delete form;
  return 0;
}
