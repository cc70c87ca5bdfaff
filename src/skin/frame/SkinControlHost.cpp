#include "skin/frame/SkinControlHost.h"

#include <algorithm>

#include "skin/frame/SkinMessages.h"
#include "ui/Bitmaps.h"
#include "ui/Controls.h"

namespace skin {

bool TSkinControlHost::AddControl(IControlSkinner* skinner) {
  if (std::find(controls_.begin(), controls_.end(), skinner) != controls_.end()) return true;
  controls_.push_back(skinner);
  return false;
}

void TSkinControlHost::RemoveControl(IControlSkinner* skinner) {
  const auto it = std::find(controls_.rbegin(), controls_.rend(), skinner);
  if (it != controls_.rend()) controls_.erase(std::next(it).base());
}

// A skinner whose window is gone serves nothing: a re-created window of its control, or a new
// window given the same handle, is skinned afresh.
bool TSkinControlHost::IsControlSkinned(ui::TControl* control) const {
  if (!control) return false;
  for (IControlSkinner* s : controls_)
    if (s->SkinnedControl() == control && !s->WindowDestroyed()) return true;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control))
    if (windowed->HandleAllocated() && SendMessageW(windowed->Handle(), SM_ISSKINNED, 0, 0) == 1)
      return true;
  return false;
}

const ImageDC& TSkinControlHost::SkinImage(ui::TBitmap* bitmap) {
  static const ImageDC kNone;
  if (!bitmap) return kNone;
  const HBITMAP handle = bitmap->Handle();
  for (CachedImage& c : images_)
    if (c.bitmap == bitmap) {
      if (c.handle != handle) {
        c.image = ImageDC(handle);
        c.handle = handle;
      }
      return c.image;
    }
  images_.push_back({bitmap, handle, ImageDC(handle)});
  return images_.back().image;
}

IControlSkinner* TSkinControlHost::FindSkinnerByWindow(HWND wnd) const {
  for (IControlSkinner* s : controls_)
    if (s->SkinnedWindow() == wnd && !s->WindowDestroyed()) return s;
  return nullptr;
}

bool TSkinControlHost::HasDestroyedControls() const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [](const IControlSkinner* s) { return s->WindowDestroyed(); });
}

void TSkinControlHost::PurgeDestroyed() {
  for (size_t i = controls_.size(); i-- > 0;) {
    if (i >= controls_.size()) continue;
    IControlSkinner* s = controls_[i];
    if (!s->WindowDestroyed()) continue;
    controls_.erase(controls_.begin() + static_cast<std::ptrdiff_t>(i));
    s->FreeSkinner();
  }
}

// Each skinner has one owner (its control) and leaves this list itself when freed, so the list
// is taken one at a time from the front.
void TSkinControlHost::FreeControls(bool undo) {
  while (!controls_.empty()) {
    IControlSkinner* s = controls_.front();
    controls_.erase(controls_.begin());
    if (undo && !s->WindowDestroyed()) s->DetachSkin();
    s->FreeSkinner();
  }
}

void TSkinControlHost::SkinChanged() {
  // A skinner may leave the list while it takes the new skin.
  const std::vector<IControlSkinner*> controls = controls_;
  for (IControlSkinner* c : controls) c->SkinChanged();
}

}  // namespace skin
