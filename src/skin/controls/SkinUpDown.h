// Up-down buttons (the system's up-down control and the framework's spin buttons) drawn from the
// skin's 8-frame UpDown.Vert / UpDown.Horz strips and their glyph strips. The control keeps its own
// behaviour (capture, auto-repeat, buddy updates); the skinner paints, and shows the half under the
// pointer pressed while the left button is held, hot while the pointer is over it. A skin without
// the strip of the control's layout gets plain halves in the skin's colours, with line arrows.
#pragma once

#include "skin/controls/EditGeometry.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinUpDown : public TSkinControl {
  UI_CLASS(TSkinUpDown, TSkinControl)
 public:
  explicit TSkinUpDown(ui::TComponent* owner);

  // The up-down lives inside an edit box: it keeps clear of the edit's border band and tells the
  // edit when the pointer leaves (the edit's hover look covers its spin button too).
  bool Embedded() const { return embedded_; }
  void SetEmbedded(bool on);
  // 1 forces the left/right layout whatever the window style says (tab scrollers).
  int Horizontal() const { return horizontal_; }
  void SetHorizontal(int on);

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  bool IsHorizontal() const;
  // The strip of the control's layout; null when the skin has none (plain halves are drawn).
  TDataSkinBorder* Strip() const;
  // Where the halves are painted, in window coordinates.
  ImageRect PaintedRect(int width, int height) const;
  SpinHalf PointerHalf(const ImageRect& painted) const;
  void DrawHalf(HDC dc, const ImageRect& r, SpinHalf half, int state, TDataSkinBorder& strip);
  void DrawPlainHalf(HDC dc, const ImageRect& r, SpinHalf half, int state);
  // The pointer moved over the control or left it: repaint when another half is under it.
  void PointerChanged(bool inside);

  bool embedded_ = false;
  int horizontal_ = 0;
  SpinHalf shownHalf_ = SpinHalf::None;  // the half under the pointer at the last paint
};

// A solid rectangle in the stock DC brush (no GDI object is made), and a skin colour as a
// COLORREF.
void FillSolid(HDC dc, const RECT& r, COLORREF colour);
// Puts the DC's brush and DC brush colour back as they were (cheaper than a saved DC state).
class BrushKeeper {
 public:
  explicit BrushKeeper(HDC dc)
      : dc_(dc), brush_(GetCurrentObject(dc, OBJ_BRUSH)), colour_(GetDCBrushColor(dc)) {}
  ~BrushKeeper() {
    SetDCBrushColor(dc_, colour_);
    SelectObject(dc_, brush_);
  }
  BrushKeeper(const BrushKeeper&) = delete;
  BrushKeeper& operator=(const BrushKeeper&) = delete;

 private:
  HDC dc_;
  HGDIOBJ brush_;
  COLORREF colour_;
};
COLORREF ColourRef(Colour c);

}  // namespace skin
