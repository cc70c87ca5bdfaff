// Windows the framework makes for itself: child ids and the owner-draw messages that find their
// control by them, creations the system refuses, and the timer's window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/ExtCtrls.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

// An owner-drawn list that answers the measuring of its items itself (as an OnMeasureItem
// would) and counts the deletions it is told of.
class TMeasuredCombo : public ui::TComboBox {
  UI_CLASS(TMeasuredCombo, ui::TComboBox)
 public:
  using TComboBox::TComboBox;
  void WndProc(ui::TMessage& m) override {
    if (m.Msg == ui::CN_MEASUREITEM && ui::InReflection()) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = itemHeight;
      m.Result = TRUE;
      return;
    }
    if (m.Msg == ui::CN_DELETEITEM && ui::InReflection()) ++deleted;
    TComboBox::WndProc(m);
  }
  UINT itemHeight = 0;
  int deleted = 0;
};
UI_IMPLEMENT_CLASS(TMeasuredCombo, ui::TComboBox)

// Makes the system refuse to create windows of one class, as it does when it runs out of them.
class RefuseWindows {
 public:
  explicit RefuseWindows(const wchar_t* className)
      : hook_(SetWindowsHookExW(WH_CBT, Refuse, nullptr, GetCurrentThreadId())) {
    refused_ = className;
  }
  ~RefuseWindows() { refused_ = nullptr; }
  RefuseWindows(const RefuseWindows&) = delete;
  RefuseWindows& operator=(const RefuseWindows&) = delete;

 private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wp, LPARAM lp) {
    wchar_t name[64] = {};
    if (code == HCBT_CREATEWND && refused_ && GetClassNameW(reinterpret_cast<HWND>(wp), name, 64) &&
        lstrcmpiW(name, refused_) == 0)
      return 1;
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline const wchar_t* refused_ = nullptr;
  ui::HookHandle hook_;
};

struct TickCounter {
  int ticks = 0;
  void OnTimer(ui::TObject*) { ++ticks; }
};

// The message-only window that carries a timer's WM_TIMER, found the way the framework finds a
// window's object: through the "ControlOfs" property.
HWND TimerWindowOf(ui::TTimer* timer) {
  for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, L"TTimerWindow", nullptr));) {
    if (GetPropW(w, MAKEINTATOM(ui::ControlAtom())) == static_cast<ui::TObject*>(timer)) return w;
  }
  return nullptr;
}

// Pumps messages until `done` or two and a half seconds passed.
template <class F>
bool PumpUntil(F done) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < 2500) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    ui::Application->ProcessMessages();
  }
  return done();
}

}  // namespace

TEST(ChildWindows, EachHasItsOwnIdSoMeasuringReachesTheRightOwnerDrawnControl) {
  auto* form = new ui::TForm(nullptr);
  form->SetBounds(40, 40, 300, 200);
  TMeasuredCombo* combos[2];
  for (int i = 0; i < 2; ++i) {
    combos[i] = new TMeasuredCombo(form);
    combos[i]->SetParent(form);
    combos[i]->SetBounds(10, 10 + 40 * i, 120, 21);
    combos[i]->SetStyle(ui::TComboBoxStyle::csOwnerDrawFixed);
    combos[i]->Items()->SetText(L"one\ntwo");
    combos[i]->itemHeight = 17 + 12 * static_cast<UINT>(i);
  }
  form->Handle();
  const int first = GetDlgCtrlID(combos[0]->Handle());
  const int second = GetDlgCtrlID(combos[1]->Handle());
  EXPECT_NE(first, 0);
  EXPECT_NE(second, 0);
  EXPECT_NE(first, second);
  // The system measures each list while creating it and names it only by its id.
  EXPECT_EQ(SendMessageW(combos[0]->Handle(), CB_GETITEMHEIGHT, 0, 0), 17);
  EXPECT_EQ(SendMessageW(combos[1]->Handle(), CB_GETITEMHEIGHT, 0, 0), 29);

  // Deleting an item is told to the list it came from.
  combos[1]->Items()->Delete(0);
  EXPECT_EQ(combos[1]->deleted, 1);
  EXPECT_EQ(combos[0]->deleted, 0);

  // A re-created window keeps its id and is measured anew.
  combos[1]->itemHeight = 23;
  combos[1]->SetStyle(ui::TComboBoxStyle::csOwnerDrawVariable);
  EXPECT_EQ(GetDlgCtrlID(combos[1]->Handle()), second);
  EXPECT_EQ(SendMessageW(combos[1]->Handle(), CB_GETITEMHEIGHT, 0, 0), 23);
  EXPECT_EQ(SendMessageW(combos[0]->Handle(), CB_GETITEMHEIGHT, 0, 0), 17);

  // A window moved under another parent where its id is taken gets a free one there.
  auto* other = new ui::TForm(nullptr);
  auto* resident = new ui::TButton(other);
  resident->SetParent(other);
  other->Handle();
  SetWindowLongPtrW(resident->Handle(), GWLP_ID, first);
  combos[0]->SetParent(other);
  EXPECT_EQ(GetParent(combos[0]->Handle()), other->Handle());
  EXPECT_NE(GetDlgCtrlID(combos[0]->Handle()), first);
  EXPECT_EQ(GetDlgItem(other->Handle(), first), resident->Handle());
  delete other;
  delete form;
}

TEST(OwnWindows, AWindowTheSystemRefusesReachesTheCallerAsAnError) {
  // The timer's window: the timer does not come into being (its owner does not keep it).
  {
    ui::TComponent owner(nullptr);
    {
      RefuseWindows refuse(L"TTimerWindow");
      EXPECT_THROW(new ui::TTimer(&owner), ui::EOutOfResources);
    }
    EXPECT_EQ(owner.ComponentCount(), 0);
    auto* timer = new ui::TTimer(&owner);
    EXPECT_NE(TimerWindowOf(timer), nullptr);
  }

  // The application's window, which owns the forms and carries the task-bar button.
  {
    ui::TApplication app;
    RefuseWindows refuse(L"TApplication");
    EXPECT_THROW(app.Handle(), ui::EOutOfResources);
  }

  // The popup menus' utility window: a popup asked for from a click handler reports the error
  // the way every handler's error is reported, and the next one works again.
  std::vector<std::wstring> errors;
  struct Recorder {
    std::vector<std::wstring>* errors;
    void Record(ui::TObject*, const std::exception_ptr& e) {
      errors->push_back(ui::ExceptionMessage(e));
    }
    void Click(ui::TObject*) { (void)ui::TPopupMenu::PopupWindow(); }
  } recorder{&errors};
  ui::Application->OnException = ui::MethodOf<&Recorder::Record>(&recorder);
  auto* form = new ui::TForm(nullptr);
  auto* button = new ui::TButton(form);
  button->SetParent(form);
  button->OnClick = ui::MethodOf<&Recorder::Click>(&recorder);
  form->Handle();
  DestroyWindow(ui::TPopupMenu::PopupWindow());
  {
    RefuseWindows refuse(L"TPUtilWindow");
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  }
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find(L"TPUtilWindow"), std::wstring::npos);
  EXPECT_TRUE(IsWindow(ui::TPopupMenu::PopupWindow()));
  ui::Application->OnException = nullptr;
  delete form;
}

TEST(Timer, RunsWithItsDefaultsAsSoonAsItHasAHandler) {
  // Made in code and given nothing but a handler: enabled, every second.
  TickCounter counter;
  auto* timer = new ui::TTimer(nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
  timer->OnTimer = ui::MethodOf<&TickCounter::OnTimer>(&counter);
  EXPECT_TRUE(PumpUntil([&] { return counter.ticks > 0; }));

  // Its window leads back to it through the framework's property, not through the window's
  // user data, which stays its owner's.
  HWND wnd = TimerWindowOf(timer);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_USERDATA), 0);
  delete timer;
  EXPECT_FALSE(IsWindow(wnd));
}

namespace {

class TTimerForm : public ui::TForm {
  UI_CLASS(TTimerForm, ui::TForm)
 public:
  explicit TTimerForm(ui::TComponent* owner) : TForm(owner) {
    ui::TFormReader reader(this);
    // As a form resource gives it: a handler and nothing else (Enabled, every second).
    plain = new ui::TTimer(this);
    plain->OnTimer = ui::MethodOf<&TickCounter::OnTimer>(&plainTicks);
    off = new ui::TTimer(this);
    off->SetEnabled(false);
    off->OnTimer = ui::MethodOf<&TickCounter::OnTimer>(&offTicks);
    reader.Finish();
  }
  ui::TTimer* plain;
  ui::TTimer* off;
  TickCounter plainTicks, offTicks;
};
UI_IMPLEMENT_CLASS(TTimerForm, ui::TForm)

}  // namespace

TEST(Timer, ATimerReadWithItsFormRunsOnceTheFormIsRead) {
  auto* form = new TTimerForm(nullptr);
  EXPECT_TRUE(PumpUntil([&] { return form->plainTicks.ticks > 0; }));
  EXPECT_EQ(form->offTicks.ticks, 0);
  // Enabling it later starts it.
  form->off->SetInterval(20);
  form->off->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return form->offTicks.ticks > 0; }));
  delete form;
}
