#include "ui/MenuButton.h"

#include <algorithm>

#include "ui/Menus.h"
#include "ui/TypInfo.h"

namespace ui {

UI_IMPLEMENT_CLASS(TMenuButton, TBitBtn,
                   P::Obj<TPopupMenu>("DropDownMenu", &TMenuButton::DropDownMenu,
                                      &TMenuButton::SetDropDownMenu))

TMenuButton::TMenuButton(TComponent* AOwner) : TBitBtn(AOwner) {}

void TMenuButton::SetDropDownMenu(TPopupMenu* menu) {
  if (menu == dropDown_) return;
  if (dropDown_) dropDown_->RemoveFreeNotification(this);
  dropDown_ = menu;
  if (dropDown_) dropDown_->FreeNotification(this);
}

void TMenuButton::Notification(TComponent* component, TOperation operation) {
  TBitBtn::Notification(component, operation);
  if (operation == TOperation::opRemove && component == dropDown_) dropDown_ = nullptr;
}

void TMenuButton::Click() {
  if (!dropDown_) {
    TBitBtn::Click();
    return;
  }
  RECT r{};
  GetWindowRect(Handle(), &r);
  dropDown_->Popup(r.left, r.bottom);
}

void TMenuButton::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM && InReflection()) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = TRUE;
    return;
  }
  TBitBtn::WndProc(m);
}

void TMenuButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool down = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  SaveDCGuard saved(dc);
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  const int shift = down ? 1 : 0;
  const int w = r.right - r.left, h = r.bottom - r.top;
  // Glyph and caption to the left of the arrow, which keeps the right edge; the room around
  // them and the arrow are 96-dpi lengths at the button's DPI.
  int x = std::max(Margin(), ScaledLength(4));
  TBitmap* glyph = Glyph();
  if (glyph && !glyph->Empty()) {
    const COLORREF key = ColorToRGB(glyph->TransparentColor());
    MemoryDC src = MakeMemoryDC(dc);
    SelectGuard selected(src.get(), glyph->Handle());
    TransparentBlt(dc, x + shift, (h - glyph->Height()) / 2 + shift, glyph->Width(),
                   glyph->Height(), src.get(), 0, 0, glyph->Width(), glyph->Height(), key);
    x += glyph->Width() + std::max(Spacing(), 0);
  }
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(disabled ? clGrayText : Font()->Color()));
  const std::wstring text = Caption();
  RECT tr{x + shift, shift, w - ScaledLength(14) + shift, h + shift};
  DrawTextW(dc, text.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  const int half = ScaledLength(3);
  const int ax = w - ScaledLength(9) + shift, ay = (h - half) / 2 + shift;
  const POINT arrow[3] = {{ax - half, ay - ScaledLength(1)},
                          {ax + half, ay - ScaledLength(1)},
                          {ax, ay + ScaledLength(2)}};
  HBRUSH brush = GetSysColorBrush(disabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
  SelectObject(dc, brush);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, arrow, 3);
  if (item.itemState & ODS_FOCUS) {
    RECT f = r;
    InflateRect(&f, -ScaledLength(3), -ScaledLength(3));
    DrawFocusRect(dc, &f);
  }
}

}  // namespace ui
