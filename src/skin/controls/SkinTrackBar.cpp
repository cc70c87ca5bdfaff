#include "skin/controls/SkinTrackBar.h"

#include <commctrl.h>

#include "skin/controls/PageGeometry.h"
#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/PaintPrimitives.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinTrackBar, TSkinControl)

bool TSkinTrackBar::Vertical() const { return GetWindowLongPtrW(handle_, GWL_STYLE) & TBS_VERT; }

bool TSkinTrackBar::IsOwnCustomDraw(const ui::TMessage& message) const {
  if (message.Msg != WM_NOTIFY && message.Msg != ui::CN_NOTIFY) return false;
  const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
  if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW)) return false;
  // The control's tooltip notifies the control itself with WM_NOTIFY, custom draw included: only
  // the control's own notification, reflected back to it by its parent, is answered here.
  if (header->hwndFrom != handle_) return false;
  return message.Msg == WM_NOTIFY || ui::InReflection();
}

bool TSkinTrackBar::BeforeMessage(ui::TMessage& message) {
  if (IsOwnCustomDraw(message)) {
    message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam));
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  switch (draw.dwItemSpec) {
    case TBCD_THUMB:
      PaintThumb(draw.hdc);
      return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL:
      return PaintChannel(draw.hdc) ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
    default:  // the tics are the control's own
      return CDRF_DODEFAULT;
  }
}

void TSkinTrackBar::PaintThumb(HDC dc) {
  RECT r{};
  SendMessageW(handle_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
  TDataSkinObject* image = nullptr;
  if (Vertical()) image = skin_->FindElement("Trackbar.ThumbVert");
  if (!HasImage(image)) image = skin_->FindElement("Trackbar.ThumbHorz");
  if (HasImage(image)) {
    DrawGlyphFrame(dc, r, 5, 2, *image->Bitmap);
    return;
  }
  // No thumb image: a plain outline in the skin's shadow colour, with stock objects only.
  ui::SaveDCGuard saved(dc);
  SelectObject(dc, GetStockObject(DC_PEN));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, static_cast<COLORREF>(skin_->GetRGB(ciButtonShadow)));
  SetDCBrushColor(dc, static_cast<COLORREF>(skin_->GetRGB(ciButtonFace)));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

bool TSkinTrackBar::PaintChannel(HDC dc) {
  RECT reported{};
  SendMessageW(handle_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&reported));
  const bool vertical = Vertical();
  TDataSkinObject* e = skin_->FindElement(vertical ? "TRACKVERT" : "Track");
  if (!HasImage(e)) return false;
  const ImageDC& image = ElementImage(*e, 1);
  if (image.empty()) return false;
  const ImageRect m = ScaledMargins(*e, 1);
  const ImageRect channel =
      vertical ? VerticalChannel(ToImageRect(reported)) : ToImageRect(reported);
  const PaintPlan plan =
      vertical ? PlanTrackChannel(image.width(), image.height(), channel, m.top, m.bottom, true)
               : PlanTrackChannel(image.width(), image.height(), channel, m.left, m.right, false);
  ExecutePlanFrom(dc, 0, 0, plan, image, false);
  return true;
}

void TSkinTrackBar::SkinChanged() {
  // Only a repaint: taking the focus to refresh would bring a background window to the front.
  TSkinControl::SkinChanged();
}

}  // namespace skin
