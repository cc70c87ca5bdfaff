// Buttons and the small glyph strips of the controls. Everything here is drawn on the window face
// (or, for the combo button, on the white field of the combo box) and blended against it.
#include <cmath>

#include "Shapes.h"
#include "SkinArt.h"

namespace skin::art {

namespace {

PixelBuffer PushButtonFrame(const SkinStyle& st, int frame) {
  const metrics::Strip s = st.metrics.pushButton;
  return KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
    const double w = s.frameWidth, h = s.frameHeight;
    switch (frame) {
      case 2:
        PaintFace(cr, 0, 0, w, h, 3, StyleFor(st, State::kPressed));
        break;
      case 3:
        PaintFace(cr, 0, 0, w, h, 3, StyleFor(st, State::kDisabled));
        break;
      case 4: {
        PaintFace(cr, 0, 0, w, h, 3, StyleFor(st, State::kHot));
        // A soft blue glow inside the edge makes the hot button stand out from the default one.
        RoundedRectPath(cr, 1.5, 1.5, w - 3, h - 3, 2);
        SetColour(cr, st.Tone(Rgb(120, 186, 255, 0.55)));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        break;
      }
      case 5: {
        FaceStyle style = StyleFor(st, State::kNormal);
        style.edge = st.palette.edgeFocus;
        PaintFace(cr, 0, 0, w, h, 3, style);
        RoundedRectPath(cr, 1.5, 1.5, w - 3, h - 3, 2);
        SetColour(cr, st.Tone(Rgb(136, 186, 248)));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        break;
      }
      default:
        PaintFace(cr, 0, 0, w, h, 3, StyleFor(st, State::kNormal));
        break;
    }
  });
}

// Check and radio glyphs share states: within each check value, normal, hot, pressed, disabled.
enum class Mark { kNone, kCheck, kMixed };
constexpr State kMarkStates[] = {State::kNormal, State::kHot, State::kPressed, State::kDisabled};

FaceStyle BoxStyle(const SkinStyle& st, State state) {
  const Rgba shine = st.Tone(Rgb(255, 255, 255, 0));
  switch (state) {
    case State::kHot:
      return {{st.Tone(Rgb(246, 251, 255)), st.Tone(Rgb(232, 244, 255)),
               st.Tone(Rgb(222, 238, 255)), st.Tone(Rgb(206, 228, 255))},
              st.palette.edgeHot,
              shine};
    case State::kPressed:
      return {{st.Tone(Rgb(188, 210, 240)), st.Tone(Rgb(200, 220, 246)),
               st.Tone(Rgb(206, 226, 248)), st.Tone(Rgb(220, 236, 252))},
              st.palette.edgePressed,
              shine};
    case State::kDisabled:
      return {{st.Tone(Rgb(246, 248, 251)), st.Tone(Rgb(244, 246, 250)),
               st.Tone(Rgb(244, 246, 250)), st.Tone(Rgb(240, 243, 248))},
              st.palette.edgeDisabled,
              shine};
    default:
      return {{st.Tone(Rgb(255, 255, 255)), st.Tone(Rgb(250, 252, 255)),
               st.Tone(Rgb(244, 248, 254)), st.Tone(Rgb(226, 236, 250))},
              st.Tone(Rgb(104, 138, 190)),
              shine};
  }
}

Rgba MarkColour(const SkinStyle& st, State state) {
  return state == State::kDisabled ? st.palette.glyphDisabled
         : state == State::kHot    ? st.palette.glyphHot
                                   : st.Tone(Rgb(24, 70, 150));
}

PixelBuffer CheckFrame(const SkinStyle& st, Mark mark, State state) {
  const metrics::Strip s = st.metrics.checkBox;
  return KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
    PaintFace(cr, 0, 0, s.frameWidth, s.frameHeight, 2.5, BoxStyle(st, state));
    SetColour(cr, MarkColour(st, state));
    // The marks are drawn for a 13-pixel box; a larger box centres them.
    if (s.frameWidth != 13)
      cairo_translate(cr, (s.frameWidth - 13) / 2.0, (s.frameHeight - 13) / 2.0);
    if (mark == Mark::kCheck) {
      cairo_set_line_width(cr, 1.9);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_move_to(cr, 3.3, 6.6);
      cairo_line_to(cr, 5.6, 9.0);
      cairo_line_to(cr, 9.8, 3.9);
      cairo_stroke(cr);
    } else if (mark == Mark::kMixed) {
      RoundedRectPath(cr, 3, 3, 7, 7, 1.2);
      SetVerticalGradient(
          cr, 3, 10,
          {{0, Mix(MarkColour(st, state), st.palette.window, 0.35)}, {1, MarkColour(st, state)}});
      cairo_fill(cr);
    }
  });
}

PixelBuffer RadioFrame(const SkinStyle& st, bool checked, State state) {
  const metrics::Strip s = st.metrics.radioButton;
  return KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
    const double c = s.frameWidth / 2.0;
    const FaceStyle style = BoxStyle(st, state);
    cairo_arc(cr, c, c, c, 0, 2 * M_PI);
    SetColour(cr, style.edge);
    cairo_fill(cr);
    cairo_arc(cr, c, c, c - 1, 0, 2 * M_PI);
    SetVerticalGradient(cr, 1, s.frameHeight - 1, {{0, style.face.top}, {1, style.face.bottom}});
    cairo_fill(cr);
    if (checked) {
      const Rgba dot = MarkColour(st, state);
      cairo_arc(cr, c, c, 2.8, 0, 2 * M_PI);
      SetGradient(cr, c - 2, c - 2, c + 2, c + 2,
                  {{0, Mix(dot, st.palette.window, 0.45)}, {1, dot}});
      cairo_fill(cr);
    }
  });
}

}  // namespace

PixelBuffer DrawPushButtons(const SkinStyle& st) {
  std::vector<PixelBuffer> frames;
  for (int f = 1; f <= st.metrics.pushButton.frames; ++f) frames.push_back(PushButtonFrame(st, f));
  return JoinHorizontal(frames);
}

PixelBuffer DrawCheckBoxes(const SkinStyle& st) {
  std::vector<PixelBuffer> frames;
  if (st.metrics.checkBox.frames == 4) {
    // 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled (also indeterminate).
    for (State state : {State::kNormal, State::kDisabled})
      for (Mark mark : {Mark::kNone, Mark::kCheck}) frames.push_back(CheckFrame(st, mark, state));
    return JoinHorizontal(frames);
  }
  // 1-4 unchecked, 5-8 checked, 9-12 indeterminate; the painter shows 1, 4, 5, 8, 9 and 12.
  for (Mark mark : {Mark::kNone, Mark::kCheck, Mark::kMixed})
    for (State state : kMarkStates) frames.push_back(CheckFrame(st, mark, state));
  return JoinHorizontal(frames);
}

PixelBuffer DrawRadioButtons(const SkinStyle& st) {
  std::vector<PixelBuffer> frames;
  if (st.metrics.radioButton.frames == 4) {
    // 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled.
    for (State state : {State::kNormal, State::kDisabled})
      for (bool checked : {false, true}) frames.push_back(RadioFrame(st, checked, state));
    return JoinHorizontal(frames);
  }
  // 1-4 unchecked, 5-8 checked; the painter shows 1, 4, 5 and 8.
  for (bool checked : {false, true})
    for (State state : kMarkStates) frames.push_back(RadioFrame(st, checked, state));
  return JoinHorizontal(frames);
}

namespace {

constexpr State kButtonStates[] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};

}  // namespace

PixelBuffer DrawComboButton(const SkinStyle& st) {
  // Frames: normal, pressed, disabled, hot (also focused). Drawn on the white combo field.
  const metrics::Strip s = st.metrics.comboButton;
  std::vector<PixelBuffer> frames;
  for (State state : kButtonStates)
    frames.push_back(
        KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.window), [&](cairo_t* cr) {
          PaintFace(cr, 0, 0, s.frameWidth, s.frameHeight, 2.5, StyleFor(st, state));
          if (!st.metrics.comboGlyph) return;
          const double shift = state == State::kPressed ? 0.5 : 0;
          TrianglePath(cr, s.frameWidth / 2.0 + shift, s.frameHeight / 2.0 + 0.5 + shift, 7,
                       Direction::kDown);
          SetColour(cr, GlyphColour(st, state));
          cairo_fill(cr);
        }));
  return JoinHorizontal(frames);
}

PixelBuffer DrawSunkEdge(const SkinStyle& st) {
  // Frames as the combo button's: normal, pressed, disabled, hot or focused. Opaque: a two-pixel
  // sunken rim around the field; the engine keys out the field itself.
  const metrics::Strip s = st.metrics.sunkEdge;
  std::vector<PixelBuffer> frames;
  for (State state : kButtonStates)
    frames.push_back(OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
      const double w = s.frameWidth, h = s.frameHeight;
      cairo_rectangle(cr, 0, 0, w, h);
      SetColour(cr, StyleFor(st, state).edge);
      cairo_fill(cr);
      cairo_rectangle(cr, 1, 1, w - 2, h - 2);
      SetColour(cr, Mix(st.palette.window, Rgb(0, 0, 0), 0.35));
      cairo_fill(cr);
      cairo_rectangle(cr, 2, 2, w - 4, h - 4);
      SetColour(cr, state == State::kDisabled ? st.palette.face : st.palette.window);
      cairo_fill(cr);
    }));
  return JoinHorizontal(frames);
}

PixelBuffer DrawExtraImages(const SkinStyle& st) {
  // Frames 1-4: drop-down arrows (normal, pressed, disabled, hot); frame 5: the size grip.
  const metrics::Strip s = st.metrics.extraImages;
  std::vector<PixelBuffer> frames;
  for (State state : kButtonStates)
    frames.push_back(
        KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
          TrianglePath(cr, s.frameWidth / 2.0, s.frameHeight / 2.0 + 0.5, 7, Direction::kDown);
          SetColour(cr, GlyphColour(st, state));
          cairo_fill(cr);
        }));
  frames.push_back(
      KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
        // Dots in a triangle towards the bottom-right corner, each with a light shadow.
        for (int row = 0; row < 4; ++row)
          for (int col = 3 - row; col < 4; ++col) {
            const double x = 3 + col * 3, y = 3 + row * 3;
            cairo_rectangle(cr, x + 1, y + 1, 2, 2);
            SetColour(cr, st.Tone(Rgb(255, 255, 255, 0.9)));
            cairo_fill(cr);
            cairo_rectangle(cr, x, y, 2, 2);
            SetColour(cr, st.Tone(Rgb(120, 148, 190)));
            cairo_fill(cr);
          }
      }));
  return JoinHorizontal(frames);
}

namespace {

enum class MdiGlyph { kMinimize, kRestore, kClose };

void MdiGlyphPath(cairo_t* cr, MdiGlyph glyph, double d) {
  switch (glyph) {
    case MdiGlyph::kMinimize:
      cairo_rectangle(cr, 4 + d, 10 + d, 7, 2);
      cairo_fill(cr);
      break;
    case MdiGlyph::kRestore:
      cairo_rectangle(cr, 6 + d, 3 + d, 7, 2);
      cairo_rectangle(cr, 12 + d, 5 + d, 1, 5);
      cairo_rectangle(cr, 11 + d, 9 + d, 1, 1);
      cairo_rectangle(cr, 6 + d, 5 + d, 1, 1);
      cairo_rectangle(cr, 3 + d, 6 + d, 7, 2);
      cairo_rectangle(cr, 3 + d, 8 + d, 1, 5);
      cairo_rectangle(cr, 9 + d, 8 + d, 1, 5);
      cairo_rectangle(cr, 4 + d, 12 + d, 5, 1);
      cairo_fill(cr);
      break;
    case MdiGlyph::kClose:
      cairo_set_line_width(cr, 1.8);
      cairo_move_to(cr, 4.5 + d, 4.5 + d);
      cairo_line_to(cr, 11.5 + d, 11.5 + d);
      cairo_move_to(cr, 11.5 + d, 4.5 + d);
      cairo_line_to(cr, 4.5 + d, 11.5 + d);
      cairo_stroke(cr);
      break;
  }
}

}  // namespace

PixelBuffer DrawMdiButtons(const SkinStyle& st) {
  // Per button: 1 normal, 2 pressed, 3 hot, 4 hot in the menu bar (the painter uses 4 there).
  const metrics::Strip s = st.metrics.mdiButton;
  std::vector<PixelBuffer> frames;
  for (MdiGlyph glyph : {MdiGlyph::kMinimize, MdiGlyph::kRestore, MdiGlyph::kClose})
    for (State state : {State::kNormal, State::kPressed, State::kHot, State::kHot})
      frames.push_back(
          KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
            if (state != State::kNormal)
              PaintFace(cr, 0, 0, s.frameWidth, s.frameHeight, 2.5, StyleFor(st, state));
            SetColour(cr, GlyphColour(st, state));
            MdiGlyphPath(cr, glyph, state == State::kPressed ? 1 : 0);
          }));
  return JoinHorizontal(frames);
}

namespace {

// One half of a vertical spin button: a small button of its own, so the half under the mouse
// lights up alone and the two halves stay apart when stretched.
PixelBuffer SpinFrame(const SkinStyle& st, State state) {
  const metrics::Strip s = st.metrics.spinV;
  return KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
    PaintFace(cr, 0, 0, s.frameWidth, s.frameHeight, 2, StyleFor(st, state));
  });
}

PixelBuffer SpinGlyphFrame(const SkinStyle& st, bool upper, State state,
                           const PixelBuffer& behind) {
  return KeyedFrame(behind, [&](cairo_t* cr) {
    TrianglePath(cr, behind.width() / 2.0, behind.height() / 2.0, behind.width(),
                 upper ? Direction::kUp : Direction::kDown);
    SetColour(cr, GlyphColour(st, state));
    cairo_fill(cr);
  });
}

PixelBuffer VerticalSpin(const SkinStyle& st) {
  std::vector<PixelBuffer> frames;
  for (int half = 0; half < 2; ++half)
    for (State state : kButtonStates) frames.push_back(SpinFrame(st, state));
  return JoinHorizontal(frames);
}

PixelBuffer VerticalSpinGlyphs(const SkinStyle& st) {
  // Each glyph is blended against the middle of its own button frame, where the painter centres
  // it.
  const metrics::Strip s = st.metrics.spinV, g = st.metrics.spinGlyphV;
  const std::vector<PixelBuffer> buttons = SplitFrames(VerticalSpin(st), s.frames);
  std::vector<PixelBuffer> frames;
  int i = 0;
  for (bool upper : {true, false})
    for (State state : kButtonStates) {
      const PixelBuffer behind =
          Crop(buttons[i++], (s.frameWidth - g.frameWidth) / 2, (s.frameHeight - g.frameHeight) / 2,
               g.frameWidth, g.frameHeight);
      frames.push_back(SpinGlyphFrame(st, upper, state, behind));
    }
  return JoinHorizontal(frames);
}

}  // namespace

// The horizontal spin is the vertical one turned on its diagonal: up becomes left, down right.
PixelBuffer DrawSpin(const SkinStyle& st, bool horizontal) {
  return horizontal ? TransposeFrames(VerticalSpin(st), st.metrics.spinV.frames) : VerticalSpin(st);
}

PixelBuffer DrawSpinGlyphs(const SkinStyle& st, bool horizontal) {
  return horizontal ? TransposeFrames(VerticalSpinGlyphs(st), st.metrics.spinGlyphV.frames)
                    : VerticalSpinGlyphs(st);
}

namespace {

// A thumb pointing down (towards the ticks below a horizontal track bar).
PixelBuffer TrackThumbFrame(const SkinStyle& st, State state) {
  const metrics::Strip s = st.metrics.trackThumbH;
  return KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
    const double w = s.frameWidth, h = s.frameHeight, tip = w / 2;
    auto outline = [&](double inset) {
      cairo_new_path(cr);
      cairo_move_to(cr, inset + 2, inset);
      cairo_line_to(cr, w - inset - 2, inset);
      cairo_arc(cr, w - inset - 2, inset + 2, 2, -M_PI / 2, 0);
      cairo_line_to(cr, w - inset, h - tip - inset * 0.4);
      cairo_line_to(cr, w / 2, h - inset * 1.4);
      cairo_line_to(cr, inset, h - tip - inset * 0.4);
      cairo_arc(cr, inset + 2, inset + 2, 2, M_PI, 1.5 * M_PI);
      cairo_close_path(cr);
    };
    const FaceStyle style = StyleFor(st, state);
    outline(0);
    SetColour(cr, style.edge);
    cairo_fill(cr);
    outline(1);
    const theme::Face& f = style.face;
    SetGradient(cr, 1, 0, w - 1, 0, {{0, f.top}, {0.5, f.upper}, {1, f.bottom}});
    cairo_fill(cr);
  });
}

}  // namespace

PixelBuffer DrawTrackThumb(const SkinStyle& st, bool vertical) {
  // 1 and 2 normal (the painter always shows frame 2), 3 pressed, 4 hot, 5 disabled.
  std::vector<PixelBuffer> frames;
  for (State state :
       {State::kNormal, State::kNormal, State::kPressed, State::kHot, State::kDisabled})
    frames.push_back(TrackThumbFrame(st, state));
  const PixelBuffer strip = JoinHorizontal(frames);
  return vertical ? TransposeFrames(strip, st.metrics.trackThumbH.frames) : strip;
}

PixelBuffer DrawTrackChannel(const SkinStyle& st, bool vertical) {
  // Copied without transparency: a sunken groove, dark above and light below.
  const metrics::Strip s = st.metrics.trackChannelH;
  PixelBuffer groove = OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, s.frameWidth, s.frameHeight);
    SetColour(cr, st.Tone(Rgb(150, 174, 210)));
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 1, s.frameWidth - 2, s.frameHeight - 2);
    SetVerticalGradient(cr, 1, s.frameHeight - 1,
                        {{0, st.Tone(Rgb(196, 212, 236))}, {1, st.Tone(Rgb(246, 250, 255))}});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, s.frameHeight - 1, s.frameWidth, 1);
    SetColour(cr, st.Tone(Rgb(255, 255, 255)));
    cairo_fill(cr);
  });
  return vertical ? Transpose(groove) : groove;
}

}  // namespace skin::art
