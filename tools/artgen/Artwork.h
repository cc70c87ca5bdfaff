// The program's artwork as files: the application icon, the advanced-search window's icon, the
// credit badge strip, and a preview sheet for people to look at.
#pragma once

#include <string>

#include "imaging/PixelBuffer.h"

namespace skin::art {

// Icon sizes shipped in each ICO file, largest first.
inline constexpr int kAppIconSizes[] = {48, 32, 24, 16};
inline constexpr int kSearchIconSizes[] = {24, 16};

// Everything enlarged on a light and a dark background.
PixelBuffer RenderArtworkSheet();

// Writes Tarvimo.ico, Form2.ico, credits.bmp, skinmenuglyphs.bmp, track.bmp, trackvert.bmp, the
// media player glyphs (EN_MPPLAY.bmp ...) and artwork-preview.png into `dir` (which must exist).
// Returns an error text, empty on success.
std::string WriteArtwork(const std::string& dir);

}  // namespace skin::art
