// Shared helpers of the imaging tests under Wine: moving pixels between DIBs and PixelBuffers.
#pragma once

#include <windows.h>

#include <string>

#include "skin/data/ImgUtilGdi.h"
#include "imaging/PixelBuffer.h"
#include "support/WinTestSupport.h"

namespace imagingtest {

// The DIB's pixels as a 24-bit buffer.
inline skin::PixelBuffer Capture(const wintest::Dib32& dib) {
  skin::PixelBuffer out(dib.width(), dib.height(), 24);
  for (int y = 0; y < dib.height(); ++y)
    for (int x = 0; x < dib.width(); ++x) out.Set(x, y, static_cast<skin::Colour>(dib.Pixel(x, y)));
  return out;
}

// Where two equally sized buffers differ first, or "" when they are equal.
inline std::string FirstDifference(const skin::PixelBuffer& got, const skin::PixelBuffer& want) {
  if (got.width() != want.width() || got.height() != want.height()) return "sizes differ";
  for (int y = 0; y < got.height(); ++y)
    for (int x = 0; x < got.width(); ++x)
      if (got.Get(x, y) != want.Get(x, y)) {
        char buf[96];
        snprintf(buf, sizeof buf, "(%d,%d): got %06X, want %06X", x, y,
                 static_cast<unsigned>(got.Get(x, y)), static_cast<unsigned>(want.Get(x, y)));
        return buf;
      }
  return "";
}

}  // namespace imagingtest
