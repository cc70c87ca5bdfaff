#include "skin/data/ImgUtilGdi.h"

#include <cstring>

namespace skin {

Colour SysColour(int index) { return static_cast<Colour>(GetSysColor(index)); }

Colour ColorToRGB(Colour c) { return ToRgb(c, SysColour); }

Colour Blend(Colour colour1, Colour colour2, int amount) {
  return Blend(colour1, colour2, amount, SysColour);
}

void GradientFill(HDC dc, const RECT& rect, Colour colour1, bool vertical, Colour colour2) {
  if (!RectVisible(dc, &rect)) return;
  const Colour c1 = ColorToRGB(colour1), c2 = ColorToRGB(colour2);
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) return;
  const GradientSpan span = vertical ? GradientLines(rect.top, rect.bottom, clip.top, clip.bottom)
                                     : GradientLines(rect.left, rect.right, clip.left, clip.right);
  if (span.empty()) return;
  const std::vector<Colour>& ramp = GradientColours(span.count, c1, c2);
  // The DC's own solid brush takes each line's colour: the same fill as a new brush per line,
  // without creating and deleting a GDI object for every line.
  const HBRUSH lineBrush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  const COLORREF oldColour = GetDCBrushColor(dc);
  for (int i = span.first; i <= span.last; ++i) {
    const RECT line = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                               : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
    SetDCBrushColor(dc, static_cast<COLORREF>(ramp[i]));
    FillRect(dc, &line, lineBrush);
  }
  SetDCBrushColor(dc, oldColour);
}

PixelBuffer ReadPixels(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return {};
  const int w = info.bmWidth, h = info.bmHeight;
  PixelBuffer out(w, h, 32);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint8_t> rows(static_cast<size_t>(w) * 4 * h);
  ui::WindowDC screen = ui::WindowDC::Client(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, h, rows.data(), &bi, DIB_RGB_COLORS) != h) return {};
  for (int y = 0; y < h; ++y)
    std::memcpy(out.Row(y), rows.data() + static_cast<size_t>(h - 1 - y) * w * 4,
                static_cast<size_t>(w) * 4);
  return out;
}

ui::GdiBitmap MakeBitmap(const PixelBuffer& pixels) {
  if (pixels.empty()) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = pixels.width();
  bi.bmiHeader.biHeight = -pixels.height();  // top-down, as PixelBuffer rows are
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(pixels.bitsPerPixel());
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ui::GdiBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits) {
    // Both sides pad rows to four bytes, so the layouts are identical.
    std::memcpy(bits, pixels.data(), pixels.sizeBytes());
    GdiFlush();
  }
  return bitmap;
}

namespace {

template <class Transform>
void Rewrite(ui::GdiBitmap& bitmap, Transform transform) {
  if (!bitmap) return;
  PixelBuffer pixels = ReadPixels(bitmap.get());
  if (pixels.empty()) return;
  transform(pixels);
  if (pixels.bitsPerPixel() != 24) pixels = ConvertTo24(pixels);
  ui::GdiBitmap result = MakeBitmap(pixels);
  if (result) bitmap = std::move(result);
}

}  // namespace

void ReplaceMagenta(ui::GdiBitmap& bitmap, Colour colour) {
  Rewrite(bitmap, [colour](PixelBuffer& p) { ReplaceMagenta(p, colour); });
}
void MirrorHorizontal(ui::GdiBitmap& bitmap) {
  Rewrite(bitmap, [](PixelBuffer& p) { MirrorHorizontal(p); });
}
void FlipVertical(ui::GdiBitmap& bitmap) {
  Rewrite(bitmap, [](PixelBuffer& p) { FlipVertical(p); });
}
void RotateLeft(ui::GdiBitmap& bitmap) {
  Rewrite(bitmap, [](PixelBuffer& p) { RotateLeft(p); });
}
void RotateRight(ui::GdiBitmap& bitmap) {
  Rewrite(bitmap, [](PixelBuffer& p) { RotateRight(p); });
}

}  // namespace skin
