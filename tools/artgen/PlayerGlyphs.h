// The media player's button glyphs: nine 16 × 16 glyphs (play, pause, stop, next, prev, step,
// back, record, eject) in three looks (EN enabled, DI disabled, CL coloured), each on olive, the
// colour the player leaves out. Written as EN_MPPLAY.bmp ... CL_MPEJECT.bmp, the names the program
// loads them by.
#pragma once

#include <string>

#include "imaging/PixelBuffer.h"

namespace skin::art {

inline constexpr int kPlayerGlyphSize = 16;
inline constexpr int kPlayerGlyphCount = 9;
inline constexpr int kPlayerLookCount = 3;
inline constexpr Colour kPlayerGlyphKey = MakeColour(128, 128, 0);

// look: 0 enabled, 1 disabled, 2 coloured; button: 0 play ... 8 eject.
PixelBuffer DrawPlayerGlyph(int look, int button);
std::string PlayerGlyphName(int look, int button);  // "EN_MPPLAY"

}  // namespace skin::art
