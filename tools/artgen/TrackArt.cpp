#include "TrackArt.h"

#include <array>

namespace skin::art {

namespace {
constexpr Colour kShadow = MakeColour(128, 128, 128);
constexpr Colour kDark = MakeColour(64, 64, 64);
constexpr Colour kGroove = MakeColour(200, 208, 216);
constexpr Colour kFace = MakeColour(224, 224, 224);
constexpr Colour kLight = MakeColour(255, 255, 255);
}  // namespace

PixelBuffer DrawBuiltInTrack(bool vertical) {
  // Across the groove, outside in from the lit side: shadow, dark shadow, the groove, face, light.
  constexpr std::array<Colour, kBuiltInTrackThickness> kAcross = {kShadow, kDark, kGroove,
                                                                  kGroove, kFace, kLight};
  const int last = kBuiltInTrackLength - 1;
  PixelBuffer image(vertical ? kBuiltInTrackThickness : kBuiltInTrackLength,
                    vertical ? kBuiltInTrackLength : kBuiltInTrackThickness, 24);
  for (int along = 0; along < kBuiltInTrackLength; ++along)
    for (int across = 0; across < kBuiltInTrackThickness; ++across) {
      Colour c = kAcross[static_cast<size_t>(across)];
      // The near end is in shadow and the far end lit, as a sunken groove's ends are.
      if (along == 0 && across < kBuiltInTrackThickness - 1) c = kShadow;
      if (along == 1 && across > 1 && across < kBuiltInTrackThickness - 1) c = kDark;
      if (along == last && across > 0) c = kLight;
      if (along == last - 1 && across > 1 && across < kBuiltInTrackThickness - 1) c = kFace;
      // Rounded corners.
      if ((along == 0 || along == last) && (across == 0 || across == kBuiltInTrackThickness - 1))
        c = kFace;
      if (vertical)
        image.Set(across, along, c);
      else
        image.Set(along, across, c);
    }
  return image;
}

}  // namespace skin::art
