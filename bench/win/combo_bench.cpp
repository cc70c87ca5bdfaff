// Skinned paint of a drop-down list combo box (and of an extended combo box, as the program's
// credit lists are) against the system's own paint of the same control beside it (Tag 99 keeps
// the twin native), in one run; plus the GDI objects and handles repeated paints create.
// Usage: combo_bench [path/to/default.skn].
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "BenchSkin.h"
#include "BenchSupport.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

namespace {

template <class T>
T* Make(ui::TForm* form, int left, int top, int width, int height) {
  T* c = new T(form);
  c->SetParent(form);
  c->SetBounds(left, top, width, height);
  for (int i = 1; i <= 20; ++i) c->Items()->Add(L"Item 项目 " + std::to_wstring(i));
  c->SetItemIndex(0);
  return c;
}

// A whole repaint of the control and its child windows, as an uncovered combo gets.
void Redraw(ui::TWinControl* c) {
  RedrawWindow(c->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
}

// The skinned control's and its twin's repaint, measured in alternating rounds and each taken at
// its best round, so that a burst of load on a shared machine does not fall on one side only.
void Compare(const char* what, ui::TWinControl* skinned, ui::TWinControl* native) {
  double best = 1e30, bestNative = 1e30;
  for (int round = 0; round < 8; ++round) {
    best = std::min(best, bench::MicrosPerCall([&] { Redraw(skinned); }, 0.1));
    bestNative = std::min(bestNative, bench::MicrosPerCall([&] { Redraw(native); }, 0.1));
  }
  bench::Row("combo", what, best, "system paint", bestNative);
}

}  // namespace

int main(int argc, char** argv) {
  ui::Application->Initialize();
  const std::vector<uint8_t> payload = bench::SkinPayload(argc, argv);
  skin::SkinManagerScope scope;

  auto* form = bench::NewForm(400, 200);
  auto* combo = Make<ui::TComboBox>(form, 10, 10, 174, 21);
  auto* nativeCombo = Make<ui::TComboBox>(form, 200, 10, 174, 21);
  auto* ex = Make<ui::TComboBoxEx>(form, 10, 60, 113, 22);
  auto* nativeEx = Make<ui::TComboBoxEx>(form, 200, 60, 113, 22);
  combo->SetStyle(ui::TComboBoxStyle::csDropDownList);
  nativeCombo->SetStyle(ui::TComboBoxStyle::csDropDownList);
  nativeCombo->SetTag(99);
  nativeEx->SetTag(99);

  bench::AddSkin(form, payload);
  bench::ShowAndWait(form, true);
  if (SendMessageW(combo->Handle(), skin::SM_ISSKINNED, 0, 0) != 1 ||
      SendMessageW(ex->Handle(), skin::SM_ISSKINNED, 0, 0) != 1) {
    std::printf("the combo boxes were not skinned\n");
    return 1;
  }

  Compare("drop-down list 174x21, skinned", combo, nativeCombo);
  Compare("extended combo 113x22, skinned", ex, nativeEx);

  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 100; ++i)
    for (ui::TWinControl* c :
         {static_cast<ui::TWinControl*>(combo), static_cast<ui::TWinControl*>(ex)})
      Redraw(c);
  std::printf("%-44s %9ld handles, %ld GDI objects (200 paints)\n", "objects created by paints",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);
  delete form;
  return 0;
}
