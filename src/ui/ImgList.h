// Image lists: equal-sized images in one system image list, drawn enabled or disabled.
#pragma once

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "ui/Bitmaps.h"
#include "ui/Classes.h"
#include "ui/Handles.h"

namespace ui {

class TCustomImageList : public TComponent {
  UI_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(TComponent* AOwner, int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size clears the list.
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  void SetSize(int width, int height);
  int Count() const;
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor color);
  bool Masked() const { return masked_; }
  void SetMasked(bool on);

  HIMAGELIST Handle();
  bool HandleAllocated() const { return static_cast<bool>(handle_); }

  // Adds an image (a strip of several when it is wider than Width); answers the first index.
  // Without a mask, a 32-bit image's alpha channel makes one.
  int Add(TBitmap* image, TBitmap* mask);
  // Adds with `maskColor` as the transparent colour (clDefault: the bottom-left pixel); 32-bit
  // images with an alpha channel are also transparent where they are see-through.
  int AddMasked(TBitmap* image, TColor maskColor);
  void Delete(int index);
  void Clear();
  // Image `index` into a bitmap of Width × Height.
  void GetBitmap(int index, TBitmap* image);

  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  void DrawToDC(HDC dc, int x, int y, int index, bool enabled = true);

  TNotifyEvent OnChange;

 private:
  void Changed();
  int AddWithKey(TBitmap* image, bool useKey, COLORREF key);
  int width_ = 16;
  int height_ = 16;
  TColor bkColor_ = clNone;
  bool masked_ = true;
  ImageListHandle handle_;
};

class TImageList : public TCustomImageList {
  UI_CLASS(TImageList, TCustomImageList)
 public:
  using TCustomImageList::TCustomImageList;
};

}  // namespace ui
