// Tab controls: the system tab control with its tabs on any side, drawn upright from the skin's
// Tabs image and turned into place, with optional close boxes; and the framework's old tab set.
#pragma once

#include <vector>

#include "skin/controls/BoxGeometry.h"
#include "skin/controls/SkinControl.h"
#include "skin/frame/FramePainter.h"

namespace skin {

class TSkinTab : public TSkinControl {
  UI_CLASS(TSkinTab, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) override;
  void SkinChanged() override;
  void DpiChanged() override {
    TSkinControl::DpiChanged();
    Prepare();
  }
  bool CloseBoxes() const { return closeBoxes_; }
  TabSide Side() const { return side_; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  void Prepare();
  void FindUpDown();
  bool CloseTabAt(int x, int y);
  void DrawTabs(HDC dc, const ImageRect& strip, int drawnWidth, int drawnHeight);

  ImageDC face_, border_;
  RECT borderMargins_{4, 5, 4, 4};
  FrameBuffer upright_, turned_;
  std::vector<ImageRect> closeBoxes_rects_;
  TabSide side_ = TabSide::Top;
  bool closeBoxes_ = false;
  bool upDownDone_ = false;
};

// The old tab set: its tabs hang from the top edge, and its scroll control (an up-down child that
// appears when the tabs overflow) wears the skin laid out left and right.
class TSkinTab31 : public TSkinControl {
  UI_CLASS(TSkinTab31, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) override;
  void SkinChanged() override;
  void DpiChanged() override {
    TSkinControl::DpiChanged();
    Prepare();
  }
  HWND Scroller() const { return scroller_; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  void Prepare();
  void FindScroller();
  ImageDC face_;
  HWND scroller_ = nullptr;
};

}  // namespace skin
