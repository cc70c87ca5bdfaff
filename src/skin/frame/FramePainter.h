// The long-lived drawing surfaces of a skinned frame: copies of the skin images the frame paints,
// each kept selected in a memory DC of its own, and one off-screen buffer the whole frame is
// composed in. Under Wine every DC and bitmap costs server round trips, so a repaint creates none:
// these are made when a skin is attached (or the window grows) and reused by every paint.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "imaging/PaintPlans.h"
#include "imaging/PixelBuffer.h"
#include "ui/Handles.h"

namespace skin {

// A 32-bit copy of a bitmap, selected into its own memory DC until the object dies.
class ImageDC {
 public:
  ImageDC() = default;
  // Copies `source` (which must not be selected into another DC); empty for a null or empty one.
  explicit ImageDC(HBITMAP source);
  ~ImageDC();
  ImageDC(ImageDC&& other) noexcept;
  ImageDC& operator=(ImageDC&& other) noexcept;
  ImageDC(const ImageDC&) = delete;
  ImageDC& operator=(const ImageDC&) = delete;

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return !dc_ || width_ <= 0 || height_ <= 0; }
  // The copy's 32-bit pixels (0x00RRGGBB), top-down, `width()` to a row; null when empty.
  const uint32_t* bits() const { return bits_; }

  // Marks the pixels of the magenta key once, so keyed drawing (DrawKeyed) needs neither a mask
  // bitmap nor an off-screen copy per paint.
  void MarkKey();
  // Whether MarkKey ran; `Keyed(x, y)` then tells a key pixel.
  bool HasKeyMask() const { return !key_.empty(); }
  bool Keyed(int x, int y) const { return key_[static_cast<size_t>(y) * width_ + x] != 0; }

 private:
  void Release();
  ui::GdiBitmap bitmap_;
  ui::MemoryDC dc_;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
  std::vector<uint8_t> key_;
  int width_ = 0, height_ = 0;
};

// A 32-bit top-down DIB section in its own memory DC, grown (never shrunk) to the size asked for.
class FrameBuffer {
 public:
  FrameBuffer() = default;
  ~FrameBuffer();
  FrameBuffer(const FrameBuffer&) = delete;
  FrameBuffer& operator=(const FrameBuffer&) = delete;

  // Makes room for width x height; false when the buffer cannot be made.
  bool Ensure(int width, int height);
  HDC dc() const { return dc_.get(); }
  // The buffer's 32-bit pixels, top-down, `width()` to a row.
  uint32_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixels of `r` (clipped to the buffer) as a 24-bit image.
  PixelBuffer Extract(const ImageRect& r) const;

 private:
  ui::GdiBitmap bitmap_;
  ui::MemoryDC dc_;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

// An icon's picture at one size, taken once from what the system draws of it (on black and on
// white, which tells each pixel's coverage), so a paint puts it into a frame buffer in memory:
// no DC, no stretch and no GDI object per paint.
class IconImage {
 public:
  // Takes `icon` at size x size; false (and empty) when it could not be drawn.
  bool Make(HICON icon, int size);
  void Clear();
  bool empty() const { return size_ <= 0; }
  // What it was made from: a repaint with the same icon at the same size uses it as it is.
  bool IsOf(HICON icon, int size) const { return !empty() && icon == source_ && size == size_; }
  // Puts the picture at (x, y) of the buffer, each pixel over what lies there as the system
  // draws the icon (a masked pixel leaves it, a partly covering one blends with it).
  void DrawInto(FrameBuffer& dst, int x, int y) const;

 private:
  HICON source_ = nullptr;
  int size_ = 0;
  std::vector<uint32_t> colour_;  // premultiplied by its coverage, 0x00RRGGBB
  std::vector<uint8_t> cover_;    // 0 (the buffer shows) .. 255 (the icon covers)
};

// Runs a plan from `src` into `dst` at (dx, dy); with `transparent` pure magenta is left out.
void ExecutePlanFrom(HDC dst, int dx, int dy, const PaintPlan& plan, const ImageDC& src,
                     bool transparent);

// Runs a plan from `src` into the buffer's pixels at (dx, dy), pure magenta left out, in memory:
// no GDI object is made. Each pixel is what ExecutePlanFrom would leave: the last piece covering
// it picks the source pixel as its StretchBlt would, and where that is magenta the buffer keeps
// its own. Without the image's key mask (ImageDC::MarkKey) it is ExecutePlanFrom.
void DrawKeyed(FrameBuffer& dst, int dx, int dy, const PaintPlan& plan, const ImageDC& src);

}  // namespace skin
