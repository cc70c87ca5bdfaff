#include "ui/BitBtn.h"

#include <algorithm>

#include "ui/TypInfo.h"

namespace ui {

const TEnumInfo& BitBtnKindInfo() {
  static const TEnumInfo info{"TBitBtnKind",
                              {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                               "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
  return info;
}

GlyphPlacement PlaceGlyph(TButtonLayout layout, int width, int height, SIZE glyph, SIZE text,
                          int margin, int spacing) {
  const bool across = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  const bool glyphFirst =
      layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphTop;
  // Along the layout's axis the two follow each other; across it each is centred.
  const int glyphAlong = across ? glyph.cx : glyph.cy, textAlong = across ? text.cx : text.cy;
  const int extent = across ? width : height, cross = across ? height : width;
  const int gap = glyphAlong > 0 && textAlong > 0 ? spacing : 0;
  const int total = glyphAlong + gap + textAlong;
  const int start =
      margin < 0 ? (extent - total) / 2 : (glyphFirst ? margin : extent - margin - total);
  const int glyphAt = glyphFirst ? start : start + textAlong + gap;
  const int textAt = glyphFirst ? start + glyphAlong + gap : start;
  const int glyphCross = (cross - (across ? glyph.cy : glyph.cx)) / 2;
  const int textCross = (cross - (across ? text.cy : text.cx)) / 2;
  if (across) return {{glyphAt, glyphCross}, {textAt, textCross}};
  return {{glyphCross, glyphAt}, {textCross, textAt}};
}

UI_IMPLEMENT_CLASS(TBitBtn, TButton, P::Obj<TBitmap>("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph),
                   P::Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
                   P::Enum("Layout", ButtonLayoutInfo(), &TBitBtn::Layout, &TBitBtn::SetLayout),
                   P::Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
                   P::Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing),
                   P::Enum("Kind", BitBtnKindInfo(), &TBitBtn::Kind, &TBitBtn::SetKind))

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = MethodOf<&TBitBtn::GlyphChanged>(this);
}

TBitBtn::~TBitBtn() { glyph_->OnChange = nullptr; }

void TBitBtn::GlyphChanged(TObject*) { Invalidate(); }

void TBitBtn::SetGlyph(TBitmap* glyph) {
  if (glyph)
    glyph_->Assign(*glyph);
  else
    glyph_->SetSize(0, 0);
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int n) {
  numGlyphs_ = n;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TBitBtn::SetMargin(int margin) {
  margin_ = margin;
  Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind kind) {
  kind_ = kind;
  static const wchar_t* const captions[] = {nullptr,   L"OK",      L"Cancel", L"&Help",
                                            L"&Yes",   L"&No",     L"&Close", L"Abort",
                                            L"&Retry", L"&Ignore", L"&All"};
  if (const wchar_t* caption = captions[static_cast<int>(kind)]) SetCaption(caption);
  if (kind == TBitBtnKind::bkOK || kind == TBitBtnKind::bkYes) SetDefault(true);
  if (kind == TBitBtnKind::bkCancel || kind == TBitBtnKind::bkNo) SetCancel(true);
}

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.Style = (p.Style & ~static_cast<DWORD>(0x0F)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& m) {
  switch (m.Msg) {
    case BM_SETSTYLE:
      // The default-button look is the button's to draw: it stays owner-drawn.
      m.WParam = (m.WParam & ~static_cast<WPARAM>(0x0F)) | BS_OWNERDRAW;
      Invalidate();
      break;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button reports a double click instead of a second click.
      m.Msg = WM_LBUTTONDOWN;
      break;
    case CN_DRAWITEM:
      if (InReflection()) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
      }
      break;
    default:
      break;
  }
  TButton::WndProc(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool down = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  SaveDCGuard saved(dc);
  if (Active()) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));

  const int frames = std::max(numGlyphs_, 1);
  const SIZE glyph{glyph_->Empty() ? 0 : glyph_->Width() / frames,
                   glyph_->Empty() ? 0 : glyph_->Height()};
  const std::wstring text = Caption();
  SelectObject(dc, Font()->Handle());
  RECT measured{0, 0, 0, 0};
  if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const GlyphPlacement at =
      PlaceGlyph(layout_, w, h, glyph, {measured.right, measured.bottom}, margin_, spacing_);
  const int shift = down ? 1 : 0;
  if (glyph.cx > 0) {
    int index = 0;
    if (disabled && frames > 1) index = 1;
    if (down && frames > 2) index = 2;
    // The key is read before the strip is selected here: reading it selects it into its canvas.
    const COLORREF key = ColorToRGB(glyph_->TransparentColor());
    MemoryDC src = MakeMemoryDC(dc);
    SelectGuard selected(src.get(), glyph_->Handle());
    TransparentBlt(dc, r.left + at.glyph.x + shift, r.top + at.glyph.y + shift, glyph.cx, glyph.cy,
                   src.get(), index * glyph.cx, 0, glyph.cx, glyph.cy, key);
  }
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(disabled ? clGrayText : Font()->Color()));
    RECT tr{r.left + at.text.x + shift, r.top + at.text.y + shift, 0, 0};
    tr.right = tr.left + measured.right;
    tr.bottom = tr.top + measured.bottom;
    DrawTextW(dc, text.c_str(), -1, &tr,
              DT_SINGLELINE | DT_NOCLIP | (UseRightToLeftReading() ? DT_RTLREADING : 0));
  }
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(dc, &r);
  }
}

}  // namespace ui
