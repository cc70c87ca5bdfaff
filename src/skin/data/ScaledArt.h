// Larger art for a display scale: beside "frametop.bmp" a skin may carry "frametop@2x.bmp", drawn
// for 200 %. Readers that do not know the convention never ask for such an entry, so the format
// stays as it was. Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skin {

// "name@Nx.bmp" for the entry "name.bmp" at the whole factor N (2 and up); empty for an entry that
// is not a .bmp name or a factor below 2.
std::string ScaledArtName(std::string_view entry, int factor);

// The factor and the 1x entry of a "name@Nx.bmp" entry; nothing for any other name.
struct ScaledArtOf {
  std::string base;
  int factor = 0;
};
std::optional<ScaledArtOf> ParseScaledArtName(std::string_view entry);

// Why the art "name@Nx.bmp" (largeWidth x largeHeight) cannot stand in for "name.bmp" (width x
// height, `frames` frames stacked when `vertical`): it must be exactly N times the image, so that
// each of its frames is N times one frame. Empty when it fits.
std::string ScaledArtMismatch(std::string_view entry, int factor, int width, int height,
                              int largeWidth, int largeHeight, int frames, bool vertical);

}  // namespace skin
