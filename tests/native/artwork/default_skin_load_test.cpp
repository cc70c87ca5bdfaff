// The default skin read back the way the program reads it: packed and compressed by skinpack,
// decoded by the package reader, its definition read through the catalogue, every image decoded
// from its BMP bytes. What the engine's painters assume of the shipped skin must hold here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DefaultSkin.h"
#include "SkinPack.h"
#include "imaging/BmpDecode.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

namespace {

using skin::PixelBuffer;

struct Loaded {
  skin::TSkinReader reader;
  skin::SkinDefinition definition;
};

const Loaded& LoadedSkin() {
  static const Loaded* loaded = [] {
    auto* l = new Loaded;
    std::vector<skinpack::PackageEntry> entries;
    for (const auto& e : skin::art::BuildDefaultSkin()) entries.push_back({e.name, e.bytes});
    const auto stream = skinpack::EncodeSkinStream(skinpack::BuildPackage(entries));
    if (!l->reader.LoadPackage(stream)) ADD_FAILURE() << l->reader.LastError();
    skin::TMemoryStream ini;
    std::string name;
    l->reader.FindEntryContaining(".ini", ini, name);
    skin::TQuickIni quick;
    quick.LoadFromStream(ini);
    const skin::TSkinReader& reader = l->reader;
    l->definition = skin::ReadSkinDefinition(quick, [&reader](const std::string& entry) {
      const auto bytes = reader.Entry(entry);
      if (bytes.empty()) return PixelBuffer();
      return skin::DecodeBmp(bytes.data(), bytes.size()).pixels;
    });
    return l;
  }();
  return *loaded;
}

const skin::SkinDefinition& Def() { return LoadedSkin().definition; }

TEST(DefaultSkinLoad, PackageKeepsTheToolOrderAndEveryImageDecodesToWhatWasDrawn) {
  const auto drawn = skin::art::BuildDefaultSkin();
  const skin::TSkinReader& reader = LoadedSkin().reader;
  ASSERT_EQ(reader.Names().size(), 37u);
  const auto& expectedOrder = skinpack::DefaultEntryOrder();
  for (size_t i = 0; i < expectedOrder.size(); ++i) EXPECT_EQ(reader.Names()[i], expectedOrder[i]);
  for (const auto& e : drawn) {
    if (e.image.empty()) continue;
    const auto bytes = reader.Entry(e.name);
    const skin::BmpImage decoded = skin::DecodeBmp(bytes.data(), bytes.size());
    EXPECT_EQ(decoded.info.bitsPerPixel, 24) << e.name;
    EXPECT_TRUE(decoded.pixels == e.image) << e.name;
  }
}

TEST(DefaultSkinLoad, FrameBordersGiveCaption28Sides4Bottom5) {
  const auto& d = Def();
  auto thickness = [](const skin::ElementDef& e, bool vertical) {
    return e.Frame ? (vertical ? e.Bitmap.height() : e.Bitmap.width()) / e.Frame : 0;
  };
  EXPECT_EQ(thickness(d.Top, true), 28);
  EXPECT_EQ(thickness(d.Left, false), 4);
  EXPECT_EQ(thickness(d.Right, false), 4);
  EXPECT_EQ(thickness(d.Bottom, true), 5);
  for (const auto* e : {&d.Left, &d.Right, &d.Top}) EXPECT_EQ(e->Trans, 1) << e->Name;
  // The sampled title colour (a third into the active caption) is a caption blue, not the key.
  const skin::Colour title = d.Top.Bitmap.Get(d.Top.Bitmap.width() / 3, 28 / 3);
  EXPECT_NE(title, skin::kMagenta);
  EXPECT_GT(skin::BlueOf(title), skin::RedOf(title) + 60);
}

TEST(DefaultSkinLoad, CaptionButtonsAreTheFiveSkinButtonsAndTheThreeMdiButtons) {
  const auto& buttons = Def().CaptionButtons;
  ASSERT_EQ(buttons.size(), 8u);
  struct Expect {
    int action, align, x, y, visibility, visibility1, frames;
    bool image;
  };
  const Expect expected[] = {{0, 1, 25, 5, 0, 0, 6, true},      {1, 1, 49, 5, 2, 6, 6, true},
                             {2, 1, 73, 5, 8, 0, 6, true},      {1, 1, 49, 5, 1, 0, 6, true},
                             {3, 0, 8, 7, 0, 0, 6, false},      {7, 100, 0, 0, 100, 100, 4, true},
                             {8, 100, 0, 0, 100, 100, 4, true}, {9, 100, 0, 0, 100, 100, 4, true}};
  for (size_t i = 0; i < buttons.size(); ++i) {
    const auto& b = buttons[i];
    const Expect& e = expected[i];
    SCOPED_TRACE(b.Name);
    EXPECT_EQ(b.Action, e.action);
    EXPECT_EQ(b.Align, e.align);
    if (i < 5) {
      EXPECT_EQ(b.XCoord, e.x);
      EXPECT_EQ(b.YCoord, e.y);
    }
    EXPECT_EQ(b.Visibility, e.visibility);
    EXPECT_EQ(b.Visibility1, e.visibility1);
    EXPECT_EQ(b.Frame, e.frames);
    EXPECT_EQ(!b.Bitmap.empty(), e.image);
  }
  // A close button 21 pixels wide: on a window 614 wide its rectangle is (589, 5, 610, 26).
  const auto& close = buttons[0];
  EXPECT_EQ(close.Bitmap.width() / close.Frame, 21);
  EXPECT_EQ(close.Bitmap.height(), 21);
  EXPECT_EQ(614 - close.XCoord + close.Bitmap.width() / close.Frame, 610);
  // MDI buttons: 4 of the 12 columns each.
  for (int k = 0; k < 3; ++k) EXPECT_EQ(buttons[5 + k].Bitmap.width(), 4 * 16);
}

TEST(DefaultSkinLoad, ElementsAndColoursMatchWhatThePaintersExpect) {
  const auto& d = Def();
  EXPECT_EQ(d.SkinName, "Tarvimo Sky");
  ASSERT_FALSE(d.Buttons.Bitmap.empty());
  EXPECT_EQ(d.Buttons.Bitmap.width() % 5, 0);
  EXPECT_EQ(d.Buttons.CheckButtonFrame, 12);
  EXPECT_EQ(d.Buttons.RadioButtonFrame, 8);
  EXPECT_EQ(d.Buttons.CheckButton.width(), 12 * 13);
  EXPECT_EQ(d.Buttons.RadioButton.width(), 8 * 13);
  EXPECT_EQ(d.Find("SunkEdge"), nullptr);
  for (const char* name : {"ComboButton",
                           "Track",
                           "TRACKVERT",
                           "Scrollbar",
                           "HorzScroll",
                           "VertScroll",
                           "HorzScrollThumb",
                           "VertScrollThumb",
                           "MenuItem",
                           "MenuBackground",
                           "Tabs",
                           "Tab.Pane",
                           "Headerbar",
                           "StatusBarEdges",
                           "ExtraImages",
                           "Progress.Chunk",
                           "Trackbar.ThumbHorz",
                           "Trackbar.ThumbVert",
                           "UpDown.Vert",
                           "UpDown.Horz"}) {
    const skin::ElementDef* e = d.Find(name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_FALSE(e->Bitmap.empty()) << name;
  }
  ASSERT_TRUE(d.Progress.has_value());
  EXPECT_EQ(d.Progress->Bitmap.width() % 2, 0);
  const skin::ElementDef& combo = *d.Find("ComboButton");
  EXPECT_EQ(combo.Style, 1) << "without SunkEdge only the flat style draws anything";
  EXPECT_EQ(combo.Bitmap.width() % 4, 0);
  EXPECT_EQ(d.Find("Scrollbar")->Bitmap.width(), 23 * 17);
  EXPECT_EQ(d.HorzScrollThumbFrameCount, 3);
  for (const char* updown : {"UpDown.Vert", "UpDown.Horz"})
    EXPECT_EQ(d.Find(updown)->Bitmap2.width() % 8, 0) << updown;

  const skin::ColourEntry face = d.Colours[skin::ciButtonFace];
  EXPECT_TRUE(face.given);
  EXPECT_EQ(face.colour, skin::MakeColour(227, 238, 253));
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 18})
    EXPECT_TRUE(d.Colours[i].given) << "colour " << i;
}

}  // namespace
