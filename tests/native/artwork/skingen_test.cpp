// The default skin as the engine will read it: the package entries in order, every image cut into
// the frames the definition announces, transparency only where the painters expect it, stretchable
// middles that do not seam, distinct state frames, and the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "DefaultSkin.h"
#include "SkinMetrics.h"
#include "SkinPack.h"
#include "Theme.h"
#include "skin/data/ScaledArt.h"

namespace {

using skin::Colour;
using skin::kMagenta;
using skin::PixelBuffer;
using skin::art::SkinEntry;

// The package order the skin stream format expects; skinpack packs by it when no order is given.
const std::vector<std::string>& kPackageOrder = skinpack::DefaultEntryOrder();

const std::vector<SkinEntry>& Skin() {
  static const std::vector<SkinEntry> entries = skin::art::BuildDefaultSkin();
  return entries;
}

const PixelBuffer& Image(const std::string& name) {
  for (const SkinEntry& e : Skin())
    if (e.name == name) return e.image;
  static const PixelBuffer none;
  ADD_FAILURE() << "no entry " << name;
  return none;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A small reading of the definition: sections and keys in lower case, first occurrence wins.
class Definition {
 public:
  explicit Definition(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::string line, section;
    while (std::getline(in, line)) {
      line = Trimmed(line);
      if (line.empty() || line[0] == ';') continue;
      if (line.front() == '[' && line.back() == ']') {
        section = Lower(line.substr(1, line.size() - 2));
        order_.push_back(section);
        sections_[section];
        continue;
      }
      const auto eq = line.find('=');
      if (eq == std::string::npos) continue;
      sections_[section].emplace(Lower(Trimmed(line.substr(0, eq))), Trimmed(line.substr(eq + 1)));
    }
  }
  bool Has(const std::string& section) const { return sections_.count(Lower(section)) > 0; }
  std::string Get(const std::string& section, const std::string& key) const {
    auto s = sections_.find(Lower(section));
    if (s == sections_.end()) return {};
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? std::string() : k->second;
  }
  int Int(const std::string& section, const std::string& key, int fallback = 0) const {
    const std::string v = Get(section, key);
    return v.empty() ? fallback : std::stoi(v);
  }
  const std::vector<std::string>& Sections() const { return order_; }

 private:
  std::map<std::string, std::map<std::string, std::string>> sections_;
  std::vector<std::string> order_;
};

const Definition& Ini() {
  static const Definition ini(skin::art::DefaultSkinDefinition());
  return ini;
}

PixelBuffer FrameOf(const PixelBuffer& strip, int frames, int frame, bool vertical = false) {
  const int w = vertical ? strip.width() : strip.width() / frames;
  const int h = vertical ? strip.height() / frames : strip.height();
  PixelBuffer out(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out.Set(x, y,
              strip.Get(vertical ? x : w * (frame - 1) + x, vertical ? h * (frame - 1) + y : y));
  return out;
}

int CountMagenta(const PixelBuffer& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.Get(x, y) == kMagenta;
  return n;
}

TEST(DefaultSkin, EntriesAreThe36ImagesInPackageOrderThenTheDefinition) {
  // The 36, the frame's 8 images in larger art, the definition.
  ASSERT_EQ(Skin().size(), 45u);
  for (size_t i = 0; i < kPackageOrder.size(); ++i) {
    EXPECT_EQ(Skin()[i].name, kPackageOrder[i]) << "entry " << i;
    const std::vector<uint8_t>& bmp = Skin()[i].bytes;
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[28], 24) << Skin()[i].name << " must be a 24-bit BMP";
  }
  EXPECT_TRUE(Skin().back().name.ends_with(".ini"));
  EXPECT_EQ(std::string(Skin().back().bytes.begin(), Skin().back().bytes.end()),
            std::string(skin::art::DefaultSkinDefinition()));
}

// The larger art is the same drawing twice as fine: exactly twice the size, magenta where the
// image is (but for the silhouette's own edge pixels), and every 2 x 2 block close to the image's
// pixel in colour. Art cut from the wrong place of the larger window would fail all three.
TEST(DefaultSkin, LargerFrameArtIsTheSameDrawingTwiceAsFine) {
  int checked = 0;
  for (const SkinEntry& e : Skin()) {
    const auto larger = skin::ParseScaledArtName(e.name);
    if (!larger) continue;
    ++checked;
    const PixelBuffer& base = Image(larger->base);
    ASSERT_EQ(e.image.width(), 2 * base.width()) << e.name;
    ASSERT_EQ(e.image.height(), 2 * base.height()) << e.name;
    int keyMismatch = 0, far = 0, opaque = 0;
    for (int y = 0; y < base.height(); ++y)
      for (int x = 0; x < base.width(); ++x) {
        int keyed = 0, r = 0, g = 0, b = 0;
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) {
            const Colour c = e.image.Get(2 * x + dx, 2 * y + dy);
            if (c == kMagenta) {
              ++keyed;
              continue;
            }
            r += skin::RedOf(c), g += skin::GreenOf(c), b += skin::BlueOf(c);
          }
        const Colour c = base.Get(x, y);
        if ((c == kMagenta) != (keyed >= 2)) ++keyMismatch;
        if (c == kMagenta || keyed == 4) continue;
        const int n = 4 - keyed;
        ++opaque;
        if (std::abs(r / n - skin::RedOf(c)) + std::abs(g / n - skin::GreenOf(c)) +
                std::abs(b / n - skin::BlueOf(c)) >
            90)
          ++far;
      }
    const int pixels = base.width() * base.height();
    EXPECT_LE(keyMismatch, pixels / 50 + 4) << e.name;
    EXPECT_LE(far, opaque / 20 + 4) << e.name;
  }
  EXPECT_EQ(checked, 8);
}

TEST(DefaultSkin, FrameAndCaptionButtonSizesGiveTheExpectedMetrics) {
  struct Size {
    const char* name;
    int w, h;
  };
  for (const Size& s : {Size{"frametop.bmp", 632, 56}, Size{"frameleft.bmp", 8, 100},
                        Size{"frameright.bmp", 8, 100}, Size{"framebottom.bmp", 632, 10},
                        Size{"closebutton.bmp", 126, 21}, Size{"maxbutton.bmp", 126, 21},
                        Size{"minbutton.bmp", 126, 21}, Size{"restrorebutton.bmp", 126, 21}}) {
    EXPECT_EQ(Image(s.name).width(), s.w) << s.name;
    EXPECT_EQ(Image(s.name).height(), s.h) << s.name;
  }
  // Caption height 28, side borders 4, bottom border 5 (frame count 2 each).
  EXPECT_EQ(Image("frametop.bmp").height() / Ini().Int("Personality", "TopFrame"), 28);
  EXPECT_EQ(Image("frameleft.bmp").width() / Ini().Int("Personality", "LeftFrame"), 4);
  EXPECT_EQ(Image("framebottom.bmp").height() / Ini().Int("Personality", "BottomFrame"), 5);
}

TEST(DefaultSkin, DefinitionGivesTheCatalogueValuesThePaintersRelyOn) {
  namespace metrics = skin::art::metrics;
  const Definition& ini = Ini();
  const auto& face = metrics::kButtonFace;
  EXPECT_EQ(ini.Get("Colours", "ButtonFace"),
            std::to_string(face.r) + " " + std::to_string(face.g) + " " + std::to_string(face.b));
  EXPECT_FALSE(ini.Has("SunkEdge"));
  EXPECT_TRUE(ini.Has("Track"));
  EXPECT_TRUE(ini.Has("TRACKVERT"));
  EXPECT_EQ(ini.Int("Buttons", "CheckButtonFrame"), metrics::kCheckBox.frames);
  EXPECT_EQ(ini.Int("Buttons", "RadioButtonFrame"), metrics::kRadioButton.frames);
  EXPECT_EQ(ini.Int("Scrollbar", "Frame"), metrics::kScrollArrows.frames);

  // Caption buttons, in section order, as the metrics place them.
  std::vector<std::string> buttons;
  for (const std::string& s : ini.Sections())
    if (s.rfind("button", 0) == 0 && s != "buttons") buttons.push_back(s);
  ASSERT_EQ(buttons.size(), std::size(metrics::kCaptionButtons));
  for (size_t i = 0; i < buttons.size(); ++i) {
    const std::string& s = buttons[i];
    const auto& e = metrics::kCaptionButtons[i];
    std::string section = e.section;
    for (char& c : section) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(s, section);
    EXPECT_EQ(ini.Int(s, "Action"), e.action) << s;
    EXPECT_EQ(ini.Int(s, "Align"), e.align) << s;
    EXPECT_EQ(ini.Int(s, "Xcoord"), e.x) << s;
    EXPECT_EQ(ini.Int(s, "Ycoord"), e.y) << s;
    EXPECT_EQ(ini.Int(s, "Visibility"), e.visibility) << s;
    EXPECT_EQ(ini.Int(s, "Visibility1"), e.visibility1) << s;
    EXPECT_EQ(ini.Get(s, "ButtonImage"), e.image) << s;
    if (*e.image) {
      EXPECT_EQ(ini.Int(s, "frame"), metrics::kCaptionButton.frames) << s;
    }
  }
}

// Every image the definition names exists, and its frame count and margins fit the image.
TEST(DefaultSkin, EveryReferencedImageExistsAndSplitsIntoItsFrames) {
  const Definition& ini = Ini();
  struct Use {
    const char* section;
    const char* key;
    int frames;  // as the skin data fixes it, or read from the definition when 0
  };
  const std::vector<Use> uses = {{"Buttons", "Bitmap", 5},
                                 {"Buttons", "CheckButton", 0},
                                 {"Buttons", "RadioButton", 0},
                                 {"Progress", "Bitmap", 2},
                                 {"Progress.Chunk", "Image", 0},
                                 {"Tabs", "Image", 5},
                                 {"Tab.Pane", "Image", 0},
                                 {"ComboButton", "Image", 4},
                                 {"StatusBarEdges", "Image", 3},
                                 {"Headerbar", "Image", 0},
                                 {"Scrollbar", "Image", 23},
                                 {"HorzScroll", "Image", 4},
                                 {"VertScroll", "Image", 4},
                                 {"HorzScrollThumb", "Image", 0},
                                 {"VertScrollThumb", "Image", 0},
                                 {"MenuItem", "Image", 5},
                                 {"MenuBackground", "Image", 1},
                                 {"ExtraImages", "Image", 5},
                                 {"Trackbar.ThumbHorz", "Image", 5},
                                 {"Trackbar.ThumbVert", "Image", 5},
                                 {"Track", "Image", 0},
                                 {"TRACKVERT", "Image", 0},
                                 {"UpDown.Vert", "Image", 8},
                                 {"UpDown.Vert", "GlyphImage", 8},
                                 {"UpDown.Horz", "Image", 8},
                                 {"UpDown.Horz", "GlyphImage", 8},
                                 {"MDICONTROLS", "Image", 12}};
  std::set<std::string> referenced;
  for (const Use& u : uses) {
    const std::string name = ini.Get(u.section, u.key);
    SCOPED_TRACE(std::string(u.section) + "/" + u.key + " = " + name);
    ASSERT_FALSE(name.empty());
    referenced.insert(name);
    const PixelBuffer& image = Image(name);
    int frames = u.frames;
    if (frames == 0) {
      const std::string key = std::string(u.key) == "CheckButton"   ? "CheckButtonFrame"
                              : std::string(u.key) == "RadioButton" ? "RadioButtonFrame"
                              : ini.Has(u.section) && !ini.Get(u.section, "FrameCount").empty()
                                  ? "FrameCount"
                                  : "Frame";
      frames = ini.Int(u.section, key);
    }
    ASSERT_GT(frames, 0);
    EXPECT_EQ(image.width() % frames, 0) << "frames of unequal width";
    const int frameWidth = image.width() / frames;
    if (std::string(u.key) == "Image" || std::string(u.key) == "Bitmap") {
      EXPECT_LT(ini.Int(u.section, "LeftWidth") + ini.Int(u.section, "RightWidth"), frameWidth);
      EXPECT_LT(ini.Int(u.section, "TopHeight") + ini.Int(u.section, "BottomHeight"),
                image.height());
    }
  }
  for (const char* side : {"Left", "Right", "Top", "Bottom"})
    referenced.insert(ini.Get("Personality", side));
  for (const char* b : {"Button.Close", "Button.Maximize", "Button.Minimize", "Button.Restore"})
    referenced.insert(ini.Get(b, "ButtonImage"));
  referenced.insert(ini.Get("Personality", "MinCaption"));
  for (const std::string& name : kPackageOrder)
    EXPECT_TRUE(referenced.count(name)) << name << " unused";
  EXPECT_EQ(Image("scrollbararrow.bmp").width() / 23, Image("scrollbararrow.bmp").height())
      << "arrows and grips are squares of the bar's thickness";
}

TEST(DefaultSkin, MagentaMarksTheWindowCornersButNeverTheCaption) {
  const PixelBuffer& top = Image("frametop.bmp");
  for (int frameTop : {0, 28}) {
    EXPECT_EQ(top.Get(0, frameTop), kMagenta);
    EXPECT_EQ(top.Get(631, frameTop), kMagenta);
    // The stretched middle of the caption is opaque on every row.
    for (int y = frameTop; y < frameTop + 28; ++y)
      for (int x = 8; x < 624; ++x) ASSERT_NE(top.Get(x, y), kMagenta) << x << "," << y;
  }
  EXPECT_NE(top.Get(316, 14), kMagenta);
  const PixelBuffer& left = Image("frameleft.bmp");
  EXPECT_EQ(left.Get(0, 0), kMagenta);
  EXPECT_EQ(left.Get(4, 0), kMagenta);
  for (int y = 28; y < 92; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_NE(left.Get(x, y), kMagenta);
  EXPECT_EQ(CountMagenta(Image("framebottom.bmp")), 0) << "the bottom border is drawn opaque";
  EXPECT_EQ(CountMagenta(Image("buttons.bmp")), 0) << "push buttons are blended into the face";
  EXPECT_EQ(CountMagenta(FrameOf(Image("menuitem.bmp"), 5, 1)), 24 * 20)
      << "a normal menu item lets the popup background show";
}

// A blend into the key colour would leave pinkish fringes where GDI keys out only exact magenta.
TEST(DefaultSkin, NoPixelIsAlmostMagenta) {
  for (const SkinEntry& e : Skin())
    for (int y = 0; y < e.image.height(); ++y)
      for (int x = 0; x < e.image.width(); ++x) {
        const Colour c = e.image.Get(x, y);
        if (c == kMagenta) continue;
        const bool pinkish = skin::RedOf(c) > 150 && skin::GreenOf(c) < 110 &&
                             skin::BlueOf(c) > 150 && skin::RedOf(c) - skin::GreenOf(c) > 80;
        ASSERT_FALSE(pinkish) << e.name << " at " << x << "," << y;
      }
}

// The painters stretch the middle of nine-slice images; a middle that is not uniform along the
// stretch would show seams or smeared detail.
TEST(DefaultSkin, StretchedMiddlesAreUniformAlongTheStretch) {
  auto uniformColumns = [](const PixelBuffer& img, int x0, int x1) {
    for (int y = 0; y < img.height(); ++y)
      for (int x = x0 + 1; x < x1; ++x)
        if (img.Get(x, y) != img.Get(x0, y)) return false;
    return true;
  };
  auto uniformRows = [](const PixelBuffer& img, int y0, int y1) {
    for (int x = 0; x < img.width(); ++x)
      for (int y = y0 + 1; y < y1; ++y)
        if (img.Get(x, y) != img.Get(x, y0)) return false;
    return true;
  };
  const Definition& ini = Ini();
  const int topLeft = ini.Int("Personality", "TopTopHeight");
  const int topRight = ini.Int("Personality", "TopBotHeight");
  EXPECT_TRUE(uniformColumns(Image("frametop.bmp"), topLeft, 632 - topRight));
  EXPECT_TRUE(uniformColumns(Image("framebottom.bmp"), ini.Int("Personality", "BottomTopHeight"),
                             632 - ini.Int("Personality", "BottomBotHeight")));
  for (const char* side : {"frameleft.bmp", "frameright.bmp"})
    EXPECT_TRUE(uniformRows(Image(side), ini.Int("Personality", "LeftTopHeight"),
                            100 - ini.Int("Personality", "LeftBotHeight")))
        << side;
  for (int f = 1; f <= 3; ++f) {
    const PixelBuffer h = FrameOf(Image("scrollbarhthumb.bmp"), 3, f);
    EXPECT_TRUE(uniformColumns(h, 5, h.width() - 5)) << "thumb frame " << f;
    const PixelBuffer v = FrameOf(Image("scrollbarvthumb.bmp"), 3, f);
    EXPECT_TRUE(uniformRows(v, 5, v.height() - 5)) << "thumb frame " << f;
  }
  for (int f = 1; f <= 4; ++f)
    EXPECT_TRUE(uniformColumns(FrameOf(Image("scrollbarhbar.bmp"), 4, f), 0, 24)) << f;
  for (int f = 1; f <= 5; ++f)
    EXPECT_TRUE(uniformColumns(FrameOf(Image("buttons.bmp"), 5, f), 4, 28)) << "button " << f;
}

// The frame painter puts Left, Top and Right side by side and Bottom between the sides: the
// pixels that meet must continue each other, in both activation states.
TEST(DefaultSkin, FramePiecesJoinWithoutSeams) {
  const PixelBuffer& left = Image("frameleft.bmp");
  const PixelBuffer& right = Image("frameright.bmp");
  const PixelBuffer& top = Image("frametop.bmp");
  const PixelBuffer& bottom = Image("framebottom.bmp");
  for (int state = 0; state < 2; ++state) {
    const int side = 4 * state, row = 28 * state, low = 5 * state;
    for (int y = 9; y < 28; ++y) {
      EXPECT_EQ(left.Get(side + 3, y), top.Get(0, row + y)) << "left/top row " << y;
      EXPECT_EQ(right.Get(side, y), top.Get(631, row + y)) << "top/right row " << y;
    }
    for (int y = 0; y < 5; ++y) {
      EXPECT_EQ(left.Get(side + 3, 95 + y), bottom.Get(0, low + y)) << "left/bottom row " << y;
      EXPECT_EQ(right.Get(side, 95 + y), bottom.Get(631, low + y)) << "bottom/right row " << y;
    }
  }
}

// Frames that show different states must look different; a copy-paste slip would not.
TEST(DefaultSkin, StateFramesAreDistinct) {
  struct Group {
    const char* name;
    int frames;
    std::vector<int> distinct;
  };
  const std::vector<Group> groups = {
      {"buttons.bmp", 5, {1, 2, 3, 4, 5}},
      {"checkbox.bmp", 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {"radiobutton.bmp", 8, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"comboboxbtn.bmp", 4, {1, 2, 3, 4}},
      {"scrollbararrow.bmp", 23, {1, 2, 3, 4, 5, 6, 9, 10, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22}},
      {"scrollbarhthumb.bmp", 3, {1, 2, 3}},
      {"scrollbarhbar.bmp", 4, {1, 3}},
      {"closebutton.bmp", 6, {1, 2, 3, 4}},
      {"maxbutton.bmp", 6, {1, 2, 3, 4}},
      {"minbutton.bmp", 6, {1, 2, 3, 4}},
      {"restrorebutton.bmp", 6, {1, 2, 3, 4}},
      {"spin.bmp", 8, {1, 2, 3, 4}},
      {"spinarrow.bmp", 8, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"tab.bmp", 5, {1, 2, 3, 4, 5}},
      {"header.bmp", 3, {1, 2, 3}},
      {"menuitem.bmp", 5, {1, 2, 4}},
      {"progress.bmp", 2, {1, 2}},
      {"statusbar.bmp", 3, {1, 2, 3}},
      {"trackthumbh.bmp", 5, {2, 3, 4, 5}},
      {"mdibutton.bmp", 12, {1, 2, 4, 5, 6, 8, 9, 10, 12}},
  };
  for (const Group& g : groups)
    for (size_t i = 0; i < g.distinct.size(); ++i)
      for (size_t j = i + 1; j < g.distinct.size(); ++j)
        EXPECT_FALSE(FrameOf(Image(g.name), g.frames, g.distinct[i]) ==
                     FrameOf(Image(g.name), g.frames, g.distinct[j]))
            << g.name << " frames " << g.distinct[i] << " and " << g.distinct[j];
  // Top, Left, Right and Bottom differ between active and inactive.
  EXPECT_FALSE(FrameOf(Image("frametop.bmp"), 2, 1, true) ==
               FrameOf(Image("frametop.bmp"), 2, 2, true));
  EXPECT_FALSE(FrameOf(Image("frameleft.bmp"), 2, 1) == FrameOf(Image("frameleft.bmp"), 2, 2));
}

// A grip is drawn magenta-keyed over the thumb: only its ridges may be opaque, inside the thumb.
TEST(DefaultSkin, GripsAreRidgesOnMagenta) {
  const PixelBuffer& strip = Image("scrollbararrow.bmp");
  for (int f = 17; f <= 22; ++f) {
    const PixelBuffer grip = FrameOf(strip, 23, f);
    const int opaque = grip.width() * grip.height() - CountMagenta(grip);
    EXPECT_GT(opaque, 10) << f;
    EXPECT_LT(opaque, grip.width() * grip.height() / 2) << f;
    for (int i = 0; i < grip.width(); ++i) {
      EXPECT_EQ(grip.Get(i, 0), kMagenta) << f;
      EXPECT_EQ(grip.Get(0, i), kMagenta) << f;
    }
  }
}

TEST(DefaultSkin, DrawingIsDeterministicAndTheFolderListsItsOrder) {
  const std::vector<SkinEntry> again = skin::art::BuildDefaultSkin();
  ASSERT_EQ(again.size(), Skin().size());
  for (size_t i = 0; i < again.size(); ++i)
    EXPECT_EQ(again[i].bytes, Skin()[i].bytes) << again[i].name;

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("skingen_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  ASSERT_EQ(skin::art::WriteSkinFolder(Skin(), dir.string()), "");
  std::ifstream order(dir / "order.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(order, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), Skin().size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i], Skin()[i].name);
    std::ifstream file(dir / lines[i], std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(bytes, Skin()[i].bytes) << lines[i];
  }
  std::filesystem::remove_all(dir);
  EXPECT_NE(skin::art::WriteSkinFolder(Skin(), (dir / "missing" / "deeper").string()), "");
}

}  // namespace
