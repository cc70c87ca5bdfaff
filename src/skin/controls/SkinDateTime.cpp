#include "skin/controls/SkinDateTime.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "skin/controls/PageGeometry.h"
#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/PaintPrimitives.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinDateTime, TSkinControl)
UI_IMPLEMENT_CLASS(TArrowButton, ui::TCustomControl)

TSkinDateTime::~TSkinDateTime() {
  if (button_) button_->Free();
}

void TSkinDateTime::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  UpdateButton();
}

void TSkinDateTime::SkinChanged() {
  UpdateButton();
  TSkinControl::SkinChanged();
  if (button_) button_->Invalidate();  // a window of its own: the picker's repaint leaves it out
}

// The arrow button exists while the skin has an arrow image; without one the picker's own button
// shows. A picker with spin buttons (a time picker) has no drop-down button to cover: its up-down
// stays as it is.
void TSkinDateTime::UpdateButton() {
  if (!handle_ || !Active()) return;
  const bool spins = (GetWindowLongPtrW(handle_, GWL_STYLE) & DTS_UPDOWN) != 0;
  const bool wanted = !spins && HasImage(skin_ ? skin_->ComboxArrow() : nullptr);
  if (!wanted && button_) std::exchange(button_, nullptr)->Free();
  if (!wanted || button_) return;
  button_ = new TArrowButton(this, handle_);
  SetWindowLongPtrW(handle_, GWL_STYLE, GetWindowLongPtrW(handle_, GWL_STYLE) | WS_CLIPCHILDREN);
  PlaceButton();
  button_->HandleNeeded();
}

void TSkinDateTime::Detach() {
  if (button_) std::exchange(button_, nullptr)->Free();
  TSkinControl::Detach();
}

void TSkinDateTime::PlaceButton() {
  if (!button_ || !handle_) return;
  RECT w{};
  GetWindowRect(handle_, &w);
  const bool left = GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  const ImageRect r =
      DateTimeArrowRect(w.right - w.left, w.bottom - w.top, Metric(SM_CXHSCROLL), left, DpiScale());
  button_->SetBounds(r.left, r.top, r.width(), r.height());
}

void TSkinDateTime::ActiveChanged(bool active) {
  if (active)
    UpdateButton();
  else if (button_)
    std::exchange(button_, nullptr)->Free();
  TSkinControl::ActiveChanged(active);
}

void TSkinDateTime::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_STYLECHANGED:
      // A picker turned into a time picker (or back) gets or loses the arrow button.
      if (static_cast<int>(message.WParam) == GWL_STYLE) UpdateButton();
      break;
    case WM_SIZE:
      PlaceButton();
      if (button_) button_->Invalidate();
      return;
    case WM_NCPAINT:
      // The picker's own edge was drawn over ours.
      PaintFrame(nullptr);
      return;
    default:
      TSkinControl::AfterMessage(message);
      return;
  }
}

void TSkinDateTime::PaintControl(HDC dc, const RECT& rect) {
  PlaceButton();
  RECT client{};
  GetClientRect(handle_, &client);
  if (client.right == rect.right - rect.left || client.bottom == rect.bottom - rect.top) return;
  ui::SaveDCGuard saved(dc);
  SetDCBrushColor(dc, static_cast<COLORREF>(skin_->GetRGB(ciButtonShadow)));
  FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TArrowButton::TArrowButton(TSkinDateTime* skinner, HWND picker)
    : ui::TCustomControl(skinner), skinner_(skinner), picker_(picker) {
  SetParentWindow(picker);
}

TArrowButton::~TArrowButton() {
  if (skinner_ && skinner_->button_ == this) skinner_->ButtonGone();
}

void TArrowButton::CreateParams(ui::TCreateParams& p) {
  ui::TCustomControl::CreateParams(p);
  p.Style |= WS_CLIPSIBLINGS;
}

void TArrowButton::Paint() {
  TSkinData* skin = skinner_->skin_;
  const RECT r{0, 0, Width(), Height()};
  HDC dc = Canvas()->Handle();
  if (skin && skin->ButtonFaceBrush()) FillRect(dc, &r, skin->ButtonFaceBrush());
  TDataSkinObject* arrow = skin ? skin->ComboxArrow() : nullptr;
  if (!HasImage(arrow) || !skinner_->form_) return;
  const int frames = std::max(arrow->Frame, 1);
  const ImageDC& image = ElementImageAt(*skinner_->form_, *arrow, frames);
  ExecutePlanFrom(dc, 0, 0,
                  PlanFrame(image.width(), image.height(), r.right, r.bottom, frames,
                            ArrowButtonFrame(hot_, frames)),
                  image, false);
}

void TArrowButton::WndProc(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: {
      ui::TCustomControl::WndProc(m);
      // The picker opens its calendar on a click on its own button, which lies under this one.
      const int x = GET_X_LPARAM(m.LParam) + Left(), y = GET_Y_LPARAM(m.LParam) + Top();
      PostMessageW(picker_, WM_LBUTTONDOWN, m.WParam, MAKELPARAM(x, y));
      PostMessageW(picker_, WM_LBUTTONUP, m.WParam, MAKELPARAM(x, y));
      Invalidate();
      return;
    }
    case WM_LBUTTONUP:
      ui::TCustomControl::WndProc(m);
      ::SetFocus(picker_);
      return;
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
      ui::TCustomControl::WndProc(m);
      if (IsWindowEnabled(picker_)) {
        hot_ = m.Msg == ui::CM_MOUSEENTER;
        Invalidate();
      }
      return;
    default:
      ui::TCustomControl::WndProc(m);
      return;
  }
}

}  // namespace skin
