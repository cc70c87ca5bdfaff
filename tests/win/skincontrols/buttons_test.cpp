// Push-button skinners on real buttons: the image of each state from a flat-colour test skin, who
// sees which message, clicks, switching a skinner off, and handlers installed around it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/controls/SkinButtons.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/Application.h"
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
  EXPECT_EQ(SendMessageW(b.button->Handle(), skin::kSkinIsSkinned, 0, 0), 1);
  EXPECT_FALSE(b.recorder->Saw(skin::kSkinIsSkinned));
  // Switched off, the control gets its own messages and makes its own click.
  SendMessageW(b.button->Handle(), skin::kSkinSetActive, 0, 0);
  b.recorder->seen.clear();
  b.Send(WM_LBUTTONDOWN, MK_LBUTTON);
  b.Send(WM_LBUTTONUP);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(b.recorder->Saw(WM_LBUTTONDOWN));
  EXPECT_EQ(b.clicks.count, 2);
  EXPECT_EQ(SendMessageW(b.button->Handle(), skin::kSkinIsSkinned, 0, 0), 0);
  SendMessageW(b.button->Handle(), skin::kSkinSetActive, 1, 0);
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

TEST(SkinnedButton, ABareButtonWindowPostsItsCommandToTheDialog) {
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
