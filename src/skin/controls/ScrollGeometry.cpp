#include "skin/controls/ScrollGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace skin {

namespace {
constexpr int kEmptyRange = 9999999;  // stands in for a range whose ends meet
constexpr int kMinThumb = 8;

// a * b / c rounded half away from zero, as MulDiv does, for the 64-bit spans of a scroll range
// (the product of a bar's length and a span is exact in a long double's 64-bit mantissa).
int ScaleRound(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return -1;
  const long double q = std::round(static_cast<long double>(a) * b / c);
  return static_cast<int>(std::clamp<long double>(q, INT32_MIN, INT32_MAX));
}
}  // namespace

ThumbSpan ControlThumb(int length, int arrow, const ScrollRange& range) {
  // The span and the offset in 64 bits: a range from INT_MIN to INT_MAX is the system's to give.
  // The position is where the system keeps it: from min to max - (page - 1).
  const int64_t r = range.max == range.min ? kEmptyRange
                                           : static_cast<int64_t>(range.max) - range.min;
  const int64_t last = std::max<int64_t>(r - std::max(range.page - 1, 0), 0);
  const int64_t offset = std::clamp<int64_t>(static_cast<int64_t>(range.pos) - range.min, 0, last);
  const bool atStart = range.pos == range.min;
  int size = 0, top = 0;
  if (range.page != 0) {
    // A page beyond the range makes a thumb longer than the bar: it does not fit (and is not
    // drawn), and its length stays the bar's so that the sums below cannot overflow.
    size = std::min(ScaleRound(length - 2 * arrow, range.page - 1, r), std::max(length, 0));
    if (size > kMinThumb - 1) {
      top = atStart ? arrow : ScaleRound(length - 2 * arrow, offset, r) + arrow;
    } else {
      size = kMinThumb;
      top = atStart ? arrow : ScaleRound(length - 2 * arrow - kMinThumb, offset, r) + arrow;
    }
  } else {
    size = arrow;
    top = atStart ? arrow : ScaleRound(length - 3 * arrow, offset, r) + arrow;
  }
  // The place and the length are rounded apart: at the end of the range their sum can pass the
  // far arrow by a pixel, and a thumb that does not fit is not drawn. It ends at the arrow.
  if (size <= length - 2 * arrow) top = std::min(top, length - arrow - size);
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
  // In 64 bits up to the end: a span of up to 2^32 - 1 from a negative minimum.
  const int64_t pos = range.min + (along * std::max<int64_t>(span, 0) + pixels / 2) / pixels;
  return static_cast<int>(std::clamp<int64_t>(pos, INT32_MIN, INT32_MAX));
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
