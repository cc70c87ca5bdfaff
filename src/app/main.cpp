// Program entry: the application object, its title, the main window, the message loop.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Unit1.h"
#include "skin/manager/WinSkinManage.h"
#include "ui/Application.h"
#include "ui/Text.h"

namespace {
// IDI_MAINICON of the program's resources.
constexpr wchar_t kMainIconName[] = L"#1";

std::vector<std::wstring> Arguments() {
  std::vector<std::wstring> args;
  int count = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
  }
  return args;
}

// A start-up problem that must not stop the program: to the console it was started from (if
// any) and to the debugger.
void Report(const std::wstring& line) {
  const std::wstring text = L"Tarvimo: " + line + L"\n";
  OutputDebugStringW(text.c_str());
  const std::string utf8 = ui::Utf16ToUtf8(std::u16string(text.begin(), text.end()));
  std::fputs(utf8.c_str(), stderr);
  std::fflush(stderr);
}

// Another look for users who want one; the embedded default stays when the file cannot be used.
void ApplySkinOption(app::TForm1* form, const app::ProgramOptions& options) {
  for (const std::wstring& problem : options.problems) Report(problem);
  if (options.skinFile.empty() || !form->SkinData1) return;
  if (!form->SkinData1->LoadSkinFile(options.skinFile)) {
    const std::string& why = form->SkinData1->LastError();
    const std::u16string wide = ui::Utf8ToUtf16(why);
    Report(std::wstring(wide.begin(), wide.end()) + L"; keeping the default skin");
  }
}

// Opens the advanced search window as its button does, once the main window is up and the loop
// first waits (so that it ends on top).
struct AdvancedAtStart {
  app::TForm1* form;
  void Open(ui::TObject*, bool& done) {
    ui::Application->OnIdle = {};
    form->m_soso2Click(form->m_soso2);
    done = true;
  }
};
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
    const app::ProgramOptions options = app::ParseProgramOptions(Arguments());
    ApplySkinOption(Form1, options);
    AdvancedAtStart advanced{Form1};
    if (options.openAdvanced)
      ui::Application->OnIdle = ui::MethodOf<&AdvancedAtStart::Open>(&advanced);
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
