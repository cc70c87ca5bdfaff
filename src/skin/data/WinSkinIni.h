// The skin definition reader: TQuickIni parses the ini text of a skin package once and answers
// string, integer and section queries; ReadSkinDefinition asks it for the fixed catalogue of
// sections and keys and returns every element's settings and images, ready for the skin data
// component to turn into its skin objects. Missing sections and keys are never errors: every query
// has a default. Portable: no Win32 here (images come through a caller-supplied loader).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "imaging/PixelBuffer.h"
#include "skin/data/SkinRead.h"

namespace skin {

class TQuickIni {
 public:
  // Replaces the text with the stream's bytes from its position to its end.
  void LoadFromStream(TMemoryStream& stream);
  void LoadFromText(std::string_view text);

  // value = def, then the first line of the first section of that name whose key matches; a
  // matching key with an empty value ends the search with the default.
  void ReadString(std::string_view section, std::string_view key, std::string& value,
                  std::string_view def) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def = {}) const;
  // Decimal, "$" hex or "0x" hex; the default when missing or malformed.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // Section names without brackets, in file order (duplicates included). A null list is a
  // programming error (std::logic_error).
  void ReadSections(std::vector<std::string>* strings) const;
  std::vector<std::string> ReadSections() const;

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  struct Line {
    std::string key;    // lower case, trimmed; empty without "="
    std::string value;  // trimmed text after the first "="
    bool header = false;
  };
  // Section names compared without regard to ASCII case, looked up without making a string.
  struct NoCaseHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const;
  };
  struct NoCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::vector<std::string> lines_;
  std::vector<Line> parsed_;
  std::vector<size_t> sections_;  // the header lines, in file order
  // The header line of the first section of each name (the catalogue asks hundreds of these).
  std::unordered_map<std::string, size_t, NoCaseHash, NoCaseEqual> firstSection_;
};

// ---- Value formats --------------------------------------------------------------------------

// Signed decimal or "$"-prefixed hexadecimal (up to 32 bits, so "$FFFFFFFF" is -1).
bool ParseIniInteger(std::string_view text, int32_t& value);
// Three runs of digits (red, green, blue) separated by anything; see the .cpp for the rules on
// fewer runs. Each number keeps its low 8 bits.
Colour ParseColourTriple(std::string_view text);
// The package entry an image reference names: its last path component, only if it ends in
// ".bmp" exactly; otherwise empty.
std::string ImageEntryName(std::string_view reference);

// A colour that names a system colour by its index (negative, index in the low byte).
constexpr Colour SystemColour(int index) { return static_cast<Colour>(0xFF000000u | index); }
constexpr bool IsSystemColour(Colour c) { return c < 0 && c != -1; }
// Title text colours that the skin did not give.
constexpr Colour kColourNotGiven = 0x1FFFFFFF;
constexpr Colour kWhite = 0xFFFFFF;

// System colour indexes used as defaults.
enum : int {
  kColorScrollbar = 0,
  kColorMenu = 4,
  kColorMenuText = 7,
  kColorWindowText = 8,
  kColorCaptionText = 9,
  kColorHighlight = 13,
  kColorHighlightText = 14,
  kColorBtnFace = 15,
  kColorBtnShadow = 16,
  kColorBtnText = 18,
  kColorInactiveCaptionText = 19,
  kColorBtnHighlight = 20,
  kColor3DDkShadow = 21,
};

// ---- The colour table -----------------------------------------------------------------------

enum ColourIndex : int {
  ciWindowText = 0,
  ciTitleTextActive = 1,
  ciTitleTextNoActive = 2,
  ciButtonFace = 3,
  ciButtonText = 4,
  ciButtonHilight = 5,
  ciButtonlight = 6,
  ciButtonShadow = 7,
  ciButtonDkShadow = 8,
  ciHilightText = 11,
  ciHilight = 12,
  ciMenubar = 13,
  ciMenuBarText = 14,
  ciMenuText = 15,
  ciMenu = 16,
  ciTitleColour = 17,  // sampled from the Top border by the skin data component
  ciScrollbar = 18,
  kColourTableSize = 19,
};

struct ColourEntry {
  Colour colour = 0;
  bool given = false;  // the skin named it
};
using ColourTable = std::array<ColourEntry, kColourTableSize>;

// ---- Elements -------------------------------------------------------------------------------

// Which skin-object class an element becomes.
enum class ElementKind { kObject, kBorder, kTitle, kButton, kSysButton, kBoxLabel };

// What the definition says about one element. Frame is the key's value as read (0 when the element
// has no such key); the element's final frame count is the skin data component's rule.
struct ElementDef {
  std::string Name;
  ElementKind Kind = ElementKind::kObject;
  std::string ImageName;  // the entry the image reference names; empty if none or not a .bmp
  PixelBuffer Bitmap;     // empty when there is no usable image
  int LeftWidth = 0, TopHeight = 0, RightWidth = 0, BottomHeight = 0;
  int Frame = 0;
  int Trans = 0;
  int Tile = 0;
  int Style = 0;
  Colour NormalColour = -1, MouseOverColour = -1, PressedColour = -1;
  Colour NormalColour2 = 0, MouseOverColour2 = 0, PressedColour2 = 0;
  bool NormalColour2Given = false, MouseOverColour2Given = false, PressedColour2Given = false;
  // kBorder: the second image ("Border" of Tabs, "GlyphImage" of the up-downs).
  std::string Image2Name;
  PixelBuffer Bitmap2;
  // kBoxLabel (GroupBox).
  int BackgroundAlignment = 0, BackgroundLeftShift = 0, BackgroundRightShift = 0;
};

struct TitleDef : ElementDef {
  int TextAlignment = 0, Textbackground = 0, FontHeight = 14, TXTBackleft = 0, TXTBackRight = 0;
  Colour ActiveText = kColourNotGiven, InActiveText = kColourNotGiven;
};

struct ButtonsDef : ElementDef {
  std::string CheckButtonName, RadioButtonName;
  PixelBuffer CheckButton, RadioButton;
  int RadioButtonFrame = 0, CheckButtonFrame = 0;
};

struct MenuBarDef : ElementDef {
  int TileLeftMenu = 1, TileRightMenu = 1;  // Tile holds "TileMenu"
};

struct CaptionButtonDef : ElementDef {
  int Action = 0, Align = 0, XCoord = 0, YCoord = 0, CombineOp = -1, Visibility = 0,
      Visibility1 = 0;
};

struct SkinDefinition {
  std::vector<std::string> Sections;  // as ReadSections gives them
  std::string SkinName;
  ElementDef Left, Right, Top, Bottom;  // frame borders: always present
  ColourTable Colours{};
  std::vector<Colour> ExtraColours;
  std::array<Colour, 10> CustomColors{};
  std::vector<CaptionButtonDef> CaptionButtons;  // skin's buttons, then the three MDI buttons
  ButtonsDef Buttons;
  TitleDef Title;
  std::optional<ElementDef> Progress;
  std::optional<MenuBarDef> MenuBar;
  // Every other optional element the skin defines, in the order the skin data component builds
  // them: Progress.Chunk, GroupBoxEdge, GroupBox, Tabs, ..., Track, TRACKVERT.
  std::vector<ElementDef> Elements;
  int HorzScrollThumbFrameCount = 3, VertScrollThumbFrameCount = 3;

  // An optional element by its name (exact), Progress included; null when the skin lacks it.
  const ElementDef* Find(std::string_view name) const;
  ElementDef* Find(std::string_view name);
};

// The names of the optional elements in build order (without Progress and MenuBar).
const std::vector<std::string_view>& OptionalElementNames();

// Supplies the image of a package entry (already checked to be a ".bmp" name); answers an empty
// buffer for a missing or empty entry. May throw for an entry that is not a valid image.
using ImageLoader = std::function<PixelBuffer(const std::string& entryName)>;

// Reads the whole catalogue. Without a loader every image is empty.
SkinDefinition ReadSkinDefinition(const TQuickIni& ini, const ImageLoader& loadImage = {});

// Pieces of the catalogue, for a caller that rebuilds only part of a skin.
ColourTable ReadColourTable(const TQuickIni& ini);
std::vector<CaptionButtonDef> ReadCaptionButtons(const TQuickIni& ini,
                                                 const std::vector<std::string>& sections,
                                                 const ImageLoader& loadImage);

}  // namespace skin
