// Edit and up-down skinners on real controls skinned by the classification: the border band of
// each state, the spin button of a spin edit skinned once whichever side comes first, the pressed
// half under the pointer, auto-repeat still running while a half is held, and paints that create
// no GDI object.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/manager/ControlClassifier.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"
#include "ui/UpDown.h"

using frametest::PumpUntil;
using frametest::Rgb;
using frametest::SkinnedForm;
using frametest::TFrameTestForm;
using testskin::TestSkin;

namespace {

template <class T>
T* Add(TFrameTestForm& form, int left, int top, int width, int height) {
  T* c = new T(&form);
  c->SetParent(&form);
  c->SetBounds(left, top, width, height);
  return c;
}

COLORREF PixelOf(HWND wnd, int x, int y, bool repaint = true) {
  if (repaint) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  auto capture = wintest::CaptureWindowDC(wnd);
  return capture ? capture->Pixel(x, y) & 0xFFFFFF : CLR_INVALID;
}

COLORREF Colour(const SkinnedForm& f, int index) { return Rgb(f.data->GetRGB(index)); }
COLORREF Vert(int frame) { return Rgb(TestSkin().FrameColour("UpDown.Vert", frame)); }
COLORREF VertGlyph(int frame) { return Rgb(TestSkin().FrameColour("UpDown.Vert.Glyph", frame)); }
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The skinners the form lists for a window.
int SkinnersOf(const SkinnedForm& f, HWND wnd) {
  int n = 0;
  for (skin::IControlSkinner* s : f.Skinner()->Controls()) n += s->SkinnedWindow() == wnd;
  return n;
}

void PointAt(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  SetCursorPos(p.x, p.y);
}

void MoveAway() {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

// Records what reaches the control's own handling, behind the skinner installed later.
struct Recorder {
  ui::TWndMethod saved;
  std::vector<UINT> seen;
  explicit Recorder(ui::TControl* c) : saved(c->WindowProc) {
    c->WindowProc = ui::MethodOf<&Recorder::Handle>(this);
  }
  void Handle(ui::TMessage& m) {
    seen.push_back(m.Msg);
    saved(m);
  }
  bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
};

struct Steps {
  int up = 0, down = 0;
  void Click(ui::TObject*, ui::TUDBtnType b) { ++(b == ui::TUDBtnType::btNext ? up : down); }
};

}  // namespace

TEST(SkinnedEdit, TheBorderBandShowsRestFocusAndHover) {
  ui::TEdit *edit = nullptr, *other = nullptr, *flat = nullptr;
  SkinnedForm f(TestSkin(), [&](TFrameTestForm& form) {
    edit = Add<ui::TEdit>(form, 20, 20, 113, 21);
    edit->SetText(L"关键字");
    other = Add<ui::TEdit>(form, 200, 20, 113, 21);
    flat = Add<ui::TEdit>(form, 20, 60, 113, 21);
    flat->SetBorderStyle(ui::TBorderStyle::bsNone);
  });
  HWND wnd = edit->Handle();
  ASSERT_EQ(SendMessageW(wnd, skin::SM_ISSKINNED, 0, 0), 1);
  other->SetFocus();
  MoveAway();
  wintest::PumpUntilIdle();
  const COLORREF shadow = Colour(f, skin::ciButtonShadow);
  // One line of the edge colour, then two white lines, on every side.
  EXPECT_EQ(PixelOf(wnd, 0, 10), shadow);
  EXPECT_EQ(PixelOf(wnd, 1, 10), kWhite);
  EXPECT_EQ(PixelOf(wnd, 2, 10), kWhite);
  EXPECT_EQ(PixelOf(wnd, 112, 10), shadow);
  EXPECT_EQ(PixelOf(wnd, 50, 0), shadow);
  EXPECT_EQ(PixelOf(wnd, 50, 19), kWhite);
  // The system's border painted again on its own (no client paint) is covered again.
  SendMessageW(wnd, WM_NCPAINT, 1, 0);
  EXPECT_EQ(PixelOf(wnd, 0, 10, false), shadow);
  EXPECT_EQ(PixelOf(wnd, 1, 10, false), kWhite);

  edit->SetFocus();
  wintest::PumpUntilIdle();
  EXPECT_EQ(PixelOf(wnd, 0, 10), Colour(f, skin::ciHilight));
  other->SetFocus();
  PointAt(wnd, 30, 8);
  SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(30, 8));
  EXPECT_EQ(PixelOf(wnd, 0, 10, false), Colour(f, skin::ciButtonDkShadow));
  MoveAway();
  SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(PixelOf(wnd, 0, 10, false), shadow);

  // Without a border there is nothing to cover.
  EXPECT_NE(PixelOf(flat->Handle(), 0, 10), shadow);
  // The engine's request to paint the client into a DC: answered only with its marker.
  EXPECT_EQ(SendMessageW(wnd, skin::SM_PAINTCLIENTTO, 0, skin::kSkinMessageTag),
            skin::kSkinMessageTag);
  EXPECT_NE(SendMessageW(wnd, skin::SM_PAINTCLIENTTO, 0, 0), skin::kSkinMessageTag);
  // Detached, the system draws its own frame again.
  auto* skinner = dynamic_cast<skin::TSkinEdit*>(f.Skinner()->FindSkinnerByWindow(wnd));
  ASSERT_NE(skinner, nullptr);
  skinner->Detach();
  wintest::PumpUntilIdle();
  EXPECT_NE(PixelOf(wnd, 0, 10, false), shadow);
}

TEST(SkinnedSpinEdit, ItsButtonIsSkinnedOnceEmbeddedAndRepeatsWhileHeld) {
  ui::TSpinEdit* spin = nullptr;
  SkinnedForm f(TestSkin(), [&](TFrameTestForm& form) {
    spin = Add<ui::TSpinEdit>(form, 20, 20, 72, 22);
    spin->SetMinValue(0);
    spin->SetMaxValue(99999999);
    spin->SetValue(500);
  });
  HWND button = spin->Button()->Handle();
  MoveAway();
  RedrawWindow(spin->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
  // The classification skinned the button and the edit found it skinned: one skinner, embedded.
  EXPECT_EQ(SendMessageW(button, skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SkinnersOf(f, button), 1);
  auto* upDown = dynamic_cast<skin::TSkinUpDown*>(f.Skinner()->FindSkinnerByWindow(button));
  ASSERT_NE(upDown, nullptr);
  EXPECT_TRUE(upDown->Embedded());

  // 15 x 18 inside the edit's 2-pixel edge: white where it keeps clear of the band, then the halves
  // (rows 1-8 and 9-16, columns 0-13).
  EXPECT_EQ(PixelOf(button, 1, 0), kWhite);
  EXPECT_EQ(PixelOf(button, 14, 8), kWhite);
  EXPECT_EQ(PixelOf(button, 1, 4), Vert(1));
  EXPECT_EQ(PixelOf(button, 1, 13), Vert(5));

  // Held on the lower half: pressed there only, and the value keeps stepping down.
  PointAt(button, 7, 13);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 13));
  EXPECT_EQ(spin->Value(), 499);
  EXPECT_EQ(PixelOf(button, 1, 13, false), Vert(6));
  EXPECT_EQ(PixelOf(button, 7, 13, false), VertGlyph(6));
  EXPECT_EQ(PixelOf(button, 1, 4, false), Vert(1));
  EXPECT_TRUE(PumpUntil([&] { return spin->Value() <= 495; }, 5000));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(7, 13));
  EXPECT_EQ(PixelOf(button, 1, 13, false), Vert(4 + 4));  // released, the pointer still on it: hot
  const int released = spin->Value();
  wintest::PumpUntilIdle(300);
  EXPECT_EQ(spin->Value(), released);

  // At the top of the range the upper half still clamps.
  spin->SetValue(99999999);
  PointAt(button, 7, 4);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 4));
  EXPECT_EQ(PixelOf(button, 1, 4, false), Vert(2));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(7, 4));
  EXPECT_EQ(spin->Value(), 99999999);
  MoveAway();
}

TEST(SkinnedSpinEdit, TheEditFindingTheButtonFirstLeavesTheClassificationNothingToAdd) {
  SkinnedForm f;
  auto* spin = Add<ui::TSpinEdit>(*f.form, 20, 20, 72, 22);
  HWND button = spin->Button()->Handle();
  auto* skinner = new skin::TSkinEdit(spin);
  skinner->Attach(f.Skinner(), f.data, false);
  RedrawWindow(spin->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  EXPECT_EQ(skinner->SpinWindow(), button);
  EXPECT_EQ(SkinnersOf(f, button), 1);
  skin::ClassifyFormControls(*f.Skinner());
  RedrawWindow(spin->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  EXPECT_EQ(SkinnersOf(f, button), 1);
  EXPECT_EQ(SkinnersOf(f, spin->Handle()), 1);
  // Freed with its edit: nothing of it stays listed.
  delete spin;
  f.Skinner()->PurgeDestroyed();
  EXPECT_EQ(SkinnersOf(f, button), 0);
}

TEST(SkinnedUpDown, SystemUpDownHalvesStatesAndAutoRepeat) {
  ui::TUpDown *vert = nullptr, *horz = nullptr;
  std::unique_ptr<Recorder> recorder;
  Steps steps;
  SkinnedForm f(TestSkin(), [&](TFrameTestForm& form) {
    vert = Add<ui::TUpDown>(form, 20, 20, 17, 25);
    vert->SetMax(1000);
    vert->OnClick = ui::MethodOf<&Steps::Click>(&steps);
    recorder = std::make_unique<Recorder>(vert);  // behind the skinner
    horz = Add<ui::TUpDown>(form, 60, 20, 34, 17);
    horz->SetOrientation(ui::TUDOrientation::udHorizontal);
  });
  HWND wnd = vert->Handle();
  MoveAway();
  ASSERT_EQ(SendMessageW(wnd, skin::SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(PixelOf(wnd, 1, 3), Vert(1));
  EXPECT_EQ(PixelOf(wnd, 1, 20), Vert(5));
  EXPECT_EQ(PixelOf(horz->Handle(), 1, 8), Rgb(TestSkin().FrameColour("UpDown.Horz", 1)));
  EXPECT_EQ(PixelOf(horz->Handle(), 32, 8), Rgb(TestSkin().FrameColour("UpDown.Horz", 5)));

  // Held on the upper half: the control steps on its own, again and again.
  PointAt(wnd, 8, 5);
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
  EXPECT_EQ(PixelOf(wnd, 1, 3, false), Vert(2));
  EXPECT_EQ(PixelOf(wnd, 1, 20, false), Vert(5));
  EXPECT_TRUE(PumpUntil([&] { return steps.up >= 4; }, 5000));
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
  EXPECT_EQ(vert->Position(), steps.up);
  EXPECT_EQ(steps.down, 0);
  // The control did its own press; it never painted itself.
  EXPECT_TRUE(recorder->Saw(WM_LBUTTONDOWN));
  EXPECT_TRUE(recorder->Saw(WM_LBUTTONUP));
  recorder->seen.clear();
  MoveAway();
  SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(PixelOf(wnd, 1, 3), Vert(1));
  EXPECT_FALSE(recorder->Saw(WM_PAINT));
  EXPECT_FALSE(recorder->Saw(WM_ERASEBKGND));

  vert->SetEnabled(false);
  EXPECT_EQ(PixelOf(wnd, 1, 3), Vert(3));
  EXPECT_EQ(PixelOf(wnd, 1, 20), Vert(7));
}

TEST(SkinnedUpDown, ASkinWithoutTheStripGetsPlainHalvesThatFollowThePointer) {
  TestSkin ts;
  ts.Omit("UpDown.Vert").Omit("UpDown.Vert.Glyph");
  ui::TUpDown* c = nullptr;
  Steps steps;
  SkinnedForm f(ts, [&](TFrameTestForm& form) {
    c = Add<ui::TUpDown>(form, 20, 20, 17, 25);
    c->SetMax(1000);
    c->OnClick = ui::MethodOf<&Steps::Click>(&steps);
  });
  HWND wnd = c->Handle();
  MoveAway();
  SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
  wintest::PumpUntilIdle();
  const COLORREF face = Colour(f, skin::ciButtonFace), lit = Colour(f, skin::ciButtonShadow),
                 ink = Colour(f, skin::ciButtonDkShadow);
  // Two halves, each outlined, with its arrow's tip on the middle column.
  RECT client{};
  GetClientRect(wnd, &client);
  const int w = client.right, h = client.bottom, half = h / 2;
  const auto pixel = [&](int x, int y) { return PixelOf(wnd, x, y, /*repaint=*/false); };
  EXPECT_EQ(pixel(0, 0), ink);
  EXPECT_EQ(pixel(w - 1, half - 1), ink);
  EXPECT_EQ(pixel(2, 2), face);
  EXPECT_EQ(pixel(w / 2, half / 2 - 2), ink);                   // the up arrow's tip
  EXPECT_EQ(pixel(w / 2, half + (h - half) / 2 - 2 + 3), ink);  // the down arrow's tip
  EXPECT_EQ(pixel(2, half + 2), face);

  // Pressed with the real mouse on the lower half: that half lights while the control steps on.
  PointAt(wnd, w / 2, h - 4);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &in[0], sizeof(INPUT));
  EXPECT_TRUE(PumpUntil([&] { return steps.down >= 2; }, 5000));
  EXPECT_EQ(pixel(2, half + 2), lit);
  EXPECT_EQ(pixel(2, 2), face);
  SendInput(1, &in[1], sizeof(INPUT));
  MoveAway();
  EXPECT_TRUE(PumpUntil([&] { return pixel(2, half + 2) == face; }, 2000));
  EXPECT_EQ(steps.up, 0);
}

TEST(SkinnedSpinEdit, RepeatedPaintsAndCyclesGiveEveryObjectBack) {
  SkinnedForm f;
  const auto cycle = [&] {
    auto* spin = Add<ui::TSpinEdit>(*f.form, 20, 20, 72, 22);
    auto* upDown = Add<ui::TUpDown>(*f.form, 100, 20, 17, 25);
    skin::ClassifyFormControls(*f.Skinner());
    RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    delete upDown;
    delete spin;
    f.Skinner()->PurgeDestroyed();
  };
  cycle();  // warm-up: the system's caches
  const long handles = ui::HandleCounts::Total();
  const long windows = ui::LiveFrameworkWindows();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 50; ++i) cycle();
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_EQ(ui::LiveFrameworkWindows(), windows);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  EXPECT_TRUE(f.Skinner()->Controls().empty());

  // Paints alone make no object at all (what a skinner keeps for its size is made by the first).
  auto* spin = Add<ui::TSpinEdit>(*f.form, 20, 20, 72, 22);
  skin::ClassifyFormControls(*f.Skinner());
  const auto paint = [&] {
    RedrawWindow(spin->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
  };
  paint();
  const long before = wintest::LiveGdiObjects();
  for (int i = 0; i < 100; ++i) paint();
  EXPECT_EQ(wintest::LiveGdiObjects(), before);
}
