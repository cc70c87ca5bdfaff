// The window frame. The frame is drawn once as a whole small window and then cut into the Left,
// Right, Top and Bottom images, so corners and lines meet exactly where the frame painter joins the
// pieces. The outer silhouette is drawn without anti-aliasing: it becomes the window region, and
// what lies behind a window is unknown, so an edge pixel is either frame or magenta. Caption
// buttons are composited over the caption they will sit on.
#include <algorithm>
#include <cmath>
#include <utility>

#include "SkinArt.h"
#include "SkinMetrics.h"
#include "Theme.h"

namespace skin::art {

namespace {

namespace m = metrics;

constexpr int kWindowWidth = m::kTopWidth + 2 * m::kSideWidth;
constexpr int kWindowHeight = m::kSideHeight;

struct FramePalette {
  Rgba outline, rim, border, inner;
  Stop caption[4];
  Rgba gloss;  // highlight line just inside the top edge
};

const FramePalette kActive{Rgb(34, 78, 150),
                           Rgb(150, 198, 250),
                           Rgb(78, 144, 230),
                           Rgb(44, 100, 184),
                           {{0.0, Rgb(126, 186, 250)},
                            {0.46, Rgb(88, 154, 238)},
                            {0.54, Rgb(64, 132, 226)},
                            {1.0, Rgb(84, 152, 238)}},
                           Rgb(255, 255, 255, 0.55)};
const FramePalette kInactive{Rgb(132, 150, 178),
                             Rgb(242, 246, 252),
                             Rgb(198, 212, 234),
                             Rgb(160, 178, 206),
                             {{0.0, Rgb(230, 238, 249)},
                              {0.46, Rgb(212, 224, 241)},
                              {0.54, Rgb(200, 214, 235)},
                              {1.0, Rgb(210, 222, 240)}},
                             Rgb(255, 255, 255, 0.7)};

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

void InsetWindowPath(cairo_t* cr, int width, int height, double inset) {
  WindowPath(cr, inset, inset, width - 2 * inset, height - 2 * inset, m::kCornerRadius - inset,
             std::max(m::kBottomRadius - inset, 0.5));
}

// A whole window of the given size in one activation state. withClient adds the border lines
// around the client area (the caption strip of a minimized window has none).
PixelBuffer RenderWindow(const FramePalette& p, int width, int height, bool withClient) {
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();

  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  InsetWindowPath(cr, width, height, 0);
  SetColour(cr, p.outline);
  cairo_fill(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);

  InsetWindowPath(cr, width, height, 1);
  SetColour(cr, p.rim);
  cairo_fill(cr);
  InsetWindowPath(cr, width, height, 2);
  SetColour(cr, p.border);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 0, width, m::kCaptionHeight - 1);
  SetVerticalGradient(cr, 0, m::kCaptionHeight - 1,
                      {p.caption[0], p.caption[1], p.caption[2], p.caption[3]});
  cairo_fill(cr);
  cairo_restore(cr);

  // Gloss just inside the top edge, following the corners.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, width, m::kCornerRadius + 2);
  cairo_clip(cr);
  InsetWindowPath(cr, width, height, 2.5);
  cairo_set_line_width(cr, 1);
  SetGradient(cr, 0, 0, 0, m::kCornerRadius + 2, {{0, p.gloss}, {1, WithAlpha(p.gloss, 0)}});
  cairo_stroke(cr);
  cairo_restore(cr);

  if (withClient) {
    const double side = m::kSideWidth;
    cairo_rectangle(cr, side - 0.5, m::kCaptionHeight - 0.5, width - 2 * side + 1,
                    height - m::kCaptionHeight - m::kBottomHeight + 1);
    SetColour(cr, p.inner);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, side, m::kCaptionHeight, width - 2 * side,
                    height - m::kCaptionHeight - m::kBottomHeight);
    SetColour(cr, theme::kFace);
    cairo_fill(cr);
  } else {
    cairo_rectangle(cr, 0, m::kCaptionHeight - 1, width, 1);
    SetColour(cr, p.outline);
    cairo_fill(cr);
  }
  return FlattenKeyed(canvas, ToColour(p.outline));
}

const PixelBuffer& ActiveWindow() {
  static const PixelBuffer image = RenderWindow(kActive, kWindowWidth, kWindowHeight, true);
  return image;
}

const PixelBuffer& InactiveWindow() {
  static const PixelBuffer image = RenderWindow(kInactive, kWindowWidth, kWindowHeight, true);
  return image;
}

PixelBuffer SidePair(int x) {
  return JoinHorizontal({Crop(ActiveWindow(), x, 0, m::kSideWidth, kWindowHeight),
                         Crop(InactiveWindow(), x, 0, m::kSideWidth, kWindowHeight)});
}

}  // namespace

PixelBuffer DrawFrameLeft() { return SidePair(0); }

PixelBuffer DrawFrameRight() { return SidePair(kWindowWidth - m::kSideWidth); }

PixelBuffer DrawFrameTop() {
  return JoinVertical({Crop(ActiveWindow(), m::kSideWidth, 0, m::kTopWidth, m::kCaptionHeight),
                       Crop(InactiveWindow(), m::kSideWidth, 0, m::kTopWidth, m::kCaptionHeight)});
}

PixelBuffer DrawFrameBottom() {
  const int y = kWindowHeight - m::kBottomHeight;
  return JoinVertical({Crop(ActiveWindow(), m::kSideWidth, y, m::kTopWidth, m::kBottomHeight),
                       Crop(InactiveWindow(), m::kSideWidth, y, m::kTopWidth, m::kBottomHeight)});
}

PixelBuffer DrawMinCaption() {
  return JoinVertical({RenderWindow(kActive, m::kMinCaptionWidth, m::kCaptionHeight, false),
                       RenderWindow(kInactive, m::kMinCaptionWidth, m::kCaptionHeight, false)});
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

struct CaptionLook {
  Stop body[2];
  Rgba border, highlight, glyph;
  double glyphOffset;
};

CaptionLook LookFor(CaptionGlyph glyph, int state) {
  const bool close = glyph == CaptionGlyph::kClose;
  const Rgba white = Rgb(255, 255, 255);
  const Rgba edge = Rgb(14, 44, 104, 0.55);
  switch (state) {
    case 2:  // pressed
      return close ? CaptionLook{{{0, Rgb(168, 40, 28)}, {1, Rgb(206, 70, 52)}},
                                 Rgb(96, 20, 14, 0.8),
                                 Rgb(255, 255, 255, 0.15),
                                 white,
                                 1}
                   : CaptionLook{{{0, Rgb(30, 86, 176)}, {1, Rgb(58, 122, 212)}},
                                 Rgb(10, 40, 100, 0.8),
                                 Rgb(255, 255, 255, 0.15),
                                 white,
                                 1};
    case 3:  // hot
      return close ? CaptionLook{{{0, Rgb(255, 150, 128)}, {1, Rgb(228, 66, 48)}},
                                 Rgb(120, 28, 18, 0.75),
                                 Rgb(255, 255, 255, 0.6),
                                 white,
                                 0}
                   : CaptionLook{{{0, Rgb(190, 228, 255)}, {1, Rgb(92, 170, 250)}},
                                 Rgb(14, 60, 140, 0.7),
                                 Rgb(255, 255, 255, 0.7),
                                 white,
                                 0};
    default:  // normal
      return close ? CaptionLook{{{0, Rgb(236, 124, 104)}, {1, Rgb(200, 62, 48)}},
                                 edge,
                                 Rgb(255, 255, 255, 0.45),
                                 white,
                                 0}
                   : CaptionLook{{{0, Rgb(255, 255, 255, 0.34)}, {1, Rgb(255, 255, 255, 0.06)}},
                                 edge,
                                 Rgb(255, 255, 255, 0.4),
                                 white,
                                 0};
  }
}

// Frames 1-3 (and the spares) appear only on the active caption.
PixelBuffer LiveCaptionFrame(CaptionGlyph glyph, int state, int rightOffset) {
  const m::Strip s = m::kCaptionButton;
  Canvas canvas(s.frameWidth, s.frameHeight);
  cairo_t* cr = canvas.cr();
  const CaptionLook look = LookFor(glyph, state);
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
  SetColour(cr, Rgb(0, 0, 0, 0.3));
  CaptionGlyphPath(cr, glyph, look.glyphOffset, look.glyphOffset + 1);
  SetColour(cr, look.glyph);
  CaptionGlyphPath(cr, glyph, look.glyphOffset, look.glyphOffset);
  const PixelBuffer behind =
      Crop(ActiveWindow(), kWindowWidth - rightOffset, m::kButtonTop, s.frameWidth, s.frameHeight);
  return FlattenKeyed(canvas, behind);
}

// Frame 4 serves both the inactive caption and a disabled button on the active one, so it is an
// opaque flat button whose only soft edges lie inside it; its clipped corners are magenta.
PixelBuffer DisabledCaptionFrame(CaptionGlyph glyph) {
  const m::Strip s = m::kCaptionButton;
  const Rgba face = Rgb(206, 218, 237), edge = Rgb(146, 164, 194);
  Canvas canvas(s.frameWidth, s.frameHeight);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, s.frameWidth, s.frameHeight);
  SetColour(cr, edge);
  cairo_fill(cr);
  cairo_rectangle(cr, 1, 1, s.frameWidth - 2, s.frameHeight - 2);
  SetVerticalGradient(cr, 1, s.frameHeight - 1, {{0, Rgb(226, 234, 246)}, {1, face}});
  cairo_fill(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  SetColour(cr, Rgb(255, 255, 255, 0.8));
  CaptionGlyphPath(cr, glyph, 0, 1);
  SetColour(cr, Rgb(132, 150, 182));
  CaptionGlyphPath(cr, glyph, 0, 0);
  PixelBuffer frame = FlattenKeyed(canvas, ToColour(face));
  const int r = s.frameWidth - 1, b = s.frameHeight - 1;
  for (auto [x, y] : {std::pair{0, 0}, {r, 0}, {0, b}, {r, b}}) frame.Set(x, y, kMagenta);
  return frame;
}

int RightOffsetOf(CaptionGlyph glyph) {
  switch (glyph) {
    case CaptionGlyph::kClose:
      return m::kCloseX;
    case CaptionGlyph::kMinimize:
      return m::kMinimizeX;
    default:
      return m::kMaximizeX;
  }
}

}  // namespace

PixelBuffer DrawCaptionButton(CaptionGlyph glyph) {
  const int x = RightOffsetOf(glyph);
  // 1 normal, 2 pressed, 3 hot, 4 disabled or inactive; the two spares repeat hot and pressed.
  return JoinHorizontal({LiveCaptionFrame(glyph, 1, x), LiveCaptionFrame(glyph, 2, x),
                         LiveCaptionFrame(glyph, 3, x), DisabledCaptionFrame(glyph),
                         LiveCaptionFrame(glyph, 3, x), LiveCaptionFrame(glyph, 2, x)});
}

}  // namespace skin::art
