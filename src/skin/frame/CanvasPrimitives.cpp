#include "skin/frame/CanvasPrimitives.h"

#include "ui/Bitmaps.h"
#include "ui/Controls.h"

namespace skin {

std::unique_ptr<ui::TBitmap> RenderNineSlice(const RECT& dst, ui::TBitmap& src, const RECT& margins,
                                             bool verticalFrames, bool tileCentre, int frameCount,
                                             int frameIndex) {
  ui::GdiBitmap image = RenderNineSlice(dst, src.Handle(), margins, verticalFrames, tileCentre,
                                        frameCount, frameIndex);
  if (!image) return nullptr;
  auto out = std::make_unique<ui::TBitmap>();
  out->SetHandle(image.release());
  return out;
}

void DrawNineSlice(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, bool verticalFrames,
                   bool tileCentre, bool transparent, int frameCount, int frameIndex,
                   const RECT& margins) {
  HBITMAP bitmap = src.Handle();
  DrawNineSlice(canvas.Handle(), dst, bitmap, verticalFrames, tileCentre, transparent, frameCount,
                frameIndex, margins);
}

void DrawThreePartStrip(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, bool verticalFrames,
                        bool transparent, int frameCount, int frameIndex, const RECT& margins) {
  HBITMAP bitmap = src.Handle();
  DrawThreePartStrip(canvas.Handle(), dst, bitmap, verticalFrames, transparent, frameCount,
                     frameIndex, margins);
}

void DrawFrame(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, bool transparent,
               int frameCount, int frameIndex) {
  HBITMAP bitmap = src.Handle();
  DrawFrame(canvas.Handle(), dst, bitmap, transparent, frameCount, frameIndex);
}

void DrawFrameCentred(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, bool transparent,
                      int frameCount, int frameIndex) {
  HBITMAP bitmap = src.Handle();
  DrawFrameCentred(canvas.Handle(), dst, bitmap, transparent, frameCount, frameIndex);
}

void TransparentBlit(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, Colour key) {
  HBITMAP bitmap = src.Handle();
  TransparentBlit(canvas.Handle(), dst, bitmap, key);
}

void TileBitmap(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, const RECT& srcRect) {
  HBITMAP bitmap = src.Handle();
  TileBitmap(canvas.Handle(), dst, bitmap, srcRect);
}

ui::GdiRegion BitmapToRegion(ui::TBitmap& bitmap, int dx, int dy, int blueTolerance,
                             int greenTolerance, int redTolerance, Colour key) {
  return BitmapToRegion(bitmap.Handle(), dx, dy, blueTolerance, greenTolerance, redTolerance, key);
}

void PaintControlTo(ui::TControl& control, HDC dc) {
  ui::TWinControl* parent = control.Parent();
  if (!parent || !dc) return;
  RECT bounds = control.ClientRect();
  OffsetRect(&bounds, control.Left(), control.Top());
  PaintParentUnder(parent->Handle(), bounds, dc, ParentPaint::Paint);
}

}  // namespace skin
