#include "skin/frame/PaintPrimitives.h"

#include <algorithm>
#include <vector>

#include "skin/data/ImgUtilGdi.h"
#include "skin/frame/RegionRuns.h"

namespace skin {
namespace {

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

ui::GdiBitmap MakeScreenBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  ui::WindowDC screen = ui::WindowDC::Client(nullptr);
  return ui::GdiBitmap(CreateCompatibleBitmap(screen.get(), width, height));
}

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// Renders a plan into a new bitmap of width x height.
ui::GdiBitmap Render(HBITMAP src, int width, int height, const PaintPlan& plan) {
  ui::GdiBitmap out = MakeScreenBitmap(width, height);
  if (!out) return out;
  SelectedDC target(out.get());
  SelectedDC source(src);
  ExecutePlan(target.get(), 0, 0, plan, source.get());
  return out;
}

// The finished off-screen image onto the caller's DC, keyed or copied.
void PutImage(HDC dc, int x, int y, HBITMAP image, int width, int height, bool transparent) {
  if (transparent) {
    TransparentBlit(dc, RECT{x, y, x + width, y + height}, image, kMagenta);
  } else {
    SelectedDC source(image);
    BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
  }
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

void ExecutePlan(HDC dst, int dx, int dy, const PaintPlan& plan, HDC src) {
  const int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  for (const BlitStep& s : plan)
    StretchBlt(dst, s.dst.left + dx, s.dst.top + dy, s.dst.width(), s.dst.height(), src,
               s.src.left, s.src.top, s.src.width(), s.src.height(), SRCCOPY);
  if (oldMode) SetStretchBltMode(dst, oldMode);
}

ui::GdiBitmap RenderNineSlice(const RECT& dst, HBITMAP src, const RECT& margins,
                              bool verticalFrames, bool tileCentre, int frameCount,
                              int frameIndex) {
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  if (w <= 0 || h <= 0) return {};
  const SIZE size = BitmapSize(src);
  return Render(src, w, h,
                PlanNineSlice(size.cx, size.cy, w, h, ToImageRect(margins), verticalFrames,
                              tileCentre, frameCount, frameIndex));
}

void DrawNineSlice(HDC dc, const RECT& dst, HBITMAP src, bool verticalFrames, bool tileCentre,
                   bool transparent, int frameCount, int frameIndex, const RECT& margins) {
  if (Inverted(dst)) return;
  ui::GdiBitmap image =
      RenderNineSlice(dst, src, margins, verticalFrames, tileCentre, frameCount, frameIndex);
  if (image)
    PutImage(dc, dst.left, dst.top, image.get(), dst.right - dst.left, dst.bottom - dst.top,
             transparent);
}

void DrawThreePartStrip(HDC dc, const RECT& dst, HBITMAP src, bool verticalFrames,
                        bool transparent, int frameCount, int frameIndex, const RECT& margins) {
  if (Inverted(dst)) return;
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  const SIZE size = BitmapSize(src);
  ui::GdiBitmap image = Render(src, w, h,
                               PlanThreePartStrip(size.cx, size.cy, w, h, ToImageRect(margins),
                                                  verticalFrames, frameCount, frameIndex));
  if (image) PutImage(dc, dst.left, dst.top, image.get(), w, h, transparent);
}

void DrawFrame(HDC dc, const RECT& dst, HBITMAP src, bool transparent, int frameCount,
               int frameIndex) {
  if (Inverted(dst)) return;
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  const SIZE size = BitmapSize(src);
  ui::GdiBitmap image =
      Render(src, w, h, PlanFrame(size.cx, size.cy, w, h, frameCount, frameIndex));
  if (image) PutImage(dc, dst.left, dst.top, image.get(), w, h, transparent);
}

void DrawFrameCentred(HDC dc, const RECT& dst, HBITMAP src, bool transparent, int frameCount,
                      int frameIndex) {
  if (Inverted(dst)) return;
  const SIZE size = BitmapSize(src);
  const BlitStep step = PlanFrameCentred(size.cx, size.cy, ToImageRect(dst), frameCount, frameIndex);
  const int w = step.src.width(), h = step.src.height();
  ui::GdiBitmap image = Render(src, w, h, {{step.src, {0, 0, w, h}}});
  if (image) PutImage(dc, step.dst.left, step.dst.top, image.get(), w, h, transparent);
}

void TransparentBlit(HDC dc, const RECT& dst, HBITMAP src, Colour key) {
  if (Inverted(dst)) return;
  const SIZE size = BitmapSize(src);
  const int w = std::min<int>(size.cx, dst.right - dst.left);
  const int h = std::min<int>(size.cy, dst.bottom - dst.top);
  if (w <= 0 || h <= 0) return;
  SelectedDC source(src);
  // Monochrome mask: converting colour to mono turns pixels of the background colour into 1s.
  ui::GdiBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
  {
    SelectedDC maskDC(mask.get());
    const COLORREF oldBk = SetBkColor(source.get(), static_cast<COLORREF>(key & 0xFFFFFF));
    BitBlt(maskDC.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
    SetBkColor(source.get(), oldBk);
  }
  // Mask 1 (key colour): keep the destination; mask 0: copy the source.
  constexpr DWORD kKeepDest = 0x00AA0029;
  MaskBlt(dc, dst.left, dst.top, w, h, source.get(), 0, 0, mask.get(), 0, 0,
          MAKEROP4(kKeepDest, SRCCOPY));
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

ui::GdiRegion BitmapToRegion(HBITMAP bitmap, int dx, int dy, int blueTolerance,
                             int greenTolerance, int redTolerance, Colour key) {
  return PixelsToRegion(ReadPixels(bitmap), dx, dy, blueTolerance, greenTolerance, redTolerance,
                        key);
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
  const int left = placed.left, top = placed.top;

  ui::SaveDCGuard saved(dc);
  OffsetViewportOrgEx(dc, -left, -top, nullptr);
  IntersectClipRect(dc, client.left + left, client.top + top, client.right + left,
                    client.bottom + top);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (how == ParentPaint::Paint)
    SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  else
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

}  // namespace skin
