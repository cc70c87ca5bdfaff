// Combo box skinners on real combo boxes with flat-colour test skins: the ComboButton image of each
// state for both drawings, right-to-left combos, the extended combo and its inner combo, the
// drop-down list's border, the list's thumb drag and every way it ends, a skin without the image,
// and handle counts over many cycles.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <vector>

#include "skin/controls/SkinComboBox.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/Application.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

using frametest::Rgb;
using frametest::SkinnedForm;
using testskin::TestSkin;

namespace {

TestSkin FlatSkin() {
  TestSkin ts;
  ts.SetIni("ComboButton", "Style", "1");
  return ts;
}

// One skin image for the whole combo: the skin data combines ComboButton with SunkEdge.
TestSkin WholeImageSkin() {
  TestSkin ts;
  ts.Include("SunkEdge");
  return ts;
}

void Fill(ui::TCustomComboBox* combo, int count) {
  for (int i = 0; i < count; ++i) combo->Items()->Add(L"Item " + std::to_wstring(i));
  combo->SetItemIndex(0);
}

// A skinned drop-down list beside its native twin, on a skinned form; both skinned through the
// classification, as a program's combos are.
struct ComboFixture {
  // Made by the form's set-up, before the form is skinned: declared first so they keep their
  // values.
  ui::TComboBox* combo = nullptr;
  ui::TComboBox* native = nullptr;
  ui::TButton* other = nullptr;
  SkinnedForm f;
  TestSkin skin;

  explicit ComboFixture(const TestSkin& ts, DWORD exStyle = 0, int items = 5)
      : f(ts,
          [&](frametest::TFrameTestForm& form) {
            const auto make = [&](int left) {
              auto* c = new ui::TComboBox(&form);
              c->SetParent(&form);
              c->SetStyle(ui::TComboBoxStyle::csDropDownList);
              c->SetBounds(left, 20, 120, 21);
              Fill(c, items);
              return c;
            };
            combo = make(20);
            native = make(200);
            native->SetTag(99);
            other = new ui::TButton(&form);
            other->SetParent(&form);
            other->SetBounds(20, 200, 75, 25);
            if (exStyle) {
              for (ui::TComboBox* c : {combo, native}) {
                HWND h = c->Handle();
                SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | exStyle);
              }
            }
          }),
        skin(ts) {
    other->SetFocus();
    wintest::PumpUntilIdle();
  }
  skin::TSkinComBox* Skinner() const {
    return dynamic_cast<skin::TSkinComBox*>(f.Skinner()->FindSkinnerByWindow(combo->Handle()));
  }
  COLORREF Pixel(HWND wnd, int x, int y) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    wintest::PumpUntilIdle(10);
    auto capture = wintest::CaptureWindowDC(wnd);
    return capture ? capture->Pixel(x, y) & 0xFFFFFF : CLR_INVALID;
  }
  COLORREF Frame(int frame) const { return Rgb(skin.FrameColour("ComboButton", frame)); }
  COLORREF Shadow() const { return Rgb(f.data->GetRGB(skin::ciButtonShadow)); }
  HWND List(HWND wnd) const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(wnd, &info) ? info.hwndList : nullptr;
  }
  void Send(UINT msg, WPARAM w, LPARAM l) { SendMessageW(combo->Handle(), msg, w, l); }
  void CloseList() {
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    if (GetCapture()) ReleaseCapture();
    wintest::PumpUntilIdle(10);
  }
};

// Where the flat button image of a 120 x 21 combo is, and a pixel inside it.
POINT FlatButtonProbe(bool left) { return left ? POINT{10, 10} : POINT{120 - 10, 10}; }
// The combined image's button part (right margin of the nine-slice), away from its arrow glyph.
POINT WholeButtonProbe(bool left) {
  const int bw = GetSystemMetrics(SM_CXHSCROLL) + 2;
  return left ? POINT{bw - 2, 3} : POINT{120 - bw + 1, 3};
}

// Normal, focused, pressed, disabled, as the Part maps them to frames 1, 4, 2 and 3.
void ExpectStateFrames(ComboFixture& c, POINT probe) {
  HWND h = c.combo->Handle();
  EXPECT_EQ(c.Pixel(h, probe.x, probe.y), c.Frame(1)) << "normal";
  c.combo->SetFocus();
  wintest::PumpUntilIdle(10);
  EXPECT_EQ(c.Pixel(h, probe.x, probe.y), c.Frame(4)) << "focused";
  c.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(probe.x, probe.y));
  EXPECT_EQ(c.Pixel(h, probe.x, probe.y), c.Frame(2)) << "pressed";
  c.Send(WM_LBUTTONUP, 0, MAKELPARAM(probe.x, probe.y));
  c.CloseList();
  c.other->SetFocus();
  c.combo->SetEnabled(false);
  wintest::PumpUntilIdle(10);
  EXPECT_EQ(c.Pixel(h, probe.x, probe.y), c.Frame(3)) << "disabled";
  // The native twin shows none of it.
  const COLORREF twin = c.Pixel(c.native->Handle(), probe.x, probe.y);
  for (int f = 1; f <= 4; ++f) EXPECT_NE(twin, c.Frame(f));
}

}  // namespace

TEST(SkinnedCombo, FlatButtonShowsTheImageOfEachState) {
  ComboFixture c(FlatSkin());
  ASSERT_NE(c.Skinner(), nullptr);
  EXPECT_EQ(SendMessageW(c.combo->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_NE(SendMessageW(c.native->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(c.Pixel(c.combo->Handle(), 0, 0), c.Shadow());  // the edge
  ExpectStateFrames(c, FlatButtonProbe(false));
}

TEST(SkinnedCombo, WholeComboImageShowsTheImageOfEachState) {
  ComboFixture c(WholeImageSkin());
  ExpectStateFrames(c, WholeButtonProbe(false));
}

TEST(SkinnedCombo, HoverOverTheButtonShowsTheHotImage) {
  ComboFixture c(FlatSkin());
  const POINT probe = FlatButtonProbe(false);
  c.Send(WM_MOUSEMOVE, 0, MAKELPARAM(probe.x, probe.y));
  EXPECT_EQ(c.Pixel(c.combo->Handle(), probe.x, probe.y), c.Frame(4));
  c.Send(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));  // over the text: no longer hot
  EXPECT_EQ(c.Pixel(c.combo->Handle(), probe.x, probe.y), c.Frame(1));
  c.Send(WM_MOUSEMOVE, 0, MAKELPARAM(probe.x, probe.y));
  c.Send(ui::CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(c.Pixel(c.combo->Handle(), probe.x, probe.y), c.Frame(1));
}

// The mirrored button image keeps its frames in their places: frame 1 is still the normal state.
TEST(SkinnedCombo, RightToLeftButtonSitsAtTheLeftWithItsFramesInPlace) {
  ComboFixture flat(FlatSkin(), WS_EX_LEFTSCROLLBAR);
  const POINT probe = FlatButtonProbe(true);
  EXPECT_EQ(flat.Pixel(flat.combo->Handle(), probe.x, probe.y), flat.Frame(1));
  EXPECT_NE(flat.Pixel(flat.combo->Handle(), 120 - 10, 10), flat.Frame(1));
  flat.combo->SetFocus();
  EXPECT_EQ(flat.Pixel(flat.combo->Handle(), probe.x, probe.y), flat.Frame(4));
  RECT hot = flat.Skinner()->HotRect();
  EXPECT_EQ(hot.left, 2);
}

TEST(SkinnedCombo, RightToLeftWholeImageComesFromTheMirroredEdge) {
  ComboFixture c(WholeImageSkin(), WS_EX_LEFTSCROLLBAR);
  const POINT probe = WholeButtonProbe(true);
  EXPECT_EQ(c.Pixel(c.combo->Handle(), probe.x, probe.y), c.Frame(1));
  c.combo->SetFocus();
  EXPECT_EQ(c.Pixel(c.combo->Handle(), probe.x, probe.y), c.Frame(4));
}

TEST(SkinnedCombo, WithoutAComboButtonImageTheComboAndItsListStayNative) {
  TestSkin ts = FlatSkin();
  ts.Omit("ComboButton");
  ComboFixture c(ts);
  for (POINT p : {POINT{0, 0}, POINT{110, 10}, POINT{60, 1}})
    EXPECT_EQ(c.Pixel(c.combo->Handle(), p.x, p.y), c.Pixel(c.native->Handle(), p.x, p.y));
  SendMessageW(c.combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  wintest::PumpUntilIdle(10);
  EXPECT_NE(c.Pixel(c.List(c.combo->Handle()), 0, 0), c.Shadow());
  c.CloseList();
}

TEST(SkinnedCombo, TheDroppedListWearsTheSkinsBorder) {
  ComboFixture c(FlatSkin());
  ASSERT_NE(c.Skinner()->ListPainter(), nullptr);
  for (ui::TComboBox* combo : {c.combo, c.native}) {
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    wintest::PumpUntilIdle(10);
    HWND list = c.List(combo->Handle());
    ASSERT_TRUE(IsWindowVisible(list));
    RECT r{};
    GetWindowRect(list, &r);
    const bool skinned = combo == c.combo;
    for (POINT p : {POINT{0, 0}, POINT{r.right - r.left - 1, r.bottom - r.top - 1}}) {
      const COLORREF pixel = c.Pixel(list, p.x, p.y);
      if (skinned)
        EXPECT_EQ(pixel, c.Shadow());
      else
        EXPECT_NE(pixel, c.Shadow());
    }
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    wintest::PumpUntilIdle(10);
  }
}

// A closed list runs the system's own procedure, as its twin's does: nothing of the skin sits in
// the messages its combo sends it in every paint. Dropped by the user's clicks, it wears the skin
// each time, and a skin switched off or on while it was closed shows when it next drops.
TEST(SkinnedCombo, AClosedListRunsItsOwnProcedureAndWearsTheSkinWhenDropped) {
  ComboFixture c(FlatSkin(), 0, 20);
  const HWND list = c.List(c.combo->Handle());
  const HWND twin = c.List(c.native->Handle());
  ASSERT_NE(c.Skinner()->ListPainter(), nullptr);
  const auto ownProcedure = [&] {
    return GetWindowLongPtrW(list, GWLP_WNDPROC) == GetWindowLongPtrW(twin, GWLP_WNDPROC);
  };
  // The list drops on a click on the button and closes on a second one; the border is read as
  // the list painted it on showing.
  const auto dropped = [&] {
    wintest::ClickClient(c.combo->Handle(), 110, 10);
    EXPECT_TRUE(IsWindowVisible(list));
    auto capture = wintest::CaptureWindowDC(list);
    const COLORREF corner = capture ? capture->Pixel(0, 0) & 0xFFFFFF : CLR_INVALID;
    wintest::ClickClient(c.combo->Handle(), 110, 10);
    EXPECT_FALSE(IsWindowVisible(list));
    return corner;
  };
  EXPECT_TRUE(ownProcedure());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(dropped(), c.Shadow()) << "drop " << i;
    EXPECT_TRUE(ownProcedure()) << "after drop " << i;
  }
  SendMessageW(c.combo->Handle(), skin::SM_SETACTIVE, 0, 0);
  wintest::PumpUntilIdle(10);
  EXPECT_NE(dropped(), c.Shadow());
  SendMessageW(c.combo->Handle(), skin::SM_SETACTIVE, 1, 0);
  wintest::PumpUntilIdle(10);
  EXPECT_EQ(dropped(), c.Shadow());
  EXPECT_TRUE(ownProcedure());
  // Dropped while the skin is off, the list takes the skin when it comes back on.
  SendMessageW(c.combo->Handle(), skin::SM_SETACTIVE, 0, 0);
  wintest::ClickClient(c.combo->Handle(), 110, 10);
  ASSERT_TRUE(IsWindowVisible(list));
  SendMessageW(c.combo->Handle(), skin::SM_SETACTIVE, 1, 0);
  wintest::PumpUntilIdle(10);
  auto capture = wintest::CaptureWindowDC(list);
  EXPECT_EQ(capture ? capture->Pixel(0, 0) & 0xFFFFFF : CLR_INVALID, c.Shadow());
  wintest::ClickClient(c.combo->Handle(), 110, 10);
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_TRUE(ownProcedure());
}

// The list's vertical bar is covered by the skin's bar, exactly, while the list is down.
TEST(SkinnedCombo, TheDroppedListsBarWearsTheSkin) {
  ComboFixture c(FlatSkin(), 0, 40);
  c.combo->SetDropDownCount(8);
  skin::TComboxScrollBar* painter = c.Skinner()->ListPainter();
  ASSERT_NE(painter, nullptr);
  ASSERT_NE(painter->Bar(), nullptr);
  SendMessageW(c.combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  wintest::PumpUntilIdle(10);
  HWND list = c.List(c.combo->Handle());
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
  skin::TWScrollbar* overlay = painter->Bar();
  ASSERT_TRUE(IsWindowVisible(overlay->Window()));
  RECT placed{};
  GetWindowRect(overlay->Window(), &placed);
  EXPECT_TRUE(EqualRect(&placed, &bar.rcScrollBar));
  // The track between the thumb (at the top) and the lower arrow.
  const int A = GetSystemMetrics(SM_CXHSCROLL);
  const int h = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
  const COLORREF track = c.Pixel(overlay->Window(), A / 2, h - A - 3);
  EXPECT_EQ(track, Rgb(c.skin.FrameColour("VertScroll", 1)));
  c.CloseList();
  EXPECT_FALSE(IsWindowVisible(overlay->Window()));
}

// An extended combo: its inner combo covers it, is hooked, and repainting it alone leaves the skin
// on top, in the look of the extended combo's focus.
TEST(SkinnedCombo, ExtendedComboInnerComboNeverPaintsOverTheSkin) {
  ui::TComboBoxEx* ex = nullptr;
  ui::TButton* other = nullptr;
  SkinnedForm f(FlatSkin(), [&](frametest::TFrameTestForm& form) {
    ex = new ui::TComboBoxEx(&form);
    ex->SetParent(&form);
    ex->SetBounds(20, 20, 113, 22);
    for (int i = 0; i < 20; ++i) ex->AddItem(L"WWWW " + std::to_wstring(i), i);
    ex->SetItemIndex(0);
    other = new ui::TButton(&form);
    other->SetParent(&form);
    other->SetBounds(20, 200, 75, 25);
  });
  const TestSkin skin = FlatSkin();
  auto* skinner = dynamic_cast<skin::TSkinComBox*>(f.Skinner()->FindSkinnerByWindow(ex->Handle()));
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->ChildWindow(), ex->ComboHandle());
  EXPECT_NE(skinner->ListPainter(), nullptr);
  RECT w{};
  GetWindowRect(ex->Handle(), &w);
  const int W = w.right - w.left;
  const auto probe = [&](int x, int y) {
    // Only the inner combo paints: what it paints must not cover the skin.
    RedrawWindow(ex->ComboHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    wintest::PumpUntilIdle(10);
    auto capture = wintest::CaptureWindowDC(ex->Handle());
    return capture ? capture->Pixel(x, y) & 0xFFFFFF : CLR_INVALID;
  };
  ex->SetFocus();
  wintest::PumpUntilIdle(10);
  EXPECT_EQ(probe(W - 10, 10), Rgb(skin.FrameColour("ComboButton", 4)));
  other->SetFocus();
  wintest::PumpUntilIdle(10);
  EXPECT_EQ(probe(W - 10, 10), Rgb(skin.FrameColour("ComboButton", 1)));
  EXPECT_EQ(probe(0, 0), Rgb(f.data->GetRGB(skin::ciButtonShadow)));
  // The item's text, which the extended combo draws while its inner combo paints, is still there.
  const auto inked = [&] {
    auto capture = wintest::CaptureWindowDC(ex->Handle());
    for (int y = 4; y < 18; ++y)
      for (int x = 4; x < 60; ++x)
        if ((capture->Pixel(x, y) & 0xFFFFFF) == 0) return true;
    return false;
  };
  EXPECT_TRUE(inked());
  SendMessageW(ex->Handle(), WM_ENABLE, TRUE, 0);  // a repaint of the whole combo
  wintest::PumpUntilIdle(10);
  EXPECT_TRUE(inked());
  // The pointer over the inner combo's button makes it hot.
  SendMessageW(ex->ComboHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(W - 10, 10));
  EXPECT_EQ(probe(W - 10, 10), Rgb(skin.FrameColour("ComboButton", 4)));
}

TEST(SkinnedCombo, AComboWhoseListCannotBeFoundKeepsPaintingWithoutOne) {
  SkinnedForm f(FlatSkin());
  // Not a combo at all: GetComboBoxInfo finds no list.
  HWND fake = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 120, 21, f.Handle(),
                              nullptr, nullptr, nullptr);
  auto* skinner = new skin::TSkinComBox(nullptr);
  skinner->AttachHandle(fake, f.data, f.Skinner());
  EXPECT_EQ(skinner->ListPainter(), nullptr);
  RedrawWindow(fake, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto capture = wintest::CaptureWindowDC(fake);
  EXPECT_EQ(capture->Pixel(110, 10) & 0xFFFFFF, Rgb(FlatSkin().FrameColour("ComboButton", 1)));
  DestroyWindow(fake);
  f.Skinner()->PurgeDestroyed();
}

// ---- The list's thumb drag ----------------------------------------------------------------------

namespace {

// What a timer does inside the drag loop (timers are dispatched by it like any message).
std::function<void()> g_timerAction;
bool g_safetyFired = false;
HWND g_safetyList = nullptr;

void CALLBACK RunAction(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (g_timerAction) g_timerAction();
}

// Ends a drag that would otherwise never end, and says so.
void CALLBACK Safety(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_safetyFired = true;
  PostMessageW(g_safetyList, WM_LBUTTONUP, 0, 0);
}

struct DragFixture : ComboFixture {
  HWND list = nullptr;
  SCROLLBARINFO bar{};
  std::unique_ptr<wintest::MessageRecorder> recorder;

  DragFixture() : ComboFixture(FlatSkin(), 0, 100) {
    combo->SetDropDownCount(8);
    combo->SetFocus();
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    wintest::PumpUntilIdle(10);
    list = List(combo->Handle());
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(list, OBJID_VSCROLL, &bar);
    recorder = std::make_unique<wintest::MessageRecorder>(list);
    g_safetyFired = false;
    g_safetyList = list;
  }
  ~DragFixture() {
    recorder.reset();
    g_timerAction = nullptr;
    CloseList();
  }
  // A press in the middle of the thumb, in screen coordinates.
  POINT Thumb() const {
    return POINT{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                 bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
  }
  // A pointer move of the list (client coordinates) to screen point p.
  void PostMove(POINT p) {
    ScreenToClient(list, &p);
    PostMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }
  // Runs the drag loop; `action` runs from a timer inside it.
  void Drag(POINT press, std::function<void()> action = {}) {
    g_timerAction = std::move(action);
    if (g_timerAction) SetTimer(nullptr, 0, 1, RunAction);
    const UINT_PTR safety = SetTimer(nullptr, 0, 3000, Safety);
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    KillTimer(nullptr, safety);
  }
  std::vector<WPARAM> Scrolls() const {
    std::vector<WPARAM> out;
    for (const auto& m : recorder->messages())
      if (m.msg == WM_VSCROLL) out.push_back(m.wParam);
    return out;
  }
  int Top() const { return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)); }
};

}  // namespace

TEST(ComboListThumbDrag, DraggingToTheEndReachesTheLastPageAndEndsOnRelease) {
  DragFixture d;
  ASSERT_TRUE(IsWindowVisible(d.list));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(d.list, SB_VERT, &info);
  ASSERT_EQ(info.nMax, 99);
  const int page = static_cast<int>(info.nPage);
  ASSERT_GT(page, 0);
  const POINT press = d.Thumb();
  d.PostMove(POINT{press.x, press.y + 5});
  d.PostMove(POINT{press.x, press.y + 1000});
  PostMessageW(d.list, WM_LBUTTONUP, 0, 0);
  d.Drag(press);
  wintest::PumpUntilIdle(10);
  EXPECT_FALSE(g_safetyFired);
  EXPECT_EQ(d.Top(), 99 - page + 1);
  const std::vector<WPARAM> scrolls = d.Scrolls();
  ASSERT_GE(scrolls.size(), 3u);
  EXPECT_EQ(LOWORD(scrolls[0]), SB_THUMBTRACK);
  EXPECT_EQ(scrolls[scrolls.size() - 2], MAKEWPARAM(SB_THUMBPOSITION, 99 - page + 1));
  EXPECT_EQ(scrolls.back(), static_cast<WPARAM>(SB_ENDSCROLL));
  EXPECT_NE(GetCapture(), d.list);
  EXPECT_FALSE(d.Skinner()->ListPainter()->Dragging());
}

TEST(ComboListThumbDrag, APressBesideTheThumbIsLeftToTheList) {
  DragFixture d;
  // The page area below the thumb: the system's own bar pages the list.
  const POINT below{d.Thumb().x, d.bar.rcScrollBar.top + d.bar.xyThumbBottom + 4};
  PostMessageW(d.list, WM_LBUTTONUP, 0, 0);
  d.Drag(below);
  wintest::PumpUntilIdle(10);
  EXPECT_FALSE(g_safetyFired);
  EXPECT_GT(d.Top(), 0);
  for (WPARAM w : d.Scrolls()) EXPECT_NE(LOWORD(w), SB_THUMBTRACK);
}

TEST(ComboListThumbDrag, EndsWhenTheCaptureIsTakenAway) {
  DragFixture d;
  HWND other = d.other->Handle();
  d.Drag(d.Thumb(), [other] { SetCapture(other); });
  EXPECT_FALSE(g_safetyFired);
  EXPECT_FALSE(d.Skinner()->ListPainter()->Dragging());
  ReleaseCapture();
}

TEST(ComboListThumbDrag, EndsOnCancelMode) {
  DragFixture d;
  HWND list = d.list;
  d.Drag(d.Thumb(), [list] { SendMessageW(list, WM_CANCELMODE, 0, 0); });
  EXPECT_FALSE(g_safetyFired);
  EXPECT_NE(GetCapture(), d.list);
}

TEST(ComboListThumbDrag, EndsWhenTheListIsHidden) {
  DragFixture d;
  HWND combo = d.combo->Handle();
  d.Drag(d.Thumb(), [combo] { SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0); });
  EXPECT_FALSE(g_safetyFired);
  EXPECT_FALSE(IsWindowVisible(d.list));
}

TEST(ComboListThumbDrag, EndsOnQuitAndPutsTheQuitBack) {
  DragFixture d;
  PostQuitMessage(7);
  d.Drag(d.Thumb());
  EXPECT_FALSE(g_safetyFired);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(SkinnedCombo, ManyCyclesGiveEveryHandleAndGdiObjectBack) {
  const auto cycle = [] {
    ComboFixture c(FlatSkin());
    c.combo->SetFocus();
    SendMessageW(c.combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    wintest::PumpUntilIdle(5);
    c.CloseList();
    RedrawWindow(c.combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  };
  cycle();  // warm-up: the system's caches
  const long handles = ui::HandleCounts::Total() + ui::LiveFrameworkWindows();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 30; ++i) cycle();
  EXPECT_EQ(ui::HandleCounts::Total() + ui::LiveFrameworkWindows(), handles);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
}

namespace {

// A simple combo's list is always shown: its scroll bar wears the skin as any list's does, an
// overlay exactly over the native bar, scrolling with it, gone with the skin.
TEST(SkinnedCombo, ASimpleCombosListBarWearsTheSkin) {
  ui::TComboBox* combo = nullptr;
  SkinnedForm f(TestSkin(), [&](frametest::TFrameTestForm& form) {
    combo = new ui::TComboBox(&form);
    combo->SetParent(&form);
    combo->SetStyle(ui::TComboBoxStyle::csSimple);
    combo->SetBounds(20, 20, 140, 120);
    Fill(combo, 40);
  });
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(info.hwndList, OBJID_VSCROLL, &bar));
  ASSERT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  // The overlay: a window of the skin's overlay class lying exactly over the list's bar.
  const auto overlayOverBar = [&] {
    for (HWND w = GetWindow(combo->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
      wchar_t name[32] = {};
      GetClassNameW(w, name, 32);
      RECT r{};
      GetWindowRect(w, &r);
      if (lstrcmpW(name, L"TWScrollbar") == 0 && IsWindowVisible(w) &&
          EqualRect(&r, &bar.rcScrollBar))
        return w;
    }
    return HWND{};
  };
  const HWND overlay = overlayOverBar();
  ASSERT_NE(overlay, nullptr);
  auto capture = wintest::CaptureWindowDC(overlay);
  ASSERT_TRUE(capture);
  // The up arrow's image.
  const int w = bar.rcScrollBar.right - bar.rcScrollBar.left, a = GetSystemMetrics(SM_CXHSCROLL);
  EXPECT_EQ(capture->Pixel(w / 2, a / 2) & 0xFFFFFF, Rgb(TestSkin().FrameColour("Scrollbar", 9)));

  SendMessageW(combo->Handle(), skin::SM_SETACTIVE, 0, 0);
  wintest::PumpUntilIdle();
  EXPECT_EQ(overlayOverBar(), nullptr);
  SendMessageW(combo->Handle(), skin::SM_SETACTIVE, 1, 0);
  wintest::PumpUntilIdle();
  EXPECT_NE(overlayOverBar(), nullptr);
}

}  // namespace
