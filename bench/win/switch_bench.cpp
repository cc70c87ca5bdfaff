// A run-time skin switch of the whole gallery (every window re-skinned and repainted) against a
// full repaint of the same gallery in the same skin, in one run; the goal is under 50 ms. Two
// switches: to a skin with another frame and colours (the window is re-fitted, and the native
// twins whose colour follows the form's are painted too) and to a skin with the same frame (only
// the skinned windows are painted).
// The last rows set the skinned column's switch beside the system's own repaint of the native
// twins: the same kinds of control, painted without a skin.
// Usage: switch_bench [path/to/default.skn]; the other skin is dark.skn beside it when there is
// one, else an in-memory test skin. TARVIMO_BENCH_DETAIL=1 adds each row's repaint cost.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchSkin.h"
#include "BenchSupport.h"
#include "TestSkin.h"
#include "gallery/GalleryForm.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"

namespace {

// The second skin as a file the gallery can load.
std::wstring OtherSkinFile(int argc, char** argv) {
  if (argc > 1) {
    std::string dir = argv[1];
    dir.erase(dir.find_last_of("\\/") + 1);
    if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
    const std::wstring dark(dir.begin(), dir.end());
    if (GetFileAttributesW((dark + L"dark.skn").c_str()) != INVALID_FILE_ATTRIBUTES)
      return dark + L"dark.skn";
  }
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"tarvimo-switch-bench.skn";
  const std::vector<uint8_t> bytes = testskin::TestSkin().Stream();
  std::ofstream(std::filesystem::path(path), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Microseconds to repaint one row's control: its window with its children, or its parent's area
// for a control without a window.
double RowRepaintUs(ui::TControl* c) {
  if (!c) return 0;
  if (auto* w = dynamic_cast<ui::TWinControl*>(c); w && w->HandleAllocated()) {
    const HWND h = w->Handle();
    return bench::MicrosPerCall(
        [&] {
          RedrawWindow(h, nullptr, nullptr,
                       RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        },
        0.02);
  }
  if (!c->Parent() || !c->Parent()->HandleAllocated()) return 0;
  const HWND parent = c->Parent()->Handle();
  const RECT r = c->BoundsRect();
  return bench::MicrosPerCall(
      [&] {
        RedrawWindow(parent, &r, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      },
      0.02);
}

void PrintRowCosts(const gallery::TGalleryForm& form) {
  double skinnedSum = 0, nativeSum = 0;
  for (const auto& row : form.Rows()) {
    const double s = RowRepaintUs(row.skinned), n = RowRepaintUs(row.native);
    skinnedSum += s;
    nativeSum += n;
    std::printf("  %-36ls %9.1f us skinned %9.1f us native\n", row.title.c_str(), s, n);
  }
  std::printf("  all rows: %.1f us skinned, %.1f us native\n", skinnedSum, nativeSum);
}

// Milliseconds to make, show (skinned: until the skinner is live) and free the whole gallery.
struct GalleryCycle {
  double shownMs = 0, freedMs = 0;
};
GalleryCycle TimeGalleryCycle(const std::vector<uint8_t>* payload) {
  LARGE_INTEGER freq, t0, t1, t2;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  auto* gallery = new gallery::TGalleryForm(nullptr);
  if (payload) gallery->LoadSkin(*payload);
  bench::ShowAndWait(gallery, payload != nullptr);
  QueryPerformanceCounter(&t1);
  delete gallery;
  bench::Pump();
  QueryPerformanceCounter(&t2);
  const auto ms = [&](LARGE_INTEGER a, LARGE_INTEGER b) {
    return static_cast<double>(b.QuadPart - a.QuadPart) * 1e3 / static_cast<double>(freq.QuadPart);
  };
  return {ms(t0, t1), ms(t1, t2)};
}

void RepaintAll(HWND wnd) {
  RedrawWindow(wnd, nullptr, nullptr,
               RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

int main(int argc, char** argv) {
  ui::Application->Initialize();
  const std::vector<uint8_t> payload = bench::SkinPayload(argc, argv);
  const std::vector<uint8_t> first(payload.begin() + 4, payload.end());
  const std::wstring other = OtherSkinFile(argc, argv);
  skin::SkinManagerScope scope;
  // The gallery's life: made, shown and freed, skinned and not (each after a first round that
  // registers the classes and fills the system's caches).
  TimeGalleryCycle(nullptr);
  const GalleryCycle plain = TimeGalleryCycle(nullptr);
  TimeGalleryCycle(&payload);
  const GalleryCycle skinned = TimeGalleryCycle(&payload);
  bench::Row("switch", "gallery made and shown, skinned", skinned.shownMs * 1000, "unskinned",
             plain.shownMs * 1000);
  bench::Row("switch", "gallery freed, skinned", skinned.freedMs * 1000, "unskinned",
             plain.freedMs * 1000);

  auto* form = new gallery::TGalleryForm(nullptr);
  form->OnSkinError = [](const std::wstring& why) { std::printf("%ls\n", why.c_str()); };
  if (!form->LoadSkin(payload)) return 1;
  bench::ShowAndWait(form, true);
  const HWND wnd = form->Handle();
  skin::TSkinManage* manager = skin::SkinManager();

  // One switch: the skin read, every window re-skinned by the manager's pending request (run at
  // once instead of after its deliberate delay), and whatever that left invalid painted.
  const auto switchTo = [&](bool toOther) {
    const bool loaded =
        toOther ? form->SkinData1->LoadSkinFile(other) : form->SkinData1->LoadSkinStream(first);
    if (!loaded) std::printf("switch failed: %s\n", form->SkinData1->LastError().c_str());
    manager->RunAction();
    RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  bool toOther = true;
  const auto switchBackAndForth = [&] {
    switchTo(toOther);
    toOther = !toOther;
  };
  const double otherFrameUs = bench::MicrosPerCall(switchBackAndForth, 1.0);
  if (!toOther) switchBackAndForth();  // back to the first skin
  const double sameFrameUs = bench::MicrosPerCall([&] { switchTo(false); }, 1.0);
  const double repaintUs = bench::MicrosPerCall([&] { RepaintAll(wnd); });
  // Of which reading the skins (both, alternately) is the share the windows do not cause.
  bool readOther = true;
  const double readUs = bench::MicrosPerCall([&] {
    if (readOther)
      form->SkinData1->LoadSkinFile(other);
    else
      form->SkinData1->LoadSkinStream(first);
    readOther = !readOther;
  });
  switchTo(false);
  if (const char* detail = std::getenv("TARVIMO_BENCH_DETAIL"); detail && *detail)
    PrintRowCosts(*form);
  bench::Row("switch", "switch to another frame, whole gallery", otherFrameUs, "full repaint",
             repaintUs);
  bench::Row("switch", "switch to another frame, whole gallery ", otherFrameUs, "goal 50 ms",
             50000.0);
  bench::Row("switch", "switch to the same frame, whole gallery", sameFrameUs, "full repaint",
             repaintUs);
  bench::Row("switch", "switch to the same frame, whole gallery ", sameFrameUs, "goal 50 ms",
             50000.0);
  bench::Row("switch", "reading the skin", readUs, "switch to another frame", otherFrameUs);

  // Every message a framework window gets finds the window's object first. A message through
  // the first row's skinned button (framework procedure, skinner, the control's own handler)
  // against one read of the window's binding property, which is a round trip to the window
  // server under Wine: the procedure reads the window's extra bytes instead.
  if (auto* button = dynamic_cast<ui::TWinControl*>(form->Rows().front().skinned)) {
    const HWND h = button->Handle();
    const double messageUs = bench::MicrosPerCall([&] { SendMessageW(h, WM_NULL, 0, 0); });
    const double propertyUs =
        bench::MicrosPerCall([&] { GetPropW(h, MAKEINTATOM(ui::ControlAtom())); });
    bench::Row("switch", "one message through a skinned button", messageUs,
               "one read of its binding property", propertyUs);
  }

  // Counted from a state every cache has seen: one round trip first.
  switchTo(true);
  switchTo(false);
  bench::Pump();
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 10; ++i) switchTo(i % 2 == 0);
  for (int i = 0; i < 50; ++i) {  // releases the switches posted to themselves
    bench::Pump();
    Sleep(10);
  }
  std::printf("%-44s %9ld handles, %ld GDI objects (10 switches)\n", "objects left by switches",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);

  // What the engine itself paints: the same switch with the native twins hidden (they are the
  // gallery's own yardstick, not part of a skinned program).
  for (const auto& row : form->Rows())
    if (row.native) row.native->Hide();
  bench::Pump();
  toOther = true;
  const double otherFrameAloneUs = bench::MicrosPerCall(switchBackAndForth, 1.0);
  if (!toOther) switchBackAndForth();
  const double repaintAloneUs = bench::MicrosPerCall([&] { RepaintAll(wnd); });
  bench::Row("switch", "switch to another frame, skinned column", otherFrameAloneUs,
             "its full repaint", repaintAloneUs);
  bench::Row("switch", "switch to another frame, skinned column ", otherFrameAloneUs, "goal 50 ms",
             50000.0);
  // The floor the system sets: the same kinds of control without a skin (the native twins alone),
  // painted once by the system.
  for (const auto& row : form->Rows()) {
    if (row.skinned) row.skinned->Hide();
    if (row.native) row.native->Show();
  }
  bench::Pump();
  const double nativeRepaintUs = bench::MicrosPerCall([&] { RepaintAll(wnd); });
  bench::Row("switch", "switch to another frame, skinned column  ", otherFrameAloneUs,
             "native twins' full repaint", nativeRepaintUs);
  delete form;
  return 0;
}
