// Check-box and radio-button skinners on bare BUTTON windows: the glyph of each state from strips
// of 4, 8 and 12 frames drawn over the control's own painting.
#include <gtest/gtest.h>

#include "skin/controls/SkinCheckRadio.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/CheckCtrls.h"

using frametest::Rgb;
using frametest::SkinnedForm;
using testskin::TestSkin;

namespace {

struct GlyphFixture {
  SkinnedForm f;
  HWND button;
  TestSkin skin;

  GlyphFixture(const TestSkin& ts, DWORD style, bool radio) : f(ts), skin(ts) {
    button = CreateWindowExW(0, L"BUTTON", L"Option", WS_CHILD | WS_VISIBLE | style, 10, 10, 120,
                             21, f.Handle(), nullptr, nullptr, nullptr);
    skin::TSkinControl* s =
        radio ? static_cast<skin::TSkinControl*>(new skin::TSkinRadioButton(nullptr))
              : new skin::TSkinCheckBox(nullptr);
    s->AttachHandle(button, f.data, f.Skinner());
    wintest::PumpUntilIdle();
  }
  ~GlyphFixture() { DestroyWindow(button); }
  // The middle of the glyph, at the left edge, vertically centred.
  COLORREF Glyph() {
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    auto capture = wintest::CaptureWindowDC(button);
    return capture ? capture->Pixel(6, 10) & 0xFFFFFF : CLR_INVALID;
  }
  COLORREF Frame(const char* id, int frame) const { return Rgb(skin.FrameColour(id, frame)); }
};

}  // namespace

TEST(SkinnedCheckBox, FourFrameStrip) {
  TestSkin ts;
  ts.SetFrames("Buttons.CheckButton", 4);
  GlyphFixture g(ts, BS_AUTO3STATE, false);
  const char* id = "Buttons.CheckButton";
  EXPECT_EQ(g.Glyph(), g.Frame(id, 1));
  SendMessageW(g.button, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 2));
  EnableWindow(g.button, FALSE);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 4));  // checked and disabled
  SendMessageW(g.button, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 3));
  EnableWindow(g.button, TRUE);
  SendMessageW(g.button, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 4));
}

TEST(SkinnedCheckBox, TwelveFrameStrip) {
  GlyphFixture g(TestSkin(), BS_AUTO3STATE, false);  // the test skin's strip has 12 frames
  const char* id = "Buttons.CheckButton";
  EXPECT_EQ(g.Glyph(), g.Frame(id, 1));
  SendMessageW(g.button, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 5));
  EnableWindow(g.button, FALSE);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 8));
  SendMessageW(g.button, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 12));
  EnableWindow(g.button, TRUE);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 9));
  // A click through the control's own handling checks it and the glyph follows.
  SendMessageW(g.button, BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(g.button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(g.button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  wintest::PumpUntilIdle();
  EXPECT_EQ(SendMessageW(g.button, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 5));
}

TEST(SkinnedRadioButton, EightAndFourFrameStrips) {
  {
    GlyphFixture g(TestSkin(), BS_AUTORADIOBUTTON, true);  // 8 frames
    const char* id = "Buttons.RadioButton";
    EXPECT_EQ(g.Glyph(), g.Frame(id, 1));
    SendMessageW(g.button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(g.Glyph(), g.Frame(id, 5));
    EnableWindow(g.button, FALSE);
    EXPECT_EQ(g.Glyph(), g.Frame(id, 8));
  }
  TestSkin ts;
  ts.SetFrames("Buttons.RadioButton", 4);
  GlyphFixture g(ts, BS_AUTORADIOBUTTON, true);
  const char* id = "Buttons.RadioButton";
  SendMessageW(g.button, BM_SETCHECK, BST_CHECKED, 0);
  EnableWindow(g.button, FALSE);
  EXPECT_EQ(g.Glyph(), g.Frame(id, 4));
}

TEST(SkinnedCheckBox, AStripWhoseWidthIsNoMultipleOfItsFramesUsesWholeFrames) {
  TestSkin ts;
  ts.SetFrames("Buttons.CheckButton", 4).SetIni("Buttons", "CheckButtonFrame", "5");
  GlyphFixture g(ts, BS_AUTOCHECKBOX, false);
  // 52 pixels read as 5 frames of 10: still a colour of the strip, never past its end.
  SendMessageW(g.button, BM_SETCHECK, BST_CHECKED, 0);
  const COLORREF c = g.Glyph();
  bool fromStrip = false;
  for (int i = 1; i <= 4; ++i) fromStrip |= c == g.Frame("Buttons.CheckButton", i);
  EXPECT_TRUE(fromStrip);
}

TEST(SkinnedCheckBox, AFrameworkCheckBoxIsPaintedWholeAlsoIntoAPrintedImage) {
  TestSkin ts;
  SkinnedForm f(ts, [](frametest::TFrameTestForm& form) {
    auto* box = new ui::TCheckBox(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 140, 21);
    box->SetCaption(L"&Checked 选中");
    box->SetChecked(true);
    box->SetName("Box");
  });
  auto* box = dynamic_cast<ui::TCheckBox*>(f.form->FindComponent("Box"));
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(SendMessageW(box->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  const COLORREF checked = Rgb(ts.FrameColour("Buttons.CheckButton", 5));
  const COLORREF face = Rgb(f.data->GetRGB(skin::ciButtonFace));
  auto printed = wintest::CapturePrint(box->Handle());
  ASSERT_NE(printed, nullptr);
  EXPECT_EQ(printed->Pixel(6, 10) & 0xFFFFFF, checked);
  EXPECT_EQ(printed->Pixel(137, 2) & 0xFFFFFF, face);  // the whole control, on the skin's face
  RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  auto screen = wintest::CaptureWindowDC(box->Handle());
  EXPECT_EQ(screen->Pixel(6, 10) & 0xFFFFFF, checked);
  box->SetChecked(false);
  RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  screen = wintest::CaptureWindowDC(box->Handle());
  EXPECT_EQ(screen->Pixel(6, 10) & 0xFFFFFF, Rgb(ts.FrameColour("Buttons.CheckButton", 1)));
}

// Each state change a user makes shows by itself: what the check box painted after a real click,
// Space, and a disable, read without any redraw asked for.
TEST(SkinnedCheckBox, EveryChangeAUserMakesIsRepaintedByTheControlItself) {
  TestSkin ts;
  ts.SetFrames("Buttons.CheckButton", 4);
  GlyphFixture g(ts, BS_AUTOCHECKBOX, false);
  const char* id = "Buttons.CheckButton";
  const auto shown = [&] {
    wintest::PumpUntilIdle();
    auto capture = wintest::CaptureWindowDC(g.button);
    return capture ? capture->Pixel(6, 10) & 0xFFFFFF : CLR_INVALID;
  };
  EXPECT_EQ(shown(), g.Frame(id, 1));
  wintest::ClickClient(g.button, 60, 10);
  EXPECT_EQ(SendMessageW(g.button, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(shown(), g.Frame(id, 2));
  wintest::PressKey(VK_SPACE);  // the click gave it the focus
  EXPECT_EQ(SendMessageW(g.button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(shown(), g.Frame(id, 1));
  wintest::ClickClient(g.button, 60, 10);
  EnableWindow(g.button, FALSE);
  EXPECT_EQ(shown(), g.Frame(id, 4));  // checked and disabled
}
