#include "DefaultSkin.h"

#include <fstream>
#include <functional>
#include <utility>

#include "SkinArt.h"

namespace skin::art {

namespace {

struct ImageSpec {
  std::string_view name;
  std::function<PixelBuffer()> draw;
};

const std::vector<ImageSpec>& Catalogue() {
  static const std::vector<ImageSpec> images = {
      {"buttons.bmp", DrawPushButtons},
      {"checkbox.bmp", DrawCheckBoxes},
      {"radiobutton.bmp", DrawRadioButtons},
      {"progress.bmp", DrawProgress},
      {"progresschunk.bmp", DrawProgressChunk},
      {"tab.bmp", DrawTabs},
      {"tabsheet.bmp", DrawTabSheet},
      {"comboboxbtn.bmp", DrawComboButton},
      {"statusbar.bmp", DrawStatusBar},
      {"header.bmp", DrawHeader},
      {"scrollbararrow.bmp", DrawScrollArrows},
      {"scrollbarhthumb.bmp", [] { return DrawScrollThumb(false); }},
      {"scrollbarvthumb.bmp", [] { return DrawScrollThumb(true); }},
      {"scrollbarhbar.bmp", [] { return DrawScrollTrack(false); }},
      {"scrollbarvbar.bmp", [] { return DrawScrollTrack(true); }},
      {"menubackground.bmp", DrawMenuBackground},
      {"menuitem.bmp", DrawMenuItem},
      {"extraimages.bmp", DrawExtraImages},
      {"trackthumbh.bmp", [] { return DrawTrackThumb(false); }},
      {"trackbot.bmp", [] { return DrawTrackThumb(true); }},
      {"trackbar.bmp", [] { return DrawTrackChannel(false); }},
      {"trackbarv.bmp", [] { return DrawTrackChannel(true); }},
      {"mdibutton.bmp", DrawMdiButtons},
      {"spin.bmp", [] { return DrawSpin(false); }},
      {"spinarrow.bmp", [] { return DrawSpinGlyphs(false); }},
      {"spinh.bmp", [] { return DrawSpin(true); }},
      {"spinharrow.bmp", [] { return DrawSpinGlyphs(true); }},
      {"closebutton.bmp", [] { return DrawCaptionButton(CaptionGlyph::kClose); }},
      {"maxbutton.bmp", [] { return DrawCaptionButton(CaptionGlyph::kMaximize); }},
      {"minbutton.bmp", [] { return DrawCaptionButton(CaptionGlyph::kMinimize); }},
      {"restrorebutton.bmp", [] { return DrawCaptionButton(CaptionGlyph::kRestore); }},
      {"frameleft.bmp", DrawFrameLeft},
      {"frameright.bmp", DrawFrameRight},
      {"frametop.bmp", DrawFrameTop},
      {"framebottom.bmp", DrawFrameBottom},
      {"mincaption.bmp", DrawMinCaption},
  };
  return images;
}

}  // namespace

// Generated at configure time from skins/default/skin.ini.
extern const unsigned char kSkinDefinitionText[];
extern const unsigned kSkinDefinitionSize;

std::string_view DefaultSkinDefinition() {
  return std::string_view(reinterpret_cast<const char*>(kSkinDefinitionText), kSkinDefinitionSize);
}

const std::vector<std::string_view>& DefaultSkinImageNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> out;
    for (const ImageSpec& image : Catalogue()) out.push_back(image.name);
    return out;
  }();
  return names;
}

std::vector<SkinEntry> BuildDefaultSkin() {
  std::vector<SkinEntry> entries;
  for (const ImageSpec& image : Catalogue()) {
    SkinEntry entry{std::string(image.name), image.draw(), {}};
    entry.bytes = EncodeBmp(entry.image);
    entries.push_back(std::move(entry));
  }
  const std::string_view text = DefaultSkinDefinition();
  entries.push_back({std::string(kDefinitionName), PixelBuffer(), {text.begin(), text.end()}});
  return entries;
}

std::string WriteSkinFolder(const std::vector<SkinEntry>& entries, const std::string& dir) {
  std::string order;
  for (const SkinEntry& entry : entries) {
    const std::string path = dir + "/" + entry.name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(entry.bytes.data()),
              static_cast<std::streamsize>(entry.bytes.size()));
    if (!out) return "cannot write " + path;
    order += entry.name + "\n";
  }
  std::ofstream list(dir + "/order.txt", std::ios::binary | std::ios::trunc);
  list << order;
  if (!list) return "cannot write " + dir + "/order.txt";
  return {};
}

}  // namespace skin::art
