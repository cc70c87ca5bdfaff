// Windows and their objects: class names, the ControlOfs property, WindowProc replacement chains,
// framework notifications and exceptions stopped at the window procedure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/CheckCtrls.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/HandlerLink.h"
#include "ui/StdCtrls.h"

namespace {

class TTestForm : public ui::TForm {
  UI_CLASS(TTestForm, ui::TForm)
 public:
  using TForm::TForm;
};
UI_IMPLEMENT_CLASS(TTestForm, ui::TForm)

// Stands in for a skinner: replaces the control's handler and passes messages on.
class Hook {
 public:
  Hook(ui::TControl* control, std::string name, std::vector<std::string>* log)
      : control_(control), name_(std::move(name)), log_(log) {
    previous_ = control->WindowProc;
    control->WindowProc = ui::MethodOf<&Hook::Handle>(this);
  }
  void Restore() { control_->WindowProc = previous_; }
  void Handle(ui::TMessage& m) {
    if (m.Msg == ui::CM_ENABLEDCHANGED || m.Msg == WM_SETTEXT) log_->push_back(name_);
    previous_(m);
  }
  ui::TWndMethod previous_;

 private:
  ui::TControl* control_;
  std::string name_;
  std::vector<std::string>* log_;
};

class Windows : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application->OnException = ui::MethodOf<&Windows::Record>(this);
    form = new TTestForm(nullptr);
    form->SetBounds(40, 40, 300, 200);
    button = new ui::TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 24);
    button->SetCaption(L"Go");
  }
  void TearDown() override {
    delete form;
    ui::Application->OnException = nullptr;
  }
  void Record(ui::TObject*, const std::exception_ptr& e) {
    errors.push_back(ui::ExceptionMessage(e));
  }

  TTestForm* form = nullptr;
  ui::TButton* button = nullptr;
  std::vector<std::wstring> errors;
};

}  // namespace

TEST_F(Windows, WindowClassNamesAreFrameworkClassNamesAndLeadBackToTheObject) {
  HWND wnd = form->Handle();
  wchar_t cls[64];
  GetClassNameW(wnd, cls, 64);
  EXPECT_STREQ(cls, L"TTestForm");
  GetClassNameW(button->Handle(), cls, 64);
  EXPECT_STREQ(cls, L"TButton");

  char name[64];
  std::snprintf(name, sizeof name, "ControlOfs%.8X%.8X",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))),
                static_cast<unsigned>(GetCurrentThreadId()));
  EXPECT_EQ(GetPropA(wnd, name), static_cast<HANDLE>(static_cast<ui::TObject*>(form)));
  EXPECT_EQ(GetPropA(button->Handle(), name),
            static_cast<HANDLE>(static_cast<ui::TObject*>(button)));
  // Forms are owned by the application's hidden window.
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), ui::Application->Handle());
  GetClassNameW(ui::Application->Handle(), cls, 64);
  EXPECT_STREQ(cls, L"TApplication");
}

TEST_F(Windows, ReplacedHandlersChainAndStillReachTheDefaultHandling) {
  std::vector<std::string> log;
  form->Handle();
  Hook first(button, "first", &log);
  Hook second(button, "second", &log);
  button->SetEnabled(false);
  EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));  // the control's own handling ran

  // A real WM_SETTEXT goes through the same chain, and the window takes the text.
  log.clear();
  button->SetCaption(L"Again");
  EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
  EXPECT_EQ(button->Caption(), L"Again");

  second.Restore();
  first.Restore();
  log.clear();
  button->SetEnabled(true);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(button->WindowProc, (ui::TWndMethod::Of<&ui::TControl::WndProc>(button)));
}

TEST_F(Windows, WindowProcSurvivesWindowRecreation) {
  std::vector<std::string> log;
  HWND before = button->Handle();
  Hook hook(button, "hook", &log);
  button->RecreateWnd();
  EXPECT_NE(button->Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  button->SetEnabled(false);
  EXPECT_EQ(log, (std::vector<std::string>{"hook"}));
  hook.Restore();
}

TEST_F(Windows, NotificationsArriveWithTheirConventionalNumbers) {
  form->Show();
  wintest::PumpUntilIdle();
  std::vector<UINT> seen;
  struct Spy {
    std::vector<UINT>* seen;
    ui::TWndMethod previous;
    void Handle(ui::TMessage& m) {
      if (m.Msg >= 0xB000 && m.Msg < 0xB100) seen->push_back(m.Msg);
      previous(m);
    }
  } spy{&seen, button->WindowProc};
  button->WindowProc = ui::MethodOf<&Spy::Handle>(&spy);
  button->SetEnabled(false);
  button->SetEnabled(true);
  button->SetVisible(false);
  button->SetVisible(true);
  button->WindowProc = spy.previous;
  EXPECT_EQ(seen, (std::vector<UINT>{0xB00C, 0xB00C, 0xB00B, 0xB00B}));
}

TEST_F(Windows, AnExceptionInAHandlerIsReportedAndTheWindowStaysUsable) {
  struct Thrower {
    ui::TWndMethod previous;
    void Handle(ui::TMessage& m) {
      if (m.Msg == WM_USER + 7) throw ui::Exception(L"navigate failed");
      previous(m);
    }
  } thrower{form->WindowProc};
  form->WindowProc = ui::MethodOf<&Thrower::Handle>(&thrower);
  SendMessageW(form->Handle(), WM_USER + 7, 0, 0);
  form->WindowProc = thrower.previous;
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], L"navigate failed");
  form->SetCaption(L"still alive");
  EXPECT_EQ(form->Caption(), L"still alive");
}

TEST_F(Windows, PrivateMessagesInTheFrameworkRangeAreAnsweredWithZero) {
  // Another component posts its own numbers (here with a tag in LParam) to our windows.
  EXPECT_EQ(SendMessageW(form->Handle(), 0xBC4E, 0, 0x41A2), 0);
  EXPECT_EQ(SendMessageW(button->Handle(), 0xBC4E, 0, 0x41A2), 0);
}

TEST_F(Windows, ScreenListsFormsInCreationOrder) {
  auto* second = new TTestForm(form);
  const auto& forms = ui::Screen->FormList();
  auto a = std::find(forms.begin(), forms.end(), form);
  auto b = std::find(forms.begin(), forms.end(), second);
  ASSERT_NE(a, forms.end());
  ASSERT_NE(b, forms.end());
  EXPECT_LT(a, b);
  delete second;
  EXPECT_EQ(std::find(forms.begin(), forms.end(), second), forms.end());
}

namespace {
WNDPROC g_previousProc = nullptr;
int g_foreignSeen = 0;
LRESULT CALLBACK ForeignStage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT) ++g_foreignSeen;
  return CallWindowProcW(g_previousProc, wnd, msg, wParam, lParam);
}
}  // namespace

TEST_F(Windows, TheFrameworkProcedureWorksBehindAForeignSubclassToTheEnd) {
  // Another component replaces the window procedure itself and calls ours through
  // CallWindowProc; our procedure must still find its object, and at the window's end leave the
  // foreign procedure alone while dropping its own property.
  HWND wnd = button->Handle();
  g_foreignSeen = 0;
  g_previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignStage)));
  button->SetCaption(L"through both");
  EXPECT_EQ(g_foreignSeen, 1);
  EXPECT_EQ(button->Caption(), L"through both");
  button->DestroyHandle();
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_FALSE(button->HandleAllocated());
  EXPECT_EQ(ui::TWinControl::FindControl(wnd), nullptr);
  // A new window comes with the framework procedure again.
  HWND again = button->Handle();
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(again, GWLP_WNDPROC)), ForeignStage);
  EXPECT_EQ(button->Caption(), L"through both");
}

TEST_F(Windows, AWindowLeadsToItsControlWithoutItsPropertyAndAForeignWindowNever) {
  // The framework procedure finds its object in the window itself: a window whose binding
  // property someone removed still reaches its control's handler...
  std::vector<std::string> log;
  Hook hook(button, "hook", &log);
  HWND wnd = button->Handle();
  ASSERT_TRUE(RemovePropW(wnd, MAKEINTATOM(ui::ControlAtom())));
  SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"still ours"));
  hook.Restore();
  EXPECT_EQ(log, std::vector<std::string>{"hook"});
  EXPECT_EQ(ui::TWinControl::FindControl(wnd), button);
  // ... and the object's place does not disturb the system class under ours (a check box keeps
  // its check state in the system's part of the same extra bytes).
  auto* check = new ui::TCheckBox(form);
  check->SetParent(form);
  SendMessageW(check->Handle(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(ui::TWinControl::FindControl(check->Handle()), check);
  // Another component's window carrying the same property is not taken for a control.
  HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form->Handle(), nullptr,
                                 nullptr, nullptr);
  SetPropW(foreign, MAKEINTATOM(ui::ControlAtom()), static_cast<ui::TObject*>(button));
  EXPECT_EQ(ui::TWinControl::FindControl(foreign), nullptr);
  RemovePropW(foreign, MAKEINTATOM(ui::ControlAtom()));
  DestroyWindow(foreign);
}

TEST_F(Windows, ALocalControlLeavesItsParentWhenItGoesOutOfScope) {
  form->Handle();
  {
    ui::TEdit local(nullptr);
    local.SetParent(form);
    EXPECT_TRUE(local.HandleAllocated());  // made at once under a parent that has a window
    EXPECT_EQ(form->ControlCount(), 2);
  }
  EXPECT_EQ(form->ControlCount(), 1);
  std::vector<ui::TWinControl*> order;
  form->GetTabOrderList(order);
  EXPECT_EQ(order, (std::vector<ui::TWinControl*>{button}));
}

namespace {
// A handler that goes before the control does (as a skinner does).
struct LinkedHandler : ui::IHandlerLinkTarget {
  ui::THandlerLink* link = nullptr;
  void LinkedMessage(ui::TMessage& m) override { link->CallSaved(m); }
  void LinkGone() override { link = nullptr; }
};

// Freed after the links made later (a control frees its newest components first), it takes the
// memory they leave and fills it, as whatever the program allocates meanwhile would.
class HeapFiller : public ui::TComponent {
 public:
  using TComponent::TComponent;
  ~HeapFiller() override {
    for (auto& block : *blocks) {
      block = std::make_unique<unsigned char[]>(sizeof(ui::THandlerLink));
      std::memset(block.get(), 0xA5, sizeof(ui::THandlerLink));
    }
  }
  std::vector<std::unique_ptr<unsigned char[]>>* blocks = nullptr;
};
}  // namespace

TEST_F(Windows, AHandlerOverALinkPassesTheWindowsLastMessagesOnWhenTheControlIsFreed) {
  struct Over {
    ui::TWndMethod saved;
    std::vector<UINT> seen;
    void Handle(ui::TMessage& m) {
      seen.push_back(m.Msg);
      saved(m);
    }
  } over;
  std::vector<std::unique_ptr<unsigned char[]>> blocks(64);
  auto* filler = new HeapFiller(button);
  filler->blocks = &blocks;
  button->Handle();
  LinkedHandler first, second;
  first.link = new ui::THandlerLink(button, &first);
  over.saved = button->WindowProc;
  button->WindowProc = ui::MethodOf<&Over::Handle>(&over);
  second.link = new ui::THandlerLink(button, &second);
  std::exchange(first.link, nullptr)->Release();  // covered by `over`: stays as a pass-through

  delete button;  // the second link, the first, the filler, then the window
  button = nullptr;
  EXPECT_EQ(second.link, nullptr);
  EXPECT_NE(std::find(over.seen.begin(), over.seen.end(), UINT{WM_NCDESTROY}), over.seen.end());
}
