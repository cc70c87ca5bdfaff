// Controls with window scroll bars and the bare scroll-bar control: thin superclasses of the
// system's LISTBOX, EDIT (multi-line), SCROLLBAR, list-view, tree-view and rich-edit windows under
// their framework class names. What they show is kept in the object, so a re-created window
// (RecreateWnd) comes back with it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/StdCtrls.h"

namespace ui {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleInfo();
enum class TScrollBarKind { sbHorizontal, sbVertical };
const TEnumInfo& ScrollBarKindInfo();

// Lines of a list box, mirrored into its window while it exists.
class TListBoxStrings : public TStringList {
  UI_CLASS(TListBoxStrings, TStringList)
 public:
  explicit TListBoxStrings(TWinControl* owner) : owner_(owner) {}
  void Put(int index, const std::wstring& s) override;
  void Insert(int index, const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;
  void PushToWindow();

 private:
  TWinControl* owner_;
};

// A windowed control whose single border is the sunken client edge (BorderStyle).
class TEdgedControl : public TWinControl {
  UI_CLASS(TEdgedControl, TWinControl)
 public:
  using TWinControl::TWinControl;
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

class TListBox : public TEdgedControl {
  UI_CLASS(TListBox, TEdgedControl)
 public:
  explicit TListBox(TComponent* AOwner);
  TStrings* Items() { return items_.get(); }
  int ItemIndex();
  void SetItemIndex(int index);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  std::unique_ptr<TListBoxStrings> items_;
  int itemIndex_ = -1;
};

class TMemo : public TCustomEdit {
  UI_CLASS(TMemo, TCustomEdit)
 public:
  explicit TMemo(TComponent* AOwner);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  // The lines joined with line breaks.
  void SetLines(const std::vector<std::wstring>& lines);

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
};

class TRichEdit : public TMemo {
  UI_CLASS(TRichEdit, TMemo)
 public:
  explicit TRichEdit(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TScrollBar : public TWinControl {
  UI_CLASS(TScrollBar, TWinControl)
 public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int PageSize() const { return page_; }
  int Position();
  void SetMin(int v);
  void SetMax(int v);
  void SetPageSize(int v);
  void SetPosition(int v);
  void SetParams(int position, int min, int max);

  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  void Push();
  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
  int min_ = 0, max_ = 100, page_ = 0, position_ = 0;
};

// A report-style list view with one column.
class TListView : public TEdgedControl {
  UI_CLASS(TListView, TEdgedControl)
 public:
  explicit TListView(TComponent* AOwner);
  void AddItem(const std::wstring& caption);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const std::wstring& ColumnCaption() const { return column_; }
  void SetColumnCaption(const std::wstring& caption);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  void InsertWindowItem(int index);
  std::vector<std::wstring> items_;
  std::wstring column_ = L"Name";
  int columnWidth_ = 220;
};

// Top-level nodes, each with its children (one level deep is all the program shows).
class TTreeView : public TEdgedControl {
  UI_CLASS(TTreeView, TEdgedControl)
 public:
  explicit TTreeView(TComponent* AOwner);
  // Adds a node under the top-level node `parent` (-1: a top-level node); its index.
  int AddNode(int parent, const std::wstring& text);
  void ExpandAll();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  struct Node {
    int parent;
    std::wstring text;
  };
  void InsertWindowNodes();
  std::vector<Node> nodes_;
  bool expanded_ = false;
};

}  // namespace ui
