#include "Preview.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "SkinStyle.h"
#include "imaging/PaintPlans.h"

namespace skin::art {

PixelBuffer NineSlice(const PixelBuffer& strip, int frames, int frame, bool vertical, int left,
                      int top, int right, int bottom, int width, int height) {
  return RenderNineSlice(strip, width, height, ImageRect{left, top, right, bottom}, vertical, false,
                         frames, frame);
}

void BlitKeyed(PixelBuffer& target, const PixelBuffer& image, int x0, int y0) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const Colour c = image.Get(x, y);
      if (c != kMagenta) target.Set(x0 + x, y0 + y, c);
    }
}

PixelBuffer RenderContactSheet(const std::vector<SkinEntry>& entries, int scale) {
  constexpr int kGap = 6;
  int width = 0, height = kGap;
  for (const SkinEntry& e : entries) {
    if (e.image.empty()) continue;
    width = std::max(width, std::min(e.image.width(), 400) * scale + 2 * kGap);
    height += e.image.height() * scale + kGap;
  }
  PixelBuffer sheet(width, height, 24, MakeColour(200, 200, 200));
  int y = kGap;
  for (const SkinEntry& e : entries) {
    if (e.image.empty()) continue;
    // Long strips are cut at 400 pixels; the frame tops are what matters here.
    for (int sy = 0; sy < e.image.height() * scale; ++sy)
      for (int sx = 0; sx < std::min(e.image.width(), 400) * scale; ++sx)
        sheet.Set(kGap + sx, y + sy, e.image.Get(sx / scale, sy / scale));
    y += e.image.height() * scale + kGap;
  }
  return sheet;
}

namespace {

class Mock {
 public:
  explicit Mock(const std::vector<SkinEntry>& entries) {
    for (const SkinEntry& e : entries) images_[e.name] = &e.image;
  }
  const PixelBuffer& Image(const std::string& name) const {
    auto it = images_.find(name);
    if (it == images_.end()) throw std::runtime_error("preview: no image " + name);
    return *it->second;
  }
  // Frame `frame` of a side-by-side strip, unscaled.
  PixelBuffer Frame(const std::string& name, int frames, int frame) const {
    const PixelBuffer& strip = Image(name);
    const int w = strip.width() / frames;
    return Crop(strip, w * (frame - 1), 0, w, strip.height());
  }
  PixelBuffer Slice(const std::string& name, int frames, int frame, int l, int t, int r, int b,
                    int width, int height, bool vertical = false) const {
    return NineSlice(Image(name), frames, frame, vertical, l, t, r, b, width, height);
  }

 private:
  std::map<std::string, const PixelBuffer*> images_;
};

void DrawWindow(const SkinStyle& st, const Mock& mock, PixelBuffer& sheet, int x0, int y0, int w,
                int h, bool active) {
  const Metrics& m = st.metrics;
  const int state = active ? 1 : 2;
  PixelBuffer win(w, h, 24, kMagenta);
  win.FillRect(m.sideWidth, m.captionHeight, w - m.sideWidth, h - m.bottomHeight,
               ToColour(st.palette.face));
  BlitKeyed(win,
            mock.Slice("frameleft.bmp", 2, state, 0, m.sideTop, 0, m.sideBottom, m.sideWidth, h), 0,
            0);
  BlitKeyed(win,
            mock.Slice("frameright.bmp", 2, state, 0, m.sideTop, 0, m.sideBottom, m.sideWidth, h),
            w - m.sideWidth, 0);
  BlitKeyed(win,
            mock.Slice("framebottom.bmp", 2, state, m.bottomEnds, 0, m.bottomEnds, 0,
                       w - 2 * m.sideWidth, m.bottomHeight, true),
            m.sideWidth, h - m.bottomHeight);
  BlitKeyed(win,
            mock.Slice("frametop.bmp", 2, state, m.topEnds, 0, m.topEnds, 0, w - 2 * m.sideWidth,
                       m.captionHeight, true),
            m.sideWidth, 0);
  const int n = m.captionButton.frames;
  for (const metrics::CaptionButton& b : m.captionButtons) {
    const std::string image = b.image;
    if (image.empty() || image == "restrorebutton.bmp") continue;
    const int frame = image == "maxbutton.bmp"               ? 4
                      : image == "closebutton.bmp" && active ? 3
                      : active                               ? 1
                                                             : 4;
    BlitKeyed(win, mock.Frame(image, n, frame), st.CaptionButtonX(b, w), b.y);
  }
  BlitKeyed(sheet, win, x0, y0);
}

void DrawControls(const SkinStyle& st, const Mock& mock, PixelBuffer& s, int x0, int y0) {
  const Metrics& m = st.metrics;
  // Push buttons in all five states.
  for (int f = 1; f <= 5; ++f)
    BlitKeyed(s, mock.Slice("buttons.bmp", 5, f, 4, 4, 4, 4, 63, 24), x0 + (f - 1) * 68, y0);
  int y = y0 + 32;
  // Check boxes (all 12 frames) and radio buttons (8).
  for (int f = 1; f <= m.checkBox.frames; ++f)
    BlitKeyed(s, mock.Frame("checkbox.bmp", m.checkBox.frames, f), x0 + (f - 1) * 18, y);
  for (int f = 1; f <= m.radioButton.frames; ++f)
    BlitKeyed(s, mock.Frame("radiobutton.bmp", m.radioButton.frames, f), x0 + 230 + (f - 1) * 18,
              y);
  y += 22;
  // Combo boxes in each of the 4 frames: with a sunken edge, its frame stretched over the box and
  // the button and arrow over its right end, as the skin data composes them; without one, a field
  // framed in the edge colour with the button at its right.
  for (int f = 1; f <= 4; ++f) {
    const int cx = x0 + (f - 1) * 90, bw = m.comboButton.frameWidth;
    if (m.sunkEdge.frames > 0) {
      BlitKeyed(s, mock.Slice("sunkedge.bmp", 4, f, 2, 2, 2, 2, 84, 21), cx, y);
      BlitKeyed(s, mock.Slice("comboboxbtn.bmp", 4, f, 0, 0, 0, 0, bw, 21), cx + 84 - bw, y);
      const PixelBuffer arrow = mock.Frame("extraimages.bmp", 5, f);
      BlitKeyed(s, arrow, cx + 84 - bw + (bw - arrow.width()) / 2, y + (21 - arrow.height()) / 2);
      continue;
    }
    s.FillRect(cx, y, cx + 84, y + 21, ToColour(st.palette.edge));
    s.FillRect(cx + 1, y + 1, cx + 83, y + 20, ToColour(st.palette.window));
    BlitKeyed(s, mock.Frame("comboboxbtn.bmp", 4, f), cx + 84 - 2 - bw, y + 2);
  }
  y += 30;
  // Horizontal scroll bar: track, arrows, thumb with grip.
  const int len = 200, a = m.scrollSize;
  PixelBuffer bar(len, a, 24, ToColour(st.palette.face));
  BlitKeyed(bar, mock.Slice("scrollbarhbar.bmp", 4, 1, 0, 0, 0, 0, len - 2 * a, a), a, 0);
  BlitKeyed(bar, mock.Frame("scrollbararrow.bmp", 23, 4), 0, 0);
  BlitKeyed(bar, mock.Frame("scrollbararrow.bmp", 23, 5), len - a, 0);
  BlitKeyed(bar,
            mock.Slice("scrollbarhthumb.bmp", m.scrollThumbH.frames, 3, m.thumbEnd, 0, m.thumbEnd,
                       0, 60, a),
            50, 0);
  BlitKeyed(bar, mock.Frame("scrollbararrow.bmp", 23, 19), 50 + (60 - a) / 2, 0);
  BlitKeyed(s, bar, x0, y);
  // Vertical bar to the right.
  PixelBuffer vbar(a, 120, 24, ToColour(st.palette.face));
  BlitKeyed(vbar, mock.Slice("scrollbarvbar.bmp", 4, 1, 0, 0, 0, 0, a, 120 - 2 * a), 0, a);
  BlitKeyed(vbar, mock.Frame("scrollbararrow.bmp", 23, 9), 0, 0);
  BlitKeyed(vbar, mock.Frame("scrollbararrow.bmp", 23, 14), 0, 120 - a);
  BlitKeyed(vbar,
            mock.Slice("scrollbarvthumb.bmp", m.scrollThumbH.frames, 1, 0, m.thumbEnd, 0,
                       m.thumbEnd, a, 40),
            0, 30);
  BlitKeyed(vbar, mock.Frame("scrollbararrow.bmp", 23, 20), 0, 30 + (40 - a) / 2);
  BlitKeyed(s, vbar, x0 + 385, y0 + 32);
  y += 26;
  // Progress bar at 60 %.
  BlitKeyed(s, mock.Slice("progress.bmp", 2, 1, 4, 4, 4, 4, 200, 16), x0, y);
  BlitKeyed(s, mock.Slice("progress.bmp", 2, 2, 4, 4, 4, 4, 120, 16), x0, y);
  // Track bar channel and thumb.
  BlitKeyed(s, mock.Slice("trackbar.bmp", 1, 1, 3, 0, 3, 0, 110, 4), x0 + 215, y + 8);
  BlitKeyed(s, mock.Frame("trackthumbh.bmp", 5, 2), x0 + 250, y);
  y += 26;
  // Tabs over a pane.
  BlitKeyed(s, mock.Slice("tabsheet.bmp", 1, 1, 4, 4, 4, 4, 300, 40), x0, y + 21);
  const int tabFrames[] = {1, 2, 3, 4};
  for (int i = 0; i < 4; ++i)
    BlitKeyed(s, mock.Slice("tab.bmp", 5, tabFrames[i], 4, 5, 4, 3, 60, 22), x0 + 2 + i * 60, y);
  y += 70;
  // Header: three items (normal, hot, pressed) and the rest.
  for (int f = 1; f <= 3; ++f)
    BlitKeyed(s, mock.Slice("header.bmp", 3, f, 2, 2, 3, 3, 80, 20), x0 + (f - 1) * 80, y);
  BlitKeyed(s, mock.Slice("header.bmp", 3, 1, 2, 2, 3, 3, 60, 20), x0 + 240, y);
  y += 28;
  // Spin buttons, each pair in one state, and status-bar panels.
  for (int f = 1; f <= 4; ++f) {
    const int sx = x0 + (f - 1) * 22;
    BlitKeyed(s, mock.Slice("spin.bmp", 8, f, 0, 0, 0, 0, 15, 8), sx, y);
    BlitKeyed(s, mock.Slice("spin.bmp", 8, f + 4, 0, 0, 0, 0, 15, 8), sx, y + 8);
    BlitKeyed(s, mock.Frame("spinarrow.bmp", 8, f), sx + 4, y + 2);
    BlitKeyed(s, mock.Frame("spinarrow.bmp", 8, f + 4), sx + 4, y + 10);
  }
  for (int f = 1; f <= 3; ++f)
    BlitKeyed(s, mock.Slice("statusbar.bmp", 3, f, 2, 2, 2, 2, 70, 20), x0 + 100 + (f - 1) * 72, y);
  BlitKeyed(s, mock.Frame("extraimages.bmp", 5, 5), x0 + 320, y + 4);
}

void DrawMenu(const Mock& mock, PixelBuffer& s, int x0, int y0) {
  const int w = 150, itemH = 20;
  PixelBuffer menu = mock.Slice("menubackground.bmp", 1, 1, 3, 3, 3, 3, w, 3 * itemH + 8 + 6);
  BlitKeyed(menu, mock.Slice("menuitem.bmp", 5, 1, 3, 3, 3, 3, w - 6, itemH), 3, 3);
  BlitKeyed(menu, mock.Slice("menuitem.bmp", 5, 4, 3, 3, 3, 3, w - 6, itemH), 3, 3 + itemH);
  // A separator item 8 high: the bottom of frame 2, ends kept and middle stretched.
  const PixelBuffer separator = Crop(mock.Frame("menuitem.bmp", 5, 2), 0, itemH - 8, 24, 8);
  BlitKeyed(menu, NineSlice(separator, 1, 1, false, 3, 0, 3, 0, w - 6, 8), 3, 3 + 2 * itemH);
  BlitKeyed(menu, mock.Slice("menuitem.bmp", 5, 3, 3, 3, 3, 3, w - 6, itemH), 3, 3 + 2 * itemH + 8);
  BlitKeyed(s, menu, x0, y0);
}

}  // namespace

PixelBuffer RenderMockWindows(const SkinStyle& st, const std::vector<SkinEntry>& entries) {
  const Mock mock(entries);
  constexpr int kWinW = 420, kWinH = 330;
  PixelBuffer sheet(2 * kWinW + 3 * 20 + 170, kWinH + 40, 24, MakeColour(58, 110, 165));
  for (int i = 0; i < 2; ++i) {
    const int x = 20 + i * (kWinW + 20);
    DrawWindow(st, mock, sheet, x, 20, kWinW, kWinH, i == 0);
    DrawControls(st, mock, sheet, x + 10, 20 + st.metrics.captionHeight + 8);
  }
  DrawMenu(mock, sheet, 2 * kWinW + 60, 40);
  return sheet;
}

}  // namespace skin::art
