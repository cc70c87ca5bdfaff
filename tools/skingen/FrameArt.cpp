// The window frame. The frame is drawn once as a whole small window and then cut into the Left,
// Right, Top and Bottom images, so corners and lines meet exactly where the frame painter joins the
// pieces. The outer silhouette is drawn without anti-aliasing: it becomes the window region, and
// what lies behind a window is unknown, so an edge pixel is either frame or magenta. Caption
// buttons are composited over the caption they will sit on.
#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "SkinArt.h"

namespace skin::art {

namespace {

// Outline of a window with rounded top and bottom corners.
void WindowPath(cairo_t* cr, double x, double y, double w, double h, double top, double bottom) {
  const double q = M_PI / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - top, y + top, top, -q, 0);
  cairo_arc(cr, x + w - bottom, y + h - bottom, bottom, 0, q);
  cairo_arc(cr, x + bottom, y + h - bottom, bottom, q, 2 * q);
  cairo_arc(cr, x + top, y + top, top, 2 * q, 3 * q);
  cairo_close_path(cr);
}

void InsetWindowPath(const SkinStyle& st, cairo_t* cr, int width, int height, double inset) {
  WindowPath(cr, inset, inset, width - 2 * inset, height - 2 * inset,
             st.metrics.cornerRadius - inset, std::max(st.metrics.bottomRadius - inset, 0.5));
}

// A whole window of the given size in one activation state. withClient adds the border lines
// around the client area (the caption strip of a minimized window has none).
PixelBuffer RenderWindow(const SkinStyle& st, const FramePalette& p, int width, int height,
                         bool withClient, int k = 1) {
  Canvas canvas(width, height, k);
  cairo_t* cr = canvas.cr();

  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  InsetWindowPath(st, cr, width, height, 0);
  SetColour(cr, p.outline);
  cairo_fill(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);

  InsetWindowPath(st, cr, width, height, 1);
  SetColour(cr, p.rim);
  cairo_fill(cr);
  InsetWindowPath(st, cr, width, height, 2);
  SetColour(cr, p.border);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 0, width, st.metrics.captionHeight - 1);
  SetVerticalGradient(cr, 0, st.metrics.captionHeight - 1,
                      {p.caption[0], p.caption[1], p.caption[2], p.caption[3]});
  cairo_fill(cr);
  for (int x = 0; st.metrics.captionStripes > 0 && x < width; x += st.metrics.captionStripes) {
    cairo_rectangle(cr, x, 0, 1, st.metrics.captionHeight - 1);
    SetColour(cr, Rgb(255, 255, 255, 0.045));
    cairo_fill(cr);
  }
  cairo_restore(cr);

  // Gloss just inside the top edge, following the corners.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, width, st.metrics.cornerRadius + 2);
  cairo_clip(cr);
  InsetWindowPath(st, cr, width, height, 2.5);
  cairo_set_line_width(cr, 1);
  SetGradient(cr, 0, 0, 0, st.metrics.cornerRadius + 2, {{0, p.gloss}, {1, WithAlpha(p.gloss, 0)}});
  cairo_stroke(cr);
  cairo_restore(cr);

  if (withClient) {
    const double side = st.metrics.sideWidth;
    cairo_rectangle(cr, side - 0.5, st.metrics.captionHeight - 0.5, width - 2 * side + 1,
                    height - st.metrics.captionHeight - st.metrics.bottomHeight + 1);
    SetColour(cr, p.inner);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, side, st.metrics.captionHeight, width - 2 * side,
                    height - st.metrics.captionHeight - st.metrics.bottomHeight);
    SetColour(cr, st.palette.face);
    cairo_fill(cr);
  } else {
    cairo_rectangle(cr, 0, st.metrics.captionHeight - 1, width, 1);
    SetColour(cr, p.outline);
    cairo_fill(cr);
  }
  return FlattenKeyed(canvas, ToColour(p.outline));
}

int WindowWidth(const SkinStyle& st) { return st.metrics.topWidth + 2 * st.metrics.sideWidth; }

// The reference window every frame piece is cut from, drawn once per skin, state and scale.
const PixelBuffer& ReferenceWindow(const SkinStyle& st, bool active, int k = 1) {
  static std::map<std::tuple<const SkinStyle*, bool, int>, PixelBuffer> drawn;
  auto it = drawn.find({&st, active, k});
  if (it == drawn.end()) {
    const FramePalette& p = active ? st.palette.frameActive : st.palette.frameInactive;
    it = drawn
             .emplace(std::tuple{&st, active, k},
                      RenderWindow(st, p, WindowWidth(st), st.metrics.sideHeight, true, k))
             .first;
  }
  return it->second;
}

// A piece of the reference window in both states, stacked or side by side; the place is given
// at the skin's own size.
PixelBuffer StatePair(const SkinStyle& st, int x, int y, int w, int h, bool stacked, int k) {
  const PixelBuffer active = Crop(ReferenceWindow(st, true, k), x * k, y * k, w * k, h * k);
  const PixelBuffer inactive = Crop(ReferenceWindow(st, false, k), x * k, y * k, w * k, h * k);
  return stacked ? JoinVertical({active, inactive}) : JoinHorizontal({active, inactive});
}

}  // namespace

PixelBuffer DrawFrameLeft(const SkinStyle& st, int k) {
  return StatePair(st, 0, 0, st.metrics.sideWidth, st.metrics.sideHeight, false, k);
}

PixelBuffer DrawFrameRight(const SkinStyle& st, int k) {
  return StatePair(st, WindowWidth(st) - st.metrics.sideWidth, 0, st.metrics.sideWidth,
                   st.metrics.sideHeight, false, k);
}

PixelBuffer DrawFrameTop(const SkinStyle& st, int k) {
  const Metrics& m = st.metrics;
  return StatePair(st, m.sideWidth, 0, m.topWidth, m.captionHeight, true, k);
}

PixelBuffer DrawFrameBottom(const SkinStyle& st, int k) {
  const Metrics& m = st.metrics;
  return StatePair(st, m.sideWidth, m.sideHeight - m.bottomHeight, m.topWidth, m.bottomHeight, true,
                   k);
}

PixelBuffer DrawMinCaption(const SkinStyle& st) {
  const Metrics& m = st.metrics;
  return JoinVertical(
      {RenderWindow(st, st.palette.frameActive, m.minCaptionWidth, m.captionHeight, false),
       RenderWindow(st, st.palette.frameInactive, m.minCaptionWidth, m.captionHeight, false)});
}

namespace {

// The glyph of a caption button, in a 21 × 21 cell. The box glyphs sit on whole pixels so they
// stay crisp; only the close cross is anti-aliased.
void CaptionGlyphPath(cairo_t* cr, CaptionGlyph glyph, double dx, double dy) {
  auto box = [cr, dx, dy](double x, double y, double w, double h) {
    cairo_rectangle(cr, x + dx, y + dy, w, h);
  };
  switch (glyph) {
    case CaptionGlyph::kClose: {
      cairo_set_line_width(cr, 2.2);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
      cairo_move_to(cr, 6.8 + dx, 6.8 + dy);
      cairo_line_to(cr, 14.2 + dx, 14.2 + dy);
      cairo_move_to(cr, 14.2 + dx, 6.8 + dy);
      cairo_line_to(cr, 6.8 + dx, 14.2 + dy);
      cairo_stroke(cr);
      return;
    }
    case CaptionGlyph::kMaximize:
      box(6, 6, 9, 2);
      box(6, 8, 1, 7);
      box(14, 8, 1, 7);
      box(7, 14, 7, 1);
      break;
    case CaptionGlyph::kMinimize:
      box(6, 13, 9, 2);
      break;
    case CaptionGlyph::kRestore:
      // Back window: only the parts outside the front one.
      box(8, 4, 8, 2);
      box(15, 6, 1, 6);
      box(13, 11, 2, 1);
      box(8, 6, 1, 2);
      // Front window.
      box(5, 8, 8, 2);
      box(5, 10, 1, 6);
      box(12, 10, 1, 6);
      box(6, 15, 6, 1);
      break;
  }
  cairo_fill(cr);
}

// The glyphs are drawn for a 21-pixel button; smaller buttons move them by whole pixels, so the
// box glyphs stay crisp.
double GlyphShift(const SkinStyle& st) { return (st.metrics.captionButton.frameWidth - 21) / 2; }

struct CaptionLook {
  Stop body[2];
  Rgba border, highlight, glyph;
  double glyphOffset;
};

CaptionLook LookFor(const SkinStyle& st, CaptionGlyph glyph, int state) {
  const bool close = glyph == CaptionGlyph::kClose;
  const Rgba white = st.Tone(Rgb(255, 255, 255));
  const Rgba edge = st.Tone(Rgb(14, 44, 104, 0.55));
  switch (state) {
    case 2:  // pressed
      return close ? CaptionLook{{{0, st.Tone(Rgb(168, 40, 28))}, {1, st.Tone(Rgb(206, 70, 52))}},
                                 st.Tone(Rgb(96, 20, 14, 0.8)),
                                 st.Tone(Rgb(255, 255, 255, 0.15)),
                                 white,
                                 1}
                   : CaptionLook{{{0, st.Tone(Rgb(30, 86, 176))}, {1, st.Tone(Rgb(58, 122, 212))}},
                                 st.Tone(Rgb(10, 40, 100, 0.8)),
                                 st.Tone(Rgb(255, 255, 255, 0.15)),
                                 white,
                                 1};
    case 3:  // hot
      return close
                 ? CaptionLook{{{0, st.Tone(Rgb(255, 150, 128))}, {1, st.Tone(Rgb(228, 66, 48))}},
                               st.Tone(Rgb(120, 28, 18, 0.75)),
                               st.Tone(Rgb(255, 255, 255, 0.6)),
                               white,
                               0}
                 : CaptionLook{{{0, st.Tone(Rgb(190, 228, 255))}, {1, st.Tone(Rgb(92, 170, 250))}},
                               st.Tone(Rgb(14, 60, 140, 0.7)),
                               st.Tone(Rgb(255, 255, 255, 0.7)),
                               white,
                               0};
    default:  // normal
      return close ? CaptionLook{{{0, st.Tone(Rgb(236, 124, 104))}, {1, st.Tone(Rgb(200, 62, 48))}},
                                 edge,
                                 st.Tone(Rgb(255, 255, 255, 0.45)),
                                 white,
                                 0}
                   : CaptionLook{{{0, st.Tone(Rgb(255, 255, 255, 0.34))},
                                  {1, st.Tone(Rgb(255, 255, 255, 0.06))}},
                                 edge,
                                 st.Tone(Rgb(255, 255, 255, 0.4)),
                                 white,
                                 0};
  }
}

// Frames 1-3 (and the spares) appear only on the active caption.
PixelBuffer LiveCaptionFrame(const SkinStyle& st, CaptionGlyph glyph, int state, int x, int k) {
  const metrics::Strip s = st.metrics.captionButton;
  Canvas canvas(s.frameWidth, s.frameHeight, k);
  cairo_t* cr = canvas.cr();
  const CaptionLook look = LookFor(st, glyph, state);
  const double g = GlyphShift(st);
  RoundedRectPath(cr, 1, 1, s.frameWidth - 2, s.frameHeight - 2, 4);
  SetVerticalGradient(cr, 1, s.frameHeight - 1, {look.body[0], look.body[1]});
  cairo_fill(cr);
  RoundedRectPath(cr, 2, 2, s.frameWidth - 4, s.frameHeight - 4, 3);
  SetGradient(cr, 0, 2, 0, s.frameHeight - 2,
              {{0, look.highlight}, {0.5, WithAlpha(look.highlight, 0)}});
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  RoundedRectPath(cr, 0.5, 0.5, s.frameWidth - 1, s.frameHeight - 1, 4.5);
  SetColour(cr, look.border);
  cairo_stroke(cr);
  SetColour(cr, st.Tone(Rgb(0, 0, 0, 0.3)));
  CaptionGlyphPath(cr, glyph, g + look.glyphOffset, g + look.glyphOffset + 1);
  SetColour(cr, look.glyph);
  CaptionGlyphPath(cr, glyph, g + look.glyphOffset, g + look.glyphOffset);
  const PixelBuffer behind = Crop(ReferenceWindow(st, true, k), x * k, st.metrics.buttonTop * k,
                                  s.frameWidth * k, s.frameHeight * k);
  return FlattenKeyed(canvas, behind);
}

// Frame 4 serves both the inactive caption and a disabled button on the active one, so it is an
// opaque flat button whose only soft edges lie inside it; its clipped corners are magenta.
PixelBuffer DisabledCaptionFrame(const SkinStyle& st, CaptionGlyph glyph, int k) {
  const double g = GlyphShift(st);
  const metrics::Strip s = st.metrics.captionButton;
  const Rgba face = st.Tone(Rgb(206, 218, 237)), edge = st.Tone(Rgb(146, 164, 194));
  Canvas canvas(s.frameWidth, s.frameHeight, k);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, s.frameWidth, s.frameHeight);
  SetColour(cr, edge);
  cairo_fill(cr);
  cairo_rectangle(cr, 1, 1, s.frameWidth - 2, s.frameHeight - 2);
  SetVerticalGradient(cr, 1, s.frameHeight - 1, {{0, st.Tone(Rgb(226, 234, 246))}, {1, face}});
  cairo_fill(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  SetColour(cr, st.Tone(Rgb(255, 255, 255, 0.8)));
  CaptionGlyphPath(cr, glyph, g, g + 1);
  SetColour(cr, st.Tone(Rgb(132, 150, 182)));
  CaptionGlyphPath(cr, glyph, g, g);
  PixelBuffer frame = FlattenKeyed(canvas, ToColour(face));
  // The clipped corners: one pixel of the skin's size, k x k of the larger art.
  const int r = s.frameWidth * k - k, b = s.frameHeight * k - k;
  for (auto [x, y] : {std::pair{0, 0}, {r, 0}, {0, b}, {r, b}})
    for (int dy = 0; dy < k; ++dy)
      for (int dx = 0; dx < k; ++dx) frame.Set(x + dx, y + dy, kMagenta);
  return frame;
}

const char* ImageOf(CaptionGlyph glyph) {
  switch (glyph) {
    case CaptionGlyph::kClose:
      return "closebutton.bmp";
    case CaptionGlyph::kMinimize:
      return "minbutton.bmp";
    case CaptionGlyph::kMaximize:
      return "maxbutton.bmp";
    default:
      return "restrorebutton.bmp";
  }
}

// Where the button sits on the reference window, so its soft edges blend into that very caption.
int ButtonX(const SkinStyle& st, CaptionGlyph glyph) {
  for (const metrics::CaptionButton& b : st.metrics.captionButtons)
    if (std::string_view(b.image) == ImageOf(glyph)) return st.CaptionButtonX(b, WindowWidth(st));
  throw std::logic_error(std::string("the skin places no ") + ImageOf(glyph));
}

}  // namespace

PixelBuffer DrawCaptionButton(const SkinStyle& st, CaptionGlyph glyph, int k) {
  const int x = ButtonX(st, glyph);
  // 1 normal, 2 pressed, 3 hot, 4 disabled or inactive; six-frame strips repeat hot and pressed.
  std::vector<PixelBuffer> frames = {
      LiveCaptionFrame(st, glyph, 1, x, k), LiveCaptionFrame(st, glyph, 2, x, k),
      LiveCaptionFrame(st, glyph, 3, x, k), DisabledCaptionFrame(st, glyph, k)};
  if (st.metrics.captionButton.frames == 6) {
    frames.push_back(LiveCaptionFrame(st, glyph, 3, x, k));
    frames.push_back(LiveCaptionFrame(st, glyph, 2, x, k));
  }
  return JoinHorizontal(frames);
}

}  // namespace skin::art
