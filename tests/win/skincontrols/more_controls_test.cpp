// Speed buttons, group boxes, status bars, tab and page controls and the media player skinned
// from a flat-colour test skin: a pixel tells which image was drawn; the close-box question to the
// form; skins without the element; handles and GDI objects after many cycles.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinMenuButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/CheckCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/ImgList.h"
#include "ui/MPlayer.h"
#include "ui/MenuButton.h"
#include "ui/StatusBar.h"
#include "ui/TabCtrls.h"

using frametest::Rgb;
using frametest::SkinnedForm;
using testskin::TestSkin;

namespace {

COLORREF Colour(const char* image, int frame) { return Rgb(TestSkin().FrameColour(image, frame)); }
COLORREF Face() { return Rgb(testskin::kButtonFace); }

// A window's pixel after it painted itself.
COLORREF PixelOf(HWND wnd, int x, int y) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  auto capture = wintest::CaptureWindowDC(wnd);
  return capture ? capture->Pixel(x, y) & 0xFFFFFF : CLR_INVALID;
}

template <class T>
T* Attach(ui::TControl* control, SkinnedForm& f) {
  auto* s = new T(control);
  s->Attach(f.Skinner(), f.data, false);
  wintest::PumpUntilIdle();
  return s;
}

// How many pixels of a control (its window's, or for a window-less one the part of its parent's
// window it covers) show `colour`, as the window painted them by itself.
int PixelsOf(ui::TControl* control, COLORREF colour) {
  ui::TWinControl* windowed = dynamic_cast<ui::TWinControl*>(control);
  HWND wnd = windowed ? windowed->Handle() : control->Parent()->Handle();
  RECT window{};
  GetWindowRect(wnd, &window);
  RECT r = windowed ? RECT{0, 0, window.right - window.left, window.bottom - window.top}
                    : control->BoundsRect();
  if (!windowed) {
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    OffsetRect(&r, origin.x - window.left, origin.y - window.top);
  }
  return (r.right - r.left) * (r.bottom - r.top) - wintest::PixelsUnlike(wnd, colour, r);
}

// The real pointer over the middle of a control (window-less or not), or away from every window.
void PointAt(ui::TControl* control) {
  if (!control) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  } else {
    POINT p{control->Width() / 2, control->Height() / 2};
    p = control->ClientToScreen(p);
    SetCursorPos(p.x, p.y);
  }
  wintest::PumpUntilIdle();
}

// The real left button, pressed or released where the pointer is.
void LeftButton(bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof in);
  wintest::PumpUntilIdle();
}

constexpr COLORREF kNormalColour2 = RGB(200, 30, 160);

// ---- Speed buttons ----------------------------------------------------------------------------

struct SpeedFixture {
  SkinnedForm f;
  ui::TPanel* panel;
  ui::TSpeedButton* button;
  explicit SpeedFixture(bool flat) {
    panel = new ui::TPanel(f.form);
    panel->SetParent(f.form);
    panel->SetBounds(10, 10, 200, 60);
    button = new ui::TSpeedButton(f.form);
    button->SetParent(panel);
    button->SetBounds(20, 10, 60, 30);
    button->SetCaption(L"Go");
    button->SetFlat(flat);
    Attach<skin::TSkinSpeedButton>(button, f);
  }
  // A pixel of the button's face near its top-left corner, away from the caption.
  COLORREF Pixel() { return PixelOf(panel->Handle(), 20 + 4, 10 + 4); }
};

TEST(SkinnedSpeedButton, FlatShowsTheSkinButtonOnlyWhileHotOrPressed) {
  SpeedFixture s(/*flat=*/true);
  EXPECT_EQ(s.Pixel(), Face());
  s.button->Perform(ui::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(s.Pixel(), Colour("Buttons", 4));
  s.button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(s.Pixel(), Colour("Buttons", 2));
  s.button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  s.button->Perform(ui::CM_MOUSELEAVE, 0, 0);
  ReleaseCapture();
  EXPECT_EQ(s.Pixel(), Face());
  // Answered by the skinner, through the button's own message handler.
  EXPECT_EQ(s.button->Perform(skin::SM_ISSKINNED, 0, 0), 1);
}

TEST(SkinnedSpeedButton, NotFlatShowsTheNormalImageAndLatchedShowsThePressedOne) {
  SpeedFixture s(/*flat=*/false);
  EXPECT_EQ(s.Pixel(), Colour("Buttons", 1));
  s.button->SetGroupIndex(1);
  s.button->SetDown(true);
  EXPECT_EQ(s.Pixel(), Colour("Buttons", 2));
  s.button->SetFlat(true);  // latched flat buttons keep the frame too
  EXPECT_EQ(s.Pixel(), Colour("Buttons", 2));
}

// With a glyph, NormalColour2 is the caption's colour at rest only: under the pointer or pressed,
// without a colour of the skin's for that state, the caption takes the button's font colour.
// Without a glyph the caption keeps NormalColour2 in every state.
TEST(SkinnedSpeedButton, WithAGlyphTheCaptionLeavesTheNormalColourUnderThePointerOrPressed) {
  SkinnedForm f(TestSkin().SetIni("Buttons", "NormalColour2", "200 30 160"));
  auto* panel = new ui::TPanel(f.form);
  panel->SetParent(f.form);
  panel->SetBounds(10, 10, 300, 60);
  ui::TSpeedButton* withGlyph = nullptr;
  ui::TSpeedButton* plain = nullptr;
  for (ui::TSpeedButton** b : {&withGlyph, &plain}) {
    *b = new ui::TSpeedButton(f.form);
    (*b)->SetParent(panel);
    (*b)->SetBounds(b == &withGlyph ? 10 : 150, 10, 120, 36);
    (*b)->SetCaption(L"MMMM");
    (*b)->Font()->SetColor(ui::clBlack);
  }
  ui::TBitmap* glyph = withGlyph->Glyph();
  glyph->SetSize(10, 10);
  glyph->Canvas()->Brush()->SetColor(static_cast<ui::TColor>(RGB(40, 190, 70)));
  glyph->Canvas()->FillRect(RECT{0, 0, 10, 10});
  SetPixelV(glyph->Canvas()->Handle(), 0, 9, RGB(255, 0, 255));  // the clear colour
  Attach<skin::TSkinSpeedButton>(withGlyph, f);
  Attach<skin::TSkinSpeedButton>(plain, f);

  PointAt(nullptr);
  EXPECT_GT(PixelsOf(withGlyph, kNormalColour2), 0);
  EXPECT_GT(PixelsOf(plain, kNormalColour2), 0);
  PointAt(withGlyph);
  EXPECT_EQ(PixelsOf(withGlyph, kNormalColour2), 0);
  EXPECT_GT(PixelsOf(withGlyph, RGB(0, 0, 0)), 0);
  LeftButton(true);
  EXPECT_EQ(PixelsOf(withGlyph, kNormalColour2), 0);
  EXPECT_GT(PixelsOf(withGlyph, RGB(0, 0, 0)), 0);
  LeftButton(false);
  PointAt(plain);
  EXPECT_GT(PixelsOf(plain, kNormalColour2), 0);
  EXPECT_GT(PixelsOf(withGlyph, kNormalColour2), 0);  // at rest again
  LeftButton(true);
  EXPECT_GT(PixelsOf(plain, kNormalColour2), 0);
  LeftButton(false);
  PointAt(nullptr);
}

// The button has no window: its underlined access key follows its parent's keyboard cues, and
// it repaints when they change, as the system's buttons do.
TEST(SkinnedSpeedButton, TheAccessKeyShowsOnlyWithItsParentsKeyboardCues) {
  SpeedFixture s(/*flat=*/false);
  s.button->SetCaption(L"&Go");
  wintest::KeyboardCues cues(s.panel->Handle());
  const auto marks = [&] {
    wintest::PumpUntilIdle();
    const RECT r = s.button->BoundsRect();
    return (r.right - r.left) * (r.bottom - r.top) - PixelsOf(s.button, Colour("Buttons", 1));
  };
  const int shown = marks();
  cues.Set(UISF_HIDEACCEL);
  const int hidden = marks();
  EXPECT_LT(hidden, shown);  // the underline under G is gone
  EXPECT_GT(hidden, 0);      // the caption is still there
  cues.Clear(UISF_HIDEACCEL);
  EXPECT_EQ(marks(), shown);
}

// ---- Group boxes -------------------------------------------------------------------------------

TEST(SkinnedGroupBox, TheCaptionCutsTheRoundedFrame) {
  SkinnedForm f;
  auto* box = new ui::TGroupBox(f.form);
  box->SetParent(f.form);
  box->SetBounds(10, 10, 200, 80);
  box->SetCaption(L"WWWWWWWW");
  Attach<skin::TSkinGroupBox>(box, f);
  RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  auto capture = wintest::CaptureWindowDC(box->Handle());
  ASSERT_TRUE(capture);
  const COLORREF shadow = RGB(160, 180, 210);  // the test skin's ButtonShadow
  // The frame's top line: half a text height below the top; find it on the right of the caption.
  int line = -1;
  for (int y = 0; y < 20 && line < 0; ++y)
    if ((capture->Pixel(190, y) & 0xFFFFFF) == shadow) line = y;
  ASSERT_GE(line, 2);
  EXPECT_EQ(capture->Pixel(5, line) & 0xFFFFFF, shadow);      // left of the caption
  EXPECT_EQ(capture->Pixel(100, 79 - 1) & 0xFFFFFF, shadow);  // the bottom line
  // Under the caption the line is cut.
  for (int x = 12; x < 40; ++x) EXPECT_NE(capture->Pixel(x, line) & 0xFFFFFF, shadow) << x;
  // The inside is the skin's face.
  EXPECT_EQ(capture->Pixel(100, 50) & 0xFFFFFF, Face());
}

// ---- Plain boxes -------------------------------------------------------------------------------

TEST(SkinnedBox, RecolouredWhileAttachedAndGivenItsColourBackUnlessItsWindowIsGone) {
  SkinnedForm f;
  const auto make = [&] {
    auto* panel = new ui::TPanel(f.form);
    panel->SetParent(f.form);
    panel->SetBounds(10, 10, 100, 40);
    panel->SetColor(ui::clRed);
    auto* box = new skin::TSkinBox(panel);
    box->Attach(f.Skinner(), f.data, true);
    return std::pair{panel, box};
  };
  auto [panel, box] = make();
  EXPECT_EQ(ui::ColorToRGB(panel->Color()), Face());
  EXPECT_TRUE(f.Skinner()->IsControlSkinned(panel));
  box->Detach();
  EXPECT_EQ(panel->Color(), ui::clRed);
  EXPECT_EQ(box->State(), skin::TSkinControl::kDetached);

  auto [gone, goneBox] = make();
  gone->DestroyHandle();  // nothing hooked saw it go
  goneBox->Detach();
  EXPECT_EQ(ui::ColorToRGB(gone->Color()), Face());
  EXPECT_TRUE(goneBox->WindowDestroyed());
  // Freed with its control, the box leaves the form skinner's list.
  const size_t listed = f.Skinner()->Controls().size();
  delete gone;
  EXPECT_EQ(f.Skinner()->Controls().size(), listed - 1);
}

// ---- Status bars -------------------------------------------------------------------------------

struct StatusFixture {
  SkinnedForm f;
  ui::TStatusBar* bar;
  explicit StatusFixture(const TestSkin& skin = TestSkin()) : f(skin) {
    bar = new ui::TStatusBar(f.form);
    bar->SetParent(f.form);
    bar->SetBounds(0, 200, 300, 22);
    bar->AddPanel(L"", 80);
    bar->AddPanel(L"", 80)->SetBevel(ui::TStatusPanelBevel::pbRaised);
    bar->AddPanel(L"", 80);
    Attach<skin::TSkinStatusBar>(bar, f);
  }
  RECT Part(int i) {
    RECT r{};
    SendMessageW(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

TEST(SkinnedStatusBar, PanelsTheirEdgesAndTheGrip) {
  StatusFixture s;
  const HWND h = s.bar->Handle();
  const RECT p0 = s.Part(0), p1 = s.Part(1);
  EXPECT_EQ(PixelOf(h, p0.left + 1, 11), Colour("StatusBarEdges", 1));  // lowered
  EXPECT_EQ(PixelOf(h, p1.left + 1, 11), Colour("StatusBarEdges", 2));  // raised
  // The last panel reaches the right edge; the grip sits in the corner over it.
  EXPECT_EQ(PixelOf(h, 280, 3), Colour("StatusBarEdges", 1));
  EXPECT_EQ(PixelOf(h, 300 - 4, 22 - 4), Colour("ExtraImages", 5));
  EXPECT_EQ(SendMessageW(h, skin::SM_ISSKINNED, 0, 0), 1);

  // A panel freed between paints is simply not there: the second is the last one now.
  s.bar->DeletePanel(2);
  s.bar->DeletePanel(0);
  EXPECT_EQ(PixelOf(h, 200, 3), Colour("StatusBarEdges", 2));
  s.bar->ClearPanels();
  s.bar->SetSimpleText(L"");
  EXPECT_EQ(PixelOf(h, 150, 1), Colour("StatusBarEdges", 1));  // one lowered frame over all
}

// An owner-draw panel is the application's to draw: the skinned bar and its native twin both ask
// the bar's handler, and the skinned one keeps its edges around what the handler draws.
TEST(SkinnedStatusBar, OwnerDrawPanelsAreDrawnByTheApplicationInsideTheEdges) {
  constexpr COLORREF kInk = RGB(30, 160, 90);
  struct Drawer {
    int calls = 0;
    void Draw(ui::TStatusBar*, ui::TStatusPanel* panel, HDC dc, const RECT& r) {
      ++calls;
      if (panel->Index() != 1) return;
      SetDCBrushColor(dc, kInk);
      FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
  } drawer;
  StatusFixture s;
  auto* native = new ui::TStatusBar(s.f.form);
  native->SetParent(s.f.form);
  native->SetBounds(0, 240, 300, 22);
  native->SetTag(99);
  for (ui::TStatusBar* bar : {s.bar, native}) {
    if (bar == native) {
      for (int i = 0; i < 3; ++i) native->AddPanel(L"", 80);
    }
    bar->OnDrawPanel = ui::MethodOf<&Drawer::Draw>(&drawer);
    bar->Panel(1)->SetStyle(ui::TStatusPanelStyle::psOwnerDraw);
  }
  wintest::PumpUntilIdle();
  EXPECT_GT(drawer.calls, 0);
  for (ui::TStatusBar* bar : {s.bar, native}) {
    RECT p1{};
    SendMessageW(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&p1));
    auto capture = wintest::CaptureWindowDC(bar->Handle());
    ASSERT_TRUE(capture);
    EXPECT_EQ(capture->Pixel((p1.left + p1.right) / 2, 11) & 0xFFFFFF, kInk);
  }
  // The skin's raised edge still frames the panel.
  auto capture = wintest::CaptureWindowDC(s.bar->Handle());
  EXPECT_EQ(capture->Pixel(s.Part(1).left + 1, 11) & 0xFFFFFF, Colour("StatusBarEdges", 2));
}

TEST(SkinnedStatusBar, ASkinWithoutEdgesLeavesTheBarNative) {
  StatusFixture s(TestSkin().Omit("StatusBarEdges"));
  const RECT p0 = s.Part(0);
  EXPECT_NE(PixelOf(s.bar->Handle(), p0.left + 1, 11), Colour("StatusBarEdges", 1));
  EXPECT_NE(PixelOf(s.bar->Handle(), 300 - 4, 22 - 4), Colour("ExtraImages", 5));
}

// ---- Tab controls ------------------------------------------------------------------------------

TestSkin PaneSkin() { return TestSkin().SetIni("Tabs", "Style", "1"); }

struct TabFixture {
  SkinnedForm f;
  ui::TTabControl* tabs;
  skin::TSkinTab* skinner = nullptr;
  TabFixture(ui::TTabPosition side, const TestSkin& skin = PaneSkin()) : f(skin) {
    tabs = new ui::TTabControl(f.form);
    tabs->SetParent(f.form);
    tabs->SetBounds(20, 20, 240, 160);
    tabs->SetTabPosition(side);
    tabs->Tabs()->SetText(L"One\nTwo\nThree");
    skinner = Attach<skin::TSkinTab>(tabs, f);
  }
  RECT Item(int i) {
    RECT r{};
    SendMessageW(tabs->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

TEST(SkinnedTabs, TabsAndPaneOnEachSide) {
  const struct {
    ui::TTabPosition position;
    skin::TabSide side;
  } cases[] = {{ui::TTabPosition::tpTop, skin::TabSide::Top},
               {ui::TTabPosition::tpBottom, skin::TabSide::Bottom},
               {ui::TTabPosition::tpLeft, skin::TabSide::Left},
               {ui::TTabPosition::tpRight, skin::TabSide::Right}};
  for (const auto& c : cases) {
    TabFixture t(c.position);
    SCOPED_TRACE(static_cast<int>(c.side));
    EXPECT_EQ(t.skinner->Side(), c.side);
    const HWND h = t.tabs->Handle();
    const RECT current = t.Item(0), other = t.Item(1);
    // Near the corner of each tab, away from its caption.
    EXPECT_EQ(PixelOf(h, current.left + 3, current.top + 3), Colour("Tabs", 2));
    EXPECT_EQ(PixelOf(h, other.left + 3, other.top + 3), Colour("Tabs", 1));
    EXPECT_EQ(PixelOf(h, other.right - 4, other.bottom - 4), Colour("Tabs", 1));
    // The middle of the control is the pane.
    EXPECT_EQ(PixelOf(h, 120, 80), Colour("Tab.Pane", 1));
  }
}

// Tabs with an image list show their icons ahead of their captions, centred as one group, on the
// skin's tab images.
TEST(SkinnedTabs, IconsFromTheImageListLeadTheCaptions) {
  TabFixture t(ui::TTabPosition::tpTop);
  constexpr COLORREF kIcon = RGB(200, 20, 30);
  auto* images = new ui::TImageList(t.f.form);
  ui::TBitmap icon;
  icon.SetSize(16, 16);
  icon.Canvas()->Brush()->SetColor(static_cast<ui::TColor>(kIcon));
  icon.Canvas()->FillRect(RECT{0, 0, 16, 16});
  for (int i = 0; i < 3; ++i) images->Add(&icon, nullptr);
  t.tabs->SetImages(images);
  wintest::PumpUntilIdle();
  // What the control shows by itself along the middle row of each tab.
  auto capture = wintest::CaptureWindowDC(t.tabs->Handle());
  ASSERT_TRUE(capture);
  POINT origin{0, 0};
  ClientToScreen(t.tabs->Handle(), &origin);
  RECT window{};
  GetWindowRect(t.tabs->Handle(), &window);
  for (int i = 0; i < 3; ++i) {
    const RECT r = t.Item(i);
    const int y = (r.top + r.bottom) / 2 + origin.y - window.top;
    int first = -1, count = 0;
    for (int x = r.left; x < r.right; ++x)
      if ((capture->Pixel(x + origin.x - window.left, y) & 0xFFFFFF) == kIcon) {
        if (first < 0) first = x;
        ++count;
      }
    EXPECT_EQ(count, 16) << "tab " << i;
    // Room is shared on both sides of the icon and caption together.
    EXPECT_GT(first - r.left, 1) << "tab " << i;
  }
  // The list going away takes the icons with it.
  delete images;
  wintest::PumpUntilIdle();
  const int all = (window.right - window.left) * (window.bottom - window.top);
  EXPECT_EQ(wintest::PixelsUnlike(t.tabs->Handle(), kIcon), all);
}

TEST(SkinnedTabs, TheFocusedControlsCurrentTabCarriesTheFocusRectangleWhileCuesShow) {
  TabFixture t(ui::TTabPosition::tpTop);
  const RECT current = t.Item(0);
  // Pixels of the current tab unlike its face, as the control shows them by itself.
  const auto marks = [&] {
    wintest::PumpUntilIdle();
    RECT r = current;
    POINT origin{0, 0};
    ClientToScreen(t.tabs->Handle(), &origin);
    RECT window{};
    GetWindowRect(t.tabs->Handle(), &window);
    OffsetRect(&r, origin.x - window.left, origin.y - window.top);
    return wintest::PixelsUnlike(t.tabs->Handle(), Colour("Tabs", 2), r);
  };
  wintest::KeyboardCues cues(t.tabs->Handle());
  const int unfocused = marks();
  t.tabs->SetFocus();
  const int focused = marks();
  EXPECT_GT(focused, unfocused);
  cues.Set(UISF_HIDEFOCUS);
  EXPECT_EQ(marks(), unfocused);
  cues.Clear(UISF_HIDEFOCUS);
  EXPECT_EQ(marks(), focused);
}

TEST(SkinnedTabs, ASkinWithoutTabImagesLeavesTheControlNative) {
  TabFixture t(ui::TTabPosition::tpTop, PaneSkin().Omit("Tabs").Omit("Tab.Pane"));
  const RECT current = t.Item(0);
  EXPECT_NE(PixelOf(t.tabs->Handle(), current.left + 3, current.top + 3), Colour("Tabs", 2));
  EXPECT_NE(PixelOf(t.tabs->Handle(), 120, 80), Colour("Tab.Pane", 1));
}

// The form's answer to the close-box question, and what it was asked.
struct CloseTabAnswer {
  ui::TControl* form;
  ui::TWndMethod saved;
  LRESULT answer = 0;
  std::vector<std::pair<WPARAM, LPARAM>> asked;
  explicit CloseTabAnswer(ui::TControl* f) : form(f), saved(f->WindowProc) {
    f->WindowProc = ui::MethodOf<&CloseTabAnswer::Handle>(this);
  }
  ~CloseTabAnswer() { form->WindowProc = saved; }
  void Handle(ui::TMessage& m) {
    if (m.Msg == skin::SM_CLOSETAB) {
      asked.emplace_back(m.WParam, m.LParam);
      m.Result = answer;
      return;
    }
    saved(m);
  }
};

struct PagesFixture {
  SkinnedForm f{PaneSkin()};
  ui::TPageControl* pages;
  std::vector<ui::TTabSheet*> sheets;
  PagesFixture() {
    pages = new ui::TPageControl(f.form);
    pages->SetParent(f.form);
    pages->SetBounds(20, 20, 300, 160);
    pages->SetTag(7777);
    for (const wchar_t* caption : {L"Page A", L"Page B", L"Page C"}) {
      auto* sheet = new ui::TTabSheet(f.form);
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages);
      sheets.push_back(sheet);
    }
    auto* s = Attach<skin::TSkinTab>(pages, f);
    EXPECT_TRUE(s->CloseBoxes());
    RedrawWindow(pages->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  // A click in the middle of tab i's close box (where the last paint put it).
  void ClickBox(RECT item) {
    SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(item.right - 5, item.top + 5));
    SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(item.right - 5, item.top + 5));
    wintest::PumpUntilIdle();
  }
  RECT Item(int i) {
    RECT r{};
    SendMessageW(pages->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

TEST(SkinnedTabs, CloseBoxAsksTheFormFirstAndFreesThePageOnlyWhenItAnswersZero) {
  PagesFixture p;
  CloseTabAnswer form(p.f.form);
  form.answer = 1;
  p.ClickBox(p.Item(1));
  ASSERT_EQ(form.asked.size(), 1u);
  EXPECT_EQ(form.asked[0].first, reinterpret_cast<WPARAM>(p.pages->Handle()));
  EXPECT_EQ(form.asked[0].second, 1);
  EXPECT_EQ(p.pages->PageCount(), 3);  // the form said no

  form.answer = 0;
  p.ClickBox(p.Item(1));
  ASSERT_EQ(p.pages->PageCount(), 2);
  EXPECT_EQ(p.pages->Pages(0), p.sheets[0]);
  EXPECT_EQ(p.pages->Pages(1), p.sheets[2]);  // page B went
}

TEST(SkinnedTabs, AStaleCloseBoxAsksNothingAndFreesNothing) {
  PagesFixture p;
  CloseTabAnswer form(p.f.form);
  const RECT third = p.Item(2);  // its box is remembered from the last paint
  // The third page goes before the control paints again.
  delete p.sheets[2];
  ASSERT_EQ(p.pages->PageCount(), 2);
  SendMessageW(p.pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(third.right - 5, third.top + 5));
  EXPECT_TRUE(form.asked.empty());
  EXPECT_EQ(p.pages->PageCount(), 2);
  wintest::PumpUntilIdle();
}

TEST(SkinnedTabs, AFormThatFreesThePageItselfLeavesTheOtherPagesAlone) {
  PagesFixture p;
  struct Freer {
    ui::TControl* form;
    ui::TWndMethod saved;
    ui::TTabSheet* page;
    void Handle(ui::TMessage& m) {
      if (m.Msg == skin::SM_CLOSETAB && page) {
        delete std::exchange(page, nullptr);  // the form closes the page its own way
        m.Result = 0;
        return;
      }
      saved(m);
    }
  } freer{p.f.form, p.f.form->WindowProc, p.sheets[1]};
  p.f.form->WindowProc = ui::MethodOf<&Freer::Handle>(&freer);
  p.ClickBox(p.Item(1));
  p.f.form->WindowProc = freer.saved;
  // Page B went by the form's hand; page C, now at B's index, is still there.
  ASSERT_EQ(p.pages->PageCount(), 2);
  EXPECT_EQ(p.pages->Pages(0), p.sheets[0]);
  EXPECT_EQ(p.pages->Pages(1), p.sheets[2]);
}

// ---- Menu buttons and the tab set -------------------------------------------------------------

TEST(SkinnedMenuButton, TheArrowStaysOnTheButtonWithAGivenMargin) {
  SkinnedForm f;
  auto* button = new ui::TMenuButton(f.form);
  button->SetParent(f.form);
  button->SetBounds(20, 20, 80, 25);
  button->SetCaption(L"");
  button->SetMargin(10);
  button->SetSpacing(-1);
  Attach<skin::TSkinMenuButton>(button, f);
  RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  auto capture = wintest::CaptureWindowDC(button->Handle());
  ASSERT_TRUE(capture);
  EXPECT_EQ(capture->Pixel(4, 4) & 0xFFFFFF, Colour("Buttons", 1));
  // The arrow is the only thing in the window-text colour: it is there, whole, on the button.
  const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF;
  int left = 80, right = -1;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 80; ++x)
      if ((capture->Pixel(x, y) & 0xFFFFFF) == ink) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_GE(right, 0);
  EXPECT_GE(right - left, 4);  // a whole triangle, not a clipped corner of one
  EXPECT_LE(right, 80 - 3);    // clear of the button's border
}

// NormalColour2 is the menu button's caption colour at rest only: under the pointer or pressed,
// without a colour of the skin's for that state, the caption takes the button's font colour.
// The state decides, not the image the skin has for it: a skin with a single button image shows
// the same caption colours.
TEST(SkinnedMenuButton, TheCaptionKeepsTheNormalColourAtRestOnly) {
  for (const char* frames : {"5", "1"}) {
    SCOPED_TRACE(frames);
    SkinnedForm f(TestSkin()
                      .SetIni("Buttons", "NormalColour2", "200 30 160")
                      .SetIni("Buttons", "Frame", frames));
    auto* button = new ui::TMenuButton(f.form);
    button->SetParent(f.form);
    button->SetBounds(20, 20, 140, 36);
    button->SetCaption(L"MMMM");
    button->Font()->SetColor(ui::clBlack);
    auto* other = new ui::TCheckBox(f.form);  // somewhere else for the focus to go
    other->SetParent(f.form);
    other->SetBounds(20, 80, 100, 20);
    Attach<skin::TSkinMenuButton>(button, f);
    PointAt(nullptr);
    EXPECT_GT(PixelsOf(button, kNormalColour2), 0);
    PointAt(button);
    EXPECT_EQ(PixelsOf(button, kNormalColour2), 0);
    EXPECT_GT(PixelsOf(button, RGB(0, 0, 0)), 0);
    LeftButton(true);
    EXPECT_EQ(PixelsOf(button, kNormalColour2), 0);
    EXPECT_GT(PixelsOf(button, RGB(0, 0, 0)), 0);
    LeftButton(false);
    // Away from the pointer (the system tells of the leave a little later) and the focus.
    PointAt(nullptr);
    other->SetFocus();
    EXPECT_TRUE(wintest::PumpUntil([&] { return PixelsOf(button, kNormalColour2) > 0; }, 2000));
  }
}

TEST(SkinnedTabSet, TheSelectedTabShowsTheSecondImage) {
  SkinnedForm f{PaneSkin()};
  auto* set = new ui::TTabSet(f.form);
  set->SetParent(f.form);
  set->SetBounds(20, 20, 240, 21);
  set->Tabs()->SetText(L"Alpha\nBeta\nGamma");
  set->SetTabIndex(1);
  Attach<skin::TSkinTab31>(set, f);
  const int first = set->StartMargin();
  const std::vector<int> lefts = [&] {
    std::vector<int> out;
    for (int x = first; x < 240 && out.size() < 3; ++x)
      if (set->TabAt(x, 5) == static_cast<int>(out.size())) out.push_back(x);
    return out;
  }();
  ASSERT_EQ(lefts.size(), 3u);
  EXPECT_EQ(PixelOf(set->Handle(), lefts[0] + 1, 2), Colour("Tabs", 1));
  EXPECT_EQ(PixelOf(set->Handle(), lefts[1] + 1, 2), Colour("Tabs", 2));
  EXPECT_EQ(PixelOf(set->Handle(), lefts[2] + 1, 2), Colour("Tabs", 1));
  EXPECT_EQ(PixelOf(set->Handle(), 239, 2), Face());  // past the last tab
}

// A tab set with its scroll control shown keeps 21 pixels after its last whole tab (9 without it),
// and the scroll control wears the skin's left-and-right up-down whatever its own style says.
TEST(SkinnedTabSet, ItsScrollControlWearsTheSkinAndKeepsRoomForItself) {
  SkinnedForm f{PaneSkin()};
  const auto make = [&](int top, bool scrolling) {
    auto* set = new ui::TTabSet(f.form);
    set->SetParent(f.form);
    set->Tabs()->SetText(L"Alpha\nBeta\nGamma");
    // Wide enough for the third tab with 9 pixels to spare, not with 21.
    const ui::WindowDC screen = ui::WindowDC::Client(nullptr);
    ui::SelectGuard font(screen.get(), set->Font()->Handle());
    int x = set->StartMargin(), third = 0;
    for (const wchar_t* text : {L"Alpha", L"Beta", L"Gamma"}) {
      SIZE size{};
      GetTextExtentPoint32W(screen.get(), text, lstrlenW(text), &size);
      third = x;
      x += size.cx + 9;
    }
    set->SetBounds(20, top, x + set->EndMargin() + 5, 21);
    HWND scroller =
        CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | (scrolling ? WS_VISIBLE : 0),
                        set->Width() - 30, 0, 30, 20, set->Handle(), nullptr, nullptr, nullptr);
    Attach<skin::TSkinTab31>(set, f);
    return std::tuple{set, scroller, third};
  };
  const auto [shown, scroller, third] = make(20, true);
  const auto [hidden, unused, sameThird] = make(60, false);
  ASSERT_EQ(third, sameThird);
  EXPECT_EQ(PixelOf(shown->Handle(), third + 1, 2), Face());
  EXPECT_EQ(PixelOf(hidden->Handle(), third + 1, 2), Colour("Tabs", 1));

  ASSERT_EQ(SendMessageW(scroller, skin::SM_ISSKINNED, 0, 0), 1);
  // Its halves side by side (the system keeps an up-down of this style 16 pixels wide).
  RECT r{};
  GetClientRect(scroller, &r);
  EXPECT_EQ(PixelOf(scroller, 1, 1), Colour("UpDown.Horz", 1));
  EXPECT_EQ(PixelOf(scroller, r.right - 2, 1), Colour("UpDown.Horz", 5));
  (void)unused;
}

// ---- Media player ------------------------------------------------------------------------------

struct PlayerClicks {
  std::vector<ui::TMPBtnType> buttons;
  void Click(ui::TObject*, ui::TMPBtnType b) { buttons.push_back(b); }
};

TEST(SkinnedMediaPlayer, APanelCoversThePlayerHandsClicksOnAndGoesWithItsSkinner) {
  SkinnedForm f;
  auto* player = new ui::TMediaPlayer(f.form);
  player->SetParent(f.form);
  player->SetBounds(10, 100, 270, 30);
  PlayerClicks clicks;
  player->OnClick = ui::MethodOf<&PlayerClicks::Click>(&clicks);
  const long windows = ui::LiveFrameworkWindows();
  auto* s = Attach<skin::TSkinMP>(player, f);
  skin::TWMediaPlayer* panel = s->Panel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Tag(), f.data->DisableTag());
  EXPECT_EQ(panel->BoundsRect().left, 10);
  EXPECT_EQ(panel->Width(), 270);
  // The third button (stop) is drawn from the Buttons image.
  EXPECT_EQ(PixelOf(panel->Handle(), 60 + 2, 2), Colour("Buttons", 1));
  // Press on stop, release on stop: the player clicks stop; released elsewhere: nothing.
  SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 15));
  SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(75, 15));
  SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 15));
  SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 15));
  ASSERT_EQ(clicks.buttons.size(), 1u);
  EXPECT_EQ(clicks.buttons[0], ui::TMPBtnType::btStop);
  // The player moves: the panel follows.
  player->SetBounds(20, 110, 180, 30);
  wintest::PumpUntilIdle();
  EXPECT_EQ(panel->BoundsRect().left, 20);
  EXPECT_EQ(panel->Width(), 180);
  // Freed with its skinner.
  s->Free();
  EXPECT_EQ(ui::LiveFrameworkWindows(), windows);
}

TEST(SkinnedMediaPlayer, SwitchedOffThePlayersOwnButtonsShowAndTakeTheMouse) {
  SkinnedForm f;
  auto* player = new ui::TMediaPlayer(f.form);
  player->SetParent(f.form);
  player->SetBounds(10, 100, 270, 30);
  auto* s = Attach<skin::TSkinMP>(player, f);
  ASSERT_NE(s->Panel(), nullptr);
  HWND panel = s->Panel()->Handle();
  POINT stop{75, 15};
  ClientToScreen(player->Handle(), &stop);
  EXPECT_EQ(WindowFromPoint(stop), panel);
  SendMessageW(player->Handle(), skin::SM_SETACTIVE, 0, 0);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(panel));
  EXPECT_EQ(WindowFromPoint(stop), player->Handle());
  // Moved while switched off, the panel stays hidden and follows.
  player->SetBounds(20, 100, 270, 30);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(panel));
  SendMessageW(player->Handle(), skin::SM_SETACTIVE, 1, 0);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_EQ(s->Panel()->BoundsRect().left, 20);
}

// ---- Counts ------------------------------------------------------------------------------------

TEST(SkinnedMoreControls, FiftyCyclesGiveEveryHandleAndGdiObjectBack) {
  SkinnedForm f{PaneSkin()};
  const auto cycle = [&] {
    auto* tabs = new ui::TTabControl(f.form);
    tabs->SetParent(f.form);
    tabs->SetBounds(20, 20, 240, 160);
    tabs->SetTabPosition(ui::TTabPosition::tpLeft);
    tabs->Tabs()->SetText(L"One\nTwo");
    Attach<skin::TSkinTab>(tabs, f);
    auto* bar = new ui::TStatusBar(f.form);
    bar->SetParent(f.form);
    bar->SetBounds(0, 200, 300, 22);
    bar->AddPanel(L"x", 50);
    Attach<skin::TSkinStatusBar>(bar, f);
    auto* player = new ui::TMediaPlayer(f.form);
    player->SetParent(f.form);
    player->SetBounds(10, 240, 270, 30);
    Attach<skin::TSkinMP>(player, f);
    RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    delete tabs;
    delete bar;
    delete player;
    wintest::PumpUntilIdle();
  };
  cycle();  // warm-up: the system's caches
  const long counters = ui::HandleCounts::Total() + ui::LiveFrameworkWindows();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 50; ++i) cycle();
  EXPECT_EQ(ui::HandleCounts::Total() + ui::LiveFrameworkWindows(), counters);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
}

}  // namespace
