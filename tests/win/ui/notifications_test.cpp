// Mouse enter/leave, window-less children (painting into a given DC, mouse routing), menus
// (popup commands and owner drawing through the utility window, the main menu's change
// notification as a real window message) and errors from event handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

struct Spy {
  std::string name;
  std::vector<std::string>* log;
  ui::TWndMethod previous;
  void Handle(ui::TMessage& m) {
    if (m.Msg == ui::CM_MOUSEENTER) log->push_back(name + " enter");
    if (m.Msg == ui::CM_MOUSELEAVE) log->push_back(name + " leave");
    previous(m);
  }
  void Attach(ui::TControl* c) {
    previous = c->WindowProc;
    c->WindowProc = ui::MethodOf<&Spy::Handle>(this);
  }
};

class Children : public ::testing::Test {
 public:
  void SetUp() override {
    ui::Application->OnException = ui::MethodOf<&Children::Record>(this);
    form = new ui::TForm(nullptr);
    form->SetBounds(30, 30, 300, 200);
    label = new ui::TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 60, 20);
    label->SetColor(ui::clRed);
    label->OnClick = ui::MethodOf<&Children::LabelClick>(this);
    button = new ui::TButton(form);
    button->SetParent(form);
    button->SetBounds(100, 10, 80, 24);
    form->Handle();
  }
  void TearDown() override {
    delete form;
    ui::Application->OnException = nullptr;
  }
  void Record(ui::TObject*, const std::exception_ptr& e) {
    errors.push_back(ui::ExceptionMessage(e));
  }
  void LabelClick(ui::TObject*) { ++labelClicks; }
  void Throw(ui::TObject*) { throw ui::Exception(L"click failed"); }

  ui::TForm* form;
  ui::TLabel* label;
  ui::TButton* button;
  std::vector<std::wstring> errors;
  int labelClicks = 0;
};

}  // namespace

TEST_F(Children, MouseEnterAndLeaveFollowThePointerOverWindowedAndWindowlessControls) {
  std::vector<std::string> log;
  Spy onLabel{"label", &log, {}}, onButton{"button", &log, {}}, onForm{"form", &log, {}};
  onLabel.Attach(label);
  onButton.Attach(button);
  onForm.Attach(form);
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(25, 18));  // no change, no message
  SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(250, 150));
  EXPECT_EQ(log, (std::vector<std::string>{"label enter", "label leave", "button enter",
                                           "button leave", "form enter"}));
  label->WindowProc = onLabel.previous;
  button->WindowProc = onButton.previous;
  form->WindowProc = onForm.previous;
}

TEST_F(Children, AFormPaintsItselfAndItsWindowlessChildrenIntoAGivenDC) {
  wintest::Dib32 dib(300, 200);
  dib.Fill(RGB(1, 2, 3));
  SendMessageW(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.dc()), 0);
  SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.dc()), 0);
  EXPECT_EQ(dib.Pixel(30, 20), RGB(255, 0, 0));            // the label's own colour
  EXPECT_EQ(dib.Pixel(5, 5), GetSysColor(COLOR_BTNFACE));  // the form's background
}

TEST_F(Children, AWindowlessChildGetsItsClickThroughItsParent) {
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
  EXPECT_TRUE(label->MouseCapture());
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(16, 16));
  EXPECT_EQ(labelClicks, 1);
  EXPECT_FALSE(label->MouseCapture());
  // Released outside the label: no click.
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
  EXPECT_EQ(labelClicks, 1);
}

TEST_F(Children, AnErrorInAClickHandlerGoesToTheErrorReport) {
  button->OnClick = ui::MethodOf<&Children::Throw>(this);
  // What the button sends its parent when clicked; the parent reflects it to the button.
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
               reinterpret_cast<LPARAM>(button->Handle()));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], L"click failed");
}

TEST_F(Children, PopupCommandsAndOwnerDrawingGoThroughTheUtilityWindow) {
  auto* menu = new ui::TPopupMenu(form);
  auto* item = new ui::TMenuItem(form);
  item->SetCaption(L"Close");
  item->OnClick = ui::MethodOf<&Children::LabelClick>(this);
  menu->Items()->Add(item);
  ASSERT_GE(item->Command(), 1u);
  ASSERT_LE(item->Command(), 4095u);
  EXPECT_EQ(menu->FindItemByCommand(item->Command()), item);
  EXPECT_EQ(GetMenuItemID(menu->Handle(), 0), item->Command());

  SendMessageW(ui::TPopupMenu::PopupWindow(), WM_COMMAND, item->Command(), 0);
  EXPECT_EQ(labelClicks, 1);

  struct Measure {
    int seenWidth = -1;
    void OnMeasure(ui::TObject*, ui::TCanvas*, int& w, int& h) {
      seenWidth = w;
      w += 12;
      h += 3;
    }
  } measure;
  item->OnMeasureItem = ui::MethodOf<&Measure::OnMeasure>(&measure);
  menu->SetOwnerDraw(true);
  MENUITEMINFOW mi{};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu->Handle(), 0, TRUE, &mi);
  EXPECT_TRUE(mi.fType & MFT_OWNERDRAW);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = item->Command();
  SendMessageW(ui::TPopupMenu::PopupWindow(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_GT(measure.seenWidth, 0);  // the handler adds to a measured default
  EXPECT_EQ(static_cast<int>(mis.itemWidth), measure.seenWidth + 12);
}

TEST_F(Children, TheMainMenuTellsItsFormWindowOfChangesWithARealMessage) {
  auto* menu = new ui::TMainMenu(form);
  form->SetMenu(menu);
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  wintest::MessageRecorder recorder(form->Handle());
  auto* item = new ui::TMenuItem(form);
  item->SetCaption(L"&File");
  item->OnClick = ui::MethodOf<&Children::LabelClick>(this);
  menu->Items()->Add(item);
  using E = wintest::ExpectedMessage;
  EXPECT_EQ(recorder.Compare({{ui::CM_MENUCHANGED}}), "");
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(GetMenuItemCount(menu->Handle()), 1);
  SendMessageW(form->Handle(), WM_COMMAND, item->Command(), 0);
  EXPECT_EQ(labelClicks, 1);
  // Alt+F reaches the item through the form's dialog-char handling.
  EXPECT_NE(form->Perform(ui::CM_DIALOGCHAR, L'f', 0x20000000), 0);
  EXPECT_EQ(labelClicks, 2);
  (void)E::None;
}

TEST_F(Children, AWindowlessCanvasDrawsOnItsParentAndGivesItsDCBack) {
  form->Show();
  long before = ui::HandleCounts::Live(ui::HandleKind::WindowDC);
  ui::TCanvas* canvas = label->Canvas();
  RECT r{0, 0, 4, 4};
  canvas->Brush()->SetColor(ui::clBlue);
  canvas->FillRect(r);  // at the label's origin on the form
  EXPECT_EQ(GetPixel(canvas->Handle(), 1, 1), RGB(0, 0, 255));
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::WindowDC), before + 1);
  ui::TControlCanvas::FreeAllHandles();  // what the loop does when it is idle
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::WindowDC), before);
  ui::WindowDC dc = ui::WindowDC::Client(form->Handle());
  EXPECT_EQ(GetPixel(dc.get(), label->Left() + 1, label->Top() + 1), RGB(0, 0, 255));
}
