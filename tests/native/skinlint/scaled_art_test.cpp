// Larger art beside an image ("frametop@2x.bmp"): its name, and the lint's word on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinLint.h"
#include "SkinPack.h"
#include "TestSkin.h"
#include "imaging/ImageScale.h"
#include "skin/data/ScaledArt.h"

namespace {

using testskin::TestSkin;

TEST(ScaledArt, NamesFollowTheImagesName) {
  EXPECT_EQ(skin::ScaledArtName("frametop.bmp", 2), "frametop@2x.bmp");
  EXPECT_EQ(skin::ScaledArtName("frametop.bmp", 1), "");
  EXPECT_EQ(skin::ScaledArtName("frametop.png", 2), "");
  const auto parsed = skin::ParseScaledArtName("button.close@3x.bmp");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->base, "button.close.bmp");
  EXPECT_EQ(parsed->factor, 3);
  for (const char* other : {"frametop.bmp", "a@x.bmp", "@2x.bmp", "a@1x.bmp", "a@2x.BMP", "a@2.bmp",
                            "a@2y.bmp", "a@99999999999x.bmp"})
    EXPECT_FALSE(skin::ParseScaledArtName(other)) << other;
}

std::vector<std::string> LintWith(const std::string& name, const skin::PixelBuffer& image) {
  std::vector<skinpack::PackageEntry> entries = TestSkin().Entries();
  entries.insert(entries.end() - 1, {name, skin::EncodeBmp(image)});  // the definition stays last
  const auto stream = skinpack::EncodeSkinStream(skinpack::BuildPackage(entries, 70000));
  std::vector<std::string> out;
  for (const auto& f : skinpack::LintSkinStream(stream, "t.skn")) out.push_back(f.Format());
  return out;
}

TEST(ScaledArt, TheLintTakesExactlyDoubleArtAndNamesAnyOther) {
  const TestSkin skin;
  const skin::PixelBuffer top = skin.Image("Top");
  ASSERT_EQ(skin.ImageDef("Top").entry, "frametop.bmp");
  EXPECT_EQ(LintWith("frametop@2x.bmp", skin::ScaleImage(top, skin::Scale{2, 1}, 2, true)),
            std::vector<std::string>{});
  const skin::PixelBuffer wrong(top.width() * 2, top.height() * 2 - 1);
  EXPECT_EQ(LintWith("frametop@2x.bmp", wrong),
            std::vector<std::string>{"t.skn:frametop@2x.bmp: is " + std::to_string(wrong.width()) +
                                     "x" + std::to_string(wrong.height()) +
                                     ", not 2 times frametop.bmp (" + std::to_string(top.width()) +
                                     "x" + std::to_string(top.height()) +
                                     "): the engine ignores it and scales frametop.bmp"});
  // Larger art of an image the definition does not name is as unused as that image would be.
  EXPECT_EQ(LintWith("spare@2x.bmp", wrong),
            std::vector<std::string>{
                "t.skn:spare@2x.bmp: not named by the definition; the engine never loads it"});
}

}  // namespace
