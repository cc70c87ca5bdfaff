#include "skin/controls/SkinFaceFills.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinTabSheet, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinBoxH, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinSizer, TSkinControl)

bool TSkinTabSheet::BeforeMessage(ui::TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (Mode != 0) return true;
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(handle_, &client);
      FillFace(reinterpret_cast<HDC>(message.WParam), client);
      message.Result = 1;
      return false;
    }
    default:
      return true;
  }
}

void TSkinTabSheet::PaintControl(HDC dc, const RECT& rect) {
  FillFace(dc, rect);
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control_))
    windowed->PaintControls(dc, nullptr);
}

bool TSkinBoxH::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: {
      RECT r{};
      GetWindowRect(handle_, &r);
      OffsetRect(&r, -r.left, -r.top);
      FillFace(reinterpret_cast<HDC>(message.WParam), r);
      message.Result = 0;
      return false;
    }
    case WM_CTLCOLORSTATIC:
      CallPrevious(message);
      if (skin_ && skin_->ButtonFaceBrush())
        message.Result = reinterpret_cast<LRESULT>(skin_->ButtonFaceBrush());
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinSizer::PaintControl(HDC dc, const RECT& rect) { FillFace(dc, rect); }

}  // namespace skin
