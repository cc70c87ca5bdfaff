#include "skin/controls/SkinBoxes.h"

#include <algorithm>

#include "skin/frame/CanvasPrimitives.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinGroupBox, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinBox, TSkinControl)

// ---- Group boxes
// ---------------------------------------------------------------------------------

void TSkinGroupBox::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  if (control_) Mode = 1;
}

bool TSkinGroupBox::BeforeMessage(ui::TMessage& message) {
  if (Mode == 1 && message.Msg == WM_PAINT) {
    PaintMessage(message);
    return false;
  }
  if (Mode == 1 && message.Msg == WM_ERASEBKGND) {
    message.Result = 1;  // the paint fills the whole box
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinGroupBox::PaintControl(HDC dc, const RECT& rect) {
  std::wstring caption = ReadWindowText(handle_);
  if (caption.empty() && control_) caption = ControlCaption();
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  ui::SaveDCGuard saved(dc);
  if (control_) FillFace(dc, rect);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  COLORREF textColour = static_cast<COLORREF>(skin_->GetRGB(ciButtonText));
  if (control_) {
    font = control_->Font()->Handle();
    textColour = ui::ColorToRGB(control_->Font()->Color());
  }
  if (font) SelectObject(dc, font);
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int y = zero.cy / 2 - 1;
  if (Mode == 0 && skin_->ButtonFaceBrush()) {
    // Wipe the control's own frame first.
    RECT f{0, y, W, H};
    FrameRect(dc, &f, skin_->ButtonFaceBrush());
    InflateRect(&f, -1, -1);
    FrameRect(dc, &f, skin_->ButtonFaceBrush());
  }
  {
    ui::SelectGuard pen(dc, GetStockObject(DC_PEN));
    ui::SelectGuard brush(dc, GetStockObject(NULL_BRUSH));
    SetDCPenColor(dc, static_cast<COLORREF>(skin_->GetRGB(ciButtonShadow)));
    RoundRect(dc, 1, y, W - 1, H - 1, Scaled(5), Scaled(5));
  }
  // The caption is drawn opaque on the face colour, so it cuts the frame line.
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, static_cast<COLORREF>(skin_->GetRGB(ciButtonFace)));
  SetTextColor(dc, textColour);
  const bool right = GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_RIGHT;
  RECT text = rect;
  if (right) {
    text.right -= Scaled(8);
    SkinDrawText(dc, caption, text, AddReadingOrder(DT_RIGHT | DT_EXPANDTABS | DT_SINGLELINE));
  } else {
    text.left += Scaled(8);
    SkinDrawText(dc, caption, text, DT_EXPANDTABS | DT_SINGLELINE);
  }
  if (Mode == 1)
    if (auto* windowed = dynamic_cast<ui::TWinControl*>(control_))
      windowed->PaintControls(dc, nullptr);
}

// ---- Plain boxes
// ---------------------------------------------------------------------------------

void TSkinBox::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  AttachUnhooked(form, skin, recolour);
}

void TSkinBox::Detach() {
  // Nothing is hooked, so the window's end is not seen: a window already gone (or a control
  // being freed) counts as destroyed, and its colour is left alone.
  const bool gone =
      (handle_ && !IsWindow(handle_)) || (control_ && control_->HasState(ui::csDestroying));
  if (gone) SetState(kWindowDestroyed);
  TSkinControl::Detach();
  if (!gone) SetState(kDetached);
}

}  // namespace skin
