// Readable text: the contrast ratio against the guidelines' published figures, and the lint's
// contrast findings for text colours planted on their own backgrounds in the flat-colour test skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinContrast.h"
#include "SkinLint.h"
#include "SkinPack.h"
#include "TestSkin.h"

namespace {

using skin::MakeColour;
using testskin::TestSkin;

std::vector<std::string> ContrastLines(const TestSkin& skin) {
  const auto stream = skinpack::EncodeSkinStream(skinpack::BuildPackage(skin.Entries(), 70000));
  std::vector<std::string> out;
  for (const auto& f : skinpack::LintSkinStream(stream, "t.skn"))
    if (f.what.find("contrast") != std::string::npos) out.push_back(f.Format());
  return out;
}

std::string Triple(skin::Colour c) {
  return std::to_string(skin::RedOf(c)) + " " + std::to_string(skin::GreenOf(c)) + " " +
         std::to_string(skin::BlueOf(c));
}

TEST(Contrast, RatiosAsTheGuidelinesPublishThem) {
  const skin::Colour white = MakeColour(255, 255, 255), black = 0;
  EXPECT_DOUBLE_EQ(skinpack::ContrastRatio(black, white), 21.0);
  EXPECT_DOUBLE_EQ(skinpack::ContrastRatio(white, black), 21.0);
  EXPECT_DOUBLE_EQ(skinpack::ContrastRatio(MakeColour(9, 80, 200), MakeColour(9, 80, 200)), 1.0);
  // #767676 is the lightest grey that reaches 4.5:1 on white; #949494 just reaches 3:1.
  EXPECT_NEAR(skinpack::ContrastRatio(MakeColour(0x76, 0x76, 0x76), white), 4.54, 0.01);
  EXPECT_NEAR(skinpack::ContrastRatio(MakeColour(0x94, 0x94, 0x94), white), 3.03, 0.01);
  EXPECT_NEAR(skinpack::ContrastRatio(MakeColour(255, 0, 0), white), 4.0, 0.01);
}

TEST(Contrast, AFewOddPixelsDoNotDecideButAnAreaDoes) {
  // White text on a dark face with a light highlight line: still readable.
  skin::PixelBuffer face(20, 20, 24, MakeColour(20, 20, 20));
  for (int x = 0; x < 20; ++x) face.Set(x, 0, MakeColour(250, 250, 250));
  const skin::Colour white = MakeColour(255, 255, 255);
  EXPECT_GT(skinpack::TextContrastOn(white, face, {0, 0, 20, 20}), 2 * skinpack::kMinimumContrast);
  // A light gradient over half the face is an area the text cannot be read on.
  for (int y = 10; y < 20; ++y)
    for (int x = 0; x < 20; ++x) face.Set(x, y, MakeColour(240, 240, 240));
  skin::Colour around = 0;
  EXPECT_LT(skinpack::TextContrastOn(white, face, {0, 0, 20, 20}, &around),
            skinpack::kMinimumContrast);
  EXPECT_EQ(around, MakeColour(240, 240, 240));
  // Transparent magenta is no background; an area with nothing else has no ratio.
  skin::PixelBuffer keyed(4, 4, 24, skin::kMagenta);
  EXPECT_EQ(skinpack::TextContrastOn(white, keyed, {0, 0, 4, 4}), 0.0);
}

TEST(Contrast, TextPlantedOnItsOwnBackgroundIsFoundAndNamed) {
  TestSkin caption;
  const skin::Colour top = caption.FrameColour("Top", 0);
  caption.SetIni("Colours", "TitleTextActive", Triple(top));
  const auto lines = ContrastLines(caption);
  ASSERT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
  EXPECT_NE(lines[0].find("[Colours] TitleTextActive: contrast 1.0:1 of caption text (active) "),
            std::string::npos)
      << lines[0];
  EXPECT_NE(lines[0].find("on the caption image (frame 1)"), std::string::npos) << lines[0];

  TestSkin button;
  const skin::Colour pressed = button.FrameColour("Buttons", 1);
  button.SetIni("Buttons", "PressedColour2", Triple(pressed));
  const auto buttonLines = ContrastLines(button);
  ASSERT_EQ(buttonLines.size(), 1u) << ::testing::PrintToString(buttonLines);
  EXPECT_NE(buttonLines[0].find("[Buttons] PressedColour2: contrast 1.0:1 of button text (pressed)"),
            std::string::npos)
      << buttonLines[0];

  TestSkin header;
  header.SetIni("Colours", "WindowText", Triple(header.FrameColour("Headerbar", 1)));
  const auto headerLines = ContrastLines(header);  // both faces are dark
  ASSERT_EQ(headerLines.size(), 2u) << ::testing::PrintToString(headerLines);
  EXPECT_NE(headerLines[0].find("[Colours] WindowText: contrast 1.0:1 of header text (normal)"),
            std::string::npos)
      << headerLines[0];
  EXPECT_NE(headerLines[1].find("of header text (hot)"), std::string::npos) << headerLines[1];

  TestSkin menu;
  menu.Omit("MenuBackground");
  menu.SetIni("Colours", "Menu", "200 200 200").SetIni("Colours", "MenuText", "230 230 230");
  const auto menuLines = ContrastLines(menu);
  ASSERT_EQ(menuLines.size(), 1u) << ::testing::PrintToString(menuLines);
  EXPECT_NE(menuLines[0].find("of menu text 230,230,230 on [Colours] Menu 200,200,200: below 3.0:1"),
            std::string::npos)
      << menuLines[0];
}

TEST(Contrast, ColoursLeftToTheSystemAreNotJudged) {
  TestSkin skin;
  skin.Omit("MenuBackground");
  skin.SetIni("Colours", "Menu", "200 200 200").RemoveIni("Colours", "MenuText");
  EXPECT_TRUE(ContrastLines(skin).empty());
}

}  // namespace
