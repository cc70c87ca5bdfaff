// The gallery on a screen of another DPI (scripts/test runs the *AtSystemDpi* tests again in
// prefixes at 120, 144 and 192 dpi): its rows planned in design units of the room that screen
// leaves, every row whole on the screen and every title readable beside its control.
#include <gtest/gtest.h>

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

}  // namespace

TEST(SkinGallery, AtSystemDpiEveryRowAndTitleIsWholeOnTheScreen) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  const int ppi = ui::SystemPPI();
  EXPECT_EQ(form->CurrentPPI(), ppi);
  RECT client{};
  GetClientRect(form->Handle(), &client);
  MapWindowPoints(form->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // The rows need about 1150 x 900 pixels at 96 dpi, so a screen of 1280 x 1024 holds them at
  // 96 dpi only; 2560 x 1600 (TARVIMO_SCREEN) holds them at 144 dpi.
  const bool room = form->PlanFits();
  std::printf("%d dpi on %ld x %ld: %s\n", ppi, screen.right, screen.bottom,
              room ? "every row fits" : "the screen is too small for every row");
  EXPECT_GE(window.left, 0);
  EXPECT_GE(window.top, 0);
  // Where the screen is too small the system keeps the window within it, and rows past its edge
  // are cut: the gallery has no scrolling. Everything below needs the room.
  if (!room) {
    delete form;
    return;
  }
  EXPECT_TRUE(Inside(window, screen)) << Text(window);
  for (const auto& row : form->Rows()) {
    SCOPED_TRACE(std::string(row.title.begin(), row.title.end()));
    EXPECT_TRUE(Inside(ScreenRect(row.skinned), client)) << Text(ScreenRect(row.skinned));
    EXPECT_TRUE(Inside(ScreenRect(row.native), client)) << Text(ScreenRect(row.native));
    EXPECT_TRUE(Inside(ScreenRect(row.label), client)) << Text(ScreenRect(row.label));
    EXPECT_EQ(row.label->Font()->Height(), ui::ScaleFontHeight(form->DesignFontHeight(), ppi));
    // The title, in the font of this DPI, ends before its control begins (a window covers
    // whatever of a label reaches under it).
    EXPECT_LE(ScreenRect(row.label).left + TextWidth(row.label, row.title),
              ScreenRect(row.skinned).left)
        << "label " << Text(ScreenRect(row.label)) << " text " << TextWidth(row.label, row.title);
  }
  delete form;
}
