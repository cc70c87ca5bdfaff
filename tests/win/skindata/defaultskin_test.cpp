// The default skin, as the shipped main form carries it: read from the stream a native build drew
// (tools/skingen + skinpack). Fails when no native build has made it.
#include <gtest/gtest.h>

#include "SkinDataTestSupport.h"

namespace {

using skindatatest::Component;

class DefaultSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<uint8_t> stream = skindatatest::DefaultSkinStream();
    // scripts/build makes the native tree first; without its skin these tests would prove nothing.
    ASSERT_FALSE(stream.empty()) << "no default.skn: build the native tree's default_skin";
    c.Read(skindatatest::Framed(stream));
    ASSERT_FALSE(c->NoSkin()) << c->LastError();
  }
  Component c;
};

TEST_F(DefaultSkin, HasTheShippedFormsValues) {
  EXPECT_EQ(c->SkinName(), "Tarvimo Sky");
  EXPECT_EQ(c->Buttons()->Frame, 5);
  EXPECT_EQ(c->Buttons()->CheckButtonFrame, 12);
  EXPECT_EQ(c->Buttons()->RadioButtonFrame, 8);
  ASSERT_NE(c->FindElement("ComboButton"), nullptr);
  EXPECT_EQ(c->FindElement("ComboButton")->Frame, 4);
  EXPECT_EQ(c->FindElement("SunkEdge"), nullptr);
  // Track and TRACKVERT come from the skin, not the built-in images.
  ASSERT_NE(c->FindElement("Track"), nullptr);
  EXPECT_EQ(c->FindElement("Track")->Name, "Track");
  ASSERT_NE(c->FindElement("TRACKVERT"), nullptr);
  EXPECT_EQ(c->FindElement("TRACKVERT")->TopHeight(), 3);
  EXPECT_EQ(c->GetColour(skin::ciButtonFace), testskin::kButtonFace);
  EXPECT_EQ(c->CaptionButtons().size(), 5u + 3u);
  EXPECT_EQ(c->FindElement("Headerbar")->Frame, 3);
  EXPECT_EQ(c->FindElement("Scrollbar")->Frame, 23);
}

TEST_F(DefaultSkin, ComboArrowIsTheButtonImageWithMagentaInButtonFace) {
  // (The default skin draws its combo button on the white field, so it may hold no magenta.)
  skin::TDataSkinObject* combo = c->FindElement("ComboButton");
  skin::TDataSkinObject* arrow = c->ComboxArrow();
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Frame, 4);
  const skin::PixelBuffer source = skin::PixelsOf(*combo->Bitmap);
  const skin::PixelBuffer result = skin::PixelsOf(*arrow->Bitmap);
  ASSERT_EQ(result.width(), source.width());
  ASSERT_EQ(result.height(), source.height());
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) {
      const skin::Colour s = source.Get(x, y) & 0xFFFFFF;
      const skin::Colour r = result.Get(x, y) & 0xFFFFFF;
      if (s == skin::kMagenta) {
        ASSERT_EQ(r, testskin::kButtonFace) << x << "," << y;
      } else {
        ASSERT_EQ(r, s) << x << "," << y;
      }
    }
}

}  // namespace
