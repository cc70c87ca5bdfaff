#include "skin/controls/SkinHeaderBar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/controls/PageGeometry.h"
#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/PaintPrimitives.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinHeaderBar, TSkinWholePainter)

void TSkinHeaderBar::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  hot_ = -1;
}

void TSkinHeaderBar::AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) {
  TSkinControl::AttachHandle(wnd, skin, form);
  hot_ = -1;
}

TDataSkinObject* TSkinHeaderBar::Bar() const { return ElementWithImage(skin_, "Headerbar"); }

void TSkinHeaderBar::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      SetHot(
          HotHeaderItem(items_, GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam), hot_));
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
      TrackMouseEvent(&track);
      return;
    }
    case WM_MOUSELEAVE:
      SetHot(-1);
      return;
    default:
      TSkinControl::AfterMessage(message);
      return;
  }
}

void TSkinHeaderBar::SetHot(int item) {
  if (item == hot_) return;
  hot_ = item;
  Repaint();
}

void TSkinHeaderBar::PaintControl(HDC dc, const RECT& rect) {
  TDataSkinObject* bar = Bar();
  if (!bar) return;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  FrameBuffer* buffer = Buffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  ui::SaveDCGuard saved(b);
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0)))
    SelectObject(b, font);
  SetBkMode(b, TRANSPARENT);
  const RECT all{0, 0, W, H};
  FillFace(b, all);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, HDM_GETIMAGELIST, 0, 0));
  enabled_ = true;

  // Items may be deleted by anything the paint sends: each is asked for afresh and skipped when
  // gone, and the hot item is forgotten when it no longer exists.
  const int n = std::max(static_cast<int>(SendMessageW(handle_, HDM_GETITEMCOUNT, 0, 0)), 0);
  items_.assign(static_cast<size_t>(n), ImageRect{});
  if (hot_ >= n) hot_ = -1;
  int right = 0;
  for (int i = 0; i < n; ++i) {
    RECT r{};
    if (!SendMessageW(handle_, HDM_GETITEMRECT, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&r)))
      continue;
    PaintItem(b, i, r, images);
    if (static_cast<size_t>(i) < items_.size())
      items_[static_cast<size_t>(i)] = HeaderHoverRect(ToImageRect(r), DpiScale());
    right = std::max(right, static_cast<int>(r.right));
  }
  if (right < W) DrawSkinState(b, RECT{right, 0, W, H}, bar->Frame, 1, *bar);
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

void TSkinHeaderBar::PaintItem(HDC dc, int index, const RECT& r, HIMAGELIST images) {
  TDataSkinObject& bar = *Bar();
  wchar_t text[202] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text;
  item.cchTextMax = 201;
  if (!SendMessageW(handle_, HDM_GETITEMW, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&item)))
    return;
  DrawSkinState(dc, r, bar.Frame, HeaderItemFrame(index == hot_, bar.Frame), bar);
  COLORREF colour = GetSysColor(COLOR_BTNTEXT);
  if (skin_->ColourGiven(ciWindowText))
    colour = static_cast<COLORREF>(skin_->GetRGB(ciWindowText));
  else if (control_)
    colour = ui::ColorToRGB(control_->Font()->Color());

  HeaderItemInput in;
  in.width = r.right - r.left;
  in.height = r.bottom - r.top;
  // The sort arrow keeps the right of the item; caption and image lie in what is left.
  if (const int order = HeaderSortOrder(static_cast<unsigned>(item.fmt)); order != 0) {
    const std::vector<ImageRect> arrow =
        HeaderSortArrow(in.width, in.height, order > 0, DpiScale());
    ui::SaveDCGuard saved(dc);
    SetDCBrushColor(dc, colour);
    for (const ImageRect& row : arrow) {
      const RECT at = ToRECT(row.Offset(r.left, r.top));
      FillRect(dc, &at, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    if (!arrow.empty()) in.width -= Scaled(kHeaderSortRoom);
  }
  const std::wstring caption(text);
  if (caption.empty()) return;
  in.align = HeaderAlignment(static_cast<unsigned>(item.fmt));
  const int imageIndex = (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? item.iImage : -1;
  int cx = 0, cy = 0;
  if (images) ImageList_GetIconSize(images, &cx, &cy);
  in.imageWidth = cx;
  in.imageHeight = cy;
  in.hasImage = imageIndex != -1 && images && cx < in.width;
  in.scale = DpiScale();
  constexpr UINT kFlags = DT_END_ELLIPSIS | DT_EXPANDTABS;
  RECT measure{0, 0, in.width + (in.hasImage ? cx + Scaled(2) : 0), in.height};
  SkinDrawText(dc, caption, measure, kFlags | DT_CALCRECT | DT_NOCLIP);
  in.textWidth = measure.right - measure.left;
  in.textHeight = measure.bottom - measure.top;
  const HeaderItemLayout at = LayoutHeaderItem(in);

  if (at.showImage)
    ImageList_Draw(images, imageIndex, dc, r.left + at.imageX, r.top + at.imageY, ILD_TRANSPARENT);
  SetTextColor(dc, colour);
  RECT textRect = ToRECT(at.text.Offset(r.left, r.top));
  SkinDrawText(dc, caption, textRect, AddReadingOrder(kFlags));
}

}  // namespace skin
