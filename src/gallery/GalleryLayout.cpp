#include "gallery/GalleryLayout.h"

#include <algorithm>

namespace gallery {

GalleryPlan PlanGallery(const std::vector<int>& heights, int width, int height,
                        const GalleryMetrics& m) {
  GalleryPlan plan;
  plan.rows.reserve(heights.size());
  // Rows flow down a column until the next one would reach past the bottom; a column holds at
  // least one row, however tall.
  int column = 0, top = m.firstRowTop, lowest = m.firstRowTop;
  for (const int h : heights) {
    if (top > m.firstRowTop && top + h + m.bottomMargin > height) {
      ++column;
      top = m.firstRowTop;
    }
    plan.rows.push_back({column, top});
    top += h + m.rowGap;
    lowest = std::max(lowest, top);
    if (top - m.rowGap + m.bottomMargin > height) plan.fits = false;
  }
  plan.columns = heights.empty() ? 0 : column + 1;
  plan.clientHeight = lowest - m.rowGap + m.bottomMargin;

  // Narrower titles first, then narrower controls, until the columns fit across.
  const auto across = [&](int title, int pitch) {
    return plan.columns * (title + 12 + 2 * pitch + m.columnGap) - m.columnGap + m.margin;
  };
  plan.titleWidth = m.titleWidth;
  plan.pitch = m.pitch;
  if (plan.columns > 0 && across(plan.titleWidth, plan.pitch) > width) {
    const int perColumn = (width - m.margin + m.columnGap) / plan.columns - m.columnGap - 12;
    plan.titleWidth = std::clamp(perColumn - 2 * m.pitch, m.fairTitleWidth, m.titleWidth);
    plan.pitch = std::clamp((perColumn - plan.titleWidth) / 2, m.minPitch, m.pitch);
    if (plan.titleWidth + 2 * plan.pitch > perColumn)
      plan.titleWidth = std::max(perColumn - 2 * plan.pitch, m.minTitleWidth);
    if (across(plan.titleWidth, plan.pitch) > width) plan.fits = false;
  }
  plan.clientWidth = plan.columns > 0 ? across(plan.titleWidth, plan.pitch) : m.margin;
  return plan;
}

GalleryPlan PlanScrollingGallery(const std::vector<int>& heights, int width, int height,
                                 const GalleryMetrics& m) {
  // Taller columns hold more rows, so fewer of them: the shortest height whose columns fit
  // across. Every row once in a column of its own is as tall as it gets.
  int total = m.firstRowTop + m.bottomMargin;
  for (const int h : heights) total += h + m.rowGap;
  for (int h = std::max(height, 1);; h += 8) {
    GalleryPlan plan = PlanGallery(heights, width, h, m);
    if (plan.clientWidth <= width || plan.columns <= 1 || h >= total) {
      plan.fits = plan.clientWidth <= width;
      return plan;
    }
  }
}

}  // namespace gallery
