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

}  // namespace

PixelBuffer DrawMenuGlyphStrip() {
  PixelBuffer strip(kGlyphSize * kGlyphCount, kGlyphSize, 24, kPaper);
  Restore(strip, 0 * kGlyphSize);
  Maximize(strip, 1 * kGlyphSize);
  Minimize(strip, 2 * kGlyphSize);
  Close(strip, 3 * kGlyphSize);
  return strip;
}

}  // namespace skin::art
