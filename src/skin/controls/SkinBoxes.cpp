#include "skin/controls/SkinBoxes.h"

#include <algorithm>
#include <cwctype>

#include "skin/frame/CanvasPrimitives.h"
#include "ui/Bitmaps.h"
#include "ui/Buttons.h"
#include "ui/TypInfo.h"

namespace skin {

namespace {
constexpr int kTransparentTag = 5555;

bool PropertyTrue(ui::TControl* control, const char* name) {
  std::string v = ui::GetEnumPropertyName(control, name);
  for (char& c : v) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return v == "true";
}

std::string LowerEnum(ui::TControl* control, const char* name) {
  std::string v = ui::GetEnumPropertyName(control, name);
  for (char& c : v) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return v;
}

// The drop-down arrow: a small filled triangle, drawn with the DC's own pen and brush so that no
// GDI object is made per paint.
void DrawArrow(HDC dc, int x, int y, COLORREF colour) {
  const POINT corners[3] = {{x, y + 2}, {x - 3, y - 1}, {x + 3, y - 1}};
  ui::SelectGuard pen(dc, GetStockObject(DC_PEN));
  ui::SelectGuard brush(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, colour);
  SetDCBrushColor(dc, colour);
  Polygon(dc, corners, 3);
}
}  // namespace

UI_IMPLEMENT_CLASS(TSkinSpeedButton, TSkinBitButton)
UI_IMPLEMENT_CLASS(TSkinMenuButton, TSkinButton)
UI_IMPLEMENT_CLASS(TSkinGroupBox, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinBox, TSkinControl)

// ---- Speed buttons
// -------------------------------------------------------------------------------

void TSkinSpeedButton::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  if (!control_) return;
  PaintTarget = control_;
  Transparent = control_->Tag() == kTransparentTag || InSet(skin->Options(), xoTransparent);
}

bool TSkinSpeedButton::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (!HasFace() || !message.WParam) break;
      PaintControl(reinterpret_cast<HDC>(message.WParam), control_->ClientRect());
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The speed button presses and captures itself; the skin shows it at once.
      const std::weak_ptr<bool> alive = AliveToken();
      CallPrevious(message);
      if (alive.expired() || !*alive.lock()) return false;
      if (control_->Enabled()) MouseState |= kDown;
      PaintFrame(nullptr);
      return false;
    }
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinSpeedButton::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_KEYDOWN:
      if (message.WParam == VK_SPACE) {
        MouseState |= kDown;
        PaintFrame(nullptr);
      }
      return;
    case WM_KEYUP:
    case WM_LBUTTONUP:
      if (message.Msg == WM_KEYUP && message.WParam != VK_SPACE) return;
      MouseState &= ~kDown;
      PaintFrame(nullptr);
      return;
    case ui::CM_MOUSEENTER:
      MouseState |= kHot;
      PaintFrame(nullptr);
      return;
    case ui::CM_MOUSELEAVE:
      MouseState &= ~(kHot | kDown);
      if (control_->Visible()) PaintFrame(nullptr);
      return;
    default:
      // Enabled and focus changes repaint through the button's own invalidation; a paint is
      // never answered with another one.
      return;
  }
}

void TSkinSpeedButton::PaintFrame(HDC) {
  if (!control_ || !control_->Parent()) return;
  control_->Invalidate();
  control_->Parent()->Update();
}

void TSkinSpeedButton::PaintControl(HDC dc, const RECT& rect) {
  if (painting_ || !HasFace()) return;
  painting_ = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{painting_};

  SpeedButtonState s;
  s.pressed = MouseState & kDown;
  s.hot = MouseState & kHot;
  s.enabled = control_->Enabled();
  s.latched = PropertyTrue(control_, "Down");
  enabled_ = s.enabled;
  const bool flat = PropertyTrue(control_, "Flat");
  const int frame = SpeedButtonFrame(s);
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  if (W < 1 || H < 1) return;
  FrameBuffer* buffer = ComposeBuffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  const RECT local{0, 0, W, H};
  ui::SaveDCGuard saved(b);
  if (Transparent)
    PaintControlTo(*control_, b);
  else
    FillFace(b, local);
  if (SpeedButtonShowsFace(s, flat)) {
    TDataSkinButton& face = *skin_->Buttons();
    DrawSkinState(b, local, std::max(face.Frame, 1), ClampFrame(frame, face.Frame), face);
  }

  caption_ = ReplaceFirst(ControlCaption(), L"||", L"\r\n");
  SelectObject(b, control_->Font()->Handle());
  SetBkMode(b, TRANSPARENT);
  SetTextColor(b, CaptionColour(frame));
  auto* glyph = ui::GetObjectProperty<ui::TBitmap>(control_, GlyphProperty);
  const int numGlyphs =
      std::max<int>(1, static_cast<int>(ui::GetOrdProperty(control_, "NumGlyphs")));
  if (glyph && !glyph->Empty() && glyph->Width() / numGlyphs > 0) {
    const int gw = glyph->Width() / numGlyphs, gh = glyph->Height();
    const GlyphLayoutKind layout = GlyphLayoutFromName(LowerEnum(control_, "Layout"));
    const bool horizontal = layout == GlyphLayoutKind::Left || layout == GlyphLayoutKind::Right;
    const SIZE extent = CaptionExtent(b, local);
    const int tw = extent.cx, th = extent.cy;
    GlyphButtonInput in;
    in.width = W;
    in.height = H;
    in.glyphWidth = gw;
    in.glyphHeight = gh;
    in.textWidth = tw;
    in.textHeight = th;
    in.margin = static_cast<int>(ui::GetOrdProperty(control_, "Margin"));
    in.spacing = static_cast<int>(ui::GetOrdProperty(control_, "Spacing"));
    in.layout = layout;
    GlyphButtonLayout at = LayoutGlyphButton(in);
    if (in.margin == -1 && in.spacing != -1) {
      // Centred with a given spacing: one pixel further along than a glyph button.
      (horizontal ? at.glyphX : at.glyphY) += 1;
      (horizontal ? at.textX : at.textY) += 1;
    }
    DrawGlyphImage(b, *glyph, numGlyphs, SpeedGlyphFrame(s, numGlyphs), at.glyphX, at.glyphY);
    if (!caption_.empty()) {
      UINT flags = DT_WORDBREAK;
      if (layout == GlyphLayoutKind::Right) flags |= DT_RIGHT;
      if (!horizontal) flags |= DT_CENTER;
      RECT text{at.textX, at.textY, at.textX + tw, at.textY + th};
      DrawAccessText(b, caption_, text, AddReadingOrder(flags));
    }
  } else if (!caption_.empty()) {
    RECT measure = local;
    InflateRect(&measure, -2, -2);
    constexpr UINT kFlags = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;
    SkinDrawText(b, caption_, measure, kFlags | DT_NOCLIP | DT_CALCRECT);
    const ImageRect at =
        CentredCaption(W, H, measure.right - measure.left, measure.bottom - measure.top);
    RECT text{at.left, at.top, at.right, at.bottom};
    DrawAccessText(b, caption_, text, AddReadingOrder(kFlags));
  }
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

// ---- Menu buttons
// --------------------------------------------------------------------------------

void TSkinMenuButton::PaintControl(HDC dc, const RECT& rect) {
  if (!HasFace()) return;
  const ButtonState state = ReadState();
  int frame = state.down ? 2 : (state.focused || state.hot) ? 4 : 1;
  if (state.disabled) frame = 3;
  const TDataSkinButton& face = *skin_->Buttons();
  frame = ClampFrame(frame, face.Frame);
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  FrameBuffer* buffer = Buffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  const RECT local{0, 0, W, H};
  ui::SaveDCGuard saved(b);
  PaintFace(b, local, frame);

  if (HFONT font = CaptionFont()) SelectObject(b, font);
  auto* glyph = ui::GetObjectProperty<ui::TBitmap>(control_, "Glyph");
  const bool hasGlyph = glyph && !glyph->Empty();
  const SIZE extent = CaptionExtent(b, local);
  const int tw = extent.cx, th = extent.cy;
  MenuButtonInput in;
  in.width = W;
  in.height = H;
  in.glyphWidth = hasGlyph ? glyph->Width() : 0;
  in.glyphHeight = hasGlyph ? glyph->Height() : 0;
  in.textWidth = tw;
  in.textHeight = th;
  in.margin = control_ ? static_cast<int>(ui::GetOrdProperty(control_, "Margin")) : -1;
  in.spacing = control_ ? static_cast<int>(ui::GetOrdProperty(control_, "Spacing")) : -1;
  const MenuButtonLayout at = LayoutMenuButton(in);
  if (hasGlyph) DrawGlyphImage(b, *glyph, 1, 1, at.glyphX, at.glyphY);
  RECT text{at.textX, at.textY, at.textX + tw, at.textY + th};
  if (!caption_.empty()) {
    SetBkMode(b, TRANSPARENT);
    SetTextColor(b, CaptionColour(frame));
    DrawAccessText(b, caption_, text, AddReadingOrder(DT_WORDBREAK));
  }
  DrawArrow(b, at.arrowX, at.arrowY, GetSysColor(enabled_ ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
  DrawFocus(b, text);
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

// ---- Group boxes
// ---------------------------------------------------------------------------------

void TSkinGroupBox::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  if (control_) Mode = 1;
}

bool TSkinGroupBox::BeforeMessage(ui::TMessage& message) {
  if (Mode == 1 && message.Msg == WM_PAINT) {
    PaintMessage(message);
    return false;
  }
  if (Mode == 1 && message.Msg == WM_ERASEBKGND) {
    message.Result = 1;  // the paint fills the whole box
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinGroupBox::PaintControl(HDC dc, const RECT& rect) {
  std::wstring caption = ReadWindowText(handle_);
  if (caption.empty() && control_) caption = ControlCaption();
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  ui::SaveDCGuard saved(dc);
  if (control_) FillFace(dc, rect);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  COLORREF textColour = static_cast<COLORREF>(skin_->GetRGB(ciButtonText));
  if (control_) {
    font = control_->Font()->Handle();
    textColour = ui::ColorToRGB(control_->Font()->Color());
  }
  if (font) SelectObject(dc, font);
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int y = zero.cy / 2 - 1;
  if (Mode == 0 && skin_->ButtonFaceBrush()) {
    // Wipe the control's own frame first.
    RECT f{0, y, W, H};
    FrameRect(dc, &f, skin_->ButtonFaceBrush());
    InflateRect(&f, -1, -1);
    FrameRect(dc, &f, skin_->ButtonFaceBrush());
  }
  {
    ui::SelectGuard pen(dc, GetStockObject(DC_PEN));
    ui::SelectGuard brush(dc, GetStockObject(NULL_BRUSH));
    SetDCPenColor(dc, static_cast<COLORREF>(skin_->GetRGB(ciButtonShadow)));
    RoundRect(dc, 1, y, W - 1, H - 1, 5, 5);
  }
  // The caption is drawn opaque on the face colour, so it cuts the frame line.
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, static_cast<COLORREF>(skin_->GetRGB(ciButtonFace)));
  SetTextColor(dc, textColour);
  const bool right = GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_RIGHT;
  RECT text = rect;
  if (right) {
    text.right -= 8;
    SkinDrawText(dc, caption, text, AddReadingOrder(DT_RIGHT | DT_EXPANDTABS | DT_SINGLELINE));
  } else {
    text.left += 8;
    SkinDrawText(dc, caption, text, DT_EXPANDTABS | DT_SINGLELINE);
  }
  if (Mode == 1)
    if (auto* windowed = dynamic_cast<ui::TWinControl*>(control_))
      windowed->PaintControls(dc, nullptr);
}

// ---- Plain boxes
// ---------------------------------------------------------------------------------

void TSkinBox::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  AttachUnhooked(form, skin, recolour);
}

void TSkinBox::Detach() {
  // Nothing is hooked, so the window's end is not seen: a window already gone (or a control
  // being freed) counts as destroyed, and its colour is left alone.
  const bool gone =
      (handle_ && !IsWindow(handle_)) || (control_ && control_->HasState(ui::csDestroying));
  if (gone) SetState(kWindowDestroyed);
  TSkinControl::Detach();
  if (!gone) SetState(kDetached);
}

}  // namespace skin
