// Skinned scroll bars against the system's own, in one run: an overlay's repaint beside the
// native bar's repaint of a 100-item list box, resizing a memo with both bars skinned beside the
// same memo unskinned (Tag 99), and the GDI objects repeated paints create.
// Usage: scroll_bench [path/to/default.skn].
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSkin.h"
#include "BenchSupport.h"
#include "skin/controls/SkinScrollbars.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/ListCtrls.h"

namespace {

constexpr int kNativeTag = 99;

ui::TListBox* MakeList(ui::TForm* form, int left) {
  auto* list = new ui::TListBox(form);
  list->SetParent(form);
  list->SetBounds(left, 10, 150, 200);
  for (int i = 0; i < 100; ++i) list->Items()->Add(L"Item " + std::to_wstring(i));
  return list;
}

ui::TMemo* MakeMemo(ui::TForm* form, int left) {
  auto* memo = new ui::TMemo(form);
  memo->SetParent(form);
  memo->SetBounds(left, 230, 200, 150);
  memo->SetWordWrap(false);
  memo->SetScrollBars(ui::TScrollStyle::ssBoth);
  std::vector<std::wstring> lines(60, std::wstring(90, L'x'));
  memo->SetLines(lines);
  return memo;
}

// Everything a resize leaves to paint (the control, its bars, their overlays) is painted.
double ResizeCost(ui::TForm* form, ui::TMemo* memo) {
  int step = 0;
  const int left = memo->Left();
  return bench::MicrosPerCall([&] {
    ++step;
    memo->SetBounds(left, 230, 200 + (step % 2) * 40, 150 + (step % 2) * 30);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    bench::Pump();
  });
}

}  // namespace

int main(int argc, char** argv) {
  ui::Application->Initialize();
  const std::vector<uint8_t> payload = bench::SkinPayload(argc, argv);
  skin::SkinManagerScope scope;

  auto* form = bench::NewForm(600, 420);
  ui::TListBox* list = MakeList(form, 10);
  ui::TListBox* nativeList = MakeList(form, 300);
  ui::TMemo* memo = MakeMemo(form, 10);
  ui::TMemo* nativeMemo = MakeMemo(form, 300);
  nativeList->SetTag(kNativeTag);
  nativeMemo->SetTag(kNativeTag);
  bench::AddSkin(form, payload);
  bench::ShowAndWait(form, true);
  bench::Pump();
  auto* skinner = dynamic_cast<skin::TSkinScrollbar*>(
      skin::SkinManager()->FindForm(form->Handle())->FindSkinnerByWindow(list->Handle()));
  if (!skinner || !skinner->VertBar() || !skinner->VertBar()->Visible()) {
    std::printf("the list box's bar was not skinned\n");
    return 1;
  }
  const HWND overlay = skinner->VertBar()->Window();

  const double overlayPaint = bench::MicrosPerCall(
      [&] { RedrawWindow(overlay, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
  // The system repaints its bar with the window's frame.
  const double nativePaint =
      bench::MicrosPerCall([&] { SendMessageW(nativeList->Handle(), WM_NCPAINT, 1, 0); });
  bench::Row("scroll", "overlay bar repaint (100-item list)", overlayPaint, "system bar",
             nativePaint);
  bench::Row("scroll", "memo resize, both bars skinned", ResizeCost(form, memo), "unskinned",
             ResizeCost(form, nativeMemo));
  // Every message the overlay gets first finds its object: against a framework control's own.
  bench::Row("scroll", "message to an overlay (binding)",
             bench::MicrosPerCall([&] { SendMessageW(overlay, WM_NULL, 0, 0); }),
             "to a framework control",
             bench::MicrosPerCall([&] { SendMessageW(nativeList->Handle(), WM_NULL, 0, 0); }));

  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    RedrawWindow(overlay, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RedrawWindow(memo->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  std::printf("%-44s %9ld handles, %ld GDI objects (200 paints)\n", "objects created by paints",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);
  delete form;
  return 0;
}
