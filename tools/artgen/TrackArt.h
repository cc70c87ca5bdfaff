// The track-bar channel the program carries for skins that have none (bitmap resources TRACK and
// TRACKVERT): a sunken groove with 3-pixel end caps (the loader's margins), lit from the top left,
// lying for horizontal bars and standing for vertical ones.
#pragma once

#include "imaging/PixelBuffer.h"

namespace skin::art {

inline constexpr int kBuiltInTrackLength = 24;
inline constexpr int kBuiltInTrackThickness = 6;

// Horizontal: kBuiltInTrackLength x kBuiltInTrackThickness; vertical: the same groove turned
// upright.
PixelBuffer DrawBuiltInTrack(bool vertical);

}  // namespace skin::art
