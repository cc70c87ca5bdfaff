#include "skin/controls/EditGeometry.h"

#include <algorithm>
#include <string>

#include "ui/Text.h"

#include "skin/data/WinSkinIni.h"

namespace skin {

bool EditHasBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
  return clientWidth != windowWidth && clientHeight != windowHeight;
}

bool EditBandCoversFrame(int windowWidth, int windowHeight, int clientWidth, int clientHeight,
                         bool hasScrollBars) {
  if (hasScrollBars || !EditHasBorder(windowWidth, windowHeight, clientWidth, clientHeight))
    return false;
  constexpr int kBand = 3;
  return windowWidth - clientWidth <= 2 * kBand && windowHeight - clientHeight <= 2 * kBand;
}

int EditEdgeColourIndex(const EditBorderState& s) {
  if (s.disabled) return ciButtonShadow;
  if (s.focused) return ciHilight;
  if (s.hot) return ciButtonDkShadow;
  return ciButtonShadow;
}

bool IsSpinClass(std::string_view className) {
  const std::string lower = ui::AsciiLower(className);
  return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
         lower.find("updown") != std::string::npos;
}

UpDownLayout UpDownHalves(int width, int height, bool horizontal) {
  UpDownLayout l;
  l.horizontal = horizontal;
  if (horizontal) {
    const int half = width / 2;
    l.first = {0, 0, half, height};
    l.second = {half, 0, width, height};
  } else {
    const int half = height / 2;
    l.first = {0, 0, width, half};
    l.second = {0, half, width, height};
  }
  return l;
}

SpinHalf HalfAt(const UpDownLayout& l, int x, int y) {
  const auto inside = [x, y](const ImageRect& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  };
  if (inside(l.first)) return SpinHalf::First;
  if (inside(l.second)) return SpinHalf::Second;
  return SpinHalf::None;
}

int UpDownHalfState(bool underPointer, bool down, bool hot, bool disabled) {
  if (disabled) return 3;
  if (!underPointer) return 1;
  if (down) return 2;
  return hot ? 4 : 1;
}

int UpDownFrame(int state, SpinHalf half, int frameCount) {
  const int index = std::clamp(state, 1, 4) + (half == SpinHalf::Second ? 4 : 0);
  return std::clamp(index, 1, std::max(frameCount, 1));
}

ImageRect EmbeddedUpDownRect(const ImageRect& upDown, const ImageRect& edit, int inset) {
  ImageRect r{0, 0, upDown.width(), upDown.height()};
  if (const int gap = upDown.top - edit.top; gap < inset) r.top += inset - gap;
  if (const int gap = edit.bottom - upDown.bottom; gap < inset) r.bottom -= inset - gap;
  if (const int gap = edit.right - upDown.right; gap < inset) r.right -= inset - gap;
  return r;
}

ImageRect CentredGlyphRect(const ImageRect& r, int glyphWidth, int glyphHeight) {
  const int left = r.left + (r.width() - glyphWidth) / 2;
  const int top = r.top + (r.height() - glyphHeight) / 2;
  return {left, top, left + glyphWidth, top + glyphHeight};
}

}  // namespace skin
