#include "skin/frame/SkinMenuItems.h"

#include <algorithm>

#include "skin/frame/ScaledFrameSkin.h"
#include "skin/frame/WinSkinForm.h"
#include "ui/ImgList.h"

namespace skin {

namespace {

// The system's check-mark bitmap (its number is only declared with OEMRESOURCE).
constexpr WORD kCheckMarkBitmap = 32760;

COLORREF Rgb(Colour c) { return static_cast<COLORREF>(c) & 0xFFFFFF; }

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

LOGFONTW MenuLogFont(int dpi) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  LOGFONTW lf{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    lf = ncm.lfMenuFont;
  else
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  // Items are measured in this font: at another DPI they grow with it.
  ScaleFontToDpi(lf, dpi);
  return lf;
}

}  // namespace

MenuItemView ViewOfItem(ui::TMenuItem& item, bool rightToLeft) {
  MenuItemView v;
  v.caption = item.Caption();
  v.separator = item.IsLine();
  if (item.ShortCut()) v.shortcut = ui::ShortCutToText(item.ShortCut());
  v.enabled = item.Enabled();
  v.checked = item.Checked();
  v.radio = item.RadioItem();
  v.isDefault = item.Default();
  v.imageIndex = item.ImageIndex();
  if (ui::TMenu* menu = item.GetParentMenu()) v.images = menu->Images();
  v.rightToLeft = rightToLeft;
  return v;
}

MenuItemView ViewOfForeignItem(HMENU menu, UINT command, bool rightToLeft) {
  MenuItemView v;
  v.rightToLeft = rightToLeft;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  if (!menu || !GetMenuItemInfoW(menu, command, FALSE, &info)) {
    v.caption = L"-";
    v.separator = true;
    return v;
  }
  wchar_t text[256] = {};
  const int length = GetMenuStringW(menu, command, text, 256, MF_BYCOMMAND);
  std::wstring caption(text, static_cast<size_t>(std::clamp(length, 0, 255)));
  if (const size_t tab = caption.find(L'\t'); tab != std::wstring::npos) {
    v.shortcut = caption.substr(tab + 1);
    caption.resize(tab);
  }
  v.separator = (info.fType & MFT_SEPARATOR) != 0 || caption.empty();
  v.caption = v.separator ? L"-" : caption;
  v.enabled = (info.fState & MFS_GRAYED) == 0;
  v.checked = (info.fState & MFS_CHECKED) != 0;
  v.radio = (info.fType & MFT_RADIOCHECK) != 0;
  v.isDefault = (info.fState & MFS_DEFAULT) != 0;
  return v;
}

TSkinMenuPainter::TSkinMenuPainter(TSkinData* skin, int dpi)
    : skin_(skin), scale_(Scale::FromDpi(dpi > 0 ? dpi : SystemDpi())) {
  LOGFONTW lf = MenuLogFont(dpi);
  font_.reset(CreateFontIndirectW(&lf));
  lf.lfWeight = FW_BOLD;
  boldFont_.reset(CreateFontIndirectW(&lf));

  check_.reset(static_cast<HBITMAP>(
      LoadImageW(nullptr, MAKEINTRESOURCEW(kCheckMarkBitmap), IMAGE_BITMAP, 0, 0, LR_MONOCHROME)));
  if (check_) {
    checkSize_ = BitmapSize(check_.get());
    // The mark grows with the menu as the system's fonts do.
    const int systemDpi = SystemDpi(), menuDpi = dpi > 0 ? dpi : systemDpi;
    checkDrawn_ = {MulDiv(checkSize_.cx, menuDpi, systemDpi),
                   MulDiv(checkSize_.cy, menuDpi, systemDpi)};
    checkDC_ = ui::MakeMemoryDC();
    if (checkDC_) checkOld_ = SelectObject(checkDC_.get(), check_.get());
  }
  // The checked-item box of menus with images: button face and highlight in a checkerboard.
  static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  ditherBits_.reset(CreateBitmap(8, 8, 1, 1, kChecker));
  if (ditherBits_) dither_.reset(CreatePatternBrush(ditherBits_.get()));
  measureDC_ = ui::MakeMemoryDC();
  measureCanvas_.SetHandle(measureDC_.get());
  measureCanvas_.Font()->SetLogFont(MenuLogFont(dpi));
  Reload();
}

TSkinMenuPainter::~TSkinMenuPainter() { measureCanvas_.SetHandle(nullptr); }

void TSkinMenuPainter::Reload() {
  element_ = skin_ ? skin_->FindElement("MenuItem") : nullptr;
  itemImage_ = ImageDC();
  margins_ = {};
  if (!element_ || element_->Empty()) return;
  // The item's image and its margins at the menu's DPI, made once: the glyph sits past the
  // image's left piece as drawn.
  const int frames = std::max(element_->Frame, 1);
  itemImage_ = ElementImageAt(*element_, scale_, frames, false);
  margins_ = ElementMarginsAt(*element_, scale_, frames, false);
}

int TSkinMenuPainter::ItemLeft() const { return HasItemElement() ? margins_.left : 0; }

SIZE TSkinMenuPainter::TextExtent(HDC dc, const std::wstring& text, bool bold) const {
  ui::SelectGuard font(dc, bold ? boldFont_.get() : font_.get());
  RECT r{0, 0, 0, 0};
  const std::wstring measured = MeasuredCaption(text);
  DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &r,
            DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  return {r.right - r.left, r.bottom - r.top};
}

COLORREF TSkinMenuPainter::TextColour(const MenuItemView& item, bool selected) const {
  if (item.enabled) return Rgb(skin_->GetRGB(selected ? ciHilightText : ciMenuText));
  const Colour shadow = skin_->GetRGB(ciButtonShadow);
  // Disabled text that would vanish into normal text takes the system's shadow colour.
  if (shadow == skin_->GetRGB(ciMenuText)) return GetSysColor(COLOR_BTNSHADOW);
  return Rgb(shadow);
}

void TSkinMenuPainter::DrawPlainItem(HDC dc, const RECT& r, const MenuItemView& item,
                                     bool selected) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  Fill(dc, r, Rgb(skin_->GetRGB(selected && !item.separator ? ciHilight : ciMenu)));
  DrawContent(dc, ToImageRect(r), item, selected);
}

void TSkinMenuPainter::DrawSkinItem(HDC dc, const RECT& r, const MenuItemView& item, bool selected,
                                    const PopupBackground* background) {
  if (!HasItemElement()) {
    DrawPlainItem(dc, r, item, selected);
    return;
  }
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0 || !buffer_.Ensure(w, h)) return;
  const HDC b = buffer_.dc();
  const RECT all{0, 0, w, h};
  if (background && background->dc)
    BitBlt(b, 0, 0, w, h, background->dc, r.left + background->offsetX, r.top + background->offsetY,
           SRCCOPY);
  else
    Fill(b, all, Rgb(skin_->GetRGB(ciMenu)));

  const TDataSkinObject& e = *element_;
  const int frames = std::max(e.Frame, 1);
  if (item.separator) {
    const ImageRect src = SeparatorSource(itemImage_.width(), itemImage_.height(), frames, h);
    const int left = std::clamp(margins_.left, 0, src.width());
    const int right = std::clamp(margins_.right, 0, src.width() - left);
    const int y = std::max((h - src.height()) / 2, 0);
    const int sh = std::min(src.height(), h);
    PaintPlan plan;
    plan.push_back({{src.left, src.top, src.left + left, src.bottom}, {0, y, left, y + sh}});
    plan.push_back(
        {{src.left + left, src.top, src.right - right, src.bottom}, {left, y, w - right, y + sh}});
    plan.push_back(
        {{src.right - right, src.top, src.right, src.bottom}, {w - right, y, w, y + sh}});
    std::erase_if(plan, [](const BlitStep& s) { return s.src.empty() || s.dst.empty(); });
    ExecutePlanFrom(b, 0, 0, plan, itemImage_, true);
  } else {
    const PaintPlan plan =
        PlanNineSlice(itemImage_.width(), itemImage_.height(), w, h, margins_, false, e.Tile == 1,
                      frames, std::min(MenuItemFrame(selected), frames));
    ExecutePlanFrom(b, 0, 0, plan, itemImage_, e.Trans == 1);
    DrawContent(b, {0, 0, w, h}, item, selected);
  }
  BitBlt(dc, r.left, r.top, w, h, b, 0, 0, SRCCOPY);
}

void TSkinMenuPainter::DrawCheck(HDC dc, const ImageRect& box, const ImageRect& item, bool radio,
                                 COLORREF colour) {
  const int cx = box.left + box.width() / 2, cy = item.top + item.height() / 2;
  if (radio || !checkDC_) {
    SetDCBrushColor(dc, colour);
    SetDCPenColor(dc, colour);
    ui::SelectGuard brush(dc, GetStockObject(DC_BRUSH));
    ui::SelectGuard pen(dc, GetStockObject(DC_PEN));
    const int radius = ScaleLength(3, scale_);
    Ellipse(dc, cx - radius, cy - radius, cx + radius, cy + radius);
    return;
  }
  // The mark's pixels are 0 in the monochrome image: first cleared, then given the colour, so
  // the item's background stays around it.
  const int w = checkDrawn_.cx, h = checkDrawn_.cy;
  const int x = cx - w / 2, y = cy - h / 2;
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  StretchBlt(dc, x, y, w, h, checkDC_.get(), 0, 0, checkSize_.cx, checkSize_.cy, SRCAND);
  SetTextColor(dc, colour);
  SetBkColor(dc, RGB(0, 0, 0));
  StretchBlt(dc, x, y, w, h, checkDC_.get(), 0, 0, checkSize_.cx, checkSize_.cy, SRCPAINT);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  if (oldMode) SetStretchBltMode(dc, oldMode);
}

void TSkinMenuPainter::DrawContent(HDC dc, const ImageRect& r, const MenuItemView& item,
                                   bool selected) {
  if (item.separator) {
    if (!HasItemElement()) {
      RECT line{r.left, r.top + 4, r.right, r.top + 6};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    }
    return;
  }
  const bool hasImage =
      item.images && item.imageIndex >= 0 && item.imageIndex < item.images->Count();
  const int checkBox = MenuCheckBox(scale_);
  int glyph = item.images ? item.images->Width() : checkBox;
  if (item.checked) glyph = std::max(glyph, checkBox);
  const MenuItemLayout l = LayoutMenuItem(r, ItemLeft(), glyph, item.rightToLeft, scale_);

  if (hasImage) {
    if (item.checked && dither_) {
      RECT box = ToRECT(l.glyph);
      const COLORREF oldText = SetTextColor(dc, Rgb(skin_->GetRGB(ciButtonFace)));
      const COLORREF oldBack = SetBkColor(dc, Rgb(skin_->GetRGB(ciHilight)));
      FillRect(dc, &box, dither_.get());
      SetTextColor(dc, oldText);
      SetBkColor(dc, oldBack);
      DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    }
    item.images->DrawToDC(dc, l.glyph.left, l.glyph.top, item.imageIndex, item.enabled);
  } else if (item.checked) {
    DrawCheck(dc, l.glyph, r, item.radio, Rgb(skin_->GetRGB(ciButtonText)));
  }

  ui::SelectGuard font(dc, item.isDefault ? boldFont_.get() : font_.get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, TextColour(item, selected));
  const std::wstring caption = MeasuredCaption(item.caption);
  RECT measure = ToRECT(l.text);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measure,
            DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  const int textHeight = measure.bottom - measure.top;
  const int top = r.top + (r.height() - textHeight) / 2;
  const UINT rtl = item.rightToLeft ? DT_RIGHT | DT_RTLREADING : 0;
  RECT text{l.text.left, top, l.text.right, top + textHeight};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_EXPANDTABS | DT_SINGLELINE | rtl);
  if (!item.shortcut.empty()) {
    RECT sc{l.shortcut.left, top, l.shortcut.right, top + textHeight};
    DrawTextW(dc, item.shortcut.c_str(), static_cast<int>(item.shortcut.size()), &sc,
              DT_SINGLELINE | (item.rightToLeft ? DT_LEFT | DT_RTLREADING : DT_RIGHT));
  }
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace skin
