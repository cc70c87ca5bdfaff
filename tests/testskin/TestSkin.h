// Test skins built in memory. Every frame of every image is one flat colour that no other frame
// shares, so a single pixel of a painted window tells which image and which frame was drawn.
// Images can be left out, given other frame counts or sizes, or damaged, and any ini value can be
// set. Portable: used by the native tests and by the Win32 tests under Wine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SkinMetrics.h"
#include "SkinPack.h"
#include "imaging/PixelBuffer.h"

namespace testskin {

// The default skin's button face, which the test skin shares: as a colour and as the ini text.
constexpr skin::Colour kButtonFace = skin::art::metrics::kButtonFace.Value();
std::string ButtonFaceText();

enum class Corruption {
  kEmpty,      // the entry has no bytes
  kTruncated,  // the BMP is cut in the middle of its pixels
  kGarbage,    // bytes that are no BMP at all
  kBadMagic,   // a BMP whose signature is wrong
};

// One image of the skin. `id` names it in this builder's calls: the element name for an element's
// main image ("Buttons", "Top", "ComboButton", "BUTTON.CLOSE", ...) and "Buttons.CheckButton",
// "Buttons.RadioButton", "UpDown.Horz.Glyph", "UpDown.Vert.Glyph", "MDICONTROLS" for the others.
struct ImageSpec {
  std::string id;
  std::string section;  // ini section holding the reference
  std::string key;      // ini key holding the reference
  std::string entry;    // package entry name
  int frames = 1;
  int frameWidth = 8, frameHeight = 8;
  bool stacked = false;  // frames laid top to bottom (borders Top and Bottom, the menu bar)
  std::string frameKey;  // ini key (same section) that carries the frame count, if any
  bool present = true;
  bool entryPresent = true;  // false: the ini names it but the package lacks it
  bool corrupt = false;
  Corruption corruption = Corruption::kEmpty;
  int keyedCorner = 0;  // magenta squares of this size at each frame's top corners
};

class TestSkin {
 public:
  // Every element of the catalogue except SunkEdge (as in the default skin), with the default
  // skin's frame counts and border metrics.
  TestSkin();

  TestSkin& Omit(std::string_view id);       // no ini reference and no entry
  TestSkin& Include(std::string_view id);    // undo Omit (SunkEdge starts omitted)
  TestSkin& OmitEntry(std::string_view id);  // ini names it, package lacks it
  TestSkin& SetFrames(std::string_view id, int frames);
  TestSkin& SetFrameSize(std::string_view id, int width, int height);
  TestSkin& Corrupt(std::string_view id, Corruption how);
  // Pure magenta (the transparent colour) in a size x size square at the top-left and top-right
  // corners of every frame: what a skin with rounded corners cuts away.
  TestSkin& KeyCorners(std::string_view id, int size);
  TestSkin& SetBitsPerPixel(int bits);  // 24 (default) or 32
  // Sets (or adds) a key; an empty value writes "key=" (which reads as the default).
  TestSkin& SetIni(std::string_view section, std::string_view key, std::string_view value);
  TestSkin& RemoveIni(std::string_view section, std::string_view key);
  TestSkin& RemoveSection(std::string_view section);
  TestSkin& SetVersion(uint32_t version);

  // The colour of frame `frame` (1-based) of an image.
  skin::Colour FrameColour(std::string_view id, int frame) const;
  skin::PixelBuffer Image(std::string_view id) const;
  const ImageSpec& ImageDef(std::string_view id) const;
  const std::vector<ImageSpec>& ImageDefs() const { return images_; }

  std::string IniText() const;
  static constexpr std::string_view kIniName = "skin.ini";
  std::vector<skinpack::PackageEntry> Entries() const;
  std::vector<uint8_t> Package() const;
  std::vector<uint8_t> Stream() const;           // u32 size + compressed package
  std::vector<uint8_t> PropertyPayload() const;  // u32 count + stream, as a form stores it

 private:
  struct Key {
    std::string key, value;
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
  };
  ImageSpec& Mutable(std::string_view id);
  Section& SectionNamed(std::string_view name);
  void AddImage(ImageSpec image);
  void Set(std::string_view section, std::string_view key, std::string value);

  std::vector<ImageSpec> images_;
  std::vector<Section> sections_;
  int bits_ = 24;
  uint32_t version_ = 70000;
};

}  // namespace testskin
