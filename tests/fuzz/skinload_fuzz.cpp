// Fuzzes a whole skin load as far as it is portable, from the decoded package on: package,
// definition, every image decoded from its entry, the images the skin data component derives from
// them, and each element rendered the way its painters will, with the skin's own margins and frame
// counts. The skin stream's decoder in front of the package has its own target (skinstream_fuzz);
// decoding a stream here would spend most of each run there, where mutations rarely get through.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "imaging/BmpDecode.h"
#include "imaging/PaintPlans.h"
#include "skin/data/SkinDerived.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

namespace {

// A scroll bar's width plus 2, as the combined combo image is made on a default desktop.
constexpr int kComboButtonWidth = 19;

int FramesOf(const skin::ElementDef& e) {
  return skin::FrameCountAfterLoad(e.Name, e.Frame, e.Style);
}

// The last frame of an element at a small size (the geometry is the same at any size). Whatever
// the skin's numbers, every piece comes from inside the bitmap and is no wider than it: nothing
// giant reaches a blit.
void Render(const skin::ElementDef& e, int frames, bool vertical) {
  if (e.Bitmap.empty()) return;
  const int w = e.Bitmap.width(), h = e.Bitmap.height();
  const skin::ImageRect margins{e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
  const auto inside = [w, h](const skin::ImageRect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h;
  };
  constexpr int kW = 13, kH = 9;
  const skin::PixelBuffer piece =
      skin::RenderNineSlice(e.Bitmap, kW, kH, margins, vertical, e.Tile == 0, frames, frames);
  if (piece.width() != kW || piece.height() != kH) __builtin_trap();
  for (const skin::BlitStep& s :
       skin::PlanNineSlice(w, h, kW, kH, margins, vertical, false, frames, frames))
    if (!inside(s.src) || s.dst.left < 0 || s.dst.top < 0 || s.dst.right > kW || s.dst.bottom > kH)
      __builtin_trap();
  // Every piece keeps its width but the one line stretched across a middle the ends leave none
  // of; each target column is drawn exactly once.
  int covered[kW] = {};
  for (const skin::BlitStep& s :
       skin::PlanThreePartStrip(w, h, kW, kH, margins, vertical, frames, frames)) {
    const bool stretched = s.dst.width() != s.src.width();
    if (!inside(s.src) || s.dst.left < 0 || s.dst.right > kW || (stretched && s.src.width() != 1))
      __builtin_trap();
    for (int x = s.dst.left; x < s.dst.right; ++x) ++covered[x];
  }
  // A frame with no pixels has nothing to draw; any other covers the strip.
  const skin::ImageRect frame = skin::FrameRect(w, h, vertical, frames, frames);
  const bool empty = frame.width() <= 0 || frame.height() <= 0;
  for (int n : covered)
    if (n > 1 || (n == 0 && !empty)) __builtin_trap();
}

skin::FrameSource SourceOf(const skin::ElementDef* e, bool transparent) {
  skin::FrameSource s;
  if (!e) return s;
  s.image = &e->Bitmap;
  s.frames = FramesOf(*e);
  s.left = e->LeftWidth;
  s.top = e->TopHeight;
  s.right = e->RightWidth;
  s.bottom = e->BottomHeight;
  s.transparent = transparent;
  return s;
}

// What the skin data component derives after reading the elements.
void Derive(const skin::SkinDefinition& d) {
  const skin::Colour faceEntry = d.Colours[skin::ciButtonFace].colour;
  const skin::Colour face = skin::IsSystemColour(faceEntry) ? 0xC0C0C0 : faceEntry & 0xFFFFFF;
  skin::GlyphFrameCount(d.Buttons.CheckButtonFrame, d.Buttons.CheckButton.width(),
                        d.Buttons.CheckButton.height());
  skin::GlyphFrameCount(d.Buttons.RadioButtonFrame, d.Buttons.RadioButton.width(),
                        d.Buttons.RadioButton.height());
  const skin::ElementDef* sunk = d.Find("SunkEdge");
  const skin::ElementDef* combo = d.Find("ComboButton");
  if (combo && !combo->Bitmap.empty()) skin::MirroredCopy(combo->Bitmap);
  if (sunk && combo) {
    const int cells = FramesOf(*sunk);
    const skin::PixelBuffer strip =
        skin::CombinedComboStrip(SourceOf(sunk, sunk->Trans == 1), SourceOf(combo, true),
                                 SourceOf(d.Find("ExtraImages"), true), cells, kComboButtonWidth);
    skin::MirroredFrames(strip, cells);
    skin::ComboArrowsFromStrip(strip, cells);
  } else if (combo) {
    skin::WithMagentaReplaced(combo->Bitmap, face);
  }
  const skin::Colour title = skin::SampleTitleColour(d.Top.Bitmap, d.Top.Frame, face);
  skin::ToolbarImage(skin::ToolbarGradientEnds(face, title));

  Render(d.Left, d.Left.Frame, false);
  Render(d.Right, d.Right.Frame, false);
  Render(d.Top, d.Top.Frame, true);
  Render(d.Bottom, d.Bottom.Frame, true);
  Render(d.Buttons, FramesOf(d.Buttons), false);
  if (d.Progress) Render(*d.Progress, FramesOf(*d.Progress), false);
  if (d.MenuBar) Render(*d.MenuBar, 2, true);
  for (const skin::ElementDef& e : d.Elements) Render(e, FramesOf(e), false);
  for (const skin::CaptionButtonDef& b : d.CaptionButtons) Render(b, b.Frame, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  skin::TSkinReader reader([](std::string_view) {});
  if (!reader.ParsePackage(std::span<const uint8_t>(data, size))) return 0;
  skin::TMemoryStream iniEntry;
  std::string name;
  reader.FindEntryContaining(".ini", iniEntry, name);
  skin::TQuickIni ini;
  ini.LoadFromStream(iniEntry);
  skin::SkinDefinition definition;
  try {
    definition = skin::ReadSkinDefinition(ini, [&reader](const std::string& entry) {
      const std::span<const uint8_t> bytes = reader.Entry(entry);
      if (bytes.empty()) return skin::PixelBuffer();
      return skin::DecodeBmp(bytes.data(), bytes.size()).pixels;
    });
  } catch (const skin::BmpError&) {
    return 0;  // the component refuses the skin, as for any damaged image
  }
  Derive(definition);
  return 0;
}
