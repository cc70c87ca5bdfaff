#include "skin/controls/SkinPageFills.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/PageGeometry.h"
#include "skin/controls/SkinnerRegistry.h"
#include "ui/Bitmaps.h"
#include "ui/TypInfo.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinTabSheet, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinBoxH, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinSizer, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinTabBtn, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinAdvPage, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinObjImage, TSkinControl)

// ---- Plain fills
// ----------------------------------------------------------------------------------

bool TSkinTabSheet::BeforeMessage(ui::TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (Mode != 0) return true;
  switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(handle_, &client);
      FillFace(reinterpret_cast<HDC>(message.WParam), client);
      message.Result = 1;
      return false;
    }
    default:
      return true;
  }
}

void TSkinTabSheet::PaintControl(HDC dc, const RECT& rect) {
  FillFace(dc, rect);
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control_))
    windowed->PaintControls(dc, nullptr);
}

bool TSkinBoxH::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: {
      RECT r{};
      GetWindowRect(handle_, &r);
      OffsetRect(&r, -r.left, -r.top);
      FillFace(reinterpret_cast<HDC>(message.WParam), r);
      message.Result = 0;
      return false;
    }
    case WM_CTLCOLORSTATIC:
      CallPrevious(message);
      if (skin_ && skin_->ButtonFaceBrush())
        message.Result = reinterpret_cast<LRESULT>(skin_->ButtonFaceBrush());
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinSizer::PaintControl(HDC dc, const RECT& rect) { FillFace(dc, rect); }

// ---- Tab controls as a row of buttons
// -------------------------------------------------------------

bool TSkinTabBtn::BeforeMessage(ui::TMessage& message) {
  if (message.Msg == WM_PAINT) {
    PaintMessage(message);
    return false;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinTabBtn::PaintControl(HDC dc, const RECT& rect) {
  TDataSkinButton* buttons = skin_ ? skin_->Buttons() : nullptr;
  if (!buttons || buttons->Empty()) return;
  enabled_ = control_ ? control_->Enabled() : IsWindowEnabled(handle_) != FALSE;
  RECT page = rect;
  SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  InflateRect(&page, 4, 4);
  const RECT strip{rect.left, rect.top, rect.right, page.top + 1};
  const int W = strip.right - strip.left, H = strip.bottom - strip.top;
  if (W <= 0 || H <= 0) return;
  FrameBuffer* buffer = Buffer(W, H);
  if (!buffer) return;
  const HDC b = buffer->dc();
  ui::SaveDCGuard saved(b);
  FillFace(b, RECT{0, 0, W, H});
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0)))
    SelectObject(b, font);
  SetTextColor(b, RGB(0, 0, 0));
  SetBkMode(b, TRANSPARENT);
  const int n = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  const int focused = static_cast<int>(SendMessageW(handle_, TCM_GETCURFOCUS, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, TCM_GETIMAGELIST, 0, 0));
  for (int i = 0; i < n; ++i) {
    RECT r{};
    if (!SendMessageW(handle_, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&r)))
      continue;
    OffsetRect(&r, -strip.left, 1 - strip.top);
    PaintTab(b, i, r, i == focused ? 2 : 1, images);
  }
  BitBlt(dc, strip.left, strip.top, W, H, b, 0, 0, SRCCOPY);
}

void TSkinTabBtn::PaintTab(HDC dc, int index, RECT r, int frame, HIMAGELIST images) {
  TDataSkinButton& buttons = *skin_->Buttons();
  wchar_t text[81] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
  item.pszText = text;
  item.cchTextMax = 80;
  SendMessageW(handle_, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  DrawSkinState(dc, r, std::max(buttons.Frame, 1), frame, buttons);
  if (frame == 1 && buttons.NormalColour2Given)
    SetTextColor(dc, static_cast<COLORREF>(buttons.NormalColour2));
  if (frame == 2 && buttons.PressedColour2Given)
    SetTextColor(dc, static_cast<COLORREF>(buttons.PressedColour2));
  // Image and text centred together in the tab.
  int cx = 0, cy = 0;
  if (images && item.iImage >= 0) ImageList_GetIconSize(images, &cx, &cy);
  const std::wstring caption(text);
  RECT measure{0, 0, 0, 0};
  if (!caption.empty()) SkinDrawText(dc, caption, measure, DT_SINGLELINE | DT_CALCRECT);
  const int gap = cx > 0 && !caption.empty() ? 2 : 0;
  const int x = r.left + (r.right - r.left - cx - gap - measure.right) / 2;
  if (cx > 0)
    ImageList_Draw(images, item.iImage, dc, x, r.top + (r.bottom - r.top - cy) / 2,
                   ILD_TRANSPARENT);
  RECT textRect{x + cx + gap, r.top, r.right, r.bottom};
  if (!caption.empty())
    SkinDrawText(dc, caption, textRect, AddReadingOrder(DT_SINGLELINE | DT_VCENTER));
}

// ---- Page controls with tab backgrounds
// -----------------------------------------------------------

void TSkinAdvPage::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  AssignTabBackgrounds();
}

void TSkinAdvPage::SkinChanged() {
  AssignTabBackgrounds();
  TSkinControl::SkinChanged();
}

void TSkinAdvPage::AssignTabBackgrounds() {
  TDataSkinObject* tabs = skin_ ? skin_->FindElement("Tabs") : nullptr;
  if (Mode != 4 || !tabs || tabs->Empty() || !control_) return;
  const PixelBuffer source = PixelsOf(*tabs->Bitmap);
  const ImageRect margins{tabs->Margins.left, tabs->Margins.top, tabs->Margins.right,
                          tabs->Margins.bottom};
  const char* names[] = {"TabBackGround", "TabBackGroundActive"};
  for (int frame = 1; frame <= 2; ++frame)
    if (auto* target = ui::GetObjectProperty<ui::TBitmap>(control_, names[frame - 1]))
      AssignPixels(*target, RenderNineSlice(source, 100, 21, margins, false, tabs->Tile == 1,
                                            tabs->Frame, frame));
}

void TSkinAdvPage::Detach() {
  for (const char* name : {"TabBackGround", "TabBackGroundActive"})
    if (auto* target = ui::GetObjectProperty<ui::TBitmap>(control_, name))
      AssignPixels(*target, PixelBuffer());
  TSkinControl::Detach();
}

void TSkinAdvPage::PaintControl(HDC, const RECT&) {
  // The control's own spin buttons (shown when its tabs overflow) wear the skin too.
  if (upDown_ || !control_ || !HasSkinner(SkinnerKind::UpDown)) return;
  HWND spin = FindWindowExW(handle_, nullptr, UPDOWN_CLASSW, nullptr);
  if (!spin) return;
  upDown_ = CreateSkinner(SkinnerKind::UpDown, control_);
  upDown_->AttachHandle(spin, skin_, form_);
}

// ---- Glyph strips of other libraries' check and radio controls
// ------------------------------------

void TSkinObjImage::Attach(IControlSkinnerHost* form, TSkinData* skin, bool) {
  // Listed with the form skinner, but the control's messages stay its own.
  if (form_) return;
  form_ = form;
  skin_ = skin;
  control_ = dynamic_cast<ui::TControl*>(Owner());
  if (form_) form_->AddControl(this);
  AssignGlyphs();
}

void TSkinObjImage::SkinChanged() { AssignGlyphs(); }

void TSkinObjImage::AssignGlyphs() {
  TDataSkinButton* buttons = skin_ ? skin_->Buttons() : nullptr;
  if (!buttons || !control_) return;
  ui::TBitmap& glyphs = Mode == 2 ? *buttons->RadioButton : *buttons->CheckButton;
  const int frames = std::max(Mode == 2 ? buttons->RadioButtonFrame : buttons->CheckButtonFrame, 1);
  const GlyphStripMap map = ObjImageStrip(Mode, frames);
  if (map.frames == 0 || glyphs.Empty()) return;
  const PixelBuffer source = PixelsOf(glyphs);
  const int fw = source.width() / frames, fh = source.height();
  if (fw <= 0) return;
  PixelBuffer strip(fw * map.frames, fh, 24, kMagenta);
  for (const auto& [to, from] : map.copies)
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x)
        strip.Set((to - 1) * fw + x, y, source.Get((from - 1) * fw + x, y));

  if (Mode == 3) {
    ui::TObject* properties = ui::GetObjectProperty<ui::TObject>(control_, "Properties");
    if (auto* glyph = ui::GetObjectProperty<ui::TBitmap>(properties, "Glyph")) {
      AssignPixels(*glyph, strip);
      glyph->SetTransparentColor(static_cast<ui::TColor>(kMagenta));
      glyph->SetTransparent(false);
    }
    return;
  }
  auto* target = ui::GetObjectProperty<ui::TBitmap>(control_, "CustomGlyphs");
  if (!target) return;
  AssignPixels(*target, strip);
  ui::SetPropertyText(control_, "transparentcolor", L"16711935");
  // Switched off and on again, so that the control loads the new strip.
  ui::SetPropertyText(control_, "UseCustomGlyphs", L"false");
  ui::SetPropertyText(control_, "UseCustomGlyphs", L"true");
}

void TSkinObjImage::Detach() {
  if (control_ && (Mode == 1 || Mode == 2))
    ui::SetPropertyText(control_, "UseCustomGlyphs", L"false");
  if (control_ && Mode == 3) {
    ui::TObject* properties = ui::GetObjectProperty<ui::TObject>(control_, "Properties");
    if (auto* glyph = ui::GetObjectProperty<ui::TBitmap>(properties, "Glyph"))
      AssignPixels(*glyph, PixelBuffer());
  }
  TSkinControl::Detach();
}

}  // namespace skin
