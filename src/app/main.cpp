// Program entry: the application object, its title, the main window, the message loop.
#include <windows.h>

#include "app/Unit1.h"
#include "skin/manager/WinSkinManage.h"
#include "ui/Application.h"

namespace {
// IDI_MAINICON of the program's resources.
constexpr wchar_t kMainIconName[] = L"#1";
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The skin manager serves the skin data components of the forms; it outlives them and takes its
  // hook away when the program ends.
  skin::SkinManagerScope skinManager;
  try {
    ui::Application->Initialize();
    ui::Application->SetMainFormOnTaskBar(false);
    ui::Application->SetTitle(app::kApplicationTitle);
    if (ui::Application->Icon()->LoadFromResourceName(instance, kMainIconName))
      ui::Application->IconChanged();
    app::TForm1* Form1 = nullptr;
    ui::Application->CreateForm(Form1);
    ui::Application->Run();
  } catch (...) {
    // Start-up failed before the loop could report it (no window could be made, say).
    ui::Application->ShowException(std::current_exception());
    ui::ShutdownApplication();
    return 1;
  }
  ui::ShutdownApplication();
  return 0;
}
