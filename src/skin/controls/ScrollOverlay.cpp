#include "skin/controls/ScrollOverlay.h"

#include <memory>

#include "skin/controls/SkinnerHelpers.h"
#include "skin/data/WinSkinData.h"
#include "ui/Controls.h"

namespace skin {

namespace {
constexpr wchar_t kOverlayClass[] = L"TWScrollbar";
constexpr int kTrackFrames = 4;

ATOM OverlayClass(WNDPROC proc) {
  static const ATOM atom = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = ui::kBoundObjectBytes;  // the overlay hears every move of the mouse
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kOverlayClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

bool IsOverlay(HWND wnd) {
  wchar_t name[16] = {};
  return wnd && GetClassNameW(wnd, name, 16) && lstrcmpW(name, kOverlayClass) == 0;
}

// The window a child host's overlay lives in; null when the host is a top-level window (a
// drop-down list is a pop-up whose parent is the desktop).
HWND ChildParent(HWND host) {
  if (!(GetWindowLongPtrW(host, GWL_STYLE) & WS_CHILD)) return nullptr;
  HWND parent = GetAncestor(host, GA_PARENT);
  return parent == GetDesktopWindow() ? nullptr : parent;
}
}  // namespace

TWScrollbar::TWScrollbar(IControlSkinnerHost* form, TSkinData* skin) : form_(form), skin_(skin) {}

TWScrollbar::~TWScrollbar() {
  *alive_ = false;
  Detach();
}

bool TWScrollbar::SkinHasBars(const TSkinData* skin) {
  return ElementWithImage(skin, "Scrollbar") && ElementWithImage(skin, "HorzScrollThumb") &&
         ElementWithImage(skin, "VertScrollThumb");
}

// ---- Attaching
// -----------------------------------------------------------------------------------

bool TWScrollbar::AttachToWindow(HWND host, BarKind kind, bool fed) {
  // Taken on again (a new skin): the overlay keeps its place in the Z order.
  const bool again = host_ == host && wnd_;
  if (!again) Detach();
  if (!host || !IsWindow(host)) return false;
  host_ = host;
  kind_ = kind;
  paintedKnown_ = false;  // a new host, or the same one in a new skin
  vertical_ = kind == kControlBar ? (GetWindowLongPtrW(host, GWL_STYLE) & SBS_VERT) != 0
                                  : kind == kVerticalBar;
  // Each hook of its own would cost the host two window-server round trips per message under
  // Wine (the system's subclass list is a window property).
  if (fed)
    hostHook_.reset();
  else if (!hostHook_)
    hostHook_ = ui::SubclassHandle(host, HostProc, reinterpret_cast<UINT_PTR>(this),
                                   reinterpret_cast<DWORD_PTR>(this));
  if (!EnsureWindow()) {
    Detach();
    return false;
  }
  Follow(!again);
  return true;
}

void TWScrollbar::Detach() {
  hostHook_.reset();
  if (addedClipSiblings_ && host_ && IsWindow(host_))
    SetWindowLongPtrW(host_, GWL_STYLE, GetWindowLongPtrW(host_, GWL_STYLE) & ~WS_CLIPSIBLINGS);
  addedClipSiblings_ = false;
  // The window's messages from here on find the overlay no longer its own and go to the system.
  if (HWND wnd = std::exchange(wnd_, nullptr)) DestroyWindow(wnd);
  host_ = nullptr;
  visible_ = pressed_ = tracking_ = false;
}

void TWScrollbar::HostGone() {
  hostHook_.forget();
  addedClipSiblings_ = false;
  Detach();
}

bool TWScrollbar::EnsureWindow() {
  HWND parent = ChildParent(host_);
  if (wnd_ && popup_ == (parent == nullptr)) {
    if (parent && GetParent(wnd_) != parent) {  // the host moved
      SetParent(wnd_, parent);
      orderUnknown_ = true;
    }
    return true;
  }
  if (wnd_) DestroyWindow(std::exchange(wnd_, nullptr));
  if (!OverlayClass(OverlayProc)) return false;
  popup_ = parent == nullptr;
  ui::BoundWindowParams p;
  p.className = kOverlayClass;
  if (popup_) {
    p.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    if (GetWindowLongPtrW(host_, GWL_EXSTYLE) & WS_EX_TOPMOST) p.exStyle |= WS_EX_TOPMOST;
    p.style = WS_POPUP;
    p.parent = host_;
  } else {
    // The host must not paint its bar over the overlay that covers it.
    if (!(GetWindowLongPtrW(host_, GWL_STYLE) & WS_CLIPSIBLINGS)) {
      SetWindowLongPtrW(host_, GWL_STYLE, GetWindowLongPtrW(host_, GWL_STYLE) | WS_CLIPSIBLINGS);
      addedClipSiblings_ = true;
    }
    p.style = WS_CHILD | WS_CLIPSIBLINGS;
    p.parent = parent;
  }
  try {
    wnd_ = ui::CreateBoundWindow(this, p);
  } catch (const ui::EOutOfResources&) {
    wnd_ = nullptr;
  }
  if (wnd_ && !enabled_) EnableWindow(wnd_, FALSE);
  orderUnknown_ = true;
  return wnd_ != nullptr;
}

// ---- Placement
// -----------------------------------------------------------------------------------

bool TWScrollbar::ReadBar(BarInfo& info) const {
  if (!host_) return false;
  if (kind_ == kControlBar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (!GetWindowRect(host_, &info.screen) || !GetScrollInfo(host_, SB_CTL, &si)) return false;
    const int length =
        vertical_ ? info.screen.bottom - info.screen.top : info.screen.right - info.screen.left;
    info.thumb =
        ControlThumb(length, Arrow(), {si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos});
    info.visible = true;
    info.enabled = IsWindowEnabled(host_) != FALSE;
    return true;
  }
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  if (!GetScrollBarInfo(host_, vertical_ ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi)) return false;
  info.screen = sbi.rcScrollBar;
  info.thumb = {sbi.xyThumbTop, sbi.xyThumbBottom};
  info.visible = !(sbi.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
  info.enabled = !(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  return true;
}

void TWScrollbar::UpdateBar() { Follow(true); }

void TWScrollbar::Follow(bool orderMayChange) {
  if (!host_ || !IsWindow(host_)) return;
  BarInfo info;
  const bool shown = GetWindowLongPtrW(host_, GWL_STYLE) & WS_VISIBLE;
  if (!ReadBar(info) || !shown || !info.visible || !EnsureWindow()) {
    HideBar();
    return;
  }
  Place(info, orderMayChange || !IsWindowVisible(wnd_));
}

void TWScrollbar::Place(const BarInfo& info, bool checkOrder) {
  screenRect_ = info.screen;
  POINT corners[2] = {{info.screen.left, info.screen.top}, {info.screen.right, info.screen.bottom}};
  MapWindowPoints(nullptr, host_, corners, 2);
  barRect_ = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  const int w = info.screen.right - info.screen.left, h = info.screen.bottom - info.screen.top;
  length_ = vertical_ ? h : w;
  POINT at{info.screen.left, info.screen.top};
  UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
  HWND after = HWND_TOP;
  if (!popup_) ScreenToClient(GetParent(wnd_), &at);
  if (popup_ || !(checkOrder || orderUnknown_)) {
    flags |= SWP_NOZORDER;  // an owned pop-up stays above its owner by itself
  } else {
    // Directly above the host: only overlays may sit between them.
    HWND above = GetWindow(host_, GW_HWNDPREV);
    bool inPlace = false;
    for (HWND w = above; w && IsOverlay(w); w = GetWindow(w, GW_HWNDPREV))
      if (w == wnd_) inPlace = true;
    if (inPlace)
      flags |= SWP_NOZORDER;
    else if (above)
      after = above;
    orderUnknown_ = false;
  }
  // Re-placing a window costs a round trip to the display server: only when something changed.
  RECT now{};
  GetWindowRect(wnd_, &now);
  const bool moved = !EqualRect(&now, &info.screen);
  if (moved || !(flags & SWP_NOZORDER) || !IsWindowVisible(wnd_))
    SetWindowPos(wnd_, after, at.x, at.y, w, h, flags);
  visible_ = true;
  InvalidateIfChanged(info);
}

void TWScrollbar::InvalidateIfChanged(const BarInfo& info) {
  const bool same = paintedKnown_ && EqualRect(&painted_.screen, &info.screen) &&
                    painted_.thumb == info.thumb && painted_.enabled == (info.enabled && enabled_);
  // A thumb being dragged follows the pointer, not the bar.
  if (!same || pressed_) Invalidate();
}

void TWScrollbar::HideBar() {
  if (wnd_ && IsWindowVisible(wnd_)) ShowWindow(wnd_, SW_HIDE);
  visible_ = false;
}

// The overlay's window is enabled with its host: a disabled one takes no input, and a click on it
// goes where a click on the host's own bar would (to the host's parent).
void TWScrollbar::SetEnabled(bool on) {
  if (wnd_ && (IsWindowEnabled(wnd_) != FALSE) != on) EnableWindow(wnd_, on);
  if (enabled_ == on) return;
  enabled_ = on;
  Invalidate();
}

bool TWScrollbar::TakesInput() const { return enabled_ && host_ && IsWindowEnabled(host_); }

void TWScrollbar::Invalidate() {
  if (wnd_ && visible_) InvalidateRect(wnd_, nullptr, FALSE);
}

void TWScrollbar::SetHoverZone(int zone) {
  if (zone == hoverZone_) return;
  hoverZone_ = zone;
  Invalidate();
}

// ---- Painting
// ------------------------------------------------------------------------------------

namespace {
// One piece of a bar: a state of an element nine-sliced to `r`; nothing for an inverted or empty
// rectangle or a missing element.
void DrawElementState(HDC dc, IControlSkinnerHost& form, const TDataSkinObject* element,
                      const ImageRect& r, int count, int index, bool tile) {
  if (!element || r.width() <= 0 || r.height() <= 0) return;
  const ImageDC& image = ElementImageAt(form, *element, count);
  if (image.empty()) return;
  const ImageRect margins = ElementMarginsAt(form, *element, count);
  const PaintPlan plan = PlanNineSlice(image.width(), image.height(), r.width(), r.height(),
                                       margins, false, tile, count, ClampFrame(index, count));
  ExecutePlanFrom(dc, r.left, r.top, plan, image, element->Trans == 1);
}

// One of the 23 Scrollbar images stretched to `r`, magenta left out.
void DrawArrowFrame(HDC dc, const ImageDC& strip, const ImageRect& r, int frame) {
  if (r.width() <= 0 || r.height() <= 0 || strip.empty()) return;
  const PaintPlan plan = PlanFrame(strip.width(), strip.height(), r.width(), r.height(),
                                   kScrollArrowFrames, ClampFrame(frame, kScrollArrowFrames));
  ExecutePlanFrom(dc, r.left, r.top, plan, strip, true);
}
}  // namespace

void TWScrollbar::PaintTo(HDC dc) {
  if (!form_ || !SkinHasBars(skin_) || !wnd_) return;
  BarInfo info;
  if (!ReadBar(info) || !info.visible) return;
  RECT client{};
  GetClientRect(wnd_, &client);
  const int w = info.screen.right - info.screen.left, h = info.screen.bottom - info.screen.top;
  if (w < 0 || h < 0 || w > client.right || h > client.bottom) return;  // not re-placed yet
  const bool enabled = info.enabled && enabled_;
  length_ = vertical_ ? h : w;
  if (paintingScreen_) {
    painted_ = info;
    painted_.enabled = enabled;
    paintedKnown_ = true;
  }

  const TDataSkinObject* arrows = ElementWithImage(skin_, "Scrollbar");
  const ImageDC& strip = ElementImageAt(*form_, *arrows, kScrollArrowFrames);
  if (strip.empty()) return;
  // Arrows and thickness at the window's DPI, as the system sizes its bars there.
  const int thickness = BarThickness(strip.height(), Arrow());
  int bw = w, bh = h;
  if (kind_ == kControlBar) (vertical_ ? bw : bh) = thickness;
  if (!buffer_.Ensure(bw, bh)) return;
  const HDC b = buffer_.dc();
  const RECT whole{0, 0, bw, bh};
  if (skin_->ButtonFaceBrush()) FillRect(b, &whole, skin_->ButtonFaceBrush());

  if (pressed_ && hoverZone_ == kZoneThumb && kind_ != kControlBar) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const int delta = vertical_ ? cursor.y - pressCursor_.y : cursor.x - pressCursor_.x;
    thumb_ = DragThumb(pressThumbTop_, thumb_.size(), delta, length_, Arrow());
  } else {
    thumb_ = info.thumb;
  }

  const TDataSkinObject* track = ElementWithImage(skin_, vertical_ ? "VertScroll" : "HorzScroll");
  const TDataSkinObject* thumb =
      ElementWithImage(skin_, vertical_ ? "VertScrollThumb" : "HorzScrollThumb");
  const BarFrames frames =
      ChooseBarFrames(vertical_, enabled, hoverZone_, pressed_, thumb->Frame, kTrackFrames);
  const BarLayout layout =
      LayoutBar(vertical_, bw, bh, thickness, Arrow(), thumb_, strip.height(), enabled);
  DrawElementState(b, *form_, track, layout.track, kTrackFrames, frames.track,
                   track && track->Tile == 1);
  DrawArrowFrame(b, strip, layout.firstArrow, frames.firstArrow);
  DrawArrowFrame(b, strip, layout.secondArrow, frames.secondArrow);
  if (layout.drawThumb)
    DrawElementState(b, *form_, thumb, layout.thumb, thumb->Frame, frames.thumb, false);
  if (layout.drawGrip) DrawArrowFrame(b, strip, layout.grip, frames.grip);

  if (kind_ == kControlBar)
    StretchBlt(dc, 0, 0, client.right, client.bottom, b, 0, 0, bw, bh, SRCCOPY);
  else
    BitBlt(dc, 0, 0, w, h, b, 0, 0, SRCCOPY);
}

// ---- Mouse
// ---------------------------------------------------------------------------------------

LPARAM TWScrollbar::ToHostPoint(LPARAM p) const {
  if (kind_ == kControlBar) return p;
  const int x = static_cast<int>(LOWORD(p)) + screenRect_.left;
  const int y = static_cast<int>(HIWORD(p)) + screenRect_.top;
  return MAKELPARAM(x, y);
}

void TWScrollbar::Press(LPARAM lParam) {
  if (!TakesInput()) return;
  const int x = LOWORD(lParam), y = HIWORD(lParam);
  GetCursorPos(&pressCursor_);
  BarInfo info;
  if (ReadBar(info)) {
    screenRect_ = info.screen;
    thumb_ = info.thumb;
    pressThumbTop_ = thumb_.top;
  }
  if (kind_ == kControlBar) {
    RECT client{};
    GetClientRect(wnd_, &client);
    length_ = vertical_ ? client.bottom : client.right;
  }
  hoverZone_ = HitZone(vertical_ ? y : x, length_, Arrow(), thumb_);
  pressed_ = true;
  Invalidate();
  if (wnd_) UpdateWindow(wnd_);
  // The system tracks the press on its own bar and returns when the button is released; the
  // host (and this overlay) may be gone by then.
  const HWND host = host_;
  const LPARAM at = ToHostPoint(lParam);
  const std::shared_ptr<bool> alive = alive_;
  if (kind_ == kControlBar)
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
  else
    SendMessageW(host, WM_NCLBUTTONDOWN, vertical_ ? HTVSCROLL : HTHSCROLL, at);
  if (!*alive) return;
  pressed_ = false;
  Invalidate();
}

void TWScrollbar::Release(LPARAM lParam) {
  pressed_ = false;
  if (host_ && TakesInput()) {
    if (kind_ == kControlBar)
      PostMessageW(host_, WM_LBUTTONUP, MK_LBUTTON, lParam);
    else
      PostMessageW(host_, WM_NCLBUTTONUP, vertical_ ? HTVSCROLL : HTHSCROLL, ToHostPoint(lParam));
  }
  Invalidate();
}

// ---- Messages
// ------------------------------------------------------------------------------------

LRESULT TWScrollbar::OverlayMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      ui::PaintDC paint(wnd_);
      paintingScreen_ = true;
      if (paint.get()) PaintTo(paint.get());
      paintingScreen_ = false;
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_MOUSEACTIVATE:
      if (popup_) return MA_NOACTIVATE;
      break;
    case WM_MOUSEMOVE: {
      const int v = vertical_ ? HIWORD(lParam) : LOWORD(lParam);
      SetHoverZone(HitZone(v, length_, Arrow(), thumb_));
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, wnd_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (!pressed_) SetHoverZone(kZoneNone);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(lParam);
      return 0;
    case WM_LBUTTONUP:
      Release(lParam);
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      // The wheel over the bar scrolls what the bar scrolls (a disabled host: nothing).
      if (!TakesInput()) return 0;
      return SendMessageW(host_, msg, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(wnd_, msg, wParam, lParam);
}

LRESULT CALLBACK TWScrollbar::OverlayProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The class is the overlay's alone: the bound object is a TWScrollbar.
  auto* self = static_cast<TWScrollbar*>(ui::BoundObject(wnd, msg, lParam));
  if (msg == WM_NCDESTROY && self && self->wnd_ == wnd) {
    self->wnd_ = nullptr;
    self->visible_ = false;
  }
  // A window the overlay has let go of (being destroyed, or replaced) is the system's.
  if (!self || self->wnd_ != wnd) return DefWindowProcW(wnd, msg, wParam, lParam);
  try {
    return self->OverlayMessage(msg, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(wnd, msg, wParam, lParam);  // a faulty skin never breaks the bar
  }
}

void TWScrollbar::HostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_WINDOWPOSCHANGED: {
      // Moves, sizes, frame changes (a bar shown or hidden) and Z-order changes all re-place.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos->flags & SWP_HIDEWINDOW)
        HideBar();
      else
        UpdateBar();
      break;
    }
    case WM_NCPAINT:
      // A paint moves no window: the bar may have come, gone or changed, the order has not.
      Follow(false);
      break;
    case WM_PAINT: {
      // The host's content scrolled or its bar just came up.
      const LONG_PTR bit = vertical_ ? WS_VSCROLL : WS_HSCROLL;
      BarInfo info;
      if (visible_ && ReadBar(info))
        InvalidateIfChanged(info);
      else if (visible_)
        Invalidate();
      else if (kind_ == kControlBar || (GetWindowLongPtrW(host_, GWL_STYLE) & bit))
        UpdateBar();
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      // What the system's tracking does shows on the overlay; requests of a child scroll-bar
      // control (lParam is its window) are not this bar's.
      if (lParam == 0 && kind_ != kControlBar && (msg == WM_VSCROLL) == vertical_)
        SetHoverZone(LOWORD(wParam));
      break;
    case WM_ENABLE:
      // A bare host's enabled state reaches the overlay here (a framework control's through its
      // skinner as well).
      SetEnabled(wParam != 0);
      break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      Invalidate();
      break;
    default:
      break;
  }
}

void TWScrollbar::FollowHost(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!host_) return;
  if (msg == WM_NCDESTROY) {
    HostGone();
    return;
  }
  try {
    HostMessage(msg, wParam, lParam);
  } catch (...) {
  }
}

LRESULT CALLBACK TWScrollbar::HostProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR ref) {
  auto* self = reinterpret_cast<TWScrollbar*>(ref);
  if (msg == WM_NCDESTROY) {
    self->HostGone();  // no overlay outlives its host's window
    return DefSubclassProc(wnd, msg, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(wnd, msg, wParam, lParam);
  try {
    self->HostMessage(msg, wParam, lParam);
  } catch (...) {
  }
  return result;
}

}  // namespace skin
