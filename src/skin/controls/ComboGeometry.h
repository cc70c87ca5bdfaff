// The portable rules of the combo box skinner: which ComboButton image a state shows, where the
// flat drop-down button goes, and the list position a thumb drag stands for. Every index is
// clamped to the strip, whatever a skin's frame count says.
#pragma once

#include "imaging/PaintPlans.h"

namespace skin {

// ComboButton (and SunkEdge) frames: 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
struct ComboState {
  bool focused = false, down = false, hot = false, disabled = false;
};
// The whole-combo image (Style 2) lets the disabled look win over everything; the flat button
// (Style 1) shows a press, the hover and the focus even on a disabled combo.
int ComboImageFrame(const ComboState& s, int frameCount);
int FlatComboFrame(const ComboState& s, int frameCount);

// The flat drawing (Style 1) of a combo of width x height: the edge, the button column that is
// cleared and the rectangle the ComboButton image goes to (also the hot rectangle).
struct FlatComboLayout {
  ImageRect inner;   // inside the two-pixel edge
  ImageRect column;  // the button column, `thumb` wide, at the side of the scroll bar
  ImageRect image;   // imageWidth wide, at most imageHeight high
};
// `thumb`: the system's vertical thumb size; `leftScrollBar`: the button sits at the left
// (right-to-left combos).
FlatComboLayout FlatComboGeometry(int width, int height, int imageWidth, int imageHeight, int thumb,
                                  bool leftScrollBar);

// One frame's width of a strip of `frames` side by side (a count below 1 counts as 1).
int StripFrameWidth(int stripWidth, int frames);

// A drop-down list's thumb dragged `offset` pixels from the start of its track: the position it
// stands for. `track` is the bar's length less both arrows, `thumb` the thumb's length; `page` 0
// is a list whose bar has no page (the thumb is then a fixed size). The last reachable position is
// max - page + 1, as the system's own bar gives.
struct ThumbDragInput {
  int offset = 0;
  int min = 0, max = 0, page = 0;
  int track = 0, thumb = 0;
};
int ThumbDragPosition(const ThumbDragInput& in);

}  // namespace skin
