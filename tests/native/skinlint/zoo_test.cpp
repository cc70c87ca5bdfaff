// The skin zoo is test data other tests lean on: it must span what it claims and be sound, so
// that a painting fault found with it is the engine's and not the zoo's.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "SkinLint.h"
#include "SkinPack.h"
#include "ZooSkins.h"
#include "imaging/BmpDecode.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

namespace {

using testskin::ZooStyles;

TEST(SkinZoo, EverySkinLintsClean) {
  ASSERT_GE(ZooStyles().size(), 10u);
  std::set<std::string> names;
  for (const testskin::ZooStyle& style : ZooStyles()) {
    EXPECT_TRUE(names.insert(style.name).second) << style.name << " twice";
    const std::vector<uint8_t> stream = testskin::ZooSkin(style).Stream();
    std::vector<std::string> found;
    for (const auto& f : skinpack::LintSkinStream(stream, style.name)) found.push_back(f.Format());
    EXPECT_EQ(found, std::vector<std::string>{}) << style.name;
  }
}

TEST(SkinZoo, SpansTheDefinitionsOptions) {
  int minCaption = 1000, maxCaption = 0, minBorder = 1000, maxBorder = 0;
  std::set<int> alignments;
  bool left = false, right = false, mixed = false, tiled = false, stretched = false;
  bool opaque = false, transparent = false, sunk = false, noSunk = false, bar = false, noBar = false;
  for (const testskin::ZooStyle& z : ZooStyles()) {
    minCaption = std::min(minCaption, z.captionHeight), maxCaption = std::max(maxCaption, z.captionHeight);
    minBorder = std::min(minBorder, z.borderWidth), maxBorder = std::max(maxBorder, z.borderWidth);
    alignments.insert(z.textAlignment);
    left |= z.buttons == testskin::ButtonSide::kLeft, right |= z.buttons == testskin::ButtonSide::kRight;
    mixed |= z.buttons == testskin::ButtonSide::kMixed;
    tiled |= !z.stretch, stretched |= z.stretch;
    opaque |= !z.transparentBorders, transparent |= z.transparentBorders;
    sunk |= z.sunkEdge, noSunk |= !z.sunkEdge, bar |= z.menuBar, noBar |= !z.menuBar;
  }
  EXPECT_EQ(minCaption, 18);
  EXPECT_EQ(maxCaption, 60);
  EXPECT_EQ(minBorder, 0);
  EXPECT_EQ(maxBorder, 16);
  EXPECT_EQ(alignments, (std::set<int>{0, 1, 2}));
  EXPECT_TRUE(left && right && mixed && tiled && stretched && opaque && transparent);
  EXPECT_TRUE(sunk && noSunk && bar && noBar);
}

// Read back as the engine reads it: each optional element is missing from some zoo skin, and the
// caption and borders are the sizes the style asks for.
TEST(SkinZoo, ReadsBackAsItsStyleSays) {
  std::set<std::string> missingSomewhere;
  for (const testskin::ZooStyle& style : ZooStyles()) {
    const testskin::TestSkin skin = testskin::ZooSkin(style);
    skin::TSkinReader reader;
    const std::vector<uint8_t> package = skin.Package();
    ASSERT_TRUE(reader.ParsePackage(package)) << style.name;
    skin::TQuickIni ini;
    skin::TMemoryStream text;
    std::string name;
    reader.FindEntryContaining(".ini", text, name);
    ini.LoadFromStream(text);
    const skin::SkinDefinition d = skin::ReadSkinDefinition(ini, [&](const std::string& entry) {
      skin::TMemoryStream bytes;
      reader.FindEntry(entry, bytes);
      skin::BmpImage image;
      if (!skin::TryDecodeBmp(bytes.Bytes().data(), bytes.Bytes().size(), image, nullptr))
        return skin::PixelBuffer();
      return std::move(image.pixels);
    });
    EXPECT_EQ(d.Top.Bitmap.height(), style.captionHeight * style.borderFrames) << style.name;
    EXPECT_EQ(d.Left.Bitmap.width(), style.borderWidth * style.borderFrames) << style.name;  // side by side
    for (std::string_view element : skin::OptionalElementNames())
      if (!d.Find(element)) missingSomewhere.insert(std::string(element));
    if (!d.MenuBar) missingSomewhere.insert("MenuBar");
    if (!d.Progress) missingSomewhere.insert("Progress");
  }
  for (std::string_view element : skin::OptionalElementNames())
    EXPECT_TRUE(missingSomewhere.count(std::string(element))) << element;
  EXPECT_TRUE(missingSomewhere.count("MenuBar") && missingSomewhere.count("Progress"));
}

}  // namespace
