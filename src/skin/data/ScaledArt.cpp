#include "skin/data/ScaledArt.h"

#include <cstdint>

namespace skin {

namespace {
constexpr std::string_view kExtension = ".bmp";
}  // namespace

std::string ScaledArtName(std::string_view entry, int factor) {
  if (factor < 2 || entry.size() <= kExtension.size() || !entry.ends_with(kExtension)) return {};
  const std::string_view stem = entry.substr(0, entry.size() - kExtension.size());
  return std::string(stem) + "@" + std::to_string(factor) + "x" + std::string(kExtension);
}

std::optional<ScaledArtOf> ParseScaledArtName(std::string_view entry) {
  if (!entry.ends_with(kExtension)) return std::nullopt;
  std::string_view stem = entry.substr(0, entry.size() - kExtension.size());
  if (!stem.ends_with('x')) return std::nullopt;
  stem.remove_suffix(1);
  const size_t at = stem.rfind('@');
  if (at == std::string_view::npos || at == 0 || at + 1 == stem.size()) return std::nullopt;
  int factor = 0;
  for (const char c : stem.substr(at + 1)) {
    if (c < '0' || c > '9' || factor > 100) return std::nullopt;
    factor = factor * 10 + (c - '0');
  }
  if (factor < 2) return std::nullopt;
  return ScaledArtOf{std::string(stem.substr(0, at)) + std::string(kExtension), factor};
}

std::string ScaledArtMismatch(std::string_view entry, int factor, int width, int height,
                              int largeWidth, int largeHeight, int frames, bool vertical) {
  const std::string larger = ScaledArtName(entry, factor);
  const auto size = [](int w, int h) { return std::to_string(w) + "x" + std::to_string(h); };
  if (frames < 1) frames = 1;
  const int64_t wantW = int64_t{width} * factor, wantH = int64_t{height} * factor;
  if (largeWidth != wantW || largeHeight != wantH)
    return larger + " is " + size(largeWidth, largeHeight) + ", not " +
           size(static_cast<int>(wantW), static_cast<int>(wantH)) + " (" + std::to_string(factor) +
           " times " + std::string(entry) + "): ignored, the image is scaled instead";
  const int along = vertical ? largeHeight : largeWidth;
  if (along % frames != 0 || (vertical ? height : width) % frames != 0)
    return larger + " does not divide into the " + std::to_string(frames) + " frames of " +
           std::string(entry) + ": ignored, the image is scaled instead";
  return {};
}

}  // namespace skin
