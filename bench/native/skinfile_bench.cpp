// Loading a shipped skin file through the program's own readers: the skin stream decoded and its
// package parsed, the definition read through the catalogue, every image decoded from its BMP, and
// the images the skin data derives from them (the composed combo where the skin has a sunken edge,
// the combo arrows, the mirrored combo button, the toolbar gradient). The dark skin beside the
// default one, in the same run; the goal is a ratio of at most 2.
//   skinfile_bench DEFAULT.skn [DARK.skn]   (the dark skin is looked for beside the default one)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BenchLine.h"
#include "imaging/BmpDecode.h"
#include "skin/data/SkinDerived.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

namespace {

using Clock = std::chrono::steady_clock;
using skin::PixelBuffer;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// What one load keeps, so that nothing of it can be optimised away.
struct Loaded {
  skin::SkinDefinition definition;
  std::vector<PixelBuffer> derived;
};

skin::FrameSource SourceOf(const skin::ElementDef* e, int frames, bool keyed) {
  skin::FrameSource s;
  if (!e) return s;
  s.image = &e->Bitmap;
  s.frames = frames;
  s.left = e->LeftWidth, s.top = e->TopHeight, s.right = e->RightWidth, s.bottom = e->BottomHeight;
  s.transparent = keyed;
  return s;
}

bool Load(const std::vector<uint8_t>& stream, Loaded& out) {
  skin::TSkinReader reader;
  if (!reader.LoadPackage(stream)) return false;
  skin::TMemoryStream text;
  std::string name;
  reader.FindEntryContaining(".ini", text, name);
  skin::TQuickIni ini;
  ini.LoadFromStream(text);
  out.definition = skin::ReadSkinDefinition(ini, [&reader](const std::string& entry) {
    const auto bytes = reader.Entry(entry);
    return bytes.empty() ? PixelBuffer() : skin::DecodeBmp(bytes.data(), bytes.size()).pixels;
  });
  const skin::SkinDefinition& d = out.definition;
  out.derived.clear();
  const skin::Colour face = d.Colours[skin::ciButtonFace].colour & 0xFFFFFF;
  const skin::ElementDef* combo = d.Find("ComboButton");
  const skin::ElementDef* sunk = d.Find("SunkEdge");
  const skin::ElementDef* extra = d.Find("ExtraImages");
  if (combo && !combo->Bitmap.empty()) out.derived.push_back(skin::MirroredCopy(combo->Bitmap));
  if (combo && sunk) {
    const int cells = skin::FrameCountAfterLoad("SunkEdge", sunk->Frame, sunk->Style);
    PixelBuffer strip = skin::CombinedComboStrip(
        SourceOf(sunk, cells, sunk->Trans == 1), SourceOf(combo, 4, true),
        SourceOf(extra, extra ? skin::FrameCountAfterLoad("ExtraImages", extra->Frame, 0) : 1,
                 true),
        cells, 19);
    out.derived.push_back(skin::ComboArrowsFromStrip(strip, cells));
    out.derived.push_back(skin::MirroredFrames(strip, cells));
    out.derived.push_back(std::move(strip));
  } else if (combo) {
    out.derived.push_back(skin::WithMagentaReplaced(combo->Bitmap, face));
  }
  const skin::Colour title = skin::SampleTitleColour(d.Top.Bitmap, d.Top.Frame, face);
  out.derived.push_back(skin::ToolbarImage(skin::ToolbarGradientEnds(face, title)));
  return true;
}

// Best time of `runs` loads, in milliseconds.
double BestLoad(const std::vector<uint8_t>& stream, int runs, Loaded& loaded) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    if (!Load(stream, loaded)) return -1;
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  return best;
}

size_t Pixels(const Loaded& l) {
  size_t n = 0;
  for (const skin::ElementDef& e : l.definition.Elements)
    n += static_cast<size_t>(e.Bitmap.width()) * e.Bitmap.height();
  for (const PixelBuffer& p : l.derived) n += static_cast<size_t>(p.width()) * p.height();
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skinfile_bench DEFAULT.skn [DARK.skn]\n");
    return 2;
  }
  const std::string defaultPath = argv[1];
  const std::string darkPath =
      argc > 2 ? argv[2] : (std::filesystem::path(defaultPath).parent_path() / "dark.skn").string();
  const std::vector<uint8_t> defaultSkin = ReadFile(defaultPath), darkSkin = ReadFile(darkPath);
  if (defaultSkin.empty() || darkSkin.empty()) {
    std::fprintf(stderr, "skinfile_bench: cannot read %s or %s\n", defaultPath.c_str(),
                 darkPath.c_str());
    return 1;
  }
  constexpr int kRuns = 15;
  Loaded a, b;
  // Alternate, so that a drift of the machine's speed touches both alike.
  double tDefault = 1e9, tDark = 1e9;
  for (int round = 0; round < 3; ++round) {
    tDefault = std::min(tDefault, BestLoad(defaultSkin, kRuns, a));
    tDark = std::min(tDark, BestLoad(darkSkin, kRuns, b));
  }
  if (tDefault < 0 || tDark < 0) {
    std::fprintf(stderr, "skinfile_bench: a skin did not load\n");
    return 1;
  }
  std::printf("default.skn %6zu bytes, %zu elements, %8zu pixels: %8.3f ms\n", defaultSkin.size(),
              a.definition.Elements.size(), Pixels(a), tDefault);
  std::printf("dark.skn    %6zu bytes, %zu elements, %8zu pixels: %8.3f ms  (%.2fx, goal <= 2)\n",
              darkSkin.size(), b.definition.Elements.size(), Pixels(b), tDark, tDark / tDefault);
  BenchLine("skinfile", "load dark.skn", tDark, "ms", "load default.skn", tDefault);
  return 0;
}
