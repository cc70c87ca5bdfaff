#include "skin/frame/PaintPrimitives.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

#include "imaging/RegionRuns.h"
#include "skin/data/ImgUtilGdi.h"

namespace skin {
namespace {

// Under Wine every DC and every screen-compatible bitmap costs server round trips, so each call
// uses as few as possible: one DC for the skin bitmap, one 32-bit DIB section in its own DC for the
// off-screen image, and a key mask built from pixels in memory rather than through another DC.

// A memory DC with one bitmap selected for the DC's lifetime; the bitmap is deselected before the
// DC is deleted.
class SelectedDC {
 public:
  explicit SelectedDC(HBITMAP bitmap) : dc_(ui::MakeMemoryDC()), select_(dc_.get(), bitmap) {}
  HDC get() const { return dc_.get(); }

 private:
  ui::MemoryDC dc_;
  ui::SelectGuard select_;
};

// A 32-bit top-down DIB section selected into its own memory DC, with its pixels at hand.
class Offscreen {
 public:
  Offscreen(int width, int height) : width_(width), height_(height) {
    uint32_t* bits = nullptr;
    bitmap_ = MakeDib32(width, height, &bits);
    if (!bitmap_) return;
    dc_ = ui::MakeMemoryDC();
    if (!dc_) return;
    old_ = SelectObject(dc_.get(), bitmap_.get());
    bits_ = bits;
  }
  ~Offscreen() {
    if (old_) SelectObject(dc_.get(), old_);
  }
  Offscreen(const Offscreen&) = delete;
  Offscreen& operator=(const Offscreen&) = delete;

  explicit operator bool() const { return old_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* bits() const {
    GdiFlush();
    return bits_;
  }
  // Deselects the bitmap and hands it over.
  ui::GdiBitmap Take() {
    if (old_) SelectObject(dc_.get(), std::exchange(old_, nullptr));
    return std::move(bitmap_);
  }

 private:
  int width_, height_;
  ui::MemoryDC dc_;
  ui::GdiBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// Whether the destination's pixels can be read back: window and memory DCs of the display can, a
// printer or metafile cannot (Wine even answers a BitBlt from a metafile DC with success).
bool Readable(HDC dc) {
  const DWORD type = GetObjectType(dc);
  return (type == OBJ_DC || type == OBJ_MEMDC) && GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY;
}

// 32-bit DIB pixels hold 0x00RRGGBB; a Colour holds 0x00BBGGRR.
uint32_t DibPixel(Colour c) {
  return static_cast<uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c));
}

// Monochrome mask with 1 where a pixel has the key colour. `pixel(x, y)` gives 0x00RRGGBB.
template <class Pixel>
ui::GdiBitmap KeyMask(int width, int height, Colour key, Pixel pixel) {
  const uint32_t want = DibPixel(key);
  const int stride = ((width + 15) / 16) * 2;  // monochrome rows are WORD-aligned
  std::vector<uint8_t> bits(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bits.data() + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x)
      if ((pixel(x, y) & 0xFFFFFF) == want) row[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
  }
  return ui::GdiBitmap(CreateBitmap(width, height, 1, 1, bits.data()));
}

// Copies from `src` (a DC holding the image) to `dc`, leaving the destination alone where the
// mask has a 1.
void MaskedCopy(HDC dc, int x, int y, int width, int height, HDC src, HBITMAP mask) {
  constexpr DWORD kKeepDest = 0x00AA0029;
  MaskBlt(dc, x, y, width, height, src, 0, 0, mask, 0, 0, MAKEROP4(kKeepDest, SRCCOPY));
}

// Renders a plan from the skin bitmap into a new off-screen image of width x height.
void Render(Offscreen& out, HBITMAP src, const PaintPlan& plan) {
  SelectedDC source(src);
  ExecutePlan(out.dc(), 0, 0, plan, source.get());
}

// Draws a plan's result of width x height at (x, y) from `src` (a DC holding the skin image),
// magenta left out when `transparent`.
//
// A transparent image is composed in memory: the off-screen DIB is twice as tall, the destination
// is read into its lower half, key pixels of the upper half take the destination's pixels, and the
// result goes out in one copy. That is one write to the destination (no element is ever seen half
// drawn) and several times cheaper than MaskBlt or one TransparentBlt a piece under Wine. A
// destination that cannot be read (a printer, a metafile) gets MaskBlt with a mask made from the
// image.
void ComposePlan(HDC dc, int x, int y, int width, int height, HDC src, const PaintPlan& plan,
                 bool transparent) {
  if (height > (transparent ? 0x3FFFFFFF : 0x7FFFFFFF)) return;
  Offscreen image(width, transparent ? 2 * height : height);
  if (!image) return;
  const uint32_t key = DibPixel(kMagenta);
  // Whatever no piece covers stays the destination's.
  if (transparent) std::fill_n(image.bits(), static_cast<size_t>(width) * height, key);
  ExecutePlan(image.dc(), 0, 0, plan, src);
  if (!transparent) {
    BitBlt(dc, x, y, width, height, image.dc(), 0, 0, SRCCOPY);
    return;
  }
  // Tiles may have overrun into the lower half; reading the destination overwrites them.
  if (Readable(dc) && BitBlt(image.dc(), 0, height, width, height, dc, x, y, SRCCOPY)) {
    uint32_t* bits = image.bits();
    const size_t n = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < n; ++i)
      if ((bits[i] & 0xFFFFFF) == key) bits[i] = bits[i + n];
    BitBlt(dc, x, y, width, height, image.dc(), 0, 0, SRCCOPY);
    return;
  }
  const uint32_t* bits = image.bits();
  ui::GdiBitmap mask = KeyMask(width, height, kMagenta, [&](int px, int py) {
    return bits[static_cast<size_t>(py) * width + px];
  });
  MaskedCopy(dc, x, y, width, height, image.dc(), mask.get());
}

void DrawPlan(HDC dc, int x, int y, int width, int height, HBITMAP src, const PaintPlan& plan,
              bool transparent) {
  SelectedDC source(src);
  ComposePlan(dc, x, y, width, height, source.get(), plan, transparent);
}

// Reads the top-left width x height pixels of any bitmap as 0x00RRGGBB through GetDIBits (which
// also settles the row order of bottom-up and top-down DIB sections); empty on failure. `dc` is any
// DC the bitmap is not selected into.
std::vector<uint32_t> TopLeftPixels(HBITMAP bitmap, HDC dc, int width, int height) {
  std::vector<uint32_t> out(static_cast<size_t>(width) * height);
  // GetDIBits reads scan lines of the full bitmap width; read whole rows, keep the left part.
  const SIZE size = BitmapSize(bitmap);
  std::vector<uint32_t> rows(static_cast<size_t>(size.cx) * size.cy);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size.cx;
  bi.bmiHeader.biHeight = -size.cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  if (GetDIBits(dc, bitmap, 0, size.cy, rows.data(), &bi, DIB_RGB_COLORS) <= 0) return {};
  for (int y = 0; y < height; ++y)
    std::copy_n(rows.begin() + static_cast<ptrdiff_t>(y) * size.cx, width,
                out.begin() + static_cast<ptrdiff_t>(y) * width);
  return out;
}

}  // namespace

ui::GdiBitmap MakeDib32(int width, int height, uint32_t** bits) {
  *bits = nullptr;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  ui::GdiBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &memory, nullptr, 0));
  if (!bitmap || !memory) return {};
  *bits = static_cast<uint32_t*>(memory);
  return bitmap;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

void DrawPlanFrom(HDC dst, int dx, int dy, const PaintPlan& plan, HDC src, bool transparent) {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const BlitStep& s : plan) {
    if (s.dst.empty() || s.src.empty()) continue;
    left = std::min(left, s.dst.left);
    top = std::min(top, s.dst.top);
    right = std::max(right, s.dst.right);
    bottom = std::max(bottom, s.dst.bottom);
  }
  if (left >= right || top >= bottom) return;
  PaintPlan local;
  local.reserve(plan.size());
  for (const BlitStep& s : plan)
    if (!s.dst.empty() && !s.src.empty()) local.push_back({s.src, s.dst.Offset(-left, -top)});
  ComposePlan(dst, dx + left, dy + top, right - left, bottom - top, src, local, transparent);
}

void ExecutePlan(HDC dst, int dx, int dy, const PaintPlan& plan, HDC src) {
  const int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  for (const BlitStep& s : plan)
    StretchBlt(dst, s.dst.left + dx, s.dst.top + dy, s.dst.width(), s.dst.height(), src, s.src.left,
               s.src.top, s.src.width(), s.src.height(), SRCCOPY);
  if (oldMode) SetStretchBltMode(dst, oldMode);
}

ui::GdiBitmap RenderNineSlice(const RECT& dst, HBITMAP src, const RECT& margins,
                              bool verticalFrames, bool tileCentre, int frameCount,
                              int frameIndex) {
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  if (w <= 0 || h <= 0) return {};
  const SIZE size = BitmapSize(src);
  Offscreen image(w, h);
  if (!image) return {};
  Render(image, src,
         PlanNineSlice(size.cx, size.cy, w, h, ToImageRect(margins), verticalFrames, tileCentre,
                       frameCount, frameIndex));
  return image.Take();
}

void DrawNineSlice(HDC dc, const RECT& dst, HBITMAP src, bool verticalFrames, bool tileCentre,
                   bool transparent, int frameCount, int frameIndex, const RECT& margins) {
  if (Inverted(dst)) return;
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  const SIZE size = BitmapSize(src);
  DrawPlan(dc, dst.left, dst.top, w, h, src,
           PlanNineSlice(size.cx, size.cy, w, h, ToImageRect(margins), verticalFrames, tileCentre,
                         frameCount, frameIndex),
           transparent);
}

void DrawThreePartStrip(HDC dc, const RECT& dst, HBITMAP src, bool verticalFrames, bool transparent,
                        int frameCount, int frameIndex, const RECT& margins) {
  if (Inverted(dst)) return;
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  const SIZE size = BitmapSize(src);
  DrawPlan(dc, dst.left, dst.top, w, h, src,
           PlanThreePartStrip(size.cx, size.cy, w, h, ToImageRect(margins), verticalFrames,
                              frameCount, frameIndex),
           transparent);
}

void DrawFrame(HDC dc, const RECT& dst, HBITMAP src, bool transparent, int frameCount,
               int frameIndex) {
  if (Inverted(dst)) return;
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  const SIZE size = BitmapSize(src);
  DrawPlan(dc, dst.left, dst.top, w, h, src,
           PlanFrame(size.cx, size.cy, w, h, frameCount, frameIndex), transparent);
}

void DrawFrameCentred(HDC dc, const RECT& dst, HBITMAP src, bool transparent, int frameCount,
                      int frameIndex) {
  if (Inverted(dst)) return;
  const SIZE size = BitmapSize(src);
  const BlitStep step =
      PlanFrameCentred(size.cx, size.cy, ToImageRect(dst), frameCount, frameIndex);
  const int w = step.src.width(), h = step.src.height();
  DrawPlan(dc, step.dst.left, step.dst.top, w, h, src, {{step.src, {0, 0, w, h}}}, transparent);
}

void TransparentBlit(HDC dc, const RECT& dst, HBITMAP src, Colour key) {
  if (Inverted(dst)) return;
  const SIZE size = BitmapSize(src);
  const int w = std::min<int>(size.cx, dst.right - dst.left);
  const int h = std::min<int>(size.cy, dst.bottom - dst.top);
  if (w <= 0 || h <= 0) return;
  // Composed in memory like DrawPlan's transparent output: the destination is read, the bitmap's
  // non-key pixels laid over it, and the result written once.
  Offscreen image(w, h);
  if (!image) return;
  const std::vector<uint32_t> pixels = TopLeftPixels(src, image.dc(), w, h);
  if (pixels.empty()) return;
  const uint32_t want = DibPixel(key);
  if (Readable(dc) && BitBlt(image.dc(), 0, 0, w, h, dc, dst.left, dst.top, SRCCOPY)) {
    uint32_t* bits = image.bits();
    for (size_t i = 0; i < pixels.size(); ++i)
      if ((pixels[i] & 0xFFFFFF) != want) bits[i] = pixels[i];
    BitBlt(dc, dst.left, dst.top, w, h, image.dc(), 0, 0, SRCCOPY);
    return;
  }
  ui::GdiBitmap mask =
      KeyMask(w, h, key, [&](int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; });
  SelectedDC source(src);
  MaskedCopy(dc, dst.left, dst.top, w, h, source.get(), mask.get());
}

void TileBitmap(HDC dc, const RECT& dst, HBITMAP src, const RECT& srcRect) {
  const ImageRect piece = ToImageRect(srcRect);
  if (piece.empty()) return;
  SelectedDC source(src);
  ExecutePlan(dc, 0, 0, PlanTile(ToImageRect(dst), piece), source.get());
}

ui::GdiRegion PixelsToRegion(const PixelBuffer& pixels, int dx, int dy, int blueTolerance,
                             int greenTolerance, int redTolerance, Colour key) {
  ui::GdiRegion result(CreateRectRgn(0, 0, 0, 0));
  const TransparentBand band(key, blueTolerance, greenTolerance, redTolerance);
  std::vector<uint8_t> data;
  for (const RegionBatch& batch : ExtractRegionRuns(pixels, dx, dy, band)) {
    const size_t bytes = sizeof(RGNDATAHEADER) + batch.rects.size() * sizeof(RECT);
    data.assign(bytes, 0);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = static_cast<DWORD>(batch.rects.size());
    rgn->rdh.nRgnSize = static_cast<DWORD>(batch.rects.size() * sizeof(RECT));
    rgn->rdh.rcBound = ToRECT(batch.bounds);
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < batch.rects.size(); ++i) rects[i] = ToRECT(batch.rects[i]);
    ui::GdiRegion part(ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), rgn));
    if (part) CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
  }
  return result;
}

ui::GdiRegion BitmapToRegion(HBITMAP bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                             int redTolerance, Colour key) {
  // A bitmap that cannot be read gives no region at all rather than an empty one, which would
  // make a window invisible once set as its region.
  const PixelBuffer pixels = ReadPixels(bitmap);
  if (pixels.empty()) return {};
  return PixelsToRegion(pixels, dx, dy, blueTolerance, greenTolerance, redTolerance, key);
}

void PaintParentUnder(HWND parent, const RECT& bounds, HDC dc, ParentPaint how) {
  if (!parent || !dc) return;
  ui::SaveDCGuard saved(dc);
  OffsetViewportOrgEx(dc, -bounds.left, -bounds.top, nullptr);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (how == ParentPaint::Paint)
    SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  else
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

void PaintControlTo(HWND control, HDC dc, ParentPaint how) {
  if (!control || !dc || !(GetWindowLongPtrW(control, GWL_STYLE) & WS_CHILD)) return;
  HWND parent = GetParent(control);
  if (!parent) return;
  RECT client{};
  GetClientRect(control, &client);
  // The control's Left and Top: its window's corner in the parent's client coordinates.
  RECT placed{};
  GetWindowRect(control, &placed);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&placed), 2);
  OffsetRect(&client, placed.left, placed.top);
  PaintParentUnder(parent, client, dc, how);
}

}  // namespace skin
