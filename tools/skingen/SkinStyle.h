// A skin as data for the painters: its palette, its sizes and frame counts, and the options that
// change which images exist. Every painter takes one of these, so the same drawing code makes every
// shipped skin; the default skin's values are those of Theme.h and SkinMetrics.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ArtKit.h"
#include "SkinMetrics.h"
#include "Theme.h"

namespace skin::art {

// One activation state of the window frame.
struct FramePalette {
  Rgba outline, rim, border, inner;
  Stop caption[4];
  Rgba gloss;  // highlight line just inside the top edge
};

struct Palette {
  Rgba face, window, menu, text;
  Rgba edge, edgeHot, edgePressed, edgeDisabled, edgeFocus;
  Rgba glyph, glyphHot, glyphPressed, glyphDisabled;
  Rgba accentLight, accent, accentDark;
  theme::Face faceNormal, faceHot, facePressed, faceDisabled;
  FramePalette frameActive, frameInactive;
};

struct Metrics {
  metrics::Rgb8 buttonFace;
  // Window frame (see SkinMetrics.h for what each size means).
  int captionHeight, sideWidth, bottomHeight, topWidth, sideHeight;
  int cornerRadius, bottomRadius, minCaptionWidth;
  // Fixed ends of the borders along their length, as the definition gives them.
  int topEnds, sideTop, sideBottom, bottomEnds;
  // Vertical pinstripes across the caption, this many pixels apart (0: none). A skin whose borders
  // tile their middles keeps the period a divisor of the tiled length, so the copies meet unseen.
  int captionStripes;
  metrics::Strip captionButton;
  int buttonTop;
  std::vector<metrics::CaptionButton> captionButtons;
  metrics::Strip mdiButton;
  metrics::Strip pushButton, checkBox, radioButton, comboButton, extraImages;
  int scrollSize;
  metrics::Strip scrollArrows, scrollTrackH, scrollThumbH;
  int thumbEnd;
  metrics::Strip menuBackground;
  int menuBorder;
  metrics::Strip menuItem;
  metrics::Strip progress, progressChunk, tabs, tabSheet, statusBar, header;
  metrics::Strip trackThumbH, trackChannelH, spinV, spinGlyphV, spinH, spinGlyphH;
  // Optional images: frames 0 means the skin has none. The menu bar stacks its two frames
  // (active, inactive) vertically; the sunken combo edge has the combo button's four states.
  metrics::Strip menuBar, sunkEdge;
  // The combo button carries its own arrow; a skin with a sunken edge lets the engine centre the
  // ExtraImages arrow on it instead.
  bool comboGlyph;
};

struct SkinStyle {
  std::string name;             // folder and package name: "default", "dark"
  std::string_view definition;  // skins/<name>/skin.ini, byte for byte
  Palette palette;
  Metrics metrics;
  // Secondary colours are written in the painters as the default skin has them; a dark skin turns
  // their lightness round (hue kept), so accents and shading stay in proportion.
  bool dark = false;

  Rgba Tone(Rgba c) const;
  // x of a caption button's left edge on the reference window the frame is drawn from.
  int CaptionButtonX(const metrics::CaptionButton& button, int windowWidth) const;
};

const SkinStyle& DefaultStyle();
const SkinStyle& DarkStyle();
// The shipped skins, default first.
const std::vector<const SkinStyle*>& ShippedStyles();
// A shipped skin by name; null for an unknown one.
const SkinStyle* FindStyle(std::string_view name);

}  // namespace skin::art
