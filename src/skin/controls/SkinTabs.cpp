#include "skin/controls/SkinTabs.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "skin/controls/SkinUpDown.h"
#include "skin/controls/SkinnerHelpers.h"
#include "skin/controls/SkinnerRegistry.h"
#include "skin/data/ImgUtilGdi.h"
#include "skin/frame/CanvasPrimitives.h"
#include "skin/frame/PaintPrimitives.h"
#include "ui/TabCtrls.h"
#include "ui/Text.h"

namespace skin {

namespace {
constexpr intptr_t kCloseBoxTag = 7777;

// A copy of an element's image at the window's DPI (the host's, made once per DPI), flipped or
// turned as the tabs' side asks. `art2x` is the skin's 200 % art of `bitmap`, if any.
ImageDC Oriented(IControlSkinnerHost& host, ui::TBitmap* bitmap, ui::TBitmap* art2x, int frames,
                 bool flip, int turn) {
  if (!bitmap || bitmap->Empty()) return {};
  PixelBuffer pixels;
  if (Scale::FromDpi(host.Dpi()).Identity()) {
    if (!flip && turn == 0) return ImageDC(bitmap->Handle());
    pixels = PixelsOf(*bitmap);
  } else {
    const ImageDC& scaled = host.SkinImage(bitmap, frames, false, art2x);
    if (scaled.empty()) return {};
    pixels = PixelBuffer(scaled.width(), scaled.height(), 32);
    GdiFlush();
    for (int y = 0; y < scaled.height(); ++y)
      std::memcpy(pixels.Row(y), scaled.bits() + static_cast<size_t>(y) * scaled.width(),
                  static_cast<size_t>(scaled.width()) * 4);
  }
  if (flip) FlipVertical(pixels);
  if (turn < 0) RotateLeft(pixels);
  if (turn > 0) RotateRight(pixels);
  ui::GdiBitmap made = MakeBitmap(pixels);
  return ImageDC(made.get());
}

void NineSlice(HDC dc, const ImageRect& r, const ImageDC& image, const RECT& margins, bool tile,
               bool trans, int frameCount, int frameIndex) {
  if (image.empty() || r.empty()) return;
  const ImageRect m{margins.left, margins.top, margins.right, margins.bottom};
  const PaintPlan plan = PlanNineSlice(image.width(), image.height(), r.width(), r.height(), m,
                                       false, tile, frameCount, frameIndex);
  ExecutePlanFrom(dc, r.left, r.top, plan, image, trans);
}

// The cross in a box of a closable tab, in the DC's text colour.
void DrawCloseBox(HDC dc, const ImageRect& box, COLORREF colour) {
  ui::SelectGuard pen(dc, GetStockObject(DC_PEN));
  ui::SelectGuard brush(dc, GetStockObject(NULL_BRUSH));
  SetDCPenColor(dc, colour);
  Rectangle(dc, box.left, box.top, box.right, box.bottom);
  MoveToEx(dc, box.left + 1, box.top + 1, nullptr);
  LineTo(dc, box.right - 1, box.bottom - 1);
  MoveToEx(dc, box.right - 2, box.top + 1, nullptr);
  LineTo(dc, box.left, box.bottom - 1);
}
}  // namespace

UI_IMPLEMENT_CLASS(TSkinTab, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinTab31, TSkinControl)

// ---- Tab controls
// --------------------------------------------------------------------------------

void TSkinTab::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  if (!handle_) return;
  enabled_ = !(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_DISABLED);
  // Close boxes: asked for by the Tag, on the framework's single-line tab controls.
  auto* tabs = dynamic_cast<ui::TCustomTabControl*>(control_);
  closeBoxes_ = control_ && control_->Tag() == kCloseBoxTag && tabs && !tabs->MultiLine();
  Prepare();
  FindUpDown();
}

void TSkinTab::AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) {
  TSkinControl::AttachHandle(wnd, skin, form);
  enabled_ = !(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_DISABLED);
  focused_ = GetFocus() == wnd;
  Prepare();
  FindUpDown();
}

void TSkinTab::SkinChanged() {
  Prepare();
  TSkinControl::SkinChanged();
}

void TSkinTab::Prepare() {
  face_ = {};
  border_ = {};
  if (!handle_ || !skin_) return;
  side_ = TabSideOf(static_cast<uint32_t>(GetWindowLongPtrW(handle_, GWL_STYLE)));
  auto* tabs = dynamic_cast<TDataSkinBorder*>(skin_->FindElement("Tabs"));
  if (!tabs) return;
  const bool bottom = side_ == TabSide::Bottom;
  const int turn = side_ == TabSide::Left ? -1 : side_ == TabSide::Right ? 1 : 0;
  if (!form_) return;
  face_ = Oriented(*form_, tabs->Bitmap.get(), tabs->Bitmap2x.get(), std::max(tabs->Frame, 1),
                   bottom, 0);
  borderMargins_ = RECT{Scaled(4), Scaled(5), Scaled(4), Scaled(4)};
  if (tabs->Style == 0) {
    border_ = Oriented(*form_, tabs->Bitmap2.get(), nullptr, 1, bottom, turn);
  } else if (TDataSkinObject* pane = skin_->FindElement("Tab.Pane")) {
    border_ = Oriented(*form_, pane->Bitmap.get(), pane->Bitmap2x.get(), 1, bottom, turn);
    borderMargins_ = ToRECT(ScaledMargins(*pane, 1));
  }
}

void TSkinTab::FindUpDown() {
  if (upDownDone_ || !handle_ || !HasSkinner(SkinnerKind::UpDown)) return;
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (_wcsicmp(cls, UPDOWN_CLASSW) != 0) continue;
    if (SendMessageW(child, SM_ISSKINNED, 0, 0) != 1)
      CreateSkinner(SkinnerKind::UpDown, nullptr)->AttachHandle(child, skin_, form_);
    upDownDone_ = true;
    return;
  }
}

bool TSkinTab::BeforeMessage(ui::TMessage& message) {
  const bool skinned = !face_.empty() || !border_.empty();
  switch (message.Msg) {
    case WM_PAINT:
      if (!skinned) break;
      FindUpDown();  // the scroll arrows come with the first overflowing tab
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND:
      if (!skinned) break;
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
      if (closeBoxes_ && CloseTabAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)))
        return false;
      break;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

bool TSkinTab::CloseTabAt(int x, int y) {
  const int count = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  const int index = HitCloseBox(closeBoxes_rects_, x, y, count);
  if (index < 0) return false;
  // The form decides; its handler may free tabs, pages or the whole control meanwhile.
  auto* pages = dynamic_cast<ui::TPageControl*>(control_);
  const ui::TTabSheet* asked = pages ? pages->Pages(index) : nullptr;
  const std::weak_ptr<bool> alive = AliveToken();
  HWND formWindow = GetAncestor(handle_, GA_ROOT);
  const LRESULT answer = SendMessageW(formWindow, SM_CLOSETAB, reinterpret_cast<WPARAM>(handle_),
                                      static_cast<LPARAM>(index));
  if (alive.expired() || !*alive.lock()) return true;
  if (answer != 0) return true;
  if (pages) {
    // Only the page asked about, if the handler has not freed or moved it meanwhile.
    for (int i = 0; i < pages->PageCount(); ++i)
      if (pages->Pages(i) == asked) {
        pages->Pages(i)->Free();
        break;
      }
  } else if (auto* tabs = dynamic_cast<ui::TTabControl*>(control_)) {
    if (index < tabs->Tabs()->Count()) tabs->Tabs()->Delete(index);
  }
  return true;
}

void TSkinTab::DrawTabs(HDC dc, const ImageRect& strip, int dw, int) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  ui::SaveDCGuard saved(dc);
  if (font) SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const auto* tabs = skin_->FindElement("Tabs");
  const int frames = std::max(tabs->Frame, 1);
  const RECT faceMargins = ToRECT(ScaledMargins(*tabs, frames));
  const int focus = static_cast<int>(SendMessageW(handle_, TCM_GETCURFOCUS, 0, 0));
  const int count = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  const bool unicode = IsWindowUnicode(handle_);
  const bool hasFocus = GetFocus() == handle_ && FocusCuesShown();
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, TCM_GETIMAGELIST, 0, 0));
  int iconWidth = 0, iconHeight = 0;
  if (images) ImageList_GetIconSize(images, &iconWidth, &iconHeight);
  closeBoxes_rects_.assign(static_cast<size_t>(std::max(count, 0)), ImageRect{});
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!SendMessageW(handle_, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&item)))
      continue;
    const ImageRect inStrip = ToImageRect(item).Offset(-strip.left, -strip.top);
    const ImageRect t = TabInDrawnStrip(inStrip, strip.width(), strip.height(), side_);
    if (t.right <= 0 || t.left >= dw || t.empty()) continue;
    const bool current = i == focus;
    const RECT tabRect{t.left, t.top, t.right, t.bottom};
    NineSlice(dc, t, face_, faceMargins, tabs->Tile == 1, tabs->Trans == 1, frames,
              ClampFrame(current ? 2 : 1, frames));
    wchar_t text[80] = {};
    int image = -1;
    if (unicode) {
      TCITEMW tci{};
      tci.mask = TCIF_TEXT | TCIF_IMAGE;
      tci.pszText = text;
      tci.cchTextMax = 80;
      tci.iImage = -1;
      SendMessageW(handle_, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tci));
      image = tci.iImage;
    } else {
      char narrow[80] = {};
      TCITEMA tci{};
      tci.mask = TCIF_TEXT | TCIF_IMAGE;
      tci.pszText = narrow;
      tci.cchTextMax = 80;
      tci.iImage = -1;
      SendMessageW(handle_, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tci));
      MultiByteToWideChar(CP_ACP, 0, narrow, -1, text, 80);
      image = tci.iImage;
    }
    // The icon leads the caption when the tab has one and it is narrower than the tab.
    const bool icon =
        images && image >= 0 && image < ImageList_GetImageCount(images) && iconWidth < t.width();
    const int iw = icon ? iconWidth : 0;
    const std::wstring caption = text;
    SetTextColor(dc, !enabled_ ? GetSysColor(COLOR_BTNSHADOW)
                     : current ? static_cast<COLORREF>(tabs->MouseOverColour2)
                               : static_cast<COLORREF>(tabs->NormalColour2));
    constexpr UINT kFlags = DT_END_ELLIPSIS | DT_EXPANDTABS | DT_WORDBREAK;
    RECT measure{0, 0, t.width(), t.height()};
    SkinDrawText(dc, caption, measure, kFlags | DT_CALCRECT);
    const int tw = std::min<int>(measure.right - measure.left, t.width() - iw);
    const int th = measure.bottom - measure.top;
    const int groupLeft = t.left + TabGroupLeft(t.width(), iw, tw);
    if (icon)
      ImageList_Draw(images, image, dc, groupLeft, t.top + (t.height() - iconHeight) / 2,
                     ILD_TRANSPARENT);
    RECT at{groupLeft + iw, t.top + (t.height() - th) / 2, 0, 0};
    at.right = std::min<LONG>(at.left + tw, t.right);
    at.bottom = std::min<LONG>(at.top + th, t.bottom);
    DrawAccessText(dc, caption, at, AddReadingOrder(kFlags));
    // The focused control's current tab carries the focus rectangle, as the system's does.
    if (current && hasFocus) {
      RECT cue = at;
      InflateRect(&cue, 2, 1);
      IntersectRect(&cue, &cue, &tabRect);
      DrawFocusRect(dc, &cue);
    }
    if (closeBoxes_) closeBoxes_rects_[static_cast<size_t>(i)] = TabCloseBox(ToImageRect(item));
  }
}

void TSkinTab::PaintControl(HDC dc, const RECT& rect) {
  if (face_.empty() && border_.empty()) return;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  FrameBuffer* buffer = Buffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  ui::SaveDCGuard saved(b);
  const ImageRect whole{0, 0, W, H};
  RECT display{0, 0, W, H};
  SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const ImageRect pane = TabPane(ToImageRect(display), side_);
  const ImageRect strip = TabStrip(whole, pane, side_);
  // The strip's background is the parent's colour (painting the parent itself would cost a
  // whole paint of the form per tab paint).
  const RECT all{0, 0, W, H};
  if (control_ && control_->Parent()) {
    SetDCBrushColor(b, ui::ColorToRGB(control_->Parent()->Color()));
    FillRect(b, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  } else {
    FillFace(b, all);
  }

  if (!face_.empty() && !strip.empty()) {
    int dw = 0, dh = 0;
    DrawnStripSize(strip.width(), strip.height(), side_, dw, dh);
    if (!TabsAcross(side_)) {
      // Upright already: drawn straight into the buffer (the guard puts the origin back).
      ui::SaveDCGuard origin(b);
      SetViewportOrgEx(b, strip.left, strip.top, nullptr);
      IntersectClipRect(b, 0, 0, dw, dh);
      DrawTabs(b, strip, dw, dh);
    } else if (upright_.Ensure(dw, dh) && turned_.Ensure(dh, dw)) {
      // The tabs are drawn upright on the face colour, and every pixel that is not the face
      // is turned onto the strip's own background.
      const int uw = upright_.width(), tw = turned_.width();
      uint32_t* up = upright_.bits();
      uint32_t* tu = turned_.bits();
      FillFace(upright_.dc(), RECT{0, 0, dw, dh});
      DrawTabs(upright_.dc(), strip, dw, dh);
      GdiFlush();
      BitBlt(turned_.dc(), 0, 0, dh, dw, b, strip.left, strip.top, SRCCOPY);
      GdiFlush();
      const COLORREF face = static_cast<COLORREF>(skin_->GetRGB(ciButtonFace));
      const uint32_t faceBits = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
      for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x) {
          const uint32_t p = up[static_cast<size_t>(y) * uw + x] & 0xFFFFFF;
          if (p == faceBits) continue;
          const int X = side_ == TabSide::Left ? y : dh - 1 - y;
          const int Y = side_ == TabSide::Left ? dw - 1 - x : x;
          tu[static_cast<size_t>(Y) * tw + X] = p;
        }
      BitBlt(b, strip.left, strip.top, dh, dw, turned_.dc(), 0, 0, SRCCOPY);
    }
  }
  if (!border_.empty()) {
    try {
      NineSlice(b, pane, border_, borderMargins_, false, false, 1, 1);
    } catch (...) {
    }
  }
  if (closeBoxes_) {
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    for (const ImageRect& box : closeBoxes_rects_)
      if (!box.empty()) DrawCloseBox(b, box, ink);
  }
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
  if (Mode == 2)
    if (auto* windowed = dynamic_cast<ui::TWinControl*>(control_))
      windowed->PaintControls(dc, nullptr);
}

// ---- The old tab set
// -----------------------------------------------------------------------------

void TSkinTab31::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  Prepare();
  FindScroller();
}

void TSkinTab31::AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) {
  TSkinControl::AttachHandle(wnd, skin, form);
  Prepare();
  FindScroller();
}

// The tab set's first child, when it is its scroll control, gets an up-down skinner laid out left
// and right, once.
void TSkinTab31::FindScroller() {
  if (!handle_ || !HasSkinner(SkinnerKind::UpDown)) return;
  if (scroller_ && IsWindow(scroller_) && GetParent(scroller_) == handle_) return;
  scroller_ = nullptr;
  HWND child = GetWindow(handle_, GW_CHILD);
  if (!child) return;
  const std::string cls = WindowClassNameOf(child);
  if (!IsSpinClass(cls) && ui::AsciiLower(cls).find("scroller") == std::string::npos) return;
  scroller_ = child;
  TSkinUpDown* upDown = nullptr;
  if (SendMessageW(child, SM_ISSKINNED, 0, 0) == 1) {
    // Skinned already (as any up-down): it takes the tab set's layout.
    upDown = form_ ? dynamic_cast<TSkinUpDown*>(form_->FindSkinnerByWindow(child)) : nullptr;
  } else if ((upDown = dynamic_cast<TSkinUpDown*>(CreateSkinner(SkinnerKind::UpDown, nullptr)))) {
    upDown->AttachHandle(child, skin_, form_);
  }
  if (upDown) upDown->SetHorizontal(1);
}

void TSkinTab31::SkinChanged() {
  Prepare();
  TSkinControl::SkinChanged();
}

void TSkinTab31::Prepare() {
  face_ = {};
  if (TDataSkinObject* tabs = skin_ ? skin_->FindElement("Tabs") : nullptr)
    if (form_)  // the tab set's tabs hang downwards
      face_ = Oriented(*form_, tabs->Bitmap.get(), tabs->Bitmap2x.get(), std::max(tabs->Frame, 1),
                       true, 0);
}

bool TSkinTab31::BeforeMessage(ui::TMessage& message) {
  if (!face_.empty()) {
    if (message.Msg == WM_PAINT) {
      FindScroller();  // the scroll control comes with the first tab that does not fit
      PaintMessage(message);
      return false;
    }
    if (message.Msg == WM_ERASEBKGND) {
      message.Result = 1;
      return false;
    }
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinTab31::PaintControl(HDC dc, const RECT& rect) {
  auto* set = dynamic_cast<ui::TTabSet*>(ui::TWinControl::FindControl(handle_));
  if (!set || face_.empty()) return;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  FrameBuffer* buffer = Buffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  ui::SaveDCGuard saved(b);
  FillFace(b, RECT{0, 0, W, H});
  SelectObject(b, set->Font()->Handle());
  SetBkMode(b, TRANSPARENT);
  const TDataSkinObject* tabs = skin_->FindElement("Tabs");
  const int frames = std::max(tabs->Frame, 1);
  const RECT faceMargins = ToRECT(ScaledMargins(*tabs, frames));
  const int pad = Scaled(9), scrollRoom = Scaled(21);
  const bool scrolling = scroller_ && IsWindow(scroller_) && IsWindowVisible(scroller_);
  int x = set->StartMargin();
  for (int i = std::max(set->FirstIndex(), 0); i < set->Tabs()->Count(); ++i) {
    const std::wstring text = set->Tabs()->Get(i);
    SIZE size{};
    GetTextExtentPoint32W(b, text.c_str(), static_cast<int>(text.size()), &size);
    // A shown scroll control keeps room for itself after the last whole tab.
    if (x + size.cx + (scrolling ? scrollRoom : pad) > W - set->EndMargin()) break;
    const ImageRect t{x, 0, x + size.cx + pad, H - 1};
    const bool selected = i == set->TabIndex();
    NineSlice(b, t, face_, faceMargins, tabs->Tile == 1, tabs->Trans == 1, frames,
              ClampFrame(selected ? 2 : 1, frames));
    SetTextColor(b, static_cast<COLORREF>(selected ? tabs->MouseOverColour2 : tabs->NormalColour2));
    RECT r = ToRECT(t);
    SkinDrawText(b, text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    x = t.right;
  }
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
}

}  // namespace skin
