// Scroll boxes: the window's bars appear when the children reach past the client area and only
// then; the bars, the wheel, the keys and the focus scroll the content; a scrolled box keeps its
// children's design through DPI changes.
#include <gtest/gtest.h>

#include <string>

#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/DpiScale.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/StdCtrls.h"

namespace {

// A button on the form above a box of three: one in view, one far below, one far to the right.
struct BoxForm {
  BoxForm() {
    form = new ui::TForm(nullptr);
    form->SetBorderStyle(ui::TFormBorderStyle::bsSingle);
    form->SetBounds(30, 30, 10, 10);
    form->SetClientSize(300, 220);
    outside = Make<ui::TButton>(form, 10, 8, 80, 24);
    box = new ui::TScrollBox(form);
    box->SetParent(form);
    box->SetBorderStyle(ui::TBorderStyle::bsNone);
    box->SetBounds(0, 40, 300, 180);
    first = Make<ui::TButton>(box, 10, 10, 80, 24);
    below = Make<ui::TButton>(box, 10, 400, 80, 24);
    right = Make<ui::TButton>(box, 500, 30, 80, 24);
    for (ui::TButton* b : {outside, first, below, right}) b->SetTabStop(true);
    form->Show();
    SetForegroundWindow(form->Handle());
    wintest::PumpUntilIdle();
  }
  ~BoxForm() { delete form; }
  template <class T>
  T* Make(ui::TWinControl* parent, int l, int t, int w, int h) {
    T* c = new T(form);
    c->SetParent(parent);
    c->SetBounds(l, t, w, h);
    return c;
  }
  int Px(int design) const { return form->ScaledLength(design); }
  LONG_PTR Style() const { return GetWindowLongPtrW(box->Handle(), GWL_STYLE); }
  SCROLLINFO Bar(int bar) const {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(box->Handle(), bar, &si);
    return si;
  }
  // Where a child's window is in the box's client area.
  RECT InBox(ui::TWinControl* c) const {
    RECT r{};
    GetWindowRect(c->Handle(), &r);
    MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  bool WholeInView(ui::TWinControl* c) const {
    RECT client{};
    GetClientRect(box->Handle(), &client);
    const RECT r = InBox(c);
    return r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
  }
  POINT BoxCentre() const {
    RECT r{};
    GetClientRect(box->Handle(), &r);
    POINT p{r.right / 2, r.bottom / 2};
    ClientToScreen(box->Handle(), &p);
    return p;
  }

  ui::TForm* form;
  ui::TButton* outside;
  ui::TScrollBox* box;
  ui::TButton *first, *below, *right;
};

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// A key pressed through the system's input, run by the program's own message loop (which hands
// dialog keys such as Tab to the form).
void PressInLoop(WORD vk) {
  wintest::SendKeys({{vk, true}, {vk, false}});
  for (int i = 0; i < 10; ++i) {
    ui::Application->ProcessMessages();
    Sleep(5);
  }
}

int WheelLines() {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines);
}

}  // namespace

TEST(ScrollBox, BarsFollowTheContentAndTheWheelBarsKeysAndFocusScrollIt) {
  ui::Application->Initialize();
  BoxForm f;
  // Both bars, each ranging over the content's extent and paging by the client area.
  ASSERT_TRUE(f.Style() & WS_VSCROLL);
  ASSERT_TRUE(f.Style() & WS_HSCROLL);
  RECT client{};
  GetClientRect(f.box->Handle(), &client);
  EXPECT_EQ(f.Bar(SB_VERT).nMax + 1, f.Px(424));
  EXPECT_EQ(f.Bar(SB_HORZ).nMax + 1, f.Px(580));
  EXPECT_EQ(static_cast<LONG>(f.Bar(SB_VERT).nPage), client.bottom);
  EXPECT_EQ(static_cast<LONG>(f.Bar(SB_HORZ).nPage), client.right);
  EXPECT_FALSE(f.WholeInView(f.below));

  // The wheel over the box while a button outside it has the focus: the form hands it on.
  SetFocus(f.outside->Handle());
  wintest::PumpUntilIdle();
  wintest::WheelAt(f.BoxCentre(), -1);
  const int step = WheelLines() * f.box->LineStep();
  EXPECT_EQ(f.box->ScrollOffset().y, step);
  EXPECT_EQ(f.Bar(SB_VERT).nPos, step);
  EXPECT_EQ(f.InBox(f.first).top, f.Px(10) - step);
  EXPECT_EQ(f.first->Top(), f.Px(10) - step);
  // And with the focus inside it (the button passes the wheel to its parent): back up.
  SetFocus(f.first->Handle());
  wintest::PumpUntilIdle();
  wintest::WheelAt(f.BoxCentre(), 1);
  EXPECT_EQ(f.box->ScrollOffset().y, 0);
  EXPECT_EQ(f.InBox(f.first).top, f.Px(10));

  // The bars' requests: to the end, which shows the lowest button whole, and a line back.
  SendMessageW(f.box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(f.WholeInView(f.below)) << Text(f.InBox(f.below));
  EXPECT_EQ(f.InBox(f.below).bottom, client.bottom);
  SendMessageW(f.box->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(f.InBox(f.below).bottom, client.bottom + f.box->LineStep());
  SendMessageW(f.box->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, f.Px(200)), 0);
  EXPECT_EQ(f.InBox(f.right).left, f.Px(500) - f.Px(200));
  // Never past either end.
  SendMessageW(f.box->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30000), 0);
  EXPECT_EQ(f.InBox(f.right).right, client.right);

  // The keys while the box has the focus (a click on its empty part gives it).
  f.box->SetTabStop(true);
  wintest::ClickClient(f.box->Handle(), client.right - 2, client.bottom - 2);
  ASSERT_TRUE(f.box->Focused());
  wintest::PressKey(VK_HOME);
  EXPECT_EQ(f.box->ScrollOffset().y, 0);
  wintest::PressKey(VK_NEXT);
  EXPECT_EQ(f.box->ScrollOffset().y, client.bottom);
  wintest::PressKey(VK_LEFT);
  EXPECT_EQ(f.box->ScrollOffset().x, f.Bar(SB_HORZ).nMax + 1 - client.right - f.box->LineStep());
  wintest::PressKey(VK_HOME, false, false);
  EXPECT_EQ(f.box->ScrollOffset().y, 0);

  // The focus moving by Tab to a button out of view brings it into view.
  wintest::ClickClient(f.form->Handle(), f.Px(20), f.Px(12));  // the outside button
  SendMessageW(f.box->Handle(), WM_HSCROLL, SB_TOP, 0);
  ASSERT_TRUE(f.outside->Focused());
  PressInLoop(VK_TAB);  // to the box, which takes the focus now
  PressInLoop(VK_TAB);  // the first button
  PressInLoop(VK_TAB);  // the one below
  ASSERT_TRUE(f.below->Focused());
  EXPECT_TRUE(f.WholeInView(f.below)) << Text(f.InBox(f.below));
  PressInLoop(VK_TAB);  // the one to the right
  ASSERT_TRUE(f.right->Focused());
  EXPECT_TRUE(f.WholeInView(f.right)) << Text(f.InBox(f.right));

  // Content that fits again: no bars, and everything back where it was placed.
  f.below->SetVisible(false);
  f.right->SetVisible(false);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(f.Style() & (WS_VSCROLL | WS_HSCROLL));
  EXPECT_EQ(f.box->ScrollOffset().x, 0);
  EXPECT_EQ(f.box->ScrollOffset().y, 0);
  EXPECT_EQ(f.InBox(f.first).left, f.Px(10));
  EXPECT_EQ(f.InBox(f.first).top, f.Px(10));
  // A child moved past the edge brings the bar back.
  f.first->SetTop(f.Px(500));
  EXPECT_TRUE(f.Style() & WS_VSCROLL);
  EXPECT_FALSE(f.Style() & WS_HSCROLL);
}

// Scrolled, then shown at 150 % and back, ten times: the children stand where their design and
// the scaled scroll position put them, and end exactly where they started.
TEST(ScrollBox, AScrolledBoxKeepsItsChildrensDesignThroughDpiChanges) {
  ui::Application->Initialize();
  BoxForm f;
  const int base = f.form->CurrentPPI(), high = base * 3 / 2;
  const int down = f.Px(100);
  SendMessageW(f.box->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, down), 0);
  SendMessageW(f.box->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, f.Px(60)), 0);
  wintest::PumpUntilIdle();
  const ui::DesignRect design = f.below->DesignBounds();
  const RECT start = f.InBox(f.below);
  RECT window{};
  GetWindowRect(f.form->Handle(), &window);
  const long counters = ui::HandleCounts::Total() + ui::LiveFrameworkWindows();
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    RECT suggested{window.left, window.top,
                   window.left + ui::ScaleValue(window.right - window.left, high, base),
                   window.top + ui::ScaleValue(window.bottom - window.top, high, base)};
    SendMessageW(f.form->Handle(), WM_DPICHANGED, MAKEWPARAM(high, high),
                 reinterpret_cast<LPARAM>(&suggested));
    wintest::PumpUntilIdle();
    const POINT offset = f.box->ScrollOffset();
    EXPECT_EQ(offset.y, ui::ScaleValue(down, high, base));
    const ui::DesignRect r = ui::ScaleRect(design, high);
    EXPECT_EQ(f.InBox(f.below).left, r.left - offset.x);
    EXPECT_EQ(f.InBox(f.below).top, r.top - offset.y);
    EXPECT_EQ(f.Bar(SB_VERT).nPos, offset.y);
    SendMessageW(f.form->Handle(), WM_DPICHANGED, MAKEWPARAM(base, base),
                 reinterpret_cast<LPARAM>(&window));
    wintest::PumpUntilIdle();
    EXPECT_EQ(Text(f.InBox(f.below)), Text(start));
    EXPECT_TRUE(f.below->DesignBounds() == design);
  }
  EXPECT_EQ(ui::HandleCounts::Total() + ui::LiveFrameworkWindows(), counters);
}
