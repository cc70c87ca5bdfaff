#include "Badges.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include "ArtKit.h"

namespace skin::art {

namespace {

// Symbols sit in 15-pixel cells, 17 pixels apart, so five fit with room to spare.
constexpr double kCell = 15;
constexpr double kStep = 17;
constexpr double kLeft = 1.5;

void Heart(cairo_t* cr) {
  auto path = [cr] {
    cairo_new_path(cr);
    cairo_move_to(cr, 7.5, 14);
    cairo_curve_to(cr, 3.5, 10.8, 0.6, 8.2, 0.6, 5.0);
    cairo_curve_to(cr, 0.6, 2.6, 2.4, 1.0, 4.4, 1.0);
    cairo_curve_to(cr, 5.8, 1.0, 6.9, 1.8, 7.5, 3.0);
    cairo_curve_to(cr, 8.1, 1.8, 9.2, 1.0, 10.6, 1.0);
    cairo_curve_to(cr, 12.6, 1.0, 14.4, 2.6, 14.4, 5.0);
    cairo_curve_to(cr, 14.4, 8.2, 11.5, 10.8, 7.5, 14);
    cairo_close_path(cr);
  };
  path();
  SetGradient(cr, 0, 1, 0, 14, {{0, Rgb(255, 110, 120)}, {1, Rgb(214, 20, 44)}});
  cairo_fill_preserve(cr);
  SetColour(cr, Rgb(150, 10, 30));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Shine on the left lobe.
  cairo_arc(cr, 4.4, 4.4, 1.7, 0, 2 * M_PI);
  SetColour(cr, Rgb(255, 255, 255, 0.75));
  cairo_fill(cr);
}

void Diamond(cairo_t* cr) {
  // A cut gem: a flat table on top, a pointed pavilion below, facets in shades of blue.
  const double top = 2, girdle = 5.5, bottom = 14.2, l = 0.8, r = 14.2;
  auto facet = [cr](std::initializer_list<std::pair<double, double>> pts, Rgba colour) {
    cairo_new_path(cr);
    bool first = true;
    for (auto [x, y] : pts) {
      if (first)
        cairo_move_to(cr, x, y);
      else
        cairo_line_to(cr, x, y);
      first = false;
    }
    cairo_close_path(cr);
    SetColour(cr, colour);
    cairo_fill(cr);
  };
  facet({{4, top}, {11, top}, {r, girdle}, {l, girdle}}, Rgb(150, 214, 255));
  facet({{4, top}, {7.5, top}, {5.5, girdle}, {l, girdle}}, Rgb(196, 236, 255));
  facet({{l, girdle}, {r, girdle}, {7.5, bottom}}, Rgb(40, 130, 230));
  facet({{l, girdle}, {5.5, girdle}, {7.5, bottom}}, Rgb(90, 170, 246));
  facet({{9.5, girdle}, {r, girdle}, {7.5, bottom}}, Rgb(24, 96, 196));
  cairo_new_path(cr);
  cairo_move_to(cr, 4, top);
  cairo_line_to(cr, 11, top);
  cairo_line_to(cr, r, girdle);
  cairo_line_to(cr, 7.5, bottom);
  cairo_line_to(cr, l, girdle);
  cairo_close_path(cr);
  SetColour(cr, Rgb(14, 70, 160));
  cairo_set_line_width(cr, 0.9);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_move_to(cr, l + 0.5, girdle);
  cairo_line_to(cr, r - 0.5, girdle);
  SetColour(cr, Rgb(255, 255, 255, 0.7));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

struct CrownColours {
  Stop body[2];
  Rgba edge, band, jewel;
};

void Crown(cairo_t* cr, const CrownColours& c) {
  auto outline = [cr] {
    cairo_new_path(cr);
    cairo_move_to(cr, 1.2, 4.6);
    cairo_line_to(cr, 4.4, 8.2);
    cairo_line_to(cr, 7.5, 2.4);
    cairo_line_to(cr, 10.6, 8.2);
    cairo_line_to(cr, 13.8, 4.6);
    cairo_line_to(cr, 12.8, 13.6);
    cairo_line_to(cr, 2.2, 13.6);
    cairo_close_path(cr);
  };
  outline();
  SetGradient(cr, 0, 2.4, 0, 13.6, {c.body[0], c.body[1]});
  cairo_fill_preserve(cr);
  SetColour(cr, c.edge);
  cairo_set_line_width(cr, 0.9);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  // Band across the base and three pearls on the points.
  cairo_rectangle(cr, 2.4, 10.6, 10.2, 1.6);
  SetColour(cr, c.band);
  cairo_fill(cr);
  for (auto [x, y] : {std::pair{1.2, 4.0}, {7.5, 1.8}, {13.8, 4.0}}) {
    cairo_arc(cr, x, y, 1.3, 0, 2 * M_PI);
    SetColour(cr, c.edge);
    cairo_fill(cr);
    cairo_arc(cr, x, y, 0.8, 0, 2 * M_PI);
    SetColour(cr, Rgb(255, 255, 255, 0.95));
    cairo_fill(cr);
  }
  cairo_arc(cr, 7.5, 8.6, 1.4, 0, 2 * M_PI);
  SetColour(cr, c.jewel);
  cairo_fill(cr);
}

const CrownColours kBlueCrown{{{0, Rgb(120, 184, 255)}, {1, Rgb(30, 96, 214)}},
                              Rgb(16, 56, 150),
                              Rgb(210, 232, 255),
                              Rgb(255, 255, 255)};
const CrownColours kGoldCrown{{{0, Rgb(255, 236, 120)}, {1, Rgb(224, 150, 10)}},
                              Rgb(150, 90, 0),
                              Rgb(255, 248, 200),
                              Rgb(222, 30, 40)};

void Symbol(cairo_t* cr, BadgeKind kind) {
  switch (kind) {
    case BadgeKind::kHeart:
      Heart(cr);
      break;
    case BadgeKind::kDiamond:
      Diamond(cr);
      break;
    case BadgeKind::kCrown:
      Crown(cr, kBlueCrown);
      break;
    case BadgeKind::kGoldenCrown:
      Crown(cr, kGoldCrown);
      break;
  }
}

}  // namespace

PixelBuffer DrawBadge(BadgeKind kind, int count) {
  if (count < 1 || count > 5) throw std::invalid_argument("DrawBadge: 1 to 5 symbols");
  Canvas canvas(kBadgeWidth, kBadgeHeight);
  cairo_t* cr = canvas.cr();
  for (int i = 0; i < count; ++i) {
    cairo_save(cr);
    cairo_translate(cr, kLeft + i * kStep, (kBadgeHeight - kCell) / 2);
    Symbol(cr, kind);
    cairo_restore(cr);
  }
  return ToStraightAlpha(canvas);
}

PixelBuffer DrawBadge(int index) {
  if (index < 0 || index >= kBadgeCount) throw std::invalid_argument("DrawBadge: index 0 to 19");
  return DrawBadge(static_cast<BadgeKind>(index / 5), index % 5 + 1);
}

PixelBuffer DrawCreditStrip() {
  std::vector<PixelBuffer> badges;
  for (int i = 0; i < kBadgeCount; ++i) badges.push_back(DrawBadge(i));
  return JoinHorizontal(badges);
}

}  // namespace skin::art
