// TControl, window-less controls, custom controls and control canvases.
#include "ui/Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/TypInfo.h"

namespace ui {

namespace {
thread_local bool t_inReflection = false;
TControl* g_captureControl = nullptr;  // the window-less control holding the mouse
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> canvases;
  return canvases;
}
}  // namespace

bool InReflection() { return t_inReflection; }

ReflectionScope::ReflectionScope(bool on) : saved_(t_inReflection) { t_inReflection = on; }
ReflectionScope::~ReflectionScope() { t_inReflection = saved_; }

TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (keyData & 0x20000000) s |= ssAlt;
  return s;
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

const TEnumInfo& AlignInfo() {
  static const TEnumInfo info{"TAlign",
                              {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
  return info;
}
const TEnumInfo& BiDiModeInfo() {
  static const TEnumInfo info{
      "TBiDiMode",
      {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};
  return info;
}
const TEnumInfo& AlignmentInfo() {
  static const TEnumInfo info{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
  return info;
}
const TEnumInfo& BorderStyleInfo() {
  static const TEnumInfo info{"TBorderStyle", {"bsNone", "bsSingle"}};
  return info;
}

TCustomForm* GetParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return control && control->Is<TCustomForm>() ? static_cast<TCustomForm*>(control) : nullptr;
}

// ---- Size constraints -------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TSizeConstraints, TPersistent,
                   P::Int("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth),
                   P::Int("MinHeight", &TSizeConstraints::MinHeight,
                          &TSizeConstraints::SetMinHeight),
                   P::Int("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth),
                   P::Int("MaxHeight", &TSizeConstraints::MaxHeight,
                          &TSizeConstraints::SetMaxHeight))

void TSizeConstraints::Set(int& field, int value) {
  value = std::max(value, 0);
  if (value == field) return;
  field = value;
  if (OnChange) OnChange(this);
}

void TSizeConstraints::Assign(const TPersistent& source) {
  if (!source.Is<TSizeConstraints>()) return TPersistent::Assign(source);
  const auto& c = static_cast<const TSizeConstraints&>(source);
  minWidth_ = c.minWidth_;
  minHeight_ = c.minHeight_;
  maxWidth_ = c.maxWidth_;
  maxHeight_ = c.maxHeight_;
  if (OnChange) OnChange(this);
}

// ---- TControl ---------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TControl, TComponent, P::Int("Left", &TControl::Left, &TControl::SetLeft),
                   P::Int("Top", &TControl::Top, &TControl::SetTop),
                   P::Int("Width", &TControl::Width, &TControl::SetWidth),
                   P::Int("Height", &TControl::Height, &TControl::SetHeight),
                   P::Int("Color", &TControl::Color, &TControl::SetColor),
                   P::Bool("Visible", &TControl::Visible, &TControl::SetVisible),
                   P::Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled),
                   P::Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
                   P::Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
                   P::Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
                   P::Str("Hint", &TControl::Hint, &TControl::SetHint),
                   P::Enum("Align", AlignInfo(), &TControl::Align, &TControl::SetAlign),
                   P::Enum("BiDiMode", BiDiModeInfo(), &TControl::BiDiMode, &TControl::SetBiDiMode),
                   P::Obj<TFont>("Font", &TControl::Font, &TControl::SetFont),
                   P::Obj<TSizeConstraints>("Constraints", &TControl::Constraints,
                                            &TControl::SetConstraints))

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), designFontHeight_(font_.Height()) {
  WindowProc = MethodOf<&TControl::WndProc>(this);
  font_.OnChange = MethodOf<&TControl::FontObjectChanged>(this);
  constraints_.OnChange = MethodOf<&TControl::ConstraintsChanged>(this);
}

TControl::~TControl() {
  // A control that was not freed with delete (a local or a member) frees its components here,
  // while it is still whole: a handler link among them may hand the control what it keeps.
  if (!HasState(csDestroying)) Destroying();
  DestroyComponents();
  if (g_captureControl == this) g_captureControl = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (Application) Application->ControlDestroying(this);
  if (g_captureControl == this) g_captureControl = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation(L"A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    ParentFontChanged();
    ParentColorChanged();
  }
}

POINT TControl::ParentScroll() const { return parent_ ? parent_->ScrollOffset() : POINT{0, 0}; }

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
  const bool changed = left != left_ || top != top_ || width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  // A control's default size is its design until a program places it.
  if (!designSet_ && ppi_ == kDesignPpi) {
    const POINT o = ParentScroll();
    design_ = {left + o.x, top + o.y, width, height};
  }
  if (changed && parent_) parent_->ContentChanged();
}

void TControl::NoteRequestedBounds(int left, int top, int width, int height) {
  if (Scaling()) return;
  const POINT o = ParentScroll();
  design_ = UpdateDesignRect(design_, {left_ + o.x, top_ + o.y, width_, height_},
                             {left + o.x, top + o.y, width, height}, ppi_);
  designSet_ = true;
}

void TControl::ConstrainSize(int& width, int& height) const {
  auto limit = [this](int& v, int least, int most) {
    if (most > 0) v = std::min(v, ScaledLength(most));
    if (least > 0) v = std::max(v, ScaledLength(least));
  };
  limit(width, constraints_.MinWidth(), constraints_.MaxWidth());
  limit(height, constraints_.MinHeight(), constraints_.MaxHeight());
}

void TControl::ConstraintsChanged(TObject*) {
  // The same bounds again, now within the new limits (no design change).
  SetBounds(left_, top_, width_, height_);
}

void TControl::ScaleForPPI(int ppi) {
  if (ppi <= 0 || ppi == ppi_) return;
  SetPPI(ppi);
  ApplyDesignScale();
}

void TControl::ApplyDesignScale() {
  ScalingScope scaling(*this);
  // A control with the parent's font has it already: the parent's new font came down to it.
  if (!parentFont_ || !parent_) font_.SetHeight(ScaleFontHeight(designFontHeight_, ppi_));
  ScaleOwnBounds();
}

void TControl::ScaleOwnBounds() {
  const DesignRect r = ScaleRect(design_, ppi_);
  const POINT o = ParentScroll();
  SetBounds(r.left - o.x, r.top - o.y, r.width, r.height);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  NoteRequestedBounds(left, top, width, height);
  ConstrainSize(width, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  UpdateBoundsFields(left, top, width, height);
  Invalidate();
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

RECT TControl::ClientRect() { return {0, 0, width_, height_}; }

void TControl::SetClientSize(int width, int height) {
  RECT c = ClientRect();
  SetBounds(left_, top_, width_ + width - c.right, height_ + height - c.bottom);
}

POINT TControl::ClientOrigin() {
  // A window knows where its client area lies: a top-level window's frame and a child's border
  // are not in the bounds.
  if (auto* windowed = dynamic_cast<TWinControl*>(this); windowed && windowed->HandleAllocated()) {
    POINT p{0, 0};
    ::ClientToScreen(windowed->Handle(), &p);
    return p;
  }
  if (!parent_) return {left_, top_};
  POINT p = parent_->ClientOrigin();
  return {p.x + left_, p.y + top_};
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  Invalidate();
  visible_ = visible;
  Invalidate();
  Perform(CM_VISIBLECHANGED, visible, 0);
  RequestAlign();
  if (parent_) parent_->ContentChanged();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::ColorChanged() {
  Invalidate();
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool on) {
  parentColor_ = on;
  if (on) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (parentColor_ && parent_ && parent_->Color() != color_) {
    color_ = parent_->Color();
    ColorChanged();
  }
}

void TControl::FontObjectChanged(TObject*) {
  if (!takingParentFont_) {
    parentFont_ = false;
    // The program chose this font: its height is a design value (unless it is what the design
    // value scales to, which a round of scaling may hand back).
    if (!Scaling() && font_.Height() != ScaleFontHeight(designFontHeight_, ppi_))
      designFontHeight_ = ScaleValue(font_.Height(), kDesignPpi, ppi_);
  }
  FontChanged();
}

void TControl::FontChanged() {
  Invalidate();
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool on) {
  parentFont_ = on;
  if (on) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  takingParentFont_ = true;
  font_.Assign(*parent_->Font());
  takingParentFont_ = false;
}

void TControl::SetText(const std::wstring& text) {
  if (text == GetText()) return;
  text_ = text;
  TextChanged();
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode mode) {
  if (mode == biDiMode_) return;
  biDiMode_ = mode;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  // Inside an area already invalid: one more request to the window server would change nothing
  // (a form's new colour reaches dozens of labels).
  if (parent_->wholeClientInvalid_ > 0) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, TRUE);
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

bool TControl::MouseCapture() const {
  if (auto* w = dynamic_cast<const TWinControl*>(this))
    return w->HandleAllocated() && GetCapture() == w->handle_;
  return g_captureControl == this;
}

void TControl::SetMouseCapture(bool on) {
  if (on == MouseCapture()) return;
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    if (on)
      SetCapture(w->Handle());
    else
      ReleaseCapture();
    return;
  }
  if (on) {
    g_captureControl = this;
    if (parent_) SetCapture(parent_->Handle());
  } else {
    g_captureControl = nullptr;
    if (parent_ && parent_->HandleAllocated() && GetCapture() == parent_->handle_) ReleaseCapture();
  }
}

TControl* CaptureControlOf(TWinControl* parent) {
  return g_captureControl && g_captureControl->Parent() == parent ? g_captureControl : nullptr;
}

void TControl::HandleMouse(TMessage& m) {
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TShiftState shift = KeysToShiftState(m.WParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
      if (controlStyle_ & csClickEvents) controlState_ |= csClicked;
      controlState_ |= csLButtonDown;
      MouseDown(TMouseButton::mbLeft, shift | (m.Msg == WM_LBUTTONDBLCLK ? unsigned(ssDouble) : 0u),
                x, y);
      break;
    case WM_RBUTTONDOWN:
      MouseDown(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
      MouseDown(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      bool wasDown = (controlState_ & csLButtonDown) != 0;
      controlState_ &= ~csLButtonDown;
      // Release only a capture this control took itself: a system control (a push button) holds
      // its own capture until its default handling has seen the button go up, and loses the
      // click if it is taken away first.
      if ((controlStyle_ & csCaptureMouse) && MouseCapture()) SetMouseCapture(false);
      RECT r = ClientRect();
      POINT p{x, y};
      bool click = wasDown && (controlState_ & csClicked) && PtInRect(&r, p);
      controlState_ &= ~csClicked;
      MouseUp(TMouseButton::mbLeft, shift, x, y);
      if (click) Click();
      break;
    }
    case WM_RBUTTONUP:
      MouseUp(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
  }
}

void TControl::WndProc(TMessage& m) {
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK && m.Msg != WM_MOUSEWHEEL) {
    HandleMouse(m);
  }
  switch (m.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      break;
    case CM_PARENTFONTCHANGED:
      ParentFontChanged();
      break;
    case CM_PARENTCOLORCHANGED:
      ParentColorChanged();
      break;
    default:
      break;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage& m) {
  // A window-less control has no window procedure behind it.
  if (m.Msg == WM_GETTEXTLENGTH) m.Result = static_cast<LRESULT>(text_.size());
}

// ---- Control canvas ---------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TControlCanvas, TCanvas)

TControlCanvas::~TControlCanvas() {
  SetHandle(nullptr);
  CanvasesWithDC().erase(std::remove(CanvasesWithDC().begin(), CanvasesWithDC().end(), this),
                         CanvasesWithDC().end());
}

void TControlCanvas::CreateHandle() {
  if (!control_) return;
  if (auto* w = dynamic_cast<TWinControl*>(control_)) {
    dc_ = WindowDC::Client(w->Handle());
  } else {
    TWinControl* parent = control_->Parent();
    if (!parent) return;
    dc_ = WindowDC::Ex(parent->Handle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (dc_) {
      SetViewportOrgEx(dc_.get(), control_->Left(), control_->Top(), nullptr);
      RECT r = control_->ClientRect();
      IntersectClipRect(dc_.get(), r.left, r.top, r.right, r.bottom);
    }
  }
  if (dc_) {
    SetHandle(dc_.get());
    CanvasesWithDC().push_back(this);
  }
}

void TControlCanvas::FreeHandle() {
  if (!dc_ || Locked()) return;
  SetHandle(nullptr);
  dc_.reset();
  CanvasesWithDC().erase(std::remove(CanvasesWithDC().begin(), CanvasesWithDC().end(), this),
                         CanvasesWithDC().end());
}

void TControlCanvas::FreeAllHandles() {
  std::vector<TControlCanvas*> all = CanvasesWithDC();
  for (TControlCanvas* c : all) c->FreeHandle();
}

// ---- TGraphicControl --------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TGraphicControl, TControl)

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT && m.WParam) {
    // The parent hands over its DC, already moved to our origin and clipped to us.
    canvas_->Lock();
    canvas_->FreeHandle();
    canvas_->SetHandle(reinterpret_cast<HDC>(m.WParam));
    canvas_->Font()->Assign(*Font());
    canvas_->Brush()->SetColor(Color());
    try {
      Paint();
    } catch (...) {
      canvas_->SetHandle(nullptr);
      canvas_->Unlock();
      throw;
    }
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    return;
  }
  TControl::WndProc(m);
}

// ---- TCustomControl ---------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TCustomControl, TWinControl)

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {
  controlStyle_ |= csAcceptsControls;
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->Lock();
  canvas_->FreeHandle();
  canvas_->SetHandle(dc);
  canvas_->Font()->Assign(*Font());
  canvas_->Brush()->SetColor(Color());
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}

}  // namespace ui
