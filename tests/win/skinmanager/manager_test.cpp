// The skin manager with real windows: which windows it skins, its request queue, message boxes,
// windows that go away under it, and what is left after shutdown.
#include <gtest/gtest.h>

#include "skinframe/FrameTestSupport.h"
#include "ui/Application.h"

using frametest::PumpUntil;
using frametest::SkinnedForm;
using frametest::TFrameTestForm;
using testskin::TestSkin;

UI_IMPLEMENT_CLASS(frametest::TFrameTestForm, ui::TForm)

namespace {

struct ChangeCounter {
  int changes = 0;
  skin::TSkinData* reschedule = nullptr;  // asks for deactivation from the first event
  void Changed(ui::TObject*) {
    if (++changes == 1 && reschedule) reschedule->SetActive(false);
  }
};

// A plain window of this program that no framework object stands behind; WM_USER destroys it
// from inside its own message.
LRESULT CALLBACK BareProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER) {
    DestroyWindow(wnd);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

HWND MakeBareWindow(int x) {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FrameTestBareWindow";
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, L"FrameTestBareWindow", L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x,
                         60, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Runs inside the message box's loop: looks at its skinner, then closes it.
struct BoxProbe {
  static void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    skin::TWinSkinForm* skinner = frametest::LiveDialogSkinner(L"Skinned box", box);
    if (!skinner) return;
    KillTimer(nullptr, id);
    skinned = SendMessageW(box, skin::SM_ISSKINNED, 0, 0) == 1;
    usesMainSkin = skinner->SkinData() == skin::SkinManager()->MainSkinData();
    RECT w{}, c{};
    GetWindowRect(box, &w);
    GetClientRect(box, &c);
    captionHeight = skinner->Metrics().CaptionHeight;
    fitted = (w.bottom - w.top) - c.bottom == captionHeight + skinner->Metrics().BottomHeight;
    // Its buttons are classified through their windows, as the system made them.
    HWND ok = GetDlgItem(box, IDOK);
    okSkinned = ok && SendMessageW(ok, skin::SM_ISSKINNED, 0, 0) == 1;
    okListed = ok && skinner->FindSkinnerByWindow(ok) != nullptr;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  static inline bool skinned = false, usesMainSkin = false, fitted = false;
  static inline bool okSkinned = false, okListed = false;
  static inline int captionHeight = 0;
};

}  // namespace

TEST(SkinManager, OneSkinnerPerWindowAndTheWindowsItLeavesAlone) {
  SkinnedForm f;
  auto* other = new TFrameTestForm(nullptr);
  other->SetTag(99);  // never skinned, whatever the skin's DisableTag says
  other->SetBounds(700, 40, 200, 100);
  other->Show();
  for (int i = 0; i < 10; ++i) {
    SetForegroundWindow(other->Handle());
    wintest::PumpUntilIdle(5);
    SetForegroundWindow(f.Handle());
    wintest::PumpUntilIdle(5);
  }
  skin::TSkinManage* manager = f.Manager();
  EXPECT_EQ(manager->Forms().size(), 1u);
  EXPECT_EQ(SendMessageW(other->Handle(), skin::SM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(manager->FindForm(ui::Application->Handle()), nullptr);
  EXPECT_FALSE(manager->SkinWindow(ui::Application->Handle()));
  EXPECT_EQ(manager->State(), skin::TSkinManage::kRunning);
  delete other;
}

TEST(SkinManager, AMessageBoxTakesTheMainSkinAndItsButtonsAreSkinned) {
  SkinnedForm f;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, BoxProbe::Check);
  MessageBoxW(f.Handle(), L"Body", L"Skinned box", MB_OK);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(BoxProbe::skinned);
  EXPECT_TRUE(BoxProbe::usesMainSkin);
  EXPECT_EQ(BoxProbe::captionHeight, 28);
  EXPECT_TRUE(BoxProbe::fitted);
  EXPECT_TRUE(BoxProbe::okSkinned);
  EXPECT_TRUE(BoxProbe::okListed);
  // The box's skinner goes once the box is gone.
  f.Manager()->PurgeForms();
  EXPECT_EQ(f.Manager()->Forms().size(), 1u);
}

TEST(SkinManager, OffThenOnWithinTheDelayRunsOnlyTheActivation) {
  SkinnedForm f;
  ChangeCounter counter;
  f.data->OnSkinChanged = ui::MethodOf<&ChangeCounter::Changed>(&counter);
  skin::TWinSkinForm* skinner = f.Skinner();
  f.data->SetActive(false);
  f.data->SetActive(true);
  EXPECT_EQ(f.Manager()->PendingAction(), skin::TSkinManage::kActivate);
  ASSERT_TRUE(PumpUntil([&] { return counter.changes > 0; }, 1500));
  wintest::PumpUntilIdle(300);
  EXPECT_EQ(counter.changes, 1);
  EXPECT_EQ(f.Skinner(), skinner);  // never taken off
  f.data->OnSkinChanged = nullptr;
}

TEST(SkinManager, ARequestMadeFromTheChangeEventIsKept) {
  SkinnedForm f;
  ChangeCounter counter;
  counter.reschedule = f.data;
  f.data->OnSkinChanged = ui::MethodOf<&ChangeCounter::Changed>(&counter);
  f.Manager()->SetCurrentSkinData(f.data);
  f.Manager()->Schedule(skin::TSkinManage::kReskin, 10);
  f.Manager()->RunAction();
  EXPECT_EQ(counter.changes, 1);
  EXPECT_EQ(f.Manager()->PendingAction(), skin::TSkinManage::kDeactivate);
  EXPECT_EQ(f.Manager()->CurrentSkinData(), f.data);
  ASSERT_TRUE(PumpUntil([&] { return f.Skinner() == nullptr; }, 1500));
  f.data->OnSkinChanged = nullptr;
}

TEST(SkinManager, FreeingTheSkinDataGivesTheWindowItsOwnFrameBack) {
  SkinnedForm f;
  skin::TSkinManage* manager = f.Manager();
  ASSERT_EQ(manager->SkinDatas().size(), 1u);
  delete f.data;
  f.data = nullptr;
  EXPECT_TRUE(manager->Forms().empty());
  EXPECT_TRUE(manager->SkinDatas().empty());
  EXPECT_EQ(manager->MainSkinData(), nullptr);
  EXPECT_EQ(SendMessageW(f.Handle(), skin::SM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(f.form->ClientWidth(), 606);
  EXPECT_TRUE(GetWindowLongPtrW(f.Handle(), GWL_STYLE) & WS_SYSMENU);
  // A later activation skins nothing: there is no skin.
  SetForegroundWindow(f.Handle());
  wintest::PumpUntilIdle();
  EXPECT_TRUE(manager->Forms().empty());
}

TEST(SkinManager, AWindowDestroyedInsideItsOwnMessage) {
  SkinnedForm f;
  skin::TSkinManage* manager = f.Manager();
  HWND a = MakeBareWindow(100);
  HWND b = MakeBareWindow(500);
  ASSERT_TRUE(a && b);
  SetForegroundWindow(a);
  wintest::PumpUntilIdle();
  SetForegroundWindow(b);
  wintest::PumpUntilIdle();
  SetForegroundWindow(a);
  wintest::PumpUntilIdle();
  ASSERT_NE(manager->FindForm(a), nullptr);
  ASSERT_NE(manager->FindForm(b), nullptr);
  const size_t before = manager->Forms().size();
  // Destroying A inside one of its messages activates B, whose activation purges the list while
  // A's skinner is still on the stack.
  SendMessageW(a, WM_USER, 0, 0);
  EXPECT_FALSE(IsWindow(a));
  manager->PurgeForms();
  EXPECT_EQ(manager->Forms().size(), before - 1);
  EXPECT_EQ(manager->FindForm(a), nullptr);
  DestroyWindow(b);
  manager->PurgeForms();
  EXPECT_EQ(manager->Forms().size(), before - 2);
}

TEST(SkinManager, NothingIsLeftAfterShutdown) {
  const long hooks = ui::HandleCounts::Live(ui::HandleKind::Hook);
  const long subclasses = ui::HandleCounts::Live(ui::HandleKind::Subclass);
  HWND bare = nullptr;
  {
    SkinnedForm f;
    EXPECT_TRUE(f.Manager()->HookInstalled());
    bare = MakeBareWindow(100);
    SetForegroundWindow(bare);
    wintest::PumpUntilIdle();
    ASSERT_NE(f.Manager()->FindForm(bare), nullptr);
  }
  EXPECT_EQ(skin::SkinManager(), nullptr);
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Hook), hooks);
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Subclass), subclasses);
  // The foreign window outlives the manager unskinned, and its activations pass by.
  EXPECT_EQ(SendMessageW(bare, skin::SM_ISSKINNED, 0, 0), 0);
  SetForegroundWindow(bare);
  wintest::PumpUntilIdle();
  DestroyWindow(bare);
}
