#include "skin/controls/SkinnerHelpers.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "skin/frame/PaintPrimitives.h"
#include "skin/frame/ScaledSkinImage.h"
#include "ui/TypInfo.h"

namespace skin {

const ImageDC& ElementImageAt(IControlSkinnerHost& host, const TDataSkinObject& e, int frames,
                              bool vertical) {
  return host.SkinImage(e.Bitmap.get(), frames, vertical, e.Bitmap2x.get());
}

ImageRect ElementMarginsAt(const IControlSkinnerHost& host, const TDataSkinObject& e, int frames,
                           bool vertical) {
  return ScaledSkinMargins(MarginsOf(e), e.Handle(), Scale::FromDpi(host.Dpi()), frames, vertical);
}

TDataSkinObject* ElementWithImage(const TSkinData* skin, std::string_view name) {
  TDataSkinObject* e = skin ? skin->FindElement(name) : nullptr;
  return HasImage(e) ? e : nullptr;
}

void PutPixels(HDC dc, int x, int y, const PixelBuffer& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width();
  info.bmiHeader.biHeight = -pixels.height();  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(pixels.width()),
                    static_cast<DWORD>(pixels.height()), 0, 0, 0,
                    static_cast<UINT>(pixels.height()), pixels.data(), &info, DIB_RGB_COLORS);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string LowerEnum(ui::TObject* object, const char* name) {
  return Lower(ui::GetEnumPropertyName(object, name));
}

KeyedImageCache::Piece* KeyedImageCache::Find(HDC source, int w, int h, const PaintPlan& plan) {
  for (Piece& p : pieces_)
    if (p.mask && p.source == source && p.width == w && p.height == h && p.plan == plan) return &p;
  return nullptr;
}

KeyedImageCache::Piece* KeyedImageCache::Prepare(const ImageDC& src, int w, int h,
                                                 const PaintPlan& plan) {
  Piece& p = pieces_[next_];
  next_ = (next_ + 1) % pieces_.size();
  p.mask = {};
  if (!p.colour.Ensure(w, h)) return nullptr;
  constexpr uint32_t kKey = 0xFF00FF;  // pure magenta as a 32-bit DIB pixel
  uint32_t* bits = p.colour.bits();
  const int stride = p.colour.width();
  GdiFlush();
  for (int y = 0; y < h; ++y) std::fill_n(bits + static_cast<size_t>(y) * stride, w, kKey);
  ExecutePlan(p.colour.dc(), 0, 0, plan, src.dc());
  GdiFlush();
  // A monochrome mask's rows are whole 16-bit words.
  const int rowBytes = (w + 15) / 16 * 2;
  std::vector<uint8_t> mask(static_cast<size_t>(rowBytes) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t& pixel = bits[static_cast<size_t>(y) * stride + x];
      if ((pixel & 0xFFFFFF) != kKey) continue;
      mask[static_cast<size_t>(y) * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      pixel = 0;
    }
  p.mask = ui::GdiBitmap(CreateBitmap(w, h, 1, 1, mask.data()));
  if (!p.mask) return nullptr;
  p.source = src.dc();
  p.width = w;
  p.height = h;
  p.plan = plan;
  return &p;
}

bool KeyedImageCache::Draw(HDC dc, int x, int y, int w, int h, const ImageDC& src,
                           const PaintPlan& plan) {
  if (w <= 0 || h <= 0 || src.empty()) return true;  // nothing to draw
  Piece* p = Find(src.dc(), w, h, plan);
  if (!p) p = Prepare(src, w, h, plan);
  if (!p) return false;
  if (!maskDc_) maskDc_ = ui::MakeMemoryDC(dc);
  if (!maskDc_) return false;
  ui::SelectGuard mask(maskDc_.get(), p->mask.get());
  // A monochrome source paints its 1s in the destination's background colour, its 0s in its text
  // colour: white keeps the destination under the key, black clears it under the piece.
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, w, h, maskDc_.get(), 0, 0, SRCAND);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  BitBlt(dc, x, y, w, h, p->colour.dc(), 0, 0, SRCPAINT);
  return true;
}

}  // namespace skin
