// The shipped definition read back through the definition reader, and the whole default skin
// packed, decoded and read as the program will. The skin generator is part of every native build.
#include <gtest/gtest.h>

#include <iterator>

#include "DefaultSkin.h"
#include "SkinMetrics.h"
#include "SkinPack.h"
#include "StreamTestSupport.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

namespace metrics = skin::art::metrics;

namespace {

void ExpectShippedValues(const skin::SkinDefinition& d) {
  EXPECT_EQ(d.Colours[skin::ciButtonFace].colour, metrics::kButtonFace.Value());
  EXPECT_TRUE(d.Colours[skin::ciButtonFace].given);
  EXPECT_EQ(d.Buttons.CheckButtonFrame, metrics::kCheckBox.frames);
  EXPECT_EQ(d.Buttons.RadioButtonFrame, metrics::kRadioButton.frames);
  EXPECT_EQ(d.Find("SunkEdge"), nullptr);
  EXPECT_NE(d.Find("ComboButton"), nullptr);
  EXPECT_NE(d.Find("Track"), nullptr);
  EXPECT_NE(d.Find("TRACKVERT"), nullptr);
  EXPECT_NE(d.Find("Scrollbar"), nullptr);
  EXPECT_EQ(d.Top.Frame, 2);

  // The skin's caption buttons as the frame painter expects them, then the three MDI buttons.
  const size_t count = std::size(metrics::kCaptionButtons);
  ASSERT_EQ(d.CaptionButtons.size(), count + 3);
  for (size_t i = 0; i < count; ++i) {
    const auto& e = metrics::kCaptionButtons[i];
    SCOPED_TRACE(d.CaptionButtons[i].Name);
    EXPECT_EQ(d.CaptionButtons[i].Action, e.action);
    EXPECT_EQ(d.CaptionButtons[i].Align, e.align);
    EXPECT_EQ(d.CaptionButtons[i].XCoord, e.x);
    EXPECT_EQ(d.CaptionButtons[i].YCoord, e.y);
    EXPECT_EQ(d.CaptionButtons[i].Visibility, e.visibility);
    EXPECT_EQ(d.CaptionButtons[i].Visibility1, e.visibility1);
  }
  EXPECT_EQ(d.CaptionButtons.back().Action, 9);
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

TEST(DefaultSkin, PacksDecodesAndLoadsWithItsImages) {
  const auto entries = skin::art::BuildDefaultSkin();
  std::vector<skinpack::PackageEntry> package;
  for (const auto& e : entries) package.push_back({e.name, e.bytes});
  // 36 images, the frame's 8 in larger art, the definition.
  ASSERT_EQ(package.size(), 45u);
  for (size_t i = 0; i < 36; ++i) EXPECT_EQ(package[i].name, skinpack::DefaultEntryOrder()[i]);

  const std::vector<uint8_t> stream = skinpack::EncodeSkinStream(skinpack::BuildPackage(package));
  skin::TSkinReader reader;
  ASSERT_TRUE(reader.LoadPackage(stream)) << reader.LastError();
  EXPECT_EQ(reader.Header().Version, 70000u);
  EXPECT_EQ(reader.Count(), 45u);
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
  // Active and inactive frames of the borders.
  EXPECT_EQ(d.Top.Bitmap.width(), metrics::kTopWidth);
  EXPECT_EQ(d.Top.Bitmap.height(), 2 * metrics::kCaptionHeight);
  EXPECT_EQ(d.Left.Bitmap.width(), 2 * metrics::kSideWidth);
  EXPECT_EQ(d.Left.Bitmap.height(), metrics::kSideHeight);
  EXPECT_EQ(d.Bottom.Bitmap.height(), 2 * metrics::kBottomHeight);
  const auto& close = d.CaptionButtons[0];
  EXPECT_EQ(close.Bitmap.width(),
            metrics::kCaptionButton.frames * metrics::kCaptionButton.frameWidth);
  EXPECT_EQ(close.Bitmap.height(), metrics::kCaptionButton.frameHeight);
  EXPECT_EQ(close.Frame, metrics::kCaptionButton.frames);
  EXPECT_EQ(d.Buttons.CheckButton.width() % metrics::kCheckBox.frames, 0);
  EXPECT_FALSE(d.CaptionButtons.back().Bitmap.empty());  // cut from MDICONTROLS
}
