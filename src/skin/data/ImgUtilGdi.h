// The device side of the pixel and colour routines: system colours, gradient fills on a device
// context, and the bitmap routines on HBITMAPs (read with GetDIBits, transformed by the portable
// code in ImgUtil, written back as a DIB section of the pixels' own depth, 24 or 32 bits). The
// framework's TBitmap and TCanvas forward to these.
#pragma once

#include <windows.h>

#include "imaging/ImgUtil.h"
#include "ui/Handles.h"

namespace skin {

// GetSysColor as a Colour; the resolver the portable routines take.
Colour SysColour(int index);
// Plain RGB: a negative value is resolved as a system colour.
Colour ColorToRGB(Colour c);
// Blend with system-colour references resolved (see the portable Blend for the amount rule).
Colour Blend(Colour colour1, Colour colour2, int amount);

// Fills `rect` line by line with the ramp from colour1 to colour2: rows when `vertical`, columns
// otherwise. Only the lines inside the clip box are drawn; nothing when the rectangle is not
// visible or empty.
void GradientFill(HDC dc, const RECT& rect, Colour colour1, bool vertical, Colour colour2);

// The bitmap's pixels, read with GetDIBits through the screen DC as 32-bit bottom-up rows and
// returned top-down. Empty when the handle is not a bitmap.
PixelBuffer ReadPixels(HBITMAP bitmap);
// A new DIB section holding `pixels` at their own depth (24 or 32 bits).
ui::GdiBitmap MakeBitmap(const PixelBuffer& pixels);

// The bitmap routines on a bitmap owner: the owner gets a new 24-bit DIB section with the result
// (the rotations change the size, so the handle cannot stay the same). A null owner stays null.
void ReplaceMagenta(ui::GdiBitmap& bitmap, Colour colour);
void MirrorHorizontal(ui::GdiBitmap& bitmap);
void FlipVertical(ui::GdiBitmap& bitmap);
void RotateLeft(ui::GdiBitmap& bitmap);
void RotateRight(ui::GdiBitmap& bitmap);

}  // namespace skin
