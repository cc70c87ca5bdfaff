#include "skin/controls/PageGeometry.h"

#include <algorithm>
#include <cstdint>

namespace skin {

namespace {
void Add(PaintPlan& plan, const ImageRect& src, const ImageRect& dst) {
  if (!src.empty() && !dst.empty()) plan.push_back({src, dst});
}
}  // namespace

// ---- Header controls

HeaderAlign HeaderAlignment(unsigned format) {
  switch (format & 3u) {
    case 1:
      return HeaderAlign::Right;
    case 2:
      return HeaderAlign::Centre;
    default:
      return HeaderAlign::Left;
  }
}

int HeaderItemFrame(bool hot, int frameCount) { return ClampFrame(hot ? 2 : 1, frameCount); }

HeaderItemLayout LayoutHeaderItem(const HeaderItemInput& in) {
  HeaderItemLayout out;
  out.showImage = in.hasImage && in.imageWidth < in.width;
  const int cx = out.showImage ? in.imageWidth : 0;
  int x = ScaleLength(3, in.scale);
  if (in.align == HeaderAlign::Centre)
    x = (in.width - cx - in.textWidth) / 2;
  else if (in.align == HeaderAlign::Right)
    x = in.width - cx - in.textWidth - ScaleLength(2, in.scale);
  if (x < ScaleLength(2, in.scale)) x = ScaleLength(1, in.scale);
  out.imageX = x;
  out.imageY = (in.height - in.imageHeight) / 2;
  const int top = (in.height - in.textHeight) / 2;
  out.text = {x + cx, top, x + cx + in.textWidth, top + in.textHeight};
  out.text.left = std::clamp(out.text.left, 0, std::max(in.width, 0));
  out.text.right = std::clamp(out.text.right, 0, std::max(in.width, 0));
  return out;
}

int HeaderSortOrder(unsigned format) {
  if (format & 0x400u) return 1;
  if (format & 0x200u) return -1;
  return 0;
}

std::vector<ImageRect> HeaderSortArrow(int width, int height, bool ascending, Scale scale) {
  std::vector<ImageRect> rows;
  const int room = ScaleLength(kHeaderSortRoom, scale), n = ScaleLength(4, scale);
  const int widest = ScaleLength(3, scale);
  if (width < 2 * room || height < n) return rows;
  const int cx = width - room / 2, top = (height - n) / 2;
  for (int i = 0; i < n; ++i) {
    const int step = n > 1 ? i * widest / (n - 1) : widest;
    const int half = ascending ? step : widest - step;
    rows.push_back({cx - half, top + i, cx + half + 1, top + i + 1});
  }
  return rows;
}

ImageRect HeaderHoverRect(const ImageRect& item, Scale scale) {
  const int inset = ScaleLength(3, scale);
  return {item.left + inset, item.top, item.right - inset, item.bottom};
}

int HotHeaderItem(const std::vector<ImageRect>& hoverRects, int x, int y, int hot) {
  for (size_t i = 0; i < hoverRects.size(); ++i) {
    const ImageRect& r = hoverRects[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
  }
  return hot;
}

// ---- Progress bars

int ProgressFill(int length, int pos, int low, int high) {
  if (length <= 0 || high <= low) return 0;
  pos = std::clamp(pos, low, high);
  const int64_t num = static_cast<int64_t>(length) * (static_cast<int64_t>(pos) - low);
  const int64_t den = static_cast<int64_t>(high) - low;
  return static_cast<int>((2 * num + den) / (2 * den));  // rounded, as MulDiv rounds
}

PaintPlan PlanProgressChunks(int fill, int chunkWidth, int chunkHeight, int x0, int y0, int limit) {
  PaintPlan plan;
  if (fill <= 0 || chunkWidth <= 0 || chunkHeight <= 0) return plan;
  const int end = std::min(x0 + fill, limit);
  for (int x = x0; x < end; x += chunkWidth) {
    const int w = std::min(chunkWidth, end - x);
    Add(plan, {0, 0, w, chunkHeight}, {x, y0, x + w, y0 + chunkHeight});
  }
  return plan;
}

PaintPlan PlanStretchedChunk(int fill, int height, int chunkWidth, int chunkHeight, int leftCap,
                             int rightCap) {
  PaintPlan plan;
  if (fill <= 0 || height <= 0 || chunkWidth <= 0 || chunkHeight <= 0) return plan;
  const int l = std::clamp(leftCap, 0, chunkWidth), r = std::clamp(rightCap, 0, chunkWidth - l);
  if (fill < chunkWidth || fill < l + r) {
    Add(plan, {0, 0, chunkWidth, chunkHeight}, {0, 0, fill, height});
    return plan;
  }
  Add(plan, {0, 0, l, chunkHeight}, {0, 0, l, height});
  Add(plan, {l, 0, chunkWidth - r, chunkHeight}, {l, 0, fill - r, height});
  Add(plan, {chunkWidth - r, 0, chunkWidth, chunkHeight}, {fill - r, 0, fill, height});
  return plan;
}

// ---- Track bars

PaintPlan PlanTrackChannel(int bw, int bh, const ImageRect& c, int capStart, int capEnd,
                           bool vertical) {
  PaintPlan plan;
  if (bw <= 0 || bh <= 0 || c.empty()) return plan;
  if (vertical) {
    const int t = std::clamp(capStart, 0, bh), b = std::clamp(capEnd, 0, bh - t);
    const int x0 = bw < c.width() ? c.left + (c.width() - bw) / 2 : c.left;
    Add(plan, {0, 0, bw, t}, {x0, c.top, x0 + bw, c.top + t});
    Add(plan, {0, t, bw, bh - b}, {x0, c.top + t, x0 + bw, c.bottom - b});
    Add(plan, {0, bh - b, bw, bh}, {x0, c.bottom - b, x0 + bw, c.bottom});
    return plan;
  }
  const int l = std::clamp(capStart, 0, bw), r = std::clamp(capEnd, 0, bw - l);
  const int y0 = bh < c.height() ? c.top + (c.height() - bh) / 2 : c.top;
  Add(plan, {0, 0, l, bh}, {c.left, y0, c.left + l, y0 + bh});
  Add(plan, {l, 0, bw - r, bh}, {c.left + l, y0, c.right - r, y0 + bh});
  Add(plan, {bw - r, 0, bw, bh}, {c.right - r, y0, c.right, y0 + bh});
  return plan;
}

ImageRect VerticalChannel(const ImageRect& r) {
  if (r.height() >= r.width()) return r;
  return {r.top, r.left, r.bottom, r.right};
}

// ---- Date-time pickers

ImageRect DateTimeArrowRect(int pickerWidth, int pickerHeight, int buttonWidth, bool leftScrollBar,
                            Scale scale) {
  const int edge = ScaleLength(2, scale), inset = ScaleLength(4, scale);
  const int left = leftScrollBar ? edge : pickerWidth - buttonWidth - inset;
  return {left, 0, left + buttonWidth, std::max(pickerHeight - inset, 0)};
}

int ArrowButtonFrame(bool hot, int frameCount) { return ClampFrame(hot ? 4 : 1, frameCount); }

// ---- Glyph strips

GlyphStripMap ObjImageStrip(int mode, int sourceFrames) {
  GlyphStripMap m;
  const bool five = sourceFrames >= 5;
  switch (mode) {
    case 1:
      m.frames = 9;
      m.copies = {{1, 1}, {4, 1}, {2, 2}, {5, 2}, {7, 3}, {8, 4}};
      if (five) m.copies.insert(m.copies.end(), {{3, 5}, {6, 5}, {9, 5}});
      break;
    case 2:
      m.frames = 6;
      m.copies = {{1, 1}, {3, 1}, {2, 2}, {4, 2}, {5, 3}, {6, 4}};
      break;
    case 3:
      m.frames = 6;
      m.copies = {{1, 1}, {4, 1}, {2, 2}, {5, 2}};
      if (five) m.copies.insert(m.copies.end(), {{3, 5}, {6, 5}});
      break;
    default:
      return m;
  }
  // A source frame the strip does not have is left out rather than taken from a wrong place.
  std::erase_if(m.copies, [&](const auto& c) { return c.second > std::max(sourceFrames, 1); });
  return m;
}

}  // namespace skin
