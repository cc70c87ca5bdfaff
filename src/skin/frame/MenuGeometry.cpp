#include "skin/frame/MenuGeometry.h"

#include <algorithm>
#include <cwctype>

namespace skin {

int MenuBarStart(const MenuBarElementInfo& element, int barWidth, bool rightToLeft, Scale scale) {
  if (!element.present) return ScaleLength(6, scale);
  const int start = rightToLeft ? element.rightWidth + ScaleLength(8, scale)
                                : element.leftWidth + ScaleLength(4, scale);
  return barWidth < start ? ScaleLength(12, scale) : start;
}

std::vector<ImageRect> LayoutMenuBar(const std::vector<MenuBarEntry>& entries, int barWidth,
                                     int barHeight, int start, bool rightToLeft, Scale scale) {
  std::vector<ImageRect> rects;
  rects.reserve(entries.size());
  int x = rightToLeft ? barWidth - start : start;
  const int bottom = std::max(barHeight - 1, 0);
  const int padding = ScaleLength(10, scale);
  for (const MenuBarEntry& e : entries) {
    if (!e.visible) {
      rects.push_back({});
      continue;
    }
    const int width = std::max(e.textWidth, 0) + (e.hasText ? padding : 0);
    if (rightToLeft) {
      rects.push_back({x - width, 0, x, bottom});
      x -= width;
    } else {
      rects.push_back({x, 0, x + width, bottom});
      x += width;
    }
  }
  return rects;
}

wchar_t MenuAccelerator(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(std::towupper(caption[i + 1]));
  }
  return 0;
}

int FindAccelButton(const std::vector<MenuButtonKey>& buttons, wchar_t ch) {
  if (!ch) return -1;
  const auto key = static_cast<wchar_t>(std::towupper(ch));
  for (size_t i = 0; i < buttons.size(); ++i) {
    const MenuButtonKey& b = buttons[i];
    if (b.visible && b.enabled && MenuAccelerator(b.caption) == key) return static_cast<int>(i);
  }
  return -1;
}

int NextMenuButton(const std::vector<bool>& usable, int current, bool forward) {
  const int count = static_cast<int>(usable.size());
  if (count == 0) return -1;
  // No button (or one beyond the bar) is open: forward starts at the first, backward at the last.
  const int from = (current < 0 || current >= count) ? (forward ? -1 : count) : current;
  for (int step = 1; step <= count; ++step) {
    const int i = ((forward ? from + step : from - step) % count + count) % count;
    if (usable[static_cast<size_t>(i)]) return i;
  }
  return -1;
}

int MainItemWidth(int measured, int menuItemLeft, bool hasImages, Scale scale) {
  return measured + menuItemLeft + ScaleLength(10, scale) +
         (hasImages ? 0 : ScaleLength(25, scale));
}

int PopupItemWidth(int measured, int menuItemLeft, bool hasImages, Scale scale) {
  return measured + menuItemLeft + ScaleLength(12, scale) +
         (hasImages ? 0 : ScaleLength(23, scale));
}

ItemExtent ForeignItemSize(int textWidth, int textHeight, bool hasText, int menuItemLeft,
                           bool wideText, Scale scale) {
  ItemExtent e;
  e.width = textWidth + ScaleLength(26, scale) + menuItemLeft;
  e.height = hasText ? textHeight + ScaleLength(4, scale) : ScaleLength(8, scale);
  if (!wideText) e.height += ScaleLength(4, scale);
  return e;
}

std::wstring MeasuredCaption(const std::wstring& caption) {
  if (caption.empty() || caption == L"&") return caption + L" ";
  return caption;
}

MenuItemLayout LayoutMenuItem(const ImageRect& item, int menuItemLeft, int glyphSize,
                              bool rightToLeft, Scale scale) {
  MenuItemLayout l;
  const int size = std::max(glyphSize, 0);
  const int one = ScaleLength(1, scale), gap = ScaleLength(3, scale), end = ScaleLength(10, scale);
  if (!rightToLeft) {
    const int gx = item.left + one + menuItemLeft;
    l.glyph = {gx, item.top + one, gx + size, item.top + one + size};
    l.text = {l.glyph.right + gap, item.top, item.right - one, item.bottom};
    l.shortcut = {l.text.left, item.top, item.right - end, item.bottom};
  } else {
    const int gx = item.right - one - menuItemLeft;
    l.glyph = {gx - size, item.top + one, gx, item.top + one + size};
    l.text = {item.left + one, item.top, l.glyph.left - gap, item.bottom};
    l.shortcut = {item.left + end, item.top, l.text.right, item.bottom};
  }
  return l;
}

ImageRect SeparatorSource(int imageWidth, int imageHeight, int frames, int itemHeight) {
  const int count = std::max(frames, 1);
  const int w = imageWidth / count;
  const int frame = count >= 2 ? 2 : 1;
  const int top = itemHeight < imageHeight ? imageHeight - std::max(itemHeight, 0) : 0;
  return {w * (frame - 1), top, w * frame, imageHeight};
}

bool PopupUsesWindowDC(int major, int minor) { return major > 5 || (major == 5 && minor >= 2); }

}  // namespace skin
