#include "ui/ImgList.h"

#include "ui/TypInfo.h"

namespace ui {

UI_IMPLEMENT_CLASS(TCustomImageList, TComponent,
                   P::Int("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth),
                   P::Int("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight),
                   P::Int("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor),
                   P::Bool("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked))

UI_IMPLEMENT_CLASS(TImageList, TCustomImageList)

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int width, int height)
    : TComponent(AOwner), width_(width), height_(height) {}

void TCustomImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  handle_.reset();
  Changed();
}

int TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_.get()) : 0; }

void TCustomImageList::SetBkColor(TColor color) {
  bkColor_ = color;
  if (handle_) ImageList_SetBkColor(handle_.get(), color == clNone ? CLR_NONE : ColorToRGB(color));
}

void TCustomImageList::SetMasked(bool on) {
  if (on == masked_) return;
  masked_ = on;
  handle_.reset();
  Changed();
}

HIMAGELIST TCustomImageList::Handle() {
  if (!handle_) {
    handle_.reset(ImageList_Create(width_, height_, ILC_COLOR24 | (masked_ ? ILC_MASK : 0), 4, 4));
    if (!handle_) throw EOutOfResources(L"Cannot create image list");
    ImageList_SetBkColor(handle_.get(), bkColor_ == clNone ? CLR_NONE : ColorToRGB(bkColor_));
  }
  return handle_.get();
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  if (!mask) return AddWithKey(image, false, 0);
  TBitmap copy;
  copy.Assign(*image);
  copy.SetPixelFormat(TPixelFormat::pf24bit);
  int index = ImageList_Add(Handle(), copy.Handle(), mask->Handle());
  Changed();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  COLORREF key = maskColor == clDefault ? ColorToRGB(image->TransparentColor() & 0xFFFFFF)
                                        : ColorToRGB(maskColor);
  return AddWithKey(image, true, key);
}

// The mask comes from the key colour (when there is one) and, for 32-bit images that carry an
// alpha channel, from their see-through pixels: a badge drawn with alpha shows without a box
// whether or not the system's image lists understand alpha.
int TCustomImageList::AddWithKey(TBitmap* image, bool useKey, COLORREF key) {
  TBitmap copy;
  copy.Assign(*image);
  bool hasAlpha = false;
  if (copy.PixelFormat() == TPixelFormat::pf32bit) {
    for (int y = 0; y < copy.Height() && !hasAlpha; ++y) {
      const uint8_t* p = copy.ScanLine(y);
      for (int x = 0; x < copy.Width(); ++x)
        if (p[x * 4 + 3] != 0) {
          hasAlpha = true;
          break;
        }
    }
  }
  copy.SetPixelFormat(TPixelFormat::pf32bit);
  TBitmap mask(copy.Width(), copy.Height(), TPixelFormat::pf24bit);
  for (int y = 0; y < copy.Height(); ++y) {
    uint8_t* p = copy.ScanLine(y);
    uint8_t* m = mask.ScanLine(y);
    for (int x = 0; x < copy.Width(); ++x, p += 4, m += 3) {
      bool clear = (hasAlpha && p[3] < 128) || (useKey && RGB(p[2], p[1], p[0]) == key);
      // Transparent pixels: white in the mask and black in the image, as the list draws them.
      m[0] = m[1] = m[2] = clear ? 255 : 0;
      if (clear) p[0] = p[1] = p[2] = 0;
    }
  }
  copy.SetPixelFormat(TPixelFormat::pf24bit);
  mask.SetPixelFormat(TPixelFormat::pf1bit);
  int index = ImageList_Add(Handle(), copy.Handle(), mask.Handle());
  Changed();
  return index;
}

void TCustomImageList::Delete(int index) {
  if (handle_ && ImageList_Remove(handle_.get(), index)) Changed();
}

void TCustomImageList::Clear() {
  if (handle_) ImageList_Remove(handle_.get(), -1);
  Changed();
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
  if (!image) return;
  image->SetPixelFormat(TPixelFormat::pf24bit);
  image->SetSize(width_, height_);
  RECT r{0, 0, width_, height_};
  image->Canvas()->Brush()->SetColor(bkColor_ == clNone ? clBtnFace : bkColor_);
  image->Canvas()->FillRect(r);
  DrawToDC(image->Canvas()->Handle(), 0, 0, index, true);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  if (canvas) DrawToDC(canvas->Handle(), x, y, index, enabled);
}

void TCustomImageList::DrawToDC(HDC dc, int x, int y, int index, bool enabled) {
  if (!handle_ || index < 0 || index >= Count()) return;
  if (enabled) {
    ImageList_Draw(handle_.get(), index, dc, x, y, ILD_NORMAL);
  } else {
    // Disabled: the image half blended into the face colour.
    ImageList_DrawEx(handle_.get(), index, dc, x, y, 0, 0, CLR_NONE, ColorToRGB(clBtnFace),
                     ILD_BLEND50);
  }
}

}  // namespace ui
