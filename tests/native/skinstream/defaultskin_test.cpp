// The shipped definition read back through the definition reader, and, where the skin generator
// is built, the whole default skin packed, decoded and read as the program will.
#include <gtest/gtest.h>

#include "SkinPack.h"
#include "StreamTestSupport.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"
#if __has_include("DefaultSkin.h")
#include "DefaultSkin.h"
#define HAVE_SKINGEN 1
#endif

using skin::MakeColour;

namespace {

void ExpectShippedValues(const skin::SkinDefinition& d) {
  EXPECT_EQ(d.Colours[skin::ciButtonFace].colour, MakeColour(227, 238, 253));
  EXPECT_TRUE(d.Colours[skin::ciButtonFace].given);
  EXPECT_EQ(d.Buttons.CheckButtonFrame, 12);
  EXPECT_EQ(d.Buttons.RadioButtonFrame, 8);
  EXPECT_EQ(d.Find("SunkEdge"), nullptr);
  EXPECT_NE(d.Find("ComboButton"), nullptr);
  EXPECT_NE(d.Find("Track"), nullptr);
  EXPECT_NE(d.Find("TRACKVERT"), nullptr);
  EXPECT_NE(d.Find("Scrollbar"), nullptr);
  EXPECT_EQ(d.Top.Frame, 2);

  // Five caption buttons as the frame painter expects them, then the three MDI buttons.
  struct Expected {
    int action, align, x, y, visibility;
  };
  const Expected expected[] = {
      {0, 1, 25, 5, 0}, {1, 1, 49, 5, 2}, {2, 1, 73, 5, 8}, {1, 1, 49, 5, 1}, {3, 0, 8, 7, 0}};
  ASSERT_EQ(d.CaptionButtons.size(), 8u);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(d.CaptionButtons[i].Name);
    EXPECT_EQ(d.CaptionButtons[i].Action, expected[i].action);
    EXPECT_EQ(d.CaptionButtons[i].Align, expected[i].align);
    EXPECT_EQ(d.CaptionButtons[i].XCoord, expected[i].x);
    EXPECT_EQ(d.CaptionButtons[i].YCoord, expected[i].y);
    EXPECT_EQ(d.CaptionButtons[i].Visibility, expected[i].visibility);
  }
  EXPECT_EQ(d.CaptionButtons[1].Visibility1, 6);
  EXPECT_TRUE(d.CaptionButtons[4].Bitmap.empty());
  EXPECT_EQ(d.CaptionButtons[7].Action, 9);
}

}  // namespace

TEST(DefaultSkin, DefinitionReadsBackTheValuesTheEngineReliesOn) {
  const std::vector<uint8_t> text =
      streamtest::ReadFile(std::string(TARVIMO_SOURCE_DIR) + "/skins/default/skin.ini");
  ASSERT_FALSE(text.empty());
  skin::TQuickIni ini;
  ini.LoadFromText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  ExpectShippedValues(skin::ReadSkinDefinition(ini));
}

#ifdef HAVE_SKINGEN
TEST(DefaultSkin, PacksDecodesAndLoadsWithItsImages) {
  const auto entries = skin::art::BuildDefaultSkin();
  std::vector<skinpack::PackageEntry> package;
  for (const auto& e : entries) package.push_back({e.name, e.bytes});
  ASSERT_EQ(package.size(), 37u);
  for (size_t i = 0; i < 36; ++i) EXPECT_EQ(package[i].name, skinpack::DefaultEntryOrder()[i]);

  const std::vector<uint8_t> stream = skinpack::EncodeSkinStream(skinpack::BuildPackage(package));
  skin::TSkinReader reader;
  ASSERT_TRUE(reader.LoadPackage(stream)) << reader.LastError();
  EXPECT_EQ(reader.Header().Version, 70000u);
  EXPECT_EQ(reader.Count(), 37u);
  skin::TMemoryStream iniEntry;
  std::string name;
  reader.FindEntryContaining(".ini", iniEntry, name);
  EXPECT_EQ(name, "skin.ini");
  skin::TQuickIni ini;
  ini.LoadFromStream(iniEntry);
  const skin::SkinDefinition d = skin::ReadSkinDefinition(ini, [&](const std::string& entry) {
    skin::TMemoryStream bmp;
    reader.FindEntry(entry, bmp);
    return streamtest::DecodeTestBmp(bmp.Bytes());
  });
  ExpectShippedValues(d);
  EXPECT_EQ(d.Top.Bitmap.width(), 632);
  EXPECT_EQ(d.Top.Bitmap.height(), 56);
  EXPECT_EQ(d.Left.Bitmap.width(), 8);
  EXPECT_EQ(d.Left.Bitmap.height(), 100);
  EXPECT_EQ(d.Bottom.Bitmap.height(), 10);
  EXPECT_EQ(d.CaptionButtons[0].Bitmap.width(), 126);
  EXPECT_EQ(d.CaptionButtons[0].Bitmap.height(), 21);
  EXPECT_EQ(d.CaptionButtons[0].Frame, 6);
  EXPECT_EQ(d.Buttons.CheckButton.width() % 12, 0);
  EXPECT_FALSE(d.CaptionButtons[5].Bitmap.empty());  // cut from MDICONTROLS
}
#endif
