// Every number of a definition has a range: the reader takes lengths and frame counts inside it
// (whatever a hostile skin writes, no painter's sum overflows), colour bytes keep their low 8
// bits, choices are taken as written; the lint names each value the engine does not take as it
// stands, with its key and range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinLint.h"
#include "SkinPack.h"
#include "TestSkin.h"
#include "skin/data/SkinNumbers.h"
#include "skin/data/WinSkinIni.h"

namespace {

using testskin::TestSkin;

skin::SkinDefinition Read(const TestSkin& skin) {
  skin::TQuickIni ini;
  ini.LoadFromText(skin.IniText());
  return skin::ReadSkinDefinition(ini, [&](const std::string& entry) {
    for (const auto& image : skin.ImageDefs())
      if (image.present && image.entry == entry) return skin.Image(image.id);
    return skin::PixelBuffer();
  });
}

std::vector<std::string> NumberLines(const TestSkin& skin) {
  const auto stream = skinpack::EncodeSkinStream(skinpack::BuildPackage(skin.Entries(), 70000));
  std::vector<std::string> out;
  for (const auto& f : skinpack::LintSkinStream(stream, "t.skn"))
    if (f.what.find("out of range") != std::string::npos) out.push_back(f.where + ": " + f.what);
  return out;
}

TEST(SkinNumbers, TheReaderTakesEachNumberInsideItsRange) {
  TestSkin skin;
  skin.SetIni("Buttons", "LeftWidth", "99999")
      .SetIni("Progress.Chunk", "TopHeight", "-2147483648")
      .SetIni("Personality", "TopFrame", "2147483647")
      .SetIni("Personality", "TextShift", "0x7FFFFFFF")
      .SetIni("Fonts", "FontHeight", "5000")
      .SetIni("Personality", "ActiveTextR", "300")
      .SetIni("Personality", "ActiveTextG", "2")
      .SetIni("Personality", "ActiveTextB", "3")
      .SetIni("BUTTON.CLOSE", "Action", "99");
  const skin::SkinDefinition d = Read(skin);
  EXPECT_EQ(d.Buttons.LeftWidth, 16384);
  EXPECT_EQ(d.Find("Progress.Chunk")->TopHeight, -16384);
  EXPECT_EQ(d.Top.Frame, 16384);
  EXPECT_EQ(d.Title.LeftWidth, 16384);  // TextShift
  EXPECT_EQ(d.Title.FontHeight, 1000);
  EXPECT_EQ(d.Title.ActiveText, skin::MakeColour(300 & 0xFF, 2, 3));
  bool found = false;
  for (const auto& b : d.CaptionButtons) found |= b.Name == "BUTTON.CLOSE" && b.Action == 99;
  EXPECT_TRUE(found) << "a choice is taken as written";
}

TEST(SkinNumbers, TheLintNamesTheKeyTheValueAndTheRange) {
  TestSkin skin;
  skin.SetIni("Buttons", "LeftWidth", "99999")
      .SetIni("Personality", "TopFrame", "16384")  // the edge of the range: taken as written
      .SetIni("Fonts", "FontHeight", "-5000")
      .SetIni("Personality", "InActiveTextB", "256")
      .SetIni("BUTTON.CLOSE", "Align", "77");  // a choice nobody knows: not a range matter
  EXPECT_EQ(NumberLines(skin),
            (std::vector<std::string>{
                "[Personality] InActiveTextB: 256 is out of range -1..255 (a byte of the caption "
                "text colour): the engine takes 0",
                "[Fonts] FontHeight: -5000 is out of range -1000..1000 (caption font height in "
                "pixels): the engine takes -1000",
                "[Buttons] LeftWidth: 99999 is out of range -16384..16384 (left margin of the "
                "nine-slice): the engine takes 16384"}));
  EXPECT_TRUE(NumberLines(TestSkin()).empty());
}

}  // namespace
