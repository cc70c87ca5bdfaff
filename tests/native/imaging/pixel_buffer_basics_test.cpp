#include <gtest/gtest.h>

#include "imaging/PixelBuffer.h"

using skin::PixelBuffer;

TEST(PixelBuffer, RowsArePaddedAndColoursKeepRedInTheLowByte) {
  PixelBuffer img(3, 2, 24);
  EXPECT_EQ(img.stride(), 12u);  // 9 bytes padded to 12
  img.Set(2, 1, skin::MakeColour(1, 2, 3));
  EXPECT_EQ(img.Get(2, 1), 0x030201);
  EXPECT_EQ(img.Row(1)[6], 3);  // blue first in memory
  EXPECT_EQ(img.Get(3, 0), -1);
  img.Set(-1, 0, 0);  // outside: ignored
}

TEST(PixelBuffer, EncodedBmpIsBottomUpWithConsistentHeader) {
  PixelBuffer img(2, 2, 32);
  img.Set(0, 0, skin::kMagenta);
  const auto bmp = skin::EncodeBmp(img);
  ASSERT_EQ(bmp.size(), 54u + 16u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[28], 32);  // bit count
  // Top-left pixel is written last (bottom-up): its row starts at offset 54 + 8.
  EXPECT_EQ(bmp[62], 0xFF);
  EXPECT_EQ(bmp[63], 0x00);
  EXPECT_EQ(bmp[64], 0xFF);
}
