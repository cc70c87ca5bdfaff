#include "skin/controls/SkinComboBox.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/controls/SkinnerHelpers.h"
#include "ui/ComCtrls.h"
#include "ui/Graphics.h"

namespace skin {

namespace {
constexpr UINT_PTR kChildSubclassId = 0x534B4343;
// The list's start-tracking message, which the combo sends when it drops the list down.
constexpr UINT kListStartTrack = 0x1AE;

TDataSkinBorder* ComboButtonOf(const TSkinData* skin) {
  if (!skin) return nullptr;
  auto* b = skin->Element<TDataSkinBorder>("ComboButton");
  return b && !b->Empty() ? b : nullptr;
}

bool ClassIs(HWND wnd, const wchar_t* name) {
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  return _wcsicmp(cls, name) == 0;
}

COMBOBOXINFO ComboInfo(HWND combo, bool& ok) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ok = combo && GetComboBoxInfo(combo, &info);
  return info;
}

void Frame(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

RECT ToRect(const ImageRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
}  // namespace

UI_IMPLEMENT_CLASS(TSkinComBox, TSkinControl)
UI_IMPLEMENT_CLASS(TComboxScrollBar, TSkinControl)

// ---- TSkinComBox
// ---------------------------------------------------------------------------------

TSkinComBox::TSkinComBox(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() {
  UnhookChild();
  FreeListPainter();
}

void TSkinComBox::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  if (handle_) return;  // attached already
  TSkinControl::Attach(form, skin, recolour);
  if (!handle_) return;
  style_ = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  infoWindow_ = InfoWindow();
  HookChild();
  AttachList();
  Refresh();
}

void TSkinComBox::AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) {
  if (handle_) return;
  TSkinControl::AttachHandle(wnd, skin, form);
  if (!handle_) return;
  style_ = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  infoWindow_ = InfoWindow();
  HookChild();
  AttachList();
  Refresh();
}

void TSkinComBox::Detach() {
  const bool was = Active();
  TSkinControl::Detach();
  UnhookChild();
  FreeListPainter();
  // The child windows lose the skin painted over them too (a dying window needs no paint).
  if (was && State() != kWindowDestroyed && handle_ && IsWindow(handle_))
    RedrawWindow(handle_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TSkinComBox::Notification(ui::TComponent* component, ui::TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == ui::TOperation::opRemove && component == listPainter_) listPainter_ = nullptr;
  if (operation == ui::TOperation::opRemove && component == listBars_) listBars_ = nullptr;
}

HWND TSkinComBox::InfoWindow() const {
  if (auto* ex = dynamic_cast<ui::TComboBoxEx*>(control_)) return ex->ComboHandle();
  if (ClassIs(handle_, WC_COMBOBOXEXW))
    return reinterpret_cast<HWND>(SendMessageW(handle_, CBEM_GETCOMBOCONTROL, 0, 0));
  return handle_;
}

void TSkinComBox::HookChild() {
  child_ = GetTopWindow(handle_);
  if (!child_) return;
  childSubclass_ =
      ui::SubclassHandle(child_, ChildProc, kChildSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (!childSubclass_) child_ = nullptr;
}

void TSkinComBox::UnhookChild() {
  childSubclass_.reset();
  child_ = nullptr;
}

void TSkinComBox::AttachList() {
  list_ = nullptr;
  bool ok = false;
  const COMBOBOXINFO info = ComboInfo(infoWindow_, ok);
  // Without the list the combo keeps its native one.
  if (!ok || !info.hwndList || !IsWindow(info.hwndList)) return;
  const DWORD type = static_cast<DWORD>(GetWindowLongPtrW(infoWindow_, GWL_STYLE)) & 3;
  if (type == CBS_SIMPLE) {
    // The simple combo's always-visible list carries window scroll bars of its own: they wear
    // the skin as any scrolling window's do.
    list_ = info.hwndList;
    if (GetWindowLongPtrW(list_, GWL_STYLE) & WS_CHILD) {
      listBars_ = new TSkinScrollbarH(this);
      listBars_->AttachHandle(list_, skin_, form_);
    }
    return;
  }
  listPainter_ = new TComboxScrollBar(this);
  listPainter_->AttachHandle(info.hwndList, skin_, form_);
  // A framework combo hears its list come and go (CBN_DROPDOWN, CBN_CLOSEUP): the list's skinner
  // is in its message stream only while it is down (FollowList).
  if (control_ && !IsWindowVisible(info.hwndList)) listPainter_->SuspendSubclass();
}

void TSkinComBox::FollowList(const ui::TMessage& message) {
  const UINT code = HIWORD(message.WParam);
  if (!listPainter_ || !control_ || (code != CBN_DROPDOWN && code != CBN_CLOSEUP)) return;
  // The system combo's own notice: reflected to the framework combo, or from an extended combo's
  // inner combo. CBN_DROPDOWN comes before the list is shown, CBN_CLOSEUP after it was hidden.
  const auto from = reinterpret_cast<HWND>(message.LParam);
  if (from != (message.Msg == ui::CN_COMMAND ? handle_ : infoWindow_)) return;
  if (code == CBN_DROPDOWN)
    listPainter_->ResumeSubclass();
  else if (!IsWindowVisible(listPainter_->SkinnedWindow()))
    listPainter_->SuspendSubclass();
}

void TSkinComBox::FreeListPainter() {
  if (TSkinScrollbarH* bars = std::exchange(listBars_, nullptr)) {
    bars->Detach();
    bars->Free();
  }
  if (TComboxScrollBar* painter = std::exchange(listPainter_, nullptr)) {
    painter->Detach();
    painter->Free();
  }
}

// The list's painter follows the combo off and on.
void TSkinComBox::ActiveChanged(bool active) {
  focusKnown_ = false;  // the focus may have moved while the combo's messages went past us
  button_.known = false;
  // A list that went down while the skin was off had its notice pass by unheard.
  if (active && listPainter_ && IsWindowVisible(listPainter_->SkinnedWindow()))
    listPainter_->ResumeSubclass();
  if (listPainter_ && listPainter_->SubclassSuspended()) {
    // A list that is up hears it through its window; a closed one's skinner is told directly.
    ui::TMessage set{SM_SETACTIVE, static_cast<WPARAM>(active ? 1 : 0), 0, 0};
    listPainter_->HookMessage(set);
  } else if (listPainter_ && listPainter_->SkinnedWindow()) {
    SendMessageW(listPainter_->SkinnedWindow(), SM_SETACTIVE, active ? 1 : 0, 0);
  }
  if (listBars_ && listBars_->SkinnedWindow())
    SendMessageW(listBars_->SkinnedWindow(), SM_SETACTIVE, active ? 1 : 0, 0);
  TSkinControl::ActiveChanged(active);
}

LRESULT CALLBACK TSkinComBox::ChildProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSkinComBox*>(ref);
  // The child's own handling may free the combo's skinner (a handler of a notification it sends
  // frees the combo or its form): nothing of it is used after that.
  const std::weak_ptr<bool> alive = self->AliveToken();
  const LRESULT result = DefSubclassProc(wnd, msg, wParam, lParam);
  if (const auto living = alive.lock(); !living || !*living) return result;
  if (msg == WM_NCDESTROY) {
    // The system drops the subclass of a destroyed window itself.
    self->childSubclass_.forget();
    self->child_ = nullptr;
    return result;
  }
  try {
    self->ChildMessage(wnd, msg, lParam);
  } catch (...) {
    // The child's own handling has run; a fault of the skin stops here.
  }
  return result;
}

void TSkinComBox::ChildMessage(HWND child, UINT msg, LPARAM lParam) {
  // An extended combo's inner combo is the one that lays the button out.
  if (msg == WM_WINDOWPOSCHANGED || msg == WM_SIZE || msg == WM_STYLECHANGED) button_.known = false;
  if (!Active()) return;
  switch (msg) {
    case WM_PAINT:
      PaintFrame(nullptr);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      PressMessage(msg);
      break;
    case WM_MOUSEMOVE: {
      // An extended combo's inner combo takes the mouse: hot tracking follows it there.
      TrackHot(ToWindow(child, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, child, 0};
      TrackMouseEvent(&track);
      break;
    }
    case WM_MOUSELEAVE:
      LeaveHot();
      break;
    default:
      break;
  }
}

// A press on the combo or on its child shows the pressed look until the release.
void TSkinComBox::PressMessage(UINT msg) {
  if (msg == WM_LBUTTONUP)
    MouseState &= ~kDown;
  else
    MouseState |= kDown;
  Refresh();
}

void TSkinComBox::LeaveHot() {
  if (!(MouseState & kHot)) return;
  MouseState &= ~kHot;
  Refresh();
}

// The combo's erase reaches over its child windows (a combo does not clip them), so they are
// repainted with it, and the skin goes over them last.
void TSkinComBox::Refresh() {
  RedrawWindow(handle_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

POINT TSkinComBox::ToWindow(HWND from, POINT p) const {
  RECT window{};
  GetWindowRect(handle_, &window);
  ClientToScreen(from, &p);
  return POINT{p.x - window.left, p.y - window.top};
}

void TSkinComBox::TrackHot(POINT p) {
  const bool inside = PtInRect(&hot_, p) != FALSE;
  if (MouseState & kHot) {
    if (inside || !enabled_) return;
    MouseState &= ~kHot;
    Refresh();
  } else if (inside && enabled_) {
    MouseState |= kHot;
    Refresh();
  }
}

void TSkinComBox::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The combo repaints itself for its focus look; the skin follows that paint.
      focusKnown_ = !child_;
      focused_ = message.Msg == WM_SETFOCUS;
      break;
    case WM_MOUSEMOVE:
      // Unsigned words, as the combo's own hit testing reads them.
      TrackHot(ToWindow(handle_, POINT{LOWORD(message.LParam), HIWORD(message.LParam)}));
      break;
    case WM_DRAWITEM: {
      // An item the hooked child draws in its own paint: the skin follows that paint anyway.
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      if (item && child_ && item->hwndItem == child_) break;
      // Drawn over what was just painted; invalidating here would erase the child windows'
      // content in the middle of their paint.
      PaintFrame(nullptr);
      break;
    }
    case WM_NCPAINT:
      PaintFrame(nullptr);
      break;
    case WM_COMMAND:
    case ui::CN_COMMAND:
      FollowList(message);
      break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_STYLECHANGED:
    case WM_SETFONT:
    case CB_SETITEMHEIGHT:
      button_.known = false;  // the system combo lays its button out again
      TSkinControl::AfterMessage(message);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      PressMessage(message.Msg);
      break;
    case ui::CM_MOUSELEAVE:
      LeaveHot();
      break;
    case WM_ENABLE:
    case WM_SETTEXT:
    case ui::CM_ENABLEDCHANGED:
      Refresh();
      break;
    case WM_PAINT:
      // A child that will paint next paints the skin after itself: once is enough.
      if (!message.WParam && child_ && GetUpdateRect(child_, nullptr, FALSE)) break;
      PaintFrame(reinterpret_cast<HDC>(message.WParam));
      break;
    default:
      TSkinControl::AfterMessage(message);
      break;
  }
}

void TSkinComBox::PaintFrame(HDC dc) {
  if (dc || !handle_) {
    TSkinControl::PaintFrame(dc);
    return;
  }
  // The edge and the button lie over the child windows' borders: the DC must not leave them out,
  // whatever the combo's own clipping style says.
  if (!GetWindowRect(handle_, &windowRect_)) return;
  const RECT rect{0, 0, windowRect_.right - windowRect_.left, windowRect_.bottom - windowRect_.top};
  ui::WindowDC window =
      ui::WindowDC::Ex(handle_, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!window) return;
  try {
    PaintControl(window.get(), rect);
  } catch (...) {
    // A faulty skin never breaks the control's messages.
  }
}

void TSkinComBox::ReadButton() {
  bool ok = false;
  const COMBOBOXINFO info = ComboInfo(infoWindow_, ok);
  button_ = {};
  button_.known = true;
  if (!ok) return;
  const POINT a = ToWindow(infoWindow_, POINT{info.rcButton.left, info.rcButton.top});
  const POINT b = ToWindow(infoWindow_, POINT{info.rcButton.right, info.rcButton.bottom});
  button_.found = true;
  button_.rect = RECT{a.x, a.y, b.x, b.y};
  button_.invisible = (info.stateButton & STATE_SYSTEM_INVISIBLE) != 0;
}

ComboState TSkinComBox::ReadState() {
  // Asking for the focus is a round trip to the window server under Wine: a combo without child
  // windows (a drop-down list) has it or not by its own focus messages, which it hears.
  if (child_ || !focusKnown_) {
    const HWND focus = GetFocus();
    focused_ = focus && (focus == handle_ || IsChild(handle_, focus));
    focusKnown_ = !child_;
  }
  enabled_ = !(style_ & WS_DISABLED);
  ComboState s;
  s.focused = focused_;
  s.down = MouseState & kDown;
  s.hot = MouseState & kHot;
  s.disabled = !enabled_;
  return s;
}

void TSkinComBox::PaintControl(HDC dc, const RECT& rect) {
  TDataSkinBorder* button = ComboButtonOf(skin_);
  if (!button || !form_) return;
  style_ = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  exStyle_ = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  if (!button_.known) ReadButton();
  if (button_.found) {
    hot_ = button_.rect;
    if (button_.invisible) return;
  }
  const bool left = (exStyle_ & WS_EX_LEFTSCROLLBAR) != 0;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  if (W <= 0 || H <= 0) return;
  const ComboState state = ReadState();
  if (button->Style == 1) {
    PaintFlat(dc, rect, *button, state, left);
    return;
  }
  if (!ExFlag && button->Style != 2) return;  // no drawing of its own: the native look stays
  TDataSkinObject* image = button;
  if (!ExFlag && left) image = skin_->FindElement("SunkEdge");
  if (!image || image->Empty()) return;
  // Magenta shows what the control painted: composed over a copy of it, written back at once.
  FrameBuffer* buffer = Buffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  const RECT local{0, 0, W, H};
  BitBlt(b, 0, 0, W, H, dc, rect.left, rect.top, SRCCOPY);
  ui::SaveDCGuard saved(b);
  if (ExFlag)
    PaintEx(b, local, ComboImageFrame(state, 4));
  else
    DrawImage(b, local, *image, ComboImageFrame(state, image->Frame));
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

// The edges go straight to the screen; the button column and its image are composed on the
// combo's colour and written in one copy, so nothing of the screen is read back. The composed
// column is kept: a repaint in the same state and size copies it as it is.
void TSkinComBox::PaintFlat(HDC dc, const RECT& rect, const TDataSkinObject& button,
                            const ComboState& state, bool left) {
  const int frames = std::max(button.Frame, 1);
  // Right-to-left combos take the image from its mirror, whose frames keep their places.
  ui::TBitmap* strip = button.Bitmap.get();
  if (left) {
    const auto& border = static_cast<const TDataSkinBorder&>(button);
    if (border.Bitmap2 && !border.Bitmap2->Empty()) strip = border.Bitmap2.get();
  }
  // The image and the button column at the window's DPI.
  const int w = Scaled(StripFrameWidth(strip->Width(), frames));
  const int h = Scaled(strip->Height());
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  const FlatComboLayout l = FlatComboGeometry(W, H, w, h, Metric(SM_CYVTHUMB), left);
  const COLORREF face = control_ ? ui::ColorToRGB(control_->Color()) : GetSysColor(COLOR_WINDOW);
  RECT ring = rect;
  InflateRect(&ring, -1, -1);
  // The two one-pixel rings as one fill each: every call on a window's DC is clipped against the
  // window's visible region under Wine, so fewer calls are cheaper.
  const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, face);
  FillRgn(dc, RingRegion(kInnerRing, rect), brush);
  SetDCBrushColor(dc, static_cast<COLORREF>(skin_->GetRGB(ciButtonShadow)));
  FillRgn(dc, RingRegion(kOuterRing, rect), brush);
  hot_ = ToRect(l.image);
  RECT part{};
  const RECT column = ToRect(l.column);
  UnionRect(&part, &column, &hot_);
  IntersectRect(&part, &part, &ring);
  const int pw = part.right - part.left, ph = part.bottom - part.top;
  if (pw <= 0 || ph <= 0) return;
  RECT image = hot_;
  OffsetRect(&image, -part.left, -part.top);
  // The image as the host holds it now (another skin or DPI gives another).
  const ColumnLook look{
      form_->SkinImage(strip).dc(), FlatComboFrame(state, frames), pw, ph, image, face};
  if (!column_.look || !(*column_.look == look)) {
    column_.look.reset();
    if (!column_.pixels.Ensure(pw, ph)) return;
    const HDC b = column_.pixels.dc();
    Fill(b, RECT{0, 0, pw, ph}, face);
    DrawGlyphFrame(b, image, frames, look.frame, *strip);
    column_.look = look;
  }
  BitBlt(dc, rect.left + part.left, rect.top + part.top, pw, ph, column_.pixels.dc(), 0, 0,
         SRCCOPY);
}

HRGN TSkinComBox::RingRegion(Ring which, const RECT& rect) {
  CachedRing& cached = rings_[which];
  if (cached.region && EqualRect(&cached.rect, &rect)) return cached.region.get();
  const int outer = which == kOuterRing ? 0 : 1;
  ui::GdiRegion ring(
      CreateRectRgn(rect.left + outer, rect.top + outer, rect.right - outer, rect.bottom - outer));
  const RECT inside{rect.left + outer + 1, rect.top + outer + 1, rect.right - outer - 1,
                    rect.bottom - outer - 1};
  // A combo too small for a hole is all ring, as a frame of it is.
  if (ring && !IsRectEmpty(&inside)) {
    const ui::GdiRegion hole(CreateRectRgnIndirect(&inside));
    if (hole) CombineRgn(ring.get(), ring.get(), hole.get(), RGN_DIFF);
  }
  cached.region = std::move(ring);
  cached.rect = rect;
  return cached.region.get();
}

void TSkinComBox::SkinChanged() {
  column_.look.reset();  // composed from the old skin's image
  TSkinControl::SkinChanged();
}

// One frame of the element nine-sliced to r (its centre stretched), magenta left out.
void TSkinComBox::DrawImage(HDC dc, const RECT& r, const TDataSkinObject& element, int frame) {
  if (r.right < r.left || r.bottom < r.top) return;
  const int frames = std::max(element.Frame, 1);
  const ImageDC& image = ElementImage(element, frames);
  if (image.empty()) return;
  const PaintPlan plan =
      PlanNineSlice(image.width(), image.height(), r.right - r.left, r.bottom - r.top,
                    ScaledMargins(element, frames), false, false, frames, frame);
  DrawKeyed(dc, r, image, plan);
}

void TSkinComBox::PaintEx(HDC dc, const RECT& rect, int frame) {
  RECT client{};
  GetClientRect(handle_, &client);
  if (client.right != rect.right && client.bottom != rect.bottom) {
    Frame(dc, rect, static_cast<COLORREF>(skin_->GetRGB(ciButtonShadow)));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    Frame(dc, inner, RGB(255, 255, 255));
  }
  TDataSkinObject* arrow = skin_->ComboxArrow();
  if (!child_ || !arrow || arrow->Empty()) return;
  RECT r{};
  GetWindowRect(child_, &r);
  OffsetRect(&r, -windowRect_.left, -windowRect_.top);
  FillFace(dc, r);
  DrawGlyphFrame(dc, r, std::max(arrow->Frame, 1), frame, *arrow->Bitmap);
}

// ---- TComboxScrollBar
// ----------------------------------------------------------------------------

TComboxScrollBar::TComboxScrollBar(ui::TComponent* owner) : TSkinControl(owner) {}

TComboxScrollBar::~TComboxScrollBar() = default;

void TComboxScrollBar::AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) {
  TSkinControl::AttachHandle(wnd, skin, form);
  MakeBar();
}

void TComboxScrollBar::MakeBar() {
  if (!handle_ || !form_ || !TWScrollbar::SkinHasBars(skin_)) return;  // the list's own bar
  bar_ = std::make_unique<TWScrollbar>(form_, skin_);
  // This skinner is in the list's message stream already: it hands every message on.
  if (!bar_->AttachToWindow(handle_, TWScrollbar::kVerticalBar, true)) bar_.reset();
}

void TComboxScrollBar::ActiveChanged(bool active) {
  if (active)
    MakeBar();
  else
    bar_.reset();
  TSkinControl::ActiveChanged(active);
}

void TComboxScrollBar::MessageHandled(const ui::TMessage& message) {
  if (bar_) bar_->FollowHost(message.Msg, message.WParam, message.LParam);
}

void TComboxScrollBar::Detach() {
  TSkinControl::Detach();
  bar_.reset();
}

bool TComboxScrollBar::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCMOUSEMOVE:
      // The native bar under the skin's gets no hover look.
      if (message.WParam == HTHSCROLL || message.WParam == HTVSCROLL) return false;
      break;
    case WM_NCLBUTTONDOWN:
      if (DragThumb(message)) {
        message.Result = 0;
        return false;
      }
      break;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(message.LParam) != handle_) dragEnded_ = true;
      break;
    case WM_CANCELMODE:
      if (dragging_) dragEnded_ = true;
      break;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

void TComboxScrollBar::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case kListStartTrack:
      PaintFrame(nullptr);
      break;
    default:
      TSkinControl::AfterMessage(message);
      break;
  }
}

bool TComboxScrollBar::DragThumb(const ui::TMessage& press) {
  if (press.WParam != HTVSCROLL || dragging_) return false;
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!GetScrollBarInfo(handle_, OBJID_VSCROLL, &bar)) return false;
  const int pressY = GET_Y_LPARAM(press.LParam);
  const int p = pressY - bar.rcScrollBar.top;
  if (p < bar.xyThumbTop || p > bar.xyThumbBottom) return false;  // arrows and pages: native

  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(handle_, SB_VERT, &info);
  ThumbDragInput in;
  in.min = info.nMin;
  in.max = info.nMax;
  in.page = static_cast<int>(info.nPage);
  // The list's own arrows, at whatever DPI the system sized its bar for.
  const int arrow = bar.dxyLineButton > 0 ? bar.dxyLineButton : Metric(SM_CYVSCROLL);
  in.track = (bar.rcScrollBar.bottom - bar.rcScrollBar.top) - 2 * arrow;
  in.thumb = bar.xyThumbBottom - bar.xyThumbTop;
  const int origin = bar.xyThumbTop - arrow;
  int last = info.nPos;

  const HWND list = handle_;
  const std::weak_ptr<bool> alive = AliveToken();
  SetCapture(list);
  dragging_ = true;
  dragEnded_ = false;
  // Waits for messages rather than polling; everything but the pointer's moves and the release
  // goes on as usual. The drag also ends when the capture or the mode is taken away, when the
  // list is hidden or gone, and on WM_QUIT, which is put back for the loop that owns it.
  for (;;) {
    const auto living = alive.lock();
    if (!living || !*living) return true;  // the skinner went with its window
    if (dragEnded_ || !IsWindow(list) || !IsWindowVisible(list)) break;
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
      SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) continue;
    POINT cursor{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message == WM_MOUSEMOVE) ClientToScreen(msg.hwnd, &cursor);
    in.offset = origin + (cursor.y - pressY);
    const int position = ThumbDragPosition(in);
    if (position != last && IsWindow(list)) {
      SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
      last = position;
    }
  }
  const auto living = alive.lock();
  if (living && *living) dragging_ = false;
  if (IsWindow(list)) {
    if (GetCapture() == list) ReleaseCapture();
    // Whatever ended it, the list hears that the scrolling is over.
    PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
  }
  return true;
}

void TComboxScrollBar::PaintControl(HDC dc, const RECT& rect) {
  if (!ComboButtonOf(skin_)) return;
  // The list's one-pixel border in the shadow colour the combo's edge is drawn in.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  if (style & WS_BORDER) Frame(dc, rect, static_cast<COLORREF>(skin_->GetRGB(ciButtonShadow)));
}

}  // namespace skin
