// The painting primitives every skin painter draws through: nine-slice, three-part strip, single
// frames, the transparent blit with the magenta key, tiling, bitmap-to-region and painting a
// control's parent into a foreign DC. The geometry comes from PaintPlans; this file only executes
// it with GDI. Each call renders into its own off-screen bitmap and blits once, so a window never
// shows a half-drawn element.
//
// Source bitmaps must not be selected into another DC while they are drawn from (GDI allows a
// bitmap in one DC at a time).
#pragma once

#include <windows.h>

#include <cstdint>

#include "imaging/PaintPlans.h"
#include "imaging/PixelBuffer.h"
#include "ui/Handles.h"

namespace skin {

inline ImageRect ToImageRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const ImageRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Width and height of a bitmap; 0 x 0 for anything that is not one.
SIZE BitmapSize(HBITMAP bitmap);

// A 32-bit top-down DIB section (pixels 0x00RRGGBB at *bits); null when it cannot be made.
ui::GdiBitmap MakeDib32(int width, int height, uint32_t** bits);

// Runs a plan from `src` (a DC with the skin bitmap selected) into `dst`, each step a StretchBlt
// with COLORONCOLOR, every destination offset by (dx, dy).
void ExecutePlan(HDC dst, int dx, int dy, const PaintPlan& plan, HDC src);

// The same plan composed off-screen and written to `dst` once; with `transparent` pure magenta
// (and whatever no step covers) leaves the destination as it was.
void DrawPlanFrom(HDC dst, int dx, int dy, const PaintPlan& plan, HDC src, bool transparent);

// A new screen-compatible bitmap of the destination's size holding the nine-slice of frame
// `frameIndex`; null when the destination is empty or inverted. `margins` holds the four margin
// widths, not coordinates.
ui::GdiBitmap RenderNineSlice(const RECT& dst, HBITMAP src, const RECT& margins,
                              bool verticalFrames, bool tileCentre, int frameCount, int frameIndex);

// RenderNineSlice put at dst's top-left corner, with magenta left out when `transparent`.
void DrawNineSlice(HDC dc, const RECT& dst, HBITMAP src, bool verticalFrames, bool tileCentre,
                   bool transparent, int frameCount, int frameIndex, const RECT& margins);

// Left piece, repeated middle, right piece (margins.left / margins.right), scaled to the height.
void DrawThreePartStrip(HDC dc, const RECT& dst, HBITMAP src, bool verticalFrames, bool transparent,
                        int frameCount, int frameIndex, const RECT& margins);

// Frame `frameIndex` of side-by-side frames stretched to dst.
void DrawFrame(HDC dc, const RECT& dst, HBITMAP src, bool transparent, int frameCount,
               int frameIndex);

// Frame `frameIndex` of side-by-side frames, unscaled and centred on dst.
void DrawFrameCentred(HDC dc, const RECT& dst, HBITMAP src, bool transparent, int frameCount,
                      int frameIndex);

// The bitmap unscaled at dst's top-left, clipped to dst's size, with pixels of the key colour
// leaving the destination as it was.
void TransparentBlit(HDC dc, const RECT& dst, HBITMAP src, Colour key);

// The piece `srcRect` of the bitmap repeated unscaled over dst from its top-left corner; the last
// row and column may reach past dst.
void TileBitmap(HDC dc, const RECT& dst, HBITMAP src, const RECT& srcRect);

// A region of the bitmap's pixels outside the transparent band around `key`, offset by (dx, dy);
// the caller owns it. An all-transparent bitmap gives an empty region; a null or unreadable bitmap
// (e.g. one selected into a DC) gives a null handle.
ui::GdiRegion BitmapToRegion(HBITMAP bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                             int redTolerance, Colour key);
// The same from pixels already in memory.
ui::GdiRegion PixelsToRegion(const PixelBuffer& pixels, int dx, int dy, int blueTolerance,
                             int greenTolerance, int redTolerance, Colour key);

// How the parent is asked for its face in PaintControlTo.
enum class ParentPaint {
  Paint,        // WM_PAINT with the DC in wParam (framework windows paint into it)
  PrintClient,  // WM_PRINTCLIENT (standard and common controls)
};

// Has the control's parent paint its background and face, as they lie under the control, into
// `dc` with the control's top-left corner at the DC's origin: what a transparent control shows
// through. Nothing when the control is not a child window. The DC's state is restored afterwards.
void PaintControlTo(HWND control, HDC dc, ParentPaint how = ParentPaint::Paint);
// The core of PaintControlTo: `bounds` is the control's client area placed at its Left/Top in the
// parent's client coordinates; the DC's origin moves to its top-left corner and it is clipped to
// it.
void PaintParentUnder(HWND parent, const RECT& bounds, HDC dc, ParentPaint how);

}  // namespace skin
