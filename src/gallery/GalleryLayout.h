// Where the gallery's rows go: columns of rows (a title, the skinned control, its native twin)
// that fit the space the screen leaves for the window's client area. Columns hold as many rows
// as the height allows; when the columns are wider than the screen, titles and controls narrow
// down to their minimums. Pure geometry.
#pragma once

#include <vector>

namespace gallery {

struct GalleryMetrics {
  // Titles narrow to `fairTitleWidth` first, then the controls, then the titles again.
  int titleWidth = 150, fairTitleWidth = 128, minTitleWidth = 104;
  int pitch = 170,
      minPitch = 128;  // from one control's left to its twin's; controls are pitch - 20
  int rowGap = 8, columnGap = 12, margin = 12;
  int headerTop = 12, firstRowTop = 36, bottomMargin = 4;
};

struct GalleryPlace {
  int column = 0;
  int top = 0;
};

struct GalleryPlan {
  std::vector<GalleryPlace> rows;
  int columns = 0;
  int titleWidth = 0, pitch = 0;
  int clientWidth = 0, clientHeight = 0;
  // The plan fits the space given (false: it is as small as the minimums allow).
  bool fits = true;
  int ColumnLeft(int column, const GalleryMetrics& m) const {
    return column * (titleWidth + 12 + 2 * pitch + m.columnGap);
  }
};

// `heights` are the rows' heights in order; `width` x `height` the client area the screen allows.
GalleryPlan PlanGallery(const std::vector<int>& heights, int width, int height,
                        const GalleryMetrics& metrics = GalleryMetrics());

// For a screen too small for every row: the rows in as many columns as fit across `width`
// (one at least), each column as tall as they need from `height` on, to be scrolled up and down.
// `fits` tells whether the columns fit across.
GalleryPlan PlanScrollingGallery(const std::vector<int>& heights, int width, int height,
                                 const GalleryMetrics& metrics = GalleryMetrics());

}  // namespace gallery
