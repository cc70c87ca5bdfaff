#include <gtest/gtest.h>

#include "skin/frame/FrameGeometry.h"

#include "StreamTestSupport.h"
#include "TestSkin.h"
#include "imaging/BmpDecode.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

using skin::MakeColour;
using skin::SkinDefinition;
using skin::SystemColour;
using skin::TQuickIni;

namespace {

// Loads a test skin the way the skin data component does: package, first ".ini" entry, catalogue,
// images through FindEntry.
SkinDefinition Load(const testskin::TestSkin& test) {
  skin::TSkinReader reader;
  EXPECT_TRUE(reader.LoadPackage(test.Stream())) << reader.LastError();
  skin::TMemoryStream ini;
  std::string name;
  reader.FindEntryContaining(".ini", ini, name);
  TQuickIni quick;
  quick.LoadFromStream(ini);
  return skin::ReadSkinDefinition(quick, [&](const std::string& entry) {
    skin::TMemoryStream bmp;
    reader.FindEntry(entry, bmp);
    return streamtest::DecodeTestBmp(bmp.Bytes());
  });
}

SkinDefinition FromText(std::string_view text) {
  TQuickIni ini;
  ini.LoadFromText(text);
  return skin::ReadSkinDefinition(ini);
}

}  // namespace

TEST(SkinDefinition, TestSkinReadsBackWithItsImagesAndFrames) {
  const testskin::TestSkin test;
  const SkinDefinition d = Load(test);
  EXPECT_EQ(d.SkinName, "Test skin");

  // Borders: the two height keys are the fixed ends along the border's length.
  EXPECT_EQ(d.Top.Bitmap.height(), 56);
  EXPECT_EQ(d.Top.LeftWidth, 120);
  EXPECT_EQ(d.Top.RightWidth, 120);
  EXPECT_EQ(d.Top.TopHeight, 0);
  EXPECT_EQ(d.Left.TopHeight, 30);
  EXPECT_EQ(d.Left.BottomHeight, 30);
  EXPECT_EQ(d.Left.LeftWidth, 0);
  EXPECT_EQ(d.Left.Frame, 2);
  EXPECT_EQ(d.Left.Trans, 0);
  EXPECT_EQ(d.Left.Bitmap.Get(5, 50), test.FrameColour("Left", 2));

  EXPECT_EQ(d.Buttons.Bitmap.width(), 5 * 24);
  EXPECT_EQ(d.Buttons.CheckButtonFrame, 12);
  EXPECT_EQ(d.Buttons.RadioButtonFrame, 8);
  EXPECT_EQ(d.Buttons.CheckButton.Get(13 * 11, 0), test.FrameColour("Buttons.CheckButton", 12));
  EXPECT_FALSE(d.Buttons.NormalColour2Given);
  EXPECT_EQ(d.Buttons.NormalColour2, MakeColour(245, 245, 240));  // ButtonText

  ASSERT_TRUE(d.MenuBar);
  EXPECT_EQ(d.MenuBar->Tile, 1);
  ASSERT_TRUE(d.Progress);
  EXPECT_EQ(d.Find("SunkEdge"), nullptr);  // omitted, as in the default skin
  const skin::ElementDef* combo = d.Find("ComboButton");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->Kind, skin::ElementKind::kBorder);
  EXPECT_EQ(combo->Bitmap.Get(17 * 3 + 1, 1), test.FrameColour("ComboButton", 4));
  const skin::ElementDef* spin = d.Find("UpDown.Vert");
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->Bitmap2.Get(0, 0), test.FrameColour("UpDown.Vert.Glyph", 1));
  EXPECT_EQ(d.Find("Track")->Frame, 1);
  EXPECT_EQ(d.Find("Headerbar")->Frame, 5);
  EXPECT_EQ(d.HorzScrollThumbFrameCount, 3);

  // Optional elements come in build order.
  std::vector<std::string> order;
  for (const auto& e : d.Elements) order.push_back(e.Name);
  EXPECT_EQ(order.front(), "Progress.Chunk");
  EXPECT_EQ(order.back(), "TRACKVERT");
}

TEST(SkinDefinition, ColourTableRecordsWhatTheSkinGave) {
  const SkinDefinition d = FromText(
      "[Colours]\nButtonFace=227 238 253\nButtonText=1,2,3\nHilight=\n"
      "[Colour1]\ncolor=9 8 7\n[COLOURS2]\n[ColourS]\ncolor=1 1 1\n"
      "[Customcolors]\nColor3=10 20 30\n");
  EXPECT_EQ(d.Colours[skin::ciButtonFace].colour, MakeColour(227, 238, 253));
  EXPECT_TRUE(d.Colours[skin::ciButtonFace].given);
  EXPECT_EQ(d.Colours[skin::ciMenubar].colour, MakeColour(227, 238, 253));  // follows ButtonFace
  EXPECT_FALSE(d.Colours[skin::ciMenubar].given);
  EXPECT_EQ(d.Colours[skin::ciHilight].colour, SystemColour(13));
  EXPECT_FALSE(d.Colours[skin::ciHilight].given);
  EXPECT_EQ(d.Colours[skin::ciButtonlight].colour, SystemColour(20));
  EXPECT_EQ(d.Colours[skin::ciWindowText].colour, SystemColour(8));
  EXPECT_TRUE(skin::IsSystemColour(d.Colours[skin::ciScrollbar].colour));
  // Extra colours: every COLOUR… section but COLOURS, in order, default window text.
  EXPECT_EQ(d.ExtraColours, (std::vector<skin::Colour>{MakeColour(9, 8, 7), SystemColour(8)}));
  EXPECT_EQ(d.CustomColors[3], MakeColour(10, 20, 30));
  EXPECT_EQ(d.CustomColors[0], skin::kWhite);
  // The text colours of elements default to ButtonText.
  EXPECT_EQ(d.Buttons.PressedColour2, MakeColour(1, 2, 3));
}

TEST(SkinDefinition, ClampsTileAndPaneMargins) {
  const SkinDefinition d = FromText(
      "[Progress]\nBitmap=p.bmp\nTile=2\n[Tabs]\nImage=t.bmp\nTile=2\n[Buttons]\nTile=5\n"
      "[Tab.Pane]\nImage=x.bmp\nLeftWidth=9\nTopHeight=4\nRightWidth=5\nBottomHeight=-3\n"
      "[Personality]\nTopStretch=3\nmenuBar=m.bmp\nTileMenu=7\n");
  EXPECT_EQ(d.Progress->Tile, 1);
  EXPECT_EQ(d.Find("Tabs")->Tile, 0);
  EXPECT_EQ(d.Buttons.Tile, 0);
  const skin::ElementDef* pane = d.Find("Tab.Pane");
  EXPECT_EQ(pane->LeftWidth, 4);
  EXPECT_EQ(pane->TopHeight, 4);
  EXPECT_EQ(pane->RightWidth, 4);
  EXPECT_EQ(pane->BottomHeight, -3);
  EXPECT_EQ(d.Top.Tile, 1);
  EXPECT_EQ(d.MenuBar->Tile, 1);
  // Borders default to 1 frame, stretch and transparency.
  EXPECT_EQ(d.Bottom.Frame, 1);
  EXPECT_EQ(d.Bottom.Trans, 1);
}

TEST(SkinDefinition, MarginsAndTextOffsetsBeyondAnyImageAreBounded) {
  const SkinDefinition d = FromText(
      "[Scrollbar]\nImage=s.bmp\nLeftWidth=2147483647\nRightWidth=-2147483648\n"
      "TopHeight=1073741824\nBottomHeight=7\n[Buttons]\nLeftWidth=1073741824\n"
      "[Progress]\nBitmap=p.bmp\nRightWidth=99999999\n"
      "[Personality]\nLeftTopHeight=1073741824\nTopBotHeight=-1073741824\n"
      "TXTBackleft=2000000000\nTextShift=-2000000000\n");
  const skin::ElementDef* bar = d.Find("Scrollbar");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->LeftWidth, skin::kMaxBmpDimension);
  EXPECT_EQ(bar->RightWidth, -skin::kMaxBmpDimension);
  EXPECT_EQ(bar->TopHeight, skin::kMaxBmpDimension);
  EXPECT_EQ(bar->BottomHeight, 7);
  EXPECT_EQ(d.Buttons.LeftWidth, skin::kMaxBmpDimension);
  EXPECT_EQ(d.Progress->RightWidth, skin::kMaxBmpDimension);
  EXPECT_EQ(d.Left.TopHeight, skin::kMaxBmpDimension);
  EXPECT_EQ(d.Top.RightWidth, -skin::kMaxBmpDimension);
  EXPECT_EQ(d.Title.TXTBackleft, skin::kMaxBmpDimension);
  EXPECT_EQ(d.Title.LeftWidth, -skin::kMaxBmpDimension);
}

TEST(SkinDefinition, ElementsExistOnlyWithTheirImageKey) {
  SkinDefinition d = FromText("[Scrollbar]\nImage=\nLeftWidth=3\n[HorzScroll]\nImage=x.BMP\n");
  EXPECT_EQ(d.Find("Scrollbar"), nullptr);
  ASSERT_NE(d.Find("HorzScroll"), nullptr);  // exists, but an upper-case extension loads nothing
  EXPECT_EQ(d.Find("HorzScroll")->ImageName, "");
  EXPECT_FALSE(d.Progress);
  EXPECT_FALSE(d.MenuBar);

  // A reference with a folder loads the entry named by its last component.
  testskin::TestSkin test;
  test.SetIni("ComboButton", "Image", "c:\\art\\comboboxbtn.bmp");
  test.SetIni("Scrollbar", "Image", "scrollbararrow.BMP");
  test.OmitEntry("Tabs");
  test.Corrupt("MenuItem", testskin::Corruption::kEmpty);
  d = Load(test);
  EXPECT_EQ(d.Find("ComboButton")->Bitmap.width(), 4 * 17);
  EXPECT_TRUE(d.Find("Scrollbar")->Bitmap.empty());
  EXPECT_TRUE(d.Find("Tabs")->Bitmap.empty());
  EXPECT_TRUE(d.Find("MenuItem")->Bitmap.empty());

  // Every optional element of a full skin is gone once its image key is.
  const SkinDefinition full = Load(testskin::TestSkin());
  ASSERT_GT(full.Elements.size(), 20u);
  for (const skin::ElementDef& e : full.Elements) {
    SCOPED_TRACE(e.Name);
    EXPECT_EQ(Load(testskin::TestSkin().Omit(e.Name)).Find(e.Name), nullptr);
  }
  EXPECT_FALSE(Load(testskin::TestSkin().Omit("Progress")).Progress);
}

TEST(SkinDefinition, TitleAndSplitColours) {
  const SkinDefinition d = FromText(
      "[Personality]\nTextShift=7\nTextShiftVert=2\nTextRightClip=60\nActiveTextR=255\n"
      "ActiveTextG=256\nActiveTextB=0\nInActiveTextR=1\nInActiveTextG=-1\nInActiveTextB=1\n"
      "[Fonts]\nFontHeight=17\n");
  EXPECT_EQ(d.Title.LeftWidth, 7);
  EXPECT_EQ(d.Title.TopHeight, 2);
  EXPECT_EQ(d.Title.RightWidth, 60);
  EXPECT_EQ(d.Title.FontHeight, 17);
  EXPECT_EQ(d.Title.ActiveText, MakeColour(255, 0, 0));
  EXPECT_EQ(d.Title.InActiveText, skin::kColourNotGiven);
}

TEST(CaptionButtons, TheDefaultSetAndTheMdiButtons) {
  const testskin::TestSkin test;
  const SkinDefinition d = Load(test);
  ASSERT_EQ(d.CaptionButtons.size(), 5u + 3u);
  const auto& close = d.CaptionButtons[0];
  EXPECT_EQ(close.Name, "BUTTON.CLOSE");
  EXPECT_EQ(close.Frame, 6);  // 126 x 21: wider than 3.8 : 1
  EXPECT_EQ(close.XCoord, 25);
  EXPECT_EQ(close.Align, 1);
  EXPECT_EQ(d.CaptionButtons[1].Visibility1, 6);
  EXPECT_EQ(d.CaptionButtons[1].CombineOp, -1);
  const auto& sysMenu = d.CaptionButtons[4];
  EXPECT_EQ(sysMenu.Action, 3);
  EXPECT_TRUE(sysMenu.Bitmap.empty());
  EXPECT_EQ(sysMenu.Frame, 6);

  // MDICONTROLS: 12 columns of 16, four per button, placed right to left.
  for (int k = 0; k < 3; ++k) {
    const auto& b = d.CaptionButtons[5 + k];
    EXPECT_EQ(b.Action, 7 + k);
    EXPECT_EQ(b.Align, 100);
    EXPECT_EQ(b.Visibility1, 100);
    EXPECT_EQ(b.Frame, 4);
    EXPECT_EQ(b.XCoord, 20 * (3 - k));
    ASSERT_EQ(b.Bitmap.width(), 64);
    EXPECT_EQ(b.Bitmap.Get(0, 0), test.FrameColour("MDICONTROLS", 4 * k + 1));
    EXPECT_EQ(b.Bitmap.Get(63, 13), test.FrameColour("MDICONTROLS", 4 * k + 4));
  }
}

TEST(CaptionButtons, FilteringFramesAndTheRememberedPosition) {
  testskin::TestSkin test;
  test.SetFrameSize("BUTTON.MINIMIZE", 20, 21).SetFrames("BUTTON.MINIMIZE", 3);  // 60 x 21
  test.SetIni("BUTTON.HIDDEN", "Action", "-1");  // no Visibility: dropped
  test.SetIni("BUTTON.SHOWN", "Action", "-1");
  test.SetIni("BUTTON.SHOWN", "Visibility", "0");
  test.SetIni("BUTTON.SHOWN", "ButtonImage", "minbutton.bmp");
  test.SetIni("BUTTON.HELP", "Action", "4");
  test.SetIni("BUTTON.HELP", "Xcoord", "1");
  test.SetIni("Button.Radio", "Action", "0");
  test.SetIni("BUTTON", "Action", "0");
  test.SetIni("button.lower", "Action", "11");
  test.SetIni("button.lower", "ButtonImage", "closebutton.bmp");
  test.SetIni("BUTTON.FIXED", "frame", "2");
  test.SetIni("BUTTON.FIXED", "Action", "3");
  test.SetIni("BUTTON.FIXED", "ButtonImage", "closebutton.bmp");
  const SkinDefinition d = Load(test);

  std::vector<std::string> names;
  for (const auto& b : d.CaptionButtons) names.push_back(b.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"BUTTON.CLOSE", "BUTTON.MAXIMIZE", "BUTTON.MINIMIZE",
                                             "BUTTON.RESTORE", "BUTTON.SYSTEMMENU", "BUTTON.SHOWN",
                                             "BUTTON.HELP", "BUTTON.LOWER", "BUTTON.FIXED",
                                             "MDICONTROLS", "MDICONTROLS", "MDICONTROLS"}));
  EXPECT_EQ(d.CaptionButtons[2].Frame, 3);  // 60 x 21 is squarer than 3.8 : 1
  EXPECT_EQ(d.CaptionButtons[5].Frame, 6);  // Action below 0 keeps 6
  EXPECT_EQ(d.CaptionButtons[5].Visibility1, -1);
  EXPECT_EQ(d.CaptionButtons[6].XCoord, 49);  // takes the maximize button's place
  EXPECT_EQ(d.CaptionButtons[6].YCoord, 5);
  EXPECT_TRUE(d.CaptionButtons[7].Bitmap.empty());  // Action 11 draws no image
  EXPECT_EQ(d.CaptionButtons[8].Frame, 2);          // given frame: kept, image kept
  EXPECT_FALSE(d.CaptionButtons[8].Bitmap.empty());
}

TEST(CaptionButtons, PlacesBeyondAnyImageAreBounded) {
  // The frame adds a button's place to the window's width and the caption text's edges.
  const SkinDefinition d = FromText(
      "[BUTTON.CLOSE]\nAction=0\nAlign=1\nXcoord=2147483647\nYcoord=-2147483648\n"
      "[BUTTON.HELP]\nAction=4\nAlign=2\nXcoord=-99999\nYcoord=16384\n");
  ASSERT_GE(d.CaptionButtons.size(), 2u);
  EXPECT_EQ(d.CaptionButtons[0].XCoord, skin::kMaxBmpDimension);
  EXPECT_EQ(d.CaptionButtons[0].YCoord, -skin::kMaxBmpDimension);
  EXPECT_EQ(d.CaptionButtons[1].XCoord, -skin::kMaxBmpDimension);
  EXPECT_EQ(d.CaptionButtons[1].YCoord, skin::kMaxBmpDimension);
  skin::CaptionLayoutInput in;
  in.frameWidth = 614;
  in.captionText = {-skin::kMaxBmpDimension, 0, skin::kMaxBmpDimension, 20};
  const skin::ImageRect r = skin::CaptionButtonRect(
      {2, d.CaptionButtons[1].XCoord, d.CaptionButtons[1].YCoord, 21, 21}, in);
  EXPECT_EQ(r.left, -21);
}

TEST(CaptionButtons, Action4WithoutAnEarlierMaximizeKeepsItsOwnPlace) {
  const SkinDefinition d = FromText(
      "[BUTTON.HELP]\nAction=4\nXcoord=3\nYcoord=4\n[BUTTON.MAX]\nAction=1\nVisibility=2\n"
      "Xcoord=50\n");
  EXPECT_EQ(d.CaptionButtons[0].XCoord, 3);
  EXPECT_EQ(d.CaptionButtons[0].YCoord, 4);
  EXPECT_EQ(d.CaptionButtons[0].Frame, 6);  // no image
  // Without an MDICONTROLS image the MDI buttons still exist, imageless.
  ASSERT_EQ(d.CaptionButtons.size(), 5u);
  EXPECT_TRUE(d.CaptionButtons[4].Bitmap.empty());
  EXPECT_EQ(d.CaptionButtons[4].XCoord, 0);
}
