#include "skin/controls/ControlGeometry.h"

#include <algorithm>

namespace skin {

int ButtonFrame(const ButtonState& s, int frameCount) {
  int index = 1;
  if (s.down)
    index = 2;
  else if (s.hot)
    index = 4;
  else if (s.focused || s.isDefault)
    index = 5;
  if (s.disabled) index = 3;
  return ClampFrame(index, frameCount);
}

int CheckBoxFrame(int check, bool disabled, bool indeterminate, int frameCount) {
  int index = check;
  if (disabled) index += 2;
  if (indeterminate) index = 4;
  if (frameCount == 12) {
    if (index == 2)
      index = 5;
    else if (index == 3)
      index = 4;
    else if (index == 4)
      index = 8;
    if (indeterminate) index = disabled ? 12 : 9;
  }
  return ClampFrame(index, frameCount);
}

int RadioButtonFrame(bool checked, bool disabled, int frameCount) {
  int index = checked ? 2 : 1;
  if (disabled) index += 2;
  if (frameCount == 8) {
    if (index == 2)
      index = 5;
    else if (index == 3)
      index = 4;
    else if (index == 4)
      index = 8;
  }
  return ClampFrame(index, frameCount);
}

int GuessGlyphFrames(int stripWidth, int stripHeight) {
  return std::max(4, std::max(stripWidth, 0) / (stripHeight < 16 ? 13 : 16));
}

GlyphLayout CheckGlyphLayout(int W, int H, int gw, int gh, bool leftText, bool radio, Scale s) {
  GlyphLayout l;
  const int top = (H - gh) / 2;
  const int gap = ScaleLength(2, s);
  if (leftText) {
    const int inset = radio ? ScaleLength(1, s) : 0;
    l.glyph = {W - gw - inset, top, W - inset, top + gh};
    l.text = {0, 0, W - gw - gap - inset, H};
  } else {
    l.glyph = {0, top, gw, top + gh};
    l.text = {gw + gap, 0, W, H};
  }
  return l;
}

ImageRect CentredCaption(int W, int H, int w, int h) {
  const int x = (W - w) / 2, y = (H - h) / 2 - 1;
  return {x, y, x + w, y + h};
}

GlyphButtonLayout LayoutGlyphButton(const GlyphButtonInput& in) {
  GlyphButtonLayout out;
  const bool horizontal = in.layout == GlyphLayoutKind::Left || in.layout == GlyphLayoutKind::Right;
  if (horizontal) {
    out.glyphY = (in.height - in.glyphHeight + 1) / 2;
    out.textY = (in.height - in.textHeight + 1) / 2;
  } else {
    out.glyphX = (in.width - in.glyphWidth + 1) / 2;
    out.textX = (in.width - in.textWidth + 1) / 2;
  }
  // Along the layout axis: the client extent, the glyph's and the text's.
  const int c = horizontal ? in.width : in.height;
  const int g = horizontal ? in.glyphWidth : in.glyphHeight;
  const int t = horizontal ? in.textWidth : in.textHeight;
  int margin = in.margin, spacing = in.spacing;
  if (in.textWidth == 0 || in.glyphWidth == 0) spacing = 0;
  if (margin == -1 || in.centred) {
    if (spacing == -1) {
      margin = (c - (g + t)) / 3;
      spacing = margin;
    } else {
      margin = (c - (g + spacing + t)) / 2;
    }
  } else if (spacing == -1) {
    spacing = ((c - margin - g) - t) / 2;
  }
  switch (in.layout) {
    case GlyphLayoutKind::Left:
      out.glyphX = margin;
      out.textX = margin + in.glyphWidth + spacing;
      break;
    case GlyphLayoutKind::Right:
      out.glyphX = in.width - margin - in.glyphWidth;
      out.textX = out.glyphX - spacing - in.textWidth;
      break;
    case GlyphLayoutKind::Top:
      out.glyphY = margin;
      out.textY = margin + in.glyphHeight + spacing;
      break;
    case GlyphLayoutKind::Bottom:
      out.glyphY = in.height - margin - in.glyphHeight;
      out.textY = out.glyphY - spacing - in.textHeight;
      break;
  }
  return out;
}

GlyphLayoutKind GlyphLayoutFromName(const std::string& lower) {
  if (lower == "blglyphright") return GlyphLayoutKind::Right;
  if (lower == "blglyphtop") return GlyphLayoutKind::Top;
  if (lower == "blglyphbottom") return GlyphLayoutKind::Bottom;
  return GlyphLayoutKind::Left;
}

}  // namespace skin
