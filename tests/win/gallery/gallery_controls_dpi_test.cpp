// The gallery's skinned controls at another DPI, in a flat-colour test skin (every frame of every
// image one colour of its own, so a pixel tells which image drew it): after a WM_DPICHANGED to
// 150 %, and on a screen of another DPI (scripts/test runs the *AtSystemDpi* tests again in
// prefixes at 120, 144 and 192 dpi), each control is still painted from the skin, its glyphs and
// nine-slice margins at the scaled sizes, and its caption as wide as the larger font makes it.
// Every pixel is read as the window painted it by itself.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "GalleryTestSupport.h"
#include "TestSkin.h"
#include "gallery/GalleryForm.h"
#include "imaging/ImageScale.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/DpiScale.h"
#include "ui/Handles.h"

namespace {

using gallerytest::ShowGallery;
using testskin::TestSkin;

// The test skin with keyed (magenta) 3 x 3 corners on the push button's face, so that the face's
// nine-slice corners show where its margins end, and the combo boxes' flat drop-down button.
TestSkin CornerSkin() {
  TestSkin skin;
  skin.SetIni("Buttons", "Trans", "1").KeyCorners("Buttons", 3).SetIni("ComboButton", "Style", "1");
  return skin;
}

std::set<COLORREF> FrameColours(const TestSkin& skin, const char* id) {
  std::set<COLORREF> colours;
  const int frames = skin.ImageDef(id).frames;
  for (int f = 1; f <= frames; ++f)
    colours.insert(static_cast<COLORREF>(skin.FrameColour(id, f)) & 0xFFFFFF);
  return colours;
}

// Every colour of every image of the skin.
std::set<COLORREF> AllColours(const TestSkin& skin) {
  std::set<COLORREF> all;
  for (const auto& image : skin.ImageDefs())
    if (image.present) all.merge(FrameColours(skin, image.id.c_str()));
  return all;
}

const gallery::TGalleryForm::Row& RowTitled(const gallery::TGalleryForm& form,
                                            const std::wstring& title) {
  for (const auto& row : form.Rows())
    if (row.title == title) return row;
  ADD_FAILURE() << "no row";
  return form.Rows().front();
}

// The control's rectangle in its form's window coordinates.
RECT InForm(HWND form, ui::TControl* control) {
  RECT r = control->BoundsRect();
  MapWindowPoints(control->Parent()->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  RECT w{};
  GetWindowRect(form, &w);
  OffsetRect(&r, -w.left, -w.top);
  return r;
}

// The smallest rectangle holding every pixel of `area` that `match` accepts (empty: none).
RECT Bounds(const wintest::Dib32& shot, const RECT& area,
            const std::function<bool(COLORREF)>& match) {
  RECT b{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (match(shot.Pixel(x, y) & 0xFFFFFF)) {
        b.left = std::min<LONG>(b.left, x);
        b.top = std::min<LONG>(b.top, y);
        b.right = std::max<LONG>(b.right, x + 1);
        b.bottom = std::max<LONG>(b.bottom, y + 1);
      }
  return b.left < b.right ? b : RECT{};
}

bool In(const std::set<COLORREF>& colours, COLORREF c) { return colours.count(c) != 0; }

// What the skinned controls show, as measured at one DPI.
struct Measured {
  SIZE checkGlyph{}, radioGlyph{};
  int cornerRun = 0;     // keyed pixels from the push button face's top-left corner, along its top
  int cornerHeight = 0;  // and down its left side
  bool topEdgeWhole = false;         // the face's top row is the face between the two corners
  int captionWidth = 0;              // the check box's caption, in pixels
  int scrollArrow = 0;               // the scroll bar control's first arrow, along the bar
  SIZE comboButton{};                // everything of the drop-down button a drop-down list shows
  std::set<std::wstring> unskinned;  // rows on the screen showing no pixel of the skin's images
};

Measured Measure(gallery::TGalleryForm& form, const TestSkin& skin) {
  Measured m;
  const HWND wnd = form.Handle();
  const auto shot = wintest::CaptureWindowDC(wnd);
  const std::set<COLORREF> all = AllColours(skin);
  RECT window{};
  GetWindowRect(wnd, &window);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // The screen shows only part of a window larger than itself: rows beyond it are not measured.
  const auto shown = [&](const RECT& r) {
    RECT onScreen = r, visible{}, cut{};
    OffsetRect(&onScreen, window.left, window.top);
    IntersectRect(&visible, &window, &screen);
    IntersectRect(&cut, &onScreen, &visible);
    return EqualRect(&cut, &onScreen) != FALSE;
  };
  for (const auto& row : form.Rows()) {
    const RECT r = InForm(wnd, row.skinned);
    if (!shown(r)) continue;
    const RECT any = Bounds(*shot, r, [&](COLORREF c) { return In(all, c); });
    if (IsRectEmpty(&any)) m.unskinned.insert(row.title);
  }

  const auto glyph = [&](const wchar_t* title, const char* strip) {
    const std::set<COLORREF> colours = FrameColours(skin, strip);
    const RECT b = Bounds(*shot, InForm(wnd, RowTitled(form, title).skinned),
                          [&](COLORREF c) { return In(colours, c); });
    return SIZE{b.right - b.left, b.bottom - b.top};
  };
  m.checkGlyph = glyph(L"Check box", "Buttons.CheckButton");
  m.comboButton = glyph(L"Drop-down list", "ComboButton");
  if (!shown(InForm(wnd, RowTitled(form, L"Drop-down list").skinned))) m.comboButton.cx = -1;
  m.radioGlyph = glyph(L"Radio buttons (one group)", "Buttons.RadioButton");

  // The check box's caption: whatever is neither the face nor the glyph, right of the glyph.
  const RECT check = InForm(wnd, RowTitled(form, L"Check box").skinned);
  const std::set<COLORREF> checkColours = FrameColours(skin, "Buttons.CheckButton");
  const RECT glyphAt = Bounds(*shot, check, [&](COLORREF c) { return In(checkColours, c); });
  const RECT caption = Bounds(
      *shot, RECT{glyphAt.right, check.top, check.right, check.bottom},
      [&](COLORREF c) { return c != (testskin::kButtonFace & 0xFFFFFF) && !In(checkColours, c); });
  m.captionWidth = caption.right - caption.left;

  const std::set<COLORREF> face = FrameColours(skin, "Buttons");
  const RECT button = InForm(wnd, RowTitled(form, L"Push button").skinned);
  while (m.cornerRun < button.right - button.left &&
         !In(face, shot->Pixel(button.left + m.cornerRun, button.top) & 0xFFFFFF))
    ++m.cornerRun;
  while (m.cornerHeight < button.bottom - button.top &&
         !In(face, shot->Pixel(button.left, button.top + m.cornerHeight) & 0xFFFFFF))
    ++m.cornerHeight;
  m.topEdgeWhole = true;
  for (int x = button.left + m.cornerRun; x < button.right - m.cornerRun; ++x)
    m.topEdgeWhole = m.topEdgeWhole && In(face, shot->Pixel(x, button.top) & 0xFFFFFF);

  const std::set<COLORREF> arrows = FrameColours(skin, "Scrollbar");
  const RECT bar = InForm(wnd, RowTitled(form, L"Scroll bar control").skinned);
  if (!shown(bar)) m.scrollArrow = -1;
  const int middle = (bar.top + bar.bottom) / 2;
  while (m.scrollArrow >= 0 && bar.left + m.scrollArrow < bar.right &&
         In(arrows, shot->Pixel(bar.left + m.scrollArrow, middle) & 0xFFFFFF))
    ++m.scrollArrow;
  return m;
}

// The window's rectangle at `ppi` as the system would suggest it (the one it had there, when
// given).
void SendDpiChanged(HWND wnd, int ppi, int from, const RECT* had = nullptr) {
  RECT w{};
  GetWindowRect(wnd, &w);
  RECT suggested{w.left, w.top, w.left + MulDiv(w.right - w.left, ppi, from),
                 w.top + MulDiv(w.bottom - w.top, ppi, from)};
  if (had) suggested = *had;
  SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(ppi, ppi), reinterpret_cast<LPARAM>(&suggested));
  wintest::PumpUntilIdle(10, 500);
}

// The system's scroll-bar arrow at `dpi`, as the system answers for a window of that DPI.
int ArrowAtDpi(int dpi) {
  using ForDpi = int(WINAPI*)(int, UINT);
  const auto forDpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  if (forDpi) return forDpi(SM_CXHSCROLL, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(SM_CXHSCROLL), dpi, ui::SystemPPI());
}

// The sizes every check below expects at `dpi`, from what was measured at `base`.
void ExpectScaled(const Measured& at, const Measured& base, int dpi, int baseDpi) {
  const skin::Scale s = skin::Scale::FromDpi(dpi);
  const TestSkin skin;
  // Only the controls that draw the skin's colours but none of its images (edits, boxes, a flat
  // speed button at rest) show none of the images, at any DPI.
  std::wstring lost;
  for (const std::wstring& title : at.unskinned)
    if (!base.unskinned.count(title)) lost += title + L"; ";
  EXPECT_EQ(lost, L"");
  // The 13 x 13 glyphs: ScaleLength of their 96-dpi size, whatever DPI the test began at.
  const int check = skin.ImageDef("Buttons.CheckButton").frameWidth;
  EXPECT_EQ(at.checkGlyph.cx, skin::ScaleLength(check, s));
  EXPECT_EQ(at.checkGlyph.cy, skin::ScaleLength(check, s));
  const int radio = skin.ImageDef("Buttons.RadioButton").frameWidth;
  EXPECT_EQ(at.radioGlyph.cx, skin::ScaleLength(radio, s));
  EXPECT_EQ(at.radioGlyph.cy, skin::ScaleLength(radio, s));
  // The 3-pixel keyed corner within the 3-pixel margins: both scale alike, and the face's top
  // edge between the corners takes nothing of the key (margins of the 96-dpi size over the
  // scaled image would stretch the rest of the corner along it).
  EXPECT_GE(at.cornerRun, 3 * dpi / 96);
  EXPECT_LE(at.cornerRun, skin::ScaleLength(3, s));
  EXPECT_EQ(at.cornerHeight, at.cornerRun);
  EXPECT_TRUE(at.topEdgeWhole);
  if (at.scrollArrow >= 0) {
    EXPECT_EQ(at.scrollArrow, ArrowAtDpi(dpi));
  }
  // One button of the scaled image's width: nothing of a button painted before the change.
  if (at.comboButton.cx >= 0) {
    EXPECT_EQ(at.comboButton.cx, skin::ScaleLength(skin.ImageDef("ComboButton").frameWidth, s));
  }
  // The caption grows with its font and is not cut.
  EXPECT_NEAR(at.captionWidth, MulDiv(base.captionWidth, dpi, baseDpi),
              base.captionWidth * dpi / baseDpi / 6 + 2);
}

}  // namespace

TEST(SkinGalleryDpi, ControlsTakeTheSkinAtOneAndAHalfTimesAndBackAfterWmDpiChanged) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  const TestSkin skin = CornerSkin();
  gallery::TGalleryForm* form = ShowGallery(skin.PropertyPayload());
  const HWND wnd = form->Handle();
  const int base = form->CurrentPPI();
  const Measured before = Measure(*form, skin);
  ASSERT_GT(before.captionWidth, 0);
  ExpectScaled(before, before, base, base);

  RECT start{};
  GetWindowRect(wnd, &start);
  const int high = base * 3 / 2;
  SendDpiChanged(wnd, high, base);
  ASSERT_EQ(form->CurrentPPI(), high);
  {
    SCOPED_TRACE("at 150 %");
    ExpectScaled(Measure(*form, skin), before, high, base);
  }
  SendDpiChanged(wnd, base, high, &start);
  {
    SCOPED_TRACE("back");
    const Measured after = Measure(*form, skin);
    ExpectScaled(after, before, base, base);
    EXPECT_EQ(after.captionWidth, before.captionWidth);
  }
  delete form;
}

TEST(SkinGalleryDpi, AtSystemDpiControlsAreDrawnFromTheSkinAtTheScreensSizes) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  const TestSkin skin = CornerSkin();
  gallery::TGalleryForm* form = ShowGallery(skin.PropertyPayload());
  const int ppi = ui::SystemPPI();
  ASSERT_EQ(form->CurrentPPI(), ppi);
  const Measured m = Measure(*form, skin);
  ExpectScaled(m, m, ppi, ppi);
  // The controls that draw the skin's colours but none of its images.
  const std::set<std::wstring> imageless{L"Edit", L"Disabled edit", L"Flat speed button",
                                         L"Group box", L"Panel"};
  for (const std::wstring& title : m.unskinned)
    EXPECT_TRUE(imageless.count(title)) << std::string(title.begin(), title.end());
  delete form;
}

TEST(SkinGalleryDpi, TenRoundTripsToOneAndAHalfTimesGiveEveryHandleBack) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery(TestSkin().PropertyPayload());
  const HWND wnd = form->Handle();
  const int base = form->CurrentPPI();
  // One trip first: what the window makes once and keeps (the frame's and the controls' images
  // of 100 %, the pieces the skinners keep ready for their next paint) is made.
  SendDpiChanged(wnd, base * 3 / 2, base);
  SendDpiChanged(wnd, base, base * 3 / 2);
  const long handles = ui::HandleCounts::Total();
  const long windows = ui::LiveFrameworkWindows();
  for (int i = 0; i < 10; ++i) {
    SendDpiChanged(wnd, base * 3 / 2, base);
    SendDpiChanged(wnd, base, base * 3 / 2);
  }
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_EQ(ui::LiveFrameworkWindows(), windows);
  delete form;
}
