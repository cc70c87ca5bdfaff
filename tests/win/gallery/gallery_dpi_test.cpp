// The gallery on a screen of another DPI (scripts/test runs the *AtSystemDpi* tests again in
// prefixes at 120, 144 and 192 dpi): its rows planned in design units of the room that screen
// leaves, the window on the screen, every title readable beside its control, and every row
// whole in view: at once where the screen has room, scrolled to (by the wheel) where it has not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "GalleryTestSupport.h"
#include "gallery/GalleryForm.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/DpiScale.h"

namespace {

using gallerytest::ShowGallery;

RECT ScreenRect(ui::TControl* c) {
  RECT r = c->BoundsRect();
  MapWindowPoints(c->Parent()->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A row's title, skinned control and native twin, in the rows area's client coordinates.
RECT RowRect(const gallery::TGalleryForm::Row& row) {
  RECT r{};
  for (ui::TControl* c : {static_cast<ui::TControl*>(row.label), row.skinned, row.native}) {
    const RECT b = c->BoundsRect();
    UnionRect(&r, &r, &b);
  }
  return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// How wide `text` is in the label's own font, as it paints it.
int TextWidth(ui::TControl* label, const std::wstring& text) {
  ui::WindowDC screen = ui::WindowDC::Client(nullptr);
  ui::SelectGuard font(screen.get(), label->Font()->Handle());
  SIZE size{};
  GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// Everything below holds at any DPI: where the screen is too small for every row, the rows area
// scrolls (its bars skinned) and each row is reached by turning the wheel over it.
void CheckEveryRowCanBeSeenWhole(gallery::TGalleryForm* form, int ppi) {
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const bool room = form->PlanFits();
  std::printf("%d dpi on %ld x %ld: %s\n", ppi, screen.right, screen.bottom,
              room ? "every row fits" : "the rows area scrolls");
  EXPECT_TRUE(Inside(window, screen)) << Text(window);
  ui::TScrollBox* area = form->RowsArea();
  const HWND wnd = area->Handle();
  RECT client{};
  GetClientRect(wnd, &client);
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  // Bars only where the rows do not fit, and no sideways bar at all: the columns fit across.
  EXPECT_EQ((style & WS_VSCROLL) != 0, !room);
  EXPECT_FALSE(style & WS_HSCROLL);
  if (!room) {
    // The skin's bar lies over the system's.
    EXPECT_EQ(SendMessageW(wnd, skin::SM_ISSKINNED, 0, 0), 1);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(wnd, OBJID_VSCROLL, &bar));
    HWND overlay = nullptr;
    for (HWND w = FindWindowExW(form->Handle(), nullptr, L"TWScrollbar", nullptr); w;
         w = FindWindowExW(form->Handle(), w, L"TWScrollbar", nullptr)) {
      RECT r{};
      GetWindowRect(w, &r);
      if (IsWindowVisible(w) && EqualRect(&r, &bar.rcScrollBar)) overlay = w;
    }
    EXPECT_NE(overlay, nullptr) << "no skinned bar over " << Text(bar.rcScrollBar);
  }
  // The content's extent: the bar's range, or the client area where there is none.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE;
  const LONG extentH =
      (style & WS_VSCROLL) && GetScrollInfo(wnd, SB_VERT, &si) ? si.nMax + 1 : client.bottom;
  const POINT start = area->ScrollOffset();
  for (const auto& row : form->Rows()) {
    SCOPED_TRACE(std::string(row.title.begin(), row.title.end()));
    RECT content = RowRect(row);
    OffsetRect(&content, start.x, start.y);
    EXPECT_TRUE(Inside(content, RECT{0, 0, client.right, extentH})) << Text(content);
    EXPECT_EQ(row.label->Font()->Height(), ui::ScaleFontHeight(form->DesignFontHeight(), ppi));
    // The title, in the font of this DPI, ends before its control begins (a window covers
    // whatever of a label reaches under it).
    EXPECT_LE(ScreenRect(row.label).left + TextWidth(row.label, row.title),
              ScreenRect(row.skinned).left)
        << "label " << Text(ScreenRect(row.label)) << " text " << TextWidth(row.label, row.title);
  }
  // The focus in the area (a push button, which hands the wheel to its parent), then each row
  // turned into view with the wheel over the area's own margin (over a list, the wheel would
  // scroll the list).
  SetFocus(static_cast<ui::TWinControl*>(form->Rows().front().skinned)->Handle());
  wintest::PumpUntilIdle();
  POINT margin{RowRect(form->Rows().front()).left / 2, client.bottom / 2};
  ClientToScreen(wnd, &margin);
  int notches = 0;
  for (const auto& row : form->Rows()) {
    SCOPED_TRACE(std::string(row.title.begin(), row.title.end()));
    for (int tries = 0; tries < 100; ++tries) {
      const RECT r = RowRect(row);
      if (r.top >= 0 && r.bottom <= client.bottom) break;
      const LONG before = area->ScrollOffset().y;
      wintest::WheelAt(margin, r.top < 0 ? 1 : -1);
      ++notches;
      if (area->ScrollOffset().y == before) break;  // the wheel does nothing more
    }
    const RECT r = RowRect(row);
    EXPECT_TRUE(Inside(r, client)) << Text(r) << " in " << Text(client);
    // Where the user sees them: the controls' windows inside the area's window.
    RECT shown{};
    GetWindowRect(wnd, &shown);
    for (ui::TControl* c : {row.skinned, row.native}) {
      if (auto* w = dynamic_cast<ui::TWinControl*>(c)) {
        RECT seen{};
        GetWindowRect(w->Handle(), &seen);
        EXPECT_TRUE(Inside(seen, shown)) << Text(seen);
      }
    }
  }
  std::printf("%d turns of the wheel reached every row\n", notches);
  if (room) {
    EXPECT_EQ(notches, 0);
  }
}

}  // namespace

TEST(SkinGallery, AtSystemDpiEveryRowAndTitleCanBeSeenWhole) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  const int ppi = ui::SystemPPI();
  EXPECT_EQ(form->CurrentPPI(), ppi);
  CheckEveryRowCanBeSeenWhole(form, ppi);
  delete form;
}

// The same on a 150 % screen within this run's 96-dpi session: the rows of the gallery, at 1.5
// times their size, do not fit a 1280 x 1024 screen and scroll.
TEST(SkinGallery, MadeForA150PercentScreenEveryRowCanBeSeenWhole) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  const int ppi = ui::SystemPPI() * 3 / 2;
  ui::ScreenPPIOverride screen(ppi);
  gallery::TGalleryForm* form = ShowGallery();
  EXPECT_EQ(form->CurrentPPI(), ppi);
  CheckEveryRowCanBeSeenWhole(form, ppi);
  delete form;
}
