// Scroll bars. Only the horizontal pieces are drawn; the vertical ones are the same pixels turned
// on the diagonal, so both orientations share light and proportions. Each piece is blended against
// what the bar painter puts under it: arrows against the face it fills the bar with, thumbs against
// the track, grips against the middle of the thumb in the same state.
#include "Shapes.h"
#include "SkinArt.h"
#include "SkinMetrics.h"

namespace skin::art {

namespace {

namespace m = metrics;
const Colour kFace = ToColour(theme::kFace);
constexpr int kSize = m::kScrollSize;

// Track frames: 1 normal, 2 pressed page area, 3 disabled, 4 hot.
PixelBuffer TrackFrame(State state) {
  const m::Strip s = m::kScrollTrackH;
  return OpaqueFrame(s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
    Rgba top = Rgb(214, 226, 243), mid = Rgb(234, 241, 251), bottom = Rgb(244, 248, 254);
    if (state == State::kPressed) top = Rgb(190, 208, 236), mid = Rgb(212, 226, 246);
    if (state == State::kHot) top = Rgb(206, 222, 246), mid = Rgb(228, 239, 253);
    if (state == State::kDisabled) top = mid = bottom = Rgb(236, 240, 246);
    cairo_rectangle(cr, 0, 0, s.frameWidth, s.frameHeight);
    SetVerticalGradient(cr, 0, s.frameHeight, {{0, top}, {0.4, mid}, {1, bottom}});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, s.frameWidth, 1);
    SetColour(cr, state == State::kDisabled ? Rgb(222, 229, 239) : Rgb(196, 212, 234));
    cairo_fill(cr);
  });
}

const PixelBuffer& NormalTrack() {
  static const PixelBuffer track = TrackFrame(State::kNormal);
  return track;
}

FaceStyle ThumbStyle(State state) {
  const Rgba shine = Rgb(255, 255, 255, 0.8);
  switch (state) {
    case State::kPressed:
      return {{Rgb(150, 190, 242), Rgb(160, 198, 246), Rgb(148, 188, 242), Rgb(166, 202, 248)},
              theme::kEdgePressed,
              Rgb(255, 255, 255, 0)};
    case State::kHot:
      return {{Rgb(238, 247, 255), Rgb(214, 234, 255), Rgb(186, 218, 254), Rgb(200, 228, 255)},
              theme::kEdgeHot,
              shine};
    default:
      return {{Rgb(234, 242, 254), Rgb(212, 228, 250), Rgb(192, 214, 246), Rgb(206, 224, 250)},
              Rgb(110, 146, 198),
              shine};
  }
}

constexpr State kThumbStates[] = {State::kNormal, State::kPressed, State::kHot};

PixelBuffer ThumbFrame(State state) {
  const m::Strip s = m::kScrollThumbH;
  return KeyedFrame(NormalTrack(), [&](cairo_t* cr) {
    PaintFace(cr, 0, 1, s.frameWidth, s.frameHeight - 2, 3.5, ThumbStyle(state));
  });
}

// What lies under a grip: the thumb's stretched middle column, repeated across the grip.
PixelBuffer GripBackground(State state) {
  const PixelBuffer thumb = ThumbFrame(state);
  PixelBuffer behind(kSize, kSize, 24);
  const int middle = thumb.width() / 2;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) behind.Set(x, y, thumb.Get(middle, y));
  return behind;
}

PixelBuffer GripFrame(State state) {
  return KeyedFrame(GripBackground(state), [&](cairo_t* cr) {
    const Rgba ridge = state == State::kPressed ? Rgb(40, 92, 172) : Rgb(86, 124, 184);
    for (int i = 0; i < 3; ++i) {
      const double x = 5 + 3 * i;
      cairo_rectangle(cr, x + 1, 5, 1, 7);
      SetColour(cr, Rgb(255, 255, 255, 0.85));
      cairo_fill(cr);
      cairo_rectangle(cr, x, 5, 1, 7);
      SetColour(cr, ridge);
      cairo_fill(cr);
    }
  });
}

PixelBuffer ArrowFrame(Direction direction, State state) {
  return KeyedFrame(kSize, kSize, kFace, [&](cairo_t* cr) {
    PaintFace(cr, 1, 1, kSize - 2, kSize - 2, 3, StyleFor(state));
    const double shift = state == State::kPressed ? 0.5 : 0;
    TrianglePath(cr, kSize / 2.0 + shift, kSize / 2.0 + shift, 7, direction);
    SetColour(cr, GlyphColour(state));
    cairo_fill(cr);
  });
}

constexpr State kArrowStates[] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};

}  // namespace

PixelBuffer DrawScrollTrack(bool vertical) {
  std::vector<PixelBuffer> frames;
  for (State state : kArrowStates) frames.push_back(TrackFrame(state));
  const PixelBuffer strip = JoinHorizontal(frames);
  return vertical ? TransposeFrames(strip, m::kScrollTrackH.frames) : strip;
}

PixelBuffer DrawScrollThumb(bool vertical) {
  // 1 normal, 2 pressed (dragged), 3 hot.
  std::vector<PixelBuffer> frames;
  for (State state : kThumbStates) frames.push_back(ThumbFrame(state));
  const PixelBuffer strip = JoinHorizontal(frames);
  return vertical ? TransposeFrames(strip, m::kScrollThumbH.frames) : strip;
}

PixelBuffer DrawScrollArrows() {
  // 1-4 left, 5-8 right, 9-12 up, 13-16 down (normal, pressed, disabled, hot each); 17-19 grip
  // of a horizontal thumb and 20-22 of a vertical one (normal, pressed, hot); 23 a plain corner.
  std::vector<PixelBuffer> left, right, grips;
  for (State state : kArrowStates) {
    left.push_back(ArrowFrame(Direction::kLeft, state));
    right.push_back(ArrowFrame(Direction::kRight, state));
  }
  for (State state : kThumbStates) grips.push_back(GripFrame(state));
  std::vector<PixelBuffer> frames;
  for (const auto* group : {&left, &right})
    frames.insert(frames.end(), group->begin(), group->end());
  for (const auto* group : {&left, &right})
    for (const PixelBuffer& f : *group) frames.push_back(Transpose(f));
  frames.insert(frames.end(), grips.begin(), grips.end());
  for (const PixelBuffer& f : grips) frames.push_back(Transpose(f));
  frames.push_back(PixelBuffer(kSize, kSize, 24, kFace));
  return JoinHorizontal(frames);
}

}  // namespace skin::art
