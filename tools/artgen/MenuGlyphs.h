// The skinned system menu's glyphs: a 64 × 16 strip of four 16 × 16 monochrome glyphs (restore,
// maximize, minimize, close), black on white; white is the mask colour when the strip is loaded
// into an image list.
#pragma once

#include "imaging/PixelBuffer.h"

namespace skin::art {

inline constexpr int kGlyphSize = 16;
inline constexpr int kGlyphCount = 4;

// Black (0) and white pixels only.
PixelBuffer DrawMenuGlyphStrip();

}  // namespace skin::art
