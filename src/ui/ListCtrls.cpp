#include "ui/ListCtrls.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "ui/TypInfo.h"

namespace ui {

const TEnumInfo& ScrollStyleInfo() {
  static const TEnumInfo info{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
  return info;
}

const TEnumInfo& ScrollBarKindInfo() {
  static const TEnumInfo info{"TScrollBarKind", {"sbHorizontal", "sbVertical"}};
  return info;
}

// ---- TEdgedControl ----------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TEdgedControl, TWinControl,
                   P::Enum("BorderStyle", BorderStyleInfo(), &TEdgedControl::BorderStyle,
                           &TEdgedControl::SetBorderStyle))

void TEdgedControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  if (borderStyle_ == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdgedControl::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

// ---- TListBox ---------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TListBoxStrings, TStringList)

void TListBoxStrings::Put(int index, const std::wstring& s) {
  TStringList::Put(index, s);
  if (!owner_->HandleAllocated()) return;
  SendMessageW(owner_->Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(owner_->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(s.c_str()));
}

void TListBoxStrings::Insert(int index, const std::wstring& s) {
  TStringList::Insert(index, s);
  if (owner_->HandleAllocated())
    SendMessageW(owner_->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(s.c_str()));
}

void TListBoxStrings::Delete(int index) {
  TStringList::Delete(index);
  if (owner_->HandleAllocated())
    SendMessageW(owner_->Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TListBoxStrings::Clear() {
  TStringList::Clear();
  if (owner_->HandleAllocated()) SendMessageW(owner_->Handle(), LB_RESETCONTENT, 0, 0);
}

void TListBoxStrings::PushToWindow() {
  const HWND wnd = owner_->Handle();
  SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
  SendMessageW(wnd, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < Count(); ++i)
    SendMessageW(wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Get(i).c_str()));
  SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
}

UI_IMPLEMENT_CLASS(TListBox, TEdgedControl,
                   P::Int("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex))

TListBox::TListBox(TComponent* AOwner)
    : TEdgedControl(AOwner), items_(std::make_unique<TListBoxStrings>(this)) {
  SetTabStop(true);
  UpdateBoundsFields(0, 0, 121, 97);
}

void TListBox::CreateParams(TCreateParams& p) {
  TEdgedControl::CreateParams(p);
  CreateSubClass(p, L"LISTBOX");
  p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
}

void TListBox::CreateHandleDone() {
  items_->PushToWindow();
  if (itemIndex_ >= 0) SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

int TListBox::ItemIndex() {
  if (HandleAllocated()) itemIndex_ = static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TListBox::SetItemIndex(int index) {
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TListBox::WndProc(TMessage& m) {
  if (m.Msg == WM_DESTROY && HandleAllocated()) ItemIndex();  // survives re-creation
  TEdgedControl::WndProc(m);
}

// ---- TMemo and TRichEdit ----------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TMemo, TCustomEdit,
                   P::Enum("ScrollBars", ScrollStyleInfo(), &TMemo::ScrollBars,
                           &TMemo::SetScrollBars),
                   P::Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap))

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner) { UpdateBoundsFields(0, 0, 185, 89); }

void TMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  // Wrapped lines never need a horizontal bar; without wrapping they scroll sideways.
  if (wordWrap_ && scrollBars_ != TScrollStyle::ssHorizontal && scrollBars_ != TScrollStyle::ssBoth)
    p.Style &= ~ES_AUTOHSCROLL;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
    p.Style |= WS_HSCROLL;
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth)
    p.Style |= WS_VSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool on) {
  if (on == wordWrap_) return;
  wordWrap_ = on;
  RecreateWnd();
}

void TMemo::SetLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += L"\r\n";
    text += lines[i];
  }
  SetText(text);
}

UI_IMPLEMENT_CLASS(TRichEdit, TMemo)

TRichEdit::TRichEdit(TComponent* AOwner) : TMemo(AOwner) {}

void TRichEdit::CreateParams(TCreateParams& p) {
  static const bool loaded = LoadLibraryW(L"riched20.dll") != nullptr;
  (void)loaded;
  TMemo::CreateParams(p);
  CreateSubClass(p, RICHEDIT_CLASSW);
}

// ---- TScrollBar -------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TScrollBar, TWinControl,
                   P::Enum("Kind", ScrollBarKindInfo(), &TScrollBar::Kind, &TScrollBar::SetKind),
                   P::Int("Min", &TScrollBar::Min, &TScrollBar::SetMin),
                   P::Int("Max", &TScrollBar::Max, &TScrollBar::SetMax),
                   P::Int("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize),
                   P::Int("Position", &TScrollBar::Position, &TScrollBar::SetPosition))

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  UpdateBoundsFields(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"SCROLLBAR");
  p.Style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateHandleDone() { Push(); }

void TScrollBar::Push() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = min_;
  si.nMax = max_;
  si.nPage = static_cast<UINT>(std::max(page_, 0));
  si.nPos = position_;
  SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  if (HandleAllocated()) {
    Position();
    RecreateWnd();
  }
}

int TScrollBar::Position() {
  if (HandleAllocated()) position_ = GetScrollPos(Handle(), SB_CTL);
  return position_;
}

void TScrollBar::SetParams(int position, int min, int max) {
  min_ = min;
  max_ = std::max(max, min);
  const int last = page_ > 0 ? max_ - page_ + 1 : max_;
  position_ = std::clamp(position, min_, std::max(last, min_));
  Push();
}

void TScrollBar::SetMin(int v) { SetParams(Position(), v, max_); }
void TScrollBar::SetMax(int v) { SetParams(Position(), min_, v); }
void TScrollBar::SetPageSize(int v) {
  page_ = std::max(v, 0);
  SetParams(Position(), min_, max_);
}
void TScrollBar::SetPosition(int v) {
  const int before = Position();
  SetParams(v, min_, max_);
  if (position_ != before && OnChange) OnChange(this);
}

void TScrollBar::WndProc(TMessage& m) {
  if ((m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) && InReflection()) {
    const int page = std::max(page_, 1);
    int pos = Position();
    switch (LOWORD(m.WParam)) {
      case SB_LINEUP:
        --pos;
        break;
      case SB_LINEDOWN:
        ++pos;
        break;
      case SB_PAGEUP:
        pos -= page;
        break;
      case SB_PAGEDOWN:
        pos += page;
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(Handle(), SB_CTL, &si)) pos = si.nTrackPos;
        break;
      }
      case SB_TOP:
        pos = min_;
        break;
      case SB_BOTTOM:
        pos = max_;
        break;
      default:
        return;
    }
    SetPosition(pos);
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TListView --------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TListView, TEdgedControl)

TListView::TListView(TComponent* AOwner) : TEdgedControl(AOwner) {
  SetTabStop(true);
  UpdateBoundsFields(0, 0, 250, 150);
}

void TListView::CreateParams(TCreateParams& p) {
  TEdgedControl::CreateParams(p);
  CreateSubClass(p, WC_LISTVIEWW);
  p.Style |= LVS_REPORT | LVS_SHOWSELALWAYS;
}

void TListView::CreateHandleDone() {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = columnWidth_;
  column.pszText = column_.data();
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  for (int i = 0; i < ItemCount(); ++i) InsertWindowItem(i);
}

void TListView::InsertWindowItem(int index) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = items_[static_cast<size_t>(index)].data();
  SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TListView::AddItem(const std::wstring& caption) {
  items_.push_back(caption);
  if (HandleAllocated()) InsertWindowItem(ItemCount() - 1);
}

void TListView::SetColumnCaption(const std::wstring& caption) {
  column_ = caption;
  RecreateWnd();
}

// ---- TTreeView --------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TTreeView, TEdgedControl)

TTreeView::TTreeView(TComponent* AOwner) : TEdgedControl(AOwner) {
  SetTabStop(true);
  UpdateBoundsFields(0, 0, 121, 97);
}

void TTreeView::CreateParams(TCreateParams& p) {
  TEdgedControl::CreateParams(p);
  CreateSubClass(p, WC_TREEVIEWW);
  p.Style |= TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
}

void TTreeView::CreateHandleDone() { InsertWindowNodes(); }

void TTreeView::InsertWindowNodes() {
  const HWND wnd = Handle();
  SendMessageW(wnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  std::vector<HTREEITEM> made(nodes_.size(), nullptr);
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const Node& n = nodes_[i];
    TVINSERTSTRUCTW ins{};
    ins.hParent = n.parent < 0 ? TVI_ROOT : made[static_cast<size_t>(n.parent)];
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    std::wstring text = n.text;
    ins.item.pszText = text.data();
    made[i] = reinterpret_cast<HTREEITEM>(
        SendMessageW(wnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  }
  if (expanded_)
    for (size_t i = 0; i < nodes_.size(); ++i)
      if (nodes_[i].parent < 0 && made[i])
        SendMessageW(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(made[i]));
}

int TTreeView::AddNode(int parent, const std::wstring& text) {
  if (parent >= static_cast<int>(nodes_.size()) ||
      (parent >= 0 && nodes_[static_cast<size_t>(parent)].parent >= 0))
    parent = -1;  // one level of children only
  nodes_.push_back({parent, text});
  if (HandleAllocated()) InsertWindowNodes();
  return static_cast<int>(nodes_.size()) - 1;
}

void TTreeView::ExpandAll() {
  expanded_ = true;
  if (HandleAllocated()) InsertWindowNodes();
}

}  // namespace ui
