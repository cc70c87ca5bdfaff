// Helpers of the gallery's tests.
#pragma once

#include "gallery/GalleryForm.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace gallerytest {

// The gallery with its embedded skin (or the skin of `payload`, as a form stores it), shown,
// activated and skinned.
inline gallery::TGalleryForm* ShowGallery(const std::vector<uint8_t>& payload = {}) {
  auto* form = new gallery::TGalleryForm(nullptr);
  EXPECT_TRUE(form->LoadSkin(payload.empty() ? gallery::EmbeddedSkinPayload() : payload));
  form->Show();
  SetForegroundWindow(form->Handle());
  wintest::PumpUntil(
      [&] {
        skin::TWinSkinForm* s = skin::SkinManager()->FindForm(form->Handle());
        return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
      },
      3000);
  wintest::PumpUntilIdle(10, 500);  // first paints; timers of the controls keep it from idling
  return form;
}

}  // namespace gallerytest
