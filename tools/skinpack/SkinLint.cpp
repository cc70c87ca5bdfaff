#include "SkinLint.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "SkinContrast.h"
#include "imaging/BmpDecode.h"
#include "skin/data/ScaledArt.h"
#include "skin/data/SkinDerived.h"
#include "skin/data/SkinNumbers.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"
#include "ui/Text.h"

namespace skinpack {

namespace {

namespace fs = std::filesystem;
using skin::PixelBuffer;
using ui::AsciiLower;
using ui::AsciiUpper;

// ---- The names the engine reads ---------------------------------------------------------------

const std::vector<std::string> kBorders = {"Left", "Right", "Top", "Bottom"};

std::vector<std::string> CommonKeys(bool frame) {
  std::vector<std::string> keys = {"Image",
                                   "Style",
                                   "LeftWidth",
                                   "RightWidth",
                                   "TopHeight",
                                   "BottomHeight",
                                   "Trans",
                                   "Tile",
                                   "NormalColour",
                                   "MouseOverColour",
                                   "PressedColour",
                                   "NormalColour2",
                                   "MouseOverColour2",
                                   "PressedColour2"};
  if (frame) keys.push_back("Frame");
  return keys;
}

std::vector<std::string> PersonalityKeys() {
  std::vector<std::string> keys;
  for (const std::string& s : kBorders)
    for (const char* suffix : {"", "TopHeight", "BotHeight", "Frame", "Stretch", "Trans"})
      keys.push_back(s + suffix);
  for (const char* k : {"TextBack", "TextShift", "TextShiftVert", "TextRightClip", "TextAlignment",
                        "Textbackground", "TXTBackleft", "TXTBackRight", "menuBar", "TileMenu",
                        "TileLeftMenu", "TileRightMenu",
                        // Written by skin editors for the strip of a minimized window; never read.
                        "MinCaption"})
    keys.push_back(k);
  for (const char* c : {"ActiveText", "InActiveText"})
    for (const char* rgb : {"R", "G", "B"}) keys.push_back(std::string(c) + rgb);
  return keys;
}

// The sections with fixed names and their keys.
const std::map<std::string, std::vector<std::string>>& FixedSections() {
  static const std::map<std::string, std::vector<std::string>> sections = [] {
    std::map<std::string, std::vector<std::string>> s;
    s["TitlebarSkin"] = {"SkinName"};
    s["Personality"] = PersonalityKeys();
    s["Fonts"] = {"FontHeight"};
    s["Colours"] = {
        "WindowText",       "ButtonFace",   "Scrollbar",      "HilightText", "Hilight",
        "Menubar",          "Menu",         "MenuText",       "ButtonText",  "ButtonHilight",
        "Buttonlight",      "ButtonShadow", "ButtonDkShadow", "MenuBarText", "TitleTextActive",
        "TitleTextNoActive"};
    for (int i = 0; i < 10; ++i) s["Customcolors"].push_back("Color" + std::to_string(i));
    s["MDICONTROLS"] = {"Image"};
    s["Buttons"] = {"Bitmap",
                    "LeftWidth",
                    "RightWidth",
                    "TopHeight",
                    "BottomHeight",
                    "Trans",
                    "Tile",
                    "CheckButton",
                    "RadioButton",
                    "NormalColour",
                    "MouseOverColour",
                    "PressedColour",
                    "RadioButtonFrame",
                    "CheckButtonFrame",
                    "NormalColour2",
                    "MouseOverColour2",
                    "PressedColour2"};
    s["Progress"] = {"Bitmap",    "Style",        "LeftWidth", "RightWidth",
                     "TopHeight", "BottomHeight", "Trans",     "Tile"};
    for (std::string_view name : skin::OptionalElementNames()) {
      std::vector<std::string> keys = CommonKeys(true);
      const std::string n(name);
      auto without = [&keys](const char* k) { std::erase(keys, std::string(k)); };
      if (n == "GroupBox") {
        without("Frame");
        for (const char* k : {"BackgroundAlignment", "BackgroundLeftShift", "BackgroundRightShift"})
          keys.push_back(k);
      } else if (n == "Tabs") {
        without("Frame");
        keys.push_back("Border");
      } else if (n == "UpDown.Horz" || n == "UpDown.Vert") {
        without("Frame");
        keys.push_back("GlyphImage");
      } else if (n == "ComboButton") {
        without("Frame");
      } else if (n == "HorzScrollThumb" || n == "VertScrollThumb") {
        keys.push_back("FrameCount");
      }
      s[n] = keys;
    }
    return s;
  }();
  return sections;
}

const std::vector<std::string> kCaptionButtonKeys = {"Action",    "Align",      "Xcoord",
                                                     "Ycoord",    "Visibility", "Visibility1",
                                                     "CombineOp", "frame",      "ButtonImage"};

bool IsCaptionButtonSection(std::string_view name) {
  const std::string upper = AsciiUpper(name);
  return upper.rfind("BUTTON", 0) == 0 && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
         upper != "BUTTON.CHECKBOX" && upper != "BUTTON";
}

bool IsExtraColourSection(std::string_view name) {
  const std::string upper = AsciiUpper(name);
  return upper.rfind("COLOUR", 0) == 0 && upper != "COLOURS";
}

// The keys of a section the engine reads, or nullopt for a section it never reads.
std::optional<std::vector<std::string>> KeysOf(std::string_view section) {
  for (const auto& [name, keys] : FixedSections())
    if (ui::EqualsNoCase(name, section)) return keys;
  if (IsCaptionButtonSection(section)) return kCaptionButtonKeys;
  if (IsExtraColourSection(section)) return std::vector<std::string>{"color"};
  return std::nullopt;
}

std::string Suggestion(std::string_view name, const std::vector<std::string>& known) {
  std::string best;
  int bestDistance = 1 << 30;
  for (const std::string& k : known) {
    const int d = NameDistance(name, k);
    if (d < bestDistance) bestDistance = d, best = k;
  }
  const int allowed = std::max<int>(2, static_cast<int>(name.size()) / 3);
  if (best.empty() || bestDistance > allowed) return {};
  return "; did you mean " + best + "?";
}

// ---- Where each stored line of the definition stands in the text -----------------------------

struct IniLine {
  int line = 0;         // 1-based line number in the text
  std::string section;  // the section it belongs to (a header: its own name)
  std::string key;      // lower case; empty for a header or a line without "="
  std::string written;  // the key as written
  bool header = false;
};

// The definition reader keeps the trimmed lines that are neither empty nor comments; walking the
// text's lines the same way pairs each kept line with its number.
std::vector<IniLine> IndexLines(std::string_view text, const skin::TQuickIni& ini) {
  std::vector<IniLine> out;
  const std::vector<std::string>& kept = ini.Lines();
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  std::string section;
  int number = 0;
  size_t k = 0;
  for (size_t start = 0; start <= text.size() && k < kept.size();) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    ++number;
    const std::string_view line = ui::Trim(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    if (line.empty() || line.front() == ';' || line != kept[k]) continue;
    ++k;
    IniLine entry;
    entry.line = number;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = std::string(ui::Trim(line.substr(1, line.size() - 2)));
      entry.header = true;
    } else if (const size_t eq = line.find('='); eq != std::string_view::npos) {
      entry.written = std::string(ui::Trim(line.substr(0, eq)));
      entry.key = AsciiLower(entry.written);
    }
    entry.section = section;
    out.push_back(std::move(entry));
  }
  return out;
}

// ---- The checks --------------------------------------------------------------------------------

struct Image {
  PixelBuffer pixels;
  bool usable = false;
};

class Linter {
 public:
  Linter(const skin::TSkinReader& reader, std::string label, std::string separator)
      : reader_(reader), label_(std::move(label)), separator_(std::move(separator)) {}

  std::vector<LintFinding> Run();

 private:
  void Add(const std::string& entry, int line, std::string where, std::string what) {
    out_.push_back({label_ + (entry.empty() ? "" : separator_ + entry), line, std::move(where),
                    std::move(what)});
  }
  // A finding about a key of the definition, at its line (or the section's, when the key is
  // missing there).
  void AtKey(const std::string& section, const std::string& key, std::string what) {
    Add(iniName_, LineOf(section, key), "[" + section + "] " + key, std::move(what));
  }
  int LineOf(const std::string& section, const std::string& key) const;
  bool HasKey(const std::string& section, const std::string& key) const {
    return !ini_.ReadString(section, key).empty();
  }

  void CheckEntries();
  void CheckNames();
  const Image& Load(const std::string& entry);
  void CheckReference(const std::string& section, const std::string& key);
  void CheckReferences();
  void CheckNumbers();
  void CheckScaledArt(const std::string& name, const skin::ScaledArtOf& larger);
  struct Strip {
    std::string section, imageKey, frameKey;  // where to report
    const PixelBuffer* image;
    int frames;
    bool stacked;  // frames one above the other
    int left = 0, top = 0, right = 0, bottom = 0;
    std::string leftKey = "LeftWidth", topKey = "TopHeight";
  };
  void CheckStrip(const Strip& s);
  void CheckOpaque(const std::string& section, const std::string& imageKey,
                   const std::string& transKey, const PixelBuffer& image, int trans);
  void CheckElements(const skin::SkinDefinition& d);

  const skin::TSkinReader& reader_;
  std::string label_, separator_, iniName_;
  skin::TQuickIni ini_;
  std::vector<IniLine> lines_;
  std::map<std::string, Image> images_;
  std::set<std::string> referenced_;
  std::vector<LintFinding> out_;
};

int Linter::LineOf(const std::string& section, const std::string& key) const {
  const std::string wanted = AsciiLower(key);
  int sectionLine = 0;
  for (const IniLine& l : lines_) {
    if (!ui::EqualsNoCase(l.section, section)) {
      if (sectionLine) break;  // only the first section of that name is read
      continue;
    }
    if (l.header) {
      if (sectionLine) break;
      sectionLine = l.line;
    } else if (sectionLine && l.key == wanted) {
      return l.line;
    }
  }
  return sectionLine;
}

void Linter::CheckEntries() {
  std::map<std::string, size_t> seen;
  std::vector<std::string> definitions;
  const auto& names = reader_.Names();
  for (size_t i = 0; i < names.size(); ++i) {
    if (!seen.emplace(names[i], i).second)
      Add(names[i], 0, "", "the package holds this entry twice; only the first is read");
    if (names[i].find(".ini") != std::string::npos) definitions.push_back(names[i]);
  }
  if (definitions.size() > 1)
    for (size_t i = 1; i < definitions.size(); ++i)
      Add(definitions[i], 0, "",
          "a second entry with \".ini\" in its name: only the first, " + definitions[0] +
              ", is read as the definition");
  if (!definitions.empty() && names.back() != definitions.front())
    Add(definitions.front(), 0, "",
        "the definition is not the last entry; a package keeps its images first and the "
        "definition last");
}

void Linter::CheckNames() {
  std::set<std::string> sectionsSeen;
  std::set<std::string> keysSeen;
  bool sectionKnown = true;
  std::vector<std::string> knownSections;
  for (const auto& [name, keys] : FixedSections()) knownSections.push_back(name);
  std::optional<std::vector<std::string>> keys;
  for (const IniLine& l : lines_) {
    if (l.header) {
      keysSeen.clear();
      const std::string where = "[" + l.section + "]";
      keys = KeysOf(l.section);
      sectionKnown = keys.has_value();
      if (!sectionsSeen.insert(AsciiLower(l.section)).second) {
        Add(iniName_, l.line, where,
            "the section appears again; only its first occurrence is read");
        sectionKnown = false;  // its keys are never read either; one finding says so
      } else if (!sectionKnown) {
        Add(iniName_, l.line, where,
            "unknown section, never read" + Suggestion(l.section, knownSections));
      }
      continue;
    }
    if (l.section.empty()) {
      Add(iniName_, l.line, "", "a line before the first section is never read");
      continue;
    }
    if (!sectionKnown) continue;
    const std::string where = "[" + l.section + "]";
    if (l.key.empty()) {
      Add(iniName_, l.line, where, "not a key=value line");
      continue;
    }
    const bool known = std::any_of(keys->begin(), keys->end(),
                                   [&](const std::string& k) { return AsciiLower(k) == l.key; });
    if (!known)
      Add(iniName_, l.line, where + " " + l.written,
          "unknown key, never read in this section" + Suggestion(l.key, *keys));
    else if (!keysSeen.insert(l.key).second)
      Add(iniName_, l.line, where + " " + l.written,
          "the key appears again; only the first is read");
  }
}

const Image& Linter::Load(const std::string& entry) {
  auto it = images_.find(entry);
  if (it != images_.end()) return it->second;
  Image image;
  const std::span<const uint8_t> bytes = reader_.Entry(entry);
  skin::BmpImage decoded;
  std::string error;
  if (!bytes.empty() && skin::TryDecodeBmp(bytes.data(), bytes.size(), decoded, &error)) {
    image.pixels = std::move(decoded.pixels);
    image.usable = true;
  } else if (!bytes.empty()) {
    Add(entry, 0, "", "does not decode as a BMP image: " + error);
  }
  return images_.emplace(entry, std::move(image)).first->second;
}

void Linter::CheckReference(const std::string& section, const std::string& key) {
  const std::string value = ini_.ReadString(section, key);
  if (value.empty()) return;
  const std::string entry = skin::ImageEntryName(value);
  if (entry.empty()) {
    AtKey(section, key,
          "'" + value +
              "' is not an image reference (the name must end in lower-case .bmp); "
              "the element gets no image");
    return;
  }
  referenced_.insert(AsciiLower(entry));
  if (reader_.IndexOf(entry) < 0)
    AtKey(section, key, "names " + entry + ", which the package does not hold");
  else if (reader_.Entry(entry).empty())
    AtKey(section, key, "names " + entry + ", which is empty");
  else
    Load(AsciiLower(entry));
}

void Linter::CheckReferences() {
  for (const std::string& side : kBorders) CheckReference("Personality", side);
  for (const char* key : {"TextBack", "menuBar", "MinCaption"}) CheckReference("Personality", key);
  for (const char* key : {"Bitmap", "CheckButton", "RadioButton"}) CheckReference("Buttons", key);
  CheckReference("Progress", "Bitmap");
  CheckReference("MDICONTROLS", "Image");
  for (std::string_view name : skin::OptionalElementNames()) {
    const std::string section(name);
    CheckReference(section, "Image");
    if (section == "Tabs") CheckReference(section, "Border");
    if (section.starts_with("UpDown.")) CheckReference(section, "GlyphImage");
  }
  for (const std::string& section : ini_.ReadSections())
    if (IsCaptionButtonSection(section)) CheckReference(section, "ButtonImage");
  for (const std::string& name : reader_.Names()) {
    if (name.find(".ini") != std::string::npos || referenced_.count(name)) continue;
    if (const auto larger = skin::ParseScaledArtName(name); larger && referenced_.count(larger->base)) {
      CheckScaledArt(name, *larger);
      continue;
    }
    Add(name, 0, "", "not named by the definition; the engine never loads it");
  }
}

// Larger art must be its image exactly N times over (so every strip keeps its frame count);
// otherwise the engine leaves it and scales the 1x image.
void Linter::CheckScaledArt(const std::string& name, const skin::ScaledArtOf& larger) {
  const Image& art = Load(name);
  const Image& base = Load(larger.base);
  if (!art.usable || !base.usable) return;
  const int w = base.pixels.width(), h = base.pixels.height(), n = larger.factor;
  if (art.pixels.width() == w * n && art.pixels.height() == h * n) return;
  Add(name, 0, "",
      "is " + std::to_string(art.pixels.width()) + "x" + std::to_string(art.pixels.height()) +
          ", not " + std::to_string(n) + " times " + larger.base + " (" + std::to_string(w) +
          "x" + std::to_string(h) + "): the engine ignores it and scales " + larger.base);
}

// Numbers outside their range: lengths and counts the engine bounds, colour bytes it cuts.
void Linter::CheckNumbers() {
  std::set<std::string> seen;
  for (const std::string& section : ini_.ReadSections()) {
    if (!seen.insert(AsciiLower(section)).second) continue;  // only the first is read
    const std::optional<std::vector<std::string>> keys = KeysOf(section);
    if (!keys) continue;
    for (const std::string& key : *keys) {
      const skin::NumberRule* rule = skin::NumberRuleOf(section, key);
      const std::string text = ini_.ReadString(section, key);
      int32_t value = 0;
      if (!rule || rule->kind == skin::NumberKind::kChoice || text.empty() ||
          !skin::ParseIniInteger(text, value))
        continue;
      const int taken = skin::TakeNumber(*rule, value);
      if (taken == value) continue;
      AtKey(section, key,
            std::to_string(value) + " is out of range " + skin::RangeText(*rule) + " (" +
                std::string(rule->what) + "): the engine takes " + std::to_string(taken));
    }
  }
}

void Linter::CheckStrip(const Strip& s) {
  if (!s.image || s.image->empty()) return;
  const std::string& frameKey = HasKey(s.section, s.frameKey) ? s.frameKey : s.imageKey;
  const int w = s.image->width(), h = s.image->height();
  const std::string size = std::to_string(w) + "x" + std::to_string(h);
  if (s.frames < 1) {
    AtKey(s.section, frameKey, "a frame count of " + std::to_string(s.frames) + " cuts no frame");
    return;
  }
  const int length = s.stacked ? h : w;
  if (length % s.frames != 0) {
    AtKey(s.section, frameKey,
          "the " + size + " image does not divide into " + std::to_string(s.frames) + " frames " +
              (s.stacked ? "stacked vertically" : "side by side"));
    return;
  }
  const int fw = s.stacked ? w : w / s.frames, fh = s.stacked ? h / s.frames : h;
  if (s.left < 0 || s.right < 0 || s.top < 0 || s.bottom < 0)
    AtKey(s.section, s.leftKey, "a margin is negative");
  else if (s.left + s.right > fw)
    AtKey(s.section, s.leftKey,
          "the left and right margins (" + std::to_string(s.left) + " + " +
              std::to_string(s.right) + ") are wider than a frame (" + std::to_string(fw) + ")");
  else if (s.top + s.bottom > fh)
    AtKey(s.section, s.topKey,
          "the top and bottom margins (" + std::to_string(s.top) + " + " +
              std::to_string(s.bottom) + ") are higher than a frame (" + std::to_string(fh) + ")");
}

void Linter::CheckOpaque(const std::string& section, const std::string& imageKey,
                         const std::string& transKey, const PixelBuffer& image, int trans) {
  if (trans != 0 || image.empty()) return;
  int magenta = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      magenta += (image.Get(x, y) & 0xFFFFFF) == skin::kMagenta;
  if (magenta == 0) return;
  const std::string key = !transKey.empty() && HasKey(section, transKey) ? transKey : imageKey;
  AtKey(section, key,
        std::to_string(magenta) + " pixels are pure magenta, but the element is drawn opaque" +
            (transKey.empty() ? "" : " (" + transKey + " 0)") + ": they show as magenta");
}

void Linter::CheckElements(const skin::SkinDefinition& d) {
  for (const skin::ElementDef* e : {&d.Left, &d.Right, &d.Top, &d.Bottom}) {
    const bool stacked = e->Name == "Top" || e->Name == "Bottom";
    Strip s{"Personality", e->Name, e->Name + "Frame", &e->Bitmap, e->Frame, stacked};
    s.left = e->LeftWidth, s.right = e->RightWidth, s.top = e->TopHeight,
    s.bottom = e->BottomHeight;
    s.leftKey = s.topKey = e->Name + "TopHeight";
    CheckStrip(s);
    CheckOpaque("Personality", e->Name, e->Name + "Trans", e->Bitmap, e->Trans);
  }
  if (d.MenuBar) {
    CheckStrip({"Personality", "menuBar", "menuBar", &d.MenuBar->Bitmap,
                skin::FrameCountAfterLoad("MenuBar", d.MenuBar->Frame, d.MenuBar->Style), true});
    CheckOpaque("Personality", "menuBar", "", d.MenuBar->Bitmap, 0);
  }
  const skin::ButtonsDef& b = d.Buttons;
  Strip buttons{
      "Buttons", "Bitmap", "", &b.Bitmap, skin::FrameCountAfterLoad("Buttons", b.Frame, b.Style),
      false};
  buttons.left = b.LeftWidth, buttons.right = b.RightWidth, buttons.top = b.TopHeight,
  buttons.bottom = b.BottomHeight;
  CheckStrip(buttons);
  CheckOpaque("Buttons", "Bitmap", "Trans", b.Bitmap, b.Trans);
  CheckStrip(
      {"Buttons", "CheckButton", "CheckButtonFrame", &b.CheckButton,
       skin::GlyphFrameCount(b.CheckButtonFrame, b.CheckButton.width(), b.CheckButton.height()),
       false});
  CheckStrip(
      {"Buttons", "RadioButton", "RadioButtonFrame", &b.RadioButton,
       skin::GlyphFrameCount(b.RadioButtonFrame, b.RadioButton.width(), b.RadioButton.height()),
       false});

  std::vector<const skin::ElementDef*> elements;
  if (d.Progress) elements.push_back(&*d.Progress);
  for (const skin::ElementDef& e : d.Elements) elements.push_back(&e);
  for (const skin::ElementDef* e : elements) {
    const bool thumb = e->Name == "HorzScrollThumb" || e->Name == "VertScrollThumb";
    const int key = e->Name == "HorzScrollThumb"   ? d.HorzScrollThumbFrameCount
                    : e->Name == "VertScrollThumb" ? d.VertScrollThumbFrameCount
                                                   : e->Frame;
    const std::string imageKey = e->Name == "Progress" ? "Bitmap" : "Image";
    Strip s{e->Name,
            imageKey,
            thumb ? "FrameCount" : "Frame",
            &e->Bitmap,
            skin::FrameCountAfterLoad(e->Name, key, e->Style),
            false};
    s.left = e->LeftWidth, s.right = e->RightWidth, s.top = e->TopHeight,
    s.bottom = e->BottomHeight;
    CheckStrip(s);
    if (!thumb && HasKey(e->Name, "Frame") && s.frames != e->Frame)
      AtKey(e->Name, "Frame",
            std::to_string(e->Frame) + " is ignored: the engine always cuts " + e->Name + " into " +
                std::to_string(s.frames) + " frames");
    CheckOpaque(e->Name, imageKey, "Trans", e->Bitmap, e->Trans);
    if (e->Name.starts_with("UpDown."))
      CheckStrip({e->Name, "GlyphImage", "", &e->Bitmap2, 8, false});
  }
  const skin::ElementDef* horz = d.Find("HorzScrollThumb");
  const skin::ElementDef* vert = d.Find("VertScrollThumb");
  if (horz && vert && d.HorzScrollThumbFrameCount != d.VertScrollThumbFrameCount)
    AtKey("VertScrollThumb", "FrameCount",
          std::to_string(d.VertScrollThumbFrameCount) + " differs from HorzScrollThumb's " +
              std::to_string(d.HorzScrollThumbFrameCount) +
              "; the bar painter cuts the vertical thumb by the horizontal thumb's count");

  for (const skin::CaptionButtonDef& c : d.CaptionButtons) {
    // The reader upper-cases the name; find the section as written for the report.
    std::string section = c.Name;
    for (const IniLine& l : lines_)
      if (l.header && ui::EqualsNoCase(l.section, c.Name)) {
        section = l.section;
        break;
      }
    // (A place beyond its range is reported with every other number, by CheckNumbers.)
    if (c.Visibility == 100 || c.Bitmap.empty()) continue;
    CheckStrip({section, "ButtonImage", "frame", &c.Bitmap, c.Frame, false});
  }
  const Image* mdi = nullptr;
  const std::string mdiEntry = skin::ImageEntryName(ini_.ReadString("MDICONTROLS", "Image"));
  if (!mdiEntry.empty() && reader_.IndexOf(mdiEntry) >= 0) mdi = &Load(mdiEntry);
  if (mdi && mdi->usable) CheckStrip({"MDICONTROLS", "Image", "", &mdi->pixels, 12, false});
}

std::vector<LintFinding> Linter::Run() {
  CheckEntries();
  skin::TMemoryStream text;
  reader_.FindEntryContaining(".ini", text, iniName_);
  if (iniName_.empty()) {
    Add("", 0, "", "the package has no definition (no entry with \".ini\" in its name)");
    return std::move(out_);
  }
  ini_.LoadFromStream(text);
  const std::vector<uint8_t>& bytes = text.Bytes();
  lines_ =
      IndexLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), ini_);
  CheckNames();
  CheckReferences();
  CheckNumbers();
  const skin::SkinDefinition d = skin::ReadSkinDefinition(ini_, [this](const std::string& entry) {
    const Image& image = Load(AsciiLower(entry));
    return image.usable ? image.pixels : PixelBuffer();
  });
  CheckElements(d);
  for (const ContrastFinding& f : CheckContrast(d)) AtKey(f.section, f.key, f.what);
  return std::move(out_);
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::string LintFinding::Format() const {
  std::string out = file;
  // Appended piece by piece: GCC 12 at -O3 reads `":" + std::to_string(...)` (an insert at the
  // front of a temporary) as an overlapping memcpy of 2^63 bytes and fails -Werror=restrict.
  if (line > 0) {
    out += ':';
    out += std::to_string(line);
  }
  out += ": ";
  if (!where.empty()) out += where + ": ";
  return out + what;
}

int NameDistance(std::string_view a, std::string_view b) {
  const std::string x = AsciiLower(a), y = AsciiLower(b);
  std::vector<int> row(y.size() + 1);
  for (size_t j = 0; j <= y.size(); ++j) row[j] = static_cast<int>(j);
  for (size_t i = 1; i <= x.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (size_t j = 1; j <= y.size(); ++j) {
      const int up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] != y[j - 1])});
      diagonal = up;
    }
  }
  return row[y.size()];
}

std::vector<LintFinding> LintSkinStream(std::span<const uint8_t> stream, const std::string& label) {
  const skin::LzhResult decoded = skin::TLZH::DecodeStream(stream);
  if (decoded.status != skin::LzhStatus::kOk)
    return {{label, 0, "",
             decoded.status == skin::LzhStatus::kTruncated
                 ? "the skin stream is truncated"
                 : "the skin stream announces an implausible size"}};
  if (decoded.bytes.size() >= 4) {
    const uint32_t version = decoded.bytes[0] | decoded.bytes[1] << 8 | decoded.bytes[2] << 16 |
                             uint32_t{decoded.bytes[3]} << 24;
    if (skin::VersionBlockSize(version) < 0)
      return {{label, 0, "",
               "package version " + std::to_string(version) +
                   " is not one the engine reads (20000, 30000, ... 70000); it shows the "
                   "older-file message and loads nothing"}};
  }
  skin::TSkinReader reader;
  if (!reader.ParsePackage(decoded.bytes)) return {{label, 0, "", reader.LastError()}};
  return Linter(reader, label, ":").Run();
}

SkinFolder ReadSkinFolder(const std::string& dir) {
  const fs::path root(dir);
  if (!fs::is_directory(root)) throw std::runtime_error(dir + " is not a folder");
  SkinFolder folder;
  std::vector<std::string> order;
  const fs::path orderFile = root / "order.txt";
  if (fs::exists(orderFile)) {
    const std::vector<uint8_t> text = ReadBytes(orderFile);
    for (std::string line : skin::SplitLines(
             std::string_view(reinterpret_cast<const char*>(text.data()), text.size())))
      if (!line.empty()) order.push_back(line);
    if (order.empty()) throw std::runtime_error(orderFile.string() + " names no entries");
  } else {
    order = DefaultEntryOrder();
    std::vector<std::string> definitions;
    for (const auto& item : fs::directory_iterator(root))
      if (item.is_regular_file() && item.path().extension() == ".ini")
        definitions.push_back(item.path().filename().string());
    if (definitions.size() != 1)
      throw std::runtime_error(dir + " must hold exactly one .ini definition (or an order.txt)");
    order.push_back(definitions.front());
  }
  for (const std::string& name : order) {
    const fs::path file = root / name;
    if (!fs::is_regular_file(file)) throw std::runtime_error("missing entry " + file.string());
    folder.entries.push_back({name, ReadBytes(file)});
  }
  std::set<std::string> listed(order.begin(), order.end());
  for (const auto& item : fs::directory_iterator(root)) {
    const std::string name = item.path().filename().string();
    if (item.is_regular_file() && name != "order.txt" && !listed.count(name))
      folder.unlisted.push_back(name);
  }
  std::sort(folder.unlisted.begin(), folder.unlisted.end());
  return folder;
}

std::vector<LintFinding> LintSkinFolder(const SkinFolder& folder, const std::string& label) {
  skin::TSkinReader reader;
  std::vector<LintFinding> out;
  for (const std::string& name : folder.unlisted)
    out.push_back({label + "/" + name, 0, "", "not listed in order.txt, so it is not packed"});
  if (!reader.ParsePackage(BuildPackage(folder.entries))) {
    out.push_back({label, 0, "", reader.LastError()});
    return out;
  }
  std::vector<LintFinding> found = Linter(reader, label, "/").Run();
  out.insert(out.end(), found.begin(), found.end());
  return out;
}

std::vector<LintFinding> LintPath(const std::string& path) {
  if (fs::is_directory(path)) return LintSkinFolder(ReadSkinFolder(path), path);
  return LintSkinStream(ReadBytes(path), path);
}

}  // namespace skinpack
