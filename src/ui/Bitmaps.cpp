#include "ui/Bitmaps.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/BmpDecode.h"
#include "ui/TypInfo.h"

namespace ui {

namespace {

int BitsOf(TPixelFormat f) {
  switch (f) {
    case TPixelFormat::pf1bit:
      return 1;
    case TPixelFormat::pf4bit:
      return 4;
    case TPixelFormat::pf8bit:
      return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit:
      return 16;
    case TPixelFormat::pf32bit:
      return 32;
    default:
      return 24;
  }
}

// A top-down DIB section; 1-bit ones get a black/white palette, 4- and 8-bit ones a grey ramp.
GdiBitmap MakeDib(int width, int height, int bits, uint8_t** memory) {
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colours[256];
  } bi{};
  bi.h.biSize = sizeof bi.h;
  bi.h.biWidth = width;
  bi.h.biHeight = -height;
  bi.h.biPlanes = 1;
  bi.h.biBitCount = static_cast<WORD>(bits);
  bi.h.biCompression = BI_RGB;
  if (bits <= 8) {
    int n = 1 << bits;
    bi.h.biClrUsed = static_cast<DWORD>(n);
    for (int i = 0; i < n; ++i) {
      auto v = static_cast<BYTE>(i * 255 / (n - 1));
      bi.colours[i] = {v, v, v, 0};
    }
  }
  void* bitsPtr = nullptr;
  GdiBitmap bmp(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS,
                                 &bitsPtr, nullptr, 0));
  if (!bmp) throw EOutOfResources(L"Cannot create bitmap");
  if (memory) *memory = static_cast<uint8_t*>(bitsPtr);
  return bmp;
}

// Copies `src` (any bitmap) into `dst` at the origin.
void CopyBits(HBITMAP dst, HBITMAP src, int width, int height) {
  MemoryDC a = MakeMemoryDC(), b = MakeMemoryDC();
  SelectGuard sa(a.get(), dst);
  SelectGuard sb(b.get(), src);
  BitBlt(a.get(), 0, 0, width, height, b.get(), 0, 0, SRCCOPY);
}

}  // namespace

GdiBitmap CreateDIBSection32(int width, int height, int bitsPerPixel, uint8_t** bits) {
  return MakeDib(width, height, bitsPerPixel, bits);
}

UI_IMPLEMENT_CLASS(TGraphic, TPersistent)

// ---- TBitmapCanvas ----------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TBitmapCanvas, TCanvas)

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  if (!bitmap_->handle_)
    bitmap_->Allocate(std::max(bitmap_->width_, 0), std::max(bitmap_->height_, 0),
                      bitmap_->format_);
  dc_ = MakeMemoryDC();
  if (!dc_) return;
  oldBitmap_ = SelectObject(dc_.get(), bitmap_->handle_.get());
  SetHandle(dc_.get());
}

void TBitmapCanvas::FreeContext() {
  if (!dc_) return;
  SetHandle(nullptr);
  if (oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
  oldBitmap_ = nullptr;
  dc_.reset();
}

// ---- TBitmap ----------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TBitmap, TGraphic, P::Int("Width", &TBitmap::Width, &TBitmap::SetWidth),
                   P::Int("Height", &TBitmap::Height, &TBitmap::SetHeight))

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) { Allocate(width, height, format); }

TBitmap::~TBitmap() { Dormant(); }

void TBitmap::Dormant() {
  if (canvas_) canvas_->FreeContext();
}

void TBitmap::Allocate(int width, int height, TPixelFormat format) {
  Dormant();
  if (format == TPixelFormat::pfDevice) format = TPixelFormat::pf24bit;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  format_ = format;
  bits_ = nullptr;
  handle_.reset();
  if (width_ > 0 && height_ > 0) handle_ = MakeDib(width_, height_, BitsOf(format), &bits_);
}

void TBitmap::FreeImage() {
  Dormant();
  handle_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  Dormant();
  GdiBitmap old = std::move(handle_);
  int oldW = width_, oldH = height_;
  Allocate(width, height, format_);
  if (old && handle_)
    CopyBits(handle_.get(), old.get(), std::min(oldW, width_), std::min(oldH, height_));
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == TPixelFormat::pfDevice) format = TPixelFormat::pf24bit;
  if (format == format_) return;
  Dormant();
  GdiBitmap old = std::move(handle_);
  Allocate(width_, height_, format);
  if (old && handle_) CopyBits(handle_.get(), old.get(), width_, height_);
  Changed();
}

void TBitmap::SetMonochrome(bool on) {
  if (on != Monochrome()) SetPixelFormat(on ? TPixelFormat::pf1bit : TPixelFormat::pf24bit);
}

void TBitmap::Assign(const TPersistent& source) {
  if (!source.Is<TBitmap>()) return TGraphic::Assign(source);
  auto& src = const_cast<TBitmap&>(static_cast<const TBitmap&>(source));
  if (&src == this) return;
  src.Dormant();
  Allocate(src.width_, src.height_, src.format_);
  if (handle_ && src.handle_) CopyBits(handle_.get(), src.handle_.get(), width_, height_);
  transparent_ = src.transparent_;
  transparentColor_ = src.transparentColor_;
  transparentMode_ = src.transparentMode_;
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(this);
  return canvas_.get();
}

HBITMAP TBitmap::Handle() {
  // Others select the handle into their own DCs: ours lets it go first.
  Dormant();
  return handle_.get();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  GdiBitmap incoming(bitmap);
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) {
    FreeImage();
    Changed();
    return;
  }
  TPixelFormat format = info.bmBitsPixel == 1    ? TPixelFormat::pf1bit
                        : info.bmBitsPixel == 32 ? TPixelFormat::pf32bit
                                                 : TPixelFormat::pf24bit;
  Allocate(info.bmWidth, std::abs(info.bmHeight), format);
  if (handle_) CopyBits(handle_.get(), bitmap, width_, height_);
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  Dormant();
  HBITMAP h = handle_.release();
  bits_ = nullptr;
  width_ = height_ = 0;
  return h;
}

int TBitmap::BytesPerRow() const { return ((width_ * BitsOf(format_) + 31) / 32) * 4; }

uint8_t* TBitmap::ScanLine(int y) {
  if (!bits_ || y < 0 || y >= height_) throw EInvalidGraphic(L"Scan line index out of range");
  GdiFlush();
  return bits_ + static_cast<size_t>(y) * static_cast<size_t>(BytesPerRow());
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == TTransparentMode::tmFixed && transparentColor_ != clDefault)
    return transparentColor_;
  if (Empty()) return clDefault;
  return static_cast<TColor>(GetPixel(Canvas()->Handle(), 0, height_ - 1) & 0xFFFFFF);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
}

GdiBitmap TBitmap::MakeMask(COLORREF transparent) {
  GdiBitmap mask(CreateBitmap(std::max(width_, 1), std::max(height_, 1), 1, 1, nullptr));
  if (!handle_) return mask;
  Dormant();
  MemoryDC src = MakeMemoryDC(), dst = MakeMemoryDC();
  SelectGuard s1(src.get(), handle_.get());
  SelectGuard s2(dst.get(), mask.get());
  SetBkColor(src.get(), transparent);
  BitBlt(dst.get(), 0, 0, width_, height_, src.get(), 0, 0, SRCCOPY);
  return mask;
}

void TBitmap::Draw(TCanvas& canvas, const RECT& r) { DrawTo(canvas.Handle(), r); }

void TBitmap::DrawTo(HDC dc, const RECT& r) {
  if (Empty()) return;
  COLORREF key = transparent_ ? ColorToRGB(TransparentColor()) : 0;
  Dormant();
  MemoryDC src = MakeMemoryDC(dc);
  SelectGuard sel(src.get(), handle_.get());
  int w = r.right - r.left, h = r.bottom - r.top;
  if (transparent_) {
    TransparentBlt(dc, r.left, r.top, w, h, src.get(), 0, 0, width_, height_, key);
  } else {
    int old = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, w, h, src.get(), 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dc, old);
  }
}

// BMP data is decoded by the portable reader of the skin data, which checks every header field
// against the bytes it is given.
void TBitmap::LoadFromStream(TStream& stream) {
  int64_t left = stream.Size() - stream.Position();
  if (left <= 0 || left > (256ll << 20)) throw EInvalidGraphic(L"Bitmap image is not valid");
  std::vector<uint8_t> data(static_cast<size_t>(left));
  stream.ReadBuffer(data.data(), left);
  skin::BmpImage image;
  try {
    image = skin::DecodeBmp(data.data(), data.size());
  } catch (const skin::BmpError& e) {
    std::string why = e.what();
    throw EInvalidGraphic(L"Bitmap image is not valid (" + std::wstring(why.begin(), why.end()) +
                          L")");
  }
  const skin::PixelBuffer& px = image.pixels;
  Allocate(px.width(), px.height(),
           px.bitsPerPixel() == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
  if (!bits_) throw EInvalidGraphic(L"Bitmap image is empty");
  GdiFlush();
  size_t row = std::min(px.stride(), static_cast<size_t>(BytesPerRow()));
  for (int y = 0; y < height_; ++y)
    std::memcpy(bits_ + static_cast<size_t>(y) * static_cast<size_t>(BytesPerRow()), px.Row(y),
                row);
  Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
  Dormant();
  int bits = format_ == TPixelFormat::pf32bit ? 32 : 24;
  int stride = ((width_ * bits + 31) / 32) * 4;
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = width_;
  ih.biHeight = height_;
  ih.biPlanes = 1;
  ih.biBitCount = static_cast<WORD>(bits);
  ih.biCompression = BI_RGB;
  ih.biSizeImage = static_cast<DWORD>(stride * height_);
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  std::vector<uint8_t> pixels(ih.biSizeImage);
  if (handle_) {
    WindowDC screen = WindowDC::Client(nullptr);
    BITMAPINFOHEADER q = ih;
    GetDIBits(screen.get(), handle_.get(), 0, static_cast<UINT>(height_), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&q), DIB_RGB_COLORS);
  }
  stream.WriteBuffer(&fh, sizeof fh);
  stream.WriteBuffer(&ih, sizeof ih);
  stream.WriteBuffer(pixels.data(), static_cast<int64_t>(pixels.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::wstring& name) {
  HANDLE h = LoadImageW(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!h) throw EInvalidGraphic(L"Bitmap resource " + name + L" not found");
  SetHandle(static_cast<HBITMAP>(h));
}

// ---- TIcon ------------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TIcon, TGraphic)

void TIcon::Assign(const TPersistent& source) {
  if (!source.Is<TIcon>()) return TGraphic::Assign(source);
  const auto& src = static_cast<const TIcon&>(source);
  SetHandle(src.handle_ ? CopyIcon(src.handle_.get()) : nullptr);
}

void TIcon::SetHandle(HICON icon) {
  handle_.reset(icon);
  width_ = height_ = 0;
  ICONINFO ii{};
  if (icon && GetIconInfo(icon, &ii)) {
    GdiBitmap colour(ii.hbmColor), mask(ii.hbmMask);  // GetIconInfo hands us copies
    BITMAP bm{};
    if (GetObjectW(mask.get(), sizeof bm, &bm)) {
      width_ = bm.bmWidth;
      height_ = colour ? bm.bmHeight : bm.bmHeight / 2;
    }
  }
  Changed();
}

bool TIcon::LoadFromResourceName(HINSTANCE instance, const std::wstring& name, int cx, int cy) {
  HANDLE h = LoadImageW(instance, name.c_str(), IMAGE_ICON, cx, cy, cx || cy ? 0 : LR_DEFAULTSIZE);
  if (!h) return false;
  SetHandle(static_cast<HICON>(h));
  return true;
}

void TIcon::Draw(TCanvas& canvas, const RECT& r) {
  if (handle_)
    DrawIconEx(canvas.Handle(), r.left, r.top, handle_.get(), r.right - r.left, r.bottom - r.top, 0,
               nullptr, DI_NORMAL);
}

}  // namespace ui
