// The painting primitives on the framework's canvases, bitmaps and controls: each forwards to the
// HDC / HBITMAP form in PaintPrimitives (TBitmap::Handle lets go of the bitmap's own canvas first,
// so the bitmap can be selected into the primitive's DC).
#pragma once

#include <windows.h>

#include <memory>

#include "skin/frame/PaintPrimitives.h"

namespace ui {
class TBitmap;
class TCanvas;
class TControl;
}  // namespace ui

namespace skin {

// A new bitmap of dst's size; the caller owns it. Null for an empty or inverted rectangle.
std::unique_ptr<ui::TBitmap> RenderNineSlice(const RECT& dst, ui::TBitmap& src, const RECT& margins,
                                             bool verticalFrames, bool tileCentre, int frameCount,
                                             int frameIndex);
void DrawNineSlice(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, bool verticalFrames,
                   bool tileCentre, bool transparent, int frameCount, int frameIndex,
                   const RECT& margins);
void DrawThreePartStrip(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, bool verticalFrames,
                        bool transparent, int frameCount, int frameIndex, const RECT& margins);
void DrawFrame(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, bool transparent,
               int frameCount, int frameIndex);
void DrawFrameCentred(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, bool transparent,
                      int frameCount, int frameIndex);
void TransparentBlit(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, Colour key);
void TileBitmap(ui::TCanvas& canvas, const RECT& dst, ui::TBitmap& src, const RECT& srcRect);
ui::GdiRegion BitmapToRegion(ui::TBitmap& bitmap, int dx, int dy, int blueTolerance,
                             int greenTolerance, int redTolerance, Colour key);

// The parent's background and face under a framework control (windowed or not), with the
// control's top-left corner at the DC's origin. Nothing when the control has no parent.
void PaintControlTo(ui::TControl& control, HDC dc);

}  // namespace skin
