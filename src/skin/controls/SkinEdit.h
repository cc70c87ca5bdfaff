// Edit boxes with a flat skinned border: after the control has painted itself (client or frame),
// a three-pixel band is drawn inside the window's outer edge (one line in the state's edge colour,
// two white lines). The control keeps its client area, caret, text and colours. An up-down that
// lives inside the edit (a spin edit's button) is handed to the up-down skinner once: a child that
// is skinned already keeps its skinner and is only told that it is embedded.
#pragma once

#include "skin/controls/EditGeometry.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
  UI_CLASS(TSkinEdit, TSkinControl)
 public:
  explicit TSkinEdit(ui::TComponent* owner);
  void Detach() override;
  // The spin child found inside the edit (null until one was found).
  HWND SpinWindow() const { return spinWindow_; }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  // The band covers the whole system frame (no scroll bars, a border of at most three pixels).
  bool OwnsFrame() const;
  void FindSpin();
  // The band into dc at rect (the window rectangle in dc's coordinates); with innerLineOnly only
  // its innermost line, the one on the client area (the others lie on the frame).
  void PaintBand(HDC dc, const RECT& rect, bool innerLineOnly);
  // The border of a printed edit: one ButtonShadow line, one in the DC's current brush.
  void PrintFrame(HDC dc);
  EditBorderState ReadState();

  // The band's parts as regions, kept while the edit keeps its size (no object per paint).
  enum BandPart { kEdgeLine, kWhiteLines, kInnerLine, kBandParts };
  struct CachedRegion {
    RECT rect{};
    ui::GdiRegion region;
  };
  HRGN BandRegion(BandPart part, const RECT& rect);
  CachedRegion regions_[kBandParts];

  HWND spinWindow_ = nullptr;
  bool searchSpin_ = true;  // a child may have come or gone (WM_PARENTNOTIFY)
  bool focusKnown_ = false, hasFocus_ = false;
  bool inPaint_ = false;   // inside the control's own WM_PAINT
  bool tracking_ = false;  // the pointer's leaving is tracked
};

}  // namespace skin
