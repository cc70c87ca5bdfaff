#include "imaging/PaintPlans.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace skin {
namespace {

// Pieces with no area are left out: a zero-sized copy draws nothing, and a negative one (margins
// wider than the frame) would mirror the piece, which no skin means.
void Add(PaintPlan& plan, const ImageRect& src, const ImageRect& dst) {
  if (!src.empty() && !dst.empty()) plan.push_back({src, dst});
}

// Margins come from the skin's definition, so they can be any 32-bit number. A margin wider than
// the frame would cut its piece from beyond the frame (the next frame, or outside the bitmap), so
// none is; cut to the frame, every sum of margins and frame sizes stays within int.
int FitMargin(int margin, int frameExtent) {
  return std::clamp(margin, 0, std::max(frameExtent, 0));
}

// The source span of a nine-slice's middle in one direction: the frame's own middle, or, when the
// margins fill the frame (or overlap in it), one line where they meet, inside the frame: the last
// of the first margin, or the first of the second when the first is 0.
struct Seam {
  int from, to;
  bool seam;
};
Seam Middle(int firstEnd, int secondStart, int first, int frameStart, int frameEnd) {
  if (firstEnd < secondStart) return {firstEnd, secondStart, false};
  if (frameEnd <= frameStart) return {frameStart, frameStart, false};  // no line to take
  if (first > 0) return {firstEnd - 1, firstEnd, true};
  return {frameStart, frameStart + 1, true};
}

}  // namespace

int ClampFrame(int index, int frameCount) { return std::clamp(index, 1, std::max(frameCount, 1)); }

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
  const int64_t magnitude = (product < 0 ? -product : product) + divisor / 2;
  const int64_t q = magnitude / divisor;
  const bool negative = (product < 0) != (c < 0);
  return static_cast<int>(std::clamp<int64_t>(negative ? -q : q, INT32_MIN, INT32_MAX));
}

ImageRect FrameRect(int bitmapWidth, int bitmapHeight, bool vertical, int count, int index) {
  count = std::max(count, 1);
  index = ClampFrame(index, count);
  if (vertical) {
    const int h = bitmapHeight / count;
    return {0, h * (index - 1), bitmapWidth, h * index};
  }
  const int w = bitmapWidth / count;
  return {w * (index - 1), 0, w * index, bitmapHeight};
}

PaintPlan PlanNineSlice(int bitmapWidth, int bitmapHeight, int width, int height,
                        const ImageRect& margins, bool verticalFrames, bool tileCentre, int count,
                        int index) {
  PaintPlan plan;
  if (width <= 0 || height <= 0) return plan;
  const ImageRect f = FrameRect(bitmapWidth, bitmapHeight, verticalFrames, count, index);
  // The fit is decided on the skin's own numbers (in 64 bits: two margins of 2^30 do not fit
  // anything), then what is kept is cut to the frame.
  int64_t ml = std::max(margins.left, 0), mt = std::max(margins.top, 0);
  int64_t mr = std::max(margins.right, 0), mb = std::max(margins.bottom, 0);
  if (width < ml + mr) ml = mr = 0;
  if (height < mt + mb) mt = mb = 0;
  const int l = FitMargin(static_cast<int>(ml), f.width()),
            t = FitMargin(static_cast<int>(mt), f.height());
  const int r = FitMargin(static_cast<int>(mr), f.width()),
            b = FitMargin(static_cast<int>(mb), f.height());
  const int W = width, H = height;
  // Source columns and rows of the frame: outer edges and the inner (centre) box.
  const int sx0 = f.left, sx1 = f.left + l, sx2 = f.right - r, sx3 = f.right;
  const int sy0 = f.top, sy1 = f.top + t, sy2 = f.bottom - b, sy3 = f.bottom;
  // Margins that fill the frame leave it no middle, yet a larger target still has one between
  // them: the line where the two margins meet (the first one's last) is stretched across it.
  const Seam cx = Middle(sx1, sx2, l, f.left, f.right), cy = Middle(sy1, sy2, t, f.top, f.bottom);

  if (l > 0 && t > 0) Add(plan, {sx0, sy0, sx1, sy1}, {0, 0, l, t});
  if (l > 0 && b > 0) Add(plan, {sx0, sy2, sx1, sy3}, {0, H - b, l, H});
  if (r > 0 && t > 0) Add(plan, {sx2, sy0, sx3, sy1}, {W - r, 0, W, t});
  if (l > 0) Add(plan, {sx0, cy.from, sx1, cy.to}, {0, t, l, H - b});
  if (t > 0) Add(plan, {cx.from, sy0, cx.to, sy1}, {l, 0, W - r, t});
  const ImageRect centreSrc{cx.from, cy.from, cx.to, cy.to};
  const ImageRect centreDst{l, t, W - r, H - b};
  if (tileCentre && !centreSrc.empty()) {
    // Repeated unscaled, except across a direction where the piece is only the seam: there one
    // copy stretches over the whole middle, as many one-pixel copies would draw it.
    const int stepW = cx.seam ? centreDst.width() : centreSrc.width();
    const int stepH = cy.seam ? centreDst.height() : centreSrc.height();
    for (int y = centreDst.top; y < centreDst.bottom; y += stepH)
      for (int x = centreDst.left; x < centreDst.right; x += stepW)
        plan.push_back({centreSrc, {x, y, x + stepW, y + stepH}});
  } else {
    Add(plan, centreSrc, centreDst);
  }
  if (r > 0 && b > 0) Add(plan, {sx2, sy2, sx3, sy3}, {W - r, H - b, W, H});
  if (r > 0) Add(plan, {sx2, cy.from, sx3, cy.to}, {W - r, t, W, H - b});
  if (b > 0) Add(plan, {cx.from, sy2, cx.to, sy3}, {l, H - b, W - r, H});
  return plan;
}

PaintPlan PlanThreePartStrip(int bitmapWidth, int bitmapHeight, int width, int height,
                             const ImageRect& margins, bool verticalFrames, int count, int index) {
  PaintPlan plan;
  if (width <= 0 || height <= 0) return plan;
  const ImageRect f = FrameRect(bitmapWidth, bitmapHeight, verticalFrames, count, index);
  const int l = FitMargin(margins.left, f.width()), r = FitMargin(margins.right, f.width());
  // Each target pixel is drawn once: a strip shorter than its two ends shows the right one whole
  // and as much of the left as is left over, and the middle's last copy is cut where the right
  // end begins (unscaled, so the pixels are those an overdrawn copy would leave).
  const int right = std::min(r, width), left = std::min(l, width - right);
  Add(plan, {f.left, f.top, f.left + left, f.bottom}, {0, 0, left, height});
  const int from = left, to = width - right;
  const Seam m = Middle(f.left + l, f.right - r, l, f.left, f.right);
  if (m.seam) {
    // Ends that fill the frame leave it no middle, yet a longer strip has one: the line where
    // they meet is stretched across it.
    Add(plan, {m.from, f.top, m.to, f.bottom}, {from, 0, to, height});
  } else if (m.to > m.from) {
    const int piece = m.to - m.from;
    for (int x = from; x < to;) {
      const int step = std::min(piece, to - x);
      Add(plan, {m.from, f.top, m.from + step, f.bottom}, {x, 0, x + step, height});
      x += step;
    }
  }
  Add(plan, {f.right - right, f.top, f.right, f.bottom}, {width - right, 0, width, height});
  return plan;
}

PaintPlan PlanFrame(int bitmapWidth, int bitmapHeight, int width, int height, int count,
                    int index) {
  PaintPlan plan;
  Add(plan, FrameRect(bitmapWidth, bitmapHeight, false, count, index), {0, 0, width, height});
  return plan;
}

BlitStep PlanFrameCentred(int bitmapWidth, int bitmapHeight, const ImageRect& dst, int count,
                          int index) {
  const ImageRect f = FrameRect(bitmapWidth, bitmapHeight, false, count, index);
  const int x = dst.left + (dst.width() - f.width()) / 2;
  const int y = dst.top + (dst.height() - f.height()) / 2;
  return {f, {x, y, x + f.width(), y + f.height()}};
}

PaintPlan PlanTile(const ImageRect& dst, const ImageRect& piece) {
  PaintPlan plan;
  if (piece.empty()) return plan;
  const int w = piece.width(), h = piece.height();
  for (int y = dst.top; y < dst.bottom; y += h)
    for (int x = dst.left; x < dst.right; x += w) plan.push_back({piece, {x, y, x + w, y + h}});
  return plan;
}

// Source offset for each of `dst` target pixels when `src` pixels are scaled onto them, chosen as
// GDI's COLORONCOLOR stretch chooses them (measured), so the portable render matches the screen:
// the source is cut into `dst` groups, group k ending where (k + 1) * src / dst - 1 rounds to; a
// shrunk column shows the last pixel of its group, a shrunk row the first. Enlarging repeats each
// source pixel over the target pixels it covers, cut the same way.
std::vector<int> StretchOffsets(int src, int dst, bool keepFirst) {
  if (src <= 0 || dst <= 0) return {};
  std::vector<int> map(dst);
  auto groupEnd = [](int k, int from, int to) {
    return static_cast<int>((int64_t{2} * (k + 1) * from - to) / (int64_t{2} * to));
  };
  if (dst <= src) {
    for (int x = 0; x < dst; ++x)
      map[x] = keepFirst ? (x == 0 ? 0 : groupEnd(x - 1, src, dst) + 1) : groupEnd(x, src, dst);
  } else {
    int x = 0;
    for (int k = 0; k < src; ++k)
      for (const int last = groupEnd(k, dst, src); x <= last && x < dst; ++x) map[x] = k;
  }
  return map;
}

void RunPlan(const PaintPlan& plan, const PixelBuffer& src, PixelBuffer& dst) {
  const int sbpp = src.bytesPerPixel(), dbpp = dst.bytesPerPixel();
  for (const BlitStep& s : plan) {
    const int sw = s.src.width(), sh = s.src.height();
    const int dw = s.dst.width(), dh = s.dst.height();
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) continue;
    const std::vector<int> cols = StretchOffsets(sw, dw, false),
                           rows = StretchOffsets(sh, dh, true);
    const int y0 = std::max(s.dst.top, 0), y1 = std::min(s.dst.bottom, dst.height());
    const int x0 = std::max(s.dst.left, 0), x1 = std::min(s.dst.right, dst.width());
    for (int y = y0; y < y1; ++y) {
      const int sy = s.src.top + rows[y - s.dst.top];
      if (sy < 0 || sy >= src.height()) continue;
      const uint8_t* srow = src.Row(sy);
      uint8_t* drow = dst.Row(y);
      for (int x = x0; x < x1; ++x) {
        const int sx = s.src.left + cols[x - s.dst.left];
        if (sx < 0 || sx >= src.width()) continue;
        std::memcpy(drow + static_cast<size_t>(x) * dbpp, srow + static_cast<size_t>(sx) * sbpp,
                    std::min(sbpp, dbpp));
      }
    }
  }
}

PixelBuffer RenderNineSlice(const PixelBuffer& src, int width, int height, const ImageRect& margins,
                            bool verticalFrames, bool tileCentre, int count, int index) {
  PixelBuffer out(width, height, src.bitsPerPixel());
  RunPlan(PlanNineSlice(src.width(), src.height(), width, height, margins, verticalFrames,
                        tileCentre, count, index),
          src, out);
  return out;
}

}  // namespace skin
