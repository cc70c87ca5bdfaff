#include "skin/controls/SkinPages.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "imaging/ImgUtil.h"
#include "skin/controls/PageGeometry.h"
#include "skin/frame/FramePainter.h"
#include "skin/frame/PaintPrimitives.h"

namespace skin {

namespace {

bool HasImage(const TDataSkinObject* e) { return e && !e->Empty(); }

TDataSkinObject* ElementWithImage(const TSkinData* skin, std::string_view name) {
  TDataSkinObject* e = skin ? skin->FindElement(name) : nullptr;
  return HasImage(e) ? e : nullptr;
}

ImageRect MarginsOf(const TDataSkinObject& e) {
  return {e.Margins.left, e.Margins.top, e.Margins.right, e.Margins.bottom};
}

// Pixels of a 24-bit buffer copied to dc, without a bitmap of their own.
void PutPixels(HDC dc, int x, int y, const PixelBuffer& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width();
  info.bmiHeader.biHeight = -pixels.height();  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(pixels.width()),
                    static_cast<DWORD>(pixels.height()), 0, 0, 0,
                    static_cast<UINT>(pixels.height()), pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace

UI_IMPLEMENT_CLASS(TSkinWholePainter, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinHeaderBar, TSkinWholePainter)
UI_IMPLEMENT_CLASS(TSkinProgress, TSkinWholePainter)
UI_IMPLEMENT_CLASS(TSkinTrackBar, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinDateTime, TSkinControl)
UI_IMPLEMENT_CLASS(TArrowButton, ui::TCustomControl)

// ---- Controls painted whole
// -------------------------------------------------------------------------

bool TSkinWholePainter::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (!Bar()) break;
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND:
      if (!Bar()) break;
      message.Result = 1;
      return false;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

// ---- Header controls
// ------------------------------------------------------------------------------

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
      items_[static_cast<size_t>(i)] = HeaderHoverRect(ToImageRect(r));
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
    const std::vector<ImageRect> arrow = HeaderSortArrow(in.width, in.height, order > 0);
    ui::SaveDCGuard saved(dc);
    SetDCBrushColor(dc, colour);
    for (const ImageRect& row : arrow) {
      const RECT at = ToRECT(row.Offset(r.left, r.top));
      FillRect(dc, &at, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    if (!arrow.empty()) in.width -= kHeaderSortRoom;
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
  constexpr UINT kFlags = DT_END_ELLIPSIS | DT_EXPANDTABS;
  RECT measure{0, 0, in.width + (in.hasImage ? cx + 2 : 0), in.height};
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

// ---- Progress bars
// --------------------------------------------------------------------------------

TDataSkinObject* TSkinProgress::Bar() const { return ElementWithImage(skin_, "Progress"); }

void TSkinProgress::PaintControl(HDC dc, const RECT& rect) {
  if (!Bar()) return;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  const bool vertical = GetWindowLongPtrW(handle_, GWL_STYLE) & PBS_VERTICAL;
  // A vertical bar is drawn lying down and turned, so that the images run along it.
  const int length = vertical ? H : W, thickness = vertical ? W : H;
  if (length <= 0 || thickness <= 0) return;
  FrameBuffer* buffer = Buffer(length, thickness);
  if (!buffer) return;
  PaintBar(buffer->dc(), length, thickness);
  if (!vertical) {
    BitBlt(dc, rect.left, rect.top, W, H, buffer->dc(), 0, 0, SRCCOPY);
    return;
  }
  PixelBuffer pixels = buffer->Extract({0, 0, length, thickness});
  RotateLeft(pixels);  // the bar's start comes to the bottom
  PutPixels(dc, rect.left, rect.top, pixels);
}

void TSkinProgress::PaintBar(HDC b, int length, int thickness) {
  TDataSkinObject& bar = *Bar();
  ui::SaveDCGuard saved(b);
  const RECT all{0, 0, length, thickness};
  FillFace(b, all);
  const int pos = static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0));
  const int high = static_cast<int>(SendMessageW(handle_, PBM_GETRANGE, FALSE, 0));
  const int low = static_cast<int>(SendMessageW(handle_, PBM_GETRANGE, TRUE, 0));
  const int fill = ProgressFill(length, pos, low, high);
  const ImageRect margins = MarginsOf(bar);
  const auto draw = [&](const TDataSkinObject& e, int frames, int frame, int width, int height) {
    const ImageDC& image = form_->SkinImage(e.Bitmap.get());
    ExecutePlanFrom(b, 0, 0,
                    PlanNineSlice(image.width(), image.height(), width, height, margins, false,
                                  e.Tile == 1, frames, frame),
                    image, true);
  };

  TDataSkinObject* chunk = skin_->FindElement("Progress.Chunk");
  if (bar.Style != 1 || !HasImage(chunk)) {
    draw(bar, 2, 1, length, thickness);
    if (fill > 0) draw(bar, 2, 2, fill, thickness);
    return;
  }
  draw(bar, 1, 1, length, thickness);
  if (fill <= 0) return;
  const ImageDC& image = form_->SkinImage(chunk->Bitmap.get());
  const ImageRect f = FrameRect(image.width(), image.height(), false, chunk->Frame, 1);
  PaintPlan plan;
  if (chunk->Tile == 1) {
    plan = PlanProgressChunks(fill, f.width(), f.height(), chunk->LeftWidth() + 2,
                              (thickness - f.height()) / 2, length);
  } else {
    plan = PlanStretchedChunk(fill, thickness, f.width(), f.height(), chunk->LeftWidth(),
                              chunk->RightWidth());
    for (BlitStep& s : plan) s.dst = s.dst.Offset(2, 2);
    // The strip the chunk is stretched into is 4 rows shorter than the bar: the rest is cut.
    IntersectClipRect(b, 2, 2, std::min(2 + fill, length), thickness - 2);
  }
  for (BlitStep& s : plan) s.src = s.src.Offset(f.left, f.top);
  ExecutePlanFrom(b, 0, 0, plan, image, chunk->Trans == 1);
}

// ---- Track bars
// -----------------------------------------------------------------------------------

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
  const ImageDC& image = form_->SkinImage(e->Bitmap.get());
  if (image.empty()) return false;
  const ImageRect channel =
      vertical ? VerticalChannel(ToImageRect(reported)) : ToImageRect(reported);
  const PaintPlan plan = vertical ? PlanTrackChannel(image.width(), image.height(), channel,
                                                     e->TopHeight(), e->BottomHeight(), true)
                                  : PlanTrackChannel(image.width(), image.height(), channel,
                                                     e->LeftWidth(), e->RightWidth(), false);
  ExecutePlanFrom(dc, 0, 0, plan, image, false);
  return true;
}

void TSkinTrackBar::SkinChanged() {
  // Only a repaint: taking the focus to refresh would bring a background window to the front.
  TSkinControl::SkinChanged();
}

// ---- Date-time pickers
// ----------------------------------------------------------------------------

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
      DateTimeArrowRect(w.right - w.left, w.bottom - w.top, GetSystemMetrics(SM_CXHSCROLL), left);
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
  const ImageDC& image = skinner_->form_->SkinImage(arrow->Bitmap.get());
  const int frames = std::max(arrow->Frame, 1);
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
