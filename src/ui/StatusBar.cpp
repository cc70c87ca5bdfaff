#include "ui/StatusBar.h"

#include <commctrl.h>

#include "ui/TypInfo.h"

namespace ui {

const TEnumInfo& StatusPanelBevelInfo() {
  static const TEnumInfo info{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};
  return info;
}

UI_IMPLEMENT_CLASS(TStatusPanel, TObject)
UI_IMPLEMENT_CLASS(TStatusBar, TWinControl,
                   P::Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel),
                   P::Str("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText),
                   P::Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip))

#define UI_PANEL_SETTER(Name, field, Type)   \
  void TStatusPanel::Set##Name(Type value) { \
    if (value == field) return;              \
    field = value;                           \
    bar_->UpdatePanels();                    \
  }
UI_PANEL_SETTER(Text, text_, const std::wstring&)
UI_PANEL_SETTER(Width, width_, int)
UI_PANEL_SETTER(Bevel, bevel_, TStatusPanelBevel)
UI_PANEL_SETTER(Alignment, alignment_, TAlignment)
UI_PANEL_SETTER(Style, style_, TStatusPanelStyle)
#undef UI_PANEL_SETTER

int TStatusPanel::Index() const {
  for (int i = 0; i < bar_->PanelCount(); ++i)
    if (bar_->Panel(i) == this) return i;
  return -1;
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
  UpdateBoundsFields(0, 0, 200, 19);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, STATUSCLASSNAMEW);
  // The bar stays where it is put: the framework lays out its controls itself.
  p.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  if (sizeGrip_) p.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  UpdatePanels();
}

TStatusPanel* TStatusBar::Panel(int index) const {
  if (index < 0 || index >= PanelCount()) return nullptr;
  return panels_[static_cast<size_t>(index)].get();
}

TStatusPanel* TStatusBar::AddPanel(const std::wstring& text, int width) {
  panels_.push_back(std::make_unique<TStatusPanel>(this));
  TStatusPanel* p = panels_.back().get();
  p->SetText(text);
  p->SetWidth(width);
  UpdatePanels();
  return p;
}

void TStatusBar::DeletePanel(int index) {
  if (index < 0 || index >= PanelCount()) return;
  panels_.erase(panels_.begin() + index);
  UpdatePanels();
}

void TStatusBar::ClearPanels() {
  panels_.clear();
  UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool on) {
  if (on == simplePanel_) return;
  simplePanel_ = on;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::wstring& text) {
  simpleText_ = text;
  UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool on) {
  if (on == sizeGrip_) return;
  sizeGrip_ = on;
  if (HandleAllocated()) RecreateWnd();
}

void TStatusBar::DrawPanel(TStatusPanel* panel, HDC dc, const RECT& rect) {
  if (!panel || panel->Style() != TStatusPanelStyle::psOwnerDraw || !OnDrawPanel) return;
  OnDrawPanel(this, panel, dc, rect);
}

void TStatusBar::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM && InReflection()) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    if (item && item->hwndItem == Handle()) {
      DrawPanel(Panel(static_cast<int>(item->itemID)), item->hDC, item->rcItem);
      m.Result = TRUE;
      return;
    }
  }
  TWinControl::WndProc(m);
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  const bool simple = simplePanel_ || panels_.empty();
  SendMessageW(wnd, SB_SIMPLE, simple ? TRUE : FALSE, 0);
  if (simple) {
    SendMessageW(wnd, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
  } else {
    std::vector<int> rights;
    int right = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
      right += panels_[i]->Width();
      rights.push_back(i + 1 == panels_.size() ? -1 : right);
    }
    SendMessageW(wnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (size_t i = 0; i < panels_.size(); ++i) {
      const TStatusPanel& p = *panels_[i];
      WPARAM how = i;
      if (p.Bevel() == TStatusPanelBevel::pbNone) how |= SBT_NOBORDERS;
      if (p.Bevel() == TStatusPanelBevel::pbRaised) how |= SBT_POPOUT;
      if (p.Style() == TStatusPanelStyle::psOwnerDraw) {
        // The system asks the parent to draw it (WM_DRAWITEM, reflected back to the bar).
        SendMessageW(wnd, SB_SETTEXTW, how | SBT_OWNERDRAW, static_cast<LPARAM>(i));
        continue;
      }
      std::wstring text = p.Text();
      if (p.Alignment() == TAlignment::taCenter) text = L"\t" + text;
      if (p.Alignment() == TAlignment::taRightJustify) text = L"\t\t" + text;
      SendMessageW(wnd, SB_SETTEXTW, how, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
  Invalidate();
}

}  // namespace ui
