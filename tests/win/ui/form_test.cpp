// A form with every standard control: created, shown, painted, navigated with the keyboard and
// freed, with the handle counters back where they started; the form-reading order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/Menus.h"
#include "ui/Messages.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"

namespace {

class TAllControlsForm : public ui::TForm {
  UI_CLASS(TAllControlsForm, ui::TForm)
 public:
  explicit TAllControlsForm(ui::TComponent* owner) : TForm(owner) {
    SetBorderStyle(ui::TFormBorderStyle::bsSingle);
    SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
    SetBounds(60, 60, 10, 10);
    SetClientSize(420, 200);
    SetCaption(L"All controls");
    label = Make<ui::TLabel>(5, 8, 36, 13);
    label->SetCaption(L"关键字");
    edit = Make<ui::TEdit>(45, 5, 113, 21);
    edit->SetText(L"热卖");
    spin = Make<ui::TSpinEdit>(160, 5, 72, 22);
    spin->SetMaxValue(99);
    spin->SetValue(50);
    combo = Make<ui::TComboBox>(240, 5, 100, 21);
    combo->SetStyle(ui::TComboBoxStyle::csDropDownList);
    combo->Items()->SetText(L"one\ntwo\nthree");
    combo->SetItemIndex(0);
    images = new ui::TImageList(this, 16, 16);
    ui::TBitmap strip(32, 16);
    images->AddMasked(&strip, ui::clFuchsia);
    comboEx = Make<ui::TComboBoxEx>(5, 40, 113, 22);
    comboEx->SetImages(images);
    comboEx->AddItem(L"  ", 0);
    comboEx->AddItem(L"  ", 1);
    comboEx->SetItemIndex(1);
    ok = Make<ui::TButton>(340, 40, 63, 24);
    ok->SetCaption(L"搜索");
    ok->SetDefault(true);
    ok->OnClick = ui::MethodOf<&TAllControlsForm::OkClick>(this);
    other = Make<ui::TButton>(340, 70, 63, 24);
    other->SetCaption(L"&Other");
    other->OnClick = ui::MethodOf<&TAllControlsForm::OtherClick>(this);
    panel = Make<ui::TPanel>(5, 100, 200, 60);
    menu = new ui::TPopupMenu(this);
    auto* item = new ui::TMenuItem(this);
    item->SetCaption(L"Close");
    item->SetShortCut(ui::TextToShortCut(L"ALT+F4"));
    menu->Items()->Add(item);
    timer = new ui::TTimer(this);
    timer->SetInterval(250);
  }
  template <class T>
  T* Make(int l, int t, int w, int h) {
    T* c = new T(this);
    c->SetParent(this);
    c->SetBounds(l, t, w, h);
    return c;
  }
  void OkClick(ui::TObject*) { ++okClicks; }
  void OtherClick(ui::TObject*) { ++otherClicks; }

  ui::TLabel* label;
  ui::TEdit* edit;
  ui::TSpinEdit* spin;
  ui::TComboBox* combo;
  ui::TImageList* images;
  ui::TComboBoxEx* comboEx;
  ui::TButton* ok;
  ui::TButton* other;
  ui::TPanel* panel;
  ui::TPopupMenu* menu;
  ui::TTimer* timer;
  int okClicks = 0, otherClicks = 0;
};
UI_IMPLEMENT_CLASS(TAllControlsForm, ui::TForm)

void PressKey(WORD key, bool shift = false) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  HWND target = GetFocus();
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
  ui::Application->ProcessMessages();
  state[VK_SHIFT] = 0;
  SetKeyboardState(state);
}

ui::TWinControl* Focused() { return ui::TWinControl::FindNearestControl(GetFocus()); }

long CountersTotal() { return ui::HandleCounts::Total() + ui::LiveFrameworkWindows(); }

}  // namespace

TEST(Form, EveryStandardControlIsCreatedWithItsWindowClassAndLayout) {
  auto* form = new TAllControlsForm(nullptr);
  form->Show();
  wintest::PumpUntilIdle();
  wchar_t cls[64];
  GetClassNameW(form->spin->Button()->Handle(), cls, 64);
  EXPECT_STREQ(cls, L"TSpinButton");
  // The spin button is the edit's child window, at the edit's right.
  EXPECT_EQ(GetTopWindow(form->spin->Handle()), form->spin->Button()->Handle());
  RECT edit, button;
  GetWindowRect(form->spin->Handle(), &edit);
  GetWindowRect(form->spin->Button()->Handle(), &button);
  EXPECT_GT(button.left, (edit.left + edit.right) / 2);
  EXPECT_LE(button.right, edit.right);
  // A client-edge edit: the client area is smaller than the window.
  EXPECT_LT(form->edit->ClientWidth(), form->edit->Width());
  EXPECT_EQ(form->ClientWidth(), 420);
  EXPECT_EQ(form->ClientHeight(), 200);
  LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(form->edit->Text(), L"热卖");
  EXPECT_EQ(form->combo->Text(), L"one");
  EXPECT_EQ(form->comboEx->ItemIndex(), 1);
  EXPECT_EQ(form->label->Width() > 0, true);
  // The tab-order list reaches into the spin edit.
  std::vector<ui::TWinControl*> order;
  form->GetTabOrderList(order);
  EXPECT_NE(std::find(order.begin(), order.end(), form->spin->Button()), order.end());
  delete form;
}

TEST(Form, TabMovesThroughTheTabOrderAndEnterClicksTheDefaultButton) {
  auto* form = new TAllControlsForm(nullptr);
  form->Show();
  SetForegroundWindow(form->Handle());
  wintest::PumpUntilIdle();
  // An input method that is not installed changes nothing on the way through.
  form->edit->SetImeName(L"\u4E2D\u6587 (\u7B80\u4F53) - \u62FC\u97F3");
  HKL layout = GetKeyboardLayout(0);
  form->edit->SetFocus();
  ui::Application->ProcessMessages();
  ASSERT_EQ(Focused(), form->edit);

  PressKey(VK_TAB);
  EXPECT_EQ(Focused(), form->spin);
  EXPECT_EQ(GetKeyboardLayout(0), layout);
  PressKey(VK_TAB);  // the spin button is no tab stop
  EXPECT_EQ(Focused(), form->combo);
  PressKey(VK_TAB);  // into the extended combo (its inner window takes the focus)
  EXPECT_EQ(Focused(), form->comboEx);
  PressKey(VK_TAB);
  EXPECT_EQ(Focused(), form->ok);
  PressKey(VK_TAB, /*shift=*/true);
  PressKey(VK_TAB, /*shift=*/true);
  PressKey(VK_TAB, /*shift=*/true);
  EXPECT_EQ(Focused(), form->spin);

  // Leaving the spin edit forces its value into range, however long the number.
  form->spin->SetText(L"250");
  PressKey(VK_TAB);
  EXPECT_EQ(form->spin->Text(), L"99");
  const std::pair<const wchar_t*, const wchar_t*> overlong[] = {{L"3000000000", L"99"},
                                                                {L"-3000000000", L"0"}};
  for (const auto& [typed, shown] : overlong) {
    PressKey(VK_TAB, /*shift=*/true);
    ASSERT_EQ(Focused(), form->spin);
    form->spin->SetText(typed);
    PressKey(VK_TAB);
    EXPECT_EQ(form->spin->Text(), shown);
  }

  form->edit->SetFocus();
  ui::Application->ProcessMessages();
  PressKey(VK_RETURN);
  EXPECT_EQ(form->okClicks, 1);
  EXPECT_TRUE(form->ok->Active());

  // The focused button becomes the one Enter clicks; the default one gives up its look.
  form->other->SetFocus();
  ui::Application->ProcessMessages();
  EXPECT_TRUE(form->other->Active());
  EXPECT_FALSE(form->ok->Active());
  PressKey(VK_RETURN);
  EXPECT_EQ(form->otherClicks, 1);
  EXPECT_EQ(form->okClicks, 1);
  delete form;
}

TEST(Form, HundredCreateShowHideFreeCyclesGiveEveryHandleBack) {
  // Every cycle shows its windows, paints them on the screen and hides them, as the program's
  // windows are; the tests' Wine prefix has unmanaged windows, so a hide does not wait for a
  // window manager that is not there.
  auto cycle = [] {
    auto* form = new TAllControlsForm(nullptr);
    // Menus too: a bar with a pull-down attached to the window, and the popup's handle.
    auto* bar = new ui::TMainMenu(form);
    auto* file = new ui::TMenuItem(form);
    file->SetCaption(L"&File");
    auto* exit = new ui::TMenuItem(form);
    exit->SetCaption(L"E&xit");
    file->Add(exit);
    bar->Items()->Add(file);
    form->SetMenu(bar);
    form->menu->Handle();
    // Shown without taking the activation: the tests that run beside this one keep their focus.
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Application->ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, keep | SWP_HIDEWINDOW);
    ui::Application->ProcessMessages();
    delete form;
  };
  cycle();  // warm-up: classes registered, system caches filled
  ui::Application->ProcessMessages();
  long counters = CountersTotal();
  long gdi = wintest::LiveGdiObjects();
  long windows = ui::LiveFrameworkWindows();
  for (int i = 0; i < 100; ++i) cycle();
  ui::Application->ProcessMessages();
  EXPECT_EQ(CountersTotal(), counters);
  EXPECT_EQ(ui::LiveFrameworkWindows(), windows);
  // The system keeps a few objects for good once other processes' windows come and go beside
  // these (6 at once, seen with the tests running in parallel; none after in 300 cycles); a leak
  // of one object per cycle would be 100.
  if (gdi >= 0) {
    EXPECT_LE(wintest::LiveGdiObjects(), gdi + 8);
  }
}

namespace {
int g_menuChanges = 0;
LRESULT CALLBACK CountMenuChanges(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION &&
      reinterpret_cast<const CWPSTRUCT*>(lParam)->message == ui::CM_MENUCHANGED)
    ++g_menuChanges;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

// Everything a form owns is marked as going with it before anything is freed: its menu bar is
// not put on the window again for every item freed with the form (each time a frame change and
// an erase of the whole window), while one item freed alone still updates the bar.
TEST(Form, FreeingAFormLeavesItsMenuBarAloneWhileItsItemsGo) {
  ui::Application->Initialize();
  auto* form = new ui::TForm(nullptr);
  form->SetBounds(60, 60, 300, 200);
  auto* bar = new ui::TMainMenu(form);
  std::vector<ui::TMenuItem*> items;
  for (int i = 0; i < 8; ++i) {
    items.push_back(new ui::TMenuItem(form));
    items.back()->SetCaption(L"Item " + std::to_wstring(i));
    bar->Items()->Add(items.back());
  }
  form->SetMenu(bar);
  ASSERT_NE(GetMenu(form->Handle()), nullptr);
  const ui::HookHandle hook(
      SetWindowsHookExW(WH_CALLWNDPROC, CountMenuChanges, nullptr, GetCurrentThreadId()));
  g_menuChanges = 0;
  delete items.back();
  EXPECT_GE(g_menuChanges, 1);  // the bar lost an item: the window hears of it
  g_menuChanges = 0;
  delete form;
  EXPECT_EQ(g_menuChanges, 0);
}

// ---- Reading a form ---------------------------------------------------------------------------

namespace {

std::vector<std::string>* g_events = nullptr;

class TStreamProbe : public ui::TComponent {
  UI_CLASS(TStreamProbe, ui::TComponent)
 public:
  using TComponent::TComponent;
  void DefineProperties(ui::TFiler& filer) override {
    filer.DefineBinaryProperty(
        "SkinStream",
        [this](ui::TStream& s) {
          uint32_t n = 0;
          s.ReadBuffer(&n, 4);
          bytes.resize(n);
          if (n) s.ReadBuffer(bytes.data(), n);
          g_events->push_back(HasState(ui::csReading) ? "stream while reading" : "stream late");
        },
        nullptr, true);
  }
  void Loaded() override {
    TComponent::Loaded();
    g_events->push_back(HasState(ui::csLoading) ? "loaded but still loading" : "loaded");
  }
  std::vector<uint8_t> bytes;
};
UI_IMPLEMENT_CLASS(TStreamProbe, ui::TComponent)

class TReadForm : public ui::TForm {
  UI_CLASS(TReadForm, ui::TForm)
 public:
  TReadForm(ui::TComponent* owner, std::vector<uint8_t> payload) : TForm(owner) {
    ui::TFormReader reader(this);
    OnCreate = ui::MethodOf<&TReadForm::FormCreate>(this);
    probe = new TStreamProbe(this);
    probe->SetName("SkinData1");
    readingDuringBuild = probe->HasState(ui::csReading);
    reader.AddBinaryProperty("SkinData1", "SkinStream", std::move(payload));
    reader.Finish();
  }
  void FormCreate(ui::TObject*) { g_events->push_back("create"); }
  TStreamProbe* probe;
  bool readingDuringBuild = false;
};
UI_IMPLEMENT_CLASS(TReadForm, ui::TForm)

}  // namespace

TEST(FormReading, BinaryPropertyArrivesWhileReadingThenLoadedThenOnCreate) {
  std::vector<std::string> events;
  g_events = &events;
  std::vector<uint8_t> payload{3, 0, 0, 0, 'a', 'b', 'c'};
  auto* form = new TReadForm(nullptr, payload);
  EXPECT_TRUE(form->readingDuringBuild);
  EXPECT_EQ(events, (std::vector<std::string>{"stream while reading", "loaded", "create"}));
  EXPECT_EQ(form->probe->bytes, (std::vector<uint8_t>{'a', 'b', 'c'}));
  EXPECT_FALSE(form->probe->HasState(ui::csReading));
  EXPECT_FALSE(form->probe->HasState(ui::csDesigning));
  delete form;
  g_events = nullptr;
}

TEST(FormReading, ResourceNamesAreUpperCaseClassComponentProperty) {
  EXPECT_EQ(ui::TFormReader::ResourceName("TForm1", "SkinData1", "SkinStream"),
            "TFORM1_SKINDATA1_SKINSTREAM");
}

// ---- More keyboard and mouse ------------------------------------------------------------------

namespace {
struct ChangeCounter {
  int changes = 0;
  void OnChange(ui::TObject*) { ++changes; }
};
}  // namespace

TEST(Form, SpaceClicksTheFocusedButtonAndAltLetterItsAccelerator) {
  auto* form = new TAllControlsForm(nullptr);
  form->Show();
  SetForegroundWindow(form->Handle());
  form->other->SetFocus();
  ui::Application->ProcessMessages();
  ASSERT_EQ(Focused(), form->other);
  PressKey(VK_SPACE);
  EXPECT_EQ(form->otherClicks, 1);

  form->edit->SetFocus();
  ui::Application->ProcessMessages();
  PostMessageW(GetFocus(), WM_SYSCHAR, L'o', 0x20000001);
  ui::Application->ProcessMessages();
  EXPECT_EQ(form->otherClicks, 2);
  delete form;
}

TEST(Form, AUserSelectionInTheListRunsOnChangeButSettingItemIndexDoesNot) {
  auto* form = new TAllControlsForm(nullptr);
  ChangeCounter counter;
  form->combo->OnChange = ui::MethodOf<&ChangeCounter::OnChange>(&counter);
  form->Show();
  SetForegroundWindow(form->Handle());
  form->combo->SetItemIndex(2);
  EXPECT_EQ(counter.changes, 0);
  form->combo->SetFocus();
  ui::Application->ProcessMessages();
  form->combo->SetItemIndex(0);
  PressKey(VK_DOWN);
  EXPECT_EQ(form->combo->ItemIndex(), 1);
  EXPECT_EQ(form->combo->Text(), L"two");
  EXPECT_EQ(counter.changes, 1);
  delete form;
}

TEST(Form, TheSpinButtonStepsTheValueAndStaysInsideTheRange) {
  auto* form = new TAllControlsForm(nullptr);
  form->Handle();
  HWND button = form->spin->Button()->Handle();
  int h = form->spin->Button()->ClientHeight();
  form->spin->SetValue(97);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 1));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 1));
  EXPECT_EQ(form->spin->Value(), 98);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 1));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 1));
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 1));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 1));
  EXPECT_EQ(form->spin->Value(), 99);  // the maximum holds
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, h - 2));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, h - 2));
  EXPECT_EQ(form->spin->Value(), 98);
  EXPECT_EQ(GetCapture(), nullptr);
  delete form;
}

TEST(Form, ClosingTheMainFormEndsTheLoop) {
  TAllControlsForm* main = nullptr;
  ui::Application->CreateForm(main);
  EXPECT_EQ(ui::Application->MainForm(), main);
  PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
  ui::Application->Run();
  EXPECT_TRUE(ui::Application->Terminated());
  ui::ShutdownApplication();
  EXPECT_EQ(ui::Screen->FormCount(), 0);
  EXPECT_EQ(ui::Application->MainForm(), nullptr);
}

TEST(Form, FocusChangesSendExitEnterAndFocusChangedWithTheirNumbers) {
  auto* form = new TAllControlsForm(nullptr);
  form->Show();
  SetForegroundWindow(form->Handle());
  form->edit->SetFocus();
  ui::Application->ProcessMessages();
  struct Spy {
    std::vector<UINT> seen;
    ui::TWndMethod previous;
    void Handle(ui::TMessage& m) {
      if (m.Msg == 0xB007 || m.Msg == 0xB01A || m.Msg == 0xB01B) seen.push_back(m.Msg);
      previous(m);
    }
  } onEdit, onSpin;
  onEdit.previous = form->edit->WindowProc;
  form->edit->WindowProc = ui::MethodOf<&Spy::Handle>(&onEdit);
  onSpin.previous = form->spin->WindowProc;
  form->spin->WindowProc = ui::MethodOf<&Spy::Handle>(&onSpin);
  PressKey(VK_TAB);
  EXPECT_EQ(onEdit.seen, (std::vector<UINT>{0xB01B, 0xB007}));  // exit, focus changed
  EXPECT_EQ(onSpin.seen, (std::vector<UINT>{0xB01A, 0xB007}));  // enter, focus changed
  EXPECT_EQ(form->ActiveControl(), form->spin);
  form->edit->WindowProc = onEdit.previous;
  form->spin->WindowProc = onSpin.previous;
  delete form;
}

TEST(Form, HoldingTheSpinButtonRepeatsWhileThePointerStaysOnTheHalf) {
  auto* form = new TAllControlsForm(nullptr);
  form->Show();
  ui::Application->ProcessMessages();
  ui::TSpinButton* spin = form->spin->Button();
  HWND button = spin->Handle();
  form->spin->SetValue(10);
  POINT upper = spin->ClientToScreen({3, 2});
  SetCursorPos(upper.x, upper.y);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 2));
  SendMessageW(button, WM_TIMER, 1, 0);
  SendMessageW(button, WM_TIMER, 1, 0);
  EXPECT_EQ(form->spin->Value(), 13);
  POINT away = form->ClientToScreen({300, 150});
  SetCursorPos(away.x, away.y);  // off the button: held, but no repeats
  SendMessageW(button, WM_TIMER, 1, 0);
  EXPECT_EQ(form->spin->Value(), 13);
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 2));
  SendMessageW(button, WM_TIMER, 1, 0);
  EXPECT_EQ(form->spin->Value(), 13);
  delete form;
}
