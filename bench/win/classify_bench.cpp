// Giving a window's controls their skinners against attaching the window's form skinner, measured
// in one run on a form shaped like the main window (labels, edits, spin edits, combo boxes, the
// extended ones too, push buttons) plus a check box and a radio group. Goal: classification
// under 5% of the attach. The rules alone (facts and decision, no skinner made) are shown too.
// The skin is the in-memory test skin: the rules read the skin data component's switches and its
// class-name map, not the images.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "BenchLine.h"
#include "skin/manager/ControlClassifier.h"
#include "skin/manager/WinSkinManage.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/Application.h"
#include "ui/CheckCtrls.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"

namespace {

// Microseconds per run of `measured`, `prepare` running before each run untimed.
double MicrosPerRun(const std::function<void()>& prepare, const std::function<void()>& measured) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  double seconds = 0;
  int runs = 0;
  for (; seconds < 0.5 || runs < 3; ++runs) {
    prepare();
    QueryPerformanceCounter(&t0);
    measured();
    QueryPerformanceCounter(&t1);
    seconds += static_cast<double>(t1.QuadPart - t0.QuadPart) / freq.QuadPart;
  }
  return seconds * 1e6 / runs;
}

template <class T>
T* Add(ui::TForm* form, int left, int top, int width) {
  auto* c = new T(form);
  c->SetParent(form);
  c->SetBounds(left, top, width, c->Height());
  return c;
}

// About the main window's size, with its kinds of controls.
ui::TForm* MakeForm() {
  auto* form = new ui::TForm(nullptr);
  form->SetBounds(40, 40, 620, 520);
  for (int i = 0; i < 5; ++i) Add<ui::TLabel>(form, 8, 8 + 28 * i, 60)->SetCaption(L"Label");
  Add<ui::TEdit>(form, 80, 8, 120);
  Add<ui::TSpinEdit>(form, 80, 36, 60);
  Add<ui::TSpinEdit>(form, 150, 36, 60);
  for (int i = 0; i < 3; ++i) Add<ui::TComboBox>(form, 80, 64 + 28 * i, 120);
  for (int i = 0; i < 2; ++i) Add<ui::TComboBoxEx>(form, 220, 64 + 28 * i, 120);
  Add<ui::TButton>(form, 360, 8, 75)->SetCaption(L"Search");
  Add<ui::TButton>(form, 360, 36, 75)->SetCaption(L"Advanced");
  Add<ui::TCheckBox>(form, 360, 64, 100)->SetCaption(L"Check");
  auto* group = Add<ui::TRadioGroup>(form, 360, 100, 150);
  group->Items()->AddStrings({L"One", L"Two", L"Three"});
  return form;
}

skin::TWinSkinForm* LiveSkinner(HWND wnd) {
  skin::TWinSkinForm* s = skin::SkinManager()->FindForm(wnd);
  return s && s->LifecycleState() == skin::TWinSkinForm::kLive ? s : nullptr;
}

// Dispatches without waiting (a wait would be counted as attach time) until the skinner is live.
skin::TWinSkinForm* PumpUntilLive(HWND wnd) {
  for (int i = 0; i < 1000000; ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (skin::TWinSkinForm* s = LiveSkinner(wnd)) return s;
  }
  return nullptr;
}

// Takes every control skinner off again, so the next classification starts from scratch.
void FreeControlSkinners(skin::TWinSkinForm& form) {
  while (!form.Controls().empty()) {
    skin::IControlSkinner* s = form.Controls().front();
    s->DetachSkin();
    s->FreeSkinner();  // leaves the list itself
  }
}

}  // namespace

int main() {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  ui::TForm* form = MakeForm();
  frametest::AddSkin(form, testskin::TestSkin());
  form->Show();
  SetForegroundWindow(form->Handle());
  const HWND wnd = form->Handle();
  if (!PumpUntilLive(wnd)) {
    std::printf("the window was not skinned\n");
    return 1;
  }
  const size_t skinners = LiveSkinner(wnd)->Controls().size();
  skin::TSkinManage* manager = skin::SkinManager();

  // Attaching the form skinner: taken off, attached again and set up (its controls included).
  const double attach = MicrosPerRun(
      [&] {
        if (skin::TWinSkinForm* s = manager->FindForm(wnd)) {
          s->Detach();
          s->MarkFinished();
          manager->PurgeForms();
        }
      },
      [&] {
        manager->SkinWindow(wnd);
        PumpUntilLive(wnd);
      });
  skin::TWinSkinForm* skinner = LiveSkinner(wnd);
  if (!skinner) return 1;

  // Only the classification is timed; taking the skinners off between runs is not.
  const double classify = MicrosPerRun([&] { FreeControlSkinners(*skinner); },
                                       [&] { skin::ClassifyFormControls(*skinner); });

  const skin::ClassifySwitches switches = skin::SwitchesOf(*skinner->SkinData());
  std::vector<ui::TControl*> controls;
  for (ui::TComponent* c : form->ComponentList())
    if (auto* control = dynamic_cast<ui::TControl*>(c)) controls.push_back(control);
  const double rules = MicrosPerRun([] {},
                                    [&] {
                                      for (ui::TControl* c : controls)
                                        (void)skin::DecideControl(skin::GatherFacts(c), switches);
                                    });

  std::printf("%zu controls, %zu skinners attached\n", controls.size(), skinners);
  std::printf("%-44s %9.1f us\n", "attaching the form (set-up included)", attach);
  std::printf("%-44s %9.1f us  %6.2f%% of the attach\n", "classifying its controls", classify,
              100.0 * classify / attach);
  std::printf("%-44s %9.1f us  %6.2f%% of the attach\n", "the rules alone (facts and decision)",
              rules, 100.0 * rules / attach);
  BenchLine("classify", "classifying a form's controls", classify, "us", "attaching the form",
            attach);
  BenchLine("classify", "the rules alone", rules, "us", "attaching the form", attach);
  delete form;
  return 0;
}
