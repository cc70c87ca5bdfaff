#include "imaging/BmpDecode.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace skin {
namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5,
                   kBiAlphaBitfields = 6;
constexpr size_t kFileHeaderSize = 14;

[[noreturn]] void Fail(const std::string& why) { throw BmpError("BMP: " + why); }

// Bounds-checked little-endian reads from the input.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  size_t size() const { return size_; }
  const uint8_t* at(size_t offset) const { return data_ + offset; }
  bool Has(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }
  uint16_t U16(size_t offset) const {
    Need(offset, 2);
    return static_cast<uint16_t>(data_[offset] | data_[offset + 1] << 8);
  }
  uint32_t U32(size_t offset) const {
    Need(offset, 4);
    return static_cast<uint32_t>(data_[offset]) | static_cast<uint32_t>(data_[offset + 1]) << 8 |
           static_cast<uint32_t>(data_[offset + 2]) << 16 |
           static_cast<uint32_t>(data_[offset + 3]) << 24;
  }
  int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }

 private:
  void Need(size_t offset, size_t count) const {
    if (!Has(offset, count)) Fail("header truncated");
  }
  const uint8_t* data_;
  size_t size_;
};

// One colour channel of a bit-field pixel: where its bits are and how many there are.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  static Channel From(uint32_t mask, const char* name) {
    Channel c;
    c.mask = mask;
    if (!mask) return c;
    while (!((mask >> c.shift) & 1)) ++c.shift;
    const uint32_t v = mask >> c.shift;
    if (v & (v + 1)) Fail(std::string("the ") + name + " mask is not contiguous");
    while (c.bits < 32 && ((v >> c.bits) & 1)) ++c.bits;
    return c;
  }
  // The channel scaled to 8 bits; short fields repeat their bits, as GDI does for 5-6-5.
  uint8_t Get(uint32_t pixel) const {
    if (!mask) return 0;
    uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
    uint32_t out = v << (8 - bits);
    for (int filled = bits; filled < 8; filled += bits) out |= out >> bits;
    return static_cast<uint8_t>(out);
  }
};

struct Masks {
  Channel red, green, blue, alpha;
};

struct Header {
  BmpInfo info;
  bool core = false;  // 12-byte header: 3-byte palette entries, 16-bit sizes
  uint32_t clrUsed = 0;
  uint32_t sizeImage = 0;
  size_t afterHeader = 0;  // offset of what follows the info header (masks or palette)
  std::array<uint32_t, 4> masks{};
  bool hasMasks = false;
};

bool KnownHeaderSize(uint32_t size) {
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

Header ReadHeader(const Bytes& in, size_t at) {
  Header h;
  const uint32_t size = in.U32(at);
  if (!KnownHeaderSize(size)) Fail("unsupported info header size " + std::to_string(size));
  if (!in.Has(at, size)) Fail("info header truncated");
  h.info.headerSize = size;
  h.afterHeader = at + size;
  int64_t width, height;
  int planes;
  if (size == 12) {
    h.core = true;
    width = in.U16(at + 4);
    height = in.U16(at + 6);
    planes = in.U16(at + 8);
    h.info.bitsPerPixel = in.U16(at + 10);
  } else {
    width = in.I32(at + 4);
    height = in.I32(at + 8);
    planes = in.U16(at + 12);
    h.info.bitsPerPixel = in.U16(at + 14);
    h.info.compression = in.U32(at + 16);
    h.sizeImage = in.U32(at + 20);
    h.clrUsed = in.U32(at + 32);
  }
  if (planes != 1) Fail("plane count must be 1, not " + std::to_string(planes));
  if (width <= 0) Fail("width must be positive");
  if (height == 0) Fail("height must not be zero");
  h.info.topDown = height < 0;
  if (height < 0) height = -height;
  if (width > kMaxBmpDimension || height > kMaxBmpDimension)
    Fail("dimensions " + std::to_string(width) + " x " + std::to_string(height) +
         " exceed the limit of " + std::to_string(kMaxBmpDimension));
  h.info.width = static_cast<int>(width);
  h.info.height = static_cast<int>(height);

  const int bpp = h.info.bitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    Fail("unsupported bit count " + std::to_string(bpp));

  switch (h.info.compression) {
    case kBiRgb:
      break;
    case kBiBitfields:
    case kBiAlphaBitfields:
      if (bpp != 16 && bpp != 32) Fail("bit fields need 16 or 32 bits per pixel");
      break;
    case kBiRle8:
    case kBiRle4:
      if (bpp != (h.info.compression == kBiRle8 ? 8 : 4))
        Fail("run-length compression does not match the bit count");
      if (h.info.topDown) Fail("run-length images cannot be top-down");
      if (int64_t{h.info.width} * h.info.height > kMaxRleBmpPixels)
        Fail("run-length image too large");
      break;
    case kBiJpeg:
    case kBiPng:
      Fail("embedded JPEG or PNG images are not supported");
    default:
      Fail("unknown compression " + std::to_string(h.info.compression));
  }

  if (h.info.compression == kBiBitfields || h.info.compression == kBiAlphaBitfields) {
    h.hasMasks = true;
    const int count = h.info.compression == kBiAlphaBitfields ? 4 : 3;
    if (size == 40) {
      // The masks follow a plain info header.
      if (!in.Has(h.afterHeader, count * 4u)) Fail("colour masks truncated");
      for (int i = 0; i < count; ++i) h.masks[i] = in.U32(h.afterHeader + 4 * i);
      h.afterHeader += count * 4u;
    } else {
      for (int i = 0; i < 3; ++i) h.masks[i] = in.U32(at + 40 + 4 * i);
      if (size >= 56) h.masks[3] = in.U32(at + 52);
    }
  }
  return h;
}

Masks ResolveMasks(const Header& h) {
  const int bpp = h.info.bitsPerPixel;
  std::array<uint32_t, 4> m = h.masks;
  if (!h.hasMasks) {
    if (bpp == 16)
      m = {0x7C00, 0x03E0, 0x001F, 0};
    else
      m = {0xFF0000, 0x00FF00, 0x0000FF, 0};
  }
  if (bpp == 16)
    for (uint32_t v : m)
      if (v > 0xFFFF) Fail("colour mask wider than the pixel");
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j)
      if (m[i] & m[j]) Fail("colour masks overlap");
  return {Channel::From(m[0], "red"), Channel::From(m[1], "green"), Channel::From(m[2], "blue"),
          Channel::From(m[3], "alpha")};
}

std::vector<Colour> ReadPalette(const Bytes& in, const Header& h,
                                std::optional<size_t> pixelOffset) {
  const int bpp = h.info.bitsPerPixel;
  if (bpp > 8) return {};
  const uint32_t maxEntries = 1u << bpp;
  uint32_t declared = maxEntries;
  if (!h.core && h.clrUsed != 0) {
    if (h.clrUsed > maxEntries)
      Fail("palette of " + std::to_string(h.clrUsed) + " entries is larger than " +
           std::to_string(maxEntries) + " allowed");
    declared = h.clrUsed;
  }
  const size_t entrySize = h.core ? 3 : 4;
  // In a file only entries that lie before the pixels are palette entries (some writers store
  // fewer than they declare); a packed bitmap's pixels start after the declared palette, so all of
  // it must be there.
  const size_t limit = pixelOffset ? std::min(in.size(), *pixelOffset) : in.size();
  const size_t room = limit > h.afterHeader ? (limit - h.afterHeader) / entrySize : 0;
  if (!pixelOffset && room < declared) Fail("palette truncated");
  const size_t count = std::min<size_t>(declared, room);
  if (count == 0) Fail("palette missing");
  std::vector<Colour> palette(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = in.at(h.afterHeader + i * entrySize);
    palette[i] = MakeColour(p[2], p[1], p[0]);
  }
  return palette;
}

void PutIndex(PixelBuffer& out, int x, int y, const std::vector<Colour>& palette, unsigned index) {
  // An index past the palette paints black rather than reading past it.
  out.Set(x, y, index < palette.size() ? palette[index] : 0);
}

// The palette as 256 byte triples in pixel order; indexes past the real palette read black instead
// of reading past it.
using PaletteTable = std::array<std::array<uint8_t, 3>, 256>;
PaletteTable MakeTable(const std::vector<Colour>& palette) {
  PaletteTable t{};
  for (size_t i = 0; i < palette.size() && i < t.size(); ++i)
    t[i] = {static_cast<uint8_t>(BlueOf(palette[i])), static_cast<uint8_t>(GreenOf(palette[i])),
            static_cast<uint8_t>(RedOf(palette[i]))};
  return t;
}

uint64_t RowStride(const BmpInfo& info) {
  return ((uint64_t{static_cast<uint32_t>(info.width)} * info.bitsPerPixel + 31) / 32) * 4;
}

// Whatever a header claims, the input must hold the pixels it describes before the canvas is
// allocated: a few bytes claiming 16384 x 16384 pixels must not cost a gigabyte.
void CheckPixelData(const Bytes& in, const Header& h, size_t pixelOffset) {
  const uint64_t present = pixelOffset < in.size() ? in.size() - pixelOffset : 0;
  if (h.info.compression != kBiRle8 && h.info.compression != kBiRle4) {
    const uint64_t need = RowStride(h.info) * static_cast<uint64_t>(h.info.height);
    if (pixelOffset > in.size() || need > present)
      Fail("pixel data truncated: " + std::to_string(need) + " bytes needed, " +
           std::to_string(present) + " present");
    return;
  }
  if (present == 0) Fail("pixel data missing");
  // A run-length stream sets at most 255 pixels per two bytes; a canvas far larger than that
  // would be almost all untouched black, which no encoder writes. Small canvases are always
  // accepted, so a nearly blank icon still reads.
  const uint64_t stream = h.sizeImage != 0 ? std::min<uint64_t>(h.sizeImage, present) : present;
  const uint64_t canvas =
      uint64_t{static_cast<uint32_t>(h.info.width)} * static_cast<uint32_t>(h.info.height);
  if (canvas > std::max<uint64_t>(kRleFreeCanvasPixels, stream / 2 * 255))
    Fail("run-length data of " + std::to_string(stream) + " bytes cannot fill " +
         std::to_string(h.info.width) + " x " + std::to_string(h.info.height) + " pixels");
}

void DecodeRows(const Bytes& in, const Header& h, size_t pixelOffset,
                const std::vector<Colour>& palette, PixelBuffer& out) {
  const BmpInfo& info = h.info;
  const int bpp = info.bitsPerPixel;
  const int w = info.width;
  const uint64_t stride = RowStride(info);
  const Masks masks = bpp == 16 || bpp == 32 ? ResolveMasks(h) : Masks{};
  // 32-bit rows already laid out as ours (blue, green, red, alpha) are copied whole.
  const bool straight32 =
      bpp == 32 &&
      (!h.hasMasks || h.masks == std::array<uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, 0xFF000000});
  const PaletteTable table = bpp <= 8 ? MakeTable(palette) : PaletteTable{};

  for (int r = 0; r < info.height; ++r) {
    const int y = info.topDown ? r : info.height - 1 - r;
    const uint8_t* row = in.at(pixelOffset + static_cast<size_t>(r * stride));
    uint8_t* dst = out.Row(y);
    switch (bpp) {
      case 1:
        for (int x = 0; x < w; ++x)
          std::memcpy(dst + x * 3, table[(row[x >> 3] >> (7 - (x & 7))) & 1].data(), 3);
        break;
      case 4:
        for (int x = 0; x < w; ++x)
          std::memcpy(dst + x * 3, table[(row[x >> 1] >> (x & 1 ? 0 : 4)) & 0xF].data(), 3);
        break;
      case 8:
        for (int x = 0; x < w; ++x) std::memcpy(dst + x * 3, table[row[x]].data(), 3);
        break;
      case 24:
        std::memcpy(dst, row, static_cast<size_t>(w) * 3);
        break;
      default:
        if (straight32) {
          std::memcpy(dst, row, static_cast<size_t>(w) * 4);
          break;
        }
        for (int x = 0; x < w; ++x) {
          uint32_t v;
          if (bpp == 16) {
            v = static_cast<uint32_t>(row[x * 2] | row[x * 2 + 1] << 8);
          } else {
            const uint8_t* p = row + x * 4;
            v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
          }
          uint8_t* d = dst + static_cast<size_t>(x) * (bpp / 8 == 4 ? 4 : 3);
          d[0] = masks.blue.Get(v);
          d[1] = masks.green.Get(v);
          d[2] = masks.red.Get(v);
          if (bpp == 32) d[3] = masks.alpha.Get(v);
        }
    }
  }
}

// BI_RLE8 / BI_RLE4. Runs, escapes and deltas are followed as far as the input and the canvas go;
// whatever they leave untouched stays black, and an image cut short keeps what was decoded.
void DecodeRle(const Bytes& in, const Header& h, size_t pixelOffset,
               const std::vector<Colour>& palette, PixelBuffer& out) {
  size_t end = in.size();
  if (h.sizeImage != 0 && h.sizeImage < end - pixelOffset) end = pixelOffset + h.sizeImage;
  const bool rle8 = h.info.compression == kBiRle8;
  const int w = h.info.width;
  int x = 0, row = 0;  // row counts from the bottom
  auto put = [&](unsigned index) {
    if (x < w) PutIndex(out, x, h.info.height - 1 - row, palette, index);
    if (x <= w) ++x;
  };
  size_t pos = pixelOffset;
  while (pos + 2 <= end && row < h.info.height) {
    const unsigned n = *in.at(pos), c = *in.at(pos + 1);
    pos += 2;
    if (n > 0) {
      for (unsigned i = 0; i < n; ++i) put(rle8 ? c : (i & 1 ? c & 0xF : c >> 4));
    } else if (c == 0) {
      x = 0;
      ++row;
    } else if (c == 1) {
      return;
    } else if (c == 2) {
      if (pos + 2 > end) return;
      x = std::min(x + *in.at(pos), w);
      row += *in.at(pos + 1);
      pos += 2;
    } else {
      const size_t bytes = rle8 ? c : (c + 1) / 2;
      if (bytes > end - pos) return;
      for (unsigned i = 0; i < c; ++i) {
        const uint8_t b = *in.at(pos + (rle8 ? i : i / 2));
        put(rle8 ? b : (i & 1 ? b & 0xF : b >> 4));
      }
      pos += (bytes + 1) & ~size_t{1};
    }
  }
}

// Decodes the info header at `headerAt`; `pixelOffset` is the file header's data offset, or
// nothing for a packed bitmap whose pixels follow its palette.
BmpImage Decode(const Bytes& in, size_t headerAt, std::optional<size_t> pixelOffset) {
  Header h = ReadHeader(in, headerAt);
  if (pixelOffset && *pixelOffset < h.afterHeader)
    Fail("pixel data offset " + std::to_string(*pixelOffset) + " lies inside the headers");
  std::vector<Colour> palette = ReadPalette(in, h, pixelOffset);
  h.info.paletteEntries = static_cast<int>(palette.size());
  const size_t pixels = pixelOffset.value_or(h.afterHeader + palette.size() * (h.core ? 3 : 4));

  CheckPixelData(in, h, pixels);

  const bool is32 = h.info.bitsPerPixel == 32;
  BmpImage image;
  image.pixels = PixelBuffer(h.info.width, h.info.height, is32 ? 32 : 24);
  if (h.info.compression == kBiRle8 || h.info.compression == kBiRle4)
    DecodeRle(in, h, pixels, palette, image.pixels);
  else
    DecodeRows(in, h, pixels, palette, image.pixels);
  h.info.hasAlpha = is32 && h.hasMasks && h.masks[3] != 0;
  image.info = h.info;
  return image;
}

}  // namespace

BmpImage DecodeBmp(const uint8_t* data, size_t size) {
  const Bytes in(data, size);
  if (size < kFileHeaderSize) Fail("file too short for a BMP header");
  if (data[0] != 'B' || data[1] != 'M') Fail("not a BMP file (no \"BM\" signature)");
  return Decode(in, kFileHeaderSize, in.U32(10));
}

BmpImage DecodeDib(const uint8_t* data, size_t size) {
  return Decode(Bytes(data, size), 0, std::nullopt);
}

bool TryDecodeBmp(const uint8_t* data, size_t size, BmpImage& out, std::string* error) {
  try {
    out = DecodeBmp(data, size);
    return true;
  } catch (const BmpError& e) {
    if (error) *error = e.what();
  } catch (const std::bad_alloc&) {
    if (error) *error = "BMP: out of memory";
  }
  return false;
}

}  // namespace skin
