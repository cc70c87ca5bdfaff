#include "skin/frame/SkinControlHost.h"

#include <algorithm>

#include "skin/frame/ScaledFrameSkin.h"
#include "skin/frame/ScaledSkinImage.h"
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

namespace {
HBITMAP HandleOf(ui::TBitmap* bitmap) { return bitmap ? bitmap->Handle() : nullptr; }
}  // namespace

void TSkinControlHost::Make(CachedImage& c) {
  c.handle = HandleOf(c.bitmap);
  c.handle2x = HandleOf(c.art2x);
  c.image = ScaledSkinImage(c.handle, c.handle2x, Scale::FromDpi(dpi_), c.frames, c.vertical);
}

const ImageDC& TSkinControlHost::SkinImage(ui::TBitmap* bitmap, int frames, bool vertical,
                                           ui::TBitmap* art2x) {
  static const ImageDC kNone;
  if (!bitmap) return kNone;
  frames = std::max(frames, 1);
  for (CachedImage& c : images_)
    if (c.bitmap == bitmap && c.frames == frames && c.vertical == vertical && c.art2x == art2x) {
      if (c.handle != HandleOf(bitmap) || c.handle2x != HandleOf(art2x)) Make(c);
      return c.image;
    }
  images_.push_back({bitmap, art2x, frames, vertical, nullptr, nullptr, ImageDC()});
  Make(images_.back());
  return images_.back().image;
}

int TSkinControlHost::Metric(int index) const {
  const auto it = metrics_.find(index);
  if (it != metrics_.end()) return it->second;
  return metrics_[index] = MetricAtDpi(index, dpi_);
}

void TSkinControlHost::SetDpi(int dpi) {
  dpi = dpi > 0 ? dpi : 96;
  if (dpi == dpi_) return;
  dpi_ = dpi;
  metrics_.clear();
  for (CachedImage& c : images_) Make(c);
  // A skinner may leave the list meanwhile.
  const std::vector<IControlSkinner*> controls = controls_;
  for (IControlSkinner* c : controls)
    if (std::find(controls_.begin(), controls_.end(), c) != controls_.end()) c->DpiChanged();
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
