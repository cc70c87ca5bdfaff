// The portable arithmetic of the skinned scroll bars: where the thumb of a scroll-bar control
// sits, which part of a bar a point falls on, where a dragged thumb goes and what scroll position
// it stands for, and which image of which strip each part of a bar shows. Every frame index is
// clamped to its strip, whatever a skin's frame count says.
#pragma once

#include "imaging/PaintPlans.h"

namespace skin {

// The part of a bar under the pointer, named by the scroll request it makes (the system's SB_
// codes); also what the host's scroll requests report while the system tracks a press.
enum ScrollZone : int {
  kZoneNone = -1,
  kZoneLineUp = 0,
  kZoneLineDown = 1,
  kZonePageUp = 2,
  kZonePageDown = 3,
  kZoneThumb = 5,
};

// The 23-image Scrollbar strip: arrows and thumb grips.
constexpr int kScrollArrowFrames = 23;

// A scroll range as the system's scroll information gives it.
struct ScrollRange {
  int min = 0, max = 0, page = 0, pos = 0;
};

// A thumb's extent along its bar, from the bar's start.
struct ThumbSpan {
  int top = 0, bottom = 0;
  int size() const { return bottom - top; }
  bool operator==(const ThumbSpan&) const = default;
};


// The thumb of a scroll-bar control `length` long whose arrows are `arrow` long: proportional
// to the page, at least 8 pixels, an arrow long when the control has no page.
ThumbSpan ControlThumb(int length, int arrow, const ScrollRange& range);

// The zone of the bar at `v` pixels along it.
ScrollZone HitZone(int v, int length, int arrow, ThumbSpan thumb);

// The thumb dragged `delta` pixels from where it was pressed (`pressTop`); it keeps its size and
// never comes closer than an arrow to either end.
ThumbSpan DragThumb(int pressTop, int thumbSize, int delta, int length, int arrow);

// The scroll position a thumb at `thumbTop` stands for, as the system computes it while it
// tracks a thumb (so that the overlay and the native bar agree).
int ThumbPosition(int thumbTop, int thumbSize, int length, int arrow, const ScrollRange& range);

// The bar's thickness: the height of the Scrollbar strip, unless it differs from the system's
// arrow size by more than 2 pixels.
int BarThickness(int stripHeight, int arrow);

// Which image each piece of a bar shows.
struct BarFrames {
  int track = 1;                        // of the 4 track images
  int firstArrow = 1, secondArrow = 5;  // of the 23 Scrollbar images
  int thumb = 1;                        // of the thumb's own images
  int grip = 17;                        // of the 23 Scrollbar images
};
BarFrames ChooseBarFrames(bool vertical, bool enabled, int hoverZone, bool pressed,
                          int thumbFrameCount, int trackFrameCount);

// Where each piece of a bar goes in a bitmap of width x height; a piece that must not be drawn is
// inverted (right < left) or empty.
struct BarLayout {
  ImageRect track, firstArrow, secondArrow, thumb, grip;
  bool drawThumb = false, drawGrip = false;
};
BarLayout LayoutBar(bool vertical, int width, int height, int thickness, int arrow, ThumbSpan thumb,
                    int gripSize, bool enabled);


}  // namespace skin
