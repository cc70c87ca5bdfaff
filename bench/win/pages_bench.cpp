// Skinned paint of a header, a progress bar (lying and standing) and a track bar against the
// system's own paint of the same control beside it (Tag 99 keeps the twin native), in one run; plus
// the GDI objects repeated paints create. Usage: pages_bench [path/to/default.skn].
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "BenchSkin.h"
#include "BenchSupport.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/HeaderCtrls.h"
#include "ui/RangeCtrls.h"

namespace {

template <class T>
T* Make(ui::TForm* form, int left, int top, int width, int height) {
  T* c = new T(form);
  c->SetParent(form);
  c->SetBounds(left, top, width, height);
  return c;
}

// A skinned control and its native twin.
struct Pair {
  const char* what;
  ui::TWinControl* skinned;
  ui::TWinControl* native;
};

template <class T, class Setup>
Pair MakePair(ui::TForm* form, const char* what, int top, int width, int height, Setup setup) {
  T* skinned = Make<T>(form, 10, top, width, height);
  T* native = Make<T>(form, 320, top, width, height);
  setup(skinned);
  setup(native);
  native->SetTag(99);
  return {what, skinned, native};
}

// The machine is shared: the two paints are measured in turns and each keeps its best turn, so
// that a burst of load on one side does not decide the ratio.
std::pair<double, double> BestOfTurns(const Pair& p, int turns = 5) {
  double skinned = 1e30, native = 1e30;
  for (int i = 0; i < turns; ++i) {
    skinned = std::min(skinned, bench::PaintCost(p.skinned));
    native = std::min(native, bench::PaintCost(p.native));
  }
  return {skinned, native};
}

}  // namespace

int main(int argc, char** argv) {
  ui::Application->Initialize();
  const std::vector<uint8_t> payload = bench::SkinPayload(argc, argv);
  skin::SkinManagerScope scope;

  auto* form = bench::NewForm(640, 300);
  const std::vector<Pair> pairs = {
      MakePair<ui::THeaderControl>(form, "header, 3 items 300x20, skinned", 10, 300, 20,
                                   [](ui::THeaderControl* h) {
                                     for (const wchar_t* t : {L"Goods", L"Price", L"Sold"})
                                       h->AddSection({t, 90});
                                   }),
      MakePair<ui::TProgressBar>(form, "progress bar 200x16, skinned", 50, 200, 16,
                                 [](ui::TProgressBar* p) { p->SetPosition(60); }),
      MakePair<ui::TProgressBar>(form, "vertical progress bar 16x120, skinned", 80, 16, 120,
                                 [](ui::TProgressBar* p) {
                                   p->SetOrientation(ui::TProgressBarOrientation::pbVertical);
                                   p->SetPosition(60);
                                 }),
      MakePair<ui::TTrackBar>(form, "track bar 200x45, skinned", 220, 200, 45,
                              [](ui::TTrackBar* t) { t->SetPosition(4); }),
  };
  bench::AddSkin(form, payload);
  bench::ShowAndWait(form, true);
  for (const Pair& p : pairs)
    if (SendMessageW(p.skinned->Handle(), skin::SM_ISSKINNED, 0, 0) != 1) {
      std::printf("%s: the control was not skinned\n", p.what);
      return 1;
    }

  for (const Pair& p : pairs) {
    const auto [skinned, native] = BestOfTurns(p);
    bench::Row("pages", p.what, skinned, "system paint", native);
  }

  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 100; ++i)
    for (const Pair& p : pairs)
      RedrawWindow(p.skinned->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  std::printf("%-44s %9ld handles, %ld GDI objects (400 paints)\n", "objects created by paints",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);
  BenchLine("pages", "GDI objects left by 400 skinned paints",
            static_cast<double>(wintest::LiveGdiObjects() - gdi), "objects", "none expected", 0);
  delete form;
  return 0;
}
