// The skinned frame driven as a user drives it: real clicks on the caption buttons, a skin switched
// off, on and changed while the window is maximized or minimized, a skin without a caption, the
// system menu opened from the keyboard, message boxes, forms freed by the skin's own events and
// controls whose windows are made again. Pixels are read as the windows painted them themselves.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "FrameTestSupport.h"
#include "ui/CheckCtrls.h"
#include "ui/Menus.h"

using frametest::PumpUntil;
using frametest::Rgb;
using frametest::SkinnedForm;
using frametest::TFrameTestForm;
using testskin::TestSkin;

namespace {

constexpr int kClientWidth = 606, kClientHeight = 479;

// Real input: the pointer goes to a point of the window, then `clicks` clicks there.
void ClickAt(HWND wnd, POINT at, int clicks = 1) {
  RECT w{};
  GetWindowRect(wnd, &w);
  SetCursorPos(w.left + at.x, w.top + at.y);
  wintest::PumpUntilIdle();
  for (int i = 0; i < clicks; ++i) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
  }
  wintest::PumpUntilIdle();
}

void Keys(std::initializer_list<std::pair<WORD, bool>> strokes) { wintest::SendKeys(strokes); }

SIZE ClientSize(HWND wnd) {
  RECT c{};
  GetClientRect(wnd, &c);
  return {c.right, c.bottom};
}

RECT WorkArea(HWND wnd) {
  MONITORINFO m{};
  m.cbSize = sizeof m;
  GetMonitorInfoW(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &m);
  return m.rcWork;
}

// Another skin whose every border is thicker: a switch changes every frame extra.
TestSkin ThickSkin() {
  TestSkin ts;
  ts.SetFrameSize("Left", 9, 100).SetFrameSize("Right", 7, 100);
  ts.SetFrameSize("Top", 632, 34).SetFrameSize("Bottom", 632, 8);
  return ts;
}

void SwitchSkin(SkinnedForm& f, const TestSkin& ts) {
  const std::vector<uint8_t> stream = ts.Stream();
  ASSERT_TRUE(f.data->LoadSkinStream(stream));
  f.Manager()->RunAction();
  wintest::PumpUntilIdle();
}

void SkinOffAndOn(SkinnedForm& f) {
  f.data->SetActive(false);
  f.Manager()->RunAction();
  wintest::PumpUntilIdle();
  ASSERT_EQ(f.Skinner(), nullptr);
  f.data->SetActive(true);
  f.Manager()->RunAction();
  ASSERT_TRUE(PumpUntil(
      [&] { return f.Skinner() && f.Skinner()->LifecycleState() == skin::TWinSkinForm::kLive; }));
  wintest::PumpUntilIdle();
}

void WithMaximizeBox(TFrameTestForm& form) {
  form.SetBorderIcons(ui::biSystemMenu | ui::biMinimize | ui::biMaximize);
  form.SetClientSize(kClientWidth, kClientHeight);
}

// The caption buttons sit a fixed distance from the window's right edge (see frame_test.cpp).
POINT ButtonAt(HWND wnd, int fromRight) {
  RECT w{};
  GetWindowRect(wnd, &w);
  return {w.right - w.left - fromRight + 10, 15};
}

}  // namespace

// Maximized by its button, the skinned frame fills the work area exactly; the skin goes off, comes
// on and changes while it stays maximized; restored by its button, the client area is the size it
// had before.
TEST(FrameJourney, MaximizedThroughSkinChangesAndRestoredKeepsItsClientSize) {
  SkinnedForm f(TestSkin(), WithMaximizeBox);
  ASSERT_NE(f.Skinner(), nullptr);
  ASSERT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
  ASSERT_EQ(ClientSize(f.Handle()).cy, kClientHeight);

  ClickAt(f.Handle(), ButtonAt(f.Handle(), 49));
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(f.Handle()) != FALSE; }));
  wintest::PumpUntilIdle();
  const RECT work = WorkArea(f.Handle());
  const RECT maximized = f.WindowRect();
  EXPECT_EQ(maximized.left, work.left);
  EXPECT_EQ(maximized.top, work.top);  // the caption's first row at the top of the work area
  EXPECT_EQ(maximized.right, work.right);
  EXPECT_EQ(maximized.bottom, work.bottom);
  POINT origin{0, 0};
  ClientToScreen(f.Handle(), &origin);
  EXPECT_EQ(origin.y - work.top, 28);
  EXPECT_EQ(origin.x - work.left, 4);
  EXPECT_EQ(f.Pixel(300, 0), Rgb(TestSkin().FrameColour("Top", 1)));

  SkinOffAndOn(f);
  EXPECT_TRUE(IsZoomed(f.Handle()));
  SwitchSkin(f, ThickSkin());
  EXPECT_TRUE(IsZoomed(f.Handle()));
  EXPECT_EQ(f.Pixel(300, 1), Rgb(ThickSkin().FrameColour("Top", 1)));

  // The restore button takes the maximize button's place.
  ClickAt(f.Handle(), ButtonAt(f.Handle(), 49));
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(f.Handle()); }));
  wintest::PumpUntilIdle();
  EXPECT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
  EXPECT_EQ(ClientSize(f.Handle()).cy, kClientHeight);
  const RECT restored = f.WindowRect();
  EXPECT_EQ(restored.right - restored.left, kClientWidth + 9 + 7);
  EXPECT_EQ(restored.bottom - restored.top, kClientHeight + 34 + 8);

  // Off again while normal: the system's frame around the same client area.
  f.data->SetActive(false);
  f.Manager()->RunAction();
  wintest::PumpUntilIdle();
  EXPECT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
  EXPECT_EQ(ClientSize(f.Handle()).cy, kClientHeight);
}

// The same journey minimized: minimize button, the skin off, on and changed while iconic, then a
// double click on the iconic caption.
TEST(FrameJourney, MinimizedThroughSkinChangesAndRestoredKeepsItsClientSize) {
  SkinnedForm f(TestSkin(), WithMaximizeBox);
  ASSERT_NE(f.Skinner(), nullptr);
  ClickAt(f.Handle(), ButtonAt(f.Handle(), 73));
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(f.Handle()) != FALSE; }));
  wintest::PumpUntilIdle();

  SkinOffAndOn(f);
  EXPECT_TRUE(IsIconic(f.Handle()));
  SwitchSkin(f, ThickSkin());
  EXPECT_TRUE(IsIconic(f.Handle()));

  SetForegroundWindow(f.Handle());
  wintest::PumpUntilIdle();
  const RECT icon = f.WindowRect();
  ClickAt(f.Handle(), {(icon.right - icon.left) / 2, 8}, 2);
  ASSERT_TRUE(PumpUntil([&] { return !IsIconic(f.Handle()); }));
  wintest::PumpUntilIdle();
  EXPECT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
  EXPECT_EQ(ClientSize(f.Handle()).cy, kClientHeight);
  EXPECT_EQ(f.Pixel(300, 14), Rgb(ThickSkin().FrameColour("Top", 1)));
}

// Maximized, then minimized, then a new skin while it is an icon: a double click on the icon gives
// the maximized window back, and its restore button the window where it was, its client area the
// size it had (the rectangle of the icon must never become the one the window is restored to).
TEST(FrameJourney, MinimizedFromMaximizedThroughASkinChangeComesBackWhereItWas) {
  SkinnedForm f(TestSkin(), WithMaximizeBox);
  ASSERT_NE(f.Skinner(), nullptr);
  const RECT before = f.WindowRect();
  ClickAt(f.Handle(), ButtonAt(f.Handle(), 49));
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(f.Handle()) != FALSE; }));
  wintest::PumpUntilIdle();
  ClickAt(f.Handle(), ButtonAt(f.Handle(), 73));
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(f.Handle()) != FALSE; }));
  wintest::PumpUntilIdle();

  SwitchSkin(f, ThickSkin());
  ASSERT_TRUE(IsIconic(f.Handle()));

  SetForegroundWindow(f.Handle());
  wintest::PumpUntilIdle();
  const RECT icon = f.WindowRect();
  ClickAt(f.Handle(), {(icon.right - icon.left) / 2, 8}, 2);
  ASSERT_TRUE(PumpUntil([&] { return !IsIconic(f.Handle()); }));
  wintest::PumpUntilIdle();
  ASSERT_TRUE(IsZoomed(f.Handle()));
  const RECT work = WorkArea(f.Handle());
  POINT origin{0, 0};
  ClientToScreen(f.Handle(), &origin);
  EXPECT_EQ(origin.x - work.left, 9);  // the new skin's frame
  EXPECT_EQ(origin.y - work.top, 34);
  EXPECT_EQ(ClientSize(f.Handle()).cx, (work.right - work.left) - 9 - 7);

  ClickAt(f.Handle(), ButtonAt(f.Handle(), 49));
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(f.Handle()); }));
  wintest::PumpUntilIdle();
  const RECT restored = f.WindowRect();
  EXPECT_EQ(restored.left, before.left);
  EXPECT_EQ(restored.top, before.top);
  EXPECT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
  EXPECT_EQ(ClientSize(f.Handle()).cy, kClientHeight);
  EXPECT_EQ(f.Pixel(300, 14), Rgb(ThickSkin().FrameColour("Top", 1)));
}

// The manager fits the window to a new skin a moment after the skin's elements were replaced; a
// caption changed in between recalculates the frame with the new borders around the old window
// size. The fit that follows still keeps the client area the window had.
TEST(FrameJourney, AFrameRecalculatedBeforeTheNewSkinIsFittedCostsNoClientArea) {
  SkinnedForm f;
  ASSERT_NE(f.Skinner(), nullptr);
  const std::vector<uint8_t> stream = ThickSkin().Stream();
  ASSERT_TRUE(f.data->LoadSkinStream(stream));
  ASSERT_NE(f.Manager()->PendingAction(), skin::TSkinManage::kNone);
  f.form->SetCaption(L"Renamed before the fit");
  ASSERT_TRUE(PumpUntil([&] { return f.Manager()->PendingAction() == skin::TSkinManage::kNone; }));
  wintest::PumpUntilIdle();
  EXPECT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
  EXPECT_EQ(ClientSize(f.Handle()).cy, kClientHeight);
  const RECT w = f.WindowRect();
  EXPECT_EQ(w.right - w.left, kClientWidth + 9 + 7);
  EXPECT_EQ(w.bottom - w.top, kClientHeight + 34 + 8);
}

// A window whose client area is nearly as wide and high as the screen takes a skin with a far
// thicker frame than the system's: the window grows past the screen by the new frame, and its
// client area stays the size it was.
TEST(FrameJourney, ASkinWithAThickFrameCostsALargeWindowNoClientArea) {
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN) - 20;
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN) - 60;
  SkinnedForm f(TestSkin(), [&](TFrameTestForm& form) {
    form.SetBorderStyle(ui::TFormBorderStyle::bsSizeable);
    form.SetBounds(0, 0, 10, 10);
    form.SetClientSize(width, height);
  });
  ASSERT_NE(f.Skinner(), nullptr);
  ASSERT_EQ(ClientSize(f.Handle()).cx, width);
  ASSERT_EQ(ClientSize(f.Handle()).cy, height);
  TestSkin wide;
  wide.SetFrameSize("Left", 40, 100).SetFrameSize("Right", 44, 100);
  wide.SetFrameSize("Top", 632, 70).SetFrameSize("Bottom", 632, 48);
  SwitchSkin(f, wide);
  EXPECT_EQ(ClientSize(f.Handle()).cx, width);
  EXPECT_EQ(ClientSize(f.Handle()).cy, height);
  const RECT w = f.WindowRect();
  EXPECT_EQ(w.right - w.left, width + 40 + 44);
  EXPECT_EQ(w.bottom - w.top, height + 70 + 48);
}

// A new skin without a caption image: the window keeps a caption (the system's), keeps its client
// size and can be dragged by it; the next skin with a caption frames it again.
TEST(FrameJourney, ASkinWithoutACaptionLeavesAUsableCaptionUntilTheNextSkin) {
  SkinnedForm f;
  ASSERT_NE(f.Skinner(), nullptr);
  TestSkin bare;
  bare.Omit("Top");
  SwitchSkin(f, bare);
  ASSERT_NE(f.Skinner(), nullptr);
  EXPECT_FALSE(f.Skinner()->FrameSkinned());
  EXPECT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
  EXPECT_EQ(ClientSize(f.Handle()).cy, kClientHeight);
  POINT origin{0, 0};
  ClientToScreen(f.Handle(), &origin);
  const RECT before = f.WindowRect();
  EXPECT_GE(origin.y - before.top, GetSystemMetrics(SM_CYCAPTION));

  // Dragged by the middle of its caption, 40 pixels right and 30 down: the whole gesture is queued
  // at once, since the system's move loop takes it from inside the press.
  const POINT grab{before.left + (before.right - before.left) / 2,
                   before.top + (origin.y - before.top) / 2};
  SetCursorPos(grab.x, grab.y);
  wintest::PumpUntilIdle();
  const auto absolute = [](int x, int y) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    i.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return i;
  };
  std::vector<INPUT> gesture;
  INPUT press{};
  press.type = INPUT_MOUSE;
  press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  gesture.push_back(press);
  for (int step = 1; step <= 4; ++step)
    gesture.push_back(absolute(grab.x + 10 * step, grab.y + 30 * step / 4));
  INPUT release = press;
  release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  gesture.push_back(release);
  SendInput(static_cast<UINT>(gesture.size()), gesture.data(), sizeof(INPUT));
  PumpUntil([&] { return f.WindowRect().left != before.left; }, 1000);
  wintest::PumpUntilIdle();
  EXPECT_EQ(f.WindowRect().left, before.left + 40);
  EXPECT_EQ(f.WindowRect().top, before.top + 30);

  SwitchSkin(f, TestSkin());
  EXPECT_TRUE(f.Skinner()->FrameSkinned());
  EXPECT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
  EXPECT_EQ(ClientSize(f.Handle()).cy, kClientHeight);
  EXPECT_EQ(f.Pixel(300, 14), Rgb(TestSkin().FrameColour("Top", 1)));
}

namespace {
// Inside a message box's loop: gives the box a green icon (the box repaints its frame for it),
// reads its caption as painted, then closes it.
struct IconProbe {
  static inline ui::IconHandle icon;
  static inline int iconPixels = -1, textPixels = 0;
  static inline COLORREF textColour = 0;  // the skin's TitleTextActive
  static inline bool iconShown = true;
  static inline int step = 0;
  static void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    skin::TWinSkinForm* skinner = frametest::LiveDialogSkinner(L"Skinned box", box);
    if (!skinner) return;
    if (step++ == 0) {
      SendMessageW(box, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
      return;
    }
    KillTimer(nullptr, id);
    auto capture = wintest::CaptureWindowDC(box);
    iconPixels = textPixels = 0;
    for (int y = 0; y < skinner->Metrics().CaptionHeight; ++y)
      for (int x = 0; x < 40; ++x) {
        const COLORREF c = capture->Pixel(x, y) & 0xFFFFFF;
        iconPixels += c == RGB(0, 200, 0);
        textPixels += c == textColour;
      }
    iconShown = false;
    for (const auto& b : skinner->SysButtons())
      if (b->ShowsIcon() && b->Visible) iconShown = true;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
};

ui::IconHandle GreenIcon() {
  wintest::Dib32 image(16, 16);
  image.Fill(RGB(0, 200, 0));
  ui::GdiBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
  {
    ui::MemoryDC dc = ui::MakeMemoryDC();
    ui::SelectGuard select(dc.get(), mask.get());
    PatBlt(dc.get(), 0, 0, 16, 16, BLACKNESS);
  }
  ICONINFO info{TRUE, 0, 0, mask.get(),
                static_cast<HBITMAP>(GetCurrentObject(image.dc(), OBJ_BITMAP))};
  return ui::IconHandle(CreateIconIndirect(&info));
}
}  // namespace

// A message box's caption text moves into the icon's room: the icon is not drawn over it.
TEST(FrameJourney, AMessageBoxShowsItsWholeCaptionTextAndNoIconOverIt) {
  SkinnedForm f;
  IconProbe::icon = GreenIcon();
  IconProbe::textColour = Rgb(f.data->GetRGB(skin::ciTitleTextActive));
  const UINT_PTR timer = SetTimer(nullptr, 0, 60, IconProbe::Check);
  MessageBoxW(f.Handle(), L"Body", L"Skinned box", MB_OK);
  KillTimer(nullptr, timer);
  IconProbe::icon.reset();
  EXPECT_EQ(IconProbe::iconPixels, 0);
  EXPECT_GT(IconProbe::textPixels, 0);  // the text's first letters, where the icon would be
  EXPECT_FALSE(IconProbe::iconShown);
}

// Alt+Space opens the system menu; a skin that leaves the system menu alone does not skin it, and
// the next popup menu is judged as a popup menu again (skinned).
TEST(FrameJourney, AnUnskinnedSystemMenuLeavesTheNextPopupMenuSkinned) {
  SkinnedForm f;
  f.data->SetSkinControls(f.data->SkinControls() & ~skin::SetBit(skin::xcSystemMenu));
  struct Seen {
    int systemMenus = 0;
    LRESULT systemSkinned = -1, popupSkinned = -1;
  } seen;
  static Seen* current;
  current = &seen;
  struct Probe {
    static void CALLBACK SystemMenu(HWND, UINT, UINT_PTR id, DWORD) {
      HWND menu = FindWindowW(L"#32768", nullptr);
      if (!menu || !IsWindowVisible(menu)) return;
      KillTimer(nullptr, id);
      ++current->systemMenus;
      current->systemSkinned = SendMessageW(menu, skin::SM_ISSKINNED, 0, 0);
      Keys({{VK_ESCAPE, true}, {VK_ESCAPE, false}});
    }
    static void CALLBACK Popup(HWND, UINT, UINT_PTR id, DWORD) {
      HWND menu = FindWindowW(L"#32768", nullptr);
      if (!menu || !IsWindowVisible(menu)) return;
      KillTimer(nullptr, id);
      current->popupSkinned = SendMessageW(menu, skin::SM_ISSKINNED, 0, 0);
      EndMenu();
    }
  };
  SetTimer(nullptr, 0, 60, Probe::SystemMenu);
  Keys({{VK_MENU, true}, {VK_SPACE, true}, {VK_SPACE, false}, {VK_MENU, false}});
  PumpUntil([&] { return seen.systemMenus > 0; });
  wintest::PumpUntilIdle();
  EXPECT_EQ(seen.systemMenus, 1);
  EXPECT_EQ(seen.systemSkinned, 0);

  auto* popup = new ui::TPopupMenu(f.form);
  auto* item = new ui::TMenuItem(f.form);
  item->SetCaption(L"&Item");
  popup->Items()->Add(item);
  SetTimer(nullptr, 0, 60, Probe::Popup);
  popup->Popup(200, 200);
  wintest::PumpUntilIdle();
  EXPECT_EQ(seen.popupSkinned, 1);
  EXPECT_EQ(f.Manager()->MenuMode(), 0);
}

// The skin's change event frees another skinned form in the middle of a skin switch: the switch
// goes on with the forms that are left and never touches the freed one's skinner.
TEST(FrameJourney, AFormFreedByTheSkinsEventDuringASwitchIsLeftAlone) {
  SkinnedForm f;
  auto* other = new TFrameTestForm(nullptr);
  other->SetBounds(300, 200, 10, 10);
  other->SetClientSize(200, 100);
  other->Show();
  SetForegroundWindow(other->Handle());
  ASSERT_TRUE(PumpUntil([&] { return f.Manager()->Forms().size() == 2; }));
  wintest::PumpUntilIdle();
  ASSERT_EQ(f.Manager()->Forms().front(), f.Skinner());

  struct Handler {
    ui::TCustomForm* victim = nullptr;
    std::vector<void*> filler;
    std::vector<HWND> windows;
    void AfterSkin(ui::TObject*, HWND wnd, const std::string&) {
      windows.push_back(wnd);
      if (!victim) return;
      delete std::exchange(victim, nullptr);
      // Whatever is allocated next takes the freed skinner's memory: it must never be read as one.
      for (int i = 0; i < 64; ++i) {
        void* block = ::operator new(sizeof(skin::TWinSkinForm));
        auto* words = static_cast<uintptr_t*>(block);
        for (size_t k = 0; k < sizeof(skin::TWinSkinForm) / sizeof(uintptr_t); ++k)
          words[k] = reinterpret_cast<uintptr_t>(skin::SkinManager()->MainSkinData());
        filler.push_back(block);
      }
    }
  } handler;
  handler.victim = other;
  f.data->OnAfterSkinForm = ui::MethodOf<&Handler::AfterSkin>(&handler);
  SwitchSkin(f, ThickSkin());
  f.data->OnAfterSkinForm = {};
  for (void* block : handler.filler) ::operator delete(block);
  EXPECT_EQ(handler.windows, std::vector<HWND>{f.Handle()});
  EXPECT_EQ(f.Manager()->Forms().size(), 1u);
  EXPECT_EQ(f.Pixel(300, 14), Rgb(ThickSkin().FrameColour("Top", 1)));
}

// Controls whose windows go: size grips made and destroyed leave no skinner behind, and a check
// box whose window is made again (a new alignment) is skinned again.
TEST(FrameJourney, ControlsWithNewWindowsAreSkinnedAgainAndDeadSkinnersGo) {
  SkinnedForm f(TestSkin(), [](TFrameTestForm& form) {
    auto* box = new ui::TCheckBox(&form);
    box->SetParent(&form);
    box->SetBounds(20, 20, 120, 20);
    box->SetCaption(L"Check");
  });
  ui::TCheckBox* box = nullptr;
  for (int i = 0; i < f.form->ComponentCount(); ++i)
    if (auto* b = dynamic_cast<ui::TCheckBox*>(f.form->Components(i))) box = b;
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(SendMessageW(box->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  const size_t skinners = f.Skinner()->Controls().size();

  const HWND old = box->Handle();
  box->SetAlignment(ui::TAlignment::taLeftJustify);
  ASSERT_NE(box->Handle(), old);
  ASSERT_TRUE(
      PumpUntil([&] { return SendMessageW(box->Handle(), skin::SM_ISSKINNED, 0, 0) == 1; }));
  wintest::PumpUntilIdle();
  EXPECT_EQ(f.Skinner()->Controls().size(), skinners);

  for (int i = 0; i < 20; ++i) {
    HWND grip = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300,
                                300, 16, 16, f.Handle(), nullptr, nullptr, nullptr);
    wintest::PumpUntilIdle(5);
    ASSERT_EQ(SendMessageW(grip, skin::SM_ISSKINNED, 0, 0), 1) << i;
    DestroyWindow(grip);
  }
  wintest::PumpUntilIdle();
  EXPECT_LE(f.Skinner()->Controls().size(), skinners + 1);
}

// A hostile skin: caption buttons placed two thousand million pixels away. The places are bounded
// when the skin is read; the window still gets its skinned frame, and clicks on its caption do
// nothing harmful.
TEST(FrameJourney, CaptionButtonsPlacedFarOutsideTheWindowStillLeaveAUsableFrame) {
  TestSkin ts;
  ts.SetIni("BUTTON.CLOSE", "Xcoord", "2147483647").SetIni("BUTTON.CLOSE", "Ycoord", "-2147483648");
  ts.SetIni("BUTTON.MINIMIZE", "Xcoord", "-2147483647").SetIni("BUTTON.MINIMIZE", "Align", "2");
  SkinnedForm f(ts);
  ASSERT_NE(f.Skinner(), nullptr);
  EXPECT_TRUE(f.Skinner()->FrameSkinned());
  for (const auto& b : f.Skinner()->SysButtons()) {
    EXPECT_LE(b->Rect.right - b->Rect.left, 64);
    EXPECT_GE(b->Rect.left, -2 * 16384 - 64);
    EXPECT_LE(b->Rect.right, 614 + 2 * 16384 + 64);
  }
  EXPECT_EQ(f.Pixel(300, 14), Rgb(ts.FrameColour("Top", 1)));
  ClickAt(f.Handle(), {300, 14});
  ClickAt(f.Handle(), {614 - 25 + 10, 15});
  EXPECT_TRUE(IsWindowVisible(f.Handle()));
  EXPECT_EQ(ClientSize(f.Handle()).cx, kClientWidth);
}
