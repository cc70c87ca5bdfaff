// An in-memory bitmap of 24- or 32-bit BGR pixels, top-down rows. The portable image routines, the
// BMP reader and writer, the skin tools and the test-skin builder all work on it. No Win32 here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin {

// Colours are 32-bit values with red in the low byte (0x00BBGGRR), as the skin's colour table has
// them. Pure magenta marks transparent pixels in every skin image.
using Colour = int32_t;
constexpr Colour kMagenta = 0xFF00FF;
constexpr Colour MakeColour(int r, int g, int b) { return (b << 16) | (g << 8) | r; }
constexpr int RedOf(Colour c) { return c & 0xFF; }
constexpr int GreenOf(Colour c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(Colour c) { return (c >> 16) & 0xFF; }

class PixelBuffer {
 public:
  PixelBuffer() = default;
  // A buffer of the given size filled with `fill`. bitsPerPixel is 24 or 32; rows are padded to
  // four bytes, as device-independent bitmaps are.
  PixelBuffer(int width, int height, int bitsPerPixel = 24, Colour fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  int bitsPerPixel() const { return bpp_; }
  int bytesPerPixel() const { return bpp_ / 8; }
  size_t stride() const { return stride_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  uint8_t* Row(int y) { return data_.data() + static_cast<size_t>(y) * stride_; }
  const uint8_t* Row(int y) const { return data_.data() + static_cast<size_t>(y) * stride_; }
  uint8_t* data() { return data_.data(); }
  const uint8_t* data() const { return data_.data(); }
  size_t sizeBytes() const { return data_.size(); }

  // Unchecked in release builds beyond the bounds test: outside the buffer Get answers -1 and Set
  // does nothing.
  Colour Get(int x, int y) const;
  void Set(int x, int y, Colour c);
  // Alpha byte of a 32-bit buffer (0 for 24-bit).
  uint8_t Alpha(int x, int y) const;
  void SetAlpha(int x, int y, uint8_t a);

  void Fill(Colour c);
  void FillRect(int left, int top, int right, int bottom, Colour c);

  bool operator==(const PixelBuffer& o) const;

 private:
  int width_ = 0, height_ = 0, bpp_ = 24;
  size_t stride_ = 0;
  std::vector<uint8_t> data_;
};

// A Windows BMP file (BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB, bottom-up) of the buffer at its
// own depth. Used by the tools and tests that make skins.
std::vector<uint8_t> EncodeBmp(const PixelBuffer& image);
// A 1-bit BMP (palette: black, white) of the image: pixels equal to `ink` are black, all others
// white.
std::vector<uint8_t> EncodeMonochromeBmp(const PixelBuffer& image, Colour ink = 0);

}  // namespace skin
