// The program's own menus: both windows have no menu bar, so the skinned system menu is what a
// user of the program sees. Alt+Space opens it in the skin's look, and its commands act.
#include <gtest/gtest.h>

#include <functional>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/LoopbackListener.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"

namespace {

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool PumpUntil(const std::function<bool()>& done, DWORD maxMs = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > maxMs) return false;
    ui::Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// Inside the system menu's loop: whether its window is skinned, then the item with `command` is
// chosen (its command goes to the menu's owner as a click would send it) and the menu closes.
struct SystemMenuChoice {
  static inline skin::TWinSkinForm* skinner = nullptr;
  static inline UINT command = 0;
  static inline LRESULT skinned = -1;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu) return;
    KillTimer(nullptr, id);
    skinned = SendMessageW(menu, skin::SM_ISSKINNED, 0, 0);
    if (ui::TPopupMenu* popup = skinner->SkinSystemMenu())
      for (int i = 0; i < popup->Items()->Count(); ++i)
        if (static_cast<UINT>(popup->Items()->Items(i)->Tag()) == command)
          PostMessageW(ui::TPopupMenu::PopupWindow(), WM_COMMAND,
                       popup->Items()->Items(i)->Command(), 0);
    EndMenu();
  }
  static void Choose(HWND wnd, skin::TWinSkinForm* s, UINT sc) {
    skinner = s;
    command = sc;
    skinned = -1;
    SetTimer(nullptr, 0, 50, Tick);
    SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  }
};

skin::TWinSkinForm* LiveSkinner(HWND wnd) {
  skin::TWinSkinForm* found = nullptr;
  PumpUntil([&] {
    found = skin::SkinManager()->FindForm(wnd);
    return found && found->LifecycleState() == skin::TWinSkinForm::kLive;
  });
  return found;
}

}  // namespace

TEST(ProgramMenus, BothWindowsSystemMenusAreSkinnedAndTheirCommandsAct) {
  wintest::LoopbackListener service;
  ui::Application->Initialize();
  SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", Widen(service.host()).c_str());
  SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", Widen(service.host()).c_str());
  {
    skin::SkinManagerScope scope;
    auto* form = new app::TForm1(nullptr);
    form->Show();
    SetForegroundWindow(form->Handle());
    skin::TWinSkinForm* main = LiveSkinner(form->Handle());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->MenuBar(), nullptr);  // no main menu: no bar, no room for one
    EXPECT_EQ(main->Metrics().MenuBarHeight, 0);

    form->m_soso2->Click();
    app::TForm2* advanced = form->AdvancedSearch();
    ASSERT_NE(advanced, nullptr);
    skin::TWinSkinForm* second = LiveSkinner(advanced->Handle());
    ASSERT_NE(second, nullptr);
    wintest::PumpUntilIdle();

    SystemMenuChoice::Choose(advanced->Handle(), second, SC_CLOSE);
    EXPECT_EQ(SystemMenuChoice::skinned, 1);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(advanced->Handle()); }));

    SetForegroundWindow(form->Handle());
    wintest::PumpUntilIdle();
    Sleep(GetDoubleClickTime() + 10);
    SystemMenuChoice::Choose(form->Handle(), main, SC_MINIMIZE);
    EXPECT_EQ(SystemMenuChoice::skinned, 1);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(form->Handle()) != FALSE; }));
    EXPECT_TRUE(skin::SkinManager()->Menus().empty());
    delete form;
  }
  SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", nullptr);
  SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", nullptr);
}
