#include "skin/controls/SkinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/CanvasPrimitives.h"
#include "ui/Handles.h"
#include "ui/TypInfo.h"

namespace skin {

namespace {
constexpr UINT_PTR kSubclassId = 0x534B4E43;
}  // namespace

UI_IMPLEMENT_CLASS(TSkinControl, ui::TComponent)

std::wstring ReadWindowText(HWND wnd) {
  const int length = GetWindowTextLengthW(wnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(wnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

std::wstring ReplaceFirst(const std::wstring& text, const std::wstring& pattern,
                          const std::wstring& replacement) {
  if (pattern.empty()) return text;
  const size_t at = text.find(pattern);
  if (at == std::wstring::npos) return text;
  std::wstring out = text;
  out.replace(at, pattern.size(), replacement);
  return out;
}

TSkinControl::TSkinControl(ui::TComponent* owner) : ui::TComponent(owner) {}

TSkinControl::~TSkinControl() {
  *alive_ = false;
  RestoreHandlers();
  if (form_) form_->RemoveControl(this);
}

void TSkinControl::RestoreHandlers() {
  active_ = false;
  if (ui::THandlerLink* link = std::exchange(link_, nullptr)) link->Release();
  subclass_.reset();
}

// ---- Attaching
// -----------------------------------------------------------------------------------

void TSkinControl::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  if (attached_) return;
  form_ = form;
  skin_ = skin;
  recolour_ = recolour;
  control_ = dynamic_cast<ui::TControl*>(Owner());
  if (!control_) return;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control_)) handle_ = windowed->Handle();
  link_ = new ui::THandlerLink(control_, this);
  if (form_) form_->AddControl(this);
  if (recolour_) {
    savedColor_ = control_->Color();
    control_->SetColor(static_cast<ui::TColor>(skin_->GetRGB(ciButtonFace)));
  }
  control_->Invalidate();
  attached_ = true;
  state_ = kAttached;
}

void TSkinControl::AttachUnhooked(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  if (attached_) return;
  form_ = form;
  skin_ = skin;
  recolour_ = recolour;
  control_ = dynamic_cast<ui::TControl*>(Owner());
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control_))
    handle_ = windowed->HandleAllocated() ? windowed->Handle() : nullptr;
  if (form_) form_->AddControl(this);
  if (recolour_ && control_) {
    savedColor_ = control_->Color();
    control_->SetColor(static_cast<ui::TColor>(skin_->GetRGB(ciButtonFace)));
  }
  attached_ = true;
}

void TSkinControl::AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) {
  if (attached_) return;
  skin_ = skin;
  form_ = form;
  handle_ = wnd;
  enabled_ = true;
  Mode = 0;
  if (form_) form_->AddControl(this);
  caption_ = ReadWindowText(wnd);
  subclass_ = ui::SubclassHandle(wnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (wnd) InvalidateRect(wnd, nullptr, TRUE);
  attached_ = true;
  state_ = kAttached;
}

bool TSkinControl::ResumeSubclass() {
  if (subclass_) return true;
  if (!attached_ || link_ || !handle_ || state_ != kAttached || !IsWindow(handle_)) return false;
  subclass_ =
      ui::SubclassHandle(handle_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return static_cast<bool>(subclass_);
}

void TSkinControl::Detach() {
  if (!active_) return;
  active_ = false;
  if (state_ == kWindowDestroyed) return;
  if (recolour_ && control_) control_->SetColor(savedColor_);
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);  // the control's own look comes back
}

void TSkinControl::SkinChanged() {
  // The pieces kept ready were cut from the old skin's images (whose DCs a new image may reuse).
  keyed_.reset();
  if (recolour_ && control_)
    control_->SetColor(static_cast<ui::TColor>(skin_->GetRGB(ciButtonFace)));
  // The form skinner paints all its windows once the whole form has the new skin.
  if (PaintTarget)
    PaintTarget->Invalidate();
  else if (handle_)
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TSkinControl::InvalidateFrame() {
  if (!handle_) return;
  constexpr UINT kWhole = RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN;
  RECT window{}, client{};
  POINT origin{0, 0};
  // A mirrored window counts its client coordinates from the right: it is invalidated whole.
  if ((GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) ||
      !GetWindowRect(handle_, &window) || !GetClientRect(handle_, &client) ||
      !ClientToScreen(handle_, &origin)) {
    RedrawWindow(handle_, nullptr, nullptr, kWhole);
    return;
  }
  // The region is in client coordinates; with RDW_FRAME it reaches out over the frame.
  OffsetRect(&window, -origin.x, -origin.y);
  ui::GdiRegion frame(CreateRectRgnIndirect(&window));
  const ui::GdiRegion inside(CreateRectRgnIndirect(&client));
  if (!frame || !inside || CombineRgn(frame.get(), frame.get(), inside.get(), RGN_DIFF) == ERROR) {
    RedrawWindow(handle_, nullptr, nullptr, kWhole);
    return;
  }
  RedrawWindow(handle_, nullptr, frame.get(), kWhole);
  frameOnly_ = true;
}

// ---- Messages
// ------------------------------------------------------------------------------------

LRESULT CALLBACK TSkinControl::SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSkinControl*>(ref);
  ui::TMessage message{msg, wParam, lParam, 0};
  // A fault of the skin never stops the control: it gets its own handling.
  if (!self->GuardedHook(message)) return DefSubclassProc(wnd, msg, wParam, lParam);
  return message.Result;
}

void TSkinControl::LinkedMessage(ui::TMessage& message) {
  const std::weak_ptr<bool> alive = alive_;
  if (GuardedHook(message)) return;
  // The skinner is still there (a freed one has passed its messages on already).
  if (const auto living = alive.lock(); living && *living) {
    try {
      CallPrevious(message);
    } catch (...) {
    }
  }
}

bool TSkinControl::GuardedHook(ui::TMessage& message) {
  const std::shared_ptr<bool> alive = alive_;
  bool passedOn = false;
  bool* const outer = std::exchange(passedOn_, &passedOn);
  bool handled = true;
  try {
    HookMessage(message);
  } catch (...) {
    handled = passedOn;
  }
  if (*alive) passedOn_ = outer;
  // A skinner freed during the message cannot pass it on any more; whatever ran, ran.
  return handled || !*alive;
}

void TSkinControl::HookMessage(ui::TMessage& message) {
  if (message.Msg == SM_SETACTIVE) {
    const bool was = active_;
    const bool now = message.WParam > 0;
    if (now && state_ == kWindowDestroyed) return;  // nothing left to skin
    active_ = now;
    if (now != was) ActiveChanged(now);
    return;
  }
  const std::shared_ptr<bool> alive = alive_;
  if (!active_) {
    CallPrevious(message);
    return;
  }
  if (BeforeMessage(message)) {
    CallPrevious(message);
    if (*alive) AfterMessage(message);
  }
  // Switched off, the control is on its own; its window's end still reaches what follows it.
  if (*alive && (active_ || message.Msg == WM_NCDESTROY)) MessageHandled(message);
}

void TSkinControl::ActiveChanged(bool active) {
  if (PaintTarget) {
    PaintTarget->Invalidate();
  } else if (handle_) {
    // The frame and the child windows carry skin too.
    RedrawWindow(
        handle_, nullptr, nullptr,
        RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | (active ? RDW_UPDATENOW : 0));
  }
}

void TSkinControl::CallPrevious(ui::TMessage& message) {
  if (passedOn_) *passedOn_ = true;
  if (link_) {
    link_->CallSaved(message);
  } else if (handle_) {
    message.Result = DefSubclassProc(handle_, message.Msg, message.WParam, message.LParam);
  }
}

bool TSkinControl::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_NCDESTROY: {
      state_ = kWindowDestroyed;
      const std::shared_ptr<bool> alive = alive_;
      CallPrevious(message);
      if (!*alive) return false;
      subclass_.forget();  // the system drops a destroyed window's subclasses itself
      if (active_) Detach();
      return false;
    }
    case SM_ISSKINNED:
      message.Result = 1;
      return false;
    case WM_PAINT: {
      // The paint that follows an invalid frame alone: the frame has been painted by now, and the
      // control's own paint of an empty client area would cost what a whole one does.
      if (!std::exchange(frameOnly_, false) || message.WParam) return true;
      RECT invalid{};
      if (GetUpdateRect(handle_, &invalid, FALSE) && !IsRectEmpty(&invalid)) return true;
      const ui::PaintDC done(handle_);  // validates what is left of the frame
      message.Result = 0;
      return false;
    }
    default:
      return true;
  }
}

void TSkinControl::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case ui::CM_ENABLEDCHANGED:
      Repaint();
      break;
    case WM_PAINT:
      PaintFrame(reinterpret_cast<HDC>(message.WParam));
      break;
    default:
      break;
  }
}

// ---- Painting
// ------------------------------------------------------------------------------------

void TSkinControl::PaintFrame(HDC dc) {
  if (!handle_ || !GetWindowRect(handle_, &windowRect_)) return;
  const RECT rect{0, 0, windowRect_.right - windowRect_.left, windowRect_.bottom - windowRect_.top};
  try {
    if (dc) {
      PaintControl(dc, rect);
    } else {
      ui::WindowDC window = ui::WindowDC::Whole(handle_);
      if (window) PaintControl(window.get(), rect);
    }
  } catch (...) {
    // A faulty skin never breaks the control's messages.
  }
}

void TSkinControl::PaintControl(HDC, const RECT&) {}

void TSkinControl::Repaint() {
  if (PaintTarget) {
    PaintTarget->Invalidate();
  } else if (handle_) {
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
  }
}

void TSkinControl::PaintMessage(ui::TMessage& message) {
  auto dc = reinterpret_cast<HDC>(message.WParam);
  std::unique_ptr<ui::PaintDC> paint;
  if (!dc) {
    paint = std::make_unique<ui::PaintDC>(handle_);
    dc = paint->get();
  }
  if (dc && GetWindowRect(handle_, &windowRect_)) {
    const RECT rect{0, 0, windowRect_.right - windowRect_.left,
                    windowRect_.bottom - windowRect_.top};
    try {
      PaintControl(dc, rect);
    } catch (...) {
    }
  }
  message.Result = 0;
}

void TSkinControl::EraseWithParent(ui::TMessage& message) {
  auto dc = reinterpret_cast<HDC>(message.WParam);
  if (control_) {
    PaintControlTo(*control_, dc);
  } else {
    RECT rc{};
    GetClientRect(handle_, &rc);
    FillFace(dc, rc);
  }
  message.Result = 1;
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const {
  if (skin_ && skin_->ButtonFaceBrush()) FillRect(dc, &rect, skin_->ButtonFaceBrush());
}

void TSkinControl::DpiChanged() { keyed_.reset(); }

const ImageDC& TSkinControl::ElementImage(const TDataSkinObject& element, int frames,
                                          bool vertical) const {
  static const ImageDC kNone;
  return form_ ? ElementImageAt(*form_, element, frames, vertical) : kNone;
}

int TSkinControl::Metric(int index) const {
  return form_ ? form_->Metric(index) : GetSystemMetrics(index);
}

ImageRect TSkinControl::ScaledMargins(const TDataSkinObject& element, int frames,
                                      bool vertical) const {
  return form_ ? ElementMarginsAt(*form_, element, frames, vertical) : MarginsOf(element);
}

void TSkinControl::DrawSkinState(HDC dc, const RECT& r, int frameCount, int frameIndex,
                                 const TDataSkinObject& element) const {
  if (r.right < r.left || r.bottom < r.top || !form_) return;
  const ImageDC& image = ElementImage(element, frameCount);
  if (image.empty()) return;
  const ImageRect margins = ScaledMargins(element, frameCount);
  const PaintPlan plan =
      PlanNineSlice(image.width(), image.height(), r.right - r.left, r.bottom - r.top, margins,
                    false, element.Tile == 1, frameCount, frameIndex);
  if (element.Trans == 1)
    DrawKeyed(dc, r, image, plan);
  else
    ExecutePlanFrom(dc, r.left, r.top, plan, image, false);
}

void TSkinControl::DrawGlyphFrame(HDC dc, const RECT& r, int frameCount, int frameIndex,
                                  ui::TBitmap& strip) const {
  if (r.right < r.left || r.bottom < r.top || !form_) return;
  const ImageDC& image = form_->SkinImage(&strip, frameCount);
  if (image.empty()) return;
  const PaintPlan plan = PlanFrame(image.width(), image.height(), r.right - r.left,
                                   r.bottom - r.top, frameCount, frameIndex);
  DrawKeyed(dc, r, image, plan);
}

void TSkinControl::DrawKeyed(HDC dc, const RECT& r, const ImageDC& image,
                             const PaintPlan& plan) const {
  if (!keyed_) keyed_ = std::make_unique<KeyedImageCache>();
  if (!keyed_->Draw(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, image, plan))
    ExecutePlanFrom(dc, r.left, r.top, plan, image, true);
}

void TSkinControl::DrawTextFocus(HDC dc, UINT flags, const RECT& rect) const {
  RECT m = rect;
  SkinDrawText(dc, caption_, m, flags | DT_CALCRECT | DT_NOCLIP);
  const int w = m.right - m.left, h = m.bottom - m.top;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  if (flags & DT_CENTER)
    OffsetRect(&m, (W - w) / 2, (H - h) / 2 - 1);
  else if (flags & DT_RIGHT)
    OffsetRect(&m, W - w, 0);
  InflateRect(&m, 2, 1);
  IntersectRect(&m, &m, &rect);
  DrawFocusRect(dc, &m);
}

namespace {
LRESULT CueState(HWND wnd) { return wnd ? SendMessageW(wnd, WM_QUERYUISTATE, 0, 0) : 0; }
}  // namespace

bool TSkinControl::FocusCuesShown() const {
  HWND wnd = handle_;
  if (!wnd && control_ && control_->Parent()) wnd = control_->Parent()->Handle();
  return !(CueState(wnd) & UISF_HIDEFOCUS);
}

int TSkinControl::DrawAccessText(HDC dc, const std::wstring& text, RECT& rect, UINT flags) const {
  HWND wnd = handle_;
  if (!wnd && control_ && control_->Parent()) wnd = control_->Parent()->Handle();
  if ((flags & DT_NOPREFIX) || !(CueState(wnd) & UISF_HIDEACCEL))
    return SkinDrawText(dc, text, rect, flags);
  // The caption as it shows without its underline ("&&" is a plain ampersand); drawn without
  // prefix processing, since not every DrawText honours DT_HIDEPREFIX.
  std::wstring plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    plain.push_back(text[i]);
  }
  return SkinDrawText(dc, plain, rect, flags | DT_NOPREFIX);
}

UINT TSkinControl::AddReadingOrder(UINT flags) const {
  const ui::TControl* c = PaintTarget ? PaintTarget : control_;
  if (c && c->UseRightToLeftReading()) flags |= DT_RTLREADING;
  return flags;
}

void TSkinControl::ForwardMouseDown(const ui::TMessage& message) {
  if (!control_) return;
  int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
  if (control_->Width() > 32768 || control_->Height() > 32768) {
    POINT p{};
    GetCursorPos(&p);
    p = control_->ScreenToClient(p);
    x = p.x;
    y = p.y;
  }
  control_->MouseDown(ui::TMouseButton::mbLeft, ui::KeysToShiftState(message.WParam), x, y);
}

SIZE TSkinControl::CaptionExtent(HDC dc, RECT within) const {
  if (caption_.empty()) return {0, 0};
  SkinDrawText(dc, caption_, within, DT_WORDBREAK | DT_CALCRECT);
  return {within.right - within.left, within.bottom - within.top};
}

std::wstring TSkinControl::ControlCaption() const {
  if (control_) {
    if (ui::IsPublishedProp(control_, "Caption", ui::TTypeKind::tkString))
      return ui::GetTextProperty(control_, "Caption");
    return const_cast<ui::TControl*>(control_)->Caption();
  }
  return ReadWindowText(handle_);
}

FrameBuffer* TSkinControl::Buffer(int width, int height) {
  if (!form_) return nullptr;
  FrameBuffer& buffer = form_->ControlBuffer();
  return buffer.Ensure(width, height) ? &buffer : nullptr;
}

FrameBuffer* TSkinControl::OwnBuffer(int width, int height) {
  if (!ownBuffer_) ownBuffer_ = std::make_unique<FrameBuffer>();
  return ownBuffer_->Ensure(width, height) ? ownBuffer_.get() : nullptr;
}

}  // namespace skin
