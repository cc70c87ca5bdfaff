// Header, progress, track-bar and date-time skinners on real common controls, and the glyph and
// tab-background skinners on small stand-ins of other libraries' controls: which image each part
// shows (flat-colour test skin), what the skinners answer and pass on, and what they leave behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "skin/controls/PageGeometry.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinFaceFills.h"
#include "skin/controls/SkinHeaderBar.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinTabButtons.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/frame/PaintPrimitives.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/Bitmaps.h"
#include "ui/DateTimeCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/HeaderCtrls.h"
#include "ui/RangeCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/TypInfo.h"

using frametest::Rgb;
using frametest::SkinnedForm;
using testskin::TestSkin;

namespace {

COLORREF Colour(std::string_view image, int frame) {
  return Rgb(TestSkin().FrameColour(image, frame));
}

COLORREF PixelOf(ui::TWinControl* c, int x, int y) {
  RedrawWindow(c->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  auto capture = wintest::CaptureWindowDC(c->Handle());
  return capture ? capture->Pixel(x, y) & 0xFFFFFF : CLR_INVALID;
}

// A control of type T on a skinned form, with skinner S attached to it.
template <class T, class S>
struct Skinned {
  SkinnedForm f;
  T* control;
  S* skinner;
  Skinned(const TestSkin& skin, int width, int height, const std::function<void(T*)>& setUp = {})
      : f(skin) {
    control = new T(f.form);
    control->SetParent(f.form);
    control->SetBounds(20, 20, width, height);
    if (setUp) setUp(control);
    skinner = new S(control);
    skinner->Attach(f.Skinner(), f.data, false);
    wintest::PumpUntilIdle();
  }
  COLORREF Pixel(int x, int y) { return PixelOf(control, x, y); }
};

// ---- Header controls

using HeaderFixture = Skinned<ui::THeaderControl, skin::TSkinHeaderBar>;

void ThreeSections(ui::THeaderControl* h) {
  for (const wchar_t* text : {L"Goods", L"Price", L"Sales"}) h->AddSection({text, 100});
}

TEST(SkinnedHeader, ItemsHotItemAndTheStripAfterTheLastItem) {
  HeaderFixture h(TestSkin(), 400, 20, ThreeSections);
  EXPECT_EQ(h.Pixel(95, 1), Colour("Headerbar", 1));
  EXPECT_EQ(h.Pixel(350, 10), Colour("Headerbar", 1));  // past the items: frame 1
  SendMessageW(h.control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 10));
  EXPECT_EQ(h.skinner->HotItem(), 1);
  EXPECT_EQ(h.Pixel(195, 1), Colour("Headerbar", 2));
  EXPECT_EQ(h.Pixel(95, 1), Colour("Headerbar", 1));
  // On the divider the second item stays lit; leaving the header puts it out.
  SendMessageW(h.control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(199, 10));
  EXPECT_EQ(h.skinner->HotItem(), 1);
  SendMessageW(h.control->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(h.skinner->HotItem(), -1);
  EXPECT_EQ(h.Pixel(195, 1), Colour("Headerbar", 1));
  // A sorted section shows its arrow at its right, point up when ascending.
  h.control->SetSortOrder(0, 1);
  EXPECT_NE(h.Pixel(93, 8), Colour("Headerbar", 1));
  EXPECT_EQ(h.Pixel(92, 8), Colour("Headerbar", 1));
  EXPECT_NE(h.Pixel(90, 11), Colour("Headerbar", 1));
}

// Deletes the last header item the first time the skinner asks for an item's text.
LRESULT CALLBACK DeleteWhilePainting(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR armed) {
  auto* on = reinterpret_cast<bool*>(armed);
  if (msg == HDM_GETITEMW && *on) {
    *on = false;
    const int n = static_cast<int>(SendMessageW(wnd, HDM_GETITEMCOUNT, 0, 0));
    SendMessageW(wnd, HDM_DELETEITEM, static_cast<WPARAM>(n - 1), 0);
  }
  return DefSubclassProc(wnd, msg, wParam, lParam);
}

TEST(SkinnedHeader, AnItemFreedWhileTheHeaderPaintsIsSkippedAndForgotten) {
  HeaderFixture h(TestSkin(), 400, 20, ThreeSections);
  SendMessageW(h.control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(250, 10));
  ASSERT_EQ(h.skinner->HotItem(), 2);
  bool armed = true;
  ui::SubclassHandle hook(h.control->Handle(), DeleteWhilePainting, 1,
                          reinterpret_cast<DWORD_PTR>(&armed));
  h.Pixel(0, 0);  // the paint that loses its last item half-way
  EXPECT_FALSE(armed);
  hook.reset();
  // The next paint knows two items: the third's place is the strip after them, and unlit.
  EXPECT_EQ(h.Pixel(295, 1), Colour("Headerbar", 1));
  EXPECT_EQ(h.skinner->HotItem(), -1);
  SendMessageW(h.control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(250, 10));
  EXPECT_EQ(h.skinner->HotItem(), -1);
}

TEST(SkinnedHeader, WithoutAHeaderbarImageTheHeaderPaintsItself) {
  TestSkin ts;
  ts.Omit("Headerbar");
  HeaderFixture h(ts, 400, 20, ThreeSections);
  const COLORREF pixel = h.Pixel(95, 1);
  EXPECT_NE(pixel, CLR_INVALID);
  for (int frame = 1; frame <= 5; ++frame) EXPECT_NE(pixel, Colour("Headerbar", frame));
}

// ---- Progress bars

using ProgressFixture = Skinned<ui::TProgressBar, skin::TSkinProgress>;

std::function<void(ui::TProgressBar*)> Range(int low, int high, int pos, bool vertical = false) {
  return [=](ui::TProgressBar* p) {
    if (vertical) p->SetOrientation(ui::TProgressBarOrientation::pbVertical);
    p->SetMin(low);
    p->SetMax(high);
    p->SetPosition(pos);
  };
}

TEST(SkinnedProgress, FillFollowsThePositionWithinTheRange) {
  {
    ProgressFixture p(TestSkin(), 100, 14, Range(0, 200, 50));  // 25 pixels
    EXPECT_EQ(p.Pixel(23, 7), Colour("Progress", 2));
    EXPECT_EQ(p.Pixel(27, 7), Colour("Progress", 1));
  }
  {
    ProgressFixture p(TestSkin(), 100, 14, Range(100, 200, 150));  // half the bar
    EXPECT_EQ(p.Pixel(47, 7), Colour("Progress", 2));
    EXPECT_EQ(p.Pixel(53, 7), Colour("Progress", 1));
    p.control->SetPosition(100);  // the low end: empty
    EXPECT_EQ(p.Pixel(3, 7), Colour("Progress", 1));
  }
}

TEST(SkinnedProgress, AVerticalBarFillsFromTheBottom) {
  ProgressFixture p(TestSkin(), 14, 100, Range(0, 200, 50, true));
  EXPECT_EQ(p.Pixel(7, 97), Colour("Progress", 2));
  EXPECT_EQ(p.Pixel(7, 77), Colour("Progress", 2));
  EXPECT_EQ(p.Pixel(7, 72), Colour("Progress", 1));
  EXPECT_EQ(p.Pixel(7, 3), Colour("Progress", 1));
}

TEST(SkinnedProgress, ChunksFillTheSameShareOfARangeNotStartingAtZero) {
  TestSkin ts;
  ts.SetIni("Progress", "Style", "1");
  ProgressFixture p(ts, 100, 14, Range(100, 200, 150));
  // The chunk is stretched over the fill from x = 2: 50 pixels, not 75 (150 of 200).
  EXPECT_EQ(p.Pixel(40, 7), Colour("Progress.Chunk", 1));
  EXPECT_NE(p.Pixel(60, 7), Colour("Progress.Chunk", 1));
  p.control->SetPosition(100);
  EXPECT_NE(p.Pixel(4, 7), Colour("Progress.Chunk", 1));
}

TEST(SkinnedProgress, WithoutAProgressImageTheBarPaintsItself) {
  TestSkin ts;
  ts.Omit("Progress");
  ProgressFixture p(ts, 100, 14, Range(0, 200, 150));
  EXPECT_NE(p.Pixel(20, 7), Colour("Progress", 2));
  EXPECT_NE(p.Pixel(20, 7), CLR_INVALID);
}

// ---- Track bars

using TrackFixture = Skinned<ui::TTrackBar, skin::TSkinTrackBar>;

RECT ThumbOf(HWND bar) {
  RECT r{};
  SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

TEST(SkinnedTrackBar, ThumbAndChannelComeFromTheSkin) {
  TrackFixture t(TestSkin(), 150, 45, [](ui::TTrackBar* b) { b->SetPosition(5); });
  const RECT thumb = ThumbOf(t.control->Handle());
  ASSERT_GT(thumb.right, thumb.left);
  EXPECT_EQ(t.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
            Colour("Trackbar.ThumbHorz", 2));
  RECT channel{};
  SendMessageW(t.control->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  EXPECT_EQ(t.Pixel(channel.left + 4, (channel.top + channel.bottom) / 2), Colour("Track", 1));
}

TEST(SkinnedTrackBar, WithoutAThumbImageTheThumbIsAnOutlineInTheShadowColour) {
  TestSkin ts;
  ts.Omit("Trackbar.ThumbHorz").Omit("Trackbar.ThumbVert");
  TrackFixture t(ts, 150, 45, [](ui::TTrackBar* b) { b->SetPosition(5); });
  const RECT thumb = ThumbOf(t.control->Handle());
  EXPECT_EQ(t.Pixel(thumb.left, (thumb.top + thumb.bottom) / 2),
            Rgb(t.f.data->GetRGB(skin::ciButtonShadow)));
  EXPECT_EQ(t.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
            Rgb(t.f.data->GetRGB(skin::ciButtonFace)));
}

TEST(SkinnedTrackBar, AStandingBarTakesTheUprightImages) {
  TrackFixture t(TestSkin(), 45, 150, [](ui::TTrackBar* b) {
    b->SetOrientation(ui::TTrackBarOrientation::trVertical);
    b->SetPosition(5);
  });
  const RECT thumb = ThumbOf(t.control->Handle());
  EXPECT_EQ(t.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
            Colour("Trackbar.ThumbVert", 2));
  RECT reported{};
  SendMessageW(t.control->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&reported));
  const skin::ImageRect channel = skin::VerticalChannel(skin::ToImageRect(reported));
  EXPECT_EQ(t.Pixel((channel.left + channel.right) / 2, channel.top + 4), Colour("TRACKVERT", 1));
}

TEST(SkinnedTrackBar, ASkinWithoutAChannelGetsTheProgramsOwn) {
  TestSkin ts;
  ts.Omit("Track");
  TrackFixture t(ts, 150, 45);
  skin::TDataSkinObject* builtIn = t.f.data->FindElement("Track");
  ASSERT_NE(builtIn, nullptr);
  const skin::PixelBuffer image = skin::PixelsOf(*builtIn->Bitmap);
  RECT channel{};
  SendMessageW(t.control->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  // Along the middle of the channel, each row is the image's middle column.
  const int y0 = channel.top + (channel.bottom - channel.top - image.height()) / 2;
  const int x = channel.left + (channel.right - channel.left) / 3;
  for (int row = 0; row < image.height(); ++row)
    EXPECT_EQ(t.Pixel(x, y0 + row), Rgb(image.Get(image.width() / 2, row))) << row;
}

LRESULT CustomDraw(ui::TWinControl* c, HWND from, DWORD stage, DWORD_PTR item, bool reflected,
                   HDC dc) {
  NMCUSTOMDRAW draw{};
  draw.hdr.hwndFrom = from;
  draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
  draw.dwDrawStage = stage;
  draw.dwItemSpec = item;
  draw.hdc = dc;
  if (!reflected) return SendMessageW(c->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
  ui::ReflectionScope scope(true);
  return c->Perform(ui::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
}

TEST(SkinnedTrackBar, CustomDrawAnswersForEachStageAndOnlyTheControlsOwn) {
  TrackFixture t(TestSkin(), 150, 45);
  HWND bar = t.control->Handle();
  wintest::Dib32 dib(150, 45);
  const HDC dc = dib.dc();
  EXPECT_EQ(CustomDraw(t.control, bar, CDDS_PREPAINT, 0, true, dc), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(CustomDraw(t.control, bar, CDDS_ITEMPREPAINT, TBCD_TICS, true, dc), CDRF_DODEFAULT);
  // In the control's order: the channel, then the thumb over it.
  EXPECT_EQ(CustomDraw(t.control, bar, CDDS_ITEMPREPAINT, TBCD_CHANNEL, true, dc),
            CDRF_SKIPDEFAULT);
  EXPECT_EQ(CustomDraw(t.control, bar, CDDS_ITEMPREPAINT, TBCD_THUMB, true, dc), CDRF_SKIPDEFAULT);
  const RECT thumb = ThumbOf(bar);
  EXPECT_EQ(dib.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2) & 0xFFFFFF,
            Colour("Trackbar.ThumbHorz", 2));

  // The tooltip's custom draw reaches the control as its own WM_NOTIFY, and a CN_NOTIFY outside a
  // reflection is no reflection: neither is answered by the skinner.
  HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, bar, nullptr,
                             nullptr, nullptr);
  dib.Fill(RGB(1, 2, 3));
  EXPECT_NE(CustomDraw(t.control, tip, CDDS_PREPAINT, 0, false, dc), CDRF_NOTIFYITEMDRAW);
  EXPECT_NE(CustomDraw(t.control, tip, CDDS_ITEMPREPAINT, TBCD_THUMB, true, dc), CDRF_SKIPDEFAULT);
  {
    NMCUSTOMDRAW draw{};
    draw.hdr.hwndFrom = bar;
    draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.dwItemSpec = TBCD_THUMB;
    draw.hdc = dc;
    EXPECT_NE(t.control->Perform(ui::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)),
              CDRF_SKIPDEFAULT);
  }
  EXPECT_EQ(dib.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2) & 0xFFFFFF,
            RGB(1, 2, 3));
  DestroyWindow(tip);
}

TEST(SkinnedTrackBar, ASkinChangeRepaintsWithoutTakingTheFocus) {
  TrackFixture t(TestSkin(), 150, 45);
  auto* edit = new ui::TEdit(t.f.form);
  edit->SetParent(t.f.form);
  edit->SetBounds(20, 100, 100, 21);
  edit->SetFocus();
  wintest::PumpUntilIdle();
  ASSERT_EQ(GetFocus(), edit->Handle());
  wintest::MessageRecorder seen(t.control->Handle());
  t.skinner->SkinChanged();
  wintest::PumpUntilIdle();
  EXPECT_EQ(GetFocus(), edit->Handle());
  bool focused = false, painted = false;
  for (const auto& m : seen.messages()) {
    focused |= m.msg == WM_SETFOCUS;
    painted |= m.msg == WM_PAINT;
  }
  EXPECT_FALSE(focused);
  EXPECT_TRUE(painted);
}

// ---- Date-time pickers

using DateFixture = Skinned<ui::TDateTimePicker, skin::TSkinDateTime>;

COLORREF ArrowColour(skin::TSkinData* data, int frame) {
  skin::TDataSkinObject* arrow = data->ComboxArrow();
  const skin::PixelBuffer pixels = skin::PixelsOf(*arrow->Bitmap);
  const int w = pixels.width() / std::max(arrow->Frame, 1);
  return Rgb(pixels.Get(w * (frame - 1) + w / 2, pixels.height() / 2));
}

TEST(SkinnedDateTime, TheArrowButtonSitsOverThePickersOwnAndShowsTheSkinsArrow) {
  DateFixture d(TestSkin(), 100, 21);
  skin::TArrowButton* button = d.skinner->ArrowButton();
  ASSERT_NE(button, nullptr);
  const int cx = GetSystemMetrics(SM_CXHSCROLL);
  EXPECT_EQ(button->Left(), 100 - cx - 4);
  EXPECT_EQ(button->Top(), 0);
  EXPECT_EQ(button->Width(), cx);
  EXPECT_EQ(button->Height(), 17);
  if (cx == 17) {
    EXPECT_EQ(button->Left(), 79);
  }
  EXPECT_EQ(GetParent(button->Handle()), d.control->Handle());
  // The picker's client area starts 2 pixels in (its sunken edge).
  EXPECT_EQ(d.Pixel(2 + button->Left() + cx / 2, 2 + 8), ArrowColour(d.f.data, 1));
  button->Perform(ui::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(d.Pixel(2 + button->Left() + cx / 2, 2 + 8), ArrowColour(d.f.data, 4));
  button->Perform(ui::CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(d.Pixel(2 + button->Left() + cx / 2, 2 + 8), ArrowColour(d.f.data, 1));
  // The edge: the skin's shadow outside, white inside.
  EXPECT_EQ(d.Pixel(0, 10), Rgb(d.f.data->GetRGB(skin::ciButtonShadow)));
  EXPECT_EQ(d.Pixel(1, 10), RGB(255, 255, 255));
}

TEST(SkinnedDateTime, WithoutAnArrowImageThePickersOwnButtonShows) {
  TestSkin ts;
  ts.Omit("ComboButton");
  DateFixture d(ts, 100, 21);
  EXPECT_EQ(d.skinner->ArrowButton(), nullptr);
  EXPECT_EQ(GetWindow(d.control->Handle(), GW_CHILD), nullptr);
}

TEST(SkinnedDateTime, WithLeftScrollBarsTheButtonIsOnTheLeft) {
  DateFixture d(TestSkin(), 100, 21, [](ui::TDateTimePicker* p) {
    SetWindowLongPtrW(p->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(p->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  });
  EXPECT_EQ(d.skinner->ArrowButton()->Left(), 2);
}

TEST(SkinnedDateTime, AClickOnTheArrowButtonDropsTheCalendarDown) {
  DateFixture d(TestSkin(), 100, 21);
  HWND button = d.skinner->ArrowButton()->Handle();
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
  EXPECT_TRUE(frametest::PumpUntil([&] { return d.control->CalendarWindow() != nullptr; }, 1500));
  SendMessageW(d.control->Handle(), DTM_CLOSEMONTHCAL, 0, 0);
  wintest::PumpUntilIdle();
}

// ---- Repeated paints

TEST(SkinnedPages, RepeatedPaintsCreateNoGdiObjects) {
  SkinnedForm f;
  auto* header = new ui::THeaderControl(f.form);
  auto* progress = new ui::TProgressBar(f.form);
  auto* track = new ui::TTrackBar(f.form);
  auto* picker = new ui::TDateTimePicker(f.form);
  int top = 10;
  for (ui::TWinControl* c :
       std::initializer_list<ui::TWinControl*>{header, progress, track, picker}) {
    c->SetParent(f.form);
    c->SetBounds(10, top, 200, c == track ? 45 : 21);
    top += 60;
  }
  ThreeSections(header);
  progress->SetPosition(40);
  progress->SetOrientation(ui::TProgressBarOrientation::pbVertical);
  progress->SetBounds(300, 10, 16, 120);
  (new skin::TSkinHeaderBar(header))->Attach(f.Skinner(), f.data, false);
  (new skin::TSkinProgress(progress))->Attach(f.Skinner(), f.data, false);
  (new skin::TSkinTrackBar(track))->Attach(f.Skinner(), f.data, false);
  (new skin::TSkinDateTime(picker))->Attach(f.Skinner(), f.data, false);
  wintest::PumpUntilIdle();
  const auto paintAll = [&] {
    for (ui::TWinControl* c :
         {static_cast<ui::TWinControl*>(header), static_cast<ui::TWinControl*>(progress),
          static_cast<ui::TWinControl*>(track), static_cast<ui::TWinControl*>(picker)})
      RedrawWindow(c->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  paintAll();
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 50; ++i) paintAll();
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_EQ(wintest::LiveGdiObjects(), gdi);
}

// ---- Stand-ins of other libraries' controls

// A check box of another library that draws its glyphs from a strip it is given.
class TTestRzRadioButton : public ui::TCustomControl {
  UI_CLASS(TTestRzRadioButton, ui::TCustomControl)
 public:
  explicit TTestRzRadioButton(ui::TComponent* owner) : ui::TCustomControl(owner) {}
  ui::TBitmap* CustomGlyphs() { return &glyphs_; }
  int TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(int c) { transparentColor_ = c; }
  bool UseCustomGlyphs() const { return use_; }
  void SetUseCustomGlyphs(bool on) {
    use_ = on;
    ++switches;
  }
  int switches = 0;

 private:
  ui::TBitmap glyphs_;
  int transparentColor_ = 0;
  bool use_ = false;
};

// A page control of another library that takes its tab backgrounds as bitmaps.
class TTestAdvPageControl : public ui::TCustomControl {
  UI_CLASS(TTestAdvPageControl, ui::TCustomControl)
 public:
  explicit TTestAdvPageControl(ui::TComponent* owner) : ui::TCustomControl(owner) {}
  ui::TBitmap* TabBackGround() { return &normal_; }
  ui::TBitmap* TabBackGroundActive() { return &active_; }

 private:
  ui::TBitmap normal_, active_;
};

}  // namespace

UI_IMPLEMENT_CLASS(TTestRzRadioButton, ui::TCustomControl,
                   P::Obj<ui::TBitmap>("CustomGlyphs", &TTestRzRadioButton::CustomGlyphs),
                   P::Int("transparentcolor", &TTestRzRadioButton::TransparentColor,
                          &TTestRzRadioButton::SetTransparentColor),
                   P::Bool("UseCustomGlyphs", &TTestRzRadioButton::UseCustomGlyphs,
                           &TTestRzRadioButton::SetUseCustomGlyphs))
UI_IMPLEMENT_CLASS(TTestAdvPageControl, ui::TCustomControl,
                   P::Obj<ui::TBitmap>("TabBackGround", &TTestAdvPageControl::TabBackGround),
                   P::Obj<ui::TBitmap>("TabBackGroundActive",
                                       &TTestAdvPageControl::TabBackGroundActive))

namespace {

TEST(SkinnedForeignControls, ARadioButtonOfAnotherLibraryGetsASixFrameStripFromTheRadioGlyphs) {
  TestSkin ts;
  ts.SetFrames("Buttons.RadioButton", 4);
  SkinnedForm f(ts);
  auto* radio = new TTestRzRadioButton(f.form);
  radio->SetParent(f.form);
  auto* skinner = new skin::TSkinObjImage(radio);
  skinner->Mode = 2;
  skinner->Attach(f.Skinner(), f.data, true);
  const skin::PixelBuffer strip = skin::PixelsOf(*radio->CustomGlyphs());
  const int fw = ts.ImageDef("Buttons.RadioButton").frameWidth;
  EXPECT_EQ(strip.width(), 6 * fw);  // 78 pixels for 13-pixel glyphs
  // Destination frame 3 is source frame 1, 6 is 4.
  EXPECT_EQ(Rgb(strip.Get(2 * fw + fw / 2, fw / 2)), Rgb(ts.FrameColour("Buttons.RadioButton", 1)));
  EXPECT_EQ(Rgb(strip.Get(5 * fw + fw / 2, fw / 2)), Rgb(ts.FrameColour("Buttons.RadioButton", 4)));
  EXPECT_EQ(radio->TransparentColor(), 0xFF00FF);
  EXPECT_TRUE(radio->UseCustomGlyphs());
  EXPECT_EQ(radio->switches, 2);  // off and on again: the control reloads its glyphs
  // Its messages stay its own: it is listed with the form but answers SM_ISSKINNED itself.
  EXPECT_NE(SendMessageW(radio->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  skinner->Detach();
  EXPECT_FALSE(radio->UseCustomGlyphs());
}

TEST(SkinnedForeignControls, APageControlTakesTheTabsFramesAsTabBackgrounds) {
  SkinnedForm f;
  auto* pages = new TTestAdvPageControl(f.form);
  pages->SetParent(f.form);
  auto* skinner = new skin::TSkinAdvPage(pages);
  skinner->Mode = 4;
  skinner->Attach(f.Skinner(), f.data, true);
  ASSERT_EQ(pages->TabBackGround()->Width(), 100);
  ASSERT_EQ(pages->TabBackGround()->Height(), 21);
  const auto centre = [](ui::TBitmap* b) { return Rgb(skin::PixelsOf(*b).Get(50, 10)); };
  EXPECT_EQ(centre(pages->TabBackGround()), Colour("Tabs", 1));
  EXPECT_EQ(centre(pages->TabBackGroundActive()), Colour("Tabs", 2));
  skinner->Detach();
  EXPECT_TRUE(pages->TabBackGround()->Empty());
  EXPECT_TRUE(pages->TabBackGroundActive()->Empty());
}

TEST(SkinnedTabButtons, TabsAreButtonsAndTheFocusedOneIsPressed) {
  SkinnedForm f;
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 300, 100,
                              f.Handle(), nullptr, nullptr, nullptr);
  for (int i = 0; i < 3; ++i) {
    std::wstring text = L"Page " + std::to_wstring(i + 1);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
  auto* skinner = new skin::TSkinTabBtn(nullptr);
  skinner->AttachHandle(tabs, f.data, f.Skinner());
  RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  auto capture = wintest::CaptureWindowDC(tabs);
  RECT first{}, second{};
  SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  // One pixel in from the tab's top-left corner (the tabs are drawn one pixel lower).
  EXPECT_EQ(capture->Pixel(first.left + 2, first.top + 2) & 0xFFFFFF, Colour("Buttons", 1));
  EXPECT_EQ(capture->Pixel(second.left + 2, second.top + 2) & 0xFFFFFF, Colour("Buttons", 2));
  DestroyWindow(tabs);
  f.Skinner()->PurgeDestroyed();
}

TEST(SkinnedPlainFills, ATabSheetIsFilledWithTheFaceColourAndErasedWithIt) {
  SkinnedForm f;
  auto* sheet = new ui::TPanel(f.form);
  sheet->SetParent(f.form);
  sheet->SetBounds(10, 10, 120, 80);
  sheet->SetColor(static_cast<ui::TColor>(RGB(10, 200, 30)));
  auto* skinner = new skin::TSkinTabSheet(sheet);
  skinner->Attach(f.Skinner(), f.data, false);
  const COLORREF face = Rgb(f.data->GetRGB(skin::ciButtonFace));
  EXPECT_EQ(PixelOf(sheet, 60, 40), face);
  wintest::Dib32 dib(120, 80);
  dib.Fill(RGB(1, 2, 3));
  EXPECT_EQ(SendMessageW(sheet->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.dc()), 0), 1);
  EXPECT_EQ(dib.Pixel(60, 40) & 0xFFFFFF, face);
  // WM_PRINT is painted by the skinner too, so a printed image shows the skinned sheet.
  dib.Fill(RGB(1, 2, 3));
  SendMessageW(sheet->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
  EXPECT_EQ(dib.Pixel(60, 40) & 0xFFFFFF, face);
}

TEST(SkinnedPlainFills, DialogsAndSizeGripsWearTheFaceColour) {
  SkinnedForm f;
  HWND grip = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 10,
                              10, 16, 16, f.Handle(), nullptr, nullptr, nullptr);
  auto* sizer = new skin::TSkinSizer(nullptr);
  sizer->AttachHandle(grip, f.data, f.Skinner());
  RedrawWindow(grip, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto capture = wintest::CaptureWindowDC(grip);
  EXPECT_EQ(capture->Pixel(12, 12) & 0xFFFFFF, Rgb(f.data->GetRGB(skin::ciButtonFace)));

  HWND box = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, 40, 10, 60, 30,
                             f.Handle(), nullptr, nullptr, nullptr);
  auto* boxH = new skin::TSkinBoxH(nullptr);
  boxH->AttachHandle(box, f.data, f.Skinner());
  EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageW(box, WM_CTLCOLORSTATIC, 0, 0)),
            f.data->ButtonFaceBrush());
  DestroyWindow(grip);
  DestroyWindow(box);
  f.Skinner()->PurgeDestroyed();
}

}  // namespace

// ---- Date-time pickers with spin buttons, and pickers switched off

TEST(SkinnedDateTime, ATimePickerKeepsItsSpinButtonsUncovered) {
  const auto timePicker = [](ui::TDateTimePicker* p) { p->SetKind(ui::TDateTimeKind::dtkTime); };
  DateFixture d(TestSkin(), 100, 21, timePicker);
  auto* twin = new ui::TDateTimePicker(d.f.form);
  twin->SetParent(d.f.form);
  twin->SetBounds(20, 80, 100, 21);
  twin->SetTag(d.f.data->DisableTag());
  timePicker(twin);
  wintest::PumpUntilIdle();
  ASSERT_TRUE(GetWindowLongPtrW(d.control->Handle(), GWL_STYLE) & DTS_UPDOWN);
  EXPECT_EQ(d.skinner->ArrowButton(), nullptr);
  // The same user's clicks on each: the hour, then the upper half of the spin buttons. What lies
  // there is the picker's own up-down, and the parent hears the same as from the unskinned twin.
  const auto script = [&](HWND picker) {
    RECT w{};
    GetWindowRect(picker, &w);
    const POINT up{w.right - 2 - GetSystemMetrics(SM_CXVSCROLL) / 2, w.top + 6};
    wchar_t cls[32] = {};
    GetClassNameW(WindowFromPoint(up), cls, 32);
    EXPECT_STREQ(cls, UPDOWN_CLASSW);
    auto parent = std::make_unique<wintest::MessageRecorder>(d.f.Handle());
    parent->notificationsFrom(picker);
    wintest::ClickScreen({w.left + 8, (w.top + w.bottom) / 2});
    wintest::ClickScreen(up);
    return parent;
  };
  const auto native = script(twin->Handle());
  const auto skinned = script(d.control->Handle());
  EXPECT_EQ(skinned->Compare(native->AsExpected(), /*strict=*/true), "");
  const auto& heard = native->messages();
  EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](const wintest::RecordedMessage& m) {
    return m.msg == WM_NOTIFY && m.wParam == static_cast<WPARAM>(DTN_DATETIMECHANGE);
  }));
}

TEST(SkinnedDateTime, SwitchedOffThePickersOwnButtonShowsAndSwitchedOnTheSkinsComesBack) {
  DateFixture d(TestSkin(), 100, 21);
  ASSERT_NE(d.skinner->ArrowButton(), nullptr);
  const int x = 2 + d.skinner->ArrowButton()->Left() + GetSystemMetrics(SM_CXHSCROLL) / 2;
  // What the picker shows by itself after the switch (no forced repaint before reading).
  const auto shown = [&] {
    wintest::PumpUntilIdle();
    auto capture = wintest::CaptureWindowDC(d.control->Handle());
    return capture ? capture->Pixel(x, 2 + 8) & 0xFFFFFF : CLR_INVALID;
  };
  EXPECT_EQ(shown(), ArrowColour(d.f.data, 1));
  SendMessageW(d.control->Handle(), skin::SM_SETACTIVE, 0, 0);
  EXPECT_EQ(d.skinner->ArrowButton(), nullptr);
  EXPECT_EQ(GetWindow(d.control->Handle(), GW_CHILD), nullptr);
  EXPECT_NE(shown(), ArrowColour(d.f.data, 1));
  SendMessageW(d.control->Handle(), skin::SM_SETACTIVE, 1, 0);
  ASSERT_NE(d.skinner->ArrowButton(), nullptr);
  EXPECT_EQ(shown(), ArrowColour(d.f.data, 1));
}
