#include "ZooSkins.h"

#include <algorithm>
#include <string_view>

namespace testskin {

namespace {

// The optional images of the test skin, by the builder's ids: the zoo's sparse skin leaves out all
// of them, and each of the others keeps or drops some.
constexpr std::string_view kOptional[] = {
    "Progress",       "Progress.Chunk",     "GroupBoxEdge",       "GroupBox",
    "Tabs",           "StatusBarEdges",     "Tab.Pane",           "ToolBars",
    "ComboButton",    "ExtraImages",        "Headerbar",          "MenuItem",
    "MenuBackground", "Scrollbar",          "HorzScroll",         "VertScroll",
    "HorzScrollThumb", "VertScrollThumb",   "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
    "UpDown.Horz",    "UpDown.Vert",        "UpDown.Horz.Glyph",  "UpDown.Vert.Glyph",
    "Track",          "TRACKVERT",          "MenuBar",            "MDICONTROLS",
    "Buttons.CheckButton", "Buttons.RadioButton"};

// The control strips whose nine-slice margins and tiling the style sets.
constexpr std::string_view kControlStrips[] = {
    "Buttons",     "Progress.Chunk", "GroupBoxEdge", "Tabs",       "StatusBarEdges",
    "Tab.Pane",    "ToolBars",       "ComboButton",  "SunkEdge",   "Headerbar",
    "MenuItem",    "HorzScroll",     "VertScroll",   "HorzScrollThumb", "VertScrollThumb",
    "UpDown.Horz", "UpDown.Vert",    "Track",        "TRACKVERT"};

std::string Str(int v) { return std::to_string(v); }

void Borders(TestSkin& s, const ZooStyle& z) {
  const int side = z.borderWidth;
  // The reference window the borders are drawn for is 632 pixels wide, as the default skin's.
  if (side == 0) {
    for (const char* id : {"Left", "Right", "Bottom"}) s.Omit(id);
  } else {
    s.SetFrameSize("Left", side, 100).SetFrameSize("Right", side, 100);
    s.SetFrameSize("Bottom", 632, side);
  }
  s.SetFrameSize("Top", 632, z.captionHeight);
  const int ends = std::min(120, z.captionHeight + 2);
  for (const char* id : {"Left", "Right", "Top", "Bottom"}) {
    const std::string key(id);
    if (side > 0 || key == "Top") s.SetFrames(id, z.borderFrames);
    s.SetIni("Personality", key + "Stretch", z.stretch ? "1" : "0");
    s.SetIni("Personality", key + "Trans", z.transparentBorders ? "1" : "0");
  }
  for (const char* id : {"Left", "Right"}) {
    s.SetIni("Personality", std::string(id) + "TopHeight", Str(std::min(ends, 50)));
    s.SetIni("Personality", std::string(id) + "BotHeight", Str(std::min(ends, 50)));
  }
  for (const char* id : {"Top", "Bottom"}) {
    s.SetIni("Personality", std::string(id) + "TopHeight", Str(ends));
    s.SetIni("Personality", std::string(id) + "BotHeight", Str(ends));
  }
  if (z.cornerKey > 0) s.KeyCorners("Top", z.cornerKey);
  s.SetIni("Personality", "TextAlignment", Str(z.textAlignment));
  s.SetIni("Fonts", "FontHeight", Str(std::clamp(z.captionHeight / 2, 10, 24)));
}

// Caption buttons that fit the caption: square, a few pixels inside it. Right-aligned buttons
// give the distance from the window's right edge to their left side, left-aligned ones their x.
void CaptionButtons(TestSkin& s, const ZooStyle& z) {
  const int size = std::clamp(z.captionHeight - 8, 10, 40);
  const int top = std::max(1, (z.captionHeight - size) / 2);
  const int step = size + 3;
  const int inset = z.borderWidth + 2;
  int rightCount = 0, leftCount = 0;
  for (const char* section : {"BUTTON.CLOSE", "BUTTON.MAXIMIZE", "BUTTON.MINIMIZE"}) {
    const bool left = z.buttons == ButtonSide::kLeft ||
                      (z.buttons == ButtonSide::kMixed && std::string_view(section) != "BUTTON.CLOSE");
    const int x = left ? inset + step * leftCount++ : inset + step * rightCount++ + size;
    // Maximize and restore share a place: one of them shows at a time.
    for (std::string_view id : {std::string_view(section), std::string_view("BUTTON.RESTORE")}) {
      if (id == "BUTTON.RESTORE" && std::string_view(section) != "BUTTON.MAXIMIZE") continue;
      const std::string name(id);
      s.SetFrameSize(id, size, size);
      s.SetIni(name, "Align", left ? "0" : "1");
      s.SetIni(name, "Xcoord", Str(x));
      s.SetIni(name, "Ycoord", Str(top));
    }
  }
  // The caption text starts after the buttons on the left.
  s.SetIni("Personality", "TextShift", Str(inset + step * leftCount + 4));
}

void Controls(TestSkin& s, const ZooStyle& z) {
  for (std::string_view id : kControlStrips) {
    const std::string section(id);
    for (const char* m : {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight"})
      s.SetIni(section, m, Str(z.margin));
    s.SetIni(section, "Tile", z.tileControls ? "1" : "0");
    if (z.controlScale != 1) {
      const ImageSpec& image = s.ImageDef(id);
      s.SetFrameSize(id, image.frameWidth * z.controlScale, image.frameHeight * z.controlScale);
    }
  }
  if (z.margin <= 1) {
    // Frames just big enough for their margins and one pixel of middle.
    for (std::string_view id : kControlStrips) s.SetFrameSize(id, 3, 3);
    s.SetFrameSize("Buttons", 3, 3);
  }
  if (z.singleFrames) {
    for (const char* id : {"Progress.Chunk", "Headerbar", "Track", "TRACKVERT", "HorzScrollThumb",
                           "VertScrollThumb"})
      s.SetFrames(id, 1);
  }
  if (z.mostFrames) {
    s.SetFrames("HorzScrollThumb", 4).SetFrames("VertScrollThumb", 4);
  }
  if (z.huge) {
    for (const char* id : {"MenuBackground", "Tab.Pane", "GroupBox"}) s.SetFrameSize(id, 512, 512);
    s.SetFrameSize("Top", 1024, z.captionHeight);
  }
  if (z.sunkEdge) s.Include("SunkEdge");
  if (!z.menuBar) s.Omit("MenuBar");
  if (z.sparse)
    for (std::string_view id : kOptional) s.Omit(id);
}

}  // namespace

const std::vector<ZooStyle>& ZooStyles() {
  static const std::vector<ZooStyle> styles = [] {
    std::vector<ZooStyle> v;
    ZooStyle z;
    z.name = "zoo-tall";  // the largest caption and borders, centred text, every extra
    z.captionHeight = 60, z.borderWidth = 16, z.textAlignment = 1, z.sunkEdge = true;
    z.cornerKey = 6;
    v.push_back(z);
    z = {};
    z.name = "zoo-thin";  // the smallest caption, no side borders, no menu bar
    z.captionHeight = 18, z.borderWidth = 0, z.menuBar = false;
    v.push_back(z);
    z = {};
    z.name = "zoo-tiled";  // tiled middles everywhere, opaque borders
    z.stretch = false, z.tileControls = true, z.transparentBorders = false, z.borderWidth = 6;
    v.push_back(z);
    z = {};
    z.name = "zoo-left";  // caption buttons on the left, text on the right
    z.buttons = ButtonSide::kLeft, z.textAlignment = 2, z.captionHeight = 24;
    v.push_back(z);
    z = {};
    z.name = "zoo-mixed";  // close on the right, the others on the left
    z.buttons = ButtonSide::kMixed, z.textAlignment = 1, z.captionHeight = 32, z.borderWidth = 8;
    v.push_back(z);
    z = {};
    z.name = "zoo-single";  // one frame wherever the definition gives a count
    z.borderFrames = 1, z.singleFrames = true, z.sunkEdge = true;
    v.push_back(z);
    z = {};
    z.name = "zoo-most";  // the most frames the elements take
    z.mostFrames = true, z.captionHeight = 40, z.borderWidth = 12;
    v.push_back(z);
    z = {};
    z.name = "zoo-sparse";  // every optional element missing
    z.sparse = true, z.menuBar = false;
    v.push_back(z);
    z = {};
    z.name = "zoo-tiny";  // 1-pixel margins on 3-pixel frames, 1-pixel borders
    z.margin = 1, z.borderWidth = 1, z.captionHeight = 20;
    v.push_back(z);
    z = {};
    z.name = "zoo-huge";  // 512-pixel backgrounds, controls drawn at four times their size
    z.huge = true, z.controlScale = 4, z.captionHeight = 48, z.borderWidth = 10;
    v.push_back(z);
    z = {};
    z.name = "zoo-rtl";  // for right-to-left windows: buttons left, text right, tiled
    z.buttons = ButtonSide::kLeft, z.textAlignment = 2, z.stretch = false, z.sunkEdge = true;
    v.push_back(z);
    return v;
  }();
  return styles;
}

TestSkin ZooSkin(const ZooStyle& style) {
  TestSkin s;
  s.SetIni("TitlebarSkin", "SkinName", style.name);
  // Dark flat menu colours under the test skin's light text: a zoo skin without menu images stays
  // readable.
  s.SetIni("Colours", "Menu", "40 44 52").SetIni("Colours", "Menubar", "36 40 48");
  Borders(s, style);
  CaptionButtons(s, style);
  Controls(s, style);
  return s;
}

}  // namespace testskin
