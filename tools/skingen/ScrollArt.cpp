// Scroll bars. Only the horizontal pieces are drawn; the vertical ones are the same pixels turned
// on the diagonal, so both orientations share light and proportions. Each piece is blended against
// what the bar painter puts under it: arrows against the face it fills the bar with, thumbs against
// the track, grips against the middle of the thumb in the same state.
#include "Shapes.h"
#include "SkinArt.h"

namespace skin::art {

namespace {

// Track frames: 1 normal, 2 pressed page area, 3 disabled, 4 hot.
PixelBuffer TrackFrame(const SkinStyle& st, State state) {
  const metrics::Strip s = st.metrics.scrollTrackH;
  return OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
    Rgba top = st.Tone(Rgb(214, 226, 243)), mid = st.Tone(Rgb(234, 241, 251)),
         bottom = st.Tone(Rgb(244, 248, 254));
    if (state == State::kPressed)
      top = st.Tone(Rgb(190, 208, 236)), mid = st.Tone(Rgb(212, 226, 246));
    if (state == State::kHot) top = st.Tone(Rgb(206, 222, 246)), mid = st.Tone(Rgb(228, 239, 253));
    if (state == State::kDisabled) top = mid = bottom = st.Tone(Rgb(236, 240, 246));
    cairo_rectangle(cr, 0, 0, s.frameWidth, s.frameHeight);
    SetVerticalGradient(cr, 0, s.frameHeight, {{0, top}, {0.4, mid}, {1, bottom}});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, s.frameWidth, 1);
    SetColour(
        cr, state == State::kDisabled ? st.Tone(Rgb(222, 229, 239)) : st.Tone(Rgb(196, 212, 234)));
    cairo_fill(cr);
  });
}

PixelBuffer NormalTrack(const SkinStyle& st) { return TrackFrame(st, State::kNormal); }

FaceStyle ThumbStyle(const SkinStyle& st, State state) {
  const Rgba shine = st.Tone(Rgb(255, 255, 255, 0.8));
  switch (state) {
    case State::kPressed:
      return {{st.Tone(Rgb(150, 190, 242)), st.Tone(Rgb(160, 198, 246)),
               st.Tone(Rgb(148, 188, 242)), st.Tone(Rgb(166, 202, 248))},
              st.palette.edgePressed,
              st.Tone(Rgb(255, 255, 255, 0))};
    case State::kHot:
      return {{st.Tone(Rgb(238, 247, 255)), st.Tone(Rgb(214, 234, 255)),
               st.Tone(Rgb(186, 218, 254)), st.Tone(Rgb(200, 228, 255))},
              st.palette.edgeHot,
              shine};
    case State::kDisabled:
      return {st.palette.faceDisabled, st.palette.edgeDisabled, st.Tone(Rgb(255, 255, 255, 0))};
    default:
      return {{st.Tone(Rgb(234, 242, 254)), st.Tone(Rgb(212, 228, 250)),
               st.Tone(Rgb(192, 214, 246)), st.Tone(Rgb(206, 224, 250))},
              st.Tone(Rgb(110, 146, 198)),
              shine};
  }
}

constexpr State kThumbStates[] = {State::kNormal, State::kPressed, State::kHot};

PixelBuffer ThumbFrame(const SkinStyle& st, State state) {
  const metrics::Strip s = st.metrics.scrollThumbH;
  return KeyedFrame(NormalTrack(st), [&](cairo_t* cr) {
    PaintFace(cr, 0, 1, s.frameWidth, s.frameHeight - 2, 3.5, ThumbStyle(st, state));
  });
}

// What lies under a grip: the thumb's stretched middle column, repeated across the grip.
PixelBuffer GripBackground(const SkinStyle& st, State state) {
  const PixelBuffer thumb = ThumbFrame(st, state);
  PixelBuffer behind(st.metrics.scrollSize, st.metrics.scrollSize, 24);
  const int middle = thumb.width() / 2;
  for (int y = 0; y < st.metrics.scrollSize; ++y)
    for (int x = 0; x < st.metrics.scrollSize; ++x) behind.Set(x, y, thumb.Get(middle, y));
  return behind;
}

PixelBuffer GripFrame(const SkinStyle& st, State state) {
  return KeyedFrame(GripBackground(st, state), [&](cairo_t* cr) {
    const Rgba ridge =
        state == State::kPressed ? st.Tone(Rgb(40, 92, 172)) : st.Tone(Rgb(86, 124, 184));
    for (int i = 0; i < 3; ++i) {
      const double x = 5 + 3 * i;
      cairo_rectangle(cr, x + 1, 5, 1, 7);
      SetColour(cr, st.Tone(Rgb(255, 255, 255, 0.85)));
      cairo_fill(cr);
      cairo_rectangle(cr, x, 5, 1, 7);
      SetColour(cr, ridge);
      cairo_fill(cr);
    }
  });
}

PixelBuffer ArrowFrame(const SkinStyle& st, Direction direction, State state) {
  return KeyedFrame(st.metrics.scrollSize, st.metrics.scrollSize, ToColour(st.palette.face),
                    [&](cairo_t* cr) {
                      PaintFace(cr, 1, 1, st.metrics.scrollSize - 2, st.metrics.scrollSize - 2, 3,
                                StyleFor(st, state));
                      const double shift = state == State::kPressed ? 0.5 : 0;
                      TrianglePath(cr, st.metrics.scrollSize / 2.0 + shift,
                                   st.metrics.scrollSize / 2.0 + shift, 7, direction);
                      SetColour(cr, GlyphColour(st, state));
                      cairo_fill(cr);
                    });
}

constexpr State kArrowStates[] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};

}  // namespace

PixelBuffer DrawScrollTrack(const SkinStyle& st, bool vertical) {
  std::vector<PixelBuffer> frames;
  for (State state : kArrowStates) frames.push_back(TrackFrame(st, state));
  const PixelBuffer strip = JoinHorizontal(frames);
  return vertical ? TransposeFrames(strip, st.metrics.scrollTrackH.frames) : strip;
}

PixelBuffer DrawScrollThumb(const SkinStyle& st, bool vertical) {
  // 1 normal, 2 pressed (dragged), 3 hot; a fourth frame, where the skin has one, is disabled.
  std::vector<PixelBuffer> frames;
  for (State state : kThumbStates) frames.push_back(ThumbFrame(st, state));
  if (st.metrics.scrollThumbH.frames == 4) frames.push_back(ThumbFrame(st, State::kDisabled));
  const PixelBuffer strip = JoinHorizontal(frames);
  return vertical ? TransposeFrames(strip, static_cast<int>(frames.size())) : strip;
}

PixelBuffer DrawScrollArrows(const SkinStyle& st) {
  // 1-4 left, 5-8 right, 9-12 up, 13-16 down (normal, pressed, disabled, hot each); 17-19 grip
  // of a horizontal thumb and 20-22 of a vertical one (normal, pressed, hot); 23 a plain corner.
  std::vector<PixelBuffer> left, right, grips;
  for (State state : kArrowStates) {
    left.push_back(ArrowFrame(st, Direction::kLeft, state));
    right.push_back(ArrowFrame(st, Direction::kRight, state));
  }
  for (State state : kThumbStates) grips.push_back(GripFrame(st, state));
  std::vector<PixelBuffer> frames;
  for (const auto* group : {&left, &right})
    frames.insert(frames.end(), group->begin(), group->end());
  for (const auto* group : {&left, &right})
    for (const PixelBuffer& f : *group) frames.push_back(Transpose(f));
  frames.insert(frames.end(), grips.begin(), grips.end());
  for (const PixelBuffer& f : grips) frames.push_back(Transpose(f));
  frames.push_back(
      PixelBuffer(st.metrics.scrollSize, st.metrics.scrollSize, 24, ToColour(st.palette.face)));
  return JoinHorizontal(frames);
}

}  // namespace skin::art
