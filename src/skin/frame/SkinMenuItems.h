// Owner-drawn menu items in the skin's look: pull-down items of the skinned menu bar, popup-menu
// items and the items of the skinned system menu. An item is composed off screen (background from
// the popup's skinned background or the Menu colour, the MenuItem element's image, glyph or check
// mark, caption and shortcut) and written to the menu's DC in one blit. The painter keeps its
// fonts, check-mark image, pattern brush and composition buffer for its whole life, so painting an
// item creates no GDI object.
#pragma once

#include <windows.h>

#include <string>

#include "skin/data/WinSkinData.h"
#include "skin/frame/FramePainter.h"
#include "skin/frame/MenuGeometry.h"
#include "ui/Handles.h"
#include "ui/Menus.h"

namespace ui {
class TCustomImageList;
}

namespace skin {

// What an item shows, whoever owns it (a framework item or a raw menu item of foreign code).
struct MenuItemView {
  std::wstring caption;
  std::wstring shortcut;
  bool enabled = true, checked = false, radio = false, isDefault = false, separator = false;
  int imageIndex = -1;
  ui::TCustomImageList* images = nullptr;
  bool rightToLeft = false;
};

MenuItemView ViewOfItem(ui::TMenuItem& item, bool rightToLeft);
// A raw item of `menu` by command id (a caption "-" for a separator or an item without text).
MenuItemView ViewOfForeignItem(HMENU menu, UINT command, bool rightToLeft);

// The skinned popup background an item sits on: the popup window's picture in window coordinates
// and where the item's client coordinates start in it.
struct PopupBackground {
  HDC dc = nullptr;
  int width = 0, height = 0;
  int offsetX = 3, offsetY = 3;
};

class TSkinMenuPainter {
 public:
  // `dpi`: the window's (0 for the system's), which the menu font is made for.
  explicit TSkinMenuPainter(TSkinData* skin, int dpi = 0);
  ~TSkinMenuPainter();
  TSkinMenuPainter(const TSkinMenuPainter&) = delete;
  TSkinMenuPainter& operator=(const TSkinMenuPainter&) = delete;

  // The skin's images changed.
  void Reload();

  bool HasItemElement() const { return !itemImage_.empty(); }
  // The MenuItem element's left margin at the menu's DPI (0 without the element).
  int ItemLeft() const;
  HFONT MenuFont() const { return font_.get(); }
  // The menu's DPI as a scale of 96 dpi: what the items' fixed paddings and marks are taken at.
  Scale GetScale() const { return scale_; }
  // A canvas in the menu font for measuring items, bound for the painter's whole life.
  ui::TCanvas* MeasureCanvas() { return &measureCanvas_; }
  HDC MeasureDC() const { return measureDC_.get(); }

  // With the MenuItem element: the element's image over the popup's background, then the
  // content; without it the plain look.
  void DrawSkinItem(HDC dc, const RECT& r, const MenuItemView& item, bool selected,
                    const PopupBackground* background);
  // Hilight or Menu colour, then the content.
  void DrawPlainItem(HDC dc, const RECT& r, const MenuItemView& item, bool selected);
  // The caption's width and height in the menu font (bold for the default item).
  SIZE TextExtent(HDC dc, const std::wstring& text, bool bold) const;

 private:
  void DrawContent(HDC dc, const ImageRect& r, const MenuItemView& item, bool selected);
  void DrawCheck(HDC dc, const ImageRect& box, const ImageRect& item, bool radio, COLORREF colour);
  COLORREF TextColour(const MenuItemView& item, bool selected) const;

  TSkinData* skin_;
  TDataSkinObject* element_ = nullptr;
  ImageDC itemImage_;  // the MenuItem element's image at the menu's DPI
  ImageRect margins_;  // and its margins there
  FrameBuffer buffer_;
  ui::GdiFont font_, boldFont_;
  ui::GdiBitmap check_;
  ui::MemoryDC checkDC_;
  HGDIOBJ checkOld_ = nullptr;
  SIZE checkSize_{};   // the system's mark, made for the system's DPI
  SIZE checkDrawn_{};  // the mark as drawn, at the menu's DPI
  Scale scale_;
  ui::GdiBitmap ditherBits_;
  ui::GdiBrush dither_;
  ui::MemoryDC measureDC_;
  ui::TCanvas measureCanvas_;
};

}  // namespace skin
