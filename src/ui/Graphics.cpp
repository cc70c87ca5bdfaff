#include "ui/Graphics.h"

#include <cmath>

#include "ui/Bitmaps.h"
#include "ui/TypInfo.h"

namespace ui {

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}

UI_IMPLEMENT_CLASS(TGraphicsObject, TPersistent)

// ---- TFont ------------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TFont, TGraphicsObject, P::Int("Color", &TFont::Color, &TFont::SetColor),
                   P::Int("Height", &TFont::Height, &TFont::SetHeight),
                   P::Int("Size", &TFont::Size, &TFont::SetSize),
                   P::Int("Charset", &TFont::Charset, &TFont::SetCharset),
                   P::Str("Name", &TFont::Name, &TFont::SetName))

TFont::TFont() = default;

void TFont::Assign(const TPersistent& source) {
  if (!source.Is<TFont>()) return TGraphicsObject::Assign(source);
  const auto& f = static_cast<const TFont&>(source);
  if (Equals(f) && color_ == f.color_) return;
  name_ = f.name_;
  height_ = f.height_;
  charset_ = f.charset_;
  style_ = f.style_;
  color_ = f.color_;
  Changed();
}

bool TFont::Equals(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && charset_ == o.charset_ && style_ == o.style_;
}

void TFont::Changed() { ChangedHandle(handle_); }

void TFont::SetName(const std::wstring& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const { return -static_cast<int>(std::lround(height_ * 72.0 / 96.0)); }

void TFont::SetSize(int points) { SetHeight(-static_cast<int>(std::lround(points * 96.0 / 72.0))); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (OnChange) OnChange(this);
}

void TFont::SetCharset(int charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.reset(CreateFontIndirectW(&lf));
  }
  return handle_.get();
}

void TFont::SetHandle(HFONT font) {
  LOGFONTW lf{};
  if (font && GetObjectW(font, sizeof lf, &lf)) SetLogFont(lf);
}

void TFont::SetLogFont(const LOGFONTW& lf) {
  name_ = lf.lfFaceName;
  height_ = lf.lfHeight;
  charset_ = lf.lfCharSet;
  style_ = (lf.lfWeight >= FW_BOLD ? unsigned(fsBold) : 0u) |
           (lf.lfItalic ? unsigned(fsItalic) : 0u) | (lf.lfUnderline ? unsigned(fsUnderline) : 0u) |
           (lf.lfStrikeOut ? unsigned(fsStrikeOut) : 0u);
  Changed();
}

// ---- TBrush -----------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TBrush, TGraphicsObject, P::Int("Color", &TBrush::Color, &TBrush::SetColor))

void TBrush::Assign(const TPersistent& source) {
  if (!source.Is<TBrush>()) return TGraphicsObject::Assign(source);
  const auto& b = static_cast<const TBrush&>(source);
  color_ = b.color_;
  style_ = b.style_;
  external_ = nullptr;
  Changed();
}

void TBrush::Changed() {
  external_ = nullptr;
  ChangedHandle(handle_);
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && !external_) return;
  color_ = color;
  if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_ && !external_) return;
  style_ = style;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (external_) return external_;
  if (!handle_) {
    LOGBRUSH lb{};
    lb.lbColor = ColorToRGB(color_);
    switch (style_) {
      case TBrushStyle::bsSolid:
        lb.lbStyle = BS_SOLID;
        break;
      case TBrushStyle::bsClear:
        lb.lbStyle = BS_HOLLOW;
        break;
      default:
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = static_cast<int>(style_) - static_cast<int>(TBrushStyle::bsHorizontal);
    }
    handle_.reset(CreateBrushIndirect(&lb));
  }
  return handle_.get();
}

void TBrush::SetHandle(HBRUSH brush) {
  LOGBRUSH lb{};
  GdiBrush old = std::move(handle_);
  external_ = brush;
  if (brush && GetObjectW(brush, sizeof lb, &lb)) {
    color_ = static_cast<TColor>(lb.lbColor);
    style_ = lb.lbStyle == BS_HOLLOW ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
  }
  if (OnChange) OnChange(this);
}

// ---- TPen -------------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TPen, TGraphicsObject, P::Int("Color", &TPen::Color, &TPen::SetColor),
                   P::Int("Width", &TPen::Width, &TPen::SetWidth))

void TPen::Assign(const TPersistent& source) {
  if (!source.Is<TPen>()) return TGraphicsObject::Assign(source);
  const auto& p = static_cast<const TPen&>(source);
  color_ = p.color_;
  width_ = p.width_;
  style_ = p.style_;
  Changed();
}

void TPen::Changed() { ChangedHandle(handle_); }

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HPEN TPen::Handle() {
  if (!handle_) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
    handle_.reset(CreatePen(styles[static_cast<int>(style_)], width_, ColorToRGB(color_)));
  }
  return handle_.get();
}

// ---- TCanvas ----------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TCanvas, TPersistent)

TCanvas::TCanvas() {
  font_.OnChange = MethodOf<&TCanvas::ObjectChanged>(this);
  brush_.OnChange = MethodOf<&TCanvas::ObjectChanged>(this);
  pen_.OnChange = MethodOf<&TCanvas::ObjectChanged>(this);
}

TCanvas::~TCanvas() { DeselectObjects(); }

void TCanvas::ObjectChanged(TObject* sender) {
  // The old object may be about to die: put the DC's own object back; the next drawing call
  // selects the new one.
  if (!dc_) return;
  if (sender == &font_ && oldFont_) {
    SelectObject(dc_, oldFont_);
    oldFont_ = nullptr;
  } else if (sender == &brush_ && oldBrush_) {
    SelectObject(dc_, oldBrush_);
    oldBrush_ = nullptr;
  } else if (sender == &pen_ && oldPen_) {
    SelectObject(dc_, oldPen_);
    oldPen_ = nullptr;
  }
}

void TCanvas::DeselectObjects() {
  if (!dc_) return;
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  if (oldPen_) SelectObject(dc_, oldPen_);
  oldFont_ = oldBrush_ = oldPen_ = nullptr;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectObjects();
  dc_ = dc;
}

void TCanvas::RequireObjects() {
  if (!dc_) CreateHandle();
  if (!dc_) throw EInvalidOperation(L"Canvas does not allow drawing");
  if (!oldFont_) {
    oldFont_ = SelectObject(dc_, font_.Handle());
    SetTextColor(dc_, ColorToRGB(font_.Color()));
  } else {
    SetTextColor(dc_, ColorToRGB(font_.Color()));
  }
  if (!oldBrush_) oldBrush_ = SelectObject(dc_, brush_.Handle());
  if (brush_.Style() == TBrushStyle::bsSolid) {
    SetBkColor(dc_, ColorToRGB(brush_.Color()));
    SetBkMode(dc_, OPAQUE);
  } else {
    SetBkMode(dc_, TRANSPARENT);
  }
  if (!oldPen_) oldPen_ = SelectObject(dc_, pen_.Handle());
}

HDC TCanvas::Handle() {
  RequireObjects();
  return dc_;
}

void TCanvas::FillRect(const RECT& r) {
  RequireObjects();
  if (brush_.Style() != TBrushStyle::bsClear) ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  RequireObjects();
  ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  RequireObjects();
  ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cx, int cy) {
  RequireObjects();
  ::RoundRect(dc_, x1, y1, x2, y2, cx, cy);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  RequireObjects();
  ::Ellipse(dc_, x1, y1, x2, y2);
}

void TCanvas::Polygon(const POINT* points, int count) {
  RequireObjects();
  ::Polygon(dc_, points, count);
}

void TCanvas::Polyline(const POINT* points, int count) {
  RequireObjects();
  ::Polyline(dc_, points, count);
}

void TCanvas::MoveTo(int x, int y) {
  RequireObjects();
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  RequireObjects();
  ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  RequireObjects();
  ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::wstring& text) {
  RequireObjects();
  UINT options = ETO_CLIPPED | (brush_.Style() != TBrushStyle::bsClear ? ETO_OPAQUE : 0);
  ExtTextOutW(dc_, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  RequireObjects();
  SIZE s{};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &s);
  return s;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  RECT r{x, y, x + graphic->Width(), y + graphic->Height()};
  graphic->Draw(*this, r);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic* graphic) {
  if (graphic && !graphic->Empty()) graphic->Draw(*this, r);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  HDC dst = Handle();
  HDC src = source.Handle();
  int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  StretchBlt(dst, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src,
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
             sourceRect.bottom - sourceRect.top, CopyMode);
  SetStretchBltMode(dst, oldMode);
}

COLORREF TCanvas::Pixel(int x, int y) { return GetPixel(Handle(), x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) {
  ::SetPixel(Handle(), x, y, ColorToRGB(color));
}

}  // namespace ui
