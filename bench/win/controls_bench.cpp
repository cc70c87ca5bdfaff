// Skinned paint of a 75 x 25 push button, a check box and a radio button against the system's own
// paint of the same control beside it (Tag 99 keeps the twin native), in one run; plus the GDI
// objects repeated paints create. Usage: controls_bench [path/to/default.skn].
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSkin.h"
#include "BenchSupport.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/CheckCtrls.h"
#include "ui/StdCtrls.h"

namespace {

template <class T>
T* Make(ui::TForm* form, int left, int top, int width, int height, const wchar_t* caption) {
  T* c = new T(form);
  c->SetParent(form);
  c->SetBounds(left, top, width, height);
  c->SetCaption(caption);
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  ui::Application->Initialize();
  const std::vector<uint8_t> payload = bench::SkinPayload(argc, argv);
  skin::SkinManagerScope scope;

  auto* form = bench::NewForm(400, 200);
  auto* button = Make<ui::TButton>(form, 10, 10, 75, 25, L"Search");
  auto* nativeButton = Make<ui::TButton>(form, 200, 10, 75, 25, L"Search");
  auto* check = Make<ui::TCheckBox>(form, 10, 50, 120, 21, L"Checked");
  auto* nativeCheck = Make<ui::TCheckBox>(form, 200, 50, 120, 21, L"Checked");
  auto* radio = Make<ui::TRadioButton>(form, 10, 90, 120, 21, L"Radio");
  auto* nativeRadio = Make<ui::TRadioButton>(form, 200, 90, 120, 21, L"Radio");
  check->SetChecked(true);
  nativeCheck->SetChecked(true);
  for (ui::TControl* c :
       {static_cast<ui::TControl*>(nativeButton), static_cast<ui::TControl*>(nativeCheck),
        static_cast<ui::TControl*>(nativeRadio)})
    c->SetTag(99);

  bench::AddSkin(form, payload);
  bench::ShowAndWait(form, true);
  if (SendMessageW(button->Handle(), skin::SM_ISSKINNED, 0, 0) != 1) {
    std::printf("the controls were not skinned\n");
    return 1;
  }

  bench::Row("controls", "push button 75x25, skinned", bench::PaintCost(button), "system paint",
             bench::PaintCost(nativeButton));
  bench::Row("controls", "check box, skinned", bench::PaintCost(check), "system paint",
             bench::PaintCost(nativeCheck));
  bench::Row("controls", "radio button, skinned", bench::PaintCost(radio), "system paint",
             bench::PaintCost(nativeRadio));

  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 100; ++i)
    for (ui::TWinControl* c :
         {static_cast<ui::TWinControl*>(button), static_cast<ui::TWinControl*>(check),
          static_cast<ui::TWinControl*>(radio)})
      RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  std::printf("%-44s %9ld handles, %ld GDI objects (300 paints)\n", "objects created by paints",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);
  delete form;
  return 0;
}
