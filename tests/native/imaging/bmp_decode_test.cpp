// The BMP reader on hand-made files of every depth and header variant, and on broken headers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "AllocationLimit.h"
#include "imaging/BmpDecode.h"

namespace skin {
namespace {

void Put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  v[at] = x & 0xFF;
  v[at + 1] = (x >> 8) & 0xFF;
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  Put16(v, at, x & 0xFFFF);
  Put16(v, at + 2, x >> 16);
}

// Lays out a BMP file: file header, info header of `headerSize` bytes, optional masks after a
// 40-byte header, palette, then the rows exactly as given.
struct BmpSpec {
  uint32_t headerSize = 40;
  int32_t width = 2, height = 2;
  uint16_t bpp = 24, planes = 1;
  uint32_t compression = 0, clrUsed = 0;
  std::vector<uint32_t> masks;    // written after a 40-byte header, or inside a larger one
  std::vector<uint32_t> palette;  // 0x00RRGGBB, written as B, G, R(, 0)
  std::vector<uint8_t> rows;      // already padded
  int64_t offsetDelta = 0;        // added to the true pixel offset

  std::vector<uint8_t> Build() const {
    const bool core = headerSize == 12;
    const size_t masksAfter = headerSize == 40 ? masks.size() * 4 : 0;
    const size_t entry = core ? 3 : 4;
    const size_t offset = 14 + headerSize + masksAfter + palette.size() * entry;
    std::vector<uint8_t> v(offset, 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 10, static_cast<uint32_t>(offset + offsetDelta));
    Put32(v, 14, headerSize);
    if (core) {
      Put16(v, 18, static_cast<uint32_t>(width));
      Put16(v, 20, static_cast<uint32_t>(height));
      Put16(v, 22, planes);
      Put16(v, 24, bpp);
    } else {
      Put32(v, 18, static_cast<uint32_t>(width));
      Put32(v, 22, static_cast<uint32_t>(height));
      Put16(v, 26, planes);
      Put16(v, 28, bpp);
      Put32(v, 30, compression);
      Put32(v, 34, static_cast<uint32_t>(rows.size()));
      Put32(v, 46, clrUsed);
      for (size_t i = 0; i < masks.size(); ++i)
        Put32(v, headerSize == 40 ? 54 + i * 4 : 54 + i * 4, masks[i]);
    }
    size_t p = 14 + headerSize + masksAfter;
    for (uint32_t c : palette) {
      v[p] = c & 0xFF;
      v[p + 1] = (c >> 8) & 0xFF;
      v[p + 2] = (c >> 16) & 0xFF;
      p += entry;
    }
    v.insert(v.end(), rows.begin(), rows.end());
    Put32(v, 2, static_cast<uint32_t>(v.size()));
    return v;
  }
};

BmpImage Decode(const std::vector<uint8_t>& file) { return DecodeBmp(file.data(), file.size()); }

std::string Error(const std::vector<uint8_t>& file) {
  BmpImage out;
  std::string err;
  EXPECT_FALSE(TryDecodeBmp(file.data(), file.size(), out, &err));
  return err;
}

TEST(BmpDecode, TwentyFourBitBottomUpAndTopDown) {
  BmpSpec s;
  // Bottom row first: (0,1)=blue (1,1)=green, then (0,0)=red (1,0)=white; 2 bytes row padding.
  s.rows = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
  BmpImage b = Decode(s.Build());
  EXPECT_EQ(b.pixels.bitsPerPixel(), 24);
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(255, 0, 0));
  EXPECT_EQ(b.pixels.Get(1, 0), 0xFFFFFF);
  EXPECT_EQ(b.pixels.Get(0, 1), MakeColour(0, 0, 255));
  EXPECT_EQ(b.pixels.Get(1, 1), MakeColour(0, 255, 0));
  s.height = -2;
  b = Decode(s.Build());
  EXPECT_TRUE(b.info.topDown);
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(0, 0, 255));
  EXPECT_EQ(b.pixels.Get(1, 1), 0xFFFFFF);
}

TEST(BmpDecode, RoundTripsTheEncoder) {
  for (int bpp : {24, 32}) {
    PixelBuffer img(5, 3, bpp);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) img.Set(x, y, MakeColour(x * 40, y * 80, 200));
    const std::vector<uint8_t> file = EncodeBmp(img);
    BmpImage b = DecodeBmp(file.data(), file.size());
    EXPECT_EQ(b.pixels, img);
    EXPECT_EQ(b.pixels.bitsPerPixel(), bpp);
  }
}

TEST(BmpDecode, PalettedDepths) {
  BmpSpec s;
  s.width = 9;
  s.height = 1;
  s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  s.bpp = 1;
  s.rows = {0b10100000, 0b10000000, 0, 0};  // x = 0, 2, 8 set
  BmpImage b = Decode(s.Build());
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(255, 0, 0));
  EXPECT_EQ(b.pixels.Get(1, 0), 0);
  EXPECT_EQ(b.pixels.Get(8, 0), MakeColour(255, 0, 0));

  s.bpp = 4;
  s.rows = {0x12, 0x30, 0, 0, 0x20, 0, 0, 0};
  b = Decode(s.Build());
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(255, 0, 0));
  EXPECT_EQ(b.pixels.Get(1, 0), MakeColour(0, 255, 0));
  EXPECT_EQ(b.pixels.Get(2, 0), MakeColour(0, 0, 255));
  EXPECT_EQ(b.pixels.Get(8, 0), MakeColour(0, 255, 0));

  s.bpp = 8;
  s.clrUsed = 4;
  s.rows = {3, 2, 1, 0, 200, 0, 0, 0, 1, 0, 0, 0};
  b = Decode(s.Build());
  EXPECT_EQ(b.info.paletteEntries, 4);
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(0, 0, 255));
  EXPECT_EQ(b.pixels.Get(4, 0), 0);  // index past the palette: black, nothing read past it
  EXPECT_EQ(b.pixels.Get(8, 0), MakeColour(255, 0, 0));
}

TEST(BmpDecode, CoreHeaderWithThreeBytePalette) {
  BmpSpec s;
  s.headerSize = 12;
  s.bpp = 8;
  s.width = 2;
  s.height = 1;
  s.palette.assign(256, 0);
  s.palette[7] = 0x123456;
  s.rows = {7, 0, 0, 0};
  BmpImage b = Decode(s.Build());
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(0x12, 0x34, 0x56));
}

TEST(BmpDecode, SixteenBitsDefaultAndBitfields) {
  BmpSpec s;
  s.bpp = 16;
  s.width = 2;
  s.height = 1;
  s.rows = {0x00, 0x7C, 0x1F, 0x00};  // 5-5-5: pure red, pure blue
  BmpImage b = Decode(s.Build());
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(255, 0, 0));
  EXPECT_EQ(b.pixels.Get(1, 0), MakeColour(0, 0, 255));

  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.rows = {0xE0, 0x07, 0x10, 0x84};  // 5-6-5: pure green; then r=16 g=32 b=16 -> 132,130,132
  b = Decode(s.Build());
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(0, 255, 0));
  EXPECT_EQ(b.pixels.Get(1, 0), MakeColour(132, 130, 132));
}

TEST(BmpDecode, ThirtyTwoBitsWithMasksInsideV5HeaderKeepAlpha) {
  BmpSpec s;
  s.headerSize = 124;
  s.bpp = 32;
  s.width = 1;
  s.height = 1;
  s.compression = 3;
  s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // R, G, B, A in byte order
  s.rows = {10, 20, 30, 40};
  BmpImage b = Decode(s.Build());
  EXPECT_EQ(b.pixels.bitsPerPixel(), 32);
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(10, 20, 30));
  EXPECT_EQ(b.pixels.Alpha(0, 0), 40);
  EXPECT_TRUE(b.info.hasAlpha);
}

TEST(BmpDecode, RunLengthEncodedEight) {
  BmpSpec s;
  s.bpp = 8;
  s.compression = 1;
  s.width = 4;
  s.height = 2;
  s.palette = {0x000000, 0xFF0000, 0x00FF00};
  // Bottom row: 3 x index 1, end of line; top row: absolute run 2,1,2 (padded), end of bitmap.
  s.rows = {3, 1, 0, 0, 0, 3, 2, 1, 2, 0, 0, 1};
  BmpImage b = Decode(s.Build());
  EXPECT_EQ(b.pixels.Get(0, 1), MakeColour(255, 0, 0));
  EXPECT_EQ(b.pixels.Get(2, 1), MakeColour(255, 0, 0));
  EXPECT_EQ(b.pixels.Get(3, 1), 0);
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(0, 255, 0));
  EXPECT_EQ(b.pixels.Get(1, 0), MakeColour(255, 0, 0));
  EXPECT_EQ(b.pixels.Get(2, 0), MakeColour(0, 255, 0));
  // Runs longer than the row are cut at its end, a cut-off stream keeps what it decoded.
  s.rows = {200, 1, 0, 3, 2};
  b = Decode(s.Build());
  EXPECT_EQ(b.pixels.Get(3, 1), MakeColour(255, 0, 0));
  EXPECT_EQ(b.pixels.Get(0, 0), 0);
}

TEST(BmpDecode, PackedDibWithoutFileHeader) {
  BmpSpec s;
  s.bpp = 8;
  s.width = 1;
  s.height = 1;
  s.clrUsed = 2;
  s.palette = {0x00FF00, 0x0000FF};
  s.rows = {1, 0, 0, 0};
  const std::vector<uint8_t> file = s.Build();
  BmpImage b = DecodeDib(file.data() + 14, file.size() - 14);
  EXPECT_EQ(b.pixels.Get(0, 0), MakeColour(0, 0, 255));
  // Without a count the palette has all 256 entries, and the pixels come after them.
  s.clrUsed = 0;
  const std::vector<uint8_t> short_ = s.Build();
  EXPECT_THROW(DecodeDib(short_.data() + 14, short_.size() - 14), BmpError);
}

TEST(BmpDecode, RejectsImpossibleHeaders) {
  const auto bad = [](auto change) {
    BmpSpec s;
    s.rows.assign(16, 0);
    change(s);
    return Error(s.Build());
  };
  EXPECT_NE(bad([](BmpSpec& s) { s.width = 0; }).find("width"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.width = -5; }).find("width"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.height = 0; }).find("height"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.height = INT32_MIN; }).find("exceed"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.width = 16385; }).find("exceed"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.width = 0x7FFFFFFF; }).find("exceed"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.planes = 2; }).find("plane"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.bpp = 2; }).find("bit count"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.bpp = 64; }).find("bit count"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.compression = 4; }).find("JPEG"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.compression = 77; }).find("compression"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.compression = 3; }).find("bit fields"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.headerSize = 64; }).find("header size"), std::string::npos);
  std::vector<uint8_t> hugeHeader = BmpSpec{}.Build();
  Put32(hugeHeader, 14, 0xFFFFFFF0);
  EXPECT_NE(Error(hugeHeader).find("header size"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.offsetDelta = 1000; }).find("truncated"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.offsetDelta = 0x7FFFFFFF; }).find("truncated"),
            std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.offsetDelta = -30; }).find("inside the headers"),
            std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) {
              s.bpp = 8;
              s.clrUsed = 257;
              s.palette.assign(257, 0);
            }).find("larger than"),
            std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) { s.bpp = 8; }).find("palette missing"), std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) {
              s.bpp = 16;
              s.compression = 3;
              s.masks = {0xF0F0, 0x0F00, 0x000F};
            }).find("contiguous"),
            std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) {
              s.bpp = 32;
              s.compression = 3;
              s.masks = {0xFF00, 0xFFFF, 0xFF};
            }).find("overlap"),
            std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) {
              s.bpp = 8;
              s.compression = 1;
              s.height = -2;
              s.palette = {0};
            }).find("top-down"),
            std::string::npos);
  EXPECT_NE(bad([](BmpSpec& s) {
              s.bpp = 8;
              s.compression = 1;
              s.width = s.height = 8192;
              s.palette = {0};
            }).find("too large"),
            std::string::npos);
}

// Headers that claim far more pixels than the input holds are refused before anything of the
// claimed size is allocated; every case here would ask for 1 GiB or more otherwise.
TEST(BmpDecode, HugeClaimsOverAFewBytesAreRefusedWithinAFewMegabytes) {
  constexpr size_t kLimit = 4 << 20;
  const auto refusal = [&](const std::vector<uint8_t>& file, bool packed) {
    const alloclimit::Scope scope(kLimit);
    std::string error;
    try {
      if (packed)
        DecodeDib(file.data() + 14, file.size() - 14);
      else
        DecodeBmp(file.data(), file.size());
    } catch (const BmpError& e) {
      error = e.what();
    } catch (const std::bad_alloc&) {
      error = "out of memory";
    }
    const alloclimit::Usage used = scope.usage();
    EXPECT_FALSE(used.refused) << "asked for " << used.largest << " bytes at once";
    EXPECT_LE(used.bytes, kLimit);
    return error;
  };
  BmpSpec s;
  s.width = s.height = 16384;
  s.bpp = 32;
  s.rows.assign(16, 0);
  const std::vector<uint8_t> file = s.Build();
  ASSERT_EQ(file.size(), 70u);
  EXPECT_NE(refusal(file, false).find("truncated"), std::string::npos);
  EXPECT_NE(refusal(file, true).find("truncated"), std::string::npos);
  s.bpp = 1;  // 32 MiB of rows claimed, 16 bytes given, 768 MiB of canvas at stake
  s.palette = {0, 0xFFFFFF};
  EXPECT_NE(refusal(s.Build(), false).find("truncated"), std::string::npos);
  // Run-length data: 2048 x 2048 (12 MiB) from a 4-byte stream.
  s.width = s.height = 2048;
  s.bpp = 8;
  s.compression = 1;
  s.rows = {0, 0, 0, 1};
  EXPECT_NE(refusal(s.Build(), false).find("cannot fill"), std::string::npos);
}

TEST(BmpDecode, RunLengthCanvasMustBeWithinReachOfItsStream) {
  // 300 x 300 written row by row (255 + 45 pixels, end of line) reads; the same canvas from a bare
  // end-of-bitmap is refused, and a small canvas needs no data at all.
  BmpSpec s;
  s.bpp = 8;
  s.compression = 1;
  s.width = s.height = 300;
  s.palette = {0, 0x00FF00};
  for (int y = 0; y < 300; ++y) s.rows.insert(s.rows.end(), {255, 1, 45, 1, 0, 0});
  s.rows.insert(s.rows.end(), {0, 1});
  const BmpImage full = Decode(s.Build());
  EXPECT_EQ(full.pixels.Get(299, 0), MakeColour(0, 255, 0));
  s.rows = {0, 1};
  EXPECT_NE(Error(s.Build()).find("cannot fill"), std::string::npos);
  s.width = s.height = 256;
  EXPECT_EQ(Decode(s.Build()).pixels.Get(255, 255), 0);
}

TEST(BmpDecode, RejectsEveryTruncationOfAValidFile) {
  BmpSpec s;
  s.bpp = 8;
  s.width = 3;
  s.height = 2;
  s.palette = {0x010203, 0x040506};
  s.rows.assign(8, 1);
  const std::vector<uint8_t> file = s.Build();
  ASSERT_NO_THROW(Decode(file));
  for (size_t n = 0; n < file.size(); ++n) {
    // A copy of exactly n bytes, so ASan sees any read past the end.
    std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(n));
    BmpImage out;
    EXPECT_FALSE(TryDecodeBmp(cut.data(), cut.size(), out)) << n;
  }
  EXPECT_NE(Error({'B', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).find("signature"),
            std::string::npos);
}

}  // namespace
}  // namespace skin
