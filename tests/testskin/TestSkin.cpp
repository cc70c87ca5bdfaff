#include "TestSkin.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace testskin {

using skin::Colour;
using skin::PixelBuffer;

namespace {
std::string ToString(int v) { return std::to_string(v); }
}  // namespace

std::string ButtonFaceText() {
  const auto& face = skin::art::metrics::kButtonFace;
  return ToString(face.r) + " " + ToString(face.g) + " " + ToString(face.b);
}

void TestSkin::AddImage(ImageSpec image) {
  Set(image.section, image.key, image.entry);
  if (!image.frameKey.empty()) Set(image.section, image.frameKey, ToString(image.frames));
  images_.push_back(std::move(image));
}

TestSkin::TestSkin() {
  Set("TitlebarSkin", "SkinName", "Test skin");

  // Frame borders, with the default skin's metrics.
  AddImage({"Left", "Personality", "Left", "frameleft.bmp", 2, 4, 100, false, "LeftFrame"});
  AddImage({"Right", "Personality", "Right", "frameright.bmp", 2, 4, 100, false, "RightFrame"});
  AddImage({"Top", "Personality", "Top", "frametop.bmp", 2, 632, 28, true, "TopFrame"});
  AddImage({"Bottom", "Personality", "Bottom", "framebottom.bmp", 2, 632, 5, true, "BottomFrame"});
  for (const char* side : {"Left", "Right"}) {
    Set("Personality", std::string(side) + "TopHeight", "30");
    Set("Personality", std::string(side) + "BotHeight", "30");
    Set("Personality", std::string(side) + "Stretch", "1");
    Set("Personality", std::string(side) + "Trans", "0");
  }
  for (const char* side : {"Top", "Bottom"}) {
    Set("Personality", std::string(side) + "TopHeight", "120");
    Set("Personality", std::string(side) + "BotHeight", "120");
    Set("Personality", std::string(side) + "Stretch", "1");
    Set("Personality", std::string(side) + "Trans", "1");
  }
  Set("Personality", "TextShift", "30");
  Set("Personality", "TextShiftVert", "0");
  Set("Personality", "TextAlignment", "0");
  AddImage({"MenuBar", "Personality", "menuBar", "menubar.bmp", 2, 40, 20, true, ""});
  Set("Fonts", "FontHeight", "14");

  // Text colours are light: every frame colour is dark (blue 0x40, green by frame), so the text
  // stays readable where the skin puts it, as the lint asks of any skin.
  const std::pair<const char*, std::string> colours[] = {
      {"WindowText", "250 250 246"},    {"ButtonFace", ButtonFaceText()},
      {"Scrollbar", "200 220 250"},     {"HilightText", "255 255 254"},
      {"Hilight", "0 84 170"},          {"Menubar", "220 232 250"},
      {"Menu", "250 251 253"},          {"MenuText", "250 240 230"},
      {"ButtonText", "245 245 240"},    {"ButtonHilight", "254 254 255"},
      {"Buttonlight", "240 245 252"},   {"ButtonShadow", "160 180 210"},
      {"ButtonDkShadow", "90 110 140"}, {"MenuBarText", "240 250 245"},
      {"TitleTextActive", "255 254 250"}, {"TitleTextNoActive", "230 232 236"},
  };
  for (const auto& [key, value] : colours) Set("Colours", key, value);

  // Caption buttons as the default skin has them, in upper case (the engine's names for them).
  for (const auto& c : skin::art::metrics::kCaptionButtons) {
    std::string section = c.section;
    for (char& ch : section) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    Set(section, "Action", ToString(c.action));
    Set(section, "Align", ToString(c.align));
    Set(section, "Xcoord", ToString(c.x));
    Set(section, "Ycoord", ToString(c.y));
    Set(section, "Visibility", ToString(c.visibility));
    if (c.visibility1) Set(section, "Visibility1", ToString(c.visibility1));
    if (*c.image) {
      const auto& strip = skin::art::metrics::kCaptionButton;
      AddImage({section, section, "ButtonImage", c.image, strip.frames, strip.frameWidth,
                strip.frameHeight, false, ""});
    }
  }
  AddImage({"MDICONTROLS", "MDICONTROLS", "Image", "mdibutton.bmp", 12, 16, 14, false, ""});

  AddImage({"Buttons", "Buttons", "Bitmap", "buttons.bmp", 5, 24, 22, false, ""});
  for (const char* m : {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight"})
    Set("Buttons", m, "3");
  AddImage({"Buttons.CheckButton", "Buttons", "CheckButton", "checkbox.bmp", 12, 13, 13, false,
            "CheckButtonFrame"});
  AddImage({"Buttons.RadioButton", "Buttons", "RadioButton", "radiobutton.bmp", 8, 13, 13, false,
            "RadioButtonFrame"});

  AddImage({"Progress", "Progress", "Bitmap", "progress.bmp", 2, 30, 14, false, ""});
  Set("Progress", "LeftWidth", "2");
  Set("Progress", "RightWidth", "2");
  // Optional elements with the common image keys.
  struct Common {
    const char *name, *entry;
    int frames, w, h;
    const char* frameKey;
  };
  const Common common[] = {
      {"Progress.Chunk", "progresschunk.bmp", 1, 8, 10, "Frame"},
      {"GroupBoxEdge", "groupboxedge.bmp", 2, 20, 20, ""},
      {"GroupBox", "groupbox.bmp", 1, 40, 20, ""},
      {"Tabs", "tab.bmp", 5, 30, 20, ""},
      {"StatusBarEdges", "statusbar.bmp", 3, 20, 20, ""},
      {"Tab.Pane", "tabsheet.bmp", 1, 30, 30, ""},
      {"ToolBars", "toolbars.bmp", 5, 20, 20, ""},
      {"ComboButton", "comboboxbtn.bmp", 4, 17, 19, ""},
      {"SunkEdge", "sunkedge.bmp", 4, 20, 21, ""},
      {"ExtraImages", "extraimages.bmp", 5, 9, 9, ""},
      {"Headerbar", "header.bmp", 5, 20, 18, "Frame"},
      {"MenuItem", "menuitem.bmp", 5, 30, 20, ""},
      {"MenuBackground", "menubackground.bmp", 1, 30, 30, ""},
      {"Scrollbar", "scrollbararrow.bmp", 23, 17, 17, ""},
      {"HorzScroll", "scrollbarhbar.bmp", 4, 30, 17, ""},
      {"VertScroll", "scrollbarvbar.bmp", 4, 17, 30, ""},
      {"HorzScrollThumb", "scrollbarhthumb.bmp", 3, 30, 17, "FrameCount"},
      {"VertScrollThumb", "scrollbarvthumb.bmp", 3, 17, 30, "FrameCount"},
      {"Trackbar.ThumbHorz", "trackthumbh.bmp", 5, 11, 20, ""},
      {"Trackbar.ThumbVert", "trackthumbv.bmp", 5, 20, 11, ""},
      {"UpDown.Horz", "spinh.bmp", 8, 10, 15, ""},
      {"UpDown.Vert", "spin.bmp", 8, 15, 10, ""},
      {"Track", "trackbar.bmp", 1, 20, 6, "Frame"},
      {"TRACKVERT", "trackbarv.bmp", 1, 6, 20, "Frame"},
  };
  for (const Common& c : common) {
    AddImage({c.name, c.name, "Image", c.entry, c.frames, c.w, c.h, false, c.frameKey});
    for (const char* m : {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight"})
      Set(c.name, m, "2");
  }
  AddImage(
      {"UpDown.Horz.Glyph", "UpDown.Horz", "GlyphImage", "spinharrow.bmp", 8, 7, 7, false, ""});
  AddImage({"UpDown.Vert.Glyph", "UpDown.Vert", "GlyphImage", "spinarrow.bmp", 8, 7, 7, false, ""});
  Set("ComboButton", "Trans", "1");
  Omit("SunkEdge");
}

TestSkin::Section& TestSkin::SectionNamed(std::string_view name) {
  for (Section& s : sections_)
    if (s.name == name) return s;
  sections_.push_back({std::string(name), {}});
  return sections_.back();
}

void TestSkin::Set(std::string_view section, std::string_view key, std::string value) {
  Section& s = SectionNamed(section);
  for (Key& k : s.keys) {
    if (k.key == key) {
      k.value = std::move(value);
      return;
    }
  }
  s.keys.push_back({std::string(key), std::move(value)});
}

ImageSpec& TestSkin::Mutable(std::string_view id) {
  for (ImageSpec& s : images_)
    if (s.id == id) return s;
  throw std::invalid_argument("test skin has no image " + std::string(id));
}

const ImageSpec& TestSkin::ImageDef(std::string_view id) const {
  return const_cast<TestSkin*>(this)->Mutable(id);
}

TestSkin& TestSkin::Omit(std::string_view id) {
  ImageSpec& s = Mutable(id);
  s.present = false;
  RemoveIni(s.section, s.key);
  return *this;
}

TestSkin& TestSkin::Include(std::string_view id) {
  ImageSpec& s = Mutable(id);
  s.present = true;
  Set(s.section, s.key, s.entry);
  return *this;
}

TestSkin& TestSkin::OmitEntry(std::string_view id) {
  Mutable(id).entryPresent = false;
  return *this;
}

TestSkin& TestSkin::SetFrames(std::string_view id, int frames) {
  ImageSpec& s = Mutable(id);
  s.frames = frames;
  if (!s.frameKey.empty()) Set(s.section, s.frameKey, ToString(frames));
  return *this;
}

TestSkin& TestSkin::SetFrameSize(std::string_view id, int width, int height) {
  ImageSpec& s = Mutable(id);
  s.frameWidth = width;
  s.frameHeight = height;
  return *this;
}

TestSkin& TestSkin::Corrupt(std::string_view id, Corruption how) {
  ImageSpec& s = Mutable(id);
  s.corrupt = true;
  s.corruption = how;
  return *this;
}

TestSkin& TestSkin::KeyCorners(std::string_view id, int size) {
  Mutable(id).keyedCorner = size;
  return *this;
}

TestSkin& TestSkin::SetBitsPerPixel(int bits) {
  if (bits != 24 && bits != 32) throw std::invalid_argument("24 or 32 bits per pixel");
  bits_ = bits;
  return *this;
}

TestSkin& TestSkin::SetIni(std::string_view section, std::string_view key, std::string_view value) {
  Set(section, key, std::string(value));
  return *this;
}

TestSkin& TestSkin::RemoveIni(std::string_view section, std::string_view key) {
  Section& s = SectionNamed(section);
  std::erase_if(s.keys, [&](const Key& k) { return k.key == key; });
  return *this;
}

TestSkin& TestSkin::RemoveSection(std::string_view section) {
  std::erase_if(sections_, [&](const Section& s) { return s.name == section; });
  return *this;
}

TestSkin& TestSkin::SetVersion(uint32_t version) {
  version_ = version;
  return *this;
}

Colour TestSkin::FrameColour(std::string_view id, int frame) const {
  size_t index = 0;
  while (index < images_.size() && images_[index].id != id) ++index;
  if (index == images_.size())
    throw std::invalid_argument("test skin has no image " + std::string(id));
  // Red tells the image, green the frame; blue keeps every colour away from magenta and from the
  // colour table's values.
  return skin::MakeColour(static_cast<int>(16 + 4 * index) & 0xFF, (frame * 7) & 0xFF, 0x40);
}

PixelBuffer TestSkin::Image(std::string_view id) const {
  const ImageSpec& s = ImageDef(id);
  const int frames = s.frames > 0 ? s.frames : 1;
  const int w = s.stacked ? s.frameWidth : s.frameWidth * frames;
  const int h = s.stacked ? s.frameHeight * frames : s.frameHeight;
  PixelBuffer image(w, h, bits_);
  for (int f = 0; f < frames; ++f) {
    const Colour c = FrameColour(id, f + 1);
    if (s.stacked) {
      image.FillRect(0, f * s.frameHeight, w, (f + 1) * s.frameHeight, c);
    } else {
      image.FillRect(f * s.frameWidth, 0, (f + 1) * s.frameWidth, h, c);
    }
    if (const int k = s.keyedCorner; k > 0) {
      const int left = s.stacked ? 0 : f * s.frameWidth;
      const int top = s.stacked ? f * s.frameHeight : 0;
      image.FillRect(left, top, left + k, top + k, skin::kMagenta);
      image.FillRect(left + s.frameWidth - k, top, left + s.frameWidth, top + k, skin::kMagenta);
    }
  }
  return image;
}

std::string TestSkin::IniText() const {
  std::string text = "; test skin: one flat colour per frame\r\n";
  for (const Section& s : sections_) {
    text += "[" + s.name + "]\r\n";
    for (const Key& k : s.keys) text += k.key + "=" + k.value + "\r\n";
    text += "\r\n";
  }
  return text;
}

std::vector<skinpack::PackageEntry> TestSkin::Entries() const {
  std::vector<skinpack::PackageEntry> entries;
  for (const ImageSpec& s : images_) {
    if (!s.present || !s.entryPresent) continue;
    std::vector<uint8_t> bmp = skin::EncodeBmp(Image(s.id));
    if (s.corrupt) {
      switch (s.corruption) {
        case Corruption::kEmpty:
          bmp.clear();
          break;
        case Corruption::kTruncated:
          bmp.resize(54 + (bmp.size() - 54) / 2);
          break;
        case Corruption::kGarbage:
          bmp.assign(64, 0xA5);
          break;
        case Corruption::kBadMagic:
          bmp[0] = 'X';
          bmp[1] = 'Y';
          break;
      }
    }
    entries.push_back({s.entry, std::move(bmp)});
  }
  const std::string ini = IniText();
  entries.push_back({std::string(kIniName), std::vector<uint8_t>(ini.begin(), ini.end())});
  return entries;
}

std::vector<uint8_t> TestSkin::Package() const {
  return skinpack::BuildPackage(Entries(), version_);
}

std::vector<uint8_t> TestSkin::Stream() const { return skinpack::EncodeSkinStream(Package()); }

std::vector<uint8_t> TestSkin::PropertyPayload() const {
  const std::vector<uint8_t> stream = Stream();
  std::vector<uint8_t> out(4 + stream.size());
  const uint32_t n = static_cast<uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(n >> (8 * i));
  std::copy(stream.begin(), stream.end(), out.begin() + 4);
  return out;
}

}  // namespace testskin
