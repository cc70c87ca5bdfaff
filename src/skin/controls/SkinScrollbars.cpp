#include "skin/controls/SkinScrollbars.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "skin/controls/SkinnerHelpers.h"
#include "skin/controls/SkinnerRegistry.h"
#include "skin/data/WinSkinData.h"
#include "ui/TypInfo.h"

namespace skin {

namespace {
constexpr DWORD kHiddenBar = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
constexpr LONG_PTR kEdgeStyles = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE;
}  // namespace

UI_IMPLEMENT_CLASS(TSkinScrollbar, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinScrollbarH, TSkinScrollbar)
UI_IMPLEMENT_CLASS(TSkinScControl, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinListView, TSkinScrollbar)

TSkinScrollbar::TSkinScrollbar(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::Attach(IControlSkinnerHost* form, TSkinData* skin, bool) {
  if (control_) return;  // attached already
  TSkinControl::Attach(form, skin, false);
  if (!control_) return;
  // A control that publishes a border style asks for the flat border unless it has none; one that
  // publishes none gets it too, as long as its window has an edge to cover.
  ownBorder_ = LowerEnum(control_, "BorderStyle") != "bsnone" &&
               control_->ClassName() != std::string("TImageScrollBox");
  RecolourFixed();
  MakeBars();
  if (!control_->Visible()) HideBars();
}

void TSkinScrollbar::RecolourFixed() {
  if (!control_ || !skin_ || !ui::IsPublishedProp(control_, "FixedColor", ui::TTypeKind::tkInteger))
    return;
  if (!fixedSaved_) {
    savedFixed_ = ui::GetOrdProperty(control_, "FixedColor");
    fixedSaved_ = true;
  }
  const auto face = static_cast<uint32_t>(skin_->GetRGB(ciButtonFace)) & 0xFFFFFF;
  ui::SetPropertyText(control_, "FixedColor", std::to_wstring(face));
  fixedRecoloured_ = true;
}

void TSkinScrollbar::RestoreFixed() {
  if (!std::exchange(fixedRecoloured_, false) || !control_) return;
  ui::SetPropertyText(control_, "FixedColor", std::to_wstring(savedFixed_));
}

void TSkinScrollbar::AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) {
  if (handle_) return;
  TSkinControl::AttachHandle(wnd, skin, form);
  ownBorder_ = false;  // a bare window keeps its own edge
  MakeBars();
  if (wnd && !IsWindowVisible(wnd)) HideBars();
}

void TSkinScrollbar::MakeBars() {
  if (!handle_ || !TWScrollbar::SkinHasBars(skin_)) return;  // no images: the bars stay native
  shadowBrush_ =
      ui::GdiBrush(CreateSolidBrush(static_cast<COLORREF>(skin_->GetRGB(ciButtonShadow))));
  if (!horz_) horz_ = std::make_unique<TWScrollbar>(form_, skin_);
  if (!vert_) vert_ = std::make_unique<TWScrollbar>(form_, skin_);
  // The skinner is in the host's message stream already: it hands every message on.
  horz_->AttachToWindow(handle_, TWScrollbar::kHorizontalBar, true);
  vert_->AttachToWindow(handle_, TWScrollbar::kVerticalBar, true);
  const bool enabled = control_ ? control_->Enabled() : IsWindowEnabled(handle_) != FALSE;
  horz_->SetEnabled(enabled);
  vert_->SetEnabled(enabled);
  InvalidateFrame();
}

void TSkinScrollbar::HideBars() {
  if (horz_) horz_->HideBar();
  if (vert_) vert_->HideBar();
}

void TSkinScrollbar::UpdateBars() {
  if (horz_) horz_->UpdateBar();
  if (vert_) vert_->UpdateBar();
}

void TSkinScrollbar::Detach() {
  if (!Active()) return;
  if (!WindowDestroyed()) RestoreFixed();
  TSkinControl::Detach();
  // Whatever became of the window, no overlay is left behind.
  const bool had = horz_ || vert_;
  horz_.reset();
  vert_.reset();
  if (had && !WindowDestroyed() && handle_ && IsWindow(handle_)) InvalidateFrame();
}

void TSkinScrollbar::SkinChanged() {
  // A grid's fixed cells follow the new face colour (the control repaints them itself).
  if (Active()) RecolourFixed();
  // Everything else this skinner paints lies on the frame (the border, the corner, the overlays
  // over the bars), and the control keeps its own colour: its client area is not painted again.
  if (TWScrollbar::SkinHasBars(skin_)) {
    MakeBars();
    return;
  }
  horz_.reset();
  vert_.reset();
  InvalidateFrame();
}

// Switched off, the system's own bars and frame show: the overlays go, and come back with the skin.
void TSkinScrollbar::ActiveChanged(bool active) {
  if (active) {
    RecolourFixed();
    MakeBars();
    if (control_ && !control_->Visible()) HideBars();
  } else {
    RestoreFixed();
    horz_.reset();
    vert_.reset();
  }
  TSkinControl::ActiveChanged(active);
}

void TSkinScrollbar::MessageHandled(const ui::TMessage& message) {
  if (horz_) horz_->FollowHost(message.Msg, message.WParam, message.LParam);
  if (vert_) vert_->FollowHost(message.Msg, message.WParam, message.LParam);
}

// ---- Messages
// ------------------------------------------------------------------------------------

bool TSkinScrollbar::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCDESTROY:
      // A framework control may get a new window (RecreateWnd): the skinner stays with the
      // control and takes the new window on; the overlays have gone with the old one.
      if (!control_) break;
      CallPrevious(message);
      return false;
    case WM_NCPAINT: {
      if (!horz_ && !vert_) break;
      // The system's bars are slow to draw and hidden anyway when the overlays and the flat
      // border cover everything it would paint.
      if (!SkinCoversFrame()) CallPrevious(message);
      ui::WindowDC dc = ui::WindowDC::Whole(handle_);
      if (!dc) return false;
      try {
        DrawBorder(dc.get());
        FillCorner(dc.get());
      } catch (...) {
      }
      return false;
    }
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::AfterMessage(ui::TMessage& message) {
  // A re-created window of the control: the skin follows it.
  if (control_) {
    auto* windowed = dynamic_cast<ui::TWinControl*>(control_);
    if (windowed && windowed->HandleAllocated() && windowed->Handle() != handle_) {
      handle_ = windowed->Handle();
      MakeBars();
    }
  }
  switch (message.Msg) {
    case ui::CM_VISIBLECHANGED:
      if (message.WParam)
        UpdateBars();
      else
        HideBars();
      return;
    case ui::CM_ENABLEDCHANGED:
      if (control_) {
        if (horz_) horz_->SetEnabled(control_->Enabled());
        if (vert_) vert_->SetEnabled(control_->Enabled());
      }
      break;
    case WM_SHOWWINDOW:
      if (!message.WParam) HideBars();
      return;
    case SM_PAINTFRAMETO:
      // The engine asks for the control's frame in a DC of its own (a print of the window).
      if (message.LParam != kSkinMessageTag) break;
      if (message.WParam) {
        try {
          DrawBorder(reinterpret_cast<HDC>(message.WParam));
        } catch (...) {
        }
      }
      message.Result = kSkinMessageTag;
      return;
    default:
      break;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinScrollbar::PaintControl(HDC dc, const RECT&) { FillCorner(dc); }

void TSkinScrollbar::DrawBorder(HDC dc) const {
  if (!ownBorder_ || Mode == 1 || !shadowBrush_) return;
  if (!(GetWindowLongPtrW(handle_, GWL_EXSTYLE) & kEdgeStyles) &&
      !(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_BORDER))
    return;
  RECT r{};
  if (!GetWindowRect(handle_, &r)) return;
  OffsetRect(&r, -r.left, -r.top);
  FrameRect(dc, &r, shadowBrush_.get());
  InflateRect(&r, -1, -1);
  if (skin_->ButtonFaceBrush()) FrameRect(dc, &r, skin_->ButtonFaceBrush());
}

bool TSkinScrollbar::SkinCoversFrame() const {
  if (!ownBorder_ || Mode == 1 || !shadowBrush_ || !skin_->ButtonFaceBrush()) return false;
  if (!(GetWindowLongPtrW(handle_, GWL_EXSTYLE) & kEdgeStyles) &&
      !(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_BORDER))
    return false;
  RECT window{}, inner{};
  if (!GetWindowRect(handle_, &window) || !GetClientRect(handle_, &inner)) return false;
  MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&inner), 2);
  for (const auto& [id, overlay] :
       {std::pair{OBJID_HSCROLL, horz_.get()}, std::pair{OBJID_VSCROLL, vert_.get()}}) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!GetScrollBarInfo(handle_, id, &bar)) return false;
    if (bar.rgstate[0] & kHiddenBar) continue;
    if (!overlay || !overlay->Visible()) return false;
    const RECT covered = overlay->ScreenRect();
    if (!EqualRect(&covered, &bar.rcScrollBar)) return false;
    UnionRect(&inner, &inner, &bar.rcScrollBar);
  }
  // What is left of the frame is the two-pixel ring DrawBorder paints.
  constexpr LONG kRing = 2;
  return inner.left - window.left <= kRing && inner.top - window.top <= kRing &&
         window.right - inner.right <= kRing && window.bottom - inner.bottom <= kRing;
}

// The square between two bars, in window coordinates taken from the bars themselves (whatever
// the border is).
void TSkinScrollbar::FillCorner(HDC dc) const {
  if (!horz_ || !vert_ || !dc) return;
  SCROLLBARINFO h{}, v{};
  h.cbSize = v.cbSize = sizeof(SCROLLBARINFO);
  if (!GetScrollBarInfo(handle_, OBJID_HSCROLL, &h) ||
      !GetScrollBarInfo(handle_, OBJID_VSCROLL, &v))
    return;
  if ((h.rgstate[0] & kHiddenBar) || (v.rgstate[0] & kHiddenBar)) return;
  RECT window{};
  GetWindowRect(handle_, &window);
  RECT corner{v.rcScrollBar.left, h.rcScrollBar.top, v.rcScrollBar.right, h.rcScrollBar.bottom};
  OffsetRect(&corner, -window.left, -window.top);
  FillFace(dc, corner);
}

// ---- List views
// -----------------------------------------------------------------------------------

void TSkinListView::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinScrollbar::Attach(form, skin, recolour);
  SkinHeader();
}

// The header comes with the report view (and again with a re-created window); it is skinned by
// handle as a bare header, and left alone once skinned.
void TSkinListView::SkinHeader() {
  if (!handle_ || !Active() || !HasSkinner(SkinnerKind::Header)) return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(handle_, LVM_GETHEADER, 0, 0));
  if (!header || SendMessageW(header, SM_ISSKINNED, 0, 0) == 1) return;
  CreateSkinner(SkinnerKind::Header, nullptr)->AttachHandle(header, skin_, form_);
}

void TSkinListView::AfterMessage(ui::TMessage& message) {
  TSkinScrollbar::AfterMessage(message);
  if (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_CREATE) SkinHeader();
}

// ---- Scroll-bar controls
// --------------------------------------------------------------------------

TSkinScControl::~TSkinScControl() = default;

void TSkinScControl::Attach(IControlSkinnerHost* form, TSkinData* skin, bool) {
  if (control_) return;  // attached already
  TSkinControl::Attach(form, skin, false);
  MakeBar();
}

void TSkinScControl::MakeBar() {
  if (!handle_ || !control_ || !TWScrollbar::SkinHasBars(skin_)) {
    bar_.reset();  // no images: the control keeps its own look
    return;
  }
  if (!bar_) bar_ = std::make_unique<TWScrollbar>(form_, skin_);
  if (!bar_->AttachToWindow(handle_, TWScrollbar::kControlBar, true)) {
    bar_.reset();
    return;
  }
  bar_->SetEnabled(control_->Enabled());
  if (!control_->Visible()) bar_->HideBar();
}

void TSkinScControl::Detach() {
  if (!Active()) return;
  TSkinControl::Detach();
  bar_.reset();
}

void TSkinScControl::SkinChanged() {
  MakeBar();
  if (bar_) bar_->Invalidate();
  TSkinControl::SkinChanged();
}

void TSkinScControl::ActiveChanged(bool active) {
  if (active)
    MakeBar();
  else
    bar_.reset();
  TSkinControl::ActiveChanged(active);
}

void TSkinScControl::MessageHandled(const ui::TMessage& message) {
  if (bar_) bar_->FollowHost(message.Msg, message.WParam, message.LParam);
}

void TSkinScControl::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case ui::CM_VISIBLECHANGED:
      if (!bar_) break;
      if (message.WParam)
        bar_->UpdateBar();
      else
        bar_->HideBar();
      return;
    case ui::CM_ENABLEDCHANGED:
      if (bar_ && control_) bar_->SetEnabled(control_->Enabled());
      break;
    case WM_PAINT:
      return;  // the overlay covers the control whole: nothing of the skin lies on it
    default:
      break;
  }
  TSkinControl::AfterMessage(message);
}

}  // namespace skin
