// The program's icons and credit badges: the ICO container as Windows reads it, the badge strip's
// layout (the image list cuts it every 88 pixels), symbol counts, transparency and distinct kinds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "Artwork.h"
#include "Badges.h"
#include "Icons.h"
#include "MenuGlyphs.h"
#include "imaging/BmpDecode.h"

namespace {

using skin::PixelBuffer;

uint32_t Read16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return Read16(b, at) | Read16(b, at + 2) << 16;
}

// Groups of adjacent columns that hold any visible pixel.
int SymbolCount(const PixelBuffer& badge) {
  int groups = 0;
  bool inside = false;
  for (int x = 0; x < badge.width(); ++x) {
    bool any = false;
    for (int y = 0; y < badge.height(); ++y) any = any || badge.Alpha(x, y) > 0;
    if (any && !inside) ++groups;
    inside = any;
  }
  return groups;
}

struct Tint {
  double r = 0, g = 0, b = 0;
};

Tint MeanOpaqueColour(const PixelBuffer& image) {
  Tint t;
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.Alpha(x, y) == 255) {
        const skin::Colour c = image.Get(x, y);
        t.r += skin::RedOf(c), t.g += skin::GreenOf(c), t.b += skin::BlueOf(c), ++n;
      }
  if (n) t.r /= n, t.g /= n, t.b /= n;
  return t;
}

TEST(CreditBadges, StripHoldsTwentyBadgesOfOneToFiveSymbols) {
  const PixelBuffer strip = skin::art::DrawCreditStrip();
  ASSERT_EQ(strip.width(), 1760);
  ASSERT_EQ(strip.height(), 16);
  ASSERT_EQ(strip.bitsPerPixel(), 32);
  for (int i = 0; i < 20; ++i) {
    PixelBuffer badge = skin::art::DrawBadge(i);
    EXPECT_EQ(SymbolCount(badge), i % 5 + 1) << "badge " << i;
    // The strip is the badges side by side, so the image list's 88-pixel cut finds each.
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 88; ++x) {
        ASSERT_EQ(strip.Get(88 * i + x, y), badge.Get(x, y));
        ASSERT_EQ(strip.Alpha(88 * i + x, y), badge.Alpha(x, y));
      }
    // Transparent background: corners and everything right of the symbols.
    EXPECT_EQ(badge.Alpha(0, 0), 0);
    EXPECT_EQ(badge.Alpha(87, 15), 0);
    for (int x = 17 * (i % 5 + 1) + 2; x < 88; ++x)
      for (int y = 0; y < 16; ++y) ASSERT_EQ(badge.Alpha(x, y), 0) << i << " " << x;
  }
  EXPECT_THROW(skin::art::DrawBadge(20), std::invalid_argument);
}

TEST(CreditBadges, KindsAreTellApartByColour) {
  const Tint heart = MeanOpaqueColour(skin::art::DrawBadge(0));
  const Tint diamond = MeanOpaqueColour(skin::art::DrawBadge(5));
  const Tint crown = MeanOpaqueColour(skin::art::DrawBadge(10));
  const Tint gold = MeanOpaqueColour(skin::art::DrawBadge(15));
  EXPECT_GT(heart.r, heart.b + 60);
  EXPECT_GT(diamond.b, diamond.r + 60);
  EXPECT_GT(crown.b, crown.r + 60);
  EXPECT_GT(gold.r, gold.b + 60);
  EXPECT_GT(gold.g, gold.b + 40);
  // Diamonds and blue crowns share a hue, so their shapes must differ.
  EXPECT_FALSE(skin::art::DrawBadge(5) == skin::art::DrawBadge(10));
}

// Straight alpha: a half-covered edge pixel keeps its full colour (premultiplied data would make
// soft edges dark), and fully transparent pixels carry no colour.
TEST(CreditBadges, AlphaIsStraightNotPremultiplied) {
  const PixelBuffer heart = skin::art::DrawBadge(0);
  int softEdges = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 88; ++x) {
      const int a = heart.Alpha(x, y);
      if (a == 0) {
        ASSERT_EQ(heart.Get(x, y), 0);
      } else if (a < 128) {
        ++softEdges;
        EXPECT_GT(skin::RedOf(heart.Get(x, y)), 100) << x << "," << y;
      }
    }
  EXPECT_GT(softEdges, 0) << "symbols are anti-aliased";
}

void ExpectIcon(const std::vector<uint8_t>& ico, const std::vector<int>& sizes) {
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(Read16(ico, 0), 0u);
  EXPECT_EQ(Read16(ico, 2), 1u);
  ASSERT_EQ(Read16(ico, 4), sizes.size());
  size_t expectedOffset = 6 + 16 * sizes.size();
  for (size_t i = 0; i < sizes.size(); ++i) {
    const size_t e = 6 + 16 * i;
    const int n = sizes[i];
    SCOPED_TRACE("image " + std::to_string(n));
    EXPECT_EQ(ico[e], n);
    EXPECT_EQ(ico[e + 1], n);
    EXPECT_EQ(Read16(ico, e + 6), 32u);
    const uint32_t bytes = Read32(ico, e + 8), offset = Read32(ico, e + 12);
    EXPECT_EQ(offset, expectedOffset);
    const uint32_t maskStride = ((n + 31) / 32) * 4;
    ASSERT_EQ(bytes, 40u + n * n * 4 + maskStride * n);
    ASSERT_LE(offset + bytes, ico.size());
    EXPECT_EQ(Read32(ico, offset), 40u);
    EXPECT_EQ(Read32(ico, offset + 4), static_cast<uint32_t>(n));
    EXPECT_EQ(Read32(ico, offset + 8), static_cast<uint32_t>(2 * n));
    EXPECT_EQ(Read16(ico, offset + 14), 32u);
    // The AND mask is set exactly where the colour image is fully transparent.
    const size_t pixels = offset + 40, mask = pixels + n * n * 4;
    int drawn = 0;
    for (int row = 0; row < n; ++row)
      for (int x = 0; x < n; ++x) {
        const uint8_t alpha = ico[pixels + (row * n + x) * 4 + 3];
        const bool masked = ico[mask + row * maskStride + x / 8] & (0x80 >> (x % 8));
        ASSERT_EQ(masked, alpha == 0) << x << "," << row;
        drawn += alpha > 0;
      }
    EXPECT_GT(drawn, n * n / 3) << "the icon fills its square";
    EXPECT_EQ(ico[pixels + 3], 0) << "bottom-left corner is transparent";
    expectedOffset += bytes;
  }
  EXPECT_EQ(expectedOffset, ico.size());
}

TEST(ProgramIcons, IcoFilesCarryEverySizeWithAlphaAndMask) {
  std::vector<PixelBuffer> app, search;
  for (int n : skin::art::kAppIconSizes) app.push_back(skin::art::DrawAppIcon(n));
  for (int n : skin::art::kSearchIconSizes) search.push_back(skin::art::DrawSearchIcon(n));
  ExpectIcon(skin::art::EncodeIco(app), {48, 32, 24, 16});
  ExpectIcon(skin::art::EncodeIco(search), {24, 16});
  EXPECT_THROW(skin::art::EncodeIco({PixelBuffer(16, 8, 32)}), std::invalid_argument);
  EXPECT_THROW(skin::art::EncodeIco({PixelBuffer(16, 16, 24)}), std::invalid_argument);
}

TEST(ProgramIcons, ArtworkFilesAreWrittenAndIdenticalOnEveryRun) {
  const std::filesystem::path base =
      std::filesystem::temp_directory_path() / ("artgen_test_" + std::to_string(::getpid()));
  auto read = [](const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
  };
  for (const char* run : {"a", "b"}) {
    std::filesystem::create_directories(base / run);
    ASSERT_EQ(skin::art::WriteArtwork((base / run).string()), "");
  }
  for (const char* file : {"Tarvimo.ico", "Form2.ico", "credits.bmp", "artwork-preview.png"}) {
    const auto first = read(base / "a" / file);
    EXPECT_FALSE(first.empty()) << file;
    EXPECT_EQ(first, read(base / "b" / file)) << file;
  }
  const auto bmp = read(base / "a" / "credits.bmp");
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(Read32(bmp, 18), 1760u);
  EXPECT_EQ(Read32(bmp, 22), 16u);
  EXPECT_EQ(Read16(bmp, 28), 32u);
  std::filesystem::remove_all(base);
}

}  // namespace

// The system-menu glyph strip goes through the BMP reader as a 1-bit image and keeps its four
// glyphs apart: black ink on a white mask colour, nothing in between.
TEST(MenuGlyphs, MonochromeStripDecodesToFourDistinctGlyphs) {
  const auto bytes = skin::EncodeMonochromeBmp(skin::art::DrawMenuGlyphStrip());
  const skin::BmpImage img = skin::DecodeBmp(bytes.data(), bytes.size());
  ASSERT_EQ(img.pixels.width(), 64);
  ASSERT_EQ(img.pixels.height(), 16);
  std::set<std::vector<skin::Colour>> glyphs;
  for (int g = 0; g < 4; ++g) {
    std::vector<skin::Colour> cells;
    int ink = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const skin::Colour c = img.pixels.Get(g * 16 + x, y);
        ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << "glyph " << g << " at " << x << "," << y;
        ink += c == 0;
        cells.push_back(c);
      }
    EXPECT_GT(ink, 8) << "glyph " << g;
    EXPECT_EQ(img.pixels.Get(g * 16, 0), 0xFFFFFF) << "corner of glyph " << g << " is mask";
    glyphs.insert(cells);
  }
  EXPECT_EQ(glyphs.size(), 4u);
}
