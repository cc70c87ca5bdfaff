// The skin gallery window: skinned beside its native twins, and freed without a trace after many
// create/show/paint/free cycles.
#include <gtest/gtest.h>

#include "gallery/GalleryForm.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"
#include "ui/UpDown.h"

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
    if (skinned->Is<ui::TButtonControl>() || skinned->Is<ui::TCustomEdit>() ||
        skinned->Is<ui::TUpDown>()) {
      EXPECT_EQ(SendMessageW(skinned->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    }
    // A spin edit's button is skinned with its edit, and stays native with its twin.
    if (auto* spin = dynamic_cast<ui::TSpinEdit*>(skinned)) {
      EXPECT_EQ(SendMessageW(spin->Button()->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    }
    if (auto* spin = dynamic_cast<ui::TSpinEdit*>(native)) {
      EXPECT_NE(SendMessageW(spin->Button()->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
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
