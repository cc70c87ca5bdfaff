// A run-time skin switch of the whole gallery (every window re-skinned and repainted) against a
// full repaint of the same gallery in the same skin, in one run; the goal is under 50 ms.
// Usage: switch_bench [path/to/default.skn]; the other skin is dark.skn beside it when there is
// one, else an in-memory test skin.
#include <windows.h>

#include <cstdio>
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
  auto* form = new gallery::TGalleryForm(nullptr);
  form->OnSkinError = [](const std::wstring& why) { std::printf("%ls\n", why.c_str()); };
  if (!form->LoadSkin(payload)) return 1;
  bench::ShowAndWait(form, true);
  const HWND wnd = form->Handle();
  skin::TSkinManage* manager = skin::SkinManager();

  // One switch: the skin read, every window re-skinned by the manager's pending request (run at
  // once instead of after its deliberate delay) and everything painted.
  bool toOther = true;
  const auto switchOnce = [&] {
    const bool loaded =
        toOther ? form->SkinData1->LoadSkinFile(other) : form->SkinData1->LoadSkinStream(first);
    if (!loaded) std::printf("switch failed: %s\n", form->SkinData1->LastError().c_str());
    manager->RunAction();
    RepaintAll(wnd);
    toOther = !toOther;
  };
  const double switchUs = bench::MicrosPerCall(switchOnce, 1.0);
  if (!toOther) switchOnce();  // back to the first skin
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
  if (!readOther) form->SkinData1->LoadSkinStream(first);
  manager->RunAction();
  bench::Row("switch", "run-time switch, whole gallery", switchUs, "full repaint", repaintUs);
  bench::Row("switch", "run-time switch, whole gallery ", switchUs, "goal 50 ms", 50000.0);
  bench::Row("switch", "reading the skin", readUs, "whole switch", switchUs);

  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 10; ++i) switchOnce();
  if (!toOther) switchOnce();
  for (int i = 0; i < 50; ++i) {  // releases the switches posted to themselves
    bench::Pump();
    Sleep(10);
  }
  std::printf("%-44s %9ld handles, %ld GDI objects (10 switches)\n", "objects left by switches",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);
  delete form;
  return 0;
}
