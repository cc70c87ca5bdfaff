#include "skin/controls/SkinTabButtons.h"

#include <commctrl.h>

#include <algorithm>

namespace skin {

UI_IMPLEMENT_CLASS(TSkinTabBtn, TSkinControl)

bool TSkinTabBtn::BeforeMessage(ui::TMessage& message) {
  if (message.Msg == WM_PAINT) {
    PaintMessage(message);
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinTabBtn::PaintControl(HDC dc, const RECT& rect) {
  TDataSkinButton* buttons = skin_ ? skin_->Buttons() : nullptr;
  if (!buttons || buttons->Empty()) return;
  enabled_ = control_ ? control_->Enabled() : IsWindowEnabled(handle_) != FALSE;
  RECT page = rect;
  SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  InflateRect(&page, 4, 4);
  const RECT strip{rect.left, rect.top, rect.right, page.top + 1};
  const int W = strip.right - strip.left, H = strip.bottom - strip.top;
  if (W <= 0 || H <= 0) return;
  FrameBuffer* buffer = Buffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  ui::SaveDCGuard saved(b);
  FillFace(b, RECT{0, 0, W, H});
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0)))
    SelectObject(b, font);
  SetTextColor(b, RGB(0, 0, 0));
  SetBkMode(b, TRANSPARENT);
  const int n = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  const int focused = static_cast<int>(SendMessageW(handle_, TCM_GETCURFOCUS, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, TCM_GETIMAGELIST, 0, 0));
  for (int i = 0; i < n; ++i) {
    RECT r{};
    if (!SendMessageW(handle_, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&r)))
      continue;
    OffsetRect(&r, -strip.left, 1 - strip.top);
    PaintTab(b, i, r, i == focused ? 2 : 1, images);
  }
  BitBlt(dc, strip.left, strip.top, W, H, b, 0, 0, SRCCOPY);
}

void TSkinTabBtn::PaintTab(HDC dc, int index, RECT r, int frame, HIMAGELIST images) {
  TDataSkinButton& buttons = *skin_->Buttons();
  wchar_t text[81] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
  item.pszText = text;
  item.cchTextMax = 80;
  SendMessageW(handle_, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  DrawSkinState(dc, r, std::max(buttons.Frame, 1), frame, buttons);
  if (frame == 1 && buttons.NormalColour2Given)
    SetTextColor(dc, static_cast<COLORREF>(buttons.NormalColour2));
  if (frame == 2 && buttons.PressedColour2Given)
    SetTextColor(dc, static_cast<COLORREF>(buttons.PressedColour2));
  // Image and text centred together in the tab.
  int cx = 0, cy = 0;
  if (images && item.iImage >= 0) ImageList_GetIconSize(images, &cx, &cy);
  const std::wstring caption(text);
  RECT measure{0, 0, 0, 0};
  if (!caption.empty()) SkinDrawText(dc, caption, measure, DT_SINGLELINE | DT_CALCRECT);
  const int gap = cx > 0 && !caption.empty() ? 2 : 0;
  const int x = r.left + (r.right - r.left - cx - gap - measure.right) / 2;
  if (cx > 0)
    ImageList_Draw(images, item.iImage, dc, x, r.top + (r.bottom - r.top - cy) / 2,
                   ILD_TRANSPARENT);
  RECT textRect{x + cx + gap, r.top, r.right, r.bottom};
  if (!caption.empty())
    SkinDrawText(dc, caption, textRect, AddReadingOrder(DT_SINGLELINE | DT_VCENTER));
}

}  // namespace skin
