// Every file of the public BMP suite: good files decode to the same picture, questionable and bad
// ones decode or are refused, and none makes the reader crash or read past its input (ASan).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "imaging/BmpDecode.h"

namespace skin {
namespace {

namespace fs = std::filesystem;

fs::path SuiteDir() { return fs::path(TARVIMO_TESTDATA_DIR) / "bmpsuite"; }

std::vector<uint8_t> ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outcome {
  bool ok = false;
  std::string error;
  BmpImage image;
};

Outcome DecodeFile(const fs::path& p) {
  const std::vector<uint8_t> bytes = ReadFile(p);
  Outcome o;
  o.ok = TryDecodeBmp(bytes.data(), bytes.size(), o.image, &o.error);
  if (!o.ok) {
    EXPECT_EQ(o.error.rfind("BMP: ", 0), 0u) << p << ": " << o.error;
  }
  return o;
}

std::map<std::string, Outcome> DecodeFolder(const char* folder) {
  std::map<std::string, Outcome> out;
  for (const auto& e : fs::directory_iterator(SuiteDir() / folder))
    if (e.path().extension() == ".bmp") out[e.path().filename().string()] = DecodeFile(e.path());
  return out;
}

// The same picture: equal size and equal RGB everywhere.
void ExpectSamePicture(const PixelBuffer& a, const PixelBuffer& b, const std::string& what) {
  ASSERT_EQ(a.width(), b.width()) << what;
  ASSERT_EQ(a.height(), b.height()) << what;
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) differing += a.Get(x, y) != b.Get(x, y);
  EXPECT_EQ(differing, 0) << what;
}

TEST(BmpSuite, GoodFilesAllDecode) {
  const auto good = DecodeFolder("g");
  ASSERT_GE(good.size(), 20u) << "bmpsuite not found under " << SuiteDir();
  for (const auto& [name, o] : good) EXPECT_TRUE(o.ok) << name << ": " << o.error;
}

TEST(BmpSuite, GoodVariantsOfOnePictureAgree) {
  const auto good = DecodeFolder("g");
  auto image = [&](const std::string& name) -> const PixelBuffer& {
    return good.at(name).image.pixels;
  };
  // Header versions, row order, palette-size conventions and RLE give the same 8-bit picture.
  for (const char* n :
       {"pal8-0.bmp", "pal8topdown.bmp", "pal8os2.bmp", "pal8v4.bmp", "pal8v5.bmp", "pal8rle.bmp"})
    ExpectSamePicture(image("pal8.bmp"), image(n), n);
  ExpectSamePicture(image("pal4.bmp"), image("pal4rle.bmp"), "pal4rle");
  ExpectSamePicture(image("rgb24.bmp"), image("rgb24pal.bmp"), "rgb24pal");
  ExpectSamePicture(image("rgb24.bmp"), image("rgb32.bmp"), "rgb32");
  ExpectSamePicture(image("rgb24.bmp"), image("rgb32bf.bmp"), "rgb32bf");
  ExpectSamePicture(image("rgb24.bmp"), image("rgb32bfdef.bmp"), "rgb32bfdef");
  ExpectSamePicture(image("rgb16.bmp"), image("rgb16bfdef.bmp"), "rgb16bfdef");
  ExpectSamePicture(image("rgb16-565.bmp"), image("rgb16-565pal.bmp"), "rgb16-565pal");
  EXPECT_EQ(image("pal8nonsquare.bmp").height(), 32);
  EXPECT_EQ(image("pal8w126.bmp").width(), 126);
  EXPECT_EQ(image("pal8w125.bmp").width(), 125);
  EXPECT_EQ(image("pal8w124.bmp").width(), 124);
  // 8-bit and 24-bit versions differ only by palette rounding: the corners match exactly.
  EXPECT_EQ(image("pal8.bmp").Get(0, 0), image("rgb24.bmp").Get(0, 0));
  EXPECT_EQ(image("pal1.bmp").width(), 127);
  EXPECT_EQ(image("pal1.bmp").height(), 64);
}

TEST(BmpSuite, QuestionableFilesDecodeOrAreRefused) {
  const auto q = DecodeFolder("q");
  EXPECT_GE(q.size(), 30u);
  std::set<std::string> refused;
  for (const auto& [name, o] : q)
    if (!o.ok) refused.insert(name);
  // Formats a skin never uses are refused rather than guessed at.
  for (const char* n : {"rgb24jpeg.bmp", "rgb24png.bmp", "pal2.bmp", "rgba64.bmp"})
    EXPECT_TRUE(refused.count(n)) << n;
  for (const char* n : {"rgb32fakealpha.bmp", "rgba32-1.bmp", "rgb16-231.bmp", "pal8rlecut.bmp"})
    EXPECT_FALSE(refused.count(n)) << n << ": " << q.at(n).error;
}

TEST(BmpSuite, BadFilesNeverCrash) {
  const auto b = DecodeFolder("b");
  EXPECT_GE(b.size(), 15u);
  for (const char* n :
       {"badbitcount.bmp", "badplanes.bmp", "badwidth.bmp", "reallybig.bmp", "shortfile.bmp",
        "badheadersize.bmp", "rletopdown.bmp", "badpalettesize.bmp"})
    EXPECT_FALSE(b.at(n).ok) << n;
}

}  // namespace
}  // namespace skin
