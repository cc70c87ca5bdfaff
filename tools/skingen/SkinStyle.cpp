#include "SkinStyle.h"

#include <algorithm>
#include <cmath>

namespace skin::art {

// Generated at configure time from skins/<name>/skin.ini.
extern const unsigned char kSkinDefinitionText[];
extern const unsigned kSkinDefinitionSize;
extern const unsigned char kDarkSkinDefinitionText[];
extern const unsigned kDarkSkinDefinitionSize;

namespace {

std::string_view Text(const unsigned char* text, unsigned size) {
  return std::string_view(reinterpret_cast<const char*>(text), size);
}

SkinStyle MakeDefault() {
  namespace m = metrics;
  namespace t = theme;
  SkinStyle s;
  s.name = "default";
  s.definition = Text(kSkinDefinitionText, kSkinDefinitionSize);
  s.palette = Palette{
      t::kFace,
      t::kWindow,
      t::kMenu,
      t::kText,
      t::kEdge,
      t::kEdgeHot,
      t::kEdgePressed,
      t::kEdgeDisabled,
      t::kEdgeFocus,
      t::kGlyph,
      t::kGlyphHot,
      t::kGlyphPressed,
      t::kGlyphDisabled,
      t::kAccentLight,
      t::kAccent,
      t::kAccentDark,
      t::kFaceNormal,
      t::kFaceHot,
      t::kFacePressed,
      t::kFaceDisabled,
      FramePalette{Rgb(34, 78, 150),
                   Rgb(150, 198, 250),
                   Rgb(78, 144, 230),
                   Rgb(44, 100, 184),
                   {{0.0, Rgb(126, 186, 250)},
                    {0.46, Rgb(88, 154, 238)},
                    {0.54, Rgb(64, 132, 226)},
                    {1.0, Rgb(84, 152, 238)}},
                   Rgb(255, 255, 255, 0.55)},
      FramePalette{Rgb(132, 150, 178),
                   Rgb(242, 246, 252),
                   Rgb(198, 212, 234),
                   Rgb(160, 178, 206),
                   {{0.0, Rgb(230, 238, 249)},
                    {0.46, Rgb(212, 224, 241)},
                    {0.54, Rgb(200, 214, 235)},
                    {1.0, Rgb(210, 222, 240)}},
                   Rgb(255, 255, 255, 0.7)},
  };
  Metrics& k = s.metrics;
  k.buttonFace = m::kButtonFace;
  k.captionHeight = m::kCaptionHeight;
  k.sideWidth = m::kSideWidth;
  k.bottomHeight = m::kBottomHeight;
  k.topWidth = m::kTopWidth;
  k.sideHeight = m::kSideHeight;
  k.cornerRadius = m::kCornerRadius;
  k.bottomRadius = m::kBottomRadius;
  k.minCaptionWidth = m::kMinCaptionWidth;
  k.topEnds = 8;
  k.sideTop = 28;
  k.sideBottom = 8;
  k.bottomEnds = 4;
  k.captionStripes = 0;
  k.captionButton = m::kCaptionButton;
  k.buttonTop = m::kButtonTop;
  k.captionButtons.assign(std::begin(m::kCaptionButtons), std::end(m::kCaptionButtons));
  k.mdiButton = m::kMdiButton;
  k.pushButton = m::kPushButton;
  k.checkBox = m::kCheckBox;
  k.radioButton = m::kRadioButton;
  k.comboButton = m::kComboButton;
  k.extraImages = m::kExtraImages;
  k.scrollSize = m::kScrollSize;
  k.scrollArrows = m::kScrollArrows;
  k.scrollTrackH = m::kScrollTrackH;
  k.scrollThumbH = m::kScrollThumbH;
  k.thumbEnd = m::kThumbEnd;
  k.menuBackground = m::kMenuBackground;
  k.menuBorder = m::kMenuBorder;
  k.menuItem = m::kMenuItem;
  k.progress = m::kProgress;
  k.progressChunk = m::kProgressChunk;
  k.tabs = m::kTabs;
  k.tabSheet = m::kTabSheet;
  k.statusBar = m::kStatusBar;
  k.header = m::kHeader;
  k.trackThumbH = m::kTrackThumbH;
  k.trackChannelH = m::kTrackChannelH;
  k.spinV = m::kSpinV;
  k.spinGlyphV = m::kSpinGlyphV;
  k.spinH = m::kSpinH;
  k.spinGlyphH = m::kSpinGlyphH;
  k.menuBar = {0, 0, 0};
  k.sunkEdge = {0, 0, 0};
  k.comboGlyph = true;
  return s;
}

// Graphite with a teal accent. Sizes differ from the default on purpose: a smaller caption and
// thinner borders, caption buttons on the left, four-frame glyph strips, a fourth thumb frame.
SkinStyle MakeDark() {
  SkinStyle s = MakeDefault();
  s.name = "dark";
  s.definition = Text(kDarkSkinDefinitionText, kDarkSkinDefinitionSize);
  s.dark = true;
  s.palette = Palette{
      Rgb(45, 48, 54),
      Rgb(30, 32, 36),
      Rgb(38, 41, 46),
      Rgb(222, 226, 232),
      Rgb(84, 90, 100),
      Rgb(64, 176, 170),
      Rgb(40, 140, 136),
      Rgb(62, 65, 72),
      Rgb(72, 196, 188),
      Rgb(200, 206, 214),
      Rgb(120, 224, 214),
      Rgb(236, 240, 244),
      Rgb(98, 102, 110),
      Rgb(86, 200, 190),
      Rgb(40, 160, 152),
      Rgb(24, 112, 108),
      {Rgb(78, 83, 92), Rgb(66, 70, 78), Rgb(58, 62, 69), Rgb(52, 56, 62)},
      {Rgb(82, 100, 106), Rgb(70, 88, 94), Rgb(60, 78, 84), Rgb(54, 72, 78)},
      {Rgb(34, 36, 41), Rgb(38, 41, 46), Rgb(42, 45, 51), Rgb(46, 49, 55)},
      {Rgb(50, 52, 57), Rgb(49, 51, 56), Rgb(48, 50, 55), Rgb(47, 49, 54)},
      FramePalette{Rgb(12, 13, 16),
                   Rgb(72, 78, 88),
                   Rgb(36, 40, 46),
                   Rgb(20, 22, 26),
                   {{0.0, Rgb(60, 66, 76)},
                    {0.46, Rgb(46, 51, 59)},
                    {0.54, Rgb(40, 44, 51)},
                    {1.0, Rgb(44, 48, 56)}},
                   Rgb(255, 255, 255, 0.2)},
      FramePalette{Rgb(26, 27, 30),
                   Rgb(60, 62, 66),
                   Rgb(46, 48, 52),
                   Rgb(32, 33, 36),
                   {{0.0, Rgb(58, 60, 64)},
                    {0.46, Rgb(52, 54, 58)},
                    {0.54, Rgb(49, 51, 55)},
                    {1.0, Rgb(52, 54, 58)}},
                   Rgb(255, 255, 255, 0.08)},
  };
  Metrics& k = s.metrics;
  k.buttonFace = {45, 48, 54};
  k.captionHeight = 24;
  k.sideWidth = 3;
  k.bottomHeight = 3;
  k.topWidth = 640;
  k.sideHeight = 96;
  k.cornerRadius = 5;
  k.bottomRadius = 2;
  k.topEnds = 8;
  k.sideTop = 24;
  k.sideBottom = 6;
  k.bottomEnds = 4;
  k.captionStripes = 4;
  k.captionButton = {18, 18, 4};
  k.buttonTop = 3;
  k.captionButtons = {
      {"Button.Close", "closebutton.bmp", 0, 0, 8, 3, 0, 0},
      {"Button.Minimize", "minbutton.bmp", 2, 0, 30, 3, 8, 0},
      {"Button.Maximize", "maxbutton.bmp", 1, 0, 52, 3, 2, 6},
      {"Button.Restore", "restrorebutton.bmp", 1, 0, 52, 3, 1, 0},
      {"Button.SystemMenu", "", 3, 1, 24, 4, 0, 0},
  };
  k.pushButton = {28, 22, 5};
  k.checkBox = {14, 14, 4};
  k.radioButton = {14, 14, 4};
  k.comboButton = {19, 21, 4};
  k.scrollThumbH = {24, 17, 4};
  k.thumbEnd = 4;
  k.menuBorder = 2;
  k.menuItem = {24, 22, 5};
  k.progress = {24, 14, 2};
  k.progressChunk = {8, 10, 1};
  k.tabs = {40, 24, 5};
  k.statusBar = {12, 20, 3};
  k.header = {40, 22, 3};
  k.menuBar = {24, 20, 2};
  k.sunkEdge = {24, 21, 4};
  k.comboGlyph = false;
  return s;
}

}  // namespace

Rgba SkinStyle::Tone(Rgba c) const {
  if (!dark) return c;
  // Translucent white glosses and black shadows keep their sense on a dark face, only softer.
  if (c.a < 1 && c.r == c.g && c.g == c.b && (c.r == 1 || c.r == 0))
    return c.r == 1 ? WithAlpha(c, c.a * 0.35) : c;
  // HSL with the lightness turned round into a dim band and the saturation eased.
  const double mx = std::max({c.r, c.g, c.b}), mn = std::min({c.r, c.g, c.b});
  const double l = (mx + mn) / 2, d = mx - mn;
  double h = 0, sat = 0;
  if (d > 0) {
    sat = d / (1 - std::abs(2 * l - 1));
    if (mx == c.r)
      h = std::fmod((c.g - c.b) / d + 6, 6);
    else if (mx == c.g)
      h = (c.b - c.r) / d + 2;
    else
      h = (c.r - c.g) / d + 4;
  }
  const double l2 = 0.1 + (1 - l) * 0.72, s2 = std::min(sat * 0.7, 1.0);
  const double ch = (1 - std::abs(2 * l2 - 1)) * s2;
  const double x = ch * (1 - std::abs(std::fmod(h, 2) - 1)), base = l2 - ch / 2;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0:
      r = ch, g = x;
      break;
    case 1:
      r = x, g = ch;
      break;
    case 2:
      g = ch, b = x;
      break;
    case 3:
      g = x, b = ch;
      break;
    case 4:
      r = x, b = ch;
      break;
    default:
      r = ch, b = x;
      break;
  }
  return {r + base, g + base, b + base, c.a};
}

int SkinStyle::CaptionButtonX(const metrics::CaptionButton& button, int windowWidth) const {
  return button.align == 1 ? windowWidth - button.x : button.x;
}

const SkinStyle& DefaultStyle() {
  static const SkinStyle style = MakeDefault();
  return style;
}

const SkinStyle& DarkStyle() {
  static const SkinStyle style = MakeDark();
  return style;
}

const std::vector<const SkinStyle*>& ShippedStyles() {
  static const std::vector<const SkinStyle*> styles = {&DefaultStyle(), &DarkStyle()};
  return styles;
}

const SkinStyle* FindStyle(std::string_view name) {
  for (const SkinStyle* s : ShippedStyles())
    if (s->name == name) return s;
  return nullptr;
}

}  // namespace skin::art
