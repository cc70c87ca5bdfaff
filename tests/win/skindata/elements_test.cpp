// The skin as the painters find it after a load of a test skin: which elements exist, their frame
// counts, margins, tiling, colours and caption buttons.
#include <gtest/gtest.h>

#include <string>

#include "SkinDataTestSupport.h"

namespace {

using skin::TDataSkinObject;
using skindatatest::Component;
using skindatatest::FrameMiddle;
using testskin::TestSkin;

constexpr skin::Colour kButtonFace = skin::MakeColour(227, 238, 253);
constexpr skin::Colour kButtonText = skin::MakeColour(20, 30, 40);

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

TEST(SkinElements, AnElementWithoutImageKeyDoesNotExistOneWithMissingEntryIsEmpty) {
  for (const Expected& e : kOptional) {
    if (std::string(e.name) == "Track" || std::string(e.name) == "TRACKVERT") continue;
    SCOPED_TRACE(e.name);
    Component omitted;
    omitted.Read(TestSkin().Omit(e.name));
    ASSERT_FALSE(omitted->NoSkin());
    EXPECT_EQ(omitted->FindElement(e.name), nullptr);
  }
  Component missingEntry;
  missingEntry.Read(TestSkin().OmitEntry("Tabs").OmitEntry("Progress"));
  ASSERT_NE(missingEntry->FindElement("Tabs"), nullptr);
  EXPECT_TRUE(missingEntry->FindElement("Tabs")->Empty());
  ASSERT_NE(missingEntry->FindElement("Progress"), nullptr);
  EXPECT_TRUE(missingEntry->FindElement("Progress")->Empty());
  // An upper-case extension is not an image reference: the element exists without image.
  Component upper;
  upper.Read(TestSkin().SetIni("MenuItem", "Image", "MENUITEM.BMP"));
  ASSERT_NE(upper->FindElement("MenuItem"), nullptr);
  EXPECT_TRUE(upper->FindElement("MenuItem")->Empty());
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

TEST(SkinElements, MarginsTilingAndTheTabPaneCap) {
  Component c;
  c.Read(TestSkin()
             .SetIni("MenuItem", "Tile", "2")
             .SetIni("Progress", "Tile", "2")
             .SetIni("Personality", "TopStretch", "5")
             .SetIni("Tab.Pane", "LeftWidth", "9")
             .SetIni("Tab.Pane", "BottomHeight", "4")
             .SetIni("Scrollbar", "LeftWidth", "9"));
  EXPECT_EQ(c->FindElement("MenuItem")->Tile, 0);
  EXPECT_EQ(c->FindElement("Progress")->Tile, 1);
  EXPECT_EQ(c->Top()->Tile, 1);
  const RECT pane = c->FindElement("Tab.Pane")->Margins;
  EXPECT_EQ(pane.left, 4);
  EXPECT_EQ(pane.bottom, 4);
  EXPECT_EQ(pane.top, 2);
  EXPECT_EQ(c->FindElement("Scrollbar")->LeftWidth(), 9);
  // Border heights are the fixed ends along the border.
  EXPECT_EQ(c->Left()->TopHeight(), 30);
  EXPECT_EQ(c->Left()->BottomHeight(), 30);
  EXPECT_EQ(c->Left()->LeftWidth(), 0);
  EXPECT_EQ(c->Top()->LeftWidth(), 120);
  EXPECT_EQ(c->Top()->RightWidth(), 120);
  EXPECT_EQ(c->Top()->TopHeight(), 0);
  EXPECT_EQ(c->Buttons()->LeftWidth(), 3);
  EXPECT_EQ(c->Title()->LeftWidth(), 30);  // TextShift
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

TEST(SkinElements, ColourTableWithGivenFlagsAndSystemColourDefaults) {
  Component c;
  c.Read(TestSkin());
  EXPECT_EQ(c->GetColour(skin::ciButtonFace), kButtonFace);
  EXPECT_TRUE(c->ColourGiven(skin::ciButtonFace));
  EXPECT_EQ(c->GetColour(skin::ciMenubar), skin::MakeColour(220, 232, 250));
  EXPECT_EQ(c->GetColour(skin::ciTitleTextNoActive), skin::MakeColour(120, 130, 140));

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
  EXPECT_EQ(bare->GetColour(skin::ciMenubar), skin::SystemColour(COLOR_BTNFACE));
  Component noMenubar;
  noMenubar.Read(TestSkin().RemoveIni("Colours", "Menubar"));
  EXPECT_EQ(noMenubar->GetColour(skin::ciMenubar), kButtonFace);
  EXPECT_FALSE(noMenubar->ColourGiven(skin::ciMenubar));
}

TEST(SkinElements, TextColoursDefaultToButtonTextAndRememberWhetherGiven) {
  Component c;
  c.Read(TestSkin()
             .SetIni("Buttons", "NormalColour2", "1 2 3")
             .SetIni("Buttons", "NormalColour", "255")
             .SetIni("Tabs", "PressedColour2", "9,8,7"));
  skin::TDataSkinButton* b = c->Buttons();
  EXPECT_EQ(b->NormalColour2, skin::MakeColour(1, 2, 3));
  EXPECT_TRUE(b->NormalColour2Given);
  EXPECT_EQ(b->MouseOverColour2, kButtonText);
  EXPECT_FALSE(b->MouseOverColour2Given);
  EXPECT_EQ(b->NormalColour, 255);
  EXPECT_EQ(b->PressedColour, -1);
  EXPECT_EQ(c->FindElement("Tabs")->PressedColour2, skin::MakeColour(9, 8, 7));
  EXPECT_EQ(c->FindElement("Tabs")->NormalColour2, kButtonText);
  EXPECT_EQ(c->Top()->NormalColour2, kButtonText);
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

TEST(SkinElements, CaptionButtonsInSectionOrderThenTheMdiButtons) {
  Component c;
  TestSkin skin;
  c.Read(skin.SetIni("BUTTON.HELP", "Action", "-1"));  // no Visibility: no button
  const auto& buttons = c->CaptionButtons();
  ASSERT_EQ(buttons.size(), 8u);
  EXPECT_EQ(buttons[0]->Name, "BUTTON.CLOSE");
  EXPECT_EQ(buttons[0]->Action, 0);
  EXPECT_EQ(buttons[0]->XCoord, 25);
  EXPECT_EQ(buttons[0]->Frame, 6);  // 126 x 21 is wider than 3.8 : 1
  EXPECT_EQ(FrameMiddle(buttons[0].get(), 2), skin.FrameColour("BUTTON.CLOSE", 2));
  EXPECT_EQ(buttons[1]->Visibility1, 6);
  EXPECT_EQ(buttons[4]->Name, "BUTTON.SYSMENU");
  EXPECT_EQ(buttons[4]->Action, 3);
  EXPECT_TRUE(buttons[4]->Empty());
  // The MDI child buttons: 12 columns of 16 pixels, four per button, placed right to left.
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const auto& mdi = buttons[5 + k];
    EXPECT_EQ(mdi->Action, 7 + k);
    EXPECT_EQ(mdi->Align, 100);
    EXPECT_EQ(mdi->Frame, 4);
    EXPECT_EQ(mdi->XCoord, (16 + 4) * (3 - k));
    EXPECT_EQ(mdi->Bitmap->Width(), 64);
    EXPECT_EQ(FrameMiddle(mdi.get(), 1), skin.FrameColour("MDICONTROLS", 4 * k + 1));
  }
}

TEST(SkinElements, TitleSettingsAndMenuBarTiling) {
  Component c;
  c.Read(TestSkin()
             .SetIni("Personality", "ActiveTextR", "10")
             .SetIni("Personality", "ActiveTextG", "20")
             .SetIni("Personality", "ActiveTextB", "30")
             .SetIni("Personality", "TileLeftMenu", "0")
             .SetIni("Fonts", "FontHeight", "17"));
  EXPECT_EQ(c->Title()->ActiveText, skin::MakeColour(10, 20, 30));
  EXPECT_EQ(c->Title()->InActiveText, skin::TDataSkinTitle::kNotGiven);
  EXPECT_EQ(c->Title()->FontHeight, 17);
  EXPECT_EQ(c->TileLeftMenu(), 0);
  EXPECT_EQ(c->TileRightMenu(), 1);
  EXPECT_EQ(c->FindElement("MenuBar")->Tile, 1);
}

}  // namespace
