#include "DefaultSkin.h"

#include <fstream>
#include <functional>
#include <utility>

#include "SkinArt.h"
#include "SkinStyle.h"

namespace skin::art {

namespace {

struct ImageSpec {
  std::string_view name;
  std::function<PixelBuffer(const SkinStyle&)> draw;
};

std::vector<ImageSpec> Catalogue(const SkinStyle& style) {
  std::vector<ImageSpec> images = {
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
      {"scrollbarhthumb.bmp", [](const SkinStyle& st) { return DrawScrollThumb(st, false); }},
      {"scrollbarvthumb.bmp", [](const SkinStyle& st) { return DrawScrollThumb(st, true); }},
      {"scrollbarhbar.bmp", [](const SkinStyle& st) { return DrawScrollTrack(st, false); }},
      {"scrollbarvbar.bmp", [](const SkinStyle& st) { return DrawScrollTrack(st, true); }},
      {"menubackground.bmp", DrawMenuBackground},
      {"menuitem.bmp", DrawMenuItem},
      {"extraimages.bmp", DrawExtraImages},
      {"trackthumbh.bmp", [](const SkinStyle& st) { return DrawTrackThumb(st, false); }},
      {"trackbot.bmp", [](const SkinStyle& st) { return DrawTrackThumb(st, true); }},
      {"trackbar.bmp", [](const SkinStyle& st) { return DrawTrackChannel(st, false); }},
      {"trackbarv.bmp", [](const SkinStyle& st) { return DrawTrackChannel(st, true); }},
      {"mdibutton.bmp", DrawMdiButtons},
      {"spin.bmp", [](const SkinStyle& st) { return DrawSpin(st, false); }},
      {"spinarrow.bmp", [](const SkinStyle& st) { return DrawSpinGlyphs(st, false); }},
      {"spinh.bmp", [](const SkinStyle& st) { return DrawSpin(st, true); }},
      {"spinharrow.bmp", [](const SkinStyle& st) { return DrawSpinGlyphs(st, true); }},
      {"closebutton.bmp",
       [](const SkinStyle& st) { return DrawCaptionButton(st, CaptionGlyph::kClose); }},
      {"maxbutton.bmp",
       [](const SkinStyle& st) { return DrawCaptionButton(st, CaptionGlyph::kMaximize); }},
      {"minbutton.bmp",
       [](const SkinStyle& st) { return DrawCaptionButton(st, CaptionGlyph::kMinimize); }},
      {"restrorebutton.bmp",
       [](const SkinStyle& st) { return DrawCaptionButton(st, CaptionGlyph::kRestore); }},
      {"frameleft.bmp", [](const SkinStyle& st) { return DrawFrameLeft(st); }},
      {"frameright.bmp", [](const SkinStyle& st) { return DrawFrameRight(st); }},
      {"frametop.bmp", [](const SkinStyle& st) { return DrawFrameTop(st); }},
      {"framebottom.bmp", [](const SkinStyle& st) { return DrawFrameBottom(st); }},
      {"mincaption.bmp", DrawMinCaption},
  };
  if (style.metrics.sunkEdge.frames > 0) images.push_back({"sunkedge.bmp", DrawSunkEdge});
  if (style.metrics.menuBar.frames > 0) images.push_back({"menubar.bmp", DrawMenuBar});
  // Larger art for windows at 200 % (and the source of their images between 100 and 200 %),
  // after every image a reader without it knows.
  images.insert(
      images.end(),
      {
          {"frameleft@2x.bmp", [](const SkinStyle& st) { return DrawFrameLeft(st, 2); }},
          {"frameright@2x.bmp", [](const SkinStyle& st) { return DrawFrameRight(st, 2); }},
          {"frametop@2x.bmp", [](const SkinStyle& st) { return DrawFrameTop(st, 2); }},
          {"framebottom@2x.bmp", [](const SkinStyle& st) { return DrawFrameBottom(st, 2); }},
          {"closebutton@2x.bmp",
           [](const SkinStyle& st) { return DrawCaptionButton(st, CaptionGlyph::kClose, 2); }},
          {"maxbutton@2x.bmp",
           [](const SkinStyle& st) { return DrawCaptionButton(st, CaptionGlyph::kMaximize, 2); }},
          {"minbutton@2x.bmp",
           [](const SkinStyle& st) { return DrawCaptionButton(st, CaptionGlyph::kMinimize, 2); }},
          {"restrorebutton@2x.bmp",
           [](const SkinStyle& st) { return DrawCaptionButton(st, CaptionGlyph::kRestore, 2); }},
      });
  return images;
}

}  // namespace

std::string_view DefaultSkinDefinition() { return DefaultStyle().definition; }

const std::vector<std::string_view>& DefaultSkinImageNames() {
  static const std::vector<std::string_view> names = SkinImageNames(DefaultStyle());
  return names;
}

std::vector<std::string_view> SkinImageNames(const SkinStyle& style) {
  std::vector<std::string_view> out;
  for (const ImageSpec& image : Catalogue(style)) out.push_back(image.name);
  return out;
}

std::vector<SkinEntry> BuildSkin(const SkinStyle& style) {
  std::vector<SkinEntry> entries;
  for (const ImageSpec& image : Catalogue(style)) {
    SkinEntry entry{std::string(image.name), image.draw(style), {}};
    entry.bytes = EncodeBmp(entry.image);
    entries.push_back(std::move(entry));
  }
  const std::string_view text = style.definition;
  entries.push_back({std::string(kDefinitionName), PixelBuffer(), {text.begin(), text.end()}});
  return entries;
}

std::vector<SkinEntry> BuildDefaultSkin() { return BuildSkin(DefaultStyle()); }

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
