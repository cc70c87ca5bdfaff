// Images the component derives from a skin: the combo arrow, the combined combo image of skins
// with a sunken edge, the toolbar gradient and the sampled title colour.
#include <gtest/gtest.h>

#include "SkinDataTestSupport.h"
#include "skin/data/SkinDerived.h"

namespace {

using skin::Colour;
using skin::TDataSkinObject;
using skindatatest::Component;
using skindatatest::PixelAt;
using testskin::TestSkin;

using testskin::kButtonFace;

TEST(SkinDerived, ComboArrowIsTheComboButtonWithMagentaInButtonFace) {
  TestSkin skin;
  skin.SetFrameSize("ComboButton", 17, 19);
  Component c;
  c.Read(skin);
  ASSERT_FALSE(c->NoSkin());
  TDataSkinObject* arrow = c->ComboxArrow();
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Name, "ComboxArrow");
  EXPECT_EQ(arrow->Frame, 4);
  ASSERT_EQ(arrow->Bitmap->Width(), 68);
  EXPECT_EQ(PixelAt(*arrow->Bitmap, 17 * 2 + 8, 9), skin.FrameColour("ComboButton", 3));
}

// Right-to-left combos draw from the mirrored image: each frame mirrored in its own place, so a
// frame number names the same state in both images.
TEST(SkinDerived, MirroredComboButtonKeepsItsFramesInOrder) {
  TestSkin skin;
  Component c;
  c.Read(skin);
  auto* button = c->Element<skin::TDataSkinBorder>("ComboButton");
  ASSERT_NE(button, nullptr);
  ASSERT_EQ(button->Bitmap2->Width(), button->Bitmap->Width());
  for (int f = 1; f <= 4; ++f)
    EXPECT_EQ(PixelAt(*button->Bitmap2, 17 * (f - 1) + 3, 9), skin.FrameColour("ComboButton", f));
}

TEST(SkinDerived, MagentaReplacementAndPerFrameMirroring) {
  skin::PixelBuffer image(4, 2, 32, skin::kMagenta);
  image.Set(0, 0, skin::MakeColour(1, 2, 3));
  const skin::PixelBuffer arrow = skin::WithMagentaReplaced(image, kButtonFace);
  EXPECT_EQ(arrow.bitsPerPixel(), 24);
  EXPECT_EQ(arrow.Get(0, 0), skin::MakeColour(1, 2, 3));
  EXPECT_EQ(arrow.Get(3, 1), kButtonFace);

  skin::PixelBuffer strip(6, 1, 24);
  for (int x = 0; x < 6; ++x) strip.Set(x, 0, x);
  const skin::PixelBuffer mirrored = skin::MirroredFrames(strip, 2);
  const Colour expected[] = {2, 1, 0, 5, 4, 3};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(mirrored.Get(x, 0), expected[x]) << x;
}

TEST(SkinDerived, ComboArrowPaintsMagentaInTheResolvedButtonFace) {
  // A combo button whose frames have a magenta corner; the skin leaves ButtonFace to the system.
  TestSkin skin;
  skin.RemoveIni("Colours", "ButtonFace");
  skin::PixelBuffer image = skin.Image("ComboButton");
  for (int f = 0; f < 4; ++f) image.FillRect(17 * f, 0, 17 * f + 3, 3, skin::kMagenta);
  std::vector<skinpack::PackageEntry> entries = skin.Entries();
  for (auto& e : entries)
    if (e.name == "comboboxbtn.bmp") e.bytes = skin::EncodeBmp(image);
  Component c;
  c.Read(skindatatest::Framed(skinpack::EncodeSkinStream(skinpack::BuildPackage(entries))));
  ASSERT_FALSE(c->NoSkin()) << c->LastError();
  ui::TBitmap& arrow = *c->ComboxArrow()->Bitmap;
  const Colour face = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(PixelAt(arrow, 17 * 3 + 1, 1), face);
  EXPECT_EQ(PixelAt(arrow, 17 * 3 + 8, 8), skin.FrameColour("ComboButton", 4));
  // The element itself keeps its transparent corner.
  EXPECT_EQ(PixelAt(*c->FindElement("ComboButton")->Bitmap, 1, 1), skin::kMagenta);
}

TEST(SkinDerived, CombinedComboImageWhenTheSkinHasASunkenEdge) {
  TestSkin skin;
  skin.Include("SunkEdge");
  Component c;
  c.Read(skin);
  ASSERT_FALSE(c->NoSkin()) << c->LastError();
  const int bw = GetSystemMetrics(SM_CXHSCROLL) + 2;
  TDataSkinObject* combo = c->FindElement("ComboButton");
  TDataSkinObject* edge = c->FindElement("SunkEdge");
  ASSERT_NE(combo, nullptr);
  ASSERT_NE(edge, nullptr);

  EXPECT_EQ(combo->Style, 2);
  EXPECT_EQ(combo->Frame, 4);
  ASSERT_EQ(combo->Bitmap->Width(), 4 * 50);
  ASSERT_EQ(combo->Bitmap->Height(), 21);
  EXPECT_EQ(combo->LeftWidth(), 2);
  EXPECT_EQ(combo->RightWidth(), bw + 2);
  EXPECT_EQ(combo->TopHeight(), 2);  // the sunken edge's
  EXPECT_EQ(edge->LeftWidth(), bw + 2);
  EXPECT_EQ(edge->RightWidth(), 2);

  const skin::PixelBuffer strip = skin::PixelsOf(*combo->Bitmap);
  const skin::PixelBuffer mirror = skin::PixelsOf(*edge->Bitmap);
  // The glyph (9 x 9) is centred in the button part.
  const int glyphLeft = 50 - bw + (bw - 9) / 2, glyphTop = (21 - 9) / 2;
  for (int b = 1; b <= 4; ++b) {
    SCOPED_TRACE(b);
    const int x0 = 50 * (b - 1);
    EXPECT_EQ(strip.Get(x0 + 1, 10) & 0xFFFFFF, skin.FrameColour("SunkEdge", b));
    EXPECT_EQ(strip.Get(x0 + 10, 10) & 0xFFFFFF, skin::kMagenta);       // edit hole
    EXPECT_EQ(strip.Get(x0 + 48 - bw, 17) & 0xFFFFFF, skin::kMagenta);  // its last column
    EXPECT_EQ(strip.Get(x0 + 49 - bw, 10) & 0xFFFFFF, skin.FrameColour("SunkEdge", b));
    EXPECT_EQ(strip.Get(x0 + 10, 19) & 0xFFFFFF, skin.FrameColour("SunkEdge", b));
    EXPECT_EQ(strip.Get(x0 + 50 - bw, 1) & 0xFFFFFF, skin.FrameColour("ComboButton", b));
    EXPECT_EQ(strip.Get(x0 + 49, 20) & 0xFFFFFF, skin.FrameColour("ComboButton", b));
    EXPECT_EQ(strip.Get(x0 + glyphLeft + 4, glyphTop + 4) & 0xFFFFFF,
              skin.FrameColour("ExtraImages", b));
    EXPECT_EQ(strip.Get(x0 + glyphLeft - 1, glyphTop + 4) & 0xFFFFFF,
              skin.FrameColour("ComboButton", b));
    // The right-to-left image keeps frame b in cell b, each cell mirrored in place.
    EXPECT_EQ(mirror.Get(x0 + 49 - 1, 10) & 0xFFFFFF, skin.FrameColour("SunkEdge", b));
    EXPECT_EQ(mirror.Get(x0 + bw - 1, 1) & 0xFFFFFF, skin.FrameColour("ComboButton", b));
  }

  // The arrow: 17 x 17 from each cell's right part.
  TDataSkinObject* arrow = c->ComboxArrow();
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Frame, 4);
  ASSERT_EQ(arrow->Bitmap->Width(), 68);
  ASSERT_EQ(arrow->Bitmap->Height(), 17);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    for (int x : {0, 8, 16})
      for (int y : {0, 8, 16})
        EXPECT_EQ(PixelAt(*arrow->Bitmap, 17 * i + x, y),
                  strip.Get(50 * (i + 1) - 19 + x, 2 + y) & 0xFFFFFF);
  }
}

TEST(SkinDerived, ArrowKeepsThePreviousImageWhenANewSkinMakesNone) {
  Component c;
  TestSkin first;
  c.Read(first);
  TDataSkinObject* arrow = c->ComboxArrow();
  ASSERT_NE(arrow, nullptr);
  // Sunken edge without combo button: no new arrow.
  c.Read(
      TestSkin().Include("SunkEdge").Omit("ComboButton").SetIni("TitlebarSkin", "SkinName", "B"));
  ASSERT_EQ(c->SkinName(), "B");
  EXPECT_EQ(c->ComboxArrow(), arrow);
  EXPECT_EQ(skindatatest::FrameMiddle(arrow, 1), first.FrameColour("ComboButton", 1));
}

TEST(SkinDerived, ArrowExistsEmptyAfterLoadingASkinWithoutComboButton) {
  Component c;
  c.Read(TestSkin().Omit("ComboButton"));
  ASSERT_FALSE(c->NoSkin());
  ASSERT_NE(c->ComboxArrow(), nullptr);
  EXPECT_TRUE(c->ComboxArrow()->Empty());
  EXPECT_EQ(c->FindElement("comboxarrow"), c->ComboxArrow());
}

TEST(SkinDerived, TitleColourIsSampledFromTheTopBorder) {
  TestSkin skin;
  Component c;
  c.Read(skin);
  EXPECT_EQ(c->GetColour(skin::ciTitleColour), skin.FrameColour("Top", 1));
  EXPECT_TRUE(c->ColourGiven(skin::ciTitleColour));

  Component noTop;
  noTop.Read(TestSkin().Omit("Top"));
  EXPECT_EQ(noTop->GetColour(skin::ciTitleColour), kButtonFace);
  EXPECT_FALSE(noTop->ColourGiven(skin::ciTitleColour));
}

TEST(SkinDerived, ToolbarGradientRunsFromLightenedFaceToTheTitleColour) {
  Component c;
  c.Read(TestSkin().SetIni("Colours", "ButtonFace", "55 155 255"));
  TDataSkinObject* toolbar = c->Toolbar();
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->Name, "Toolbar");
  EXPECT_EQ(toolbar->Frame, 1);
  ASSERT_EQ(toolbar->Bitmap->Width(), 10);
  ASSERT_EQ(toolbar->Bitmap->Height(), 40);
  // Top: 15 % of the face on white.
  const Colour top = PixelAt(*toolbar->Bitmap, 5, 0);
  EXPECT_NEAR(skin::RedOf(top), 225, 1);
  EXPECT_NEAR(skin::GreenOf(top), 240, 1);
  EXPECT_EQ(skin::BlueOf(top), 255);
  // The test skin's title colour (24, 7, 64) is dark, so it counts as saturated (200): the bottom
  // is 54 % of it on white.
  const Colour bottom = PixelAt(*toolbar->Bitmap, 5, 39);
  EXPECT_NEAR(skin::RedOf(bottom), 130, 1);
  EXPECT_NEAR(skin::GreenOf(bottom), 121, 1);
  EXPECT_NEAR(skin::BlueOf(bottom), 152, 1);
  // Rows are flat and darken steadily.
  int previous = 256;
  for (int y = 0; y < 40; ++y) {
    const Colour c0 = PixelAt(*toolbar->Bitmap, 0, y);
    EXPECT_EQ(PixelAt(*toolbar->Bitmap, 9, y), c0);
    EXPECT_LE(skin::RedOf(c0), previous);
    previous = skin::RedOf(c0);
  }
}

TEST(SkinDerived, ButtonFaceBrushFollowsEveryLoad) {
  Component c;
  c.Read(TestSkin());
  HBRUSH first = c->ButtonFaceBrush();
  ASSERT_NE(first, nullptr);
  LOGBRUSH lb{};
  ASSERT_TRUE(GetObjectW(first, sizeof lb, &lb));
  EXPECT_EQ(lb.lbColor, static_cast<COLORREF>(kButtonFace));
  c.Read(TestSkin().SetIni("Colours", "ButtonFace", "1 2 3"));
  ASSERT_TRUE(GetObjectW(c->ButtonFaceBrush(), sizeof lb, &lb));
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
}

}  // namespace
