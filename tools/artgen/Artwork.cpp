#include "Artwork.h"

#include <fstream>
#include <vector>

#include "ArtKit.h"
#include "Badges.h"
#include "Icons.h"
#include "MenuGlyphs.h"
#include "PlayerGlyphs.h"
#include "TrackArt.h"

namespace skin::art {

namespace {

// Straight-alpha image over an opaque target, enlarged `scale` times.
void Composite(PixelBuffer& target, const PixelBuffer& image, int x0, int y0, int scale) {
  for (int y = 0; y < image.height() * scale; ++y)
    for (int x = 0; x < image.width() * scale; ++x) {
      const Colour c = image.Get(x / scale, y / scale);
      const int a = image.Alpha(x / scale, y / scale);
      const Colour bg = target.Get(x0 + x, y0 + y);
      if (bg < 0) continue;
      auto mix = [a](int fg, int back) { return (fg * a + back * (255 - a) + 127) / 255; };
      target.Set(x0 + x, y0 + y,
                 MakeColour(mix(RedOf(c), RedOf(bg)), mix(GreenOf(c), GreenOf(bg)),
                            mix(BlueOf(c), BlueOf(bg))));
    }
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

PixelBuffer RenderArtworkSheet() {
  constexpr int kBadgeScale = 3, kPad = 12;
  const int columnWidth = kBadgeWidth * kBadgeScale + 2 * kPad;
  const int badgesHeight = 5 * (kBadgeHeight * kBadgeScale + 6) + kPad;
  const int iconsHeight = 48 * 3 + 2 * kPad + 4 * (kBadgeHeight + 4);
  const int half = iconsHeight + badgesHeight;
  PixelBuffer sheet(columnWidth * 4, 2 * half, 24, MakeColour(250, 250, 250));
  sheet.FillRect(0, half, sheet.width(), 2 * half, MakeColour(40, 48, 60));
  for (int band = 0; band < 2; ++band) {
    const int top = band * half + kPad;
    // Icons: each size at 1× then the largest at 3×.
    int x = kPad;
    for (int size : kAppIconSizes) {
      Composite(sheet, DrawAppIcon(size), x, top, 1);
      x += size + kPad;
    }
    Composite(sheet, DrawAppIcon(48), x, top, 3);
    x += 48 * 3 + 2 * kPad;
    for (int size : kSearchIconSizes) {
      Composite(sheet, DrawSearchIcon(size), x, top, 1);
      x += size + kPad;
    }
    Composite(sheet, DrawSearchIcon(24), x, top, 4);
    x += 24 * 4 + 2 * kPad;
    Composite(sheet, DrawAppIcon(16), x, top, 6);
    x += 16 * 6 + kPad;
    Composite(sheet, DrawSearchIcon(16), x, top, 6);
    // Badges: at 1× one row per kind under the icons, then enlarged, one column per kind.
    for (int i = 0; i < kBadgeCount; ++i)
      Composite(sheet, DrawBadge(i), kPad + (i % 5) * (kBadgeWidth + 4),
                top + 48 * 3 + kPad + (i / 5) * (kBadgeHeight + 4), 1);
    for (int i = 0; i < kBadgeCount; ++i)
      Composite(sheet, DrawBadge(i), (i / 5) * columnWidth + kPad,
                top + iconsHeight + (i % 5) * (kBadgeHeight * kBadgeScale + 6), kBadgeScale);
  }
  return sheet;
}

std::string WriteArtwork(const std::string& dir) {
  std::vector<PixelBuffer> app, search;
  for (int size : kAppIconSizes) app.push_back(DrawAppIcon(size));
  for (int size : kSearchIconSizes) search.push_back(DrawSearchIcon(size));
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } files[] = {{"Tarvimo.ico", EncodeIco(app)},
               {"Form2.ico", EncodeIco(search)},
               {"credits.bmp", EncodeBmp(DrawCreditStrip())},
               {"skinmenuglyphs.bmp", EncodeMonochromeBmp(DrawMenuGlyphStrip(), 0)},
               {"track.bmp", EncodeBmp(DrawBuiltInTrack(false))},
               {"trackvert.bmp", EncodeBmp(DrawBuiltInTrack(true))}};
  for (const auto& f : files)
    if (!WriteFile(dir + "/" + f.name, f.bytes)) return "cannot write " + dir + "/" + f.name;
  for (int look = 0; look < kPlayerLookCount; ++look)
    for (int button = 0; button < kPlayerGlyphCount; ++button) {
      const std::string path = dir + "/" + PlayerGlyphName(look, button) + ".bmp";
      if (!WriteFile(path, EncodeBmp(DrawPlayerGlyph(look, button)))) return "cannot write " + path;
    }
  const std::string preview = dir + "/artwork-preview.png";
  if (!WritePng(RenderArtworkSheet(), preview.c_str())) return "cannot write " + preview;
  return {};
}

}  // namespace skin::art
