// The skin gallery program: every control kind the engine skins, beside its native twin.
#include <windows.h>

#include "gallery/GalleryForm.h"
#include "skin/manager/WinSkinManage.h"
#include "ui/Application.h"

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
    ui::Application->Run();
  } catch (...) {
    ui::Application->ShowException(std::current_exception());
    ui::ShutdownApplication();
    return 1;
  }
  ui::ShutdownApplication();
  return 0;
}
