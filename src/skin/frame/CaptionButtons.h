// The non-client hot objects of a skinned frame: the caption buttons (close, maximize/restore,
// minimize, help, the window icon and any button the skin defines), each one caption-button
// element of the skin with its own image, place, visibility rules and action. The frame owns them;
// at most one of them is hot or pressed at a time (the frame's HotObject).
#pragma once

#include <windows.h>

#include "imaging/PaintPlans.h"
#include "skin/data/SkinElements.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FramePainter.h"

namespace skin {

class TWinSkinForm;

class TNCObject {
 public:
  explicit TNCObject(TWinSkinForm* owner) : Owner(owner) {}
  virtual ~TNCObject();
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  TWinSkinForm* Owner;
  ImageRect Rect;        // window coordinates
  bool Visible = false;  // shown and able to react
  int State = 1;         // 1 normal, 2 pressed, 3 hot
  bool Enabled = true;

  // The state machine; only visible objects change state.
  virtual void MouseDown();
  virtual void MouseUp();
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Paint() {}
};

class TWinSysButton : public TNCObject {
 public:
  // `image`: the element's image at the window's DPI (held by the frame's scaled skin).
  TWinSysButton(TWinSkinForm* owner, TDataSkinSysButton* skinButton, const ImageDC& image);

  TDataSkinSysButton* SkinButton;
  int Frames = 1;

  // The image at the window's DPI (empty for the icon button).
  const ImageDC& Image() const { return *image_; }
  int Action() const { return SkinButton->Action; }
  bool ShowsIcon() const;
  // The skin's place for the button, measured at 96 dpi (the icon button is the small icon).
  CaptionButtonPlace Place() const;
  bool HasImage() const { return !image_->empty() || ShowsIcon(); }
  void Paint() override;

 private:
  const ImageDC* image_;
};

}  // namespace skin
