// Progress bars drawn whole from the Progress strip (or its chunk image), lying or standing.
#pragma once

#include "skin/controls/SkinWholePainter.h"

namespace skin {

class TSkinProgress : public TSkinWholePainter {
  UI_CLASS(TSkinProgress, TSkinWholePainter)
 public:
  using TSkinWholePainter::TSkinWholePainter;

 protected:
  void PaintControl(HDC dc, const RECT& rect) override;
  TDataSkinObject* Bar() const override;

 private:
  // The bar drawn lying down, `length` long and `thickness` high, into dc at the origin.
  void PaintBar(HDC dc, int length, int thickness);
};

}  // namespace skin
