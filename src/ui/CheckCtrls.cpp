#include "ui/CheckCtrls.h"

#include <algorithm>

#include "ui/TypInfo.h"

namespace ui {

namespace {
constexpr DWORD kButtonTypeMask = 0x0F;

DWORD ButtonTypeOf(HWND wnd) {
  return static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)) & kButtonTypeMask;
}

bool IsClickNotification(const TMessage& m) {
  return m.Msg == CN_COMMAND && InReflection() && HIWORD(m.WParam) == BN_CLICKED;
}
}  // namespace

const TEnumInfo& CheckBoxStateInfo() {
  static const TEnumInfo info{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
  return info;
}

// ---- TCheckBox --------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TCheckBox, TButtonControl,
                   P::Str("Caption", &TCheckBox::GetCaption, &TCheckBox::SetCaptionProp),
                   P::Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
                   P::Enum("State", CheckBoxStateInfo(), &TCheckBox::State, &TCheckBox::SetState),
                   P::Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed),
                   P::Enum("Alignment", AlignmentInfo(), &TCheckBox::Alignment,
                           &TCheckBox::SetAlignment))

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  UpdateBoundsFields(0, 0, 97, 17);
  SetParentColor(true);
}

// A box the program made grayed stays three-state until a click takes it out of that state.
DWORD TCheckBox::ButtonType() const {
  return allowGrayed_ || state_ == TCheckBoxState::cbGrayed ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
}

void TCheckBox::ApplyButtonType() {
  if (HandleAllocated() && ButtonTypeOf(Handle()) != ButtonType())
    SendMessageW(Handle(), BM_SETSTYLE, ButtonType(), TRUE);
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, L"BUTTON");
  p.Style |= ButtonType();
  if (alignment_ == TAlignment::taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCheckBox::CreateHandleDone() {
  SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

TCheckBoxState TCheckBox::State() {
  if (!HandleAllocated()) return state_;
  switch (SendMessageW(Handle(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return TCheckBoxState::cbChecked;
    case BST_INDETERMINATE:
      return TCheckBoxState::cbGrayed;
    default:
      return TCheckBoxState::cbUnchecked;
  }
}

void TCheckBox::SetState(TCheckBoxState state) {
  state_ = state;
  if (!HandleAllocated()) return;
  ApplyButtonType();
  SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void TCheckBox::SetAllowGrayed(bool on) {
  allowGrayed_ = on;
  state_ = State();
  ApplyButtonType();
}

void TCheckBox::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  state_ = State();
  alignment_ = a;
  RecreateWnd();
}

void TCheckBox::WndProc(TMessage& m) {
  if (IsClickNotification(m)) {
    // The system's three-state cycle reaches grayed from checked; without AllowGrayed that click
    // unchecks instead.
    state_ = State();
    if (!allowGrayed_ && state_ == TCheckBoxState::cbGrayed) {
      state_ = TCheckBoxState::cbUnchecked;
      SendMessageW(Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    ApplyButtonType();
    Click();
    return;
  }
  if (m.Msg == WM_DESTROY && HandleAllocated()) state_ = State();
  TButtonControl::WndProc(m);
}

// ---- TRadioButton -----------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TRadioButton, TButtonControl,
                   P::Str("Caption", &TRadioButton::GetCaption, &TRadioButton::SetCaptionProp),
                   P::Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked))

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  UpdateBoundsFields(0, 0, 113, 17);
  SetParentColor(true);
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, L"BUTTON");
  p.Style |= BS_AUTORADIOBUTTON;
}

void TRadioButton::CreateHandleDone() {
  SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadioButton::Checked() {
  if (HandleAllocated()) return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  return checked_;
}

void TRadioButton::SetChecked(bool on) {
  checked_ = on;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  if (on) UncheckSiblings();
}

// The system unchecks the others of a window group on a click only; the object does it for
// every way a button becomes checked, and for siblings of any window group.
void TRadioButton::UncheckSiblings() {
  TWinControl* parent = Parent();
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
    if (other && other != this && other->Checked()) other->SetChecked(false);
  }
}

void TRadioButton::WndProc(TMessage& m) {
  if (IsClickNotification(m)) {
    checked_ = Checked();
    if (checked_) UncheckSiblings();
    Click();
    return;
  }
  if (m.Msg == WM_DESTROY && HandleAllocated()) checked_ = Checked();
  TButtonControl::WndProc(m);
}

// ---- TGroupBox --------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TGroupBox, TWinControl,
                   P::Str("Caption", &TGroupBox::GetCaption, &TGroupBox::SetCaptionProp))

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ = csAcceptsControls | csSetCaption | csDoubleClicks;
  UpdateBoundsFields(0, 0, 185, 105);
  SetParentColor(true);
}

void TGroupBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"BUTTON");
  p.Style |= BS_GROUPBOX;
}

void TGroupBox::WndProc(TMessage& m) {
  // The system's group box leaves its inside unpainted; the children are clipped out of the
  // parent, so the box fills it with its own colour.
  if (m.Msg == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(Handle(), &r);
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, Brush()->Handle());
    m.Result = 1;
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TRadioGroup ------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TRadioGroup, TGroupBox, P::Obj<TStrings>("Items", &TRadioGroup::Items),
                   P::Int("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex),
                   P::Int("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns))

TRadioGroup::TRadioGroup(TComponent* AOwner)
    : TGroupBox(AOwner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = MethodOf<&TRadioGroup::ItemsChanged>(this);
}

TRadioGroup::~TRadioGroup() { items_->OnChange = nullptr; }

void TRadioGroup::Notification(TComponent* component, TOperation operation) {
  TGroupBox::Notification(component, operation);
  if (operation == TOperation::opRemove)
    std::erase_if(buttons_, [component](TRadioButton* b) { return b == component; });
}

void TRadioGroup::ItemsChanged(TObject*) {
  if (HasState(csDestroying)) return;
  const int count = items_->Count();
  while (static_cast<int>(buttons_.size()) > count) delete buttons_.back();  // leaves the list
  while (static_cast<int>(buttons_.size()) < count) {
    auto* button = new TRadioButton(this);
    button->OnClick = MethodOf<&TRadioGroup::ButtonClick>(this);
    buttons_.push_back(button);
    button->SetParent(this);
  }
  for (int i = 0; i < count; ++i) buttons_[static_cast<size_t>(i)]->SetCaption(items_->Get(i));
  if (itemIndex_ >= count) itemIndex_ = -1;
  SetItemIndex(itemIndex_);
  ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= ButtonCount()) index = -1;
  itemIndex_ = index;
  if (index >= 0) {
    buttons_[static_cast<size_t>(index)]->SetChecked(true);
  } else {
    for (TRadioButton* b : buttons_) b->SetChecked(false);
  }
}

void TRadioGroup::SetColumns(int columns) {
  columns_ = std::clamp(columns, 1, 16);
  ArrangeButtons();
}

void TRadioGroup::ButtonClick(TObject* sender) {
  const auto it = std::find(buttons_.begin(), buttons_.end(), sender);
  if (it == buttons_.end() || !(*it)->Checked()) return;
  itemIndex_ = static_cast<int>(it - buttons_.begin());
  Click();
}

// Columns filled top to bottom, below the caption, the rows sharing the height evenly.
void TRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  const int count = ButtonCount();
  const int rows = (count + columns_ - 1) / columns_;
  TEXTMETRICW tm{};
  {
    WindowDC screen = WindowDC::Client(nullptr);
    SelectGuard font(screen.get(), Font()->Handle());
    GetTextMetricsW(screen.get(), &tm);
  }
  // The font is the group's at its DPI already; the insets are 96-dpi lengths taken at it.
  const int captionHeight = static_cast<int>(tm.tmHeight);
  const int usable = std::max(Height() - captionHeight - ScaledLength(5), rows);
  const int rowHeight = usable / rows;
  const int top = captionHeight + ScaledLength(1) + (usable % rows) / 2;
  const int columnWidth = std::max((Width() - ScaledLength(10)) / columns_, 1);
  const int inset = ScaledLength(8);
  for (int i = 0; i < count; ++i) {
    buttons_[static_cast<size_t>(i)]->SetBounds((i / rows) * columnWidth + inset,
                                                (i % rows) * rowHeight + top, columnWidth - inset,
                                                rowHeight);
  }
}

void TRadioGroup::WndProc(TMessage& m) {
  TGroupBox::WndProc(m);
  if (m.Msg == WM_SIZE) ArrangeButtons();
}

}  // namespace ui
