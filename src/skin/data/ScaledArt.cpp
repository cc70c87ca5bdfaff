#include "skin/data/ScaledArt.h"

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

}  // namespace skin
