// Reader of Windows BMP images for skin packages and bitmap properties. Skin files come from users,
// so every size, offset and count in the headers is checked against the input before use, and
// nothing outside the given bytes is ever read.
//
// Accepted: the file header with the core (12-byte) and info (40, 52, 56, 108, 124-byte) headers;
// 1, 4 and 8 bits with a palette, 16, 24 and 32 bits; BI_RGB, BI_BITFIELDS, BI_ALPHABITFIELDS,
// BI_RLE8 and BI_RLE4; bottom-up and top-down rows. Everything else is refused with a BmpError
// saying why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "imaging/PixelBuffer.h"

namespace skin {

class BmpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Larger images are refused; no skin image comes near it, and it bounds the memory a hostile
// header can make us allocate.
constexpr int kMaxBmpDimension = 16384;
// Run-length images can claim a large canvas with a few bytes; their pixel count is bounded too.
constexpr int64_t kMaxRleBmpPixels = 2048 * 2048;
// Run-length canvases up to this many pixels need no stream that could fill them.
constexpr int64_t kRleFreeCanvasPixels = 256 * 256;

struct BmpInfo {
  int width = 0;
  int height = 0;        // rows, always positive
  int bitsPerPixel = 0;  // as stored in the file
  uint32_t compression = 0;
  uint32_t headerSize = 0;
  bool topDown = false;
  int paletteEntries = 0;  // entries actually read
  bool hasAlpha = false;   // the file gave an alpha mask (plain 32-bit rows keep their 4th byte)
};

struct BmpImage {
  // 32-bit when the file has 32-bit pixels (alpha kept in the fourth byte), 24-bit otherwise.
  PixelBuffer pixels;
  BmpInfo info;
};

// A BMP file (starting with "BM"). Throws BmpError.
BmpImage DecodeBmp(const uint8_t* data, size_t size);
// A packed device-independent bitmap (info header, masks, palette, then the pixels), as stored
// without a file header. Throws BmpError.
BmpImage DecodeDib(const uint8_t* data, size_t size);

// Non-throwing form of DecodeBmp: false with the reason in *error (when given).
bool TryDecodeBmp(const uint8_t* data, size_t size, BmpImage& out, std::string* error = nullptr);

}  // namespace skin
