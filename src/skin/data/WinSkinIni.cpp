#include "skin/data/WinSkinIni.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "imaging/BmpDecode.h"
#include "skin/data/SkinNumbers.h"
#include "ui/Text.h"

namespace skin {

namespace {

bool IsHeader(std::string_view line) {
  return !line.empty() && line.front() == '[' && line.back() == ']';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

// ---- TQuickIni ------------------------------------------------------------------------------

size_t TQuickIni::NoCaseHash::operator()(std::string_view text) const {
  // FNV-1a over the bytes with bit 5 set: the two cases of a letter hash alike (so do a few
  // punctuation pairs, which only costs a comparison), without a branch per byte.
  // The 32-bit constants where size_t is 32 bits (the 64-bit ones cut short hash poorly).
  constexpr bool wide = sizeof(size_t) >= 8;
  const size_t prime = wide ? static_cast<size_t>(1099511628211ull) : size_t{16777619u};
  size_t hash = wide ? static_cast<size_t>(14695981039346656037ull) : size_t{2166136261u};
  for (char c : text) hash = (hash ^ (static_cast<unsigned char>(c) | 0x20u)) * prime;
  return hash;
}

bool TQuickIni::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
  return ui::EqualsNoCase(a, b);
}

void TQuickIni::LoadFromStream(TMemoryStream& stream) {
  const std::span<const uint8_t> rest = stream.Remaining();
  LoadFromText(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
  stream.Seek(stream.Size());
}

void TQuickIni::LoadFromText(std::string_view text) {
  lines_.clear();
  parsed_.clear();
  sections_.clear();
  firstSection_.clear();
  // The text is a C string to the original writers of skins: a NUL ends it.
  text = text.substr(0, text.find('\0'));
  const auto lineCount = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  lines_.reserve(lineCount);
  parsed_.reserve(lineCount);
  size_t i = 0;
  while (i < text.size()) {
    const size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    const std::string_view line = ui::Trim(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
    if (line.empty() || line.front() == ';') continue;

    Line entry;
    entry.header = IsHeader(line);
    const size_t eq = line.find('=');
    if (eq != std::string_view::npos) {
      entry.key = ui::AsciiLower(ui::Trim(line.substr(0, eq)));
      entry.value = std::string(ui::Trim(line.substr(eq + 1)));
    }
    if (entry.header) {
      sections_.push_back(lines_.size());
      firstSection_.emplace(std::string(line.substr(1, line.size() - 2)), lines_.size());
    }
    lines_.emplace_back(line);
    parsed_.push_back(std::move(entry));
  }
}

void TQuickIni::ReadString(std::string_view section, std::string_view key, std::string& value,
                           std::string_view def) const {
  value.assign(def);
  if (lines_.empty()) return;
  const auto found = firstSection_.find(section);
  if (found == firstSection_.end()) return;
  // The stored keys are lower case: the one asked for is lowered once, not at every line.
  const std::string wanted = ui::AsciiLower(key);
  for (size_t i = found->second + 1; i < parsed_.size() && !parsed_[i].header; ++i) {
    if (parsed_[i].key == wanted) {
      if (!parsed_[i].value.empty()) value = parsed_[i].value;
      return;
    }
  }
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view def) const {
  std::string value;
  ReadString(section, key, value, def);
  return value;
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.replace(0, 2, "$");
  int32_t value;
  return ParseIniInteger(text, value) ? value : def;
}

void TQuickIni::ReadSections(std::vector<std::string>* strings) const {
  if (!strings) throw std::logic_error("The parameter Strings is unassigned!");
  strings->clear();
  for (const size_t line : sections_) {
    std::string_view name = ui::Trim(lines_[line]);
    name = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string_view();
    strings->emplace_back(ui::Trim(name));
  }
}

std::vector<std::string> TQuickIni::ReadSections() const {
  std::vector<std::string> list;
  ReadSections(&list);
  return list;
}

// ---- Value formats --------------------------------------------------------------------------

bool ParseIniInteger(std::string_view text, int32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i < text.size() && text[i] == '$') {
    if (++i == text.size()) return false;
    uint64_t v = 0;
    for (; i < text.size(); ++i) {
      const int d = HexValue(text[i]);
      if (d < 0) return false;
      v = v * 16 + d;
      if (v > 0xFFFFFFFFu) return false;
    }
    const uint32_t bits = static_cast<uint32_t>(negative ? (0 - v) : v);
    value = static_cast<int32_t>(bits);
    return true;
  }
  if (i == text.size()) return false;
  uint64_t v = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
    v = v * 10 + static_cast<unsigned>(text[i] - '0');
    if (v > 0x80000000u) return false;
  }
  if (!negative && v > 0x7FFFFFFFu) return false;
  value = negative ? static_cast<int32_t>(0 - static_cast<uint32_t>(v)) : static_cast<int32_t>(v);
  return true;
}

// Numbers are taken when a separator follows them; only the third is also taken at the end of the
// text. So "255 0 0" is red, "10,20,30" the same as "10 20 30", while "255" alone and the "0" of
// "255 0" are dropped.
Colour ParseColourTriple(std::string_view text) {
  text = ui::Trim(text);
  int rgb[3] = {0, 0, 0};
  int taken = 0;
  size_t i = 0;
  while (i < text.size() && taken < 3) {
    if (!IsDigit(text[i])) {
      ++i;
      continue;
    }
    int v = 0;
    while (i < text.size() && IsDigit(text[i])) v = (v * 10 + (text[i++] - '0')) & 0xFF;
    if (i < text.size() || taken == 2) rgb[taken] = v;
    ++taken;
  }
  return MakeColour(rgb[0], rgb[1], rgb[2]);
}

std::string ImageEntryName(std::string_view reference) {
  const size_t slash = reference.find_last_of("\\/:");
  const std::string_view name =
      slash == std::string_view::npos ? reference : reference.substr(slash + 1);
  constexpr std::string_view kExtension = ".bmp";
  if (name.size() < kExtension.size() || name.substr(name.size() - kExtension.size()) != kExtension)
    return {};
  return std::string(name);
}

// ---- The catalogue --------------------------------------------------------------------------

namespace {

// The reads every element shares, bound to one ini and one image loader.
class CatalogueReader {
 public:
  CatalogueReader(const TQuickIni& ini, const ImageLoader& load) : ini_(ini), load_(load) {}

  // Every number is taken within its range (SkinNumbers.h): lengths and counts never reach a
  // painter's sums beyond what an image can measure.
  int Int(std::string_view section, std::string_view key, int def) const {
    const int value = ini_.ReadInteger(section, key, def);
    const NumberRule* rule = NumberRuleOf(section, key);
    return rule ? TakeNumber(*rule, value) : value;
  }
  // Margins, the title's text offsets and caption-button places: lengths (default 0), taken
  // within what an image can measure (their rule in SkinNumbers.cpp).
  int Margin(std::string_view section, std::string_view key) const { return Int(section, key, 0); }
  std::string Str(std::string_view section, std::string_view key) const {
    return ini_.ReadString(section, key, "");
  }
  std::optional<Colour> Triple(std::string_view section, std::string_view key) const {
    const std::string text = Str(section, key);
    if (text.empty()) return std::nullopt;
    return ParseColourTriple(text);
  }
  Colour Triple(std::string_view section, std::string_view key, Colour def) const {
    return Triple(section, key).value_or(def);
  }
  // The colour of three integer keys prefix+"R", "G", "B"; only when all three are 0 or more.
  Colour SplitColour(std::string_view section, const std::string& prefix, Colour def) const {
    const int r = Int(section, prefix + "R", -1);
    const int g = Int(section, prefix + "G", -1);
    const int b = Int(section, prefix + "B", -1);
    if (r < 0 || g < 0 || b < 0) return def;
    return MakeColour(r & 0xFF, g & 0xFF, b & 0xFF);
  }

  // Resolves an image reference; the entry name is kept even when the entry turns out empty.
  void Image(const std::string& reference, std::string& name, PixelBuffer& bitmap) const {
    name = ImageEntryName(reference);
    bitmap = PixelBuffer();
    if (!name.empty() && load_) bitmap = load_(name);
  }

  // The common image keys, without the image itself.
  void CommonKeys(std::string_view section, ElementDef& e, bool withFrame, int tileAboveOne,
                  Colour buttonText) const {
    e.Style = Int(section, "Style", 0);
    e.LeftWidth = Margin(section, "LeftWidth");
    e.RightWidth = Margin(section, "RightWidth");
    e.TopHeight = Margin(section, "TopHeight");
    e.BottomHeight = Margin(section, "BottomHeight");
    if (withFrame) e.Frame = Int(section, "Frame", 0);
    e.Trans = Int(section, "Trans", 0);
    e.Tile = Int(section, "Tile", 0);
    if (e.Tile > 1) e.Tile = tileAboveOne;
    StateColours(section, e, buttonText);
  }

  void StateColours(std::string_view section, ElementDef& e, Colour buttonText) const {
    e.NormalColour = Int(section, "NormalColour", -1);
    e.MouseOverColour = Int(section, "MouseOverColour", -1);
    e.PressedColour = Int(section, "PressedColour", -1);
    auto text = [&](std::string_view key, Colour& colour, bool& given) {
      const std::optional<Colour> c = Triple(section, key);
      given = c.has_value();
      colour = c.value_or(buttonText);
    };
    text("NormalColour2", e.NormalColour2, e.NormalColour2Given);
    text("MouseOverColour2", e.MouseOverColour2, e.MouseOverColour2Given);
    text("PressedColour2", e.PressedColour2, e.PressedColour2Given);
  }

 private:
  const TQuickIni& ini_;
  const ImageLoader& load_;
};

ElementDef ReadBorder(const CatalogueReader& in, const std::string& side) {
  constexpr std::string_view kSection = "Personality";
  ElementDef e;
  e.Name = side;
  e.Kind = ElementKind::kBorder;
  in.Image(in.Str(kSection, side), e.ImageName, e.Bitmap);
  // The two keys are the fixed ends along the border's length.
  const int first = in.Margin(kSection, side + "TopHeight");
  const int last = in.Margin(kSection, side + "BotHeight");
  if (side == "Left" || side == "Right") {
    e.TopHeight = first;
    e.BottomHeight = last;
  } else {
    e.LeftWidth = first;
    e.RightWidth = last;
  }
  e.Frame = in.Int(kSection, side + "Frame", 1);
  e.Tile = in.Int(kSection, side + "Stretch", 1);
  if (e.Tile > 1) e.Tile = 1;
  e.Trans = in.Int(kSection, side + "Trans", 1);
  return e;
}

TitleDef ReadTitle(const CatalogueReader& in) {
  constexpr std::string_view kSection = "Personality";
  TitleDef t;
  t.Name = "Title";
  t.Kind = ElementKind::kTitle;
  in.Image(in.Str(kSection, "TextBack"), t.ImageName, t.Bitmap);
  t.LeftWidth = in.Margin(kSection, "TextShift");
  t.TopHeight = in.Margin(kSection, "TextShiftVert");
  t.RightWidth = in.Margin(kSection, "TextRightClip");
  t.BottomHeight = 0;
  t.TextAlignment = in.Int(kSection, "TextAlignment", 0);
  t.Textbackground = in.Int(kSection, "Textbackground", 0);
  t.TXTBackleft = in.Margin(kSection, "TXTBackleft");
  t.TXTBackRight = in.Margin(kSection, "TXTBackRight");
  t.ActiveText = in.SplitColour(kSection, "ActiveText", kColourNotGiven);
  t.InActiveText = in.SplitColour(kSection, "InActiveText", kColourNotGiven);
  t.FontHeight = in.Int("Fonts", "FontHeight", 14);
  return t;
}

std::optional<MenuBarDef> ReadMenuBar(const CatalogueReader& in) {
  constexpr std::string_view kSection = "Personality";
  const std::string reference = in.Str(kSection, "menuBar");
  if (reference.empty()) return std::nullopt;
  MenuBarDef m;
  m.Name = "MenuBar";
  in.Image(reference, m.ImageName, m.Bitmap);
  m.Tile = in.Int(kSection, "TileMenu", 1);
  if (m.Tile > 1) m.Tile = 1;
  m.TileLeftMenu = in.Int(kSection, "TileLeftMenu", 1);
  m.TileRightMenu = in.Int(kSection, "TileRightMenu", 1);
  return m;
}

ButtonsDef ReadButtons(const CatalogueReader& in, Colour buttonText) {
  constexpr std::string_view kSection = "Buttons";
  ButtonsDef b;
  b.Name = "Buttons";
  b.Kind = ElementKind::kButton;
  in.Image(in.Str(kSection, "Bitmap"), b.ImageName, b.Bitmap);
  b.LeftWidth = in.Margin(kSection, "LeftWidth");
  b.RightWidth = in.Margin(kSection, "RightWidth");
  b.TopHeight = in.Margin(kSection, "TopHeight");
  b.BottomHeight = in.Margin(kSection, "BottomHeight");
  b.Trans = in.Int(kSection, "Trans", 0);
  b.Tile = in.Int(kSection, "Tile", 0);
  if (b.Tile > 1) b.Tile = 0;
  in.Image(in.Str(kSection, "CheckButton"), b.CheckButtonName, b.CheckButton);
  in.Image(in.Str(kSection, "RadioButton"), b.RadioButtonName, b.RadioButton);
  in.StateColours(kSection, b, buttonText);
  b.RadioButtonFrame = in.Int(kSection, "RadioButtonFrame", 0);
  b.CheckButtonFrame = in.Int(kSection, "CheckButtonFrame", 0);
  return b;
}

std::optional<ElementDef> ReadProgress(const CatalogueReader& in, Colour buttonText) {
  constexpr std::string_view kSection = "Progress";
  const std::string reference = in.Str(kSection, "Bitmap");
  if (reference.empty()) return std::nullopt;
  ElementDef e;
  e.Name = "Progress";
  e.Kind = ElementKind::kBorder;
  in.Image(reference, e.ImageName, e.Bitmap);
  e.Style = in.Int(kSection, "Style", 0);
  e.LeftWidth = in.Margin(kSection, "LeftWidth");
  e.RightWidth = in.Margin(kSection, "RightWidth");
  e.TopHeight = in.Margin(kSection, "TopHeight");
  e.BottomHeight = in.Margin(kSection, "BottomHeight");
  e.Trans = in.Int(kSection, "Trans", 0);
  e.Tile = in.Int(kSection, "Tile", 0);
  if (e.Tile > 1) e.Tile = 1;
  e.NormalColour2 = e.MouseOverColour2 = e.PressedColour2 = buttonText;
  return e;
}

// How each optional element is read.
struct OptionalSpec {
  std::string_view name;
  ElementKind kind;
  bool frameKey;                 // reads "Frame"
  std::string_view secondImage;  // key of Bitmap2, if any
};

const OptionalSpec kOptional[] = {
    {"Progress.Chunk", ElementKind::kObject, true, {}},
    {"GroupBoxEdge", ElementKind::kObject, true, {}},
    {"GroupBox", ElementKind::kBoxLabel, false, {}},
    {"Tabs", ElementKind::kBorder, false, "Border"},
    {"StatusBarEdges", ElementKind::kObject, true, {}},
    {"Tab.Pane", ElementKind::kObject, true, {}},
    {"ToolBars", ElementKind::kObject, true, {}},
    {"ComboButton", ElementKind::kBorder, false, {}},
    {"SunkEdge", ElementKind::kObject, true, {}},
    {"ExtraImages", ElementKind::kObject, true, {}},
    {"Headerbar", ElementKind::kObject, true, {}},
    {"MenuItem", ElementKind::kObject, true, {}},
    {"MenuBackground", ElementKind::kObject, true, {}},
    {"Scrollbar", ElementKind::kObject, true, {}},
    {"HorzScroll", ElementKind::kObject, true, {}},
    {"VertScroll", ElementKind::kObject, true, {}},
    {"HorzScrollThumb", ElementKind::kObject, true, {}},
    {"VertScrollThumb", ElementKind::kObject, true, {}},
    {"Trackbar.ThumbHorz", ElementKind::kObject, true, {}},
    {"Trackbar.ThumbVert", ElementKind::kObject, true, {}},
    {"Trackbar.ThumbLeft", ElementKind::kObject, true, {}},
    {"Trackbar.ThumbRight", ElementKind::kObject, true, {}},
    {"Trackbar.ThumbUp", ElementKind::kObject, true, {}},
    {"Trackbar.ThumbDown", ElementKind::kObject, true, {}},
    {"UpDown.Horz", ElementKind::kBorder, false, "GlyphImage"},
    {"UpDown.Vert", ElementKind::kBorder, false, "GlyphImage"},
    {"Track", ElementKind::kObject, true, {}},
    {"TRACKVERT", ElementKind::kObject, true, {}},
};

std::optional<ElementDef> ReadOptional(const CatalogueReader& in, const OptionalSpec& def,
                                       Colour buttonText) {
  const std::string reference = in.Str(def.name, "Image");
  if (reference.empty()) return std::nullopt;
  ElementDef e;
  e.Name = std::string(def.name);
  e.Kind = def.kind;
  in.Image(reference, e.ImageName, e.Bitmap);
  in.CommonKeys(def.name, e, def.frameKey, 0, buttonText);
  if (!def.secondImage.empty())
    in.Image(in.Str(def.name, def.secondImage), e.Image2Name, e.Bitmap2);
  if (def.kind == ElementKind::kBoxLabel) {
    e.BackgroundAlignment = in.Int(def.name, "BackgroundAlignment", 0);
    e.BackgroundLeftShift = in.Int(def.name, "BackgroundLeftShift", 0);
    e.BackgroundRightShift = in.Int(def.name, "BackgroundRightShift", 0);
  }
  if (def.name == "Tab.Pane") {
    // The pane's border is drawn inside the page; wider margins would eat its client area.
    for (int* m : {&e.LeftWidth, &e.TopHeight, &e.RightWidth, &e.BottomHeight})
      if (*m > 4) *m = 4;
  }
  return e;
}

PixelBuffer CopyColumns(const PixelBuffer& image, int left, int width) {
  PixelBuffer out(width, image.height(), image.bitsPerPixel());
  const int bpp = image.bytesPerPixel();
  for (int y = 0; y < image.height(); ++y) {
    const uint8_t* src = image.Row(y) + static_cast<size_t>(left) * bpp;
    std::copy(src, src + static_cast<size_t>(width) * bpp, out.Row(y));
  }
  return out;
}

bool IsCaptionButtonSection(std::string_view name) {
  const std::string upper = ui::AsciiUpper(name);
  if (upper.rfind("BUTTON", 0) != 0) return false;
  return upper != "BUTTONS" && upper != "BUTTON.RADIO" && upper != "BUTTON.CHECKBOX" &&
         upper != "BUTTON";
}

}  // namespace

const std::vector<std::string_view>& OptionalElementNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> v;
    for (const OptionalSpec& s : kOptional) v.push_back(s.name);
    return v;
  }();
  return names;
}

ColourTable ReadColourTable(const TQuickIni& ini) {
  const ImageLoader none;
  const CatalogueReader in(ini, none);
  ColourTable table{};
  auto read = [&](int index, std::string_view key, Colour def) {
    const std::optional<Colour> c = in.Triple("Colours", key);
    table[index] = {c.value_or(def), c.has_value()};
  };
  read(ciWindowText, "WindowText", SystemColour(kColorWindowText));
  read(ciButtonFace, "ButtonFace", SystemColour(kColorBtnFace));
  read(ciScrollbar, "Scrollbar", SystemColour(kColorScrollbar));
  read(ciHilightText, "HilightText", SystemColour(kColorHighlightText));
  read(ciHilight, "Hilight", SystemColour(kColorHighlight));
  read(ciMenubar, "Menubar", table[ciButtonFace].colour);
  read(ciMenu, "Menu", SystemColour(kColorMenu));
  read(ciMenuText, "MenuText", SystemColour(kColorMenuText));
  read(ciButtonText, "ButtonText", SystemColour(kColorBtnText));
  read(ciButtonHilight, "ButtonHilight", SystemColour(kColorBtnHighlight));
  read(ciButtonlight, "Buttonlight", SystemColour(kColorBtnHighlight));
  read(ciButtonShadow, "ButtonShadow", SystemColour(kColorBtnShadow));
  read(ciButtonDkShadow, "ButtonDkShadow", SystemColour(kColor3DDkShadow));
  read(ciMenuBarText, "MenuBarText", SystemColour(kColorMenuText));
  read(ciTitleTextActive, "TitleTextActive", SystemColour(kColorCaptionText));
  read(ciTitleTextNoActive, "TitleTextNoActive", SystemColour(kColorInactiveCaptionText));
  return table;
}

std::vector<CaptionButtonDef> ReadCaptionButtons(const TQuickIni& ini,
                                                 const std::vector<std::string>& sections,
                                                 const ImageLoader& loadImage) {
  const CatalogueReader in(ini, loadImage);
  std::vector<CaptionButtonDef> buttons;
  std::optional<std::pair<int, int>> remembered;  // where the maximize button sits
  for (const std::string& section : sections) {
    if (!IsCaptionButtonSection(section)) continue;
    const int action = in.Int(section, "Action", 0);
    if (action == -1 && in.Int(section, "Visibility", -1) != 0) continue;

    CaptionButtonDef b;
    b.Name = ui::AsciiUpper(section);
    b.Kind = ElementKind::kSysButton;
    b.Action = action;
    b.Align = in.Int(section, "Align", 0);
    // Places are bounded as margins are: the frame adds them to sizes and rectangles.
    b.XCoord = in.Margin(section, "Xcoord");
    b.YCoord = in.Margin(section, "Ycoord");
    b.Visibility = in.Int(section, "Visibility", 0);
    b.Visibility1 = in.Int(section, "Visibility1", action == -1 ? -1 : 0);
    b.CombineOp = in.Int(section, "CombineOp", -1);
    b.Frame = in.Int(section, "frame", 0);
    in.Image(in.Str(section, "ButtonImage"), b.ImageName, b.Bitmap);

    if (b.Action == 1 && b.Visibility == 2) remembered = {b.XCoord, b.YCoord};
    if (b.Action == 4 && remembered) std::tie(b.XCoord, b.YCoord) = *remembered;

    if (b.Frame == 0) {
      b.Frame = 6;
      if (!b.Bitmap.empty()) {
        // Wide strips hold six states, squarer ones three.
        b.Frame = static_cast<double>(b.Bitmap.width()) / b.Bitmap.height() <= 3.8 ? 3 : 6;
        if (b.Action < 0) b.Frame = 6;
      }
      if (b.Action == 3 || b.Action == 11) {
        b.Bitmap = PixelBuffer();
      }
    }
    buttons.push_back(std::move(b));
  }

  std::string mdiName;
  PixelBuffer mdi;
  in.Image(in.Str("MDICONTROLS", "Image"), mdiName, mdi);
  const int w = mdi.width() / 12;
  for (int k = 0; k < 3; ++k) {
    CaptionButtonDef b;
    b.Name = "MDICONTROLS";
    b.Kind = ElementKind::kSysButton;
    b.Action = 7 + k;
    b.Align = b.Visibility = b.Visibility1 = 100;
    b.Frame = 4;
    if (!mdi.empty() && w > 0) {
      b.ImageName = mdiName;
      b.Bitmap = CopyColumns(mdi, 4 * k * w, 4 * w);
      b.XCoord = (w + 4) * (3 - k);
    }
    buttons.push_back(std::move(b));
  }
  return buttons;
}

SkinDefinition ReadSkinDefinition(const TQuickIni& ini, const ImageLoader& loadImage) {
  const CatalogueReader in(ini, loadImage);
  SkinDefinition d;
  d.Sections = ini.ReadSections();
  d.SkinName = in.Str("TitlebarSkin", "SkinName");
  d.Left = ReadBorder(in, "Left");
  d.Right = ReadBorder(in, "Right");
  d.Top = ReadBorder(in, "Top");
  d.Bottom = ReadBorder(in, "Bottom");

  d.Colours = ReadColourTable(ini);
  for (const std::string& section : d.Sections) {
    const std::string upper = ui::AsciiUpper(section);
    if (upper.rfind("COLOUR", 0) == 0 && upper != "COLOURS")
      d.ExtraColours.push_back(in.Triple(section, "color", SystemColour(kColorWindowText)));
  }
  for (int i = 0; i < 10; ++i)
    d.CustomColors[i] = in.Triple("Customcolors", "Color" + std::to_string(i), kWhite);

  d.CaptionButtons = ReadCaptionButtons(ini, d.Sections, loadImage);

  const Colour buttonText = d.Colours[ciButtonText].colour;
  d.Buttons = ReadButtons(in, buttonText);
  d.Title = ReadTitle(in);
  d.Progress = ReadProgress(in, buttonText);
  d.MenuBar = ReadMenuBar(in);
  for (const OptionalSpec& def : kOptional)
    if (std::optional<ElementDef> e = ReadOptional(in, def, buttonText)) d.Elements.push_back(*e);
  d.HorzScrollThumbFrameCount = in.Int("HorzScrollThumb", "FrameCount", 3);
  d.VertScrollThumbFrameCount = in.Int("VertScrollThumb", "FrameCount", 3);
  return d;
}

const ElementDef* SkinDefinition::Find(std::string_view name) const {
  if (Progress && name == Progress->Name) return &*Progress;
  for (const ElementDef& e : Elements)
    if (e.Name == name) return &e;
  return nullptr;
}

ElementDef* SkinDefinition::Find(std::string_view name) {
  return const_cast<ElementDef*>(std::as_const(*this).Find(name));
}

}  // namespace skin
