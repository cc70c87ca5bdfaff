#include "skin/controls/SkinEdit.h"

#include "skin/controls/SkinUpDown.h"

namespace skin {

namespace {
// Rings drawn as four solid strips each (the printed border).
void Ring(HDC dc, const RECT& r, int thickness, COLORREF colour) {
  if (r.right - r.left <= 0 || r.bottom - r.top <= 0) return;
  const int t = thickness;
  FillSolid(dc, RECT{r.left, r.top, r.right, r.top + t}, colour);
  FillSolid(dc, RECT{r.left, r.bottom - t, r.right, r.bottom}, colour);
  FillSolid(dc, RECT{r.left, r.top + t, r.left + t, r.bottom - t}, colour);
  FillSolid(dc, RECT{r.right - t, r.top + t, r.right, r.bottom - t}, colour);
}

}  // namespace

UI_IMPLEMENT_CLASS(TSkinEdit, TSkinControl)

TSkinEdit::TSkinEdit(ui::TComponent* owner) : TSkinControl(owner) {}

void TSkinEdit::Detach() {
  const bool wasActive = Active();
  TSkinControl::Detach();
  // The band took the system frame's place: the frame is drawn again by the system.
  if (wasActive && handle_ && State() != kWindowDestroyed)
    RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TSkinEdit::OwnsFrame() const {
  RECT w{}, c{};
  GetWindowRect(handle_, &w);
  GetClientRect(handle_, &c);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  return EditBandCoversFrame(w.right - w.left, w.bottom - w.top, c.right, c.bottom,
                             (style & (WS_HSCROLL | WS_VSCROLL)) != 0);
}

bool TSkinEdit::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
      // A frame the band covers whole is not drawn twice: the band takes the system's place.
      if (!OwnsFrame()) break;
      PaintFrame(nullptr);
      message.Result = 0;
      return false;
    case WM_PAINT: {
      const std::shared_ptr<bool> alive = AliveToken().lock();
      if (message.WParam || !OwnsFrame()) {
        const bool outer = !inPaint_;
        inPaint_ = true;
        CallPrevious(message);
        if (!*alive) return false;
        if (outer) inPaint_ = false;
        PaintFrame(reinterpret_cast<HDC>(message.WParam));
        return false;
      }
      // The control paints into our paint DC and the band's inner line follows in the same DC
      // (its frame lines came with the frame paint BeginPaint asked for): no DC of our own.
      ui::PaintDC paint(handle_);
      ui::TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(paint.get()), 0, 0};
      CallPrevious(inner);
      if (!*alive || !paint.get() || !GetWindowRect(handle_, &windowRect_)) return false;
      POINT origin{0, 0};
      ClientToScreen(handle_, &origin);
      const int ox = origin.x - windowRect_.left, oy = origin.y - windowRect_.top;
      PaintBand(paint.get(),
                RECT{-ox, -oy, windowRect_.right - windowRect_.left - ox,
                     windowRect_.bottom - windowRect_.top - oy},
                true);
      message.Result = 0;
      return false;
    }
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinEdit::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
      // The system's border (and scroll bars) came back without a client paint. When a client
      // paint follows, the band is drawn after that one.
      if (!inPaint_ && !GetUpdateRect(handle_, nullptr, FALSE)) PaintFrame(nullptr);
      return;
    case WM_PRINT:
      PrintFrame(reinterpret_cast<HDC>(message.WParam));
      return;
    case SM_PAINTCLIENTTO:
      if (message.LParam != kSkinMessageTag) return;
      if (message.WParam) {
        ui::TMessage paint{WM_PAINT, message.WParam, 0, 0};
        CallPrevious(paint);
      }
      message.Result = kSkinMessageTag;
      return;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      if (!(MouseState & kHot)) {
        MouseState |= kHot;
        PaintFrame(nullptr);
      }
      return;
    case WM_MOUSELEAVE: {
      // Also sent by the embedded spin button when the pointer leaves it: the edit is hot while
      // the pointer is over it or over its button.
      tracking_ = false;
      POINT p{};
      GetCursorPos(&p);
      HWND under = WindowFromPoint(p);
      const bool inside = under && (under == handle_ || GetParent(under) == handle_);
      if (!inside && (MouseState & kHot)) {
        MouseState &= ~kHot;
        PaintFrame(nullptr);
      }
      return;
    }
    case WM_PARENTNOTIFY:
      if (LOWORD(message.WParam) == WM_CREATE || LOWORD(message.WParam) == WM_DESTROY)
        searchSpin_ = true;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      focusKnown_ = true;
      hasFocus_ = message.Msg == WM_SETFOCUS;
      TSkinControl::AfterMessage(message);
      return;
    default:
      TSkinControl::AfterMessage(message);
      return;
  }
}

void TSkinEdit::FindSpin() {
  // Child windows are listed only when one may have come or gone: asking at every paint is a
  // round trip to the window server each time.
  if (!searchSpin_) return;
  if (spinWindow_ && IsWindow(spinWindow_) && GetParent(spinWindow_) == handle_) return;
  searchSpin_ = false;
  spinWindow_ = nullptr;
  if (!skin_ || !InSet(skin_->SkinControls(), xcSpin)) return;
  for (HWND child = GetTopWindow(handle_); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsSpinClass(WindowClassNameOf(child))) continue;
    spinWindow_ = child;
    // A spin button the classification skinned already keeps its one skinner.
    if (SendMessageW(child, SM_ISSKINNED, 0, 0) == 1) {
      IControlSkinner* existing = form_ ? form_->FindSkinnerByWindow(child) : nullptr;
      if (auto* upDown = dynamic_cast<TSkinUpDown*>(existing)) upDown->SetEmbedded(true);
      return;
    }
    auto* upDown = new TSkinUpDown(control_);
    upDown->AttachHandle(child, skin_, form_);
    upDown->SetEmbedded(true);
    return;
  }
}

EditBorderState TSkinEdit::ReadState() {
  EditBorderState s;
  s.disabled = (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_DISABLED) != 0;
  if (!focusKnown_) {
    hasFocus_ = GetFocus() == handle_;
    focusKnown_ = true;
  }
  s.focused = hasFocus_;
  s.hot = (MouseState & kHot) != 0;
  enabled_ = !s.disabled;
  focused_ = s.focused;
  return s;
}

void TSkinEdit::PaintControl(HDC dc, const RECT& rect) { PaintBand(dc, rect, false); }

void TSkinEdit::PaintBand(HDC dc, const RECT& rect, bool innerLineOnly) {
  FindSpin();
  RECT client{};
  GetClientRect(handle_, &client);
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  if (!EditHasBorder(W, H, client.right, client.bottom)) return;
  const EditBorderState state = ReadState();
  // One region fill per colour: under Wine every drawing call on a window's DC is clipped
  // against the window's visible region, so fewer, larger calls are cheaper.
  const BrushKeeper kept(dc);
  const HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  SelectObject(dc, brush);
  SetDCBrushColor(dc, ColourRef(kWhite));
  if (innerLineOnly) {
    FillRgn(dc, BandRegion(kInnerLine, rect), brush);
    return;
  }
  FillRgn(dc, BandRegion(kWhiteLines, rect), brush);
  SetDCBrushColor(dc, ColourRef(skin_->GetRGB(EditEdgeColourIndex(state))));
  FillRgn(dc, BandRegion(kEdgeLine, rect), brush);
}

HRGN TSkinEdit::BandRegion(BandPart part, const RECT& rect) {
  CachedRegion& cached = regions_[part];
  if (cached.region && EqualRect(&cached.rect, &rect)) return cached.region.get();
  // The part lies between the rectangle inset by `outer` and by `inner`.
  static constexpr int kInsets[][2] = {{0, 1}, {1, 3}, {2, 3}};
  const int outer = kInsets[part][0], inner = kInsets[part][1];
  ui::GdiRegion ring(
      CreateRectRgn(rect.left + outer, rect.top + outer, rect.right - outer, rect.bottom - outer));
  ui::GdiRegion hole(
      CreateRectRgn(rect.left + inner, rect.top + inner, rect.right - inner, rect.bottom - inner));
  if (ring && hole) CombineRgn(ring.get(), ring.get(), hole.get(), RGN_DIFF);
  cached.region = std::move(ring);
  cached.rect = rect;
  return cached.region.get();
}

void TSkinEdit::PrintFrame(HDC dc) {
  if (!handle_ || !GetWindowRect(handle_, &windowRect_)) return;
  const RECT rect{0, 0, windowRect_.right - windowRect_.left, windowRect_.bottom - windowRect_.top};
  try {
    ui::WindowDC window;
    if (!dc) {
      window = ui::WindowDC::Whole(handle_);
      dc = window.get();
    }
    if (!dc) return;
    RECT client{};
    GetClientRect(handle_, &client);
    if (client.right + 2 >= rect.right || client.bottom + 2 >= rect.bottom) return;
    const BrushKeeper kept(dc);
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    Ring(dc, rect, 1, ColourRef(skin_->GetRGB(ciButtonShadow)));
  } catch (...) {
    // A faulty skin never breaks the control's messages.
  }
}

}  // namespace skin
