#include "skin/controls/ComboGeometry.h"

#include <algorithm>
#include <cstdint>

namespace skin {

int ComboImageFrame(const ComboState& s, int frameCount) {
  int index = s.focused ? 4 : 1;
  if (s.down)
    index = 2;
  else if (s.hot)
    index = 4;
  if (s.disabled) index = 3;
  return ClampFrame(index, frameCount);
}

int FlatComboFrame(const ComboState& s, int frameCount) {
  int index = s.disabled ? 3 : 1;
  if (s.focused) index = 4;
  if (s.down)
    index = 2;
  else if (s.hot)
    index = 4;
  return ClampFrame(index, frameCount);
}

FlatComboLayout FlatComboGeometry(int W, int H, int imageWidth, int imageHeight, int thumb,
                                  bool leftScrollBar) {
  FlatComboLayout l;
  l.inner = {2, 2, W - 2, H - 2};
  if (leftScrollBar) {
    l.column = {2, 2, 2 + thumb, H - 2};
    l.image = {2, 2, 2 + imageWidth, H - 2};
  } else {
    l.column = {W - 2 - thumb, 2, W - 2, H - 2};
    l.image = {W - 2 - imageWidth, 2, W - 2, H - 2};
  }
  if (imageHeight < thumb) l.image.bottom = 2 + imageHeight;
  return l;
}

int StripFrameWidth(int stripWidth, int frames) { return stripWidth / std::max(frames, 1); }

int ThumbDragPosition(const ThumbDragInput& in) {
  int t = std::max(in.offset, 0);
  const int range = in.max - in.min;
  int position;
  if (in.page == 0) {
    t = std::min(t, in.track - in.thumb);
    position = std::min(MulDivRound(t, range, in.track) + in.min, in.max);
  } else {
    if (t > in.track - in.thumb) t = in.track - in.thumb + 1;
    position = MulDivRound(t, range - in.page, in.track - in.thumb) + in.min;
    const int last = in.max - in.page + 1;
    if (static_cast<int64_t>(position) >= static_cast<int64_t>(in.max) - in.page) position = last;
  }
  return std::max(position, in.min);
}

}  // namespace skin
