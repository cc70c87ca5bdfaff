#include "skin/controls/BoxGeometry.h"

#include <algorithm>

namespace skin {

int SpeedButtonFrame(const SpeedButtonState& s) {
  if (s.latched) return 2;
  if (!s.enabled) return 3;
  if (s.pressed) return 2;
  return s.hot ? 4 : 1;
}

int SpeedGlyphFrame(const SpeedButtonState& s, int numGlyphs) {
  int frame = 1;
  switch (SpeedButtonFrame(s)) {
    case 2:
      frame = 3;
      break;
    case 3:
      frame = 2;
      break;
    default:
      break;
  }
  if (s.latched) frame = 4;
  // A strip without the image asked for shows its first one.
  return frame > std::max(numGlyphs, 1) ? 1 : frame;
}

bool SpeedButtonShowsFace(const SpeedButtonState& s, bool flat) {
  const int frame = SpeedButtonFrame(s);
  return !flat || frame == 2 || frame == 4;
}

MenuButtonLayout LayoutMenuButton(const MenuButtonInput& in) {
  const int W = in.width, H = in.height;
  const int content = in.glyphWidth + in.textWidth + kMenuArrowWidth;
  int margin = in.margin, spacing = in.spacing;
  if (in.margin == -1 && in.spacing == -1) {
    margin = (W - content) / 4;
    spacing = margin;
  } else if (in.margin == -1) {
    margin = (W - (content + 2 * in.spacing)) / 2;
  } else if (in.spacing == -1) {
    // The arrow's own width comes off the free room (adding it would push the arrow out).
    spacing = ((W - kMenuArrowWidth - 2 * in.margin - in.glyphWidth) - in.textWidth) / 2;
  }
  margin = std::max(margin, 0);
  spacing = std::max(spacing, 0);
  MenuButtonLayout out;
  out.glyphX = margin;
  out.glyphY = (H - in.glyphHeight) / 2;
  out.textX = margin + in.glyphWidth + spacing;
  out.textY = (H - in.textHeight + 1) / 2;
  out.arrowX = out.textX + in.textWidth + 2 * spacing;
  out.arrowY = (H - 3) / 2;
  // However a margin or spacing is set, the arrow stays on the button, clear of its border.
  out.arrowX = std::clamp(out.arrowX, 3, std::max(3, W - 6));
  return out;
}

TabSide TabSideOf(uint32_t style) {
  const bool bottom = style & 0x2, vertical = style & 0x80;
  if (vertical) return bottom ? TabSide::Right : TabSide::Left;
  return bottom ? TabSide::Bottom : TabSide::Top;
}

bool TabsAcross(TabSide side) { return side == TabSide::Left || side == TabSide::Right; }

ImageRect TabPane(const ImageRect& display, TabSide side) {
  ImageRect pane{display.left - 4, display.top - 4, display.right + 4, display.bottom + 4};
  switch (side) {
    case TabSide::Top:
      ++pane.top;
      break;
    case TabSide::Bottom:
      --pane.bottom;
      break;
    case TabSide::Left:
      ++pane.left;
      break;
    case TabSide::Right:
      --pane.right;
      break;
  }
  return pane;
}

ImageRect TabStrip(const ImageRect& c, const ImageRect& pane, TabSide side) {
  ImageRect s = c;
  switch (side) {
    case TabSide::Top:
      s.bottom = std::clamp(pane.top, c.top, c.bottom);
      break;
    case TabSide::Bottom:
      s.top = std::clamp(pane.bottom, c.top, c.bottom);
      break;
    case TabSide::Left:
      s.right = std::clamp(pane.left, c.left, c.right);
      break;
    case TabSide::Right:
      s.left = std::clamp(pane.right, c.left, c.right);
      break;
  }
  return s;
}

void DrawnStripSize(int stripWidth, int stripHeight, TabSide side, int& width, int& height) {
  width = TabsAcross(side) ? stripHeight : stripWidth;
  height = TabsAcross(side) ? stripWidth : stripHeight;
}

ImageRect TabInDrawnStrip(const ImageRect& t, int stripWidth, int stripHeight, TabSide side) {
  switch (side) {
    case TabSide::Left:
      // Turned left afterwards: drawn (x, y) lands at (y, drawnWidth - 1 - x).
      return {stripHeight - t.bottom, t.left, stripHeight - t.top, t.right};
    case TabSide::Right:
      // Turned right afterwards: drawn (x, y) lands at (drawnHeight - 1 - y, x).
      return {t.top, stripWidth - t.right, t.bottom, stripWidth - t.left};
    default:
      return t;
  }
}

ImageRect TabCloseBox(const ImageRect& tab) {
  return {tab.right - 8, tab.top + 2, tab.right - 2, tab.top + 8};
}

int HitCloseBox(const std::vector<ImageRect>& boxes, int x, int y, int tabCount) {
  for (size_t i = 0; i < boxes.size(); ++i) {
    const ImageRect& b = boxes[i];
    if (b.empty() || x < b.left || x >= b.right || y < b.top || y >= b.bottom) continue;
    return static_cast<int>(i) < tabCount ? static_cast<int>(i) : -1;
  }
  return -1;
}

int TabGroupLeft(int tabWidth, int iconWidth, int textWidth) {
  return std::max(1, (tabWidth - iconWidth - textWidth) / 2);
}

ImageRect StatusPanelRect(const ImageRect& reported, bool last, int barRight) {
  ImageRect r = reported;
  r.right += 2;
  if (last) r.right = barRight;
  return r;
}

int StatusTextTop(int barHeight, int textHeight) { return (barHeight - textHeight) / 2 - 1; }

ImageRect StatusGripRect(int right, int bottom, int frameWidth, int height) {
  return {right - 1 - frameWidth, bottom - 1 - height, right - 1, bottom - 1};
}

std::vector<PlayerButton> LayoutPlayerButtons(int width, int height, uint32_t visibleMask) {
  std::vector<PlayerButton> out;
  for (int i = 0; i < kPlayerButtons; ++i)
    if (visibleMask & (1u << i)) out.push_back({i, {}});
  if (out.empty()) return out;
  const int w = width / static_cast<int>(out.size());
  for (size_t k = 0; k < out.size(); ++k) {
    const int left = static_cast<int>(k) * w;
    out[k].rect = {left, 0, left + w, height};
  }
  return out;
}

int PlayerButtonAt(const std::vector<PlayerButton>& buttons, int x, int y) {
  for (const PlayerButton& b : buttons)
    if (x >= b.rect.left && x < b.rect.right && y >= b.rect.top && y < b.rect.bottom)
      return b.index;
  return -1;
}

int PlayerButtonFrame(bool enabled, bool pressed) {
  if (!enabled) return 3;
  return pressed ? 2 : 1;
}

}  // namespace skin
