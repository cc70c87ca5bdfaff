// Scroll-bar overlays on real controls under a flat-colour test skin: where they lie, which image
// each part shows, presses handed to the system's own tracking, following the host through
// resizes, hiding, new items, re-creation and re-parenting, and leaving nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/controls/ScrollGeometry.h"
#include "skin/controls/SkinScrollbars.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/ExtCtrls.h"
#include "ui/ListCtrls.h"

using frametest::Rgb;
using frametest::SkinnedForm;
using testskin::TestSkin;

namespace {

COLORREF Colour(const char* id, int frame) { return Rgb(TestSkin().FrameColour(id, frame)); }

// Every overlay window of this thread, wherever it lives.
std::vector<HWND> OverlayWindows() {
  std::vector<HWND> found;
  struct Walk {
    static BOOL CALLBACK Top(HWND wnd, LPARAM out) {
      Child(wnd, out);
      EnumChildWindows(wnd, Child, out);
      return TRUE;
    }
    static BOOL CALLBACK Child(HWND wnd, LPARAM out) {
      wchar_t name[32] = {};
      GetClassNameW(wnd, name, 32);
      if (lstrcmpW(name, L"TWScrollbar") == 0)
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(wnd);
      return TRUE;
    }
  };
  EnumThreadWindows(GetCurrentThreadId(), Walk::Top, reinterpret_cast<LPARAM>(&found));
  return found;
}

SCROLLBARINFO BarInfo(HWND wnd, LONG which) {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(wnd, which, &sbi);
  return sbi;
}

bool BarShown(HWND wnd, LONG which) {
  return !(BarInfo(wnd, which).rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
}

// The overlay lies exactly over the native bar and is shown.
::testing::AssertionResult Covers(const skin::TWScrollbar* bar, HWND host, LONG which) {
  if (!bar || !bar->Window()) return ::testing::AssertionFailure() << "no overlay";
  if (!IsWindowVisible(bar->Window())) return ::testing::AssertionFailure() << "overlay hidden";
  RECT o{};
  GetWindowRect(bar->Window(), &o);
  const RECT b = BarInfo(host, which).rcScrollBar;
  if (!EqualRect(&o, &b))
    return ::testing::AssertionFailure()
           << "overlay (" << o.left << "," << o.top << ")-(" << o.right << "," << o.bottom
           << ") bar (" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
  // Directly above its host: nothing but overlays in between.
  for (HWND w = GetWindow(host, GW_HWNDPREV); w != bar->Window(); w = GetWindow(w, GW_HWNDPREV)) {
    wchar_t name[32] = {};
    GetClassNameW(w, name, 32);
    if (!w || lstrcmpW(name, L"TWScrollbar") != 0)
      return ::testing::AssertionFailure() << "overlay not directly above its host";
  }
  return ::testing::AssertionSuccess();
}

COLORREF OverlayPixel(const skin::TWScrollbar* bar, int x, int y) {
  RedrawWindow(bar->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto capture = wintest::CaptureWindowDC(bar->Window());
  return capture ? capture->Pixel(x, y) & 0xFFFFFF : CLR_INVALID;
}

struct ListFixture {
  SkinnedForm f;
  ui::TListBox* list = nullptr;
  skin::TSkinScrollbar* skinner = nullptr;

  explicit ListFixture(const TestSkin& skin = TestSkin(), int items = 100, int height = 300)
      : f(skin) {
    list = new ui::TListBox(f.form);
    list->SetParent(f.form);
    list->SetBounds(20, 20, 150, height);
    for (int i = 0; i < items; ++i) list->Items()->Add(L"Item " + std::to_wstring(i));
    skinner = new skin::TSkinScrollbar(list);
    skinner->Attach(f.Skinner(), f.data, false);
    wintest::PumpUntilIdle();
  }
  HWND Host() const { return list->Handle(); }
  skin::TWScrollbar* Vert() const { return skinner->VertBar(); }
};

int Arrow() { return GetSystemMetrics(SM_CXHSCROLL); }

// A grid of another library: a scrolling list whose fixed cells have a colour of their own.
class TTestGrid : public ui::TListBox {
  UI_CLASS(TTestGrid, ui::TListBox)
 public:
  using ui::TListBox::TListBox;
  int FixedColor() const { return fixed_; }
  void SetFixedColor(int c) { fixed_ = c; }

 private:
  int fixed_ = 0;
};

}  // namespace

UI_IMPLEMENT_CLASS(TTestGrid, ui::TListBox,
                   P::Int("FixedColor", &TTestGrid::FixedColor, &TTestGrid::SetFixedColor))

TEST(ScrollOverlay, CoversTheNativeBarWithTheSkinsArrowsTrackAndThumb) {
  ListFixture l;
  ASSERT_TRUE(Covers(l.Vert(), l.Host(), OBJID_VSCROLL));
  EXPECT_FALSE(l.skinner->HorzBar()->Visible());  // a list box has no horizontal bar
  const SCROLLBARINFO sbi = BarInfo(l.Host(), OBJID_VSCROLL);
  const int w = sbi.rcScrollBar.right - sbi.rcScrollBar.left;
  const int h = sbi.rcScrollBar.bottom - sbi.rcScrollBar.top;
  const int a = Arrow();
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, a / 2), Colour("Scrollbar", 9));       // up arrow
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, h - a / 2), Colour("Scrollbar", 13));  // down arrow
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, h - a - 3), Colour("VertScroll", 1));  // track
  ASSERT_GT(sbi.xyThumbBottom - sbi.xyThumbTop, 20);
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, sbi.xyThumbTop + 2), Colour("VertScrollThumb", 1));
  const int middle = (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, middle), Colour("Scrollbar", 20));  // the grip
  EXPECT_EQ(SendMessageW(l.Host(), skin::SM_ISSKINNED, 0, 0), 1);
}

TEST(ScrollOverlay, HotAndTrackedPartsShowTheirImagesAndChildBarsLeaveThemAlone) {
  ListFixture l;
  const SCROLLBARINFO sbi = BarInfo(l.Host(), OBJID_VSCROLL);
  const int w = sbi.rcScrollBar.right - sbi.rcScrollBar.left;
  const int h = sbi.rcScrollBar.bottom - sbi.rcScrollBar.top;
  const int a = Arrow();
  HWND o = l.Vert()->Window();
  SendMessageW(o, WM_MOUSEMOVE, 0, MAKELPARAM(w / 2, a / 2));
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, a / 2), Colour("Scrollbar", 12));  // hot up arrow
  SendMessageW(o, WM_MOUSEMOVE, 0, MAKELPARAM(w / 2, sbi.xyThumbTop + 2));
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, sbi.xyThumbTop + 2), Colour("VertScrollThumb", 3));
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, a / 2), Colour("Scrollbar", 9));
  SendMessageW(o, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(l.Vert()->HoverZone(), skin::kZoneNone);
  // The system's tracking reports the part it works on through the host's scroll requests.
  SendMessageW(l.Host(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, h - a / 2), Colour("Scrollbar", 16));
  // A request of a child scroll-bar control (lParam is its window) is not this bar's.
  SendMessageW(l.Host(), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(o));
  EXPECT_EQ(l.Vert()->HoverZone(), skin::kZoneLineDown);
  SendMessageW(l.Host(), WM_HSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(l.Vert()->HoverZone(), skin::kZoneLineDown);
}

TEST(ScrollOverlay, APressOnAnArrowIsTheSystemsOwnLineDownToEndScroll) {
  ListFixture l;
  const SCROLLBARINFO sbi = BarInfo(l.Host(), OBJID_VSCROLL);
  const int w = sbi.rcScrollBar.right - sbi.rcScrollBar.left;
  const int h = sbi.rcScrollBar.bottom - sbi.rcScrollBar.top;
  wintest::MessageRecorder recorder(l.Host());
  // The release waits in the queue: the system's tracking loop takes it and ends.
  POINT release{sbi.rcScrollBar.left + w / 2, sbi.rcScrollBar.bottom - Arrow() / 2};
  ScreenToClient(l.Host(), &release);
  PostMessageW(l.Host(), WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
  SendMessageW(l.Vert()->Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w / 2, h - Arrow() / 2));
  std::vector<WORD> codes;
  for (const auto& m : recorder.messages())
    if (m.msg == WM_VSCROLL) codes.push_back(LOWORD(m.wParam));
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes.front(), SB_LINEDOWN);
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
  EXPECT_EQ(SendMessageW(l.Host(), LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_FALSE(l.Vert()->Pressed());
  EXPECT_NE(GetCapture(), l.Host());
}

TEST(ScrollOverlay, FollowsResizesHidingAndNewItems) {
  ListFixture l(TestSkin(), 3, 120);
  EXPECT_FALSE(BarShown(l.Host(), OBJID_VSCROLL));
  EXPECT_FALSE(l.Vert()->Visible());
  for (int i = 0; i < 40; ++i) l.list->Items()->Add(L"More " + std::to_wstring(i));
  wintest::PumpUntilIdle();
  ASSERT_TRUE(BarShown(l.Host(), OBJID_VSCROLL));
  EXPECT_TRUE(Covers(l.Vert(), l.Host(), OBJID_VSCROLL));
  for (int i = 0; i < 20; ++i) {
    l.list->SetBounds(20 + i * 3, 20 + i, 120 + i * 5, 100 + i * 7);
    wintest::PumpUntilIdle(5);
    ASSERT_TRUE(Covers(l.Vert(), l.Host(), OBJID_VSCROLL)) << "resize " << i;
  }
  l.list->SetVisible(false);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(l.Vert()->Window()));
  l.list->SetVisible(true);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(Covers(l.Vert(), l.Host(), OBJID_VSCROLL));
  l.list->Items()->Clear();
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(l.Vert()->Window()));
}

// A new skin reaches the list's frame (its flat border takes the new shadow colour) and leaves
// its client area alone: a mark drawn there survives the switch, and the list's next paint of
// its own still wipes it.
TEST(ScrollOverlay, ANewSkinRepaintsTheFrameButNotTheClientArea) {
  ListFixture l;
  const HWND host = l.Host();
  constexpr COLORREF kMark = RGB(7, 200, 9);
  constexpr POINT kInMark{20, 20};
  const auto windowPixel = [&](POINT p) {
    auto capture = wintest::CaptureWindowDC(host);
    return capture ? capture->Pixel(p.x, p.y) & 0xFFFFFF : CLR_INVALID;
  };
  const auto clientPixel = [&](POINT p) {
    RECT window{};
    GetWindowRect(host, &window);
    ClientToScreen(host, &p);
    return windowPixel({p.x - window.left, p.y - window.top});
  };
  {
    const ui::WindowDC dc = ui::WindowDC::Client(host);
    const ui::GdiBrush brush(CreateSolidBrush(kMark));
    const RECT r{5, 5, 40, 40};
    FillRect(dc.get(), &r, brush.get());
  }
  ASSERT_EQ(clientPixel(kInMark), kMark);
  ASSERT_EQ(windowPixel({0, 40}), Rgb(l.f.data->GetRGB(skin::ciButtonShadow)));

  const COLORREF newShadow = RGB(200, 30, 40);
  ASSERT_TRUE(
      l.f.data->LoadSkinStream(TestSkin().SetIni("Colours", "ButtonShadow", "200 30 40").Stream()));
  ASSERT_TRUE(frametest::PumpUntil([&] { return windowPixel({0, 40}) == newShadow; }));
  wintest::PumpUntilIdle();
  EXPECT_EQ(clientPixel(kInMark), kMark) << "the list painted its client area again";
  EXPECT_TRUE(Covers(l.Vert(), host, OBJID_VSCROLL));

  InvalidateRect(host, nullptr, TRUE);
  UpdateWindow(host);
  EXPECT_NE(clientPixel(kInMark), kMark);
}

// The host paints after the overlays above it: a repaint that leaves the bar as it was does not
// paint the overlay a second time, a scroll does, and the thumb shows where the bar has it.
TEST(ScrollOverlay, AHostsRepaintPaintsTheOverlayAgainOnlyWhenTheBarChanged) {
  ListFixture l;
  const HWND host = l.Host(), overlay = l.Vert()->Window();
  const auto paints = [](const wintest::MessageRecorder& r) {
    return std::count_if(r.messages().begin(), r.messages().end(),
                         [](const wintest::RecordedMessage& m) { return m.msg == WM_PAINT; });
  };
  wintest::MessageRecorder recorder(overlay);
  RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  wintest::PumpUntilIdle();
  EXPECT_EQ(paints(recorder), 0);

  const SCROLLBARINFO before = BarInfo(host, OBJID_VSCROLL);
  SendMessageW(host, LB_SETTOPINDEX, 60, 0);
  UpdateWindow(host);
  wintest::PumpUntilIdle();
  EXPECT_GE(paints(recorder), 1);
  const SCROLLBARINFO after = BarInfo(host, OBJID_VSCROLL);
  ASSERT_GT(after.xyThumbTop, before.xyThumbBottom);
  const int w = after.rcScrollBar.right - after.rcScrollBar.left;
  auto capture = wintest::CaptureWindowDC(overlay);
  ASSERT_TRUE(capture);
  EXPECT_EQ(capture->Pixel(w / 2, after.xyThumbTop + 2) & 0xFFFFFF, Colour("VertScrollThumb", 1));
  EXPECT_EQ(capture->Pixel(w / 2, before.xyThumbTop + 2) & 0xFFFFFF, Colour("VertScroll", 1));
}

TEST(ScrollOverlay, ReCreatedAndReParentedHostsKeepTheirOverlays) {
  ListFixture l;
  const HWND before = l.Host();
  l.list->SetBorderStyle(ui::TBorderStyle::bsNone);  // re-creates the window
  wintest::PumpUntilIdle();
  ASSERT_NE(l.Host(), before);
  EXPECT_TRUE(Covers(l.Vert(), l.Host(), OBJID_VSCROLL));
  EXPECT_EQ(OverlayWindows().size(), 2u);  // one per bar, none left of the old window
  auto* panel = new ui::TPanel(l.f.form);
  panel->SetParent(l.f.form);
  panel->SetBounds(200, 10, 300, 400);
  l.list->SetParent(panel);
  wintest::PumpUntilIdle();
  EXPECT_EQ(GetParent(l.Vert()->Window()), panel->Handle());
  EXPECT_TRUE(Covers(l.Vert(), l.Host(), OBJID_VSCROLL));
  delete l.list;
  wintest::PumpUntilIdle();
  EXPECT_TRUE(OverlayWindows().empty());
}

TEST(ScrollOverlay, AMemoWithBothBarsHasItsCornerInButtonFace) {
  SkinnedForm f;
  auto* memo = new ui::TMemo(f.form);
  memo->SetParent(f.form);
  memo->SetBounds(20, 20, 200, 150);
  memo->SetWordWrap(false);
  memo->SetScrollBars(ui::TScrollStyle::ssBoth);
  std::vector<std::wstring> lines;
  for (int i = 0; i < 60; ++i) lines.push_back(std::wstring(80, L'a' + i % 26));
  memo->SetLines(lines);
  auto* skinner = new skin::TSkinScrollbar(memo);
  skinner->Attach(f.Skinner(), f.data, false);
  wintest::PumpUntilIdle();
  const HWND host = memo->Handle();
  ASSERT_TRUE(Covers(skinner->VertBar(), host, OBJID_VSCROLL));
  ASSERT_TRUE(Covers(skinner->HorzBar(), host, OBJID_HSCROLL));
  RECT window{};
  GetWindowRect(host, &window);
  const RECT v = BarInfo(host, OBJID_VSCROLL).rcScrollBar;
  const RECT h = BarInfo(host, OBJID_HSCROLL).rcScrollBar;
  RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  auto capture = wintest::CaptureWindowDC(host);
  ASSERT_TRUE(capture);
  const int cx = (v.left + v.right) / 2 - window.left, cy = (h.top + h.bottom) / 2 - window.top;
  EXPECT_EQ(capture->Pixel(cx, cy) & 0xFFFFFF, Rgb(testskin::kButtonFace));
  // The flat border: the skin's shadow outside, its face inside.
  EXPECT_EQ(capture->Pixel(0, 40) & 0xFFFFFF, Rgb(f.data->GetRGB(skin::ciButtonShadow)));
  EXPECT_EQ(capture->Pixel(1, 40) & 0xFFFFFF, Rgb(testskin::kButtonFace));
  EXPECT_EQ(OverlayPixel(skinner->HorzBar(), Arrow() / 2, 4), Colour("Scrollbar", 1));
}

TEST(ScrollOverlay, SkinsWithoutScrollBarImagesLeaveTheBarsNative) {
  for (const char* missing : {"Scrollbar", "VertScrollThumb", "HorzScrollThumb"}) {
    ListFixture l(TestSkin().Omit(missing));
    EXPECT_EQ(l.skinner->VertBar(), nullptr) << missing;
    EXPECT_TRUE(OverlayWindows().empty()) << missing;
  }
}

TEST(ScrollOverlay, CreateSkinDestroyCyclesLeaveNoOverlayAndGiveHandlesBack) {
  SkinnedForm f;
  const auto cycle = [&] {
    auto* list = new ui::TListBox(f.form);
    list->SetParent(f.form);
    list->SetBounds(20, 20, 150, 120);
    for (int i = 0; i < 50; ++i) list->Items()->Add(L"Item");
    auto* memo = new ui::TMemo(f.form);
    memo->SetParent(f.form);
    memo->SetBounds(200, 20, 150, 120);
    memo->SetScrollBars(ui::TScrollStyle::ssBoth);
    (new skin::TSkinScrollbar(list))->Attach(f.Skinner(), f.data, false);
    (new skin::TSkinScrollbar(memo))->Attach(f.Skinner(), f.data, false);
    RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    delete list;
    delete memo;
    wintest::PumpUntilIdle(5);
  };
  cycle();  // warm-up: lazily made images and classes
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 50; ++i) cycle();
  EXPECT_TRUE(OverlayWindows().empty());
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_EQ(wintest::LiveGdiObjects(), gdi);
}

TEST(ScrollOverlay, TheVerticalThumbCountsItsOwnImages) {
  // A one-image horizontal thumb must not decide how the three-image vertical thumb is cut.
  ListFixture l(TestSkin().SetFrames("HorzScrollThumb", 1));
  const SCROLLBARINFO sbi = BarInfo(l.Host(), OBJID_VSCROLL);
  const int w = sbi.rcScrollBar.right - sbi.rcScrollBar.left;
  SendMessageW(l.Vert()->Window(), WM_MOUSEMOVE, 0, MAKELPARAM(w / 2, sbi.xyThumbTop + 2));
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, sbi.xyThumbTop + 2), Colour("VertScrollThumb", 3));
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, sbi.xyThumbBottom - 2), Colour("VertScrollThumb", 3));
}

TEST(ScrollOverlay, ABareWindowsOverlaysBothHideWithItAndGoWithIt) {
  SkinnedForm f;
  HWND edit =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                      WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE, 20, 20, 200,
                      150, f.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  auto* skinner = new skin::TSkinScrollbarH(nullptr);
  skinner->AttachHandle(edit, f.data, f.Skinner());
  wintest::PumpUntilIdle();
  ASSERT_TRUE(Covers(skinner->VertBar(), edit, OBJID_VSCROLL));
  ASSERT_TRUE(Covers(skinner->HorzBar(), edit, OBJID_HSCROLL));
  ShowWindow(edit, SW_HIDE);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(skinner->VertBar()->Window()));
  EXPECT_FALSE(IsWindowVisible(skinner->HorzBar()->Window()));
  ShowWindow(edit, SW_SHOW);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(Covers(skinner->HorzBar(), edit, OBJID_HSCROLL));
  DestroyWindow(edit);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(OverlayWindows().empty());
}

TEST(ScrollOverlay, AListWithoutAParentWindowGetsAnOwnedPopUpOverlay) {
  // A drop-down list: a pop-up whose parent is the desktop.
  SkinnedForm f;
  HWND list = CreateWindowExW(WS_EX_TOOLWINDOW, L"LISTBOX", L"",
                              WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 300, 300,
                              150, 120, f.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  for (int i = 0; i < 40; ++i)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Drop-down item"));
  ShowWindow(list, SW_SHOWNA);
  skin::TWScrollbar bar(f.Skinner(), f.data);
  ASSERT_TRUE(bar.AttachToWindow(list, skin::TWScrollbar::kVerticalBar));
  wintest::PumpUntilIdle();
  ASSERT_TRUE(bar.Visible());
  EXPECT_FALSE(GetWindowLongPtrW(bar.Window(), GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(GetWindow(bar.Window(), GW_OWNER), list);
  const auto placed = [&] {
    RECT o{};
    GetWindowRect(bar.Window(), &o);
    const RECT b = BarInfo(list, OBJID_VSCROLL).rcScrollBar;
    return EqualRect(&o, &b) && IsWindowVisible(bar.Window());
  };
  EXPECT_TRUE(placed());
  EXPECT_EQ(OverlayPixel(&bar, 4, Arrow() / 2), Colour("Scrollbar", 9));
  SetWindowPos(list, nullptr, 340, 280, 170, 150, SWP_NOZORDER | SWP_NOACTIVATE);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(placed());
  ShowWindow(list, SW_HIDE);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(bar.Window()));
  DestroyWindow(list);
  wintest::PumpUntilIdle();
  EXPECT_EQ(bar.Window(), nullptr);
  EXPECT_TRUE(OverlayWindows().empty());
}

TEST(ScrollOverlay, ADisabledControlsBarShowsTheDisabledTrackAndNoThumb) {
  ListFixture l;
  const SCROLLBARINFO sbi = BarInfo(l.Host(), OBJID_VSCROLL);
  const int w = sbi.rcScrollBar.right - sbi.rcScrollBar.left;
  l.list->SetEnabled(false);
  wintest::PumpUntilIdle();
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, sbi.xyThumbTop + 2), Colour("VertScroll", 3));
  l.list->SetEnabled(true);
  wintest::PumpUntilIdle();
  EXPECT_EQ(OverlayPixel(l.Vert(), w / 2, sbi.xyThumbTop + 2), Colour("VertScrollThumb", 1));
}

TEST(ScrollOverlay, AScrollBarControlIsCoveredWholeAndPressesReachIt) {
  SkinnedForm f;
  auto* bar = new ui::TScrollBar(f.form);
  bar->SetParent(f.form);
  bar->SetBounds(20, 20, 200, Arrow());
  bar->SetPageSize(10);
  bar->SetParams(0, 0, 100);
  wintest::PumpUntilIdle();
  skin::TWScrollbar overlay(f.Skinner(), f.data);
  ASSERT_TRUE(overlay.AttachToWindow(bar->Handle(), skin::TWScrollbar::kControlBar));
  wintest::PumpUntilIdle();
  RECT o{}, c{};
  GetWindowRect(overlay.Window(), &o);
  GetWindowRect(bar->Handle(), &c);
  EXPECT_TRUE(EqualRect(&o, &c));
  EXPECT_FALSE(overlay.Vertical());
  EXPECT_EQ(OverlayPixel(&overlay, 200 - Arrow() / 2, Arrow() / 2), Colour("Scrollbar", 5));
  // Page 10 of 0..100 on 200 pixels: the thumb starts at the first arrow.
  const skin::ThumbSpan thumb = skin::ControlThumb(200, Arrow(), {0, 100, 10, 0});
  EXPECT_EQ(OverlayPixel(&overlay, thumb.top + 2, 2), Colour("HorzScrollThumb", 1));
  // A press on the right arrow is the control's own: its position moves on by a line.
  PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200 - Arrow() / 2, Arrow() / 2));
  SendMessageW(overlay.Window(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(200 - Arrow() / 2, Arrow() / 2));
  wintest::PumpUntilIdle();
  EXPECT_EQ(bar->Position(), 1);
  bar->SetPosition(91);
  wintest::PumpUntilIdle();
  const skin::ThumbSpan end = skin::ControlThumb(200, Arrow(), {0, 100, 10, 91});
  EXPECT_EQ(end.bottom, 200 - Arrow());
  EXPECT_EQ(OverlayPixel(&overlay, end.bottom - 2, 2), Colour("HorzScrollThumb", 1));
}

TEST(ScrollOverlay, ADisabledHostsBarTakesNoInputAndAnEnabledOneDoesAgain) {
  ListFixture l;
  const SCROLLBARINFO sbi = BarInfo(l.Host(), OBJID_VSCROLL);
  const POINT down{(sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2,
                   sbi.rcScrollBar.bottom - Arrow() / 2};
  HWND o = l.Vert()->Window();
  l.list->SetEnabled(false);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowEnabled(o));
  // A user's click on the down arrow, the wheel over the bar, and a press handed straight to the
  // overlay: the list does not scroll, as a disabled list's own bar does not.
  wintest::ClickScreen(down);
  EXPECT_EQ(SendMessageW(l.Host(), LB_GETTOPINDEX, 0, 0), 0);
  wintest::WheelAt(down, -1);
  EXPECT_EQ(SendMessageW(l.Host(), LB_GETTOPINDEX, 0, 0), 0);
  POINT release = down;
  ScreenToClient(l.Host(), &release);
  PostMessageW(l.Host(), WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
  SendMessageW(o, WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(down.x - sbi.rcScrollBar.left, down.y - sbi.rcScrollBar.top));
  wintest::PumpUntilIdle();
  EXPECT_EQ(SendMessageW(l.Host(), LB_GETTOPINDEX, 0, 0), 0);
  EXPECT_FALSE(l.Vert()->Pressed());
  // Enabled again, the same click scrolls a line.
  l.list->SetEnabled(true);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsWindowEnabled(o));
  wintest::ClickScreen(down);
  EXPECT_EQ(SendMessageW(l.Host(), LB_GETTOPINDEX, 0, 0), 1);
}

TEST(ScrollOverlay, SwitchedOffTheSystemsBarsShowAndSwitchedOnTheOverlaysComeBack) {
  ListFixture l;
  ASSERT_TRUE(Covers(l.Vert(), l.Host(), OBJID_VSCROLL));
  SendMessageW(l.Host(), skin::SM_SETACTIVE, 0, 0);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(OverlayWindows().empty());
  EXPECT_EQ(l.Vert(), nullptr);
  // The list's own bar scrolls it, and nothing of the skin follows.
  const SCROLLBARINFO sbi = BarInfo(l.Host(), OBJID_VSCROLL);
  wintest::ClickScreen(
      {(sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2, sbi.rcScrollBar.bottom - Arrow() / 2});
  EXPECT_EQ(SendMessageW(l.Host(), LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_TRUE(OverlayWindows().empty());
  SendMessageW(l.Host(), skin::SM_SETACTIVE, 1, 0);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(Covers(l.Vert(), l.Host(), OBJID_VSCROLL));
}

TEST(ScrollOverlay, AFormsScrollBarControlWearsTheSkinAndScrollsLikeItsNativeTwin) {
  ui::TScrollBar* skinned = nullptr;
  ui::TScrollBar* native = nullptr;
  SkinnedForm f(TestSkin(), [&](frametest::TFrameTestForm& form) {
    for (ui::TScrollBar** bar : {&skinned, &native}) {
      *bar = new ui::TScrollBar(&form);
      (*bar)->SetParent(&form);
      (*bar)->SetBounds(20, bar == &skinned ? 20 : 60, 200, Arrow());
      (*bar)->SetPageSize(10);
      (*bar)->SetParams(0, 0, 100);
    }
    native->SetTag(99);
  });
  EXPECT_EQ(SendMessageW(skinned->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_NE(SendMessageW(native->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  const std::vector<HWND> overlays = OverlayWindows();
  ASSERT_EQ(overlays.size(), 1u);
  RECT o{}, c{};
  GetWindowRect(overlays[0], &o);
  GetWindowRect(skinned->Handle(), &c);
  EXPECT_TRUE(EqualRect(&o, &c));
  // What the overlay painted by itself: the skin's right arrow.
  auto shown = wintest::CaptureWindowDC(overlays[0]);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Pixel(200 - Arrow() / 2, Arrow() / 2) & 0xFFFFFF, Colour("Scrollbar", 5));
  // A user's click on each right arrow moves each on by a line.
  for (ui::TScrollBar* bar : {native, skinned}) {
    wintest::ClickClient(bar->Handle(), 200 - Arrow() / 2, Arrow() / 2);
    EXPECT_EQ(bar->Position(), 1);
  }
  // Switched off, the control shows itself; on again, the overlay is back.
  SendMessageW(skinned->Handle(), skin::SM_SETACTIVE, 0, 0);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(OverlayWindows().empty());
  SendMessageW(skinned->Handle(), skin::SM_SETACTIVE, 1, 0);
  wintest::PumpUntilIdle();
  EXPECT_EQ(OverlayWindows().size(), 1u);
}

TEST(ScrollOverlay, AListViewsHeaderWearsTheSkinBesideItsBars) {
  ui::TListView* skinned = nullptr;
  ui::TListView* native = nullptr;
  SkinnedForm f(TestSkin(), [&](frametest::TFrameTestForm& form) {
    for (ui::TListView** view : {&skinned, &native}) {
      *view = new ui::TListView(&form);
      (*view)->SetParent(&form);
      (*view)->SetBounds(view == &skinned ? 20 : 240, 20, 200, 120);
      (*view)->SetColumnCaption(L"Goods");
      for (int i = 1; i <= 20; ++i) (*view)->AddItem(L"Goods " + std::to_wstring(i));
    }
    native->SetTag(99);
  });
  const auto header = [](ui::TListView* v) {
    return reinterpret_cast<HWND>(SendMessageW(v->Handle(), LVM_GETHEADER, 0, 0));
  };
  ASSERT_NE(header(skinned), nullptr);
  EXPECT_EQ(SendMessageW(skinned->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(header(skinned), skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_NE(SendMessageW(header(native), skin::SM_ISSKINNED, 0, 0), 1);
  // The header as it painted itself: the skin's header image, near its first item's corner.
  auto shown = wintest::CaptureWindowDC(header(skinned));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Pixel(3, 1) & 0xFFFFFF, Colour("Headerbar", 1));
  auto twin = wintest::CaptureWindowDC(header(native));
  ASSERT_NE(twin, nullptr);
  EXPECT_NE(twin->Pixel(3, 1) & 0xFFFFFF, Colour("Headerbar", 1));
}

namespace {

// A grid's fixed cells wear the skin's face colour from attach on, follow a new skin, and get
// their own colour back while the skin is off (switched off, or gone from the window).
TEST(ScrollOverlay, AGridsFixedCellsTakeTheFaceColourAndGetTheirOwnBack) {
  constexpr int kRed = 0x0000FF;
  TTestGrid* grid = nullptr;
  SkinnedForm f(TestSkin(), [&](frametest::TFrameTestForm& form) {
    grid = new TTestGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(20, 20, 150, 200);
    for (int i = 0; i < 100; ++i) grid->Items()->Add(L"Row " + std::to_wstring(i));
    grid->SetFixedColor(kRed);
  });
  ASSERT_EQ(SendMessageW(grid->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(static_cast<COLORREF>(grid->FixedColor()), Rgb(f.data->GetRGB(skin::ciButtonFace)));

  ASSERT_TRUE(
      f.data->LoadSkinStream(TestSkin().SetIni("Colours", "ButtonFace", "10 120 30").Stream()));
  EXPECT_TRUE(frametest::PumpUntil(
      [&] { return grid->FixedColor() == static_cast<int>(RGB(10, 120, 30)); }));

  SendMessageW(grid->Handle(), skin::SM_SETACTIVE, 0, 0);
  EXPECT_EQ(grid->FixedColor(), kRed);
  SendMessageW(grid->Handle(), skin::SM_SETACTIVE, 1, 0);
  EXPECT_EQ(grid->FixedColor(), static_cast<int>(RGB(10, 120, 30)));

  f.data->SetActive(false);
  f.Manager()->RunAction();
  wintest::PumpUntilIdle();
  EXPECT_EQ(grid->FixedColor(), kRed);
}

// The engine's request for a control's frame in a DC of its own: the flat border is drawn there
// and the request is answered with the engine's mark; a request without the mark is not ours.
TEST(ScrollOverlay, TheFlatBorderIsDrawnIntoTheDCTheEngineHands) {
  ListFixture l;
  RECT window{};
  GetWindowRect(l.Host(), &window);
  wintest::Dib32 dib(window.right - window.left, window.bottom - window.top);
  constexpr COLORREF kBlank = RGB(1, 2, 3);
  dib.Fill(kBlank);
  const auto ask = [&](LPARAM tag) {
    return SendMessageW(l.Host(), skin::SM_PAINTFRAMETO, reinterpret_cast<WPARAM>(dib.dc()), tag);
  };
  EXPECT_NE(ask(0), skin::kSkinMessageTag);
  EXPECT_EQ(dib.Pixel(0, 40), kBlank);
  EXPECT_EQ(ask(skin::kSkinMessageTag), skin::kSkinMessageTag);
  EXPECT_EQ(dib.Pixel(0, 40), Rgb(l.f.data->GetRGB(skin::ciButtonShadow)));
  EXPECT_EQ(dib.Pixel(1, 40), Rgb(testskin::kButtonFace));
  EXPECT_EQ(dib.Pixel(20, 40), kBlank);  // the frame only
  EXPECT_EQ(SendMessageW(l.Host(), skin::SM_PAINTFRAMETO, 0, skin::kSkinMessageTag),
            skin::kSkinMessageTag);
}

}  // namespace
