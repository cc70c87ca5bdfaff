// The control side of a skinned window: the control skinners its form skinner lists, the
// off-screen buffer they all compose in, and the skin images they paint from, each kept selected
// in a DC of its own so that painting a control creates no GDI object. The form skinner owns one
// and hands it to the skinners it attaches; they see nothing else of the frame.
#pragma once

#include <windows.h>

#include <list>
#include <map>
#include <vector>

#include "skin/frame/FrameHost.h"
#include "skin/frame/FramePainter.h"

namespace skin {

class TSkinControlHost final : public IControlSkinnerHost {
 public:
  TSkinControlHost() = default;
  ~TSkinControlHost() = default;
  TSkinControlHost(const TSkinControlHost&) = delete;
  TSkinControlHost& operator=(const TSkinControlHost&) = delete;

  // ---- IControlSkinnerHost
  bool AddControl(IControlSkinner* skinner) override;
  void RemoveControl(IControlSkinner* skinner) override;
  FrameBuffer& ControlBuffer() override { return buffer_; }
  const ImageDC& SkinImage(ui::TBitmap* bitmap, int frames, bool vertical,
                           ui::TBitmap* art2x) override;
  IControlSkinner* FindSkinnerByWindow(HWND wnd) const override;
  int Dpi() const override { return dpi_; }
  int Metric(int index) const override;
  // The images already made are made again at once for the new DPI, so that the paints that
  // follow find them ready.
  void SetDpi(int dpi);

  const std::vector<IControlSkinner*>& Controls() const { return controls_; }
  // A live skinner of the list serves the control, or the control's window answers SM_ISSKINNED.
  bool IsControlSkinned(ui::TControl* control) const;
  bool HasDestroyedControls() const;
  // Frees the skinners whose windows are gone, from the last to the first.
  void PurgeDestroyed();
  // Frees every skinner, taking each off its control first when `undo` (not while the window
  // is being destroyed).
  void FreeControls(bool undo);
  // Tells every listed skinner that the skin changed.
  void SkinChanged();
  // The skin's images are replaced: the copies go and are made again on first use.
  void ForgetImages() { images_.clear(); }

 private:
  struct CachedImage {
    ui::TBitmap* bitmap;
    ui::TBitmap* art2x;
    int frames;
    bool vertical;
    HBITMAP handle, handle2x;  // what the image was made from
    ImageDC image;
  };
  void Make(CachedImage& c);
  std::vector<IControlSkinner*> controls_;
  std::list<CachedImage> images_;  // a list: references stay valid as it grows
  FrameBuffer buffer_;
  int dpi_ = 96;
  mutable std::map<int, int> metrics_;  // at dpi_
};

}  // namespace skin
