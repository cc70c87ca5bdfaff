// The skin gallery window: skinned beside its native twins, and freed without a trace after many
// create/show/paint/free cycles.
#include <gtest/gtest.h>

#include "gallery/GalleryForm.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/CheckCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/MPlayer.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabCtrls.h"

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

// SM_ISSKINNED through the window, or through the message handler of a window-less control.
LRESULT AskSkinned(ui::TControl* control) {
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control))
    return SendMessageW(windowed->Handle(), skin::SM_ISSKINNED, 0, 0);
  return control->Perform(skin::SM_ISSKINNED, 0, 0);
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
    SCOPED_TRACE(std::string(row.title.begin(), row.title.end()));
    ASSERT_NE(row.native, nullptr);
    ASSERT_NE(row.skinned, nullptr);
    EXPECT_EQ(row.native->Tag(), 99);
    EXPECT_NE(AskSkinned(row.native), 1);
    // Every kind that has a skinner wears it in the skinned column; plain boxes are recoloured
    // and listed, never hooked.
    if (row.skinned->Is<ui::TCustomPanel>()) {
      EXPECT_TRUE(skinner->IsControlSkinned(row.skinned));
      EXPECT_FALSE(skinner->IsControlSkinned(row.native));
    } else if (row.skinned->Is<ui::TButtonControl>() || row.skinned->Is<ui::TGroupBox>() ||
               row.skinned->Is<ui::TSpeedButton>() || row.skinned->Is<ui::TStatusBar>() ||
               row.skinned->Is<ui::TCustomTabControl>() || row.skinned->Is<ui::TTabSet>() ||
               row.skinned->Is<ui::TMediaPlayer>()) {
      EXPECT_EQ(AskSkinned(row.skinned), 1);
    }
  }
  delete form;
}

TEST(SkinGallery, FiftyCreateShowPaintFreeCyclesGiveEveryHandleBack) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  delete ShowGallery();  // warm-up: the system's caches
  const long counters = Counters();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    gallery::TGalleryForm* form = ShowGallery();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    delete form;
  }
  EXPECT_EQ(Counters(), counters);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  EXPECT_TRUE(skin::SkinManager() == nullptr || skin::SkinManager()->Forms().empty());
}
