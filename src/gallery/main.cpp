// The skin gallery program: every control kind the engine skins, beside its native twin.
#include <windows.h>

#include "gallery/GalleryForm.h"
#include "skin/manager/WinSkinManage.h"
#include "ui/Application.h"

namespace {
// `--skin FILE` or `--skin NAME` (a skin shipped beside the gallery): the look to start with.
std::wstring SkinArgument() {
  std::wstring skin;
  int count = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i + 1 < count; ++i)
      if (std::wstring(argv[i]) == L"--skin") skin = argv[i + 1];
    LocalFree(argv);
  }
  if (skin.empty() || skin.find_first_of(L"\\/.") != std::wstring::npos) return skin;
  for (const std::wstring& file : gallery::TGalleryForm::ShippedSkinFiles()) {
    const size_t name = file.find_last_of(L"\\/") + 1;
    if (file.compare(name, std::wstring::npos, skin + L".skn") == 0) return file;
  }
  return skin;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  skin::SkinManagerScope skinManager;
  try {
    ui::Application->Initialize();
    ui::Application->SetTitle(L"Skin gallery");
    if (ui::Application->Icon()->LoadFromResourceName(instance, L"#1"))
      ui::Application->IconChanged();
    gallery::TGalleryForm* form = nullptr;
    ui::Application->CreateForm(form);
    form->LoadSkin(gallery::EmbeddedSkinPayload());
    if (const std::wstring skin = SkinArgument(); !skin.empty()) form->UseSkinFile(skin);
    ui::Application->Run();
  } catch (...) {
    ui::Application->ShowException(std::current_exception());
    ui::ShutdownApplication();
    return 1;
  }
  ui::ShutdownApplication();
  return 0;
}
