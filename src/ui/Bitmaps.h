// Pictures: the abstract graphic, device-independent bitmaps with pixel formats, transparency and
// row access, and icons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ui/Graphics.h"

namespace ui {

class TGraphic : public TPersistent {
  UI_CLASS(TGraphic, TPersistent)
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() == 0 || Height() == 0; }
  // Draws the picture into `r` (stretched when the sizes differ).
  virtual void Draw(TCanvas& canvas, const RECT& r) = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool on) { transparent_ = on; }
  TNotifyEvent OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  bool transparent_ = false;
};

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// The canvas of a bitmap: a memory DC with the bitmap selected, made on demand.
class TBitmapCanvas : public TCanvas {
  UI_CLASS(TBitmapCanvas, TCanvas)
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override;
  // Gives the DC back (the bitmap is about to change).
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap* bitmap_;
  MemoryDC dc_;
  HGDIOBJ oldBitmap_ = nullptr;
};

// A bitmap held as a DIB section (so rows are addressable) or, for 1 bit, a monochrome DIB.
class TBitmap : public TGraphic {
  UI_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
  ~TBitmap() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int w) { SetSize(w, height_); }
  void SetHeight(int h) { SetSize(width_, h); }
  // Keeps the top-left part of the image; new area is black.
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return format_; }
  // Converts the image to the new format.
  void SetPixelFormat(TPixelFormat format);
  bool Monochrome() const { return format_ == TPixelFormat::pf1bit; }
  void SetMonochrome(bool on);

  void Assign(const TPersistent& source) override;
  void Draw(TCanvas& canvas, const RECT& r) override;
  // Draws into a DC, transparently when Transparent is set.
  void DrawTo(HDC dc, const RECT& r);

  TCanvas* Canvas();
  HBITMAP Handle();
  // Takes ownership of a bitmap handle (any kind; it is converted to a DIB section).
  void SetHandle(HBITMAP bitmap);
  // Gives the bitmap up to the caller; this bitmap becomes empty.
  HBITMAP ReleaseHandle();

  // Row `y` from the top (DIB section memory). 24-bit rows are BGR, 32-bit BGRA.
  uint8_t* ScanLine(int y);
  int BytesPerRow() const;

  TColor TransparentColor();
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }

  // Windows BMP data (BITMAPFILEHEADER first); an invalid image raises EInvalidGraphic.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);
  // A BITMAP resource of the module.
  void LoadFromResourceName(HINSTANCE instance, const std::wstring& name);

  // 1-bit mask of the transparent colour (white where transparent).
  GdiBitmap MakeMask(COLORREF transparent);

 private:
  friend class TBitmapCanvas;
  void Allocate(int width, int height, TPixelFormat format);
  void FreeImage();
  void Dormant();

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  GdiBitmap handle_;
  uint8_t* bits_ = nullptr;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

class EInvalidGraphic : public Exception {
  using Exception::Exception;
};

// Makes a 24- or 32-bit DIB section of w × h; `bits` receives the row memory (top-down).
GdiBitmap CreateDIBSection32(int width, int height, int bitsPerPixel, uint8_t** bits);

class TIcon : public TGraphic {
  UI_CLASS(TIcon, TGraphic)
 public:
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Assign(const TPersistent& source) override;
  void Draw(TCanvas& canvas, const RECT& r) override;
  HICON Handle() const { return handle_.get(); }
  // Takes ownership of the icon.
  void SetHandle(HICON icon);
  // An icon resource of the module at the given size (0, 0: the system's large icon size).
  bool LoadFromResourceName(HINSTANCE instance, const std::wstring& name, int cx = 0, int cy = 0);

 private:
  IconHandle handle_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace ui
