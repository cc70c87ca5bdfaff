#include "skin/controls/SkinEdit.h"

#include "skin/controls/SkinUpDown.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {
// Rings drawn as four solid strips each, without a brush: a paint creates no GDI object.
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

bool TSkinEdit::BeforeMessage(ui::TMessage& message) {
  if (message.Msg != WM_PAINT) return TSkinControl::BeforeMessage(message);
  // The frame painted from inside the control's own paint (BeginPaint) is covered once, after it.
  const std::shared_ptr<bool> alive = AliveToken().lock();
  const bool outer = !inPaint_;
  inPaint_ = true;
  CallPrevious(message);
  if (!*alive) return false;
  if (outer) inPaint_ = false;
  PaintFrame(reinterpret_cast<HDC>(message.WParam));
  return false;
}

void TSkinEdit::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
      // The system's border came back without a client paint (a frame redraw, an uncovered
      // edge). When a client paint follows, the band is drawn after that one.
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
    default:
      TSkinControl::AfterMessage(message);
      return;
  }
}

void TSkinEdit::FindSpin() {
  if (spinWindow_ && IsWindow(spinWindow_) && GetParent(spinWindow_) == handle_) return;
  spinWindow_ = nullptr;
  if (!skin_ || !InSet(skin_->SkinControls(), xcSpin)) return;
  for (HWND child = GetTopWindow(handle_); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsSpinClass(WindowClassNameOf(child))) continue;
    spinWindow_ = child;
    // A spin button the classification skinned already keeps its one skinner.
    if (SendMessageW(child, SM_ISSKINNED, 0, 0) == 1) {
      auto* form = dynamic_cast<TWinSkinForm*>(form_);
      IControlSkinner* existing = form ? form->FindSkinnerByWindow(child) : nullptr;
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
  s.focused = GetFocus() == handle_;
  s.hot = (MouseState & kHot) != 0;
  enabled_ = !s.disabled;
  focused_ = s.focused;
  return s;
}

void TSkinEdit::PaintControl(HDC dc, const RECT& rect) {
  FindSpin();
  RECT client{};
  GetClientRect(handle_, &client);
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  if (!EditHasBorder(W, H, client.right, client.bottom)) return;
  const EditBorderState state = ReadState();
  ui::SaveDCGuard saved(dc);
  RECT r = rect;
  Ring(dc, r, 1, ColourRef(skin_->GetRGB(EditEdgeColourIndex(state))));
  InflateRect(&r, -1, -1);
  Ring(dc, r, 2, ColourRef(kWhite));
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
    ui::SaveDCGuard saved(dc);
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    Ring(dc, rect, 1, ColourRef(skin_->GetRGB(ciButtonShadow)));
  } catch (...) {
    // A faulty skin never breaks the control's messages.
  }
}

}  // namespace skin
