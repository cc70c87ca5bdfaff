#include "skin/controls/SkinSpeedButton.h"

#include <algorithm>

#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/CanvasPrimitives.h"
#include "ui/Bitmaps.h"
#include "ui/Buttons.h"
#include "ui/TypInfo.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinSpeedButton, TSkinBitButton)

void TSkinSpeedButton::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  if (!control_) return;
  PaintTarget = control_;
  Transparent = control_->Tag() == kTransparentTag || InSet(skin->Options(), xoTransparent);
}

void TSkinSpeedButton::Detach() {
  parentCues_.reset();
  TSkinBitButton::Detach();
}

void TSkinSpeedButton::WatchParentCues() {
  ui::TWinControl* parent = control_ ? control_->Parent() : nullptr;
  HWND wnd = parent && parent->HandleAllocated() ? parent->Handle() : nullptr;
  if (wnd == parentCues_.window()) return;
  parentCues_.reset();
  if (wnd && caption_.find(L'&') != std::wstring::npos)
    parentCues_ =
        ui::SubclassHandle(wnd, &TSkinSpeedButton::ParentCuesProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TSkinSpeedButton::ParentCuesProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp,
                                                  UINT_PTR, DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSkinSpeedButton*>(ref);
  if (msg == WM_NCDESTROY) {
    self->parentCues_.forget();
    return DefSubclassProc(wnd, msg, wp, lp);
  }
  if (msg != WM_UPDATEUISTATE) return DefSubclassProc(wnd, msg, wp, lp);
  // The window's own handling keeps the new state (and tells its children) first.
  const std::weak_ptr<bool> alive = self->AliveToken();
  const LRESULT result = DefSubclassProc(wnd, msg, wp, lp);
  try {
    if (const auto living = alive.lock();
        living && *living && self->Active() && (HIWORD(wp) & UISF_HIDEACCEL) && self->control_)
      self->control_->Invalidate();
  } catch (...) {
  }
  return result;
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
  WatchParentCues();
  SelectObject(b, control_->Font()->Handle());
  SetBkMode(b, TRANSPARENT);
  auto* glyph = ui::GetObjectProperty<ui::TBitmap>(control_, GlyphProperty);
  const int numGlyphs =
      std::max<int>(1, static_cast<int>(ui::GetOrdProperty(control_, "NumGlyphs")));
  const bool hasGlyph = glyph && !glyph->Empty() && glyph->Width() / numGlyphs > 0;
  // Beside a glyph NormalColour2 is the resting state's colour alone; a caption by itself keeps
  // it in every state.
  SetTextColor(b, CaptionColour(frame, /*normalStateOnly=*/hasGlyph));
  if (hasGlyph) {
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

}  // namespace skin
