#include "skin/data/SkinDerived.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "imaging/ImgUtil.h"
#include "imaging/PaintPlans.h"

namespace skin {

namespace {

constexpr Colour kWhiteRgb = 0xFFFFFF;

// Elements whose frame count is fixed by their role, whatever the skin says.
constexpr std::pair<std::string_view, int> kFixedFrames[] = {
    {"Buttons", 5},
    {"Title", 2},
    {"MenuBar", 2},
    {"GroupBoxEdge", 2},
    {"GroupBox", 1},
    {"Tabs", 5},
    {"StatusBarEdges", 3},
    {"Tab.Pane", 1},
    {"ToolBars", 5},
    {"ComboButton", 4},
    {"SunkEdge", 4},
    {"ExtraImages", 5},
    {"MenuItem", 5},
    {"MenuBackground", 1},
    {"Scrollbar", 23},
    {"HorzScroll", 4},
    {"VertScroll", 4},
    {"Trackbar.ThumbHorz", 5},
    {"Trackbar.ThumbVert", 5},
    {"Trackbar.ThumbLeft", 5},
    {"Trackbar.ThumbRight", 5},
    {"Trackbar.ThumbUp", 5},
    {"Trackbar.ThumbDown", 5},
    {"UpDown.Horz", 8},
    {"UpDown.Vert", 8},
};

// Pixels of `layer` other than the key colour (when `keyed`) over `target`, with the layer's
// top-left corner at (x, y); whatever falls outside the target is dropped.
void Compose(PixelBuffer& target, const PixelBuffer& layer, int x, int y, bool keyed) {
  for (int ly = 0; ly < layer.height(); ++ly) {
    const int ty = y + ly;
    if (ty < 0 || ty >= target.height()) continue;
    for (int lx = 0; lx < layer.width(); ++lx) {
      const int tx = x + lx;
      if (tx < 0 || tx >= target.width()) continue;
      const Colour c = layer.Get(lx, ly) & 0xFFFFFF;
      if (keyed && c == kMagenta) continue;
      target.Set(tx, ty, c);
    }
  }
}

bool Drawable(const FrameSource& s) { return s.image && !s.image->empty(); }

// Frame `index` of the source nine-sliced to width x height, stretched (never tiled), over target.
void DrawSliced(PixelBuffer& target, const FrameSource& s, const ImageRect& dst, int index,
                bool keyed) {
  if (!Drawable(s) || dst.empty()) return;
  const PixelBuffer piece =
      RenderNineSlice(*s.image, dst.width(), dst.height(),
                      ImageRect{s.left, s.top, s.right, s.bottom}, false, false, s.frames, index);
  Compose(target, piece, dst.left, dst.top, keyed);
}

// Frame `index` of the source centred, unscaled and keyed, on dst.
void DrawCentred(PixelBuffer& target, const FrameSource& s, const ImageRect& dst, int index) {
  if (!Drawable(s)) return;
  const BlitStep step = PlanFrameCentred(s.image->width(), s.image->height(), dst, s.frames, index);
  const int w = step.src.width(), h = step.src.height();
  if (w <= 0 || h <= 0) return;
  PixelBuffer piece(w, h, 24, kMagenta);
  RunPlan({{step.src, {0, 0, w, h}}}, *s.image, piece);
  Compose(target, piece, step.dst.left, step.dst.top, true);
}

}  // namespace

int FrameCountAfterLoad(std::string_view element, int frameKey, int style) {
  for (const auto& [name, frames] : kFixedFrames)
    if (name == element) return frames;
  if (element == "Progress") return style != 0 ? 1 : 2;
  if (element == "Headerbar") return frameKey == 0 ? 5 : frameKey;
  // Borders, Progress.Chunk, the scroll-bar thumbs and the track channels keep the skin's count.
  return frameKey;
}

int GlyphFrameCount(int given, int stripWidth, int stripHeight) {
  if (given != 0) return given;
  const int cell = stripHeight < 16 ? 13 : 16;
  return std::max(stripWidth / cell, 4);
}

Colour SampleTitleColour(const PixelBuffer& top, int topFrames, Colour buttonFace) {
  if (top.empty()) return buttonFace;
  const int frameHeight = top.height() / std::max(topFrames, 1);
  return top.Get(top.width() / 3, frameHeight / 3) & 0xFFFFFF;
}

GradientEnds ToolbarGradientEnds(Colour buttonFace, Colour title) {
  GradientEnds ends;
  ends.top = BlendRgb(buttonFace, kWhiteRgb, 150);
  ends.bottom = BlendRgb(0x808080, title, 150);
  const int s = Saturation(title);
  // Strongly coloured titles would make a dark, loud toolbar: lighten towards white instead.
  if (s > 110) ends.bottom = BlendRgb(title, kWhiteRgb, (5625 - 25 * s) / 140 + 50);
  return ends;
}

PixelBuffer ToolbarImage(const GradientEnds& ends) {
  constexpr int kWidth = 10, kHeight = 40;
  PixelBuffer image(kWidth, kHeight, 24);
  const std::vector<Colour> ramp = MakeGradient(kHeight, ends.top, ends.bottom);
  for (int y = 0; y < kHeight; ++y) image.FillRect(0, y, kWidth, y + 1, ramp[y]);
  return image;
}

PixelBuffer WithMagentaReplaced(const PixelBuffer& image, Colour colour) {
  PixelBuffer copy = ConvertTo24(image);
  ReplaceMagenta(copy, colour);
  return copy;
}

PixelBuffer MirroredCopy(const PixelBuffer& image) {
  PixelBuffer copy = ConvertTo24(image);
  MirrorHorizontal(copy);
  return copy;
}

PixelBuffer MirroredFrames(const PixelBuffer& image, int frames) {
  PixelBuffer copy = image;
  const int w = image.width() / std::max(frames, 1);
  if (w <= 0) return copy;
  for (int f = 0; f * w + w <= image.width(); ++f)
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < w; ++x) copy.Set(f * w + x, y, image.Get(f * w + w - 1 - x, y));
  return copy;
}

PixelBuffer CombinedComboStrip(const FrameSource& sunkEdge, const FrameSource& comboButton,
                               const FrameSource& glyphs, int cells, int buttonWidth) {
  constexpr int W = kComboCellWidth, H = kComboCellHeight;
  cells = std::max(cells, 0);
  PixelBuffer strip(W * cells, H, 24, kMagenta);
  const ImageRect whole{0, 0, W, H};
  const ImageRect button{W - buttonWidth, 0, W, H};
  for (int b = 1; b <= cells; ++b) {
    // Parts the sunken edge leaves transparent stay transparent in the result.
    PixelBuffer cell(W, H, 24, kMagenta);
    DrawSliced(cell, sunkEdge, whole, b, sunkEdge.transparent);
    DrawSliced(cell, comboButton, button, b, true);
    DrawCentred(cell, glyphs, button, b);
    // The edit field shows through this hole.
    cell.FillRect(2, 2, W - 1 - buttonWidth, 18, kMagenta);
    Compose(strip, cell, W * (b - 1), 0, false);
  }
  return strip;
}

PixelBuffer ComboArrowsFromStrip(const PixelBuffer& strip, int cells) {
  constexpr int kArrow = 17;
  cells = std::max(cells, 0);
  PixelBuffer arrows(kArrow * cells, kArrow, 24, kMagenta);
  if (cells == 0) return arrows;
  const int w = strip.width() / cells;
  for (int i = 0; i < cells; ++i) {
    const int sx = w * (i + 1) - 19, sy = 2;
    for (int y = 0; y < kArrow; ++y)
      for (int x = 0; x < kArrow; ++x) {
        const int px = sx + x, py = sy + y;
        if (px < 0 || py < 0 || px >= strip.width() || py >= strip.height()) continue;
        arrows.Set(kArrow * i + x, y, strip.Get(px, py) & 0xFFFFFF);
      }
  }
  return arrows;
}

PixelBuffer BuiltInTrackImage(bool vertical) {
  constexpr Colour kShadow = 0x808080, kDark = 0x404040, kFace = 0xE0E0E0, kLight = 0xFFFFFF;
  constexpr int kLength = 16;
  // Across the groove, outside in: shadow, dark shadow, face, highlight; the far end is lit.
  constexpr std::array<Colour, 4> kAcross = {kShadow, kDark, kFace, kLight};
  PixelBuffer image(vertical ? 4 : kLength, vertical ? kLength : 4, 24);
  for (int along = 0; along < kLength; ++along)
    for (int across = 0; across < 4; ++across) {
      Colour c = kAcross[across];
      if (along == 0 && across < 3) c = kShadow;
      if (along == kLength - 1) c = kLight;
      if (vertical)
        image.Set(across, along, c);
      else
        image.Set(along, across, c);
    }
  return image;
}

}  // namespace skin
