#include <gtest/gtest.h>

#include "imaging/PixelBuffer.h"

namespace skin {
namespace {

// Every pixel of a buffer as a string of 'x' (the fill colour) and '.' (the background), row by
// row, so a failure shows the shape that was filled.
std::string Shape(const PixelBuffer& b, Colour fill) {
  std::string shape;
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) shape += b.Get(x, y) == fill ? 'x' : '.';
    shape += '\n';
  }
  return shape;
}

// A rectangle is clipped to the buffer, written in both depths with the colour's bytes in their
// places, and leaves a 32-bit buffer's alpha alone.
TEST(PixelBufferFill, ClipsToTheBufferAndKeepsAlpha) {
  for (int bits : {24, 32}) {
    PixelBuffer b(5, 4, bits, MakeColour(1, 2, 3));
    for (int y = 0; y < 4 && bits == 32; ++y)
      for (int x = 0; x < 5; ++x) b.SetAlpha(x, y, static_cast<uint8_t>(x * 10 + y));
    const Colour c = MakeColour(0xA0, 0xB0, 0xC0);
    b.FillRect(3, -2, 9, 2, c);
    b.FillRect(-4, 3, 1, 99, c);
    b.FillRect(2, 2, 2, 4, c);  // empty
    b.FillRect(4, 3, 1, 4, c);  // inside out
    EXPECT_EQ(Shape(b, c), "...xx\n...xx\n.....\nx....\n") << bits << " bits";
    EXPECT_EQ(b.Get(0, 0), MakeColour(1, 2, 3));
    if (bits != 32) continue;
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 5; ++x) EXPECT_EQ(b.Alpha(x, y), x * 10 + y) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace skin
