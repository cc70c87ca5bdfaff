// Menus, progress bar, tabs, status bar and header: the flatter surfaces of the skin.
#include <cmath>

#include "Shapes.h"
#include "SkinArt.h"

namespace skin::art {

namespace {}  // namespace

PixelBuffer DrawMenuBackground(const SkinStyle& st) {
  // Opaque: a thin blue edge, then the menu colour. The painter keeps the outer 3 pixels as the
  // popup's border and stretches the rest under the items.
  const metrics::Strip s = st.metrics.menuBackground;
  return OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, s.frameWidth, s.frameHeight);
    SetColour(cr, st.Tone(Rgb(128, 156, 200)));
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 1, s.frameWidth - 2, s.frameHeight - 2);
    SetColour(cr, st.palette.menu);
    cairo_fill(cr);
  });
}

PixelBuffer DrawMenuBar(const SkinStyle& st) {
  // Frame 1 (top) active, frame 2 inactive; opaque, with a rule along the bottom that divides the
  // bar from the client area. Every column is alike: the bar is stretched to any width.
  const metrics::Strip s = st.metrics.menuBar;
  const double w = s.frameWidth, h = s.frameHeight;
  auto bar = [&](const FramePalette& p, Rgba rule) {
    return OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
      cairo_rectangle(cr, 0, 0, w, h);
      SetVerticalGradient(cr, 0, h, {{0, p.caption[3].colour}, {1, st.palette.face}});
      cairo_fill(cr);
      cairo_rectangle(cr, 0, h - 1, w, 1);
      SetColour(cr, rule);
      cairo_fill(cr);
    });
  };
  return JoinVertical({bar(st.palette.frameActive, st.palette.accentDark),
                       bar(st.palette.frameInactive, st.palette.edge)});
}

PixelBuffer DrawMenuItem(const SkinStyle& st) {
  // 1 normal: fully transparent, the popup background shows. 2: separator, a groove near the
  // bottom (the painter cuts short separator items from the bottom of this frame). 3: selected
  // but disabled. 4: selected. 5: pressed.
  const metrics::Strip s = st.metrics.menuItem;
  const double w = s.frameWidth, h = s.frameHeight;
  std::vector<PixelBuffer> frames;
  frames.push_back(PixelBuffer(s.frameWidth, s.frameHeight, 24, kMagenta));
  frames.push_back(
      KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.menu), [&](cairo_t* cr) {
        cairo_rectangle(cr, 1, h - 5, w - 2, 1);
        SetColour(cr, st.Tone(Rgb(190, 206, 230)));
        cairo_fill(cr);
        cairo_rectangle(cr, 1, h - 4, w - 2, 1);
        SetColour(cr, st.Tone(Rgb(255, 255, 255)));
        cairo_fill(cr);
      }));
  auto highlight = [&](Rgba top, Rgba bottom, Rgba edge) {
    return KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.menu), [&](cairo_t* cr) {
      PaintFace(cr, 0, 0, w, h, 3,
                {{top, Mix(top, bottom, 0.4), Mix(top, bottom, 0.55), bottom},
                 edge,
                 st.Tone(Rgb(255, 255, 255, 0.35))});
    });
  };
  frames.push_back(highlight(st.Tone(Rgb(236, 240, 246)), st.Tone(Rgb(220, 227, 238)),
                             st.Tone(Rgb(184, 196, 216))));
  frames.push_back(highlight(st.palette.accentLight, st.palette.accent, st.palette.accentDark));
  frames.push_back(
      highlight(st.Tone(Rgb(86, 150, 232)), st.Tone(Rgb(44, 110, 206)), st.palette.accentDark));
  return JoinHorizontal(frames);
}

PixelBuffer DrawProgress(const SkinStyle& st) {
  // Frame 1 the trough, frame 2 the fill laid over it (its rim stays transparent so the trough's
  // edge shows around the fill).
  const metrics::Strip s = st.metrics.progress;
  const double w = s.frameWidth, h = s.frameHeight;
  const PixelBuffer trough =
      KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
        PaintFace(cr, 0, 0, w, h, 3,
                  {{st.Tone(Rgb(222, 231, 244)), st.Tone(Rgb(236, 242, 250)),
                    st.Tone(Rgb(240, 245, 252)), st.Tone(Rgb(250, 252, 255))},
                   st.Tone(Rgb(142, 170, 210)),
                   st.Tone(Rgb(0, 0, 0, 0))});
      });
  const PixelBuffer fill = KeyedFrame(trough, [&](cairo_t* cr) {
    PaintFace(cr, 1, 1, w - 2, h - 2, 2,
              {{st.Tone(Rgb(150, 204, 255)), st.Tone(Rgb(96, 168, 246)), st.Tone(Rgb(58, 134, 232)),
                st.Tone(Rgb(84, 160, 244))},
               st.Tone(Rgb(40, 104, 196)),
               st.Tone(Rgb(255, 255, 255, 0.45))});
  });
  return JoinHorizontal({trough, fill});
}

PixelBuffer DrawProgressChunk(const SkinStyle& st) {
  // One block of the segmented fill; its right column is a gap.
  const metrics::Strip s = st.metrics.progressChunk;
  return KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.Tone(Rgb(238, 244, 251))),
                    [&](cairo_t* cr) {
                      RoundedRectPath(cr, 0, 0, s.frameWidth - 1, s.frameHeight, 1.5);
                      SetVerticalGradient(cr, 0, s.frameHeight,
                                          {{0, st.Tone(Rgb(150, 204, 255))},
                                           {0.5, st.Tone(Rgb(72, 146, 238))},
                                           {1, st.Tone(Rgb(92, 164, 246))}});
                      cairo_fill(cr);
                    });
}

namespace {

// Tabs: 1 normal, 2 selected, 3 hot, 4 disabled, 5 selected and hot. Normal tabs stand two pixels
// lower than the selected one and end on the pane's edge line; the selected tab opens into the
// pane.
PixelBuffer TabFrame(const SkinStyle& st, int frame) {
  const metrics::Strip s = st.metrics.tabs;
  const double w = s.frameWidth, h = s.frameHeight;
  const bool selected = frame == 2 || frame == 5;
  const bool hot = frame == 3 || frame == 5;
  return KeyedFrame(s.frameWidth, s.frameHeight, ToColour(st.palette.face), [&](cairo_t* cr) {
    const double top = selected ? 0 : 2;
    auto tabPath = [&](double inset) {
      const double r = 3 - inset * 0.5;
      cairo_new_path(cr);
      cairo_move_to(cr, inset, h + 1);
      cairo_arc(cr, inset + r, top + inset + r, r, M_PI, 1.5 * M_PI);
      cairo_arc(cr, w - inset - r, top + inset + r, r, 1.5 * M_PI, 2 * M_PI);
      cairo_line_to(cr, w - inset, h + 1);
      cairo_close_path(cr);
    };
    Rgba edge = frame == 4 ? st.palette.edgeDisabled : st.palette.edge;
    tabPath(0);
    SetColour(cr, edge);
    cairo_fill(cr);
    tabPath(1);
    if (selected)
      SetVerticalGradient(cr, top, h, {{0, st.Tone(Rgb(255, 255, 255))}, {1, st.palette.face}});
    else if (frame == 4)
      SetColour(cr, st.Tone(Rgb(236, 240, 246)));
    else
      SetVerticalGradient(cr, top, h,
                          {{0, hot ? st.Tone(Rgb(250, 253, 255)) : st.Tone(Rgb(246, 249, 254))},
                           {1, hot ? st.Tone(Rgb(206, 228, 254)) : st.Tone(Rgb(216, 229, 248))}});
    cairo_fill(cr);
    if (hot) {
      // A bright band along the top marks the tab under the mouse.
      cairo_save(cr);
      tabPath(0);
      cairo_clip(cr);
      cairo_rectangle(cr, 0, top, w, 2);
      SetColour(cr, st.Tone(Rgb(72, 150, 240)));
      cairo_fill(cr);
      cairo_restore(cr);
    }
    if (!selected) {
      cairo_rectangle(cr, 0, h - 1, w, 1);
      SetColour(cr, st.palette.edge);
      cairo_fill(cr);
    }
  });
}

}  // namespace

PixelBuffer DrawTabs(const SkinStyle& st) {
  std::vector<PixelBuffer> frames;
  for (int f = 1; f <= st.metrics.tabs.frames; ++f) frames.push_back(TabFrame(st, f));
  return JoinHorizontal(frames);
}

PixelBuffer DrawTabSheet(const SkinStyle& st) {
  // The pane: an edge line around the page face.
  const metrics::Strip s = st.metrics.tabSheet;
  return OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, s.frameWidth, s.frameHeight);
    SetColour(cr, st.palette.edge);
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 1, s.frameWidth - 2, s.frameHeight - 2);
    SetColour(cr, st.palette.face);
    cairo_fill(cr);
  });
}

PixelBuffer DrawStatusBar(const SkinStyle& st) {
  // 1 lowered panel, 2 raised panel, 3 no edge.
  const metrics::Strip s = st.metrics.statusBar;
  const double w = s.frameWidth, h = s.frameHeight;
  auto panel = [&](Rgba topLeft, Rgba bottomRight) {
    return OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
      cairo_rectangle(cr, 0, 0, w, h);
      SetColour(cr, bottomRight);
      cairo_fill(cr);
      cairo_rectangle(cr, 0, 0, w - 1, h - 1);
      SetColour(cr, topLeft);
      cairo_fill(cr);
      cairo_rectangle(cr, 1, 1, w - 2, h - 2);
      SetVerticalGradient(cr, 1, h - 1, {{0, st.Tone(Rgb(234, 242, 254))}, {1, st.palette.face}});
      cairo_fill(cr);
    });
  };
  const Rgba shade = st.Tone(Rgb(164, 188, 222)), light = st.Tone(Rgb(255, 255, 255));
  const PixelBuffer flat = OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, w, h);
    SetColour(cr, st.palette.face);
    cairo_fill(cr);
  });
  return JoinHorizontal({panel(shade, light), panel(light, shade), flat});
}

PixelBuffer DrawHeader(const SkinStyle& st) {
  // 1 normal, 2 hot, 3 pressed. The right edge carries the divider to the next item.
  const metrics::Strip s = st.metrics.header;
  const double w = s.frameWidth, h = s.frameHeight;
  auto item = [&](Rgba top, Rgba bottom, Rgba base, int baseHeight) {
    return OpaqueFrame(st, s.frameWidth, s.frameHeight, [&](cairo_t* cr) {
      cairo_rectangle(cr, 0, 0, w, h);
      SetVerticalGradient(cr, 0, h, {{0, top}, {1, bottom}});
      cairo_fill(cr);
      cairo_rectangle(cr, w - 2, 3, 1, h - 6);
      SetColour(cr, st.Tone(Rgb(178, 198, 228)));
      cairo_fill(cr);
      cairo_rectangle(cr, w - 1, 3, 1, h - 6);
      SetColour(cr, st.Tone(Rgb(255, 255, 255)));
      cairo_fill(cr);
      cairo_rectangle(cr, 0, h - baseHeight, w, baseHeight);
      SetColour(cr, base);
      cairo_fill(cr);
    });
  };
  return JoinHorizontal({item(st.Tone(Rgb(255, 255, 255)), st.Tone(Rgb(222, 234, 250)),
                              st.Tone(Rgb(168, 190, 222)), 1),
                         item(st.Tone(Rgb(252, 254, 255)), st.Tone(Rgb(206, 228, 254)),
                              st.Tone(Rgb(72, 150, 240)), 2),
                         item(st.Tone(Rgb(202, 222, 248)), st.Tone(Rgb(222, 236, 252)),
                              st.Tone(Rgb(56, 120, 210)), 2)});
}

}  // namespace skin::art
