// The default skin read back the way the program reads it: packed and compressed by skinpack,
// decoded by the package reader, its definition read through the catalogue, every image decoded
// from its BMP bytes. What the engine's painters assume of the shipped skin must hold here.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "DefaultSkin.h"
#include "SkinMetrics.h"
#include "SkinPack.h"
#include "imaging/BmpDecode.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

namespace {

using skin::PixelBuffer;
namespace metrics = skin::art::metrics;

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
  ASSERT_EQ(reader.Names().size(), 45u);  // with the frame's 8 images in larger art
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

TEST(DefaultSkinLoad, FrameBordersGiveTheCaptionAndBorderThicknesses) {
  const auto& d = Def();
  auto thickness = [](const skin::ElementDef& e, bool vertical) {
    return e.Frame ? (vertical ? e.Bitmap.height() : e.Bitmap.width()) / e.Frame : 0;
  };
  EXPECT_EQ(thickness(d.Top, true), metrics::kCaptionHeight);
  EXPECT_EQ(thickness(d.Left, false), metrics::kSideWidth);
  EXPECT_EQ(thickness(d.Right, false), metrics::kSideWidth);
  EXPECT_EQ(thickness(d.Bottom, true), metrics::kBottomHeight);
  for (const auto* e : {&d.Left, &d.Right, &d.Top}) EXPECT_EQ(e->Trans, 1) << e->Name;
  // The sampled title colour (a third into the active caption) is a caption blue, not the key.
  const skin::Colour title =
      d.Top.Bitmap.Get(d.Top.Bitmap.width() / 3, metrics::kCaptionHeight / 3);
  EXPECT_NE(title, skin::kMagenta);
  EXPECT_GT(skin::BlueOf(title), skin::RedOf(title) + 60);
}

TEST(DefaultSkinLoad, CaptionButtonsAreTheSkinsButtonsAndTheThreeMdiButtons) {
  const auto& buttons = Def().CaptionButtons;
  const auto& skinButtons = metrics::kCaptionButtons;
  const size_t count = std::size(skinButtons);
  ASSERT_EQ(buttons.size(), count + 3);
  for (size_t i = 0; i < count; ++i) {
    const auto& b = buttons[i];
    const auto& e = skinButtons[i];
    SCOPED_TRACE(b.Name);
    EXPECT_EQ(b.Action, e.action);
    EXPECT_EQ(b.Align, e.align);
    EXPECT_EQ(b.XCoord, e.x);
    EXPECT_EQ(b.YCoord, e.y);
    EXPECT_EQ(b.Visibility, e.visibility);
    EXPECT_EQ(b.Visibility1, e.visibility1);
    EXPECT_EQ(b.Bitmap.empty(), !*e.image);
    if (*e.image) {
      EXPECT_EQ(b.Frame, metrics::kCaptionButton.frames);
      EXPECT_EQ(b.Bitmap.width() / b.Frame, metrics::kCaptionButton.frameWidth);
      EXPECT_EQ(b.Bitmap.height(), metrics::kCaptionButton.frameHeight);
      // Right-aligned buttons stay clear of the right border.
      if (e.align == 1) {
        EXPECT_GE(b.XCoord - metrics::kCaptionButton.frameWidth, metrics::kSideWidth);
      }
    }
  }
  // The MDI buttons, cut from one strip, each with its own four frames.
  for (size_t k = 0; k < 3; ++k) {
    const auto& b = buttons[count + k];
    SCOPED_TRACE(k);
    EXPECT_EQ(b.Action, 7 + static_cast<int>(k));
    EXPECT_EQ(b.Align, 100);
    EXPECT_EQ(b.Visibility, 100);
    EXPECT_EQ(b.Frame, 4);
    EXPECT_EQ(b.Bitmap.width(), metrics::kMdiButton.frames * metrics::kMdiButton.frameWidth);
  }
}

TEST(DefaultSkinLoad, ElementsAndColoursMatchWhatThePaintersExpect) {
  const auto& d = Def();
  EXPECT_EQ(d.SkinName, "Tarvimo Sky");
  ASSERT_FALSE(d.Buttons.Bitmap.empty());
  EXPECT_EQ(d.Buttons.Bitmap.width() % 5, 0);
  EXPECT_EQ(d.Buttons.CheckButtonFrame, metrics::kCheckBox.frames);
  EXPECT_EQ(d.Buttons.RadioButtonFrame, metrics::kRadioButton.frames);
  EXPECT_EQ(d.Buttons.CheckButton.width(),
            metrics::kCheckBox.frames * metrics::kCheckBox.frameWidth);
  EXPECT_EQ(d.Buttons.RadioButton.width(),
            metrics::kRadioButton.frames * metrics::kRadioButton.frameWidth);
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
  EXPECT_EQ(d.Find("Scrollbar")->Bitmap.width(),
            metrics::kScrollArrows.frames * metrics::kScrollArrows.frameWidth);
  EXPECT_EQ(d.HorzScrollThumbFrameCount, 3);
  for (const char* updown : {"UpDown.Vert", "UpDown.Horz"})
    EXPECT_EQ(d.Find(updown)->Bitmap2.width() % 8, 0) << updown;

  const skin::ColourEntry face = d.Colours[skin::ciButtonFace];
  EXPECT_TRUE(face.given);
  EXPECT_EQ(face.colour, metrics::kButtonFace.Value());
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 18})
    EXPECT_TRUE(d.Colours[i].given) << "colour " << i;
}

}  // namespace
