// Check boxes, radio buttons, group boxes and radio groups: superclasses of the system's BUTTON
// under their framework class names. The window holds the check state while it exists; the
// object keeps it across re-creation.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/StdCtrls.h"

namespace ui {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateInfo();

class TCheckBox : public TButtonControl {
  UI_CLASS(TCheckBox, TButtonControl)
 public:
  explicit TCheckBox(TComponent* AOwner);
  TCheckBoxState State();
  void SetState(TCheckBoxState state);
  bool Checked() { return State() == TCheckBoxState::cbChecked; }
  void SetChecked(bool on) {
    SetState(on ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
  }
  // Whether a click can make the box grayed (the program can always).
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool on);
  // taLeftJustify puts the caption left of the box.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  std::wstring GetCaption() { return Caption(); }
  void SetCaptionProp(const std::wstring& s) { SetCaption(s); }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  DWORD ButtonType() const;
  void ApplyButtonType();
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

class TRadioButton : public TButtonControl {
  UI_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked();
  // Checking one unchecks the other radio buttons of its parent.
  void SetChecked(bool on);
  std::wstring GetCaption() { return Caption(); }
  void SetCaptionProp(const std::wstring& s) { SetCaption(s); }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  void UncheckSiblings();
  bool checked_ = false;
};

class TGroupBox : public TWinControl {
  UI_CLASS(TGroupBox, TWinControl)
 public:
  explicit TGroupBox(TComponent* AOwner);
  std::wstring GetCaption() { return Caption(); }
  void SetCaptionProp(const std::wstring& s) { SetCaption(s); }
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
};

// A group box whose Items are radio buttons (owned by the group), laid out in Columns.
class TRadioGroup : public TGroupBox {
  UI_CLASS(TRadioGroup, TGroupBox)
 public:
  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;
  TStrings* Items() const { return items_.get(); }
  // The checked item, -1 for none.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TRadioButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

  // OnClick: a click on one of the buttons, after ItemIndex took it.
  void WndProc(TMessage& message) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void ItemsChanged(TObject*);
  void ButtonClick(TObject* sender);
  void ArrangeButtons();

  std::unique_ptr<TStringList> items_;
  std::vector<TRadioButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
};

}  // namespace ui
