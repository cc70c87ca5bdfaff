// The dark skin as the engine will read it: packed, decoded by the package reader, its definition
// read through the catalogue and its images through the BMP reader. Besides the frames and sizes
// the definition announces, it must carry what the default skin leaves out (tiled middles, a menu
// bar, a sunken combo edge the skin data composes, 4-frame glyph strips and thumbs, caption
// buttons on the left), and it must look unlike the default skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DefaultSkin.h"
#include "SkinPack.h"
#include "SkinStyle.h"
#include "imaging/BmpDecode.h"
#include "skin/data/SkinDerived.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

namespace {

using skin::Colour;
using skin::kMagenta;
using skin::PixelBuffer;

const skin::art::SkinStyle& Style() { return skin::art::DarkStyle(); }

struct Loaded {
  std::vector<skin::art::SkinEntry> drawn;
  skin::TSkinReader reader;
  skin::SkinDefinition d;
};

const Loaded& Skin() {
  static const Loaded* loaded = [] {
    auto* l = new Loaded;
    l->drawn = skin::art::BuildSkin(Style());
    std::vector<skinpack::PackageEntry> entries;
    for (const auto& e : l->drawn) entries.push_back({e.name, e.bytes});
    if (!l->reader.LoadPackage(skinpack::EncodeSkinStream(skinpack::BuildPackage(entries))))
      ADD_FAILURE() << l->reader.LastError();
    skin::TMemoryStream text;
    std::string name;
    l->reader.FindEntryContaining(".ini", text, name);
    skin::TQuickIni ini;
    ini.LoadFromStream(text);
    const skin::TSkinReader& reader = l->reader;
    l->d = skin::ReadSkinDefinition(ini, [&reader](const std::string& entry) {
      const auto bytes = reader.Entry(entry);
      return bytes.empty() ? PixelBuffer() : skin::DecodeBmp(bytes.data(), bytes.size()).pixels;
    });
    return l;
  }();
  return *loaded;
}

const skin::SkinDefinition& Def() { return Skin().d; }

const skin::ElementDef& Element(const char* name) {
  const skin::ElementDef* e = Def().Find(name);
  if (!e) throw std::runtime_error(std::string("no element ") + name);
  return *e;
}

// Frame `frame` (1-based) of a strip, side by side or stacked.
PixelBuffer FrameOf(const PixelBuffer& strip, int frames, int frame, bool stacked = false) {
  const int w = stacked ? strip.width() : strip.width() / frames;
  const int h = stacked ? strip.height() / frames : strip.height();
  PixelBuffer out(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out.Set(x, y,
              strip.Get(stacked ? x : w * (frame - 1) + x, stacked ? h * (frame - 1) + y : y));
  return out;
}

void ExpectDistinctFrames(const PixelBuffer& strip, int frames, bool stacked, const char* what) {
  for (int i = 1; i <= frames; ++i)
    for (int j = i + 1; j <= frames; ++j)
      EXPECT_FALSE(FrameOf(strip, frames, i, stacked) == FrameOf(strip, frames, j, stacked))
          << what << " frames " << i << " and " << j;
}

int Luma(Colour c) {
  return (299 * skin::RedOf(c) + 587 * skin::GreenOf(c) + 114 * skin::BlueOf(c)) / 1000;
}

TEST(DarkSkin, PackageHoldsTheDefaultImagesThenItsOwnThenTheDefinition) {
  const skin::TSkinReader& reader = Skin().reader;
  const auto& order = skinpack::DefaultEntryOrder();
  // Then the frame's 8 images in larger art before the definition.
  ASSERT_EQ(reader.Count(), order.size() + 11);
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(reader.Names()[i], order[i]);
  EXPECT_EQ(reader.Names()[order.size()], "sunkedge.bmp");
  EXPECT_EQ(reader.Names()[order.size() + 1], "menubar.bmp");
  EXPECT_EQ(reader.Names().back(), "skin.ini");
  EXPECT_EQ(std::string(Skin().drawn.back().bytes.begin(), Skin().drawn.back().bytes.end()),
            std::string(Style().definition));
  EXPECT_EQ(Def().SkinName, "Tarvimo Graphite");
}

TEST(DarkSkin, FrameMetricsDifferFromTheDefaultAndBordersTileTheirMiddles) {
  const auto& m = Style().metrics;
  const skin::SkinDefinition& d = Def();
  EXPECT_EQ(d.Top.Bitmap.height() / d.Top.Frame, m.captionHeight);
  EXPECT_EQ(d.Left.Bitmap.width() / d.Left.Frame, m.sideWidth);
  EXPECT_EQ(d.Right.Bitmap.width() / d.Right.Frame, m.sideWidth);
  EXPECT_EQ(d.Bottom.Bitmap.height() / d.Bottom.Frame, m.bottomHeight);
  EXPECT_NE(m.captionHeight, skin::art::DefaultStyle().metrics.captionHeight);
  EXPECT_NE(m.sideWidth, skin::art::DefaultStyle().metrics.sideWidth);
  for (const skin::ElementDef* e : {&d.Left, &d.Right, &d.Top, &d.Bottom})
    EXPECT_EQ(e->Tile, 0) << e->Name << ": Stretch 0 tiles the middle";

  // A tiled middle repeats itself: the caption's pinstripes must meet across every copy, which
  // holds when each stored row is periodic over the middle and the middle is whole periods long.
  const int period = m.captionStripes;
  ASSERT_GT(period, 0);
  const int first = d.Top.LeftWidth, last = d.Top.Bitmap.width() - d.Top.RightWidth;
  EXPECT_EQ((last - first) % period, 0);
  for (int y = 0; y < d.Top.Bitmap.height(); ++y)
    for (int x = first; x + period < last; ++x)
      ASSERT_EQ(d.Top.Bitmap.Get(x, y), d.Top.Bitmap.Get(x + period, y)) << x << "," << y;
  // The pinstripes show: the caption is not flat along a row.
  EXPECT_NE(d.Top.Bitmap.Get(first, m.captionHeight / 2),
            d.Top.Bitmap.Get(first + 1, m.captionHeight / 2));
  for (const skin::ElementDef* side : {&d.Left, &d.Right})
    for (int y = side->TopHeight + 1; y < side->Bitmap.height() - side->BottomHeight; ++y)
      for (int x = 0; x < side->Bitmap.width(); ++x)
        ASSERT_EQ(side->Bitmap.Get(x, y), side->Bitmap.Get(x, side->TopHeight)) << side->Name;
}

TEST(DarkSkin, PanelsTileTheirMiddles) {
  for (const char* name : {"Progress.Chunk", "Tab.Pane", "StatusBarEdges", "Headerbar",
                           "MenuBackground", "HorzScroll", "VertScroll", "Track", "TRACKVERT"})
    EXPECT_EQ(Element(name).Tile, 1) << name;
  ASSERT_TRUE(Def().Progress.has_value());
  EXPECT_EQ(Def().Progress->Tile, 1);
}

TEST(DarkSkin, MenuBarIsTwoStackedOpaqueFramesWithATiledCentre) {
  ASSERT_TRUE(Def().MenuBar.has_value());
  const skin::MenuBarDef& bar = *Def().MenuBar;
  EXPECT_EQ(bar.Tile, 1) << "TileMenu 1";
  const int frames = skin::FrameCountAfterLoad("MenuBar", bar.Frame, bar.Style);
  ASSERT_EQ(frames, 2);
  EXPECT_EQ(bar.Bitmap.height(), 2 * Style().metrics.menuBar.frameHeight);
  ExpectDistinctFrames(bar.Bitmap, 2, true, "menu bar");
  // Stretched to any width: every column alike.
  for (int y = 0; y < bar.Bitmap.height(); ++y)
    for (int x = 1; x < bar.Bitmap.width(); ++x) {
      ASSERT_NE(bar.Bitmap.Get(x, y), kMagenta);
      ASSERT_EQ(bar.Bitmap.Get(x, y), bar.Bitmap.Get(0, y)) << x << "," << y;
    }
}

// The skin data turns SunkEdge + ComboButton + ExtraImages into one image per state; what it
// composes from this skin must be a framed field with a hole for the text and an arrow on a button.
TEST(DarkSkin, SunkEdgeComposesIntoAComboWithItsArrow) {
  const skin::ElementDef& sunk = Element("SunkEdge");
  const skin::ElementDef& combo = Element("ComboButton");
  const skin::ElementDef& extra = Element("ExtraImages");
  const int frames = skin::FrameCountAfterLoad("SunkEdge", sunk.Frame, sunk.Style);
  ASSERT_EQ(frames, 4);
  EXPECT_EQ(sunk.Bitmap.width() % frames, 0);
  EXPECT_EQ(sunk.Trans, 0);
  ExpectDistinctFrames(sunk.Bitmap, frames, false, "sunken edge");
  auto source = [](const skin::ElementDef& e, int n, bool keyed) {
    skin::FrameSource s;
    s.image = &e.Bitmap;
    s.frames = n;
    s.left = e.LeftWidth, s.top = e.TopHeight, s.right = e.RightWidth, s.bottom = e.BottomHeight;
    s.transparent = keyed;
    return s;
  };
  constexpr int kButtonWidth = 19;  // SM_CXHSCROLL + 2 at the usual 17
  const PixelBuffer strip =
      skin::CombinedComboStrip(source(sunk, frames, false), source(combo, 4, true),
                               source(extra, 5, true), frames, kButtonWidth);
  ASSERT_EQ(strip.width(), frames * skin::kComboCellWidth);
  const int w = skin::kComboCellWidth, h = skin::kComboCellHeight;
  for (int f = 0; f < frames; ++f) {
    const int x0 = f * w;
    SCOPED_TRACE(f + 1);
    EXPECT_EQ(strip.Get(x0 + 10, h / 2), kMagenta) << "the text field is a hole";
    EXPECT_NE(strip.Get(x0 + 1, h / 2), kMagenta) << "the edge frames the field";
    // The button's face and its arrow: the centre of the button column is the glyph, which
    // stands out from the button face beside it.
    const int cx = x0 + w - kButtonWidth / 2 - 1;
    const Colour arrow = strip.Get(cx, h / 2), face = strip.Get(cx - 6, h / 2);
    EXPECT_NE(arrow, kMagenta);
    EXPECT_NE(face, kMagenta);
    EXPECT_GT(std::abs(Luma(arrow) - Luma(face)), 40) << "the arrow shows on the button";
  }
  // Without its own arrow the button would otherwise carry two.
  const PixelBuffer button = FrameOf(combo.Bitmap, 4, 1);
  const Colour middle = button.Get(button.width() / 2, button.height() / 2);
  EXPECT_LT(std::abs(Luma(middle) - Luma(button.Get(3, button.height() / 2))), 12);
}

TEST(DarkSkin, GlyphStripsAndThumbsHaveTheirOwnFrameCounts) {
  const skin::ButtonsDef& b = Def().Buttons;
  EXPECT_EQ(b.CheckButtonFrame, 4);
  EXPECT_EQ(b.RadioButtonFrame, 4);
  EXPECT_EQ(b.CheckButton.width(), 4 * Style().metrics.checkBox.frameWidth);
  EXPECT_EQ(b.RadioButton.width(), 4 * Style().metrics.radioButton.frameWidth);
  ExpectDistinctFrames(b.CheckButton, 4, false, "check box");
  ExpectDistinctFrames(b.RadioButton, 4, false, "radio button");
  ExpectDistinctFrames(b.Bitmap, 5, false, "push button");

  EXPECT_EQ(Def().HorzScrollThumbFrameCount, 4);
  EXPECT_EQ(Def().VertScrollThumbFrameCount, 4);
  for (const char* name : {"HorzScrollThumb", "VertScrollThumb"}) {
    const PixelBuffer& thumb = Element(name).Bitmap;
    EXPECT_EQ(thumb.width() % 4, 0) << name;
    ExpectDistinctFrames(thumb, 4, false, name);
  }
  const skin::ElementDef& h = Element("HorzScrollThumb");
  for (int f = 1; f <= 4; ++f) {
    const PixelBuffer frame = FrameOf(h.Bitmap, 4, f);
    for (int y = 0; y < frame.height(); ++y)
      for (int x = h.LeftWidth + 1; x < frame.width() - h.RightWidth; ++x)
        ASSERT_EQ(frame.Get(x, y), frame.Get(h.LeftWidth, y)) << "thumb frame " << f;
  }
}

TEST(DarkSkin, CaptionButtonsSitOnTheLeftInsideTheCaption) {
  const auto& m = Style().metrics;
  const auto& buttons = Def().CaptionButtons;
  ASSERT_EQ(buttons.size(), m.captionButtons.size() + 3);
  int right = m.sideWidth;  // the first button clears the left border
  for (size_t i = 0; i < m.captionButtons.size(); ++i) {
    const skin::CaptionButtonDef& b = buttons[i];
    SCOPED_TRACE(b.Name);
    if (b.Bitmap.empty()) continue;
    EXPECT_EQ(b.Align, 0);
    EXPECT_EQ(b.Frame, 4);
    EXPECT_EQ(b.Bitmap.width(), 4 * m.captionButton.frameWidth);
    ExpectDistinctFrames(b.Bitmap, 4, false, b.Name.c_str());
    EXPECT_GE(b.YCoord, 0);
    EXPECT_LE(b.YCoord + b.Bitmap.height(), m.captionHeight);
    if (b.Action == 1 && b.Visibility == 1) continue;  // restore takes maximize's place
    EXPECT_GE(b.XCoord, right) << "buttons overlap";
    right = b.XCoord + m.captionButton.frameWidth;
  }
  EXPECT_EQ(buttons[0].Action, 0) << "close comes first, at the far left";
}

TEST(DarkSkin, LooksUnlikeTheDefaultSkin) {
  const skin::ColourEntry face = Def().Colours[skin::ciButtonFace];
  ASSERT_TRUE(face.given);
  EXPECT_EQ(face.colour, Style().metrics.buttonFace.Value());
  EXPECT_LT(Luma(face.colour), 80);
  EXPECT_GT(Luma(Def().Colours[skin::ciButtonText].colour), 180) << "light text on dark faces";
  const Colour title = skin::SampleTitleColour(Def().Top.Bitmap, Def().Top.Frame, face.colour);
  EXPECT_LT(Luma(title), 90);
  // Every drawn image is mostly dark (the transparent key aside).
  for (const auto& e : Skin().drawn) {
    if (e.image.empty()) continue;
    long long sum = 0, n = 0;
    for (int y = 0; y < e.image.height(); ++y)
      for (int x = 0; x < e.image.width(); ++x)
        if (e.image.Get(x, y) != kMagenta) sum += Luma(e.image.Get(x, y)), ++n;
    if (n) {
      EXPECT_LT(sum / n, 128) << e.name;
    }
  }
}

// GDI keys out only exact magenta; a blend into it would leave pink fringes.
TEST(DarkSkin, NoPixelIsAlmostMagentaAndDrawingIsDeterministic) {
  for (const auto& e : Skin().drawn)
    for (int y = 0; y < e.image.height(); ++y)
      for (int x = 0; x < e.image.width(); ++x) {
        const Colour c = e.image.Get(x, y);
        if (c == kMagenta) continue;
        ASSERT_FALSE(skin::RedOf(c) > 150 && skin::GreenOf(c) < 110 && skin::BlueOf(c) > 150 &&
                     skin::RedOf(c) - skin::GreenOf(c) > 80)
            << e.name << " at " << x << "," << y;
      }
  const auto again = skin::art::BuildSkin(Style());
  ASSERT_EQ(again.size(), Skin().drawn.size());
  for (size_t i = 0; i < again.size(); ++i)
    EXPECT_EQ(again[i].bytes, Skin().drawn[i].bytes) << again[i].name;
}

}  // namespace
