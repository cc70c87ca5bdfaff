#include "skin/controls/SkinUpDown.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/frame/CanvasPrimitives.h"

namespace skin {

namespace {
ImageRect ScreenRect(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// The line arrow of a plain half, as segments from its centre point (each end point left out, as
// LineTo leaves it): a small filled triangle for up and down, an outlined one for left and right.
struct Segment {
  int x0, y0, x1, y1;
};
constexpr Segment kUpArrow[] = {{0, 0, 0, -1},  {1, 1, 4, 4},  {0, 1, 3, 4}, {0, 2, 2, 4},
                                {-1, 1, -4, 4}, {0, 2, -3, 4}, {0, 1, -2, 4}};
constexpr Segment kDownArrow[] = {{0, 3, 0, 4},    {1, 2, 4, -1},  {0, 2, 3, -1}, {0, 1, 2, 0},
                                  {-1, 2, -4, -1}, {0, 2, -3, -1}, {0, 1, -2, 0}};
constexpr Segment kLeftArrow[] = {{0, 0, 1, 2}, {1, 2, 1, -2}, {1, -2, -1, 0}, {-1, 0, 1, 2}};
constexpr Segment kRightArrow[] = {{0, 0, -1, 2}, {-1, 2, -1, -2}, {-1, -2, 1, 0}, {1, 0, -1, 2}};

template <size_t N>
void DrawSegments(HDC dc, int x, int y, const Segment (&segments)[N]) {
  for (const Segment& s : segments) {
    MoveToEx(dc, x + s.x0, y + s.y0, nullptr);
    LineTo(dc, x + s.x1, y + s.y1);
  }
}
}  // namespace

COLORREF ColourRef(Colour c) { return static_cast<COLORREF>(c) & 0xFFFFFF; }

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  // The stock DC brush takes any colour: nothing is created.
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, colour);
  PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
}

UI_IMPLEMENT_CLASS(TSkinUpDown, TSkinControl)

TSkinUpDown::TSkinUpDown(ui::TComponent* owner) : TSkinControl(owner) {}

void TSkinUpDown::SetEmbedded(bool on) {
  if (embedded_ == on) return;
  embedded_ = on;
  Repaint();
}

void TSkinUpDown::SetHorizontal(int on) {
  if (horizontal_ == on) return;
  horizontal_ = on;
  Repaint();
}

bool TSkinUpDown::IsHorizontal() const {
  return horizontal_ == 1 || (GetWindowLongPtrW(handle_, GWL_STYLE) & UDS_HORZ) != 0;
}

TDataSkinBorder* TSkinUpDown::Strip() const {
  if (!skin_ || !handle_) return nullptr;
  auto* strip = skin_->Element<TDataSkinBorder>(IsHorizontal() ? "UpDown.Horz" : "UpDown.Vert");
  return strip && !strip->Empty() ? strip : nullptr;
}

bool TSkinUpDown::BeforeMessage(ui::TMessage& message) {
  const std::shared_ptr<bool> alive = AliveToken().lock();
  switch (message.Msg) {
    case WM_PAINT:
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND:
      message.Result = 1;  // every pixel is painted
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The control starts its own press and auto-repeat first.
      CallPrevious(message);
      if (!*alive) return false;
      MouseState |= kDown;
      PaintFrame(nullptr);
      return false;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      // A capture taken away ends the press as a release does.
      MouseState &= ~kDown;
      CallPrevious(message);
      if (*alive) PaintFrame(nullptr);
      return false;
    case WM_MOUSEMOVE:
      CallPrevious(message);
      if (*alive) PointerChanged(true);
      return false;
    case WM_MOUSELEAVE:
      CallPrevious(message);
      if (*alive) PointerChanged(false);
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinUpDown::PointerChanged(bool inside) {
  const bool wasHot = MouseState & kHot;
  if (inside) {
    MouseState |= kHot;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
    TrackMouseEvent(&track);
  } else {
    MouseState &= ~kHot;
  }
  RECT w{};
  GetWindowRect(handle_, &w);
  if (PointerHalf(PaintedRect(w.right - w.left, w.bottom - w.top)) != shownHalf_ ||
      wasHot != inside)
    PaintFrame(nullptr);
  // The edit's hover look covers its button: it looks again where the pointer went.
  if (!inside && embedded_) SendMessageW(GetParent(handle_), WM_MOUSELEAVE, 0, 0);
}

ImageRect TSkinUpDown::PaintedRect(int width, int height) const {
  if (!embedded_) return {0, 0, width, height};
  HWND parent = GetParent(handle_);
  if (!parent) return {0, 0, width, height};
  return EmbeddedUpDownRect(ScreenRect(handle_), ScreenRect(parent));
}

SpinHalf TSkinUpDown::PointerHalf(const ImageRect& painted) const {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(handle_, &p);
  const UpDownLayout layout = UpDownHalves(painted.width(), painted.height(), IsHorizontal());
  return HalfAt(layout, p.x - painted.left, p.y - painted.top);
}

void TSkinUpDown::DrawHalf(HDC dc, const ImageRect& r, SpinHalf half, int state,
                           TDataSkinBorder& strip) {
  const int frames = std::max(strip.Frame, 1);
  const int frame = UpDownFrame(state, half, frames);
  DrawGlyphFrame(dc, RECT{r.left, r.top, r.right, r.bottom}, frames, frame, *strip.Bitmap);
  ui::TBitmap& glyph = *strip.Bitmap2;
  if (glyph.Empty()) return;
  const ImageRect g = CentredGlyphRect(r, Scaled(glyph.Width() / frames), Scaled(glyph.Height()));
  DrawGlyphFrame(dc, RECT{g.left, g.top, g.right, g.bottom}, frames, frame, glyph);
}

// A half without the skin's strip: a button of the skin's colours with a line arrow.
void TSkinUpDown::DrawPlainHalf(HDC dc, const ImageRect& r, SpinHalf half, int state) {
  const bool lit = state == 2 || state == 4;
  ui::SelectGuard pen(dc, GetStockObject(DC_PEN));
  ui::SelectGuard brush(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, ColourRef(skin_->GetRGB(ciButtonDkShadow)));
  SetDCBrushColor(dc, ColourRef(skin_->GetRGB(lit ? ciButtonShadow : ciButtonFace)));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  const int x = r.left + r.width() / 2;
  const bool first = half == SpinHalf::First;
  if (IsHorizontal()) {
    const int y = r.top + r.height() / 2;
    if (first)
      DrawSegments(dc, x, y, kLeftArrow);
    else
      DrawSegments(dc, x, y, kRightArrow);
  } else {
    const int y = r.top + r.height() / 2 - 2;
    if (first)
      DrawSegments(dc, x, y, kUpArrow);
    else
      DrawSegments(dc, x, y, kDownArrow);
  }
}

void TSkinUpDown::PaintControl(HDC dc, const RECT& rect) {
  if (!skin_) return;
  TDataSkinBorder* strip = Strip();
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  FrameBuffer* buffer = Buffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  const BrushKeeper kept(b);
  const ImageRect painted = PaintedRect(W, H);
  // The strips left free continue the edit's white band.
  if (embedded_) FillSolid(b, RECT{0, 0, W, H}, ColourRef(kWhite));
  FillSolid(b, RECT{painted.left, painted.top, painted.right, painted.bottom},
            ColourRef(skin_->GetRGB(ciButtonFace)));

  enabled_ = !(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_DISABLED);
  const bool down = MouseState & kDown, hot = MouseState & kHot;
  // The pointer's half shows only while the pointer is over the control or presses it (reading
  // the pointer is a round trip to the window server under Wine).
  shownHalf_ = down || hot ? PointerHalf(painted) : SpinHalf::None;
  const UpDownLayout layout = UpDownHalves(painted.width(), painted.height(), IsHorizontal());
  for (SpinHalf half : {SpinHalf::First, SpinHalf::Second}) {
    const ImageRect r =
        (half == SpinHalf::First ? layout.first : layout.second).Offset(painted.left, painted.top);
    const int state = UpDownHalfState(shownHalf_ == half, down, hot, !enabled_);
    if (strip)
      DrawHalf(b, r, half, state, *strip);
    else
      DrawPlainHalf(b, r, half, state);
  }
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

}  // namespace skin
