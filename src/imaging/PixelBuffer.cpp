#include "imaging/PixelBuffer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace skin {

PixelBuffer::PixelBuffer(int width, int height, int bitsPerPixel, Colour fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), bpp_(bitsPerPixel) {
  if (bpp_ != 24 && bpp_ != 32) throw std::invalid_argument("PixelBuffer: 24 or 32 bits only");
  stride_ = (static_cast<size_t>(width_) * bpp_ / 8 + 3) & ~size_t{3};
  data_.assign(stride_ * height_, 0);
  if (fill) Fill(fill);
}

Colour PixelBuffer::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  const uint8_t* p = Row(y) + static_cast<size_t>(x) * bytesPerPixel();
  return MakeColour(p[2], p[1], p[0]);
}

void PixelBuffer::Set(int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = Row(y) + static_cast<size_t>(x) * bytesPerPixel();
  p[0] = static_cast<uint8_t>(BlueOf(c));
  p[1] = static_cast<uint8_t>(GreenOf(c));
  p[2] = static_cast<uint8_t>(RedOf(c));
}

uint8_t PixelBuffer::Alpha(int x, int y) const {
  if (bpp_ != 32 || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Row(y)[static_cast<size_t>(x) * 4 + 3];
}

void PixelBuffer::SetAlpha(int x, int y, uint8_t a) {
  if (bpp_ != 32 || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Row(y)[static_cast<size_t>(x) * 4 + 3] = a;
}

void PixelBuffer::Fill(Colour c) { FillRect(0, 0, width_, height_, c); }

void PixelBuffer::FillRect(int left, int top, int right, int bottom, Colour c) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return;
  const int bpp = bytesPerPixel();
  const uint8_t b = static_cast<uint8_t>(BlueOf(c)), g = static_cast<uint8_t>(GreenOf(c)),
                r = static_cast<uint8_t>(RedOf(c));
  const size_t start = static_cast<size_t>(left) * bpp,
               span = static_cast<size_t>(right - left) * bpp;
  const uint8_t* first = Row(top) + start;
  for (int y = top; y < bottom; ++y) {
    uint8_t* row = Row(y) + start;
    if (y > top && bpp == 3) {  // a copy of the first row (32-bit rows keep their own alpha)
      std::memcpy(row, first, span);
      continue;
    }
    for (uint8_t* p = row; p < row + span; p += bpp) {
      p[0] = b;
      p[1] = g;
      p[2] = r;
    }
  }
}

bool PixelBuffer::operator==(const PixelBuffer& o) const {
  if (width_ != o.width_ || height_ != o.height_) return false;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (Get(x, y) != o.Get(x, y)) return false;
  return true;
}

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
}  // namespace

namespace {
// BITMAPFILEHEADER + BITMAPINFOHEADER of a bottom-up BI_RGB image with `colours` palette entries.
void PutHeaders(std::vector<uint8_t>& out, const PixelBuffer& image, int bits, uint32_t colours,
                uint32_t pixelBytes) {
  const uint32_t headers = 14 + 40 + 4 * colours;
  out.push_back('B');
  out.push_back('M');
  Put32(out, headers + pixelBytes);
  Put32(out, 0);
  Put32(out, headers);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.width()));
  Put32(out, static_cast<uint32_t>(image.height()));  // positive: bottom-up
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, pixelBytes);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, colours);
  Put32(out, colours);
}
}  // namespace

std::vector<uint8_t> EncodeBmp(const PixelBuffer& image) {
  const uint32_t pixels = static_cast<uint32_t>(image.stride() * image.height());
  std::vector<uint8_t> out;
  out.reserve(54 + pixels);
  PutHeaders(out, image, image.bitsPerPixel(), 0, pixels);
  for (int y = image.height() - 1; y >= 0; --y)
    out.insert(out.end(), image.Row(y), image.Row(y) + image.stride());
  return out;
}

std::vector<uint8_t> EncodeMonochromeBmp(const PixelBuffer& image, Colour ink) {
  const uint32_t stride = ((static_cast<uint32_t>(image.width()) + 31) / 32) * 4;
  const uint32_t pixels = stride * static_cast<uint32_t>(image.height());
  std::vector<uint8_t> out;
  PutHeaders(out, image, 1, 2, pixels);
  Put32(out, 0x00000000);  // index 0: black
  Put32(out, 0x00FFFFFF);  // index 1: white
  for (int y = image.height() - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < image.width(); ++x)
      if (image.Get(x, y) != ink) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace skin
