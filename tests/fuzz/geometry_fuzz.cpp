// Property fuzzing of the painting and hit-testing geometry: random metrics, image and window sizes
// (every number within the range a skin or the system can give it) through the nine-slice,
// three-part and frame plans, the skinned frame's sizes and hit test, and the scroll-bar thumb.
// Each plan stays inside its image and covers its window without a gap; a window fitted to a
// client gives that client back; a thumb stays between the arrows and its centre hits the thumb;
// and UBSan sees every sum.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/PaintPlans.h"
#include "skin/controls/ScrollGeometry.h"
#include "skin/frame/FrameGeometry.h"

namespace {

using skin::ImageRect;

[[noreturn]] void Fail() { __builtin_trap(); }
void Check(bool holds) {
  if (!holds) Fail();
}

bool Inside(const ImageRect& r, const ImageRect& outer) {
  return r.left >= outer.left && r.top >= outer.top && r.right <= outer.right &&
         r.bottom <= outer.bottom;
}

// Every source piece lies inside the frame it was cut from, and no piece is inverted.
void CheckSources(const skin::PaintPlan& plan, const ImageRect& frame) {
  for (const skin::BlitStep& s : plan) {
    Check(!s.src.inverted() && !s.dst.inverted());
    Check(Inside(s.src, frame));
  }
}

// The plan leaves no pixel of the width x height target unpainted. Pieces may overrun the right
// and bottom edges (tiles are not clipped; GDI clips them); with `fromOrigin` none starts outside.
// (A three-part strip narrower than its two ends keeps both at their width: the right one then
// starts left of the strip.)
void CheckCovers(const skin::PaintPlan& plan, int width, int height, bool fromOrigin) {
  std::vector<uint8_t> painted(static_cast<size_t>(width) * height);
  for (const skin::BlitStep& s : plan) {
    if (s.dst.empty()) continue;
    if (fromOrigin) Check(s.dst.left >= 0 && s.dst.top >= 0);
    for (int y = std::max(s.dst.top, 0); y < s.dst.bottom && y < height; ++y)
      for (int x = std::max(s.dst.left, 0); x < s.dst.right && x < width; ++x)
        painted[static_cast<size_t>(y) * width + x] = 1;
  }
  for (uint8_t p : painted) Check(p != 0);
}

void Plans(FuzzedDataProvider& in) {
  const int bw = in.ConsumeIntegralInRange(1, 96), bh = in.ConsumeIntegralInRange(1, 96);
  const int w = in.ConsumeIntegralInRange(0, 160), h = in.ConsumeIntegralInRange(0, 160);
  const bool vertical = in.ConsumeBool(), tile = in.ConsumeBool();
  const int count = in.ConsumeIntegralInRange(-2, 24), index = in.ConsumeIntegralInRange(-2, 26);
  // Margins as a skin writes them: anything from negative to wider than the image.
  const ImageRect margins{in.ConsumeIntegralInRange(-4, 100), in.ConsumeIntegralInRange(-4, 100),
                          in.ConsumeIntegralInRange(-4, 100), in.ConsumeIntegralInRange(-4, 100)};
  const ImageRect frame = skin::FrameRect(bw, bh, vertical, count, index);
  Check(Inside(frame, {0, 0, bw, bh}));
  if (frame.empty()) return;  // more frames than pixels: nothing to draw from

  // Margins that take a whole frame leave no middle to stretch or tile across a larger window:
  // that gap is the skin's (the lint reports such margins), not the plan's.
  auto middle = [](int64_t a, int64_t b, int frameSize) {
    a = std::clamp<int64_t>(a, 0, frameSize), b = std::clamp<int64_t>(b, 0, frameSize);
    return a + b < frameSize;
  };
  // The nine-slice drops a pair of margins that does not fit the window: the frame stretches.
  auto dropped = [](int64_t a, int64_t b, int target) {
    return target < std::max<int64_t>(a, 0) + std::max<int64_t>(b, 0);
  };
  const bool across = middle(margins.left, margins.right, frame.width());
  const bool down = middle(margins.top, margins.bottom, frame.height());
  const bool nineAcross = across || dropped(margins.left, margins.right, w);
  const bool nineDown = down || dropped(margins.top, margins.bottom, h);

  const skin::PaintPlan nine =
      skin::PlanNineSlice(bw, bh, w, h, margins, vertical, tile, count, index);
  CheckSources(nine, frame);
  if (nineAcross && nineDown) CheckCovers(nine, w, h, true);

  const skin::PaintPlan three =
      skin::PlanThreePartStrip(bw, bh, w, h, margins, vertical, count, index);
  CheckSources(three, frame);
  if (across) CheckCovers(three, w, h, false);

  if (!vertical) {
    const skin::PaintPlan whole = skin::PlanFrame(bw, bh, w, h, count, index);
    CheckSources(whole, frame);
    CheckCovers(whole, w, h, true);
    const ImageRect dst{in.ConsumeIntegralInRange(-50, 50), in.ConsumeIntegralInRange(-50, 50),
                        in.ConsumeIntegralInRange(-50, 150), in.ConsumeIntegralInRange(-50, 150)};
    const skin::BlitStep centred = skin::PlanFrameCentred(bw, bh, dst, count, index);
    Check(Inside(centred.src, frame));
  }
}

void Frame(FuzzedDataProvider& in) {
  // Border images up to the largest a skin sensibly has, and their frame counts as written.
  skin::BorderImageSizes b;
  b.leftWidth = in.ConsumeIntegralInRange(0, 512), b.leftFrames = in.ConsumeIntegralInRange(-1, 8);
  b.rightWidth = in.ConsumeIntegralInRange(0, 512);
  b.rightFrames = in.ConsumeIntegralInRange(-1, 8);
  b.topHeight = in.ConsumeIntegralInRange(0, 1024), b.topFrames = in.ConsumeIntegralInRange(-1, 8);
  b.bottomHeight = in.ConsumeIntegralInRange(0, 512);
  b.bottomFrames = in.ConsumeIntegralInRange(-1, 8);
  const skin::FrameMetrics m = skin::MetricsFromBorders(b, in.ConsumeIntegralInRange(0, 100));
  Check(m.LeftWidth >= 0 && m.RightWidth >= 0 && m.CaptionHeight >= 0 && m.BottomHeight >= 0 &&
        m.MenuBarHeight >= 0);

  // A client of any size the system allows gives a window that gives the same client back.
  const int cw = in.ConsumeIntegralInRange(0, 32767), ch = in.ConsumeIntegralInRange(0, 32767);
  const skin::Extent window = skin::SkinnedWindowSize(cw, ch, m);
  Check(window.width >= cw && window.height >= ch);
  const int x = in.ConsumeIntegralInRange(-32768, 32767), y = in.ConsumeIntegralInRange(-32768, 32767);
  const ImageRect client =
      skin::SkinnedClientRect({x, y, x + window.width, y + window.height}, m);
  Check(client.width() == cw && client.height() == ch);
  Check(Inside(client, {x, y, x + window.width, y + window.height}));

  // Below the top edge, the caption band answers as the caption; the client stays the client.
  const int row = in.ConsumeIntegralInRange(0, window.height > 0 ? window.height - 1 : 0);
  const int answer = skin::SkinnedHitTest(1 /* HTCLIENT */, row, m);
  if (row >= m.CaptionHeight + m.MenuBarHeight) Check(answer == 1);
}

void Scroll(FuzzedDataProvider& in) {
  const int length = in.ConsumeIntegralInRange(0, 4096), arrow = in.ConsumeIntegralInRange(0, 64);
  skin::ScrollRange range;
  range.min = in.ConsumeIntegral<int>();
  range.max = in.ConsumeIntegral<int>();
  range.page = in.ConsumeIntegralInRange(0, 1 << 30);
  range.pos = in.ConsumeIntegral<int>();
  const skin::ThumbSpan thumb = skin::ControlThumb(length, arrow, range);
  Check(thumb.size() >= 0);
  // A thumb longer than the room between the arrows is not drawn (as the system does).
  if (thumb.size() > length - 2 * arrow) return;
  Check(thumb.top >= arrow && thumb.bottom <= length - arrow);
  if (thumb.size() > 0)
    Check(skin::HitZone(thumb.top + thumb.size() / 2, length, arrow, thumb) == skin::kZoneThumb);
  const skin::ThumbSpan dragged =
      skin::DragThumb(thumb.top, thumb.size(), in.ConsumeIntegralInRange(-100000, 100000), length,
                      arrow);
  Check(dragged.size() == thumb.size());
  Check(dragged.top >= arrow && dragged.bottom <= length - arrow);
  skin::ThumbPosition(dragged.top, dragged.size(), length, arrow, range);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
      Plans(in);
      break;
    case 1:
      Frame(in);
      break;
    default:
      Scroll(in);
      break;
  }
  return 0;
}
