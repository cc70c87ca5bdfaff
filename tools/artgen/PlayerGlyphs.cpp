#include "PlayerGlyphs.h"

namespace skin::art {

namespace {

constexpr const char* kLooks[kPlayerLookCount] = {"EN", "DI", "CL"};
constexpr const char* kButtons[kPlayerGlyphCount] = {
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};

// A triangle pointing right (dir 1) or left (-1) with its base at x0, rows top..bottom.
void Triangle(PixelBuffer& g, int x0, int top, int bottom, int dir, Colour ink) {
  const int half = (bottom - top) / 2;
  for (int y = top; y <= bottom; ++y) {
    const int len = half - std::abs(y - (top + half));
    for (int i = 0; i <= len; ++i) g.Set(x0 + dir * i, y, ink);
  }
}

void Bar(PixelBuffer& g, int left, int top, int right, int bottom, Colour ink) {
  g.FillRect(left, top, right, bottom, ink);
}

}  // namespace

std::string PlayerGlyphName(int look, int button) {
  return std::string(kLooks[look]) + "_" + kButtons[button];
}

PixelBuffer DrawPlayerGlyph(int look, int button) {
  PixelBuffer g(kPlayerGlyphSize, kPlayerGlyphSize, 24, kPlayerGlyphKey);
  // Enabled: black; disabled: grey; coloured: green to go, red to record, blue for the rest.
  Colour ink = MakeColour(0, 0, 0);
  if (look == 1) ink = MakeColour(128, 128, 128);
  if (look == 2) {
    ink = MakeColour(0, 0, 160);
    if (button == 0) ink = MakeColour(0, 150, 0);
    if (button == 7) ink = MakeColour(200, 0, 0);
  }
  switch (button) {
    case 0:  // play
      Triangle(g, 5, 3, 13, 1, ink);
      break;
    case 1:  // pause
      Bar(g, 4, 3, 7, 13, ink);
      Bar(g, 9, 3, 12, 13, ink);
      break;
    case 2:  // stop
      Bar(g, 4, 4, 12, 12, ink);
      break;
    case 3:  // next: play to a bar
      Triangle(g, 3, 3, 13, 1, ink);
      Bar(g, 10, 3, 12, 14, ink);
      break;
    case 4:  // prev: a bar, then back
      Bar(g, 3, 3, 5, 14, ink);
      Triangle(g, 12, 3, 13, -1, ink);
      break;
    case 5:  // step: two small triangles forward
      Triangle(g, 3, 4, 12, 1, ink);
      Triangle(g, 8, 4, 12, 1, ink);
      break;
    case 6:  // back: two small triangles backward
      Triangle(g, 12, 4, 12, -1, ink);
      Triangle(g, 7, 4, 12, -1, ink);
      break;
    case 7:  // record: a round dot
      for (int y = 0; y < kPlayerGlyphSize; ++y)
        for (int x = 0; x < kPlayerGlyphSize; ++x)
          if ((x - 8) * (x - 8) + (y - 8) * (y - 8) <= 16) g.Set(x, y, ink);
      break;
    default:  // eject: a triangle up over a bar
      for (int y = 3; y <= 8; ++y) Bar(g, 8 - (y - 3), y, 9 + (y - 3), y + 1, ink);
      Bar(g, 3, 11, 14, 13, ink);
      break;
  }
  return g;
}

}  // namespace skin::art
