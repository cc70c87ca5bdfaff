// The non-client hot objects of a skinned frame: the caption buttons (close, maximize/restore,
// minimize, help, the window icon and any button the skin defines), each one caption-button
// element of the skin with its own image, place, visibility rules and action. The frame owns them;
// at most one of them is hot or pressed at a time (the frame's HotObject).
#pragma once

#include <windows.h>

#include "imaging/PaintPlans.h"
#include "skin/data/SkinElements.h"
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
  TWinSysButton(TWinSkinForm* owner, TDataSkinSysButton* skinButton);

  TDataSkinSysButton* SkinButton;
  // The button's own copy of its image (empty for the icon button).
  ImageDC Image;
  int Frames = 1;

  int Action() const { return SkinButton->Action; }
  bool ShowsIcon() const;
  // One frame's size (the icon button without an image is the small-icon size).
  int FrameWidth() const;
  int FrameHeight() const;
  bool HasImage() const { return !Image.empty() || ShowsIcon(); }
  void Paint() override;
};

}  // namespace skin
