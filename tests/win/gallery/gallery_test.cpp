// The skin gallery window: skinned beside its native twins, and freed without a trace after many
// create/show/paint/free cycles.
#include <gtest/gtest.h>

#include "gallery/GalleryForm.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/WinSkinMenu.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/StdCtrls.h"

namespace {

bool PumpUntil(const std::function<bool()>& done, DWORD maxMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > maxMs) return false;
    ui::Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

gallery::TGalleryForm* ShowGallery() {
  auto* form = new gallery::TGalleryForm(nullptr);
  EXPECT_TRUE(form->LoadSkin(gallery::EmbeddedSkinPayload()));
  form->Show();
  SetForegroundWindow(form->Handle());
  PumpUntil(
      [&] {
        skin::TWinSkinForm* s = skin::SkinManager()->FindForm(form->Handle());
        return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
      },
      3000);
  wintest::PumpUntilIdle(10);
  return form;
}

long Counters() { return ui::HandleCounts::Total() + ui::LiveFrameworkWindows(); }

}  // namespace

TEST(SkinGallery, EveryRowHasASkinnedControlAndANativeTwin) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  skin::TWinSkinForm* skinner = skin::SkinManager()->FindForm(form->Handle());
  ASSERT_NE(skinner, nullptr);
  ASSERT_FALSE(form->Rows().empty());
  for (const auto& row : form->Rows()) {
    auto* native = dynamic_cast<ui::TWinControl*>(row.native);
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->Tag(), 99);
    EXPECT_NE(SendMessageW(native->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    // Every kind that has a skinner wears it in the skinned column.
    auto* skinned = dynamic_cast<ui::TWinControl*>(row.skinned);
    ASSERT_NE(skinned, nullptr);
    if (skinned->Is<ui::TButtonControl>()) {
      EXPECT_EQ(SendMessageW(skinned->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    }
  }
  delete form;
}

TEST(SkinGallery, HundredCreateShowPaintFreeCyclesGiveEveryHandleBack) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  delete ShowGallery();  // warm-up: the system's caches
  const long counters = Counters();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    gallery::TGalleryForm* form = ShowGallery();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    delete form;
  }
  EXPECT_EQ(Counters(), counters);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  EXPECT_TRUE(skin::SkinManager() == nullptr || skin::SkinManager()->Forms().empty());
}

namespace {
skin::TWinSkinForm* LiveSkinner(HWND wnd) {
  skin::TWinSkinForm* s = skin::SkinManager()->FindForm(wnd);
  return s && s->LifecycleState() == skin::TWinSkinForm::kLive ? s : nullptr;
}
}  // namespace

// The gallery's own menu switches the skin off and on: the bar goes back to a real menu and
// returns as a drawn one, and the switches give back every handle.
TEST(SkinGallery, MenuBarSwitchesTheSkinOffAndOnCleanly) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  const HWND wnd = form->Handle();
  ui::TMenuItem* galleryMenu = form->Menu()->Items()->Items(0);
  ui::TMenuItem* skinOn = galleryMenu->Items(0);
  ui::TMenuItem* skinOff = galleryMenu->Items(1);
  ASSERT_NE(LiveSkinner(wnd), nullptr);
  ASSERT_NE(LiveSkinner(wnd)->MenuBar(), nullptr);
  EXPECT_EQ(LiveSkinner(wnd)->MenuBar()->ButtonCount(), form->Menu()->Items()->Count());
  EXPECT_EQ(GetMenu(wnd), nullptr);  // the frame draws the bar itself

  auto switchTo = [&](ui::TMenuItem* item, bool skinned) {
    item->Click();
    EXPECT_TRUE(PumpUntil([&] { return (LiveSkinner(wnd) != nullptr) == skinned; }, 3000));
    wintest::PumpUntilIdle(10);
    EXPECT_TRUE(item->Checked());
  };
  switchTo(skinOff, false);
  EXPECT_EQ(GetMenu(wnd), form->Menu()->Handle());
  switchTo(skinOn, true);
  EXPECT_EQ(GetMenu(wnd), nullptr);

  const long counters = Counters();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 5; ++i) {
    switchTo(skinOff, false);
    switchTo(skinOn, true);
  }
  EXPECT_EQ(Counters(), counters);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  delete form;
}

// The right-to-left switch lays the drawn bar out again from the right edge.
TEST(SkinGallery, RightToLeftMenuRunsFromTheRightEdge) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  const HWND wnd = form->Handle();
  ui::TMenuItem* rightToLeft = form->Menu()->Items()->Items(1)->Items(1);
  auto firstButtonLeft = [&] {
    skin::TWinSkinForm* s = LiveSkinner(wnd);
    return s && s->MenuBar() && s->MenuBar()->ButtonCount() > 0 ? s->MenuBar()->Button(0)->Rect.left
                                                                : -1;
  };
  RECT window;
  GetWindowRect(wnd, &window);
  const int width = window.right - window.left;
  ASSERT_GE(firstButtonLeft(), 0);
  EXPECT_LT(firstButtonLeft(), width / 2);
  rightToLeft->Click();
  EXPECT_TRUE(PumpUntil([&] { return firstButtonLeft() > width / 2; }, 3000));
  rightToLeft->Click();
  EXPECT_TRUE(
      PumpUntil([&] { return firstButtonLeft() >= 0 && firstButtonLeft() < width / 2; }, 3000));
  delete form;
}
