// Tab controls: the system tab control with its tabs on any side (TTabControl), the same with a
// page per tab (TPageControl, TTabSheet), and the old-style tab set painted by the framework
// itself, its tabs hanging below a line (TTabSet).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/ImgList.h"

namespace ui {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
const TEnumInfo& TabPositionInfo();

// What the tab controls share: the system window, its side and line mode, the selected tab.
class TCustomTabControl : public TWinControl {
  UI_CLASS(TCustomTabControl, TWinControl)
 public:
  explicit TCustomTabControl(TComponent* AOwner);
  TTabPosition TabPosition() const { return position_; }
  void SetTabPosition(TTabPosition position);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool on);
  int TabIndex() const;
  void SetTabIndex(int index);
  int TabCount() const;
  // The client area the tabs leave free (the pages' place).
  RECT DisplayRect();
  // Icons of the tabs: tab i shows image i of the list.
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Notification(TComponent* component, TOperation operation) override;
  // The tab captions, in order; the window is filled from them.
  virtual std::vector<std::wstring> TabCaptions() const = 0;
  // The selected tab changed (by the user or by SetTabIndex).
  virtual void Change();
  void RebuildTabs();
  int pendingIndex_ = -1;

 private:
  TTabPosition position_ = TTabPosition::tpTop;
  bool multiLine_ = false;
  TCustomImageList* images_ = nullptr;
};

class TTabControl : public TCustomTabControl {
  UI_CLASS(TTabControl, TCustomTabControl)
 public:
  explicit TTabControl(TComponent* AOwner);
  ~TTabControl() override;
  TStrings* Tabs() const { return tabs_.get(); }

 protected:
  std::vector<std::wstring> TabCaptions() const override;

 private:
  void TabsChanged(TObject*);
  std::unique_ptr<TStringList> tabs_;
};

class TPageControl;

class TTabSheet : public TWinControl {
  UI_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* control);
  std::wstring GetCaption() { return Caption(); }
  void SetCaptionProp(const std::wstring& s) { SetCaption(s); }
  int PageIndex() const;

 protected:
  void TextChanged() override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
};

class TPageControl : public TCustomTabControl {
  UI_CLASS(TPageControl, TCustomTabControl)
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const;
  void SetActivePage(TTabSheet* page);
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  std::vector<std::wstring> TabCaptions() const override;
  void Change() override;
  void CreateHandleDone() override;
  void ApplyDesignScale() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void ShowActivePage();
  std::vector<TTabSheet*> pages_;
};

// The old tab set: tabs side by side below a line, painted here; FirstIndex scrolls them.
class TTabSet : public TCustomControl {
  UI_CLASS(TTabSet, TCustomControl)
 public:
  explicit TTabSet(TComponent* AOwner);
  ~TTabSet() override;
  TStrings* Tabs() const { return tabs_.get(); }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int index);
  int FirstIndex() const { return firstIndex_; }
  void SetFirstIndex(int index);
  int StartMargin() const { return startMargin_; }
  void SetStartMargin(int margin);
  int EndMargin() const { return endMargin_; }
  void SetEndMargin(int margin);
  // The tab under a client point, or -1.
  int TabAt(int x, int y);
  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;

 private:
  struct Placed {
    int index;
    RECT rect;
  };
  std::vector<Placed> Layout();
  void TabsChanged(TObject*);
  std::unique_ptr<TStringList> tabs_;
  int tabIndex_ = -1, firstIndex_ = 0, startMargin_ = 5, endMargin_ = 5;
};

}  // namespace ui
