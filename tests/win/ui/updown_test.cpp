// The up-down control and the spin edit's button without a skin: the published settings reach
// the system's control, a buddy shows the position, and holding a half keeps stepping.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "skinframe/FrameTestSupport.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"
#include "ui/TypInfo.h"
#include "ui/UpDown.h"

namespace {

struct Steps {
  int next = 0, prev = 0;
  void Click(ui::TObject*, ui::TUDBtnType b) { ++(b == ui::TUDBtnType::btNext ? next : prev); }
};

struct UpDownForm {
  ui::TForm* form;
  UpDownForm() {
    ui::Application->Initialize();
    form = new ui::TForm(nullptr);
    form->SetBorderStyle(ui::TFormBorderStyle::bsSingle);
    form->SetBounds(50, 50, 10, 10);
    form->SetClientSize(300, 120);
    form->Show();
    wintest::PumpUntilIdle();
  }
  ~UpDownForm() { delete form; }
  template <class T>
  T* Add(int left, int top, int width, int height) {
    T* c = new T(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
  }
};

void Press(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  SetCursorPos(p.x, p.y);
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

}  // namespace

TEST(UpDown, PublishedSettingsReachTheSystemControlAndTheBuddyShowsThePosition) {
  UpDownForm f;
  auto* edit = f.Add<ui::TEdit>(10, 10, 60, 21);
  auto* upDown = f.Add<ui::TUpDown>(70, 10, 17, 21);
  Steps steps;
  upDown->OnClick = ui::MethodOf<&Steps::Click>(&steps);
  ui::SetPropertyText(upDown, "Max", L"3");
  ui::SetPropertyText(upDown, "Wrap", L"True");
  upDown->SetAssociate(edit);
  HWND wnd = upDown->Handle();
  EXPECT_EQ(upDown->Associate(), edit);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(wnd, UDM_GETBUDDY, 0, 0)), edit->Handle());
  EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_STYLE) & UDS_WRAP);
  EXPECT_EQ(edit->Text(), L"0");

  for (int i = 0; i < 3; ++i) {
    Press(wnd, 8, 3);
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(8, 3));
  }
  EXPECT_EQ(ui::GetOrdProperty(upDown, "Position"), 3);
  EXPECT_EQ(edit->Text(), L"3");
  EXPECT_EQ(steps.next, 3);
  // Past Max it wraps to Min; the lower half steps back.
  Press(wnd, 8, 3);
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(8, 3));
  EXPECT_EQ(upDown->Position(), 0);
  Press(wnd, 8, 18);
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(8, 18));
  EXPECT_EQ(upDown->Position(), 3);
  EXPECT_EQ(steps.prev, 1);

  ui::SetPropertyText(upDown, "Orientation", L"udHorizontal");
  EXPECT_TRUE(GetWindowLongPtrW(upDown->Handle(), GWL_STYLE) & UDS_HORZ);
  EXPECT_EQ(upDown->Position(), 3);  // kept through the new window
  delete edit;                       // the buddy going leaves no dangling association
  EXPECT_EQ(upDown->Associate(), nullptr);
  SetCursorPos(0, 0);
}

TEST(UpDown, HoldingASpinButtonHalfKeepsSteppingUntilReleased) {
  UpDownForm f;
  auto* spin = f.Add<ui::TSpinEdit>(10, 40, 72, 22);
  spin->SetMaxValue(1000);
  spin->SetValue(100);
  HWND button = spin->Button()->Handle();
  // The spin button reads the pointer against its own client area, under the form's caption.
  POINT origin{0, 0};
  ClientToScreen(button, &origin);
  EXPECT_EQ(spin->Button()->ClientOrigin().x, origin.x);
  EXPECT_EQ(spin->Button()->ClientOrigin().y, origin.y);
  Press(button, 7, 4);
  EXPECT_EQ(spin->Value(), 101);
  EXPECT_TRUE(frametest::PumpUntil([&] { return spin->Value() >= 105; }, 5000));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(7, 4));
  const int released = spin->Value();
  wintest::PumpUntilIdle(300);
  EXPECT_EQ(spin->Value(), released);
  SetCursorPos(0, 0);
}
