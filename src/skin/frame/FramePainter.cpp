#include "skin/frame/FramePainter.h"

#include <algorithm>
#include <utility>

#include "skin/frame/PaintPrimitives.h"

namespace skin {

ImageDC::ImageDC(HBITMAP source) {
  const SIZE size = BitmapSize(source);
  if (size.cx <= 0 || size.cy <= 0) return;
  ui::MemoryDC from = ui::MakeMemoryDC();
  ui::MemoryDC to = ui::MakeMemoryDC();
  if (!from || !to) return;
  // A 32-bit DIB section, not a bitmap compatible with the screen: the same pixels (a skin's
  // colours are 24-bit), and under Wine making a screen bitmap asks the window server three times
  // whether the displays changed, for each of a skin's images at every switch.
  uint32_t* bits = nullptr;
  ui::GdiBitmap copy = MakeDib32(size.cx, size.cy, &bits);
  if (!copy) return;
  {
    ui::SelectGuard select(from.get(), source);
    old_ = SelectObject(to.get(), copy.get());
    BitBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, SRCCOPY);
  }
  bitmap_ = std::move(copy);
  bits_ = bits;
  dc_ = std::move(to);
  width_ = size.cx;
  height_ = size.cy;
}

void ImageDC::Release() {
  if (old_ && dc_) SelectObject(dc_.get(), old_);
  old_ = nullptr;
  dc_.reset();
  bitmap_.reset();
  bits_ = nullptr;
  key_.clear();
  width_ = height_ = 0;
}

ImageDC::~ImageDC() { Release(); }

void ImageDC::MarkKey() {
  if (empty() || !bits_) return;
  GdiFlush();
  const size_t n = static_cast<size_t>(width_) * height_;
  key_.assign(n, 0);
  for (size_t i = 0; i < n; ++i) key_[i] = (bits_[i] & 0xFFFFFF) == 0xFF00FF ? 1 : 0;
}

ImageDC::ImageDC(ImageDC&& o) noexcept
    : bitmap_(std::move(o.bitmap_)),
      dc_(std::move(o.dc_)),
      old_(std::exchange(o.old_, nullptr)),
      bits_(std::exchange(o.bits_, nullptr)),
      key_(std::move(o.key_)),
      width_(std::exchange(o.width_, 0)),
      height_(std::exchange(o.height_, 0)) {}

ImageDC& ImageDC::operator=(ImageDC&& o) noexcept {
  if (this != &o) {
    Release();
    bitmap_ = std::move(o.bitmap_);
    dc_ = std::move(o.dc_);
    old_ = std::exchange(o.old_, nullptr);
    bits_ = std::exchange(o.bits_, nullptr);
    key_ = std::move(o.key_);
    o.key_.clear();
    width_ = std::exchange(o.width_, 0);
    height_ = std::exchange(o.height_, 0);
  }
  return *this;
}

FrameBuffer::~FrameBuffer() {
  if (old_ && dc_) SelectObject(dc_.get(), old_);
}

bool FrameBuffer::Ensure(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (dc_ && width <= width_ && height <= height_) return true;
  const int w = std::max(width, width_), h = std::max(height, height_);
  uint32_t* bits = nullptr;
  ui::GdiBitmap bitmap = MakeDib32(w, h, &bits);
  if (!bitmap) return false;
  if (!dc_) dc_ = ui::MakeMemoryDC();
  if (!dc_) return false;
  HGDIOBJ previous = SelectObject(dc_.get(), bitmap.get());
  if (!old_) old_ = previous;  // the DC's own stock bitmap, put back at the end
  bitmap_ = std::move(bitmap);
  bits_ = bits;
  width_ = w;
  height_ = h;
  return true;
}

PixelBuffer FrameBuffer::Extract(const ImageRect& r) const {
  const int left = std::max(r.left, 0), top = std::max(r.top, 0);
  const int right = std::min(r.right, width_), bottom = std::min(r.bottom, height_);
  if (!bits_ || right <= left || bottom <= top) return PixelBuffer();
  GdiFlush();
  PixelBuffer out(right - left, bottom - top, 24);
  for (int y = top; y < bottom; ++y) {
    const uint32_t* row = bits_ + static_cast<size_t>(y) * width_;
    for (int x = left; x < right; ++x) {
      const uint32_t p = row[x];  // 0x00RRGGBB
      out.Set(x - left, y - top,
              MakeColour(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                         static_cast<int>(p & 0xFF)));
    }
  }
  return out;
}

void ExecutePlanFrom(HDC dst, int dx, int dy, const PaintPlan& plan, const ImageDC& src,
                     bool transparent) {
  if (src.empty()) return;
  if (!transparent) {
    ExecutePlan(dst, dx, dy, plan, src.dc());
    return;
  }
  DrawPlanFrom(dst, dx, dy, plan, src.dc(), true);
}

void DrawKeyed(FrameBuffer& dst, int dx, int dy, const PaintPlan& plan, const ImageDC& src) {
  if (src.empty()) return;
  uint32_t* out = dst.bits();
  if (!src.HasKeyMask() || !out) {
    ExecutePlanFrom(dst.dc(), dx, dy, plan, src, true);
    return;
  }
  GdiFlush();  // what GDI drew into the buffer is there before it is drawn over
  const uint32_t* in = src.bits();
  const int bw = dst.width(), bh = dst.height(), iw = src.width(), ih = src.height();
  // A later piece decides a pixel it covers, its magenta showing what lay under the element:
  // the pieces are taken last first, each pixel by the first that reaches it.
  ImageRect area{bw, bh, 0, 0};
  if (plan.size() > 1)
    for (const BlitStep& s : plan) {
      const ImageRect d = s.dst.Offset(dx, dy);
      area = {std::min(area.left, std::max(d.left, 0)), std::min(area.top, std::max(d.top, 0)),
              std::max(area.right, std::min(d.right, bw)),
              std::max(area.bottom, std::min(d.bottom, bh))};
    }
  std::vector<uint8_t> decided(area.empty() ? 0
                                            : static_cast<size_t>(area.width()) * area.height());
  for (auto it = plan.rbegin(); it != plan.rend(); ++it) {
    const BlitStep& s = *it;
    const ImageRect d = s.dst.Offset(dx, dy);
    const std::vector<int> cols = StretchOffsets(s.src.width(), d.width(), false);
    const std::vector<int> rows = StretchOffsets(s.src.height(), d.height(), true);
    if (cols.empty() || rows.empty()) continue;
    const int y0 = std::max(d.top, 0), y1 = std::min(d.bottom, bh);
    const int x0 = std::max(d.left, 0), x1 = std::min(d.right, bw);
    for (int y = y0; y < y1; ++y) {
      const int sy = s.src.top + rows[static_cast<size_t>(y - d.top)];
      if (sy < 0 || sy >= ih) continue;
      uint32_t* row = out + static_cast<size_t>(y) * bw;
      // Pixels already decided by a later piece, a row of `area` (only for several pieces).
      uint8_t* done = decided.empty() ? nullptr
                                      : decided.data() + static_cast<size_t>(y - area.top) *
                                                             static_cast<size_t>(area.width());
      for (int x = x0; x < x1; ++x) {
        const int sx = s.src.left + cols[static_cast<size_t>(x - d.left)];
        if (sx < 0 || sx >= iw) continue;
        if (done) {
          if (done[x - area.left]) continue;
          done[x - area.left] = 1;
        }
        if (!src.Keyed(sx, sy)) row[x] = in[static_cast<size_t>(sy) * iw + sx] & 0xFFFFFF;
      }
    }
  }
}

void IconImage::Clear() {
  source_ = nullptr;
  size_ = 0;
  colour_.clear();
  cover_.clear();
}

bool IconImage::Make(HICON icon, int size) {
  Clear();
  if (!icon || size <= 0) return false;
  FrameBuffer onBlack, onWhite;
  if (!onBlack.Ensure(size, size) || !onWhite.Ensure(size, size)) return false;
  const RECT all{0, 0, size, size};
  FillRect(onBlack.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  FillRect(onWhite.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!DrawIconEx(onBlack.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL) ||
      !DrawIconEx(onWhite.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL))
    return false;
  GdiFlush();
  const size_t n = static_cast<size_t>(size) * size;
  colour_.resize(n);
  cover_.resize(n);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const size_t i = static_cast<size_t>(y) * size + x;
      const uint32_t black = onBlack.bits()[static_cast<size_t>(y) * onBlack.width() + x];
      const uint32_t white = onWhite.bits()[static_cast<size_t>(y) * onWhite.width() + x];
      // What shows of the white background is what the icon leaves uncovered.
      const int shown =
          static_cast<int>((white >> 8) & 0xFF) - static_cast<int>((black >> 8) & 0xFF);
      cover_[i] = static_cast<uint8_t>(255 - std::clamp(shown, 0, 255));
      colour_[i] = black & 0xFFFFFF;
    }
  source_ = icon;
  size_ = size;
  return true;
}

void IconImage::DrawInto(FrameBuffer& dst, int x, int y) const {
  uint32_t* out = dst.bits();
  if (empty() || !out) return;
  GdiFlush();  // what GDI drew into the buffer is there before it is drawn over
  const int x0 = std::max(x, 0), x1 = std::min(x + size_, dst.width());
  const int y0 = std::max(y, 0), y1 = std::min(y + size_, dst.height());
  for (int row = y0; row < y1; ++row) {
    uint32_t* line = out + static_cast<size_t>(row) * dst.width();
    for (int col = x0; col < x1; ++col) {
      const size_t i = static_cast<size_t>(row - y) * size_ + (col - x);
      const uint32_t cover = cover_[i];
      if (cover == 0) continue;
      if (cover == 255) {
        line[col] = colour_[i];
        continue;
      }
      const uint32_t under = line[col], keep = 255 - cover;
      uint32_t blended = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c =
            ((colour_[i] >> shift) & 0xFF) + (((under >> shift) & 0xFF) * keep + 127) / 255;
        blended |= std::min<uint32_t>(c, 255) << shift;
      }
      line[col] = blended;
    }
  }
}

}  // namespace skin
