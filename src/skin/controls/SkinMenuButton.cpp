#include "skin/controls/SkinMenuButton.h"

#include "skin/frame/CanvasPrimitives.h"
#include "ui/Bitmaps.h"
#include "ui/TypInfo.h"

namespace skin {

namespace {
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

UI_IMPLEMENT_CLASS(TSkinMenuButton, TSkinButton)

void TSkinMenuButton::PaintControl(HDC dc, const RECT& rect) {
  if (!HasFace()) return;
  const ButtonState state = ReadState();
  int stateIndex = state.down ? 2 : (state.focused || state.hot) ? 4 : 1;
  if (state.disabled) stateIndex = 3;
  const TDataSkinButton& face = *skin_->Buttons();
  // The image is the state's as far as the strip goes; the caption's colour is the state's.
  const int frame = ClampFrame(stateIndex, face.Frame);
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
    SetTextColor(b, CaptionColour(stateIndex, /*normalStateOnly=*/true));
    DrawAccessText(b, caption_, text, AddReadingOrder(DT_WORDBREAK));
  }
  DrawArrow(b, at.arrowX, at.arrowY, GetSysColor(enabled_ ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
  DrawFocus(b, text);
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

}  // namespace skin
