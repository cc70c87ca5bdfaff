// The program's icons, drawn at each size they ship in (small sizes get their own simpler
// drawing rather than a scaled-down large one), and the ICO container that carries them.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace skin::art {

// Application icon: a blue tile with a rising bar chart under a magnifying glass.
PixelBuffer DrawAppIcon(int size);
// The advanced-search window's icon: a magnifying glass with a plus sign.
PixelBuffer DrawSearchIcon(int size);

// An ICO file of 32-bit images with straight alpha (each also gets the 1-bit AND mask, set where
// a pixel is fully transparent, for renderers that ignore alpha). Images must be square, 1-256.
std::vector<uint8_t> EncodeIco(const std::vector<PixelBuffer>& images);

}  // namespace skin::art
