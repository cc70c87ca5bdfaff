#include "skin/controls/SkinStatusBar.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/BoxGeometry.h"
#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/CanvasPrimitives.h"
#include "skin/frame/PaintPrimitives.h"
#include "ui/StatusBar.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinStatusBar, TSkinControl)

bool TSkinStatusBar::HasEdges() const {
  return ElementWithImage(skin_, "StatusBarEdges") != nullptr;
}

bool TSkinStatusBar::BeforeMessage(ui::TMessage& message) {
  if (HasEdges()) {
    if (message.Msg == WM_PAINT) {
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

void TSkinStatusBar::DrawEdges(HDC dc, const RECT& r, int kind) const {
  if (const TDataSkinObject* edges = ElementWithImage(skin_, "StatusBarEdges")) {
    DrawSkinState(dc, r, std::max(edges->Frame, 1), ClampFrame(kind, edges->Frame), *edges);
    return;
  }
  if (kind == 3) return;
  RECT e = r;
  DrawEdge(dc, &e, kind == 1 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

void TSkinStatusBar::PaintControl(HDC dc, const RECT& rect) {
  const TDataSkinObject* edges = ElementWithImage(skin_, "StatusBarEdges");
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  FrameBuffer* buffer = edges ? Buffer(W, H) : nullptr;
  if (!buffer) return;
  const HDC b = buffer->dc();
  ui::SaveDCGuard saved(b);
  const RECT local{0, 0, W, H};
  FillFace(b, local);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  if (control_) font = control_->Font()->Handle();
  if (font) SelectObject(b, font);
  SetTextColor(b, static_cast<COLORREF>(edges->NormalColour2));
  SetBkMode(b, TRANSPARENT);
  const bool rtl = GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_LAYOUTRTL;

  auto* bar = dynamic_cast<ui::TStatusBar*>(control_);
  const int parts = static_cast<int>(SendMessageW(handle_, SB_GETPARTS, 0, 0));
  const bool simple = SendMessageW(handle_, SB_ISSIMPLE, 0, 0) || (bar && bar->SimplePanel()) ||
                      (bar ? bar->PanelCount() == 0 : parts <= 0);
  if (simple) {
    DrawEdges(b, local, 1);
    std::wstring text = bar ? bar->SimpleText() : ReadWindowText(handle_);
    if (text.empty()) text = L" ";
    RECT r = local;
    InflateRect(&r, -2, 0);
    SkinDrawText(b, text, r,
                 (rtl ? DT_RIGHT : DT_LEFT) | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
  } else {
    // Panels are read afresh each paint: one freed since the last paint is simply not there.
    const int count = bar ? std::min(bar->PanelCount(), parts) : parts;
    for (int i = 0; i < count; ++i) {
      RECT reported{};
      if (!SendMessageW(handle_, SB_GETRECT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&reported)))
        continue;
      const RECT r = ToRECT(StatusPanelRect(ToImageRect(reported), i == count - 1, local.right));
      int kind = 1;
      std::wstring text;
      UINT align = DT_LEFT;
      bool isText = true;
      if (const ui::TStatusPanel* panel = bar ? bar->Panel(i) : nullptr) {
        if (panel->Bevel() == ui::TStatusPanelBevel::pbRaised) kind = 2;
        if (panel->Bevel() == ui::TStatusPanelBevel::pbNone) kind = 3;
        text = panel->Text();
        if (panel->Alignment() == ui::TAlignment::taRightJustify) align = DT_RIGHT;
        if (panel->Alignment() == ui::TAlignment::taCenter) align = DT_CENTER;
        isText = panel->Style() == ui::TStatusPanelStyle::psText;
      } else {
        wchar_t buffer_[256] = {};
        const LRESULT got = SendMessageW(handle_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0);
        if (LOWORD(got) < 255)
          SendMessageW(handle_, SB_GETTEXTW, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(buffer_));
        text = buffer_;
      }
      if (rtl && align != DT_CENTER) align = align == DT_LEFT ? DT_RIGHT : DT_LEFT;
      DrawEdges(b, r, kind);
      if (!isText) continue;
      if (text.empty()) text = L" ";
      RECT area = r;
      InflateRect(&area, -Scaled(2), 0);
      RECT measure = area;
      SkinDrawText(b, text, measure, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | align);
      const int h = measure.bottom - measure.top;
      RECT at = area;
      at.top = StatusTextTop(H, h);
      at.bottom = at.top + h + Scaled(2);
      SkinDrawText(b, text, at, AddReadingOrder(DT_EXPANDTABS | DT_SINGLELINE | align));
    }
  }
  // The size grip: the fifth of the extra images, in the bottom-right corner.
  const TDataSkinObject* extra = ElementWithImage(skin_, "ExtraImages");
  if ((GetWindowLongPtrW(handle_, GWL_STYLE) & SBARS_SIZEGRIP) && extra) {
    const int frames = std::max(extra->Frame, 1);
    const int fw = Scaled(extra->Bitmap->Width() / frames);
    const ImageRect g =
        StatusGripRect(local.right, local.bottom, fw, Scaled(extra->Bitmap->Height()));
    DrawGlyphFrame(b, ToRECT(g), frames, ClampFrame(5, frames), *extra->Bitmap);
  }
  BitBlt(dc, rect.left, rect.top, W, H, b, 0, 0, SRCCOPY);
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control_))
    windowed->PaintControls(dc, nullptr);
  // Owner-draw panels are drawn by the application, inside the skin's edges.
  if (bar && bar->OnDrawPanel && !simple) {
    // A handler may free panels, the bar or the skinner: each panel is asked for afresh.
    const std::weak_ptr<bool> alive = AliveToken();
    const int count = std::min(bar->PanelCount(), parts);
    for (int i = 0; i < count && !alive.expired() && *alive.lock(); ++i) {
      RECT reported{};
      if (!SendMessageW(handle_, SB_GETRECT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&reported)))
        continue;
      RECT r = ToRECT(StatusPanelRect(ToImageRect(reported), i == count - 1, local.right));
      InflateRect(&r, -2, -2);
      OffsetRect(&r, rect.left, rect.top);
      bar->DrawPanel(bar->Panel(i), dc, r);
    }
  }
}

}  // namespace skin
