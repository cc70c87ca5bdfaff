// Making skin streams: the package writer and the LZHUF encoder whose output the program's decoder
// reads. Portable, so that the test-skin builder can use it on both targets; never part of the
// program itself.
#pragma once

#include <cstdint>
#include <memory>
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
// An unknown version gets no block. Throws std::invalid_argument for a name with a line break.
std::vector<uint8_t> BuildPackage(const std::vector<PackageEntry>& entries,
                                  uint32_t version = 70000);

// Writes a bit stream symbol by symbol; LzhEncode chooses the symbols, tests hand-make streams
// with it (overlapping matches, the farthest distance, matches into the initial window).
class LzhBitEncoder {
 public:
  LzhBitEncoder();
  ~LzhBitEncoder();
  LzhBitEncoder(const LzhBitEncoder&) = delete;
  LzhBitEncoder& operator=(const LzhBitEncoder&) = delete;

  void Literal(uint8_t byte);
  // length 3..60; position = distance - 1, 0..4095.
  void Match(int length, int position);
  // The stream, padded with zero bits to a whole byte.
  std::vector<uint8_t> Finish();

  int LongestCode() const { return longestCode_; }  // in bits, over all symbols so far
  size_t Symbols() const { return symbols_; }
  size_t Matches() const { return matches_; }

 private:
  struct Model;
  std::unique_ptr<Model> model_;
  std::vector<uint8_t> out_;
  int longestCode_ = 0;
  size_t symbols_ = 0, matches_ = 0;
};

struct EncodeStats {
  int longestCode = 0;
  size_t symbols = 0, matches = 0;
};

// The LZHUF bit stream of `data` (no size field).
std::vector<uint8_t> LzhEncode(std::span<const uint8_t> data, EncodeStats* stats = nullptr);

// A skin stream: u32 LE size of `package`, then its bit stream.
std::vector<uint8_t> EncodeSkinStream(std::span<const uint8_t> package);

}  // namespace skinpack
