// Skinned paint of an edit box, an up-down and a spin edit against the system's own paint of the
// same control beside it (Tag 99 keeps the twin native), in one run, both sides without the focus
// (and the edit again with it, each side focused while it is measured); plus the GDI objects
// repeated paints create. The edits are repainted with their frames, so the border band is drawn
// after both the frame and the client paint. Usage: edits_bench [path/to/default.skn].
#include <windows.h>

#include <cstdio>
#include <vector>

#include "ControlBenchSupport.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"
#include "ui/UpDown.h"

namespace {

template <class T>
T* Make(ui::TForm* form, int left, int top, int width, int height) {
  T* c = new T(form);
  c->SetParent(form);
  c->SetBounds(left, top, width, height);
  return c;
}

// The skinned control and its native twin.
template <class T>
struct Pair {
  T* skinned;
  T* native;
  Pair(ui::TForm* form, int top, int width, int height)
      : skinned(Make<T>(form, 10, top, width, height)),
        native(Make<T>(form, 200, top, width, height)) {
    native->SetTag(99);
  }
};

}  // namespace

int main(int argc, char** argv) {
  ui::Application->Initialize();
  const std::vector<uint8_t> payload = bench::SkinPayload(argc, argv);
  skin::SkinManagerScope scope;

  auto* form = bench::NewForm(400, 160);
  Pair<ui::TEdit> edit(form, 10, 113, 21);
  edit.skinned->SetText(L"Keyword 关键字");
  edit.native->SetText(L"Keyword 关键字");
  Pair<ui::TUpDown> upDown(form, 50, 17, 25);
  Pair<ui::TSpinEdit> spin(form, 100, 72, 22);
  spin.native->Button()->SetTag(99);
  // Holds the focus while the rows that compare unfocused controls run: the form gives it to its
  // first control, which would be the skinned edit alone.
  auto* holder = Make<ui::TButton>(form, 300, 130, 60, 22);
  holder->SetTag(99);
  bench::AddSkin(form, payload);
  bench::ShowAndWait(form, true);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  for (ui::TWinControl* c :
       {static_cast<ui::TWinControl*>(edit.skinned), static_cast<ui::TWinControl*>(upDown.skinned),
        static_cast<ui::TWinControl*>(spin.skinned->Button())})
    if (SendMessageW(c->Handle(), skin::SM_ISSKINNED, 0, 0) != 1) {
      std::printf("the controls were not skinned\n");
      return 1;
    }

  holder->SetFocus();
  bench::Pump();
  bench::RepaintRow("edits", "edit 113x21 with frame, skinned", edit.skinned->Handle(),
                    edit.native->Handle(), RDW_FRAME);
  bench::RepaintRow("edits", "edit 113x21 with frame and focus, skinned", edit.skinned->Handle(),
                    edit.native->Handle(), RDW_FRAME, true);
  holder->SetFocus();
  bench::Pump();
  bench::RepaintRow("edits", "up-down 17x25, skinned", upDown.skinned->Handle(),
                    upDown.native->Handle());
  bench::RepaintRow("edits", "spin edit 72x22 and button, skinned", spin.skinned->Handle(),
                    spin.native->Handle(), RDW_FRAME | RDW_ALLCHILDREN);

  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 100; ++i)
    for (ui::TWinControl* c : {static_cast<ui::TWinControl*>(edit.skinned),
                               static_cast<ui::TWinControl*>(upDown.skinned),
                               static_cast<ui::TWinControl*>(spin.skinned)})
      RedrawWindow(c->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  std::printf("%-44s %9ld handles, %ld GDI objects (300 paints)\n", "objects created by paints",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);
  delete form;
  return 0;
}
