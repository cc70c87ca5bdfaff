// A shipped skin as package entries: its images in the order the package keeps them (the default
// skin's 36, then any optional ones the skin adds), then the definition. skingen writes them to a
// folder with an order.txt that skinpack packs from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace skin::art {

struct SkinStyle;

struct SkinEntry {
  std::string name;
  PixelBuffer image;           // empty for the definition
  std::vector<uint8_t> bytes;  // the entry's file content (BMP or ini text)
};

// The image entry names, in package order.
const std::vector<std::string_view>& DefaultSkinImageNames();
std::vector<std::string_view> SkinImageNames(const SkinStyle& style);
// Name of the definition entry (the last entry of the package).
constexpr std::string_view kDefinitionName = "skin.ini";
// The definition text, as kept in skins/default/skin.ini.
std::string_view DefaultSkinDefinition();

// Draws every entry. Deterministic: the same bytes on every run.
std::vector<SkinEntry> BuildSkin(const SkinStyle& style);
std::vector<SkinEntry> BuildDefaultSkin();

// Writes every entry as a file into `dir` (which must exist) and `dir/order.txt` with the entry
// names, one per line, in package order. Returns an error text, empty on success.
std::string WriteSkinFolder(const std::vector<SkinEntry>& entries, const std::string& dir);

}  // namespace skin::art
