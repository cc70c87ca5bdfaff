// The skinned frame on a real window: geometry, the pixels of each border and caption-button
// state, the region, non-client input, switching the skin off and on, and handle counts.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <utility>

#include "FrameTestSupport.h"
#include "ui/Application.h"

using frametest::PumpUntil;
using frametest::Rgb;
using frametest::SkinnedForm;
using frametest::TFrameTestForm;
using testskin::TestSkin;

UI_IMPLEMENT_CLASS(frametest::TFrameTestForm, ui::TForm)

namespace {

// The test skin's caption buttons sit like the default skin's: close 25, maximize 49, minimize
// 73 pixels left of the right edge, 5 down, 21 x 21.
constexpr int kWidth = 614, kHeight = 512;
POINT CloseAt() { return {kWidth - 25 + 10, 15}; }
POINT MaximizeAt() { return {kWidth - 49 + 10, 15}; }
POINT MinimizeAt() { return {kWidth - 73 + 10, 15}; }
constexpr POINT kCaptionAt{300, 14};

// A 16 x 16 icon of one colour.
ui::IconHandle SolidIcon(COLORREF colour) {
  wintest::Dib32 image(16, 16);
  image.Fill(colour);
  ui::GdiBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
  {
    ui::MemoryDC dc = ui::MakeMemoryDC();
    ui::SelectGuard select(dc.get(), mask.get());
    PatBlt(dc.get(), 0, 0, 16, 16, BLACKNESS);  // all opaque
  }
  ICONINFO info{TRUE, 0, 0, mask.get(),
                static_cast<HBITMAP>(GetCurrentObject(image.dc(), OBJ_BITMAP))};
  return ui::IconHandle(CreateIconIndirect(&info));
}

// Runs inside a menu's loop: counts the open menu window, then closes the menu.
struct MenuProbe {
  static void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    opened += FindWindowW(L"#32768", nullptr) != nullptr;
    EndMenu();
  }
  static inline int opened = 0;
};

void SendNc(HWND wnd, UINT msg, WPARAM hit, LPARAM screen) { SendMessageW(wnd, msg, hit, screen); }

}  // namespace

TEST(SkinnedFrame, FitsTheClientAreaAndPaintsEveryBorderFromTheSkin) {
  TestSkin ts;
  SkinnedForm f(ts);
  ASSERT_NE(f.Skinner(), nullptr);
  const RECT w = f.WindowRect();
  EXPECT_EQ(w.right - w.left, kWidth);
  EXPECT_EQ(w.bottom - w.top, kHeight);
  EXPECT_EQ(f.form->ClientWidth(), 606);
  EXPECT_EQ(f.form->ClientHeight(), 479);
  POINT origin{0, 0};
  ClientToScreen(f.Handle(), &origin);
  EXPECT_EQ(origin.x - w.left, 4);
  EXPECT_EQ(origin.y - w.top, 28);
  EXPECT_EQ(SendMessageW(f.Handle(), skin::SM_ISSKINNED, 0, 0), 1);

  EXPECT_EQ(f.Pixel(kCaptionAt.x, kCaptionAt.y), Rgb(ts.FrameColour("Top", 1)));
  EXPECT_EQ(f.Pixel(1, 200), Rgb(ts.FrameColour("Left", 1)));
  EXPECT_EQ(f.Pixel(kWidth - 2, 200), Rgb(ts.FrameColour("Right", 1)));
  EXPECT_EQ(f.Pixel(300, kHeight - 2), Rgb(ts.FrameColour("Bottom", 1)));
  EXPECT_EQ(f.Pixel(CloseAt().x, CloseAt().y), Rgb(ts.FrameColour("BUTTON.CLOSE", 1)));
  EXPECT_EQ(f.Pixel(MinimizeAt().x, MinimizeAt().y), Rgb(ts.FrameColour("BUTTON.MINIMIZE", 1)));
  // No maximize box: the maximize button shows its disabled image; restore stays hidden.
  EXPECT_EQ(f.Pixel(MaximizeAt().x, MaximizeAt().y), Rgb(ts.FrameColour("BUTTON.MAXIMIZE", 4)));
  // The system draws nothing of its own: no system menu style while skinned.
  EXPECT_FALSE(GetWindowLongPtrW(f.Handle(), GWL_STYLE) & WS_SYSMENU);
}

TEST(SkinnedFrame, InactiveWindowShowsTheInactiveImages) {
  TestSkin ts;
  SkinnedForm f(ts);
  auto* other = new TFrameTestForm(nullptr);
  other->SetTag(99);  // stays unskinned
  other->SetBounds(700, 40, 200, 100);
  other->Show();
  SetForegroundWindow(other->Handle());
  wintest::PumpUntilIdle();
  EXPECT_FALSE(f.Skinner()->Active());
  EXPECT_EQ(f.Pixel(kCaptionAt.x, kCaptionAt.y), Rgb(ts.FrameColour("Top", 2)));
  EXPECT_EQ(f.Pixel(1, 200), Rgb(ts.FrameColour("Left", 2)));
  EXPECT_EQ(f.Pixel(CloseAt().x, CloseAt().y), Rgb(ts.FrameColour("BUTTON.CLOSE", 4)));
  SetForegroundWindow(f.Handle());
  wintest::PumpUntilIdle();
  EXPECT_EQ(f.Pixel(kCaptionAt.x, kCaptionAt.y), Rgb(ts.FrameColour("Top", 1)));
  delete other;
}

TEST(SkinnedFrame, CaptionButtonStatesAndTheHoverTimer) {
  TestSkin ts;
  SkinnedForm f(ts);
  const POINT c = CloseAt();
  SendNc(f.Handle(), WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(c.x, c.y));
  EXPECT_EQ(f.Pixel(c.x, c.y), Rgb(ts.FrameColour("BUTTON.CLOSE", 3)));
  SendNc(f.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, f.ScreenPoint(c.x, c.y));
  EXPECT_EQ(f.Pixel(c.x, c.y), Rgb(ts.FrameColour("BUTTON.CLOSE", 2)));
  // Only the button was repainted: its neighbour keeps its image.
  EXPECT_EQ(f.Pixel(MinimizeAt().x, MinimizeAt().y), Rgb(ts.FrameColour("BUTTON.MINIMIZE", 1)));
  // The pointer leaves the window without another non-client message: the hover timer returns
  // the button to normal.
  const RECT w = f.WindowRect();
  SetCursorPos(w.left + 300, w.top + 300);
  EXPECT_TRUE(PumpUntil([&] { return f.Skinner()->HotObject() == nullptr; }, 1500));
  EXPECT_EQ(f.Pixel(c.x, c.y), Rgb(ts.FrameColour("BUTTON.CLOSE", 1)));
  // Hot again, then a full repaint draws every button at rest.
  SendNc(f.Handle(), WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(c.x, c.y));
  ASSERT_NE(f.Skinner()->HotObject(), nullptr);
  RedrawWindow(f.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(f.Skinner()->HotObject(), nullptr);
  EXPECT_EQ(f.Pixel(c.x, c.y), Rgb(ts.FrameColour("BUTTON.CLOSE", 1)));
}

TEST(SkinnedFrame, HitTestAnswersCaptionClientAndBorders) {
  SkinnedForm f(TestSkin(), [](TFrameTestForm& form) {
    form.SetBorderStyle(ui::TFormBorderStyle::bsSizeable);
  });
  const auto hit = [&](int x, int y) {
    return SendMessageW(f.Handle(), WM_NCHITTEST, 0, f.ScreenPoint(x, y));
  };
  EXPECT_EQ(hit(kCaptionAt.x, kCaptionAt.y), HTCAPTION);
  // The skinned buttons answer as the system's own would (the system and assistive tools see the
  // close button); the skin's mouse handling still finds them by position.
  EXPECT_EQ(hit(CloseAt().x, CloseAt().y), HTCLOSE);
  EXPECT_EQ(hit(300, 200), HTCLIENT);
  const RECT w = f.WindowRect();
  EXPECT_EQ(hit(1, 250), HTLEFT);
  EXPECT_EQ(hit(w.right - w.left - 2, 250), HTRIGHT);
  EXPECT_EQ(hit(300, 1), HTTOP);
}

TEST(SkinnedFrame, AClickActsOnlyOnTheButtonPressedAndReleasedOverIt) {
  SkinnedForm f;
  HWND wnd = f.Handle();
  wintest::MessageRecorder recorder(wnd);
  // Press on minimize, release on close: nothing.
  SendNc(wnd, WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(MinimizeAt().x, MinimizeAt().y));
  SendNc(wnd, WM_NCLBUTTONDOWN, HTCAPTION, f.ScreenPoint(MinimizeAt().x, MinimizeAt().y));
  SendNc(wnd, WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(CloseAt().x, CloseAt().y));
  SendNc(wnd, WM_NCLBUTTONUP, HTCAPTION, f.ScreenPoint(CloseAt().x, CloseAt().y));
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_FALSE(IsIconic(wnd));
  // The disabled maximize button does nothing.
  SendNc(wnd, WM_NCLBUTTONDOWN, HTCAPTION, f.ScreenPoint(MaximizeAt().x, MaximizeAt().y));
  SendNc(wnd, WM_NCLBUTTONUP, HTCAPTION, f.ScreenPoint(MaximizeAt().x, MaximizeAt().y));
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsZoomed(wnd));
  for (const auto& m : recorder.messages()) ASSERT_NE(m.msg, WM_SYSCOMMAND) << std::hex << m.wParam;
  // Press and release on minimize: one SC_MINIMIZE, and the window is iconic.
  SendNc(wnd, WM_NCLBUTTONDOWN, HTCAPTION, f.ScreenPoint(MinimizeAt().x, MinimizeAt().y));
  SendNc(wnd, WM_NCLBUTTONUP, HTCAPTION, f.ScreenPoint(MinimizeAt().x, MinimizeAt().y));
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsIconic(wnd));
  int commands = 0;
  for (const auto& m : recorder.messages())
    if (m.msg == WM_SYSCOMMAND) {
      ++commands;
      EXPECT_EQ(m.wParam & 0xFFF0, static_cast<WPARAM>(SC_MINIMIZE));
    }
  EXPECT_EQ(commands, 1);
  // While minimized the system menu style is back, so the system can restore the window.
  EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU);
  ShowWindow(wnd, SW_RESTORE);
  wintest::PumpUntilIdle();
  // Close: the form hides (the default close action of a form that is not the main one).
  SendNc(wnd, WM_NCLBUTTONDOWN, HTCAPTION, f.ScreenPoint(CloseAt().x, CloseAt().y));
  SendNc(wnd, WM_NCLBUTTONUP, HTCAPTION, f.ScreenPoint(CloseAt().x, CloseAt().y));
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(wnd));
}

TEST(SkinnedFrame, DoubleClicksOnTheCaptionAndTheIcon) {
  SkinnedForm f(TestSkin(), [](TFrameTestForm& form) {
    form.SetBorderStyle(ui::TFormBorderStyle::bsSizeable);
    form.SetBorderIcons(ui::biSystemMenu | ui::biMinimize | ui::biMaximize);
  });
  HWND wnd = f.Handle();
  SendNc(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenPoint(kCaptionAt.x, kCaptionAt.y));
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsZoomed(wnd));
  SendNc(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenPoint(kCaptionAt.x, kCaptionAt.y));
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsZoomed(wnd));
  // A double click on a caption button that is not the icon does nothing; on the icon it closes.
  SendNc(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenPoint(MinimizeAt().x, MinimizeAt().y));
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsIconic(wnd));
  EXPECT_TRUE(IsWindowVisible(wnd));
  SendNc(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenPoint(12, 12));
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(wnd));
}

TEST(SkinnedFrame, RegionIsCutFromTheMagentaCornersAndKeptAcrossRepaints) {
  TestSkin ts;
  ts.SetIni("Personality", "LeftTrans", "1").SetIni("Personality", "RightTrans", "1");
  ts.KeyCorners("Left", 2).KeyCorners("Right", 2).KeyCorners("Top", 3);
  SkinnedForm f(ts);
  ui::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(f.Handle(), region.get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.get(), kWidth - 1, 0));
  EXPECT_FALSE(PtInRegion(region.get(), 4, 0));  // the caption's own corner
  EXPECT_TRUE(PtInRegion(region.get(), 0, 3));
  EXPECT_TRUE(PtInRegion(region.get(), 300, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 300, 300));
  EXPECT_TRUE(PtInRegion(region.get(), kWidth - 1, kHeight - 1));

  // Repaints neither rebuild the region nor make a GDI object.
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 10; ++i)
    RedrawWindow(f.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_EQ(wintest::LiveGdiObjects(), gdi);
}

TEST(SkinnedFrame, BordersWithoutTransparencyLeaveTheWindowRectangular) {
  TestSkin ts;
  for (const char* side : {"Left", "Right", "Top", "Bottom"})
    ts.SetIni("Personality", std::string(side) + "Trans", "0").KeyCorners(side, 2);
  SkinnedForm f(ts);
  ui::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(f.Handle(), region.get()), ERROR);
  EXPECT_TRUE(PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.get(), kWidth - 1, kHeight - 1));
}

TEST(SkinnedFrame, NewCaptionTextAndIconArePaintedWithTheSkin) {
  TestSkin ts;
  SkinnedForm f(ts);
  const ui::IconHandle green = SolidIcon(RGB(0, 255, 0));
  SendMessageW(f.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(green.get()));
  wintest::PumpUntilIdle();
  EXPECT_EQ(f.Pixel(8 + 8, 7 + 8), RGB(0, 255, 0));
  f.form->SetCaption(L"一个新的标题");
  wintest::PumpUntilIdle();
  // The skinned caption, never the system's, after the text changed.
  EXPECT_EQ(f.Pixel(kCaptionAt.x, kCaptionAt.y), Rgb(ts.FrameColour("Top", 1)));
  EXPECT_EQ(f.Pixel(CloseAt().x, CloseAt().y), Rgb(ts.FrameColour("BUTTON.CLOSE", 1)));
  // Caption text in the skin's active title colour.
  const COLORREF text = Rgb(f.data->GetRGB(skin::ciTitleTextActive));
  bool found = false;
  const skin::ImageRect t = f.Skinner()->CaptionTextRect();
  auto capture = wintest::CaptureWindowDC(f.Handle());
  for (int y = t.top; y < t.bottom && !found; ++y)
    for (int x = t.left; x < t.right && !found; ++x)
      found = (capture->Pixel(x, y) & 0xFFFFFF) == text;
  EXPECT_TRUE(found);
  // Twenty new icons leave no icon copy behind.
  const long icons = ui::HandleCounts::Live(ui::HandleKind::Icon);
  for (int i = 0; i < 20; ++i)
    SendMessageW(f.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(green.get()));
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Icon), icons);
}

TEST(SkinnedFrame, ASkinWithoutACaptionImageLeavesTheSystemFrame) {
  TestSkin ts;
  ts.Omit("Top");
  skin::SkinManagerScope scope;
  auto* form = new TFrameTestForm(nullptr);
  frametest::AddSkin(form, ts);
  form->Show();
  SetForegroundWindow(form->Handle());
  wintest::PumpUntilIdle();
  RECT w{};
  GetWindowRect(form->Handle(), &w);
  EXPECT_GT(w.right - w.left, 606);
  EXPECT_EQ(form->ClientWidth(), 606);
  EXPECT_EQ(form->ClientHeight(), 479);
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_SYSMENU);
  delete form;
}

TEST(SkinnedFrame, SystemMenuMirrorsTheWindowsMenuWithItsRules) {
  SkinnedForm f;
  ui::TPopupMenu* menu = f.Skinner()->BuildSystemMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Tag(), skin::kSystemMenuTag);
  bool sawClose = false, sawMinimize = false;
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    ui::TMenuItem* item = menu->Items()->Items(i);
    switch (static_cast<UINT>(item->Tag())) {
      case SC_RESTORE:
        EXPECT_FALSE(item->Enabled());
        EXPECT_EQ(item->ImageIndex(), 0);
        break;
      case SC_MAXIMIZE:
        EXPECT_FALSE(item->Enabled());
        break;  // no maximize box
      case SC_MINIMIZE:
        sawMinimize = true;
        EXPECT_TRUE(item->Enabled());
        EXPECT_EQ(item->ImageIndex(), 2);
        break;
      case SC_MOVE:
        EXPECT_TRUE(item->Enabled());
        break;
      case SC_CLOSE:
        sawClose = true;
        EXPECT_EQ(item->ImageIndex(), 3);
        break;
      default:
        break;
    }
  }
  EXPECT_TRUE(sawClose);
  EXPECT_TRUE(sawMinimize);
  // Choosing an item posts its command to the window.
  wintest::MessageRecorder recorder(f.Handle());
  for (int i = 0; i < menu->Items()->Count(); ++i)
    if (menu->Items()->Items(i)->Tag() == SC_MINIMIZE) menu->Items()->Items(i)->Click();
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsIconic(f.Handle()));
}

TEST(SkinnedFrame, TheSystemMenuOpensFromTheIconAndAltSpace) {
  SkinnedForm f;
  MenuProbe::opened = 0;
  // Alt+Space.
  SetTimer(nullptr, 0, 50, MenuProbe::Check);
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  // A click on the icon (released over it).
  SetTimer(nullptr, 0, 50, MenuProbe::Check);
  SendNc(f.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, f.ScreenPoint(12, 12));
  Sleep(GetDoubleClickTime() + 10);  // a second request within the double-click time closes
  SendNc(f.Handle(), WM_NCLBUTTONUP, HTCAPTION, f.ScreenPoint(12, 12));
  wintest::PumpUntilIdle();
  EXPECT_EQ(MenuProbe::opened, 2);
  // A right click on the caption.
  Sleep(GetDoubleClickTime() + 10);
  SetTimer(nullptr, 0, 50, MenuProbe::Check);
  SendNc(f.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, f.ScreenPoint(kCaptionAt.x, kCaptionAt.y));
  EXPECT_EQ(MenuProbe::opened, 3);
  // A second right click within the double-click time while the close button is hot: nothing.
  SendNc(f.Handle(), WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(CloseAt().x, CloseAt().y));
  SendNc(f.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, f.ScreenPoint(kCaptionAt.x, kCaptionAt.y));
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(f.Handle()));
  // Over the icon button it closes the window.
  Sleep(GetDoubleClickTime() + 10);
  SetTimer(nullptr, 0, 50, MenuProbe::Check);
  SendNc(f.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, f.ScreenPoint(kCaptionAt.x, kCaptionAt.y));
  SendNc(f.Handle(), WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(12, 12));
  SendNc(f.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, f.ScreenPoint(12, 12));
  wintest::PumpUntilIdle();
  EXPECT_EQ(MenuProbe::opened, 4);
  EXPECT_FALSE(IsWindowVisible(f.Handle()));
}

TEST(SkinnedFrame, MinimizeAndCloseWithTheMouse) {
  SkinnedForm f;
  const auto click = [&](POINT at) {
    const RECT w = f.WindowRect();
    SetCursorPos(w.left + at.x, w.top + at.y);
    wintest::PumpUntilIdle();
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    wintest::PumpUntilIdle();
  };
  click(MinimizeAt());
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(f.Handle()) != FALSE; }, 1000));
  ShowWindow(f.Handle(), SW_RESTORE);
  SetForegroundWindow(f.Handle());
  wintest::PumpUntilIdle();
  ASSERT_FALSE(IsIconic(f.Handle()));
  EXPECT_EQ(f.Pixel(kCaptionAt.x, kCaptionAt.y), Rgb(TestSkin().FrameColour("Top", 1)));
  click(CloseAt());
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(f.Handle()); }, 1000));
}

class SkinSwitch : public ::testing::TestWithParam<ui::TFormBorderStyle> {};

TEST_P(SkinSwitch, SwitchingTheSkinOffRestoresTheWindowExactly) {
  skin::SkinManagerScope scope;
  auto* form = new TFrameTestForm(nullptr);
  form->SetBorderStyle(GetParam());
  form->SetClientSize(606, 479);
  form->Show();
  SetForegroundWindow(form->Handle());
  wintest::PumpUntilIdle();
  RECT original{};
  GetWindowRect(form->Handle(), &original);
  const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
  const ui::TColor colour = form->Color();

  skin::TSkinData* data = frametest::AddSkin(form, TestSkin());
  skin::TSkinManage* manager = skin::SkinManager();
  ASSERT_NE(manager, nullptr);
  manager->SkinFormIfVisible(form);
  wintest::PumpUntilIdle();
  ASSERT_NE(manager->FindForm(form->Handle()), nullptr);

  for (int i = 0; i < 20; ++i) {
    data->SetActive(false);
    manager->RunAction();
    wintest::PumpUntilIdle();
    RECT w{};
    GetWindowRect(form->Handle(), &w);
    ASSERT_EQ(w.right - w.left, original.right - original.left) << i;
    ASSERT_EQ(w.bottom - w.top, original.bottom - original.top) << i;
    ASSERT_EQ(GetWindowLongPtrW(form->Handle(), GWL_STYLE), style) << i;
    ASSERT_EQ(form->Color(), colour);
    ui::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(form->Handle(), region.get()), ERROR) << i;
    ASSERT_EQ(manager->FindForm(form->Handle()), nullptr);

    data->SetActive(true);
    manager->RunAction();
    wintest::PumpUntilIdle();
    GetWindowRect(form->Handle(), &w);
    ASSERT_EQ(w.right - w.left, kWidth) << i;
    ASSERT_EQ(w.bottom - w.top, kHeight) << i;
  }
  EXPECT_EQ(form->ClientWidth(), 606);
  EXPECT_EQ(form->ClientHeight(), 479);
  delete form;
}

INSTANTIATE_TEST_SUITE_P(SkinnedFrame, SkinSwitch,
                         ::testing::Values(ui::TFormBorderStyle::bsSingle,
                                           ui::TFormBorderStyle::bsSizeable));

// A handler the program puts over a skinned form's handler keeps a sound chain when the skin
// goes: the skinner's place in it passes messages on (no freed skinner answers them), and the
// skin comes back in front of that handler.
TEST(SkinnedFrame, AHandlerPutOverTheSkinnerKeepsASoundChainWhenTheSkinGoes) {
  struct Over {
    ui::TWndMethod saved;
    int seen = 0;
    bool sawWindowGo = false;
    void Handle(ui::TMessage& m) {
      ++seen;
      if (m.Msg == WM_NCDESTROY) sawWindowGo = true;
      saved(m);
    }
  } over;  // outlives the form
  SkinnedForm f;
  over.saved = f.form->WindowProc;
  f.form->WindowProc = ui::MethodOf<&Over::Handle>(&over);
  const auto answersAsSkinned = [&] {
    return SendMessageW(f.Handle(), skin::SM_QUERYSKIN, 0, skin::kSkinMessageTag) ==
           skin::kSkinMessageTag;
  };
  EXPECT_TRUE(answersAsSkinned());

  f.data->SetActive(false);
  f.Manager()->RunAction();
  wintest::PumpUntilIdle();
  ASSERT_EQ(f.Skinner(), nullptr);
  over.seen = 0;
  EXPECT_FALSE(answersAsSkinned());
  SetWindowTextW(f.Handle(), L"Plain");
  wchar_t text[16] = {};
  GetWindowTextW(f.Handle(), text, 16);
  EXPECT_STREQ(text, L"Plain");
  EXPECT_GT(over.seen, 0);

  f.data->SetActive(true);
  f.Manager()->RunAction();
  wintest::PumpUntilIdle();
  ASSERT_NE(f.Skinner(), nullptr);
  EXPECT_TRUE(answersAsSkinned());
  EXPECT_EQ(f.Pixel(kCaptionAt.x, kCaptionAt.y), Rgb(TestSkin().FrameColour("Top", 1)));

  // Freed while skinned: the links go with the form's components, before its window, whose last
  // messages still pass the handler and the first link on to the form.
  delete std::exchange(f.form, nullptr);
  EXPECT_TRUE(over.sawWindowGo);
}

TEST(SkinnedFrame, ASkinFileThatFailsToLoadKeepsTheCurrentFrame) {
  TestSkin ts;
  SkinnedForm f(ts);
  const RECT before = f.WindowRect();
  f.data->SetSkinFile(L"Z:\\nowhere\\missing.skn");
  wintest::PumpUntilIdle(300);
  RedrawWindow(f.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  const RECT after = f.WindowRect();
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_EQ(f.Pixel(kCaptionAt.x, kCaptionAt.y), Rgb(ts.FrameColour("Top", 1)));
  EXPECT_NE(f.Skinner(), nullptr);
}

TEST(SkinnedFrame, FiftyAttachPaintDetachCyclesGiveEveryHandleBack) {
  skin::SkinManagerScope scope;
  auto* form = new TFrameTestForm(nullptr);
  skin::TSkinData* data = frametest::AddSkin(form, TestSkin());
  form->Show();
  SetForegroundWindow(form->Handle());
  wintest::PumpUntilIdle();
  skin::TSkinManage* manager = skin::SkinManager();
  const auto cycle = [&] {
    data->SetActive(false);
    manager->RunAction();
    data->SetActive(true);
    manager->RunAction();
    wintest::PumpUntilIdle();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  };
  cycle();  // warm-up: the system's caches
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 50; ++i) cycle();
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  EXPECT_EQ(manager->Forms().size(), 1u);
  delete form;
  EXPECT_TRUE(manager->Forms().empty());
}
