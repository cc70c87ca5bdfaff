#include "ui/TabCtrls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/TypInfo.h"

namespace ui {

const TEnumInfo& TabPositionInfo() {
  static const TEnumInfo info{"TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}};
  return info;
}

UI_IMPLEMENT_CLASS(
    TCustomTabControl, TWinControl,
    P::Enum("TabPosition", TabPositionInfo(), &TCustomTabControl::TabPosition,
            &TCustomTabControl::SetTabPosition),
    P::Bool("MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine),
    P::Int("TabIndex", &TCustomTabControl::TabIndex, &TCustomTabControl::SetTabIndex),
    P::Obj<TCustomImageList>("Images", &TCustomTabControl::Images, &TCustomTabControl::SetImages))
UI_IMPLEMENT_CLASS(TTabControl, TCustomTabControl)
UI_IMPLEMENT_CLASS(TTabSheet, TWinControl,
                   P::Str("Caption", &TTabSheet::GetCaption, &TTabSheet::SetCaptionProp))
UI_IMPLEMENT_CLASS(TPageControl, TCustomTabControl)
UI_IMPLEMENT_CLASS(TTabSet, TCustomControl,
                   P::Int("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex),
                   P::Int("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex),
                   P::Int("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin),
                   P::Int("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin))

// ---- TCustomTabControl ------------------------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
  UpdateBoundsFields(0, 0, 289, 193);
  SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, WC_TABCONTROLW);
  p.Style |= WS_CLIPCHILDREN;
  switch (position_) {
    case TTabPosition::tpBottom:
      p.Style |= TCS_BOTTOM;
      break;
    case TTabPosition::tpLeft:
      p.Style |= TCS_VERTICAL | TCS_MULTILINE;
      break;
    case TTabPosition::tpRight:
      p.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
      break;
    default:
      break;
  }
  if (multiLine_) p.Style |= TCS_MULTILINE;
}

void TCustomTabControl::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  if (images_)
    SendMessageW(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
  RebuildTabs();
}

void TCustomTabControl::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TCM_SETIMAGELIST, 0,
               reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
  RebuildTabs();
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    if (HandleAllocated()) SendMessageW(Handle(), TCM_SETIMAGELIST, 0, 0);
    Invalidate();
  }
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
  if (position == position_) return;
  position_ = position;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool on) {
  if (on == multiLine_) return;
  multiLine_ = on;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomTabControl::TabIndex() const {
  auto* self = const_cast<TCustomTabControl*>(this);
  if (!self->HandleAllocated()) return pendingIndex_;
  return static_cast<int>(SendMessageW(self->Handle(), TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SetTabIndex(int index) {
  pendingIndex_ = index;
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  Change();
}

int TCustomTabControl::TabCount() const {
  auto* self = const_cast<TCustomTabControl*>(this);
  if (!self->HandleAllocated()) return static_cast<int>(TabCaptions().size());
  return static_cast<int>(SendMessageW(self->Handle(), TCM_GETITEMCOUNT, 0, 0));
}

RECT TCustomTabControl::DisplayRect() {
  RECT r = ClientRect();
  if (HandleAllocated())
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomTabControl::RebuildTabs() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  const int keep = TabIndex() >= 0 ? TabIndex() : pendingIndex_;
  SendMessageW(wnd, TCM_DELETEALLITEMS, 0, 0);
  const std::vector<std::wstring> captions = TabCaptions();
  for (size_t i = 0; i < captions.size(); ++i) {
    std::wstring text = captions[i];
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = images_ ? static_cast<int>(i) : -1;
    SendMessageW(wnd, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (!captions.empty())
    SendMessageW(wnd, TCM_SETCURSEL,
                 static_cast<WPARAM>(std::clamp(keep, 0, static_cast<int>(captions.size()) - 1)),
                 0);
  Invalidate();
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY && InReflection()) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (header && header->hwndFrom == Handle() &&
        header->code == static_cast<UINT>(TCN_SELCHANGE)) {
      pendingIndex_ = TabIndex();
      Change();
      return;
    }
  }
  TWinControl::WndProc(m);
}

// ---- TTabControl ------------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* AOwner)
    : TCustomTabControl(AOwner), tabs_(std::make_unique<TStringList>()) {
  tabs_->OnChange = MethodOf<&TTabControl::TabsChanged>(this);
}

TTabControl::~TTabControl() { tabs_->OnChange = {}; }

void TTabControl::TabsChanged(TObject*) { RebuildTabs(); }

std::vector<std::wstring> TTabControl::TabCaptions() const {
  std::vector<std::wstring> out;
  for (int i = 0; i < tabs_->Count(); ++i) out.push_back(tabs_->Get(i));
  return out;
}

// ---- TTabSheet / TPageControl -----------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ |= csAcceptsControls;
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
  if (control == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  if (control) control->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  for (int i = 0; i < pageControl_->PageCount(); ++i)
    if (pageControl_->Pages(i) == this) return i;
  return -1;
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (pageControl_) pageControl_->RebuildTabs();
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl() {
  // The sheets may outlive us (their owner is another component): they forget us.
  for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
  pages_.clear();
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)];
}

TTabSheet* TPageControl::ActivePage() const { return Pages(TabIndex()); }

void TPageControl::SetActivePage(TTabSheet* page) {
  for (int i = 0; i < PageCount(); ++i)
    if (pages_[static_cast<size_t>(i)] == page) SetTabIndex(i);
}

std::vector<std::wstring> TPageControl::TabCaptions() const {
  std::vector<std::wstring> out;
  for (TTabSheet* page : pages_) out.push_back(page->Caption());
  return out;
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  page->pageControl_ = this;
  page->SetParent(this);
  RebuildTabs();
  ShowActivePage();
}

void TPageControl::RemovePage(TTabSheet* page) {
  const auto at = std::find(pages_.begin(), pages_.end(), page);
  if (at == pages_.end()) return;
  pages_.erase(at);
  page->pageControl_ = nullptr;
  if (HasState(csDestroying)) return;
  RebuildTabs();
  ShowActivePage();
}

void TPageControl::CreateHandleDone() {
  TCustomTabControl::CreateHandleDone();
  ShowActivePage();
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
  TCustomTabControl::SetBounds(left, top, width, height);
  ShowActivePage();
}

void TPageControl::ApplyDesignScale() {
  TCustomTabControl::ApplyDesignScale();
  // The sheets fill the display area at the new size; they are laid out, not designed.
  ShowActivePage();
}

void TPageControl::Change() {
  ShowActivePage();
  TCustomTabControl::Change();
}

void TPageControl::ShowActivePage() {
  if (!HandleAllocated()) return;
  const RECT r = DisplayRect();
  TTabSheet* active = ActivePage();
  for (TTabSheet* page : pages_) {
    if (page == active) page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    page->SetVisible(page == active);
  }
}

// ---- TTabSet ----------------------------------------------------------------------------------

TTabSet::TTabSet(TComponent* AOwner)
    : TCustomControl(AOwner), tabs_(std::make_unique<TStringList>()) {
  UpdateBoundsFields(0, 0, 185, 21);
  tabs_->OnChange = MethodOf<&TTabSet::TabsChanged>(this);
}

TTabSet::~TTabSet() { tabs_->OnChange = {}; }

void TTabSet::TabsChanged(TObject*) {
  if (tabIndex_ >= tabs_->Count()) tabIndex_ = tabs_->Count() - 1;
  if (tabIndex_ < 0 && tabs_->Count() > 0) tabIndex_ = 0;
  Invalidate();
}

void TTabSet::SetTabIndex(int index) {
  index = std::clamp(index, -1, tabs_->Count() - 1);
  if (index == tabIndex_) return;
  tabIndex_ = index;
  Invalidate();
  if (OnChange) OnChange(this);
}

void TTabSet::SetFirstIndex(int index) {
  firstIndex_ = std::clamp(index, 0, std::max(tabs_->Count() - 1, 0));
  Invalidate();
}

void TTabSet::SetStartMargin(int margin) {
  startMargin_ = margin;
  Invalidate();
}

void TTabSet::SetEndMargin(int margin) {
  endMargin_ = margin;
  Invalidate();
}

std::vector<TTabSet::Placed> TTabSet::Layout() {
  std::vector<Placed> out;
  WindowDC screen = WindowDC::Client(nullptr);
  const HDC dc = screen.get();
  SelectGuard font(dc, Font()->Handle());
  const RECT client = ClientRect();
  int x = startMargin_;
  for (int i = firstIndex_; i < tabs_->Count(); ++i) {
    const std::wstring text = tabs_->Get(i);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int w = size.cx + 9;
    if (x + w > client.right - endMargin_) break;
    out.push_back({i, RECT{x, 0, x + w, client.bottom - 1}});
    x += w;
  }
  return out;
}

int TTabSet::TabAt(int x, int y) {
  const POINT p{x, y};
  for (const Placed& t : Layout())
    if (PtInRect(&t.rect, p)) return t.index;
  return -1;
}

void TTabSet::Paint() {
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  const RECT client = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  // The line the tabs hang from.
  RECT line{0, 0, client.right, 1};
  FillRect(dc, &line, GetSysColorBrush(COLOR_WINDOWFRAME));
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  for (const Placed& t : Layout()) {
    RECT r = t.rect;
    const bool selected = t.index == tabIndex_;
    if (selected) FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &r, selected ? EDGE_RAISED : BDR_RAISEDINNER, BF_LEFT | BF_RIGHT | BF_BOTTOM);
    const std::wstring text = tabs_->Get(t.index);
    DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void TTabSet::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONDOWN) {
    const int hit = TabAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    if (hit >= 0) SetTabIndex(hit);
  }
  TCustomControl::WndProc(m);
}

}  // namespace ui
