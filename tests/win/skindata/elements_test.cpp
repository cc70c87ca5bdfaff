// The skin as the painters find it after a load of a test skin: what the component builds from the
// definition (frame counts, built-in images, system colours, values carried over). The definition's
// own rules are tested natively (tests/native/skindata/definition_test.cpp).
#include <gtest/gtest.h>

#include <string>

#include "SkinDataTestSupport.h"

namespace {

using skin::TDataSkinObject;
using skindatatest::Component;
using skindatatest::FrameMiddle;
using testskin::TestSkin;

constexpr skin::Colour kButtonText = skin::MakeColour(245, 245, 240);  // the test skin's

// Optional elements of the test skin with the frame count a load gives them.
struct Expected {
  const char* name;
  int frames;
};
constexpr Expected kOptional[] = {
    {"Progress", 2},        {"Progress.Chunk", 1},     {"MenuBar", 2},
    {"GroupBoxEdge", 2},    {"GroupBox", 1},           {"Tabs", 5},
    {"StatusBarEdges", 3},  {"Tab.Pane", 1},           {"ToolBars", 5},
    {"ComboButton", 4},     {"ExtraImages", 5},        {"Headerbar", 5},
    {"MenuItem", 5},        {"MenuBackground", 1},     {"Scrollbar", 23},
    {"HorzScroll", 4},      {"VertScroll", 4},         {"HorzScrollThumb", 3},
    {"VertScrollThumb", 3}, {"Trackbar.ThumbHorz", 5}, {"Trackbar.ThumbVert", 5},
    {"UpDown.Horz", 8},     {"UpDown.Vert", 8},        {"Track", 1},
    {"TRACKVERT", 1},
};

TEST(SkinElements, EveryElementOfTheSkinExistsWithItsFrameCountAndImage) {
  Component c;
  TestSkin skin;
  c.Read(skin);
  ASSERT_FALSE(c->NoSkin()) << c->LastError();
  EXPECT_EQ(c->SkinName(), "Test skin");
  for (const Expected& e : kOptional) {
    SCOPED_TRACE(e.name);
    TDataSkinObject* element = c->FindElement(e.name);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->Frame, e.frames);
    EXPECT_FALSE(element->Empty());
  }
  // Frames keep their states: the last frame of the scroll arrows is the skin's last frame.
  EXPECT_EQ(FrameMiddle(c->FindElement("Scrollbar"), 23), skin.FrameColour("Scrollbar", 23));
  EXPECT_EQ(FrameMiddle(c->FindElement("Tabs"), 2), skin.FrameColour("Tabs", 2));
  // The test skin has no SunkEdge, as the default skin.
  EXPECT_EQ(c->FindElement("SunkEdge"), nullptr);
  EXPECT_EQ(c->Buttons()->Frame, 5);
  EXPECT_EQ(c->Title()->Frame, 2);
  EXPECT_EQ(c->Top()->Frame, 2);
  EXPECT_EQ(c->Left()->Frame, 2);
}

TEST(SkinElements, FrameCountsFollowStyleAndFrameKeys) {
  Component c;
  c.Read(TestSkin()
             .SetIni("Progress", "Style", "1")
             .SetIni("Headerbar", "Frame", "3")
             .SetFrames("HorzScrollThumb", 4)
             .SetIni("Tabs", "Frame", "2")  // Tabs reads no frame key
             .SetIni("Track", "Frame", "2"));
  EXPECT_EQ(c->FindElement("Progress")->Frame, 1);
  EXPECT_EQ(c->FindElement("Headerbar")->Frame, 3);
  EXPECT_EQ(c->FindElement("HorzScrollThumb")->Frame, 4);
  EXPECT_EQ(c->FindElement("VertScrollThumb")->Frame, 3);
  EXPECT_EQ(c->FindElement("Tabs")->Frame, 5);
  EXPECT_EQ(c->FindElement("Track")->Frame, 2);
}

TEST(SkinElements, MarginsReachTheElementInRectOrder) {
  Component c;
  c.Read(TestSkin()
             .SetIni("Scrollbar", "LeftWidth", "1")
             .SetIni("Scrollbar", "TopHeight", "2")
             .SetIni("Scrollbar", "RightWidth", "3")
             .SetIni("Scrollbar", "BottomHeight", "4"));
  const RECT m = c->FindElement("Scrollbar")->Margins;
  EXPECT_EQ(m.left, 1);
  EXPECT_EQ(m.top, 2);
  EXPECT_EQ(m.right, 3);
  EXPECT_EQ(m.bottom, 4);
  EXPECT_EQ(c->Left()->TopHeight(), 30);  // the border's fixed ends
  EXPECT_EQ(c->Top()->LeftWidth(), 120);
}

TEST(SkinElements, BuiltInTrackChannelsWhenTheSkinHasNone) {
  Component c;
  c.Read(TestSkin().Omit("Track").Omit("TRACKVERT"));
  ASSERT_FALSE(c->NoSkin());
  TDataSkinObject* track = c->FindElement("Track");
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->Name, "TRACK");
  EXPECT_EQ(track->Frame, 1);
  EXPECT_EQ(track->Tile, 0);
  EXPECT_EQ(track->Margins.left, 3);
  EXPECT_EQ(track->Margins.top, 3);
  EXPECT_EQ(track->Margins.right, 3);
  EXPECT_EQ(track->Margins.bottom, 3);
  EXPECT_EQ(track->Bitmap->Width(), 16);
  EXPECT_EQ(track->Bitmap->Height(), 4);
  TDataSkinObject* vert = c->FindElement("TRACKVERT");
  ASSERT_NE(vert, nullptr);
  EXPECT_EQ(vert->Bitmap->Width(), 4);
  EXPECT_EQ(vert->Bitmap->Height(), 16);
}

TEST(SkinElements, ColoursTheSkinLacksAnswerWithTheSystemColours) {
  Component bare;
  bare.Read(TestSkin().RemoveSection("Colours"));
  const std::pair<int, int> defaults[] = {
      {skin::ciWindowText, COLOR_WINDOWTEXT},
      {skin::ciButtonFace, COLOR_BTNFACE},
      {skin::ciScrollbar, COLOR_SCROLLBAR},
      {skin::ciHilightText, COLOR_HIGHLIGHTTEXT},
      {skin::ciHilight, COLOR_HIGHLIGHT},
      {skin::ciMenu, COLOR_MENU},
      {skin::ciMenuText, COLOR_MENUTEXT},
      {skin::ciButtonText, COLOR_BTNTEXT},
      {skin::ciButtonHilight, COLOR_BTNHIGHLIGHT},
      {skin::ciButtonlight, COLOR_BTNHIGHLIGHT},
      {skin::ciButtonShadow, COLOR_BTNSHADOW},
      {skin::ciButtonDkShadow, COLOR_3DDKSHADOW},
      {skin::ciMenuBarText, COLOR_MENUTEXT},
      {skin::ciTitleTextActive, COLOR_CAPTIONTEXT},
      {skin::ciTitleTextNoActive, COLOR_INACTIVECAPTIONTEXT},
  };
  for (const auto& [index, system] : defaults) {
    SCOPED_TRACE(index);
    EXPECT_EQ(bare->GetColour(index), skin::SystemColour(system));
    EXPECT_FALSE(bare->ColourGiven(index));
    EXPECT_EQ(bare->GetRGB(index), static_cast<skin::Colour>(GetSysColor(system)));
  }
  // The menu bar takes the button face, whatever it is.
  EXPECT_EQ(bare->GetRGB(skin::ciMenubar), static_cast<skin::Colour>(GetSysColor(COLOR_BTNFACE)));
}

TEST(SkinElements, ElementsWithoutTextColourKeysAnswerWithButtonText) {
  Component c;
  c.Read(TestSkin().SetIni("Buttons", "NormalColour2", "1 2 3"));
  skin::TDataSkinButton* b = c->Buttons();
  EXPECT_EQ(b->NormalColour2, skin::MakeColour(1, 2, 3));
  EXPECT_TRUE(b->NormalColour2Given);
  EXPECT_FALSE(b->MouseOverColour2Given);
  // The borders' section has no such keys at all.
  EXPECT_EQ(c->Top()->NormalColour2, kButtonText);
  EXPECT_EQ(c->Left()->PressedColour2, kButtonText);
}

TEST(SkinElements, CheckAndRadioFramesFromTheSkinOrFromTheStripWidth) {
  Component given;
  given.Read(TestSkin());
  EXPECT_EQ(given->Buttons()->CheckButtonFrame, 12);
  EXPECT_EQ(given->Buttons()->RadioButtonFrame, 8);

  Component derived;
  derived.Read(TestSkin()
                   .SetFrames("Buttons.CheckButton", 4)
                   .SetFrameSize("Buttons.CheckButton", 10, 13)  // 40 x 13
                   .SetIni("Buttons", "CheckButtonFrame", "0")
                   .SetFrames("Buttons.RadioButton", 6)
                   .SetFrameSize("Buttons.RadioButton", 16, 16)  // 96 x 16
                   .SetIni("Buttons", "RadioButtonFrame", "0"));
  ASSERT_EQ(derived->Buttons()->CheckButton->Width(), 40);
  EXPECT_EQ(derived->Buttons()->CheckButtonFrame, 4);  // 40 div 13 = 3, at least 4
  EXPECT_EQ(derived->Buttons()->RadioButtonFrame, 6);  // 96 div 16

  Component none;
  none.Read(TestSkin().Omit("Buttons.CheckButton").RemoveIni("Buttons", "CheckButtonFrame"));
  EXPECT_TRUE(none->Buttons()->CheckButton->Empty());
  EXPECT_EQ(none->Buttons()->CheckButtonFrame, 4);
}

TEST(SkinElements, TitleSettingsAndMenuTilingReachTheComponent) {
  Component c;
  c.Read(TestSkin()
             .SetIni("Personality", "ActiveTextR", "10")
             .SetIni("Personality", "ActiveTextG", "20")
             .SetIni("Personality", "ActiveTextB", "30")
             .SetIni("Personality", "TileLeftMenu", "0")
             .SetIni("Fonts", "FontHeight", "17"));
  EXPECT_EQ(c->Title()->ActiveText, skin::MakeColour(10, 20, 30));
  EXPECT_EQ(c->Title()->FontHeight, 17);
  EXPECT_EQ(c->Title()->LeftWidth(), 30);  // TextShift
  EXPECT_EQ(c->TileLeftMenu(), 0);
  EXPECT_EQ(c->TileRightMenu(), 1);
}

}  // namespace
