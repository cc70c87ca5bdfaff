#include "skin/controls/ScrollGeometry.h"

#include <algorithm>
#include <cstdint>

namespace skin {

namespace {
constexpr int kEmptyRange = 9999999;  // stands in for a range whose ends meet
constexpr int kMinThumb = 8;
}  // namespace

ThumbSpan ControlThumb(int length, int arrow, const ScrollRange& range) {
  const int r = range.max == range.min ? kEmptyRange : range.max - range.min;
  const int offset = range.pos - range.min;
  const bool atStart = range.pos == range.min;
  int size = 0, top = 0;
  if (range.page != 0) {
    size = MulDivRound(length - 2 * arrow, range.page - 1, r);
    if (size > kMinThumb - 1) {
      top = atStart ? arrow : MulDivRound(length - 2 * arrow, offset, r) + arrow;
    } else {
      size = kMinThumb;
      top = atStart ? arrow : MulDivRound(length - 2 * arrow - kMinThumb, offset, r) + arrow;
    }
  } else {
    size = arrow;
    top = atStart ? arrow : MulDivRound(length - 3 * arrow, offset, r) + arrow;
  }
  return {top, top + size};
}

ScrollZone HitZone(int v, int length, int arrow, ThumbSpan thumb) {
  if (v < arrow) return kZoneLineUp;
  if (v < thumb.top) return kZonePageUp;
  if (v < thumb.bottom) return kZoneThumb;
  if (v < length - arrow) return kZonePageDown;
  return kZoneLineDown;
}

ThumbSpan DragThumb(int pressTop, int thumbSize, int delta, int length, int arrow) {
  int t = pressTop + delta;
  if (t < arrow) t = arrow;
  if (t > length - arrow - thumbSize) t = length - arrow - thumbSize;
  return {t, t + thumbSize};
}

int ThumbPosition(int thumbTop, int thumbSize, int length, int arrow, const ScrollRange& range) {
  const int pixels = length - 2 * arrow - thumbSize;
  if (pixels <= 0) return range.min;
  const int64_t along = std::clamp(thumbTop - arrow, 0, pixels);
  const int64_t span = range.page ? static_cast<int64_t>(range.max) - range.min - range.page + 1
                                  : static_cast<int64_t>(range.max) - range.min;
  return range.min + static_cast<int>((along * std::max<int64_t>(span, 0) + pixels / 2) / pixels);
}

int BarThickness(int stripHeight, int arrow) {
  return std::abs(stripHeight - arrow) > 2 ? arrow : stripHeight;
}

BarFrames ChooseBarFrames(bool vertical, bool enabled, int hoverZone, bool pressed,
                          int thumbFrameCount, int trackFrameCount) {
  BarFrames f;
  f.track = ClampFrame(enabled ? 1 : 3, trackFrameCount);
  // Each arrow's four images: normal, pressed, (disabled, never drawn here), hot.
  const int step = pressed ? 1 : 3;
  f.firstArrow = vertical ? 9 : 1;
  f.secondArrow = vertical ? 13 : 5;
  if (hoverZone == kZoneLineUp) f.firstArrow += step;
  if (hoverZone == kZoneLineDown) f.secondArrow += step;
  const bool onThumb = hoverZone == kZoneThumb;
  f.thumb = ClampFrame(onThumb ? (pressed ? 2 : 3) : 1, thumbFrameCount);
  f.grip = (vertical ? 20 : 17) + (onThumb ? (pressed ? 1 : 2) : 0);
  return f;
}

BarLayout LayoutBar(bool vertical, int width, int height, int thickness, int arrow, ThumbSpan thumb,
                    int gripSize, bool enabled) {
  const int length = vertical ? height : width;
  // Pieces are laid out along the bar as (start, end) and turned into rectangles across it.
  const auto piece = [&](int start, int end) {
    return vertical ? ImageRect{0, start, thickness, end} : ImageRect{start, 0, end, thickness};
  };
  BarLayout l;
  l.track = piece(arrow, length - arrow);
  const int a = length < 2 * arrow ? length / 2 : arrow;
  l.firstArrow = piece(0, a);
  l.secondArrow = piece(length - a, length);
  if (!enabled) return l;
  l.thumb = piece(thumb.top, thumb.bottom);
  l.drawThumb = thumb.top < length && thumb.bottom < length;
  const int size = thumb.size();
  if (gripSize < size + 2) {
    const int o = (size - gripSize) / 2;
    l.grip = piece(thumb.top + o, thumb.top + o + gripSize);
    l.drawGrip = thumb.top + o < length && thumb.top + o + gripSize < length;
  }
  return l;
}

}  // namespace skin
