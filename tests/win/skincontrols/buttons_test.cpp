// Push-button skinners on real buttons: the image of each state from a flat-colour test skin, who
// sees which message, clicks, switching a skinner off, and handlers installed around it.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "skin/controls/SkinButtons.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/StdCtrls.h"

using frametest::Rgb;
using frametest::SkinnedForm;
using testskin::TestSkin;

UI_IMPLEMENT_CLASS(frametest::TFrameTestForm, ui::TForm)

namespace {

// Records what reaches the control's own handling, behind whatever is installed in front of it.
struct Recorder {
  ui::TControl* control;
  ui::TWndMethod saved;
  std::vector<UINT> seen;
  explicit Recorder(ui::TControl* c) : control(c), saved(c->WindowProc) {
    c->WindowProc = ui::MethodOf<&Recorder::Handle>(this);
  }
  void Handle(ui::TMessage& m) {
    seen.push_back(m.Msg);
    saved(m);
  }
  bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
};

struct Clicks {
  int count = 0;
  void Click(ui::TObject*) { ++count; }
};

struct ButtonFixture {
  std::unique_ptr<struct Recorder> recorder;  // outlives the form, whose button calls it
  SkinnedForm f;
  ui::TButton* button;
  ui::TButton* other;
  skin::TSkinButton* skinner;
  Clicks clicks;

  explicit ButtonFixture(const TestSkin& skin = TestSkin(), bool withRecorder = false) : f(skin) {
    button = new ui::TButton(f.form);
    button->SetParent(f.form);
    button->SetBounds(20, 20, 75, 25);
    button->SetCaption(L"搜索");
    button->OnClick = ui::MethodOf<&Clicks::Click>(&clicks);
    other = new ui::TButton(f.form);  // somewhere else for the focus to go
    other->SetParent(f.form);
    other->SetBounds(200, 20, 75, 25);
    if (withRecorder) recorder = std::make_unique<Recorder>(button);
    skinner = new skin::TSkinButton(button);
    skinner->Attach(f.Skinner(), f.data, false);
    wintest::PumpUntilIdle();
  }
  // A pixel of the button's face outside its caption.
  COLORREF Face() {
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    auto capture = wintest::CaptureWindowDC(button->Handle());
    return capture ? capture->Pixel(4, 4) & 0xFFFFFF : CLR_INVALID;
  }
  void Send(UINT msg, WPARAM w = 0, LPARAM l = MAKELPARAM(10, 10)) {
    SendMessageW(button->Handle(), msg, w, l);
  }
};

COLORREF ButtonColour(int frame) { return Rgb(TestSkin().FrameColour("Buttons", frame)); }

}  // namespace

TEST(SkinnedButton, EachStateShowsItsImage) {
  ButtonFixture b;
  b.button->SetFocus();
  wintest::PumpUntilIdle();
  EXPECT_EQ(b.Face(), ButtonColour(5));  // focused
  b.Send(WM_MOUSEMOVE);
  EXPECT_EQ(b.Face(), ButtonColour(4));  // hot
  b.Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(b.Face(), ButtonColour(2));  // pressed
  b.Send(WM_MOUSELEAVE);
  EXPECT_EQ(b.Face(), ButtonColour(5));  // left while pressed: no longer pressed; it has the focus
  EXPECT_EQ(b.clicks.count, 0);
  b.other->SetFocus();
  wintest::PumpUntilIdle();
  EXPECT_EQ(b.Face(), ButtonColour(1));
  b.button->SetDefault(true);
  EXPECT_EQ(b.Face(), ButtonColour(5));  // default, without the focus
  b.button->SetEnabled(false);
  EXPECT_EQ(b.Face(), ButtonColour(3));  // a disabled default button shows the disabled image
}

TEST(SkinnedButton, TheSkinnerMakesExactlyOneClickAndTheControlNeverSeesTheButtonDown) {
  ButtonFixture b(TestSkin(), /*withRecorder=*/true);
  b.Send(WM_LBUTTONDOWN, MK_LBUTTON);
  b.Send(WM_LBUTTONUP);
  wintest::PumpUntilIdle();
  EXPECT_EQ(b.clicks.count, 1);
  EXPECT_FALSE(b.recorder->Saw(WM_LBUTTONDOWN));
  EXPECT_TRUE(b.recorder->Saw(WM_LBUTTONUP));
  EXPECT_NE(GetCapture(), b.button->Handle());
  // SM_ISSKINNED is answered by the skinner and never reaches the control.
  EXPECT_EQ(SendMessageW(b.button->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_FALSE(b.recorder->Saw(skin::SM_ISSKINNED));
  // Switched off, the control gets its own messages and makes its own click.
  SendMessageW(b.button->Handle(), skin::SM_SETACTIVE, 0, 0);
  b.recorder->seen.clear();
  b.Send(WM_LBUTTONDOWN, MK_LBUTTON);
  b.Send(WM_LBUTTONUP);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(b.recorder->Saw(WM_LBUTTONDOWN));
  EXPECT_EQ(b.clicks.count, 2);
  EXPECT_EQ(SendMessageW(b.button->Handle(), skin::SM_ISSKINNED, 0, 0), 0);
  SendMessageW(b.button->Handle(), skin::SM_SETACTIVE, 1, 0);
  EXPECT_EQ(b.Face(), ButtonColour(5));
}

TEST(SkinnedButton, SpaceAndEnterStillClickThroughTheControl) {
  ButtonFixture b;
  b.button->SetFocus();
  wintest::PumpUntilIdle();
  // Through the program's own loop, as a key press arrives.
  PostMessageW(b.button->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  ui::Application->ProcessMessages();
  EXPECT_EQ(b.Face(), ButtonColour(2));
  PostMessageW(b.button->Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
  ui::Application->ProcessMessages();
  wintest::PumpUntilIdle();
  EXPECT_EQ(b.clicks.count, 1);
  EXPECT_EQ(b.Face(), ButtonColour(5));
  PostMessageW(b.button->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(b.button->Handle(), WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
  ui::Application->ProcessMessages();
  EXPECT_EQ(b.clicks.count, 2);
}

TEST(SkinnedButton, AHandlerInstalledAfterTheSkinnerSurvivesItsDetach) {
  ButtonFixture b;
  auto later = std::make_unique<Recorder>(b.button);  // installed over the skinner
  delete b.skinner;                                   // takes only its own part out
  EXPECT_EQ(b.button->WindowProc, ui::MethodOf<&Recorder::Handle>(later.get()));
  later->seen.clear();
  b.Send(WM_LBUTTONDOWN, MK_LBUTTON);
  b.Send(WM_LBUTTONUP);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(later->Saw(WM_LBUTTONDOWN));
  EXPECT_EQ(b.clicks.count, 1);
  EXPECT_TRUE(b.f.Skinner()->Controls().empty());
  b.recorder = std::move(later);  // lives as long as the button calls it
}

TEST(SkinnedButton, TwoLineCaption) {
  ButtonFixture b;
  b.button->SetBounds(20, 20, 90, 44);
  const COLORREF ink = Rgb(b.f.data->GetRGB(skin::ciButtonText));
  b.button->Font()->SetColor(static_cast<ui::TColor>(ink));
  const auto inkRows = [&](const std::wstring& caption) {
    b.button->SetCaption(caption);
    RedrawWindow(b.button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    auto capture = wintest::CaptureWindowDC(b.button->Handle());
    int first = -1, last = -1;
    for (int y = 0; y < 44; ++y)
      for (int x = 0; x < 90; ++x)
        if ((capture->Pixel(x, y) & 0xFFFFFF) == ink) {
          if (first < 0) first = y;
          last = y;
        }
    return last - first;
  };
  const int one = inkRows(L"Go Now");
  const int two = inkRows(L"Go||Now");
  EXPECT_GT(one, 0);
  EXPECT_GT(two, one + 5);
}

TEST(SkinnedButton, ABareButtonWindowTellsTheDialogItsCommand) {
  SkinnedForm f;
  HWND button =
      CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 75, 25,
                      f.Handle(), reinterpret_cast<HMENU>(1234), nullptr, nullptr);
  auto* skinner = new skin::TSkinButton(nullptr);
  skinner->AttachHandle(button, f.data, f.Skinner());
  wintest::MessageRecorder parent(f.Handle());
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  wintest::PumpUntilIdle();
  int commands = 0;
  for (const auto& m : parent.messages())
    if (m.msg == WM_COMMAND) {
      ++commands;
      EXPECT_EQ(LOWORD(m.wParam), 1234);
      EXPECT_EQ(m.lParam, reinterpret_cast<LPARAM>(button));
    }
  EXPECT_EQ(commands, 1);
  SetFocus(f.Handle());
  RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto capture = wintest::CaptureWindowDC(button);
  EXPECT_EQ(capture->Pixel(4, 4) & 0xFFFFFF, ButtonColour(1));
  // The window goes first: the skinner is left in the destroyed state and freed by the form.
  DestroyWindow(button);
  EXPECT_TRUE(skinner->WindowDestroyed());
  f.Skinner()->PurgeDestroyed();
  EXPECT_TRUE(f.Skinner()->Controls().empty());
}

TEST(SkinnedButton, WithoutAButtonsImageTheButtonKeepsItsOwnLook) {
  TestSkin ts;
  ts.Omit("Buttons");
  ButtonFixture b(ts);
  const COLORREF face = b.Face();
  EXPECT_NE(face, ButtonColour(1));
  EXPECT_NE(face, CLR_INVALID);
  b.Send(WM_LBUTTONDOWN, MK_LBUTTON);
  b.Send(WM_LBUTTONUP);
  wintest::PumpUntilIdle();
  EXPECT_EQ(b.clicks.count, 1);
}

// ---- Buttons the push-button skin cannot stand for

namespace {

// A dialog box of the system's own (no framework form), filled by `fill` before it is shown and
// skinned by the manager when it is activated.
struct BareDialog {
  HWND wnd = nullptr;
  static INT_PTR CALLBACK Proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }
  BareDialog(HWND owner, const std::function<void(HWND)>& fill) {
    struct alignas(4) Template {
      DLGTEMPLATE t;
      WORD menu, cls, title;
    } tpl{};
    tpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    tpl.t.cx = 200;
    tpl.t.cy = 220;
    wnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tpl.t, owner, Proc, 0);
    if (!wnd) return;
    fill(wnd);
    ShowWindow(wnd, SW_SHOW);
    SetForegroundWindow(wnd);
    frametest::PumpUntil([&] {
      skin::TWinSkinForm* s = skin::SkinManager()->FindForm(wnd);
      return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
    });
    wintest::PumpUntilIdle();
  }
  ~BareDialog() {
    if (wnd) DestroyWindow(wnd);
  }
};

}  // namespace

TEST(SkinnedButton, SplitButtonsCommandLinksAndImageButtonsKeepTheirOwnLookAndBehaviour) {
  wintest::CommonControls6 v6;
  ASSERT_TRUE(v6.active());
  struct Made {
    const wchar_t* what;
    DWORD style;
    HWND wnd = nullptr;
  };
  std::vector<Made> made = {{L"push", BS_PUSHBUTTON},
                            {L"split", BS_SPLITBUTTON},
                            {L"default split", BS_DEFSPLITBUTTON},
                            {L"command link", BS_COMMANDLINK},
                            {L"icon", BS_PUSHBUTTON | BS_ICON},
                            {L"bitmap", BS_PUSHBUTTON | BS_BITMAP}};
  SkinnedForm f;
  BareDialog box(f.Handle(), [&](HWND dialog) {
    int top = 10;
    for (Made& m : made) {
      m.wnd = CreateWindowExW(0, L"BUTTON", m.what, WS_CHILD | WS_VISIBLE | m.style, 10, top, 160,
                              40, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(top)),
                              nullptr, nullptr);
      top += 50;
    }
  });
  ASSERT_NE(box.wnd, nullptr);
  for (const Made& m : made) {
    SCOPED_TRACE(m.what);
    ASSERT_NE(m.wnd, nullptr);
    EXPECT_EQ(SendMessageW(m.wnd, skin::SM_ISSKINNED, 0, 0) == 1, m.style == BS_PUSHBUTTON);
  }
  // The split button's arrow part still opens its drop-down: a real click there notifies the
  // parent, which a skinned one swallowed.
  wintest::MessageRecorder parent(box.wnd);
  parent.notificationsFrom(made[1].wnd);
  RECT r{};
  GetClientRect(made[1].wnd, &r);
  wintest::ClickClient(made[1].wnd, r.right - 6, r.bottom / 2);
  const auto& got = parent.messages();
  EXPECT_TRUE(std::any_of(got.begin(), got.end(), [](const wintest::RecordedMessage& m) {
    return m.msg == WM_NOTIFY && m.wParam == static_cast<WPARAM>(BCN_DROPDOWN);
  })) << "no BCN_DROPDOWN";
}

// ---- Transparent faces

TEST(SkinnedButton, ATransparentFaceShowsWhatItsParentPaintsUnderItWhenASiblingPaintsMeanwhile) {
  // Rounded corners: the button's corners show what lies under it: at the left a speed button
  // that the parent paints, with the shared buffer, while the button composes its face; at the
  // right the form's own face.
  TestSkin ts;
  ts.KeyCorners("Buttons", 4);
  ts.SetIni("Buttons", "Trans", "1");
  ui::TSpeedButton* under = nullptr;
  ui::TButton* button = nullptr;
  SkinnedForm f(ts, [&](frametest::TFrameTestForm& form) {
    under = new ui::TSpeedButton(&form);
    under->SetParent(&form);
    under->SetBounds(20, 20, 30, 30);
    button = new ui::TButton(&form);
    button->SetParent(&form);
    button->SetBounds(60, 60, 80, 30);
    button->SetCaption(L"OK");
    button->SetTag(5555);
  });
  ASSERT_NE(f.Skinner()->FindSkinnerByWindow(button->Handle()), nullptr);
  // The speed button grows under the button's left half (its paint is still to come) and the
  // pointer comes over the button, which repaints itself at once: the speed button is painted
  // for the first time at its new size, larger than anything before, in the middle of the
  // button's paint.
  under->SetBounds(20, 20, 60, 200);
  SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 15));
  auto form = wintest::CaptureWindowDC(f.Handle());
  ASSERT_NE(form, nullptr);
  POINT origin{0, 0};
  ClientToScreen(f.Handle(), &origin);
  RECT window{};
  GetWindowRect(f.Handle(), &window);
  const auto at = [&](int x, int y) {
    return form->Pixel(origin.x - window.left + x, origin.y - window.top + y) & 0xFFFFFF;
  };
  const COLORREF formFace = at(400, 300);
  EXPECT_EQ(at(60 + 1, 60 + 1), ButtonColour(1));  // the speed button's face
  EXPECT_EQ(at(60 + 78, 60 + 1), formFace);
  EXPECT_EQ(at(60 + 10, 60 + 15), ButtonColour(4));  // the button's hot face
  EXPECT_EQ(at(60 + 70, 60 + 26), ButtonColour(4));

  // Later paints make no GDI object: the button's own buffer is kept.
  const auto hoverAndLeave = [&] {
    SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 15));
    SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
    wintest::PumpUntilIdle();
  };
  hoverAndLeave();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 5; ++i) hoverAndLeave();
  EXPECT_EQ(wintest::LiveGdiObjects(), gdi);
}

// ---- Keyboard cues

TEST(SkinnedButton, TheFocusRectangleAndTheAccessKeyShowOnlyWithTheWindowsKeyboardCues) {
  ButtonFixture b;
  b.button->SetCaption(L"&Go");
  b.button->SetFocus();
  wintest::KeyboardCues cues(b.button->Handle());
  // What the button shows after each change, painted by itself: pixels unlike its focused face.
  const auto marks = [&] {
    wintest::PumpUntilIdle();
    return wintest::PixelsUnlike(b.button->Handle(), ButtonColour(5));
  };
  const int all = marks();
  cues.Set(UISF_HIDEFOCUS);
  const int noFocusRect = marks();
  EXPECT_LT(noFocusRect, all);
  cues.Set(UISF_HIDEACCEL);
  const int noCues = marks();
  EXPECT_LT(noCues, noFocusRect);  // the underline under G is gone
  EXPECT_GT(noCues, 0);            // the caption is still there
  // The keyboard in use again: both come back.
  cues.Clear(UISF_HIDEFOCUS | UISF_HIDEACCEL);
  EXPECT_EQ(marks(), all);
}
