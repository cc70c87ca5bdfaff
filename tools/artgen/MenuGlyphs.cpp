#include "MenuGlyphs.h"

namespace skin::art {

namespace {

constexpr Colour kInk = 0;
constexpr Colour kPaper = MakeColour(255, 255, 255);

// A window outline with a two-pixel title bar, as the caption glyphs draw it.
void WindowOutline(PixelBuffer& strip, int left, int top, int right, int bottom) {
  strip.FillRect(left, top, right, top + 2, kInk);
  strip.FillRect(left, bottom - 1, right, bottom, kInk);
  strip.FillRect(left, top, left + 1, bottom, kInk);
  strip.FillRect(right - 1, top, right, bottom, kInk);
}

void Restore(PixelBuffer& s, int x) {
  WindowOutline(s, x + 6, 3, x + 13, 9);      // the window behind
  s.FillRect(x + 3, 6, x + 10, 13, kPaper);   // hidden by the one in front
  WindowOutline(s, x + 3, 6, x + 10, 13);
}

void Maximize(PixelBuffer& s, int x) { WindowOutline(s, x + 3, 3, x + 13, 13); }

void Minimize(PixelBuffer& s, int x) { s.FillRect(x + 4, 10, x + 11, 12, kInk); }

void Close(PixelBuffer& s, int x) {
  for (int i = 0; i < 8; ++i) {
    // Two-pixel-wide diagonals from (4,4) to (11,11) and from (11,4) to (4,11).
    s.FillRect(x + 4 + i, 4 + i, x + 6 + i, 5 + i, kInk);
    s.FillRect(x + 10 - i, 4 + i, x + 12 - i, 5 + i, kInk);
  }
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

PixelBuffer DrawMenuGlyphStrip() {
  PixelBuffer strip(kGlyphSize * kGlyphCount, kGlyphSize, 24, kPaper);
  Restore(strip, 0 * kGlyphSize);
  Maximize(strip, 1 * kGlyphSize);
  Minimize(strip, 2 * kGlyphSize);
  Close(strip, 3 * kGlyphSize);
  return strip;
}

std::vector<uint8_t> EncodeMonochromeBmp(const PixelBuffer& image) {
  const uint32_t stride = ((static_cast<uint32_t>(image.width()) + 31) / 32) * 4;
  const uint32_t headers = 14 + 40 + 8;
  const uint32_t pixels = stride * static_cast<uint32_t>(image.height());
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, headers + pixels);
  Put32(out, 0);
  Put32(out, headers);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.width()));
  Put32(out, static_cast<uint32_t>(image.height()));
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, 0);
  Put32(out, pixels);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 2);
  Put32(out, 2);
  Put32(out, 0x00000000);  // palette: index 0 black
  Put32(out, 0x00FFFFFF);  //          index 1 white
  for (int y = image.height() - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < image.width(); ++x)
      if (image.Get(x, y) != kInk) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace skin::art
