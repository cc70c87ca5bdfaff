// How design values (forms are laid out at 96 pixels per inch) become pixels at another DPI, and
// how a value a program sets at run time becomes a design value again. Every scaled value is
// computed from the design value, never from the previous scaled one, so any number of DPI
// changes ends exactly where it started. Portable.
#pragma once

#include <cstdint>

namespace ui {

// The DPI forms are designed at.
inline constexpr int kDesignPpi = 96;

// value * to / from, rounded half away from zero (as MulDiv rounds). A `from` of 0 or less
// leaves the value as it is.
constexpr int ScaleValue(int value, int to, int from = kDesignPpi) {
  if (from <= 0 || to == from) return value;
  const int64_t magnitude = value < 0 ? -int64_t{value} : int64_t{value};
  const int64_t scaled = (2 * magnitude * to + from) / (2 * int64_t{from});
  return static_cast<int>(value < 0 ? -scaled : scaled);
}

// A control's place in its parent: left, top, width, height.
struct DesignRect {
  int left = 0, top = 0, width = 0, height = 0;
  constexpr bool operator==(const DesignRect&) const = default;
};

// Design bounds at `ppi`. The edges are scaled, not the sizes, so controls that touch at 96 dpi
// still touch; a size that was not 0 stays at least 1 pixel.
constexpr DesignRect ScaleRect(const DesignRect& design, int ppi) {
  DesignRect r;
  r.left = ScaleValue(design.left, ppi);
  r.top = ScaleValue(design.top, ppi);
  r.width = ScaleValue(design.left + design.width, ppi) - r.left;
  r.height = ScaleValue(design.top + design.height, ppi) - r.top;
  if (design.width > 0 && r.width < 1) r.width = 1;
  if (design.height > 0 && r.height < 1) r.height = 1;
  return r;
}

// The design bounds after a program asked for `requested` while the control, at `ppi`, stood at
// `current`. A field the request leaves as it was, or sets to what the design value scales to,
// keeps its design value (a window that keeps its own height, as a combo box does, must not
// change the design); any other field takes the requested value scaled back to 96 dpi.
constexpr DesignRect UpdateDesignRect(const DesignRect& design, const DesignRect& current,
                                      const DesignRect& requested, int ppi) {
  const DesignRect scaled = ScaleRect(design, ppi);
  DesignRect d = design;
  auto keeps = [](int req, int cur, int sc) { return req == cur || req == sc; };
  // A position handed back as it was stands where the design puts it at this DPI (the control
  // may not have been moved there yet: an auto-sized label measures itself on the way).
  const bool keepsLeft = keeps(requested.left, current.left, scaled.left);
  const bool keepsTop = keeps(requested.top, current.top, scaled.top);
  if (!keepsLeft) d.left = ScaleValue(requested.left, kDesignPpi, ppi);
  if (!keepsTop) d.top = ScaleValue(requested.top, kDesignPpi, ppi);
  const int left = keepsLeft ? scaled.left : requested.left;
  const int top = keepsTop ? scaled.top : requested.top;
  if (!keeps(requested.width, current.width, scaled.width))
    d.width = ScaleValue(left + requested.width, kDesignPpi, ppi) - d.left;
  if (!keeps(requested.height, current.height, scaled.height))
    d.height = ScaleValue(top + requested.height, kDesignPpi, ppi) - d.top;
  return d;
}

// A font height (negative: character height; positive: cell height) at `ppi`.
constexpr int ScaleFontHeight(int designHeight, int ppi) {
  const int h = ScaleValue(designHeight, ppi);
  return h == 0 && designHeight != 0 ? (designHeight < 0 ? -1 : 1) : h;
}

}  // namespace ui
