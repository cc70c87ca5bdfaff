// Header controls drawn whole from the skin's Headerbar strip, with the hovered item lit.
#pragma once

#include <vector>

#include "imaging/PaintPlans.h"
#include "skin/controls/SkinWholePainter.h"

namespace skin {

// Header controls (named after their Headerbar strip: TSkinHeader is the skin stream's header).
class TSkinHeaderBar : public TSkinWholePainter {
  UI_CLASS(TSkinHeaderBar, TSkinWholePainter)
 public:
  using TSkinWholePainter::TSkinWholePainter;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) override;
  int HotItem() const { return hot_; }

 protected:
  void AfterMessage(ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;
  TDataSkinObject* Bar() const override;

 private:
  void PaintItem(HDC dc, int index, const RECT& r, HIMAGELIST images);
  void SetHot(int item);
  // The items' hover rectangles of the last paint.
  std::vector<ImageRect> items_;
  int hot_ = -1;
};

}  // namespace skin
