// Skinned paint of a drop-down list combo box (and of an extended combo box, as the program's
// credit lists are) against the system's own paint of the same control beside it (Tag 99 keeps
// the twin native), in one run, both sides without the focus and then each with it while it is
// measured; plus the GDI objects and handles repeated paints create.
// Usage: combo_bench [path/to/default.skn].
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ControlBenchSupport.h"
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

// The skinned control's and its twin's repaint, measured in alternating batches and each taken at
// its best, so that a burst of load on a shared machine does not fall on one side only.
void Compare(const char* what, ui::TWinControl* skinned, ui::TWinControl* native,
             bool focused = false) {
  bench::RepaintRow("combo", what, skinned->Handle(), native->Handle(), RDW_ALLCHILDREN, focused);
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
  // Holds the focus while the rows that compare unfocused controls run: the form gives it to its
  // first control, which would be the skinned combo alone.
  auto* holder = new ui::TButton(form);
  holder->SetParent(form);
  holder->SetBounds(10, 150, 60, 22);
  holder->SetTag(99);

  bench::AddSkin(form, payload);
  bench::ShowAndWait(form, true);
  if (SendMessageW(combo->Handle(), skin::SM_ISSKINNED, 0, 0) != 1 ||
      SendMessageW(ex->Handle(), skin::SM_ISSKINNED, 0, 0) != 1) {
    std::printf("the combo boxes were not skinned\n");
    return 1;
  }

  holder->SetFocus();
  bench::Pump();
  Compare("drop-down list 174x21, skinned", combo, nativeCombo);
  Compare("extended combo 113x22, skinned", ex, nativeEx);
  Compare("drop-down list 174x21 with focus, skinned", combo, nativeCombo, true);
  Compare("extended combo 113x22 with focus, skinned", ex, nativeEx, true);
  holder->SetFocus();
  bench::Pump();

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
