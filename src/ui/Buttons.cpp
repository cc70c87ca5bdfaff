#include "ui/Buttons.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/TypInfo.h"

namespace ui {

const TEnumInfo& ButtonLayoutInfo() {
  static const TEnumInfo info{"TButtonLayout",
                              {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
  return info;
}

UI_IMPLEMENT_CLASS(TSpeedButton, TGraphicControl,
                   P::Str("Caption", &TSpeedButton::GetCaption, &TSpeedButton::SetCaptionProp),
                   P::Obj<TBitmap>("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph),
                   P::Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs),
                   P::Enum("Layout", ButtonLayoutInfo(), &TSpeedButton::Layout,
                           &TSpeedButton::SetLayout),
                   P::Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin),
                   P::Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing),
                   P::Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown),
                   P::Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat),
                   P::Bool("Transparent", &TSpeedButton::Transparent,
                           &TSpeedButton::SetTransparent),
                   P::Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
                   P::Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp))

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), glyph_(std::make_unique<TBitmap>()) {
  controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  UpdateBoundsFields(0, 0, 23, 22);
  SetParentColor(true);
  glyph_->OnChange = MethodOf<&TSpeedButton::GlyphChanged>(this);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetGlyph(TBitmap* glyph) {
  if (glyph)
    glyph_->Assign(*glyph);
  else
    glyph_->SetSize(0, 0);
  Invalidate();
}

#define UI_SPEED_SETTER(Name, field, Type)   \
  void TSpeedButton::Set##Name(Type value) { \
    if (value == field) return;              \
    field = value;                           \
    Invalidate();                            \
  }
UI_SPEED_SETTER(NumGlyphs, numGlyphs_, int)
UI_SPEED_SETTER(Layout, layout_, TButtonLayout)
UI_SPEED_SETTER(Margin, margin_, int)
UI_SPEED_SETTER(Spacing, spacing_, int)
UI_SPEED_SETTER(Flat, flat_, bool)
UI_SPEED_SETTER(Transparent, transparent_, bool)
#undef UI_SPEED_SETTER

void TSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;  // only grouped buttons stay down
  if (down == down_) return;
  if (down_ && !allowAllUp_ && !down) return;  // the last one down of a group stays down
  down_ = down;
  if (down_) UpdateGroup();
  Invalidate();
}

void TSpeedButton::UpdateGroup() {
  if (!groupIndex_ || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::Click() {
  if (groupIndex_) {
    if (!down_)
      SetDown(true);
    else if (allowAllUp_)
      SetDown(false);
  }
  TGraphicControl::Click();
}

int TSpeedButton::GlyphIndex() const {
  int n = std::max(numGlyphs_, 1);
  if (!Enabled() && n > 1) return 1;
  if (pressed_ && n > 2) return 2;
  if (down_ && n > 3) return 3;
  if (down_ && n > 2) return 2;
  return 0;
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  RECT r = ClientRect();
  if (!transparent_ || !flat_) {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  }
  bool sunk = pressed_ || down_;
  if (!flat_) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (sunk ? DFCS_PUSHED : 0));
  } else if (sunk || mouseIn_) {
    DrawEdge(dc, &r, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }

  int n = std::max(numGlyphs_, 1);
  int gw = glyph_->Empty() ? 0 : glyph_->Width() / n;
  int gh = glyph_->Empty() ? 0 : glyph_->Height();
  std::wstring text = Caption();
  SIZE ts{0, 0};
  if (!text.empty()) ts = c->TextExtent(text);
  bool horizontal = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
  int gap = gw && !text.empty() ? spacing_ : 0;
  int total = horizontal ? gw + gap + ts.cx : gh + gap + ts.cy;
  int extent = horizontal ? r.right : r.bottom;
  int start = margin_ < 0 ? (extent - total) / 2 : margin_;
  if (layout_ == TButtonLayout::blGlyphRight || layout_ == TButtonLayout::blGlyphBottom)
    start = margin_ < 0 ? (extent - total) / 2 : extent - margin_ - total;
  int offset = sunk && !flat_ ? 1 : 0;
  POINT g{}, t{};
  switch (layout_) {
    case TButtonLayout::blGlyphLeft:
      g = {start, (r.bottom - gh) / 2};
      t = {start + gw + gap, (r.bottom - ts.cy) / 2};
      break;
    case TButtonLayout::blGlyphRight:
      t = {start, (r.bottom - ts.cy) / 2};
      g = {start + ts.cx + gap, (r.bottom - gh) / 2};
      break;
    case TButtonLayout::blGlyphTop:
      g = {(r.right - gw) / 2, start};
      t = {(r.right - ts.cx) / 2, start + gh + gap};
      break;
    case TButtonLayout::blGlyphBottom:
      t = {(r.right - ts.cx) / 2, start};
      g = {(r.right - gw) / 2, start + ts.cy + gap};
      break;
  }
  if (gw > 0) {
    // One image of the strip; its bottom-left pixel is the transparent colour.
    HBITMAP bits = glyph_->Handle();
    MemoryDC src = MakeMemoryDC(dc);
    SelectGuard selected(src.get(), bits);
    COLORREF key = GetPixel(src.get(), 0, gh - 1);
    TransparentBlt(dc, g.x + offset, g.y + offset, gw, gh, src.get(), GlyphIndex() * gw, 0, gw, gh,
                   key);
  }
  if (!text.empty()) {
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    RECT tr{t.x + offset, t.y + offset, t.x + offset + ts.cx, t.y + offset + ts.cy};
    DrawTextW(dc, text.c_str(), -1, &tr,
              DT_SINGLELINE | DT_NOCLIP | (UseRightToLeftReading() ? DT_RTLREADING : 0));
  }
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Enabled()) {
        pressed_ = true;
        Invalidate();
      }
      break;
    case WM_MOUSEMOVE:
      if (controlState_ & csLButtonDown) {
        RECT r = ClientRect();
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        bool inside = PtInRect(&r, p) != FALSE;
        if (inside != pressed_) {
          pressed_ = inside;
          Invalidate();
        }
      }
      break;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        Invalidate();
      }
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      mouseIn_ = m.Msg == CM_MOUSEENTER;
      if (flat_ && Enabled()) Invalidate();
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}

}  // namespace ui
