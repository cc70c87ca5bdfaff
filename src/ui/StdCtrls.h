// Standard controls: labels (window-less), edits, drop-down lists and push buttons. Windowed ones
// are superclasses of the system's EDIT, COMBOBOX and BUTTON under their framework class names.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Controls.h"
#include "ui/Ime.h"

namespace ui {

class TLabel : public TGraphicControl {
  UI_CLASS(TLabel, TGraphicControl)
 public:
  explicit TLabel(TComponent* AOwner);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  std::wstring GetCaption() { return Caption(); }

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;

 private:
  void AdjustBounds();
  UINT DrawFlags() const;
  bool autoSize_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool transparent_ = false;
  bool wordWrap_ = false;
};

// ---------------------------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
  UI_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  // The preferred input method (its name); kept for the system's input-method switching.
  const std::wstring& ImeName() const { return imeName_; }
  void SetImeName(const std::wstring& name) { imeName_ = name; }
  std::wstring GetTextProp() { return Text(); }
  void SetTextProp(const std::wstring& s) { SetText(s); }
  void SelectAll();

  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  virtual void Change();

 private:
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool readOnly_ = false;
  int maxLength_ = 0;
  std::wstring imeName_;
  TImePreference ime_;
};

class TEdit : public TCustomEdit {
  UI_CLASS(TEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;
};

// ---------------------------------------------------------------------------------------------

enum class TComboBoxStyle {
  csDropDown,
  csSimple,
  csDropDownList,
  csOwnerDrawFixed,
  csOwnerDrawVariable
};
const TEnumInfo& ComboBoxStyleInfo();

class TCustomComboBox;

// Items of a list control: kept here and mirrored into the window while it exists.
class TListControlItems : public TStringList {
  UI_CLASS(TListControlItems, TStringList)
 public:
  explicit TListControlItems(TWinControl* owner) : owner_(owner) {}
  void Put(int index, const std::wstring& s) override;
  void Insert(int index, const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;
  void PutTag(int index, intptr_t tag) override;
  // Fills a new window with the items.
  void PushToWindow();

 private:
  TWinControl* owner_;
};

class TCustomComboBox : public TWinControl {
  UI_CLASS(TCustomComboBox, TWinControl)
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() { return items_.get(); }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int ItemIndex();
  void SetItemIndex(int index);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count) { dropDownCount_ = count; }
  bool DroppedDown();
  void SetDroppedDown(bool on);
  const std::wstring& ImeName() const { return imeName_; }
  void SetImeName(const std::wstring& name) { imeName_ = name; }
  std::wstring GetTextProp() { return Text(); }
  void SetTextProp(const std::wstring& s) { SetText(s); }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  void WndProc(TMessage& message) override;

  // Window messages that the item list is mirrored with (differ for the extended combo).
  virtual void InsertWindowItem(int index, const std::wstring& text, intptr_t tag);
  virtual void DeleteWindowItem(int index);
  virtual void ClearWindowItems();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  virtual void Change();
  // Sizes the dropped list to DropDownCount rows.
  virtual void AdjustDropDown();
  bool WantsKey(WORD key) override;

  std::unique_ptr<TListControlItems> items_;
  int itemIndex_ = -1;  // while there is no window

 private:
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int dropDownCount_ = 8;
  std::wstring imeName_;
  TImePreference ime_;
};

class TComboBox : public TCustomComboBox {
  UI_CLASS(TComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
};

// ---------------------------------------------------------------------------------------------

class TButtonControl : public TWinControl {
  UI_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);
};

class TButton : public TButtonControl {
  UI_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* AOwner);
  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  // Whether the button is the one Enter clicks (has the default-button look).
  bool Active() const { return active_; }
  std::wstring GetCaption() { return Caption(); }
  void SetCaptionProp(const std::wstring& s) { SetCaption(s); }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  void SetButtonStyle(bool isDefault);
  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
};

// Whether `ch` is the accelerator (&X) of `caption`, ignoring case.
bool IsAccel(wchar_t ch, const std::wstring& caption);

}  // namespace ui
