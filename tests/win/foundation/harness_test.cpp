// The test harness itself: a painted frame pixel reads back, the recorder sees a known sequence,
// the GDI counter sees a leak and its return, and the handle owners keep their live counts.
#include <gtest/gtest.h>

#include "support/WinTestSupport.h"
#include "ui/Handles.h"

namespace {

constexpr COLORREF kFrameColour = RGB(0x12, 0x34, 0x56);

LRESULT CALLBACK FramePainterProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCPAINT) {
    ui::WindowDC dc = ui::WindowDC::Whole(wnd);
    RECT r;
    GetWindowRect(wnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    ui::GdiBrush brush(CreateSolidBrush(kFrameColour));
    FillRect(dc.get(), &r, brush.get());
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

int g_hookCalls = 0;
LRESULT CALLBACK CountingHook(int code, WPARAM wp, LPARAM lp) {
  ++g_hookCalls;
  return CallNextHookEx(nullptr, code, wp, lp);
}

// Whether a WM_TIMER of the thread timer `id` arrives within `ms`.
bool TimerFires(UINT_PTR id, DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
      if (msg.hwnd == nullptr && msg.wParam == id) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_TIMER);
  } while (GetTickCount() - start < ms);
  return false;
}

class TestWindow {
 public:
  explicit TestWindow(WNDPROC proc, DWORD style = WS_OVERLAPPEDWINDOW) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"HarnessTestWindow";
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
    RegisterClassW(&wc);
    wnd_ = CreateWindowExW(0, wc.lpszClassName, L"harness", style, 50, 50, 200, 150, nullptr,
                           nullptr, wc.hInstance, nullptr);
  }
  ~TestWindow() {
    if (wnd_) DestroyWindow(wnd_);
    UnregisterClassW(L"HarnessTestWindow", GetModuleHandleW(nullptr));
  }
  HWND get() const { return wnd_; }

 private:
  HWND wnd_ = nullptr;
};

}  // namespace

TEST(Harness, FramePaintedInNcPaintReadsBackFromWindowDC) {
  TestWindow w(FramePainterProc);
  ASSERT_TRUE(w.get());
  ShowWindow(w.get(), SW_SHOWNOACTIVATE);
  UpdateWindow(w.get());
  RedrawWindow(w.get(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  wintest::PumpUntilIdle();
  auto shot = wintest::CaptureWindowDC(w.get());
  EXPECT_EQ(shot->Pixel(1, 1), kFrameColour);
  EXPECT_EQ(shot->Pixel(shot->width() - 2, 2), kFrameColour);
}

TEST(Harness, RecorderSeesShowWindowSequenceAndDiffsReadably) {
  TestWindow w(DefWindowProcW);
  ASSERT_TRUE(w.get());
  wintest::MessageRecorder rec(w.get());
  ShowWindow(w.get(), SW_SHOWNOACTIVATE);
  using E = wintest::ExpectedMessage;
  EXPECT_EQ(rec.Compare({{WM_SHOWWINDOW, E::WParam, TRUE},
                         {WM_WINDOWPOSCHANGING},
                         {WM_NCPAINT, E::Optional},
                         {WM_WINDOWPOSCHANGED}}),
            "");

  // A sequence that did not happen is reported with the missing message marked.
  std::string diff = rec.Compare({{WM_SHOWWINDOW, E::WParam, FALSE}});
  EXPECT_NE(diff.find("- WM_SHOWWINDOW wp=0"), std::string::npos) << diff;
  EXPECT_NE(diff.find("WM_WINDOWPOSCHANGED"), std::string::npos) << diff;
}

TEST(Harness, RecorderDetachesWhenTheWindowDies) {
  const long subclassesBefore = ui::HandleCounts::Live(ui::HandleKind::Subclass);
  {
    auto w = std::make_unique<TestWindow>(DefWindowProcW);
    wintest::MessageRecorder rec(w->get());
    EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Subclass), subclassesBefore + 1);
    w.reset();
    ASSERT_FALSE(rec.messages().empty());
    EXPECT_EQ(rec.messages().back().msg, static_cast<UINT>(WM_NCDESTROY));
  }
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Subclass), subclassesBefore);
}

TEST(Harness, GdiCounterSeesALeakedBrushAndItsReturn) {
  {
    ui::GdiBrush warm(CreateSolidBrush(RGB(1, 2, 3)));  // let the system allocate its tables
  }
  const long before = wintest::LiveGdiObjects();
  ASSERT_GE(before, 0) << "no way to count GDI objects on this system";
  HBRUSH leaked = CreateSolidBrush(RGB(9, 8, 7));
  EXPECT_EQ(wintest::LiveGdiObjects(), before + 1);
  DeleteObject(leaked);
  EXPECT_EQ(wintest::LiveGdiObjects(), before);
}

TEST(Handles, OwnersCountAndReleaseEveryKind) {
  using ui::HandleCounts;
  using ui::HandleKind;
  const long total = HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  {
    ui::GdiBitmap bmp(CreateBitmap(4, 4, 1, 32, nullptr));
    ui::GdiPen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    ui::GdiRegion rgn(CreateRectRgn(0, 0, 5, 5));
    ui::GdiFont font(
        CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    ui::MenuHandle menu(CreatePopupMenu());
    ui::MemoryDC dc = ui::MakeMemoryDC();
    EXPECT_EQ(HandleCounts::Live(HandleKind::Bitmap), 1);
    EXPECT_EQ(HandleCounts::Total(), total + 6);
    {
      ui::SelectGuard sel(dc.get(), bmp.get());
      EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bmp.get());
    }
    EXPECT_NE(GetCurrentObject(dc.get(), OBJ_BITMAP), bmp.get());

    // Moving transfers ownership without touching the count; release gives it away.
    ui::GdiBitmap moved = std::move(bmp);
    EXPECT_FALSE(bmp);
    EXPECT_EQ(HandleCounts::Live(HandleKind::Bitmap), 1);
    HRGN given = rgn.release();
    EXPECT_EQ(HandleCounts::Live(HandleKind::Region), 0);
    DeleteObject(given);
  }
  EXPECT_EQ(HandleCounts::Total(), total);
  EXPECT_EQ(wintest::LiveGdiObjects(), gdi);
}

TEST(Handles, SaveDCGuardRestoresOriginAndClip) {
  wintest::Dib32 dib(10, 10);
  {
    ui::SaveDCGuard guard(dib.dc());
    SetViewportOrgEx(dib.dc(), 3, 4, nullptr);
    IntersectClipRect(dib.dc(), 0, 0, 2, 2);
  }
  POINT org;
  GetViewportOrgEx(dib.dc(), &org);
  EXPECT_EQ(org.x, 0);
  EXPECT_EQ(org.y, 0);
  // No clipping region is left behind: the whole bitmap is drawable again.
  ui::GdiRegion clipRegion(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetClipRgn(dib.dc(), clipRegion.get()), 0);
  RECT clip;
  EXPECT_EQ(GetClipBox(dib.dc(), &clip), SIMPLEREGION);
  EXPECT_EQ(clip.right, 10);
  EXPECT_EQ(clip.bottom, 10);
}

// Checked with the system, not only with the owners' counters: the timer no longer fires and
// cannot be killed again, the hook procedure is no longer called.
TEST(Handles, TimerAndHookOwnersRemoveWhatTheyInstalled) {
  const long timers = ui::HandleCounts::Live(ui::HandleKind::Timer);
  UINT_PTR id = 0;
  {
    ui::TimerHandle t(nullptr, 0, 10, nullptr);
    ASSERT_TRUE(t);
    id = t.id();
    EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Timer), timers + 1);
    EXPECT_TRUE(TimerFires(id, 2000));
  }
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Timer), timers);
  EXPECT_FALSE(TimerFires(id, 100));
  EXPECT_FALSE(KillTimer(nullptr, id));

  g_hookCalls = 0;
  {
    ui::HookHandle hook(SetWindowsHookExW(WH_CBT, CountingHook, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    TestWindow w(DefWindowProcW);  // HCBT_CREATEWND, HCBT_DESTROYWND, ...
    EXPECT_GT(g_hookCalls, 0);
  }
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Hook), 0);
  g_hookCalls = 0;
  { TestWindow w(DefWindowProcW); }
  EXPECT_EQ(g_hookCalls, 0);
}
