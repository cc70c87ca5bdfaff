#include "skin/controls/SkinButtons.h"

#include <algorithm>

#include "skin/controls/SkinnerHelpers.h"
#include "skin/data/ImgUtilGdi.h"
#include "skin/frame/CanvasPrimitives.h"
#include "ui/Bitmaps.h"
#include "ui/ImgList.h"
#include "ui/TypInfo.h"

namespace skin {

namespace {
constexpr UINT kCaptionFlags = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;

bool IsDefaultButton(ui::TControl* control) {
  return control && LowerEnum(control, "Default") == "true";
}
}  // namespace

UI_IMPLEMENT_CLASS(TSkinButton, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinBitButton, TSkinButton)

TSkinButton::TSkinButton(ui::TComponent* owner) : TSkinControl(owner) {}

void TSkinButton::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  Mode = 0;
  if (!control_) return;
  const std::string cls = Lower(control_->ClassName());
  if (cls.rfind("trz", 0) == 0 || cls.rfind("tel", 0) == 0) Mode = 1;
  Transparent = control_->Tag() == kTransparentTag || InSet(skin->Options(), xoTransparent);
}

bool TSkinButton::HasFace() const {
  return skin_ && skin_->Buttons() && !skin_->Buttons()->Empty();
}

bool TSkinButton::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (!HasFace()) break;  // no skin image: the button keeps its own look
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND:
      if (!HasFace()) break;
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!focusedAtPaint_) {
        // The focus change runs handlers that may free the control and this skinner.
        const std::weak_ptr<bool> alive = AliveToken();
        SetFocus(handle_);
        if (const auto living = alive.lock(); !living || !*living) return false;
      }
      MouseState |= kDown;
      PaintFrame(nullptr);
      if (Mode == 0 && control_) ForwardMouseDown(message);
      return false;
    }
    default:
      break;
  }
  // WM_TIMER goes on to the control: its timers are its own business.
  return TSkinControl::BeforeMessage(message);
}

void TSkinButton::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT:
      PaintFrame(nullptr);
      return;
    case WM_KEYDOWN:
      if (message.WParam == VK_SPACE) {
        MouseState |= kDown;
        Repaint();
      }
      return;
    case WM_KEYUP:
      if (message.WParam == VK_SPACE) {
        MouseState &= ~kDown;
        Repaint();
      }
      return;
    case WM_MOUSEMOVE: {
      if (enabled_ && !(MouseState & kHot)) {
        MouseState |= kHot;
        Repaint();
      }
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
      TrackMouseEvent(&track);
      return;
    }
    case WM_LBUTTONUP:
      if (MouseState & kDown) {
        MouseState &= ~kDown;
        Repaint();
        Click();  // may free the control and this skinner: nothing after it
      }
      return;
    case WM_MOUSELEAVE:
      MouseState &= ~(kHot | kDown);
      Repaint();
      return;
    case ui::CM_DIALOGKEY:
    case ui::CM_FOCUSCHANGED:
      Repaint();
      return;
    default:
      TSkinControl::AfterMessage(message);
      return;
  }
}

// The click the skinner took from the control: the parent hears it as from the system's own
// button (BN_CLICKED, sent as the system sends it), and the framework reflects that to the
// control's Click, so the application's handler runs once and by the usual road. A control that
// is no push button (a class the skin only paints as one) is clicked directly.
void TSkinButton::Click() {
  HWND parent = GetParent(handle_);
  const auto code = static_cast<UINT>(SendMessageW(handle_, WM_GETDLGCODE, 0, 0));
  // Push buttons answer as such; an owner-drawn one (a glyph button) as a button.
  const bool pushButton = code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
  if (control_ && (!pushButton || !parent)) {
    control_->Click();
    return;
  }
  WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(handle_));
  if (!control_) {
    // A bare window of the framework's button class has no object to take the id from.
    wchar_t cls[32] = {};
    GetClassNameW(handle_, cls, 32);
    if (_wcsicmp(cls, L"TButton") == 0) id = 0;
  }
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(handle_));
}

ButtonState TSkinButton::ReadState() {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  enabled_ = !(style & WS_DISABLED);
  focused_ = GetFocus() == handle_;
  focusedAtPaint_ = focused_;
  caption_ = ControlCaption();
  ButtonState s;
  s.down = MouseState & kDown;
  s.hot = MouseState & kHot;
  s.focused = focused_;
  s.isDefault = IsDefaultButton(control_);
  s.disabled = !enabled_;
  return s;
}

FrameBuffer* TSkinButton::ComposeBuffer(int width, int height) {
  // The parent's paint under a transparent face runs the paints of the parent's other skinned
  // controls, which compose in the shared buffer.
  return Transparent && control_ ? OwnBuffer(width, height) : Buffer(width, height);
}

void TSkinButton::PaintFace(HDC dc, const RECT& rect, int frame) {
  if (Transparent && control_)
    PaintControlTo(*control_, dc);
  else
    FillFace(dc, rect);
  TDataSkinButton& b = *skin_->Buttons();
  DrawSkinState(dc, rect, std::max(b.Frame, 1), frame, b);
}

COLORREF TSkinButton::CaptionColour(int frame, bool normalStateOnly) const {
  const TDataSkinButton& b = *skin_->Buttons();
  COLORREF colour = control_ ? ui::ColorToRGB(const_cast<ui::TControl*>(control_)->Font()->Color())
                             : static_cast<COLORREF>(skin_->GetRGB(ciButtonText));
  if (b.NormalColour2Given && (!normalStateOnly || frame == 1))
    colour = static_cast<COLORREF>(b.NormalColour2);
  if (frame == 4 && b.MouseOverColour2Given) colour = static_cast<COLORREF>(b.MouseOverColour2);
  if (frame == 2 && b.PressedColour2Given) colour = static_cast<COLORREF>(b.PressedColour2);
  if (!enabled_) colour = GetSysColor(COLOR_BTNSHADOW);
  return colour;
}

HFONT TSkinButton::CaptionFont() const {
  if (control_) return const_cast<ui::TControl*>(control_)->Font()->Handle();
  return reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
}

void TSkinButton::DrawFocus(HDC dc, RECT r) const {
  if (!focused_ || InSet(skin_->Options(), xoNoFocusRect) || !FocusCuesShown()) return;
  InflateRect(&r, Scaled(2), Scaled(2));
  DrawFocusRect(dc, &r);
}

void TSkinButton::PaintControl(HDC dc, const RECT& rect) {
  if (!HasFace()) return;
  const ButtonState state = ReadState();
  const int frame = ButtonFrame(state, skin_->Buttons()->Frame);
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  FrameBuffer* buffer = ComposeBuffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  const RECT local{0, 0, W, H};
  ui::SaveDCGuard saved(b);
  PaintFace(b, local, frame);

  // The caption: "||" breaks the line; centred as a block, one pixel above the middle.
  caption_ = ReplaceFirst(caption_, L"||", L"\r\n");
  if (HFONT font = CaptionFont()) SelectObject(b, font);
  SetTextColor(b, CaptionColour(frame));
  SetBkMode(b, TRANSPARENT);
  RECT measure = local;
  InflateRect(&measure, -Scaled(2), -Scaled(2));
  SkinDrawText(b, caption_, measure, kCaptionFlags | DT_NOCLIP | DT_CALCRECT);
  const ImageRect at =
      CentredCaption(W, H, measure.right - measure.left, measure.bottom - measure.top);
  RECT text{at.left, at.top, at.right, at.bottom};
  DrawAccessText(b, caption_, text, AddReadingOrder(kCaptionFlags));
  SetBkMode(b, OPAQUE);
  DrawFocus(b, text);
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

// ---- Glyph buttons
// -------------------------------------------------------------------------------

PixelBuffer EmbossGlyph(const PixelBuffer& glyph, Colour key, Colour face, Colour highlight,
                        Colour shadow) {
  PixelBuffer out(glyph.width(), glyph.height(), 24, face);
  const auto opaque = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < glyph.width() && y < glyph.height() &&
           (glyph.Get(x, y) & 0xFFFFFF) != (key & 0xFFFFFF);
  };
  for (int y = 0; y < glyph.height(); ++y)
    for (int x = 0; x < glyph.width(); ++x) {
      if (opaque(x, y))
        out.Set(x, y, shadow);
      else if (opaque(x - 1, y - 1))
        out.Set(x, y, highlight);
    }
  return out;
}

void DrawGlyphImage(HDC dc, ui::TBitmap& glyph, int numGlyphs, int glyphFrame, int x, int y) {
  numGlyphs = std::max(numGlyphs, 1);
  const int gw = glyph.Width() / numGlyphs, gh = glyph.Height();
  if (gw <= 0 || gh <= 0) return;
  PixelBuffer pixels = PixelsOf(glyph);
  const Colour key = pixels.Get(0, pixels.height() - 1);  // the bottom-left pixel
  const int f = glyphFrame > numGlyphs ? 1 : std::max(glyphFrame, 1);
  PixelBuffer cut(gw, gh, 24);
  for (int row = 0; row < gh; ++row)
    for (int col = 0; col < gw; ++col) cut.Set(col, row, pixels.Get((f - 1) * gw + col, row));
  const bool embossed = glyphFrame == 2 && numGlyphs == 1;
  if (embossed)
    cut = EmbossGlyph(cut, key, static_cast<Colour>(GetSysColor(COLOR_BTNFACE)),
                      static_cast<Colour>(GetSysColor(COLOR_BTNHIGHLIGHT)),
                      static_cast<Colour>(GetSysColor(COLOR_BTNSHADOW)));
  ui::GdiBitmap bitmap = MakeBitmap(cut);
  TransparentBlit(dc, RECT{x, y, x + gw, y + gh}, bitmap.get(),
                  embossed ? static_cast<Colour>(GetSysColor(COLOR_BTNFACE)) : key);
}

void TSkinBitButton::PaintControl(HDC dc, const RECT& rect) {
  if (PaintTarget && LowerEnum(PaintTarget, "Visible") == "false") return;
  if (!HasFace()) return;
  ButtonState state = ReadState();
  if (GraphicProperty) state.isDefault = false;
  const int frame = ButtonFrame(state, skin_->Buttons()->Frame);
  const int glyphFrame = state.down ? 3 : (state.disabled ? 2 : 1);
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  FrameBuffer* buffer = ComposeBuffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  const RECT local{0, 0, W, H};
  ui::SaveDCGuard saved(b);
  PaintFace(b, local, frame);

  // The glyph: a strip of NumGlyphs images, or an image list's image; or a graphic, whole.
  ui::TGraphic* picture =
      GraphicProperty ? ui::GetObjectProperty<ui::TGraphic>(control_, GraphicProperty) : nullptr;
  auto* glyph = GraphicProperty ? nullptr : ui::GetObjectProperty<ui::TBitmap>(control_, "Glyph");
  auto* images =
      GraphicProperty ? nullptr : ui::GetObjectProperty<ui::TCustomImageList>(control_, "Images");
  const int numGlyphs =
      std::max<int>(1, static_cast<int>(ui::GetOrdProperty(control_, "NumGlyphs")));
  const int imageIndex = static_cast<int>(ui::GetOrdProperty(control_, "ImageIndex"));
  const int disabledIndex = static_cast<int>(ui::GetOrdProperty(control_, "DisabledIndex"));
  int gw = 0, gh = 0;
  if (picture && !picture->Empty()) {
    gw = picture->Width();
    gh = picture->Height();
  } else if (glyph && !glyph->Empty()) {
    gw = glyph->Width() / numGlyphs;
    gh = glyph->Height();
  } else if (images && imageIndex != -1) {
    gw = images->Width();
    gh = images->Height();
  }

  caption_ = ReplaceFirst(caption_, L"||", L"\r\n");
  if (HFONT font = CaptionFont()) SelectObject(b, font);
  const GlyphLayoutKind layout = GlyphLayoutFromName(LowerEnum(control_, "Layout"));
  const bool horizontal = layout == GlyphLayoutKind::Left || layout == GlyphLayoutKind::Right;
  RECT measure = local;
  const int gap = Scaled(2);
  InflateRect(&measure, -gap, -gap);
  if (horizontal)
    measure.right -= gw + gap;
  else
    measure.bottom -= gh + gap;
  const SIZE extent = CaptionExtent(b, measure);
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
  in.centred = LowerEnum(control_, "Alignment") == "tacenter";
  in.layout = layout;
  const GlyphButtonLayout at = LayoutGlyphButton(in);

  if (picture && !picture->Empty()) {
    ui::TCanvas canvas;
    canvas.SetHandle(b);
    picture->Draw(canvas, RECT{at.glyphX, at.glyphY, at.glyphX + gw, at.glyphY + gh});
    canvas.SetHandle(nullptr);
  } else if (glyph && !glyph->Empty() && gw > 0) {
    DrawGlyphImage(b, *glyph, numGlyphs, glyphFrame, at.glyphX, at.glyphY);
  } else if (images && imageIndex != -1) {
    const int index = state.disabled && disabledIndex != -1 ? disabledIndex : imageIndex;
    images->DrawToDC(b, at.glyphX, at.glyphY, index, !state.disabled);
  }

  if (!caption_.empty()) {
    UINT flags = DT_WORDBREAK;
    if (layout == GlyphLayoutKind::Right) flags |= DT_RIGHT;
    if (!horizontal) flags |= DT_CENTER;
    RECT text{at.textX, at.textY, at.textX + tw, at.textY + th};
    SetBkMode(b, TRANSPARENT);
    SetTextColor(b, CaptionColour(frame, GraphicProperty != nullptr));
    DrawAccessText(b, caption_, text, AddReadingOrder(flags));
    SetBkMode(b, OPAQUE);
    DrawFocus(b, text);
  }
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

}  // namespace skin
