#include "ui/StdCtrls.h"

#include <cwctype>

#include "ui/Forms.h"
#include "ui/TypInfo.h"

namespace ui {

bool IsAccel(wchar_t ch, const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return std::towupper(caption[i + 1]) == std::towupper(ch);
  }
  return false;
}

// ---- TLabel -----------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TLabel, TGraphicControl,
                   P::Str("Caption", &TLabel::GetCaption, &TLabel::SetCaption),
                   P::Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize),
                   P::Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent),
                   P::Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap),
                   P::Enum("Alignment", AlignmentInfo(), &TLabel::Alignment, &TLabel::SetAlignment))

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  controlStyle_ = csSetCaption | csClickEvents | csDoubleClicks | csCaptureMouse;
  SetParentColor(true);
  UpdateBoundsFields(0, 0, 65, 17);
}

UINT TLabel::DrawFlags() const {
  UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
  if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
  if (UseRightToLeftReading()) flags |= DT_RTLREADING;
  return flags;
}

void TLabel::Paint() {
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  if (!transparent_) {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  }
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  std::wstring text = Caption();
  HDC dc = c->Handle();
  if (!Enabled()) {
    OffsetRect(&r, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextW(dc, text.c_str(), -1, &r, DrawFlags());
    OffsetRect(&r, -1, -1);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  }
  DrawTextW(dc, text.c_str(), -1, &r, DrawFlags());
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || wordWrap_) return;
  WindowDC screen = WindowDC::Client(nullptr);
  SelectGuard font(screen.get(), Font()->Handle());
  std::wstring text = Caption();
  if (text.empty()) text = L" ";
  RECT r{0, 0, 0, 0};
  DrawTextW(screen.get(), text.c_str(), -1, &r, DrawFlags() | DT_CALCRECT);
  int left = Left();
  if (alignment_ == TAlignment::taRightJustify) left = Left() + Width() - r.right;
  SetBounds(left, Top(), r.right, r.bottom);
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Invalidate();
}

void TLabel::SetTransparent(bool on) {
  transparent_ = on;
  Invalidate();
}

void TLabel::SetWordWrap(bool on) {
  wordWrap_ = on;
  AdjustBounds();
  Invalidate();
}

// ---- TCustomEdit ------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TCustomEdit, TWinControl,
                   P::Str("Text", &TCustomEdit::GetTextProp, &TCustomEdit::SetTextProp),
                   P::Enum("BorderStyle", BorderStyleInfo(), &TCustomEdit::BorderStyle,
                           &TCustomEdit::SetBorderStyle),
                   P::Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
                   P::Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
                   P::Str("ImeName", &TCustomEdit::ImeName, &TCustomEdit::SetImeName))
UI_IMPLEMENT_CLASS(TEdit, TCustomEdit)

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ = csClickEvents | csSetCaption | csDoubleClicks;
  SetTabStop(true);
  UpdateBoundsFields(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"EDIT");
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) p.Style |= ES_READONLY;
  // A single border is the client edge: the client area is two pixels in on every side.
  if (borderStyle_ == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateHandleDone() {
  if (maxLength_) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool on) {
  readOnly_ = on;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, on, 0);
}

void TCustomEdit::SetMaxLength(int length) {
  maxLength_ = length;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && InReflection()) {
    if (HIWORD(m.WParam) == EN_CHANGE) Change();
    return;
  }
  if (m.Msg == CM_ENTER) ime_.Enter(imeName_);
  if (m.Msg == CM_EXIT) ime_.Exit();
  TWinControl::WndProc(m);
}

// ---- List items -------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TListControlItems, TStringList)

namespace {
TCustomComboBox* AsCombo(TWinControl* w) { return static_cast<TCustomComboBox*>(w); }
}  // namespace

void TListControlItems::Put(int index, const std::wstring& s) {
  intptr_t tag = GetTag(index);
  TStringList::Put(index, s);
  if (owner_->HandleAllocated()) {
    int selected = AsCombo(owner_)->ItemIndex();
    AsCombo(owner_)->DeleteWindowItem(index);
    AsCombo(owner_)->InsertWindowItem(index, s, tag);
    if (selected == index) AsCombo(owner_)->SetItemIndex(index);
  }
}

void TListControlItems::Insert(int index, const std::wstring& s) {
  TStringList::Insert(index, s);
  if (owner_->HandleAllocated()) AsCombo(owner_)->InsertWindowItem(index, s, 0);
}

void TListControlItems::Delete(int index) {
  TStringList::Delete(index);
  if (owner_->HandleAllocated()) AsCombo(owner_)->DeleteWindowItem(index);
}

void TListControlItems::Clear() {
  TStringList::Clear();
  if (owner_->HandleAllocated()) AsCombo(owner_)->ClearWindowItems();
}

void TListControlItems::PutTag(int index, intptr_t tag) {
  if (tag == GetTag(index)) return;
  TStringList::PutTag(index, tag);
  if (owner_->HandleAllocated()) {
    int selected = AsCombo(owner_)->ItemIndex();
    AsCombo(owner_)->DeleteWindowItem(index);
    AsCombo(owner_)->InsertWindowItem(index, Get(index), tag);
    if (selected == index) AsCombo(owner_)->SetItemIndex(index);
  }
}

void TListControlItems::PushToWindow() {
  AsCombo(owner_)->ClearWindowItems();
  for (int i = 0; i < Count(); ++i) AsCombo(owner_)->InsertWindowItem(i, Get(i), GetTag(i));
}

// ---- TCustomComboBox --------------------------------------------------------------------------

const TEnumInfo& ComboBoxStyleInfo() {
  static const TEnumInfo info{
      "TComboBoxStyle",
      {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
  return info;
}

UI_IMPLEMENT_CLASS(TCustomComboBox, TWinControl,
                   P::Str("Text", &TCustomComboBox::GetTextProp, &TCustomComboBox::SetTextProp),
                   P::Enum("Style", ComboBoxStyleInfo(), &TCustomComboBox::Style,
                           &TCustomComboBox::SetStyle),
                   P::Int("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex),
                   P::Int("DropDownCount", &TCustomComboBox::DropDownCount,
                          &TCustomComboBox::SetDropDownCount),
                   P::Obj<TStrings>("Items", &TCustomComboBox::Items),
                   P::Str("ImeName", &TCustomComboBox::ImeName, &TCustomComboBox::SetImeName))
UI_IMPLEMENT_CLASS(TComboBox, TCustomComboBox)

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TListControlItems>(this)) {
  controlStyle_ = csSetCaption | csDoubleClicks;
  SetTabStop(true);
  UpdateBoundsFields(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"COMBOBOX");
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS | styles[static_cast<int>(style_)];
}

void TCustomComboBox::CreateHandleDone() {
  items_->PushToWindow();
  if (itemIndex_ >= 0) SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(dropDownCount_, 1)), 0);
}

void TCustomComboBox::InsertWindowItem(int index, const std::wstring& text, intptr_t) {
  SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomComboBox::DeleteWindowItem(int index) {
  SendMessageW(Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::ClearWindowItems() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  int index = ItemIndex();
  style_ = style;
  itemIndex_ = index;
  RecreateWnd();
}

int TCustomComboBox::ItemIndex() {
  if (HandleAllocated()) return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool on) { SendMessageW(Handle(), CB_SHOWDROPDOWN, on, 0); }

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::AdjustDropDown() {
  int rows = std::clamp(items_->Count(), 1, std::max(dropDownCount_, 1));
  SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(dropDownCount_, 1)), 0);
  int itemHeight = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
  int fieldHeight =
      static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  // Without the v6 message the dropped height is the window height given to the system.
  SetWindowPos(Handle(), nullptr, 0, 0, Width(), fieldHeight + 8 + rows * itemHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

bool TCustomComboBox::WantsKey(WORD key) {
  // An open list takes Enter and Esc itself (it closes).
  if ((key == VK_RETURN || key == VK_ESCAPE) && DroppedDown()) return true;
  return TWinControl::WantsKey(key);
}

void TCustomComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && InReflection()) {
    switch (HIWORD(m.WParam)) {
      case CBN_SELCHANGE:
        Change();
        break;
      case CBN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        AdjustDropDown();
        break;
      case CBN_EDITCHANGE:
        Change();
        break;
      case CBN_SETFOCUS:
        // Also reported for an inner window of ours that took the focus.
        if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
        break;
      default:
        break;
    }
    return;
  }
  if (m.Msg == WM_DESTROY && HandleAllocated()) itemIndex_ = ItemIndex();
  if (m.Msg == CM_ENTER) ime_.Enter(imeName_);
  if (m.Msg == CM_EXIT) ime_.Exit();
  TWinControl::WndProc(m);
}

// ---- TButton ----------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TButtonControl, TWinControl)

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ = csSetCaption | csDoubleClicks;
  SetTabStop(true);
}

UI_IMPLEMENT_CLASS(TButton, TButtonControl,
                   P::Str("Caption", &TButton::GetCaption, &TButton::SetCaptionProp),
                   P::Bool("Default", &TButton::Default, &TButton::SetDefault),
                   P::Bool("Cancel", &TButton::Cancel, &TButton::SetCancel))

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  UpdateBoundsFields(0, 0, 75, 25);
  SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, L"BUTTON");
  p.Style |= active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetButtonStyle(bool isDefault) {
  if (!HandleAllocated()) return;
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE) & 0x0F;
  LONG_PTR wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (style != wanted) SendMessageW(Handle(), BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
}

void TButton::SetDefault(bool on) {
  if (on == default_) return;
  default_ = on;
  if (TCustomForm* form = GetParentForm(this)) {
    form->Perform(CM_FOCUSCHANGED, 0,
                  reinterpret_cast<LPARAM>(static_cast<TObject*>(form->ActiveControl())));
  } else {
    active_ = on;
  }
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (InReflection()) {
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
      }
      break;
    case CM_DIALOGKEY: {
      WORD key = LOWORD(m.WParam);
      if (((key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_)) &&
          KeyDataToShiftState(m.LParam) == 0 && CanFocus()) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    }
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<wchar_t>(m.WParam), Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    case CM_FOCUSCHANGED: {
      auto* sender = reinterpret_cast<TObject*>(m.LParam);
      active_ = sender && sender->Is<TButton>() ? sender == this : default_;
      SetButtonStyle(active_);
      break;
    }
    default:
      break;
  }
  TButtonControl::WndProc(m);
}

}  // namespace ui
