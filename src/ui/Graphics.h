// Colours, fonts, brushes, pens and the canvas over a device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/Classes.h"
#include "ui/Handles.h"

namespace ui {

class TGraphic;

// ---- Colours: red in the low byte; negative values name a system colour by its low byte -------
using TColor = int32_t;

constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | unsigned(index));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);

// The RGB value of a colour; system colours are looked up.
COLORREF ColorToRGB(TColor color);

// ---- Graphics objects -------------------------------------------------------------------------

class TGraphicsObject : public TPersistent {
  UI_CLASS(TGraphicsObject, TPersistent)
 public:
  TNotifyEvent OnChange;

 protected:
  // Tells the listener first (it deselects the old handle), then lets the old handle go.
  template <class H>
  void ChangedHandle(H& handle) {
    H old = std::move(handle);
    if (OnChange) OnChange(this);
  }
};

enum TFontStyleFlag : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
  UI_CLASS(TFont, TGraphicsObject)
 public:
  TFont();
  void Assign(const TPersistent& source) override;

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;  // points at 96 pixels per inch
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);  // colour changes need no new handle
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);

  // Created on demand; valid until the next change.
  HFONT Handle();
  // Takes the attributes of an existing font (the handle stays its owner's).
  void SetHandle(HFONT font);
  void SetLogFont(const LOGFONTW& lf);
  bool Equals(const TFont& other) const;

 private:
  void Changed();
  std::wstring name_ = L"Tahoma";
  int height_ = -11;
  TColor color_ = clWindowText;
  int charset_ = DEFAULT_CHARSET;
  TFontStyles style_ = 0;
  GdiFont handle_;
};

enum class TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

class TBrush : public TGraphicsObject {
  UI_CLASS(TBrush, TGraphicsObject)
 public:
  void Assign(const TPersistent& source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  HBRUSH Handle();
  // Uses a brush that belongs to someone else (e.g. the one selected into a DC): it is never
  // deleted here. Its colour and style are read from it.
  void SetHandle(HBRUSH brush);

 private:
  void Changed();
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  GdiBrush handle_;
  HBRUSH external_ = nullptr;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

class TPen : public TGraphicsObject {
  UI_CLASS(TPen, TGraphicsObject)
 public:
  void Assign(const TPersistent& source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  HPEN Handle();

 private:
  void Changed();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  GdiPen handle_;
};

// ---- Canvas -----------------------------------------------------------------------------------

// Drawing on a device context with the canvas's font, brush and pen. A canvas either binds a DC
// it does not own (SetHandle) or makes one on demand (bitmap and control canvases).
class TCanvas : public TPersistent {
  UI_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;

  // The DC with font, brush and pen selected (made on demand by subclasses).
  HDC Handle();
  // Binds a DC owned by someone else; nullptr unbinds and restores the DC's own objects.
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont* Font() { return &font_; }
  TBrush* Brush() { return &brush_; }
  TPen* Pen() { return &pen_; }

  // Plain counters: one GUI thread. A locked canvas keeps its DC.
  void Lock() { ++lockCount_; }
  void Unlock() { --lockCount_; }
  bool Locked() const { return lockCount_ > 0; }

  DWORD CopyMode = SRCCOPY;

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int cx, int cy);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Polygon(const POINT* points, int count);
  void Polyline(const POINT* points, int count);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::wstring& text);
  void TextRect(const RECT& r, int x, int y, const std::wstring& text);
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const RECT& r, TGraphic* graphic);
  // A scaled copy with the canvas's CopyMode and COLORONCOLOR stretching.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
  COLORREF Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

 protected:
  // Subclasses make a DC here and bind it with SetHandle.
  virtual void CreateHandle() {}
  void DeselectObjects();

 private:
  void ObjectChanged(TObject* sender);
  void RequireObjects();

  HDC dc_ = nullptr;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
  int lockCount_ = 0;
};

}  // namespace ui
