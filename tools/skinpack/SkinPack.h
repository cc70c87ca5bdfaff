// Making skin streams: the package writer and the LZHUF encoder whose output the program's decoder
// reads. Portable, so that the test-skin builder can use it on both targets; never part of the
// program itself.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skinpack {

struct PackageEntry {
  std::string name;
  std::vector<uint8_t> bytes;
};

// The entry order of the default skin: its 36 images; the definition (a name ending in ".ini")
// comes last.
const std::vector<std::string>& DefaultEntryOrder();

// A package: 16-byte header (version, name-list length, 8 zero bytes), the version's block of
// zeros, the names separated by CR LF (with a final CR LF), the u32 sizes and the data.
// Throws std::invalid_argument for an unknown version or a name holding a line break.
std::vector<uint8_t> BuildPackage(const std::vector<PackageEntry>& entries,
                                  uint32_t version = 70000);

// The LZHUF bit stream of `data` (no size field).
std::vector<uint8_t> LzhEncode(std::span<const uint8_t> data);

// A skin stream: u32 LE size of `package`, then its bit stream.
std::vector<uint8_t> EncodeSkinStream(std::span<const uint8_t> package);

}  // namespace skinpack
