#include "Shapes.h"

#include <algorithm>

namespace skin::art {

void PaintFace(cairo_t* cr, double x, double y, double w, double h, double radius,
               const FaceStyle& style) {
  RoundedRectPath(cr, x, y, w, h, radius);
  SetColour(cr, style.edge);
  cairo_fill(cr);
  const double inner = std::max(radius - 1, 0.0);
  RoundedRectPath(cr, x + 1, y + 1, w - 2, h - 2, inner);
  const theme::Face& f = style.face;
  SetVerticalGradient(cr, y + 1, y + h - 1,
                      {{0, f.top}, {0.45, f.upper}, {0.5, f.lower}, {1, f.bottom}});
  cairo_fill(cr);
  if (style.highlight.a > 0) {
    RoundedRectPath(cr, x + 1.5, y + 1.5, w - 3, h - 3, std::max(radius - 1.5, 0.0));
    SetVerticalGradient(cr, y + 1, y + h - 1,
                        {{0, style.highlight}, {1, WithAlpha(style.highlight, 0.1)}});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
}

void TrianglePath(cairo_t* cr, double cx, double cy, double size, Direction direction) {
  const double half = size / 2, depth = size / 2;
  cairo_new_sub_path(cr);
  switch (direction) {
    case Direction::kDown:
      cairo_move_to(cr, cx - half, cy - depth / 2);
      cairo_line_to(cr, cx + half, cy - depth / 2);
      cairo_line_to(cr, cx, cy + depth / 2);
      break;
    case Direction::kUp:
      cairo_move_to(cr, cx - half, cy + depth / 2);
      cairo_line_to(cr, cx + half, cy + depth / 2);
      cairo_line_to(cr, cx, cy - depth / 2);
      break;
    case Direction::kLeft:
      cairo_move_to(cr, cx + depth / 2, cy - half);
      cairo_line_to(cr, cx + depth / 2, cy + half);
      cairo_line_to(cr, cx - depth / 2, cy);
      break;
    case Direction::kRight:
      cairo_move_to(cr, cx - depth / 2, cy - half);
      cairo_line_to(cr, cx - depth / 2, cy + half);
      cairo_line_to(cr, cx + depth / 2, cy);
      break;
  }
  cairo_close_path(cr);
}

FaceStyle StyleFor(const SkinStyle& st, State state) {
  const Rgba shine = st.Tone(Rgb(255, 255, 255, 0.75));
  switch (state) {
    case State::kPressed:
      return {st.palette.facePressed, st.palette.edgePressed, st.Tone(Rgb(255, 255, 255, 0))};
    case State::kDisabled:
      return {st.palette.faceDisabled, st.palette.edgeDisabled, st.Tone(Rgb(255, 255, 255, 0))};
    case State::kHot:
      return {st.palette.faceHot, st.palette.edgeHot, shine};
    default:
      return {st.palette.faceNormal, st.palette.edge, shine};
  }
}

Rgba GlyphColour(const SkinStyle& st, State state) {
  switch (state) {
    case State::kPressed:
      return st.palette.glyphPressed;
    case State::kDisabled:
      return st.palette.glyphDisabled;
    case State::kHot:
      return st.palette.glyphHot;
    default:
      return st.palette.glyph;
  }
}

PixelBuffer KeyedFrame(int width, int height, Colour background,
                       const std::function<void(cairo_t*)>& draw) {
  Canvas canvas(width, height);
  draw(canvas.cr());
  return FlattenKeyed(canvas, background);
}

PixelBuffer KeyedFrame(const PixelBuffer& background, const std::function<void(cairo_t*)>& draw) {
  Canvas canvas(background.width(), background.height());
  draw(canvas.cr());
  return FlattenKeyed(canvas, background);
}

PixelBuffer OpaqueFrame(const SkinStyle& st, int width, int height,
                        const std::function<void(cairo_t*)>& draw) {
  Canvas canvas(width, height);
  draw(canvas.cr());
  return FlattenOpaque(canvas, ToColour(st.palette.face));
}

std::vector<PixelBuffer> SplitFrames(const PixelBuffer& strip, int frames) {
  std::vector<PixelBuffer> out;
  const int w = strip.width() / frames;
  for (int i = 0; i < frames; ++i) out.push_back(Crop(strip, i * w, 0, w, strip.height()));
  return out;
}

PixelBuffer TransposeFrames(const PixelBuffer& strip, int frames) {
  std::vector<PixelBuffer> turned;
  for (const PixelBuffer& f : SplitFrames(strip, frames)) turned.push_back(Transpose(f));
  return JoinHorizontal(turned);
}

}  // namespace skin::art
