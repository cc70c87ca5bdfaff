// Forms (top-level windows owned by the application window) and the screen with its form list.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/Bitmaps.h"
#include "ui/Controls.h"

namespace ui {

class TMainMenu;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TMethod<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TMethod<void(TObject* Sender, bool& CanClose)>;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconFlag : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition { poDesigned, poScreenCenter };

const TEnumInfo& FormBorderStyleInfo();

class TCustomForm : public TWinControl {
  UI_CLASS(TCustomForm, TWinControl)
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style) { formStyle_ = style; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool on) { autoScroll_ = on; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }

  TIcon* Icon() { return &icon_; }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  void SetClientSize(int width, int height) override;
  // Before the window exists: the bounds less the frame it will have at the current DPI (so
  // that aligned children are placed once, where the window will show them).
  RECT ClientRect() override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  bool Showing() const override;
  void Show();
  void Hide() { SetVisible(false); }
  void Close();
  bool CloseQuery();
  // Frees the form once the current message is done.
  void Release();
  bool Active() const { return active_; }
  bool Modal() const { return modal_; }

  // The control that has (or last had) the focus inside this form.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Focus bookkeeping: CM_EXIT to the old control, CM_ENTER to the new, CM_FOCUSCHANGED to all.
  bool SetFocusedControl(TWinControl* control);
  void FocusControl(TWinControl* control);
  // The first control that takes the focus in tab order.
  void SelectFirst();
  // A control is going away: forget it.
  void DefocusControl(TWinControl* control, bool removing);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void WndProc(TMessage& message) override;

  // Runs OnCreate (the form loader calls this once everything was read and Loaded).
  void DoCreate();

  // The client size the form was designed with (96 dpi), or {0, 0} when a program has set its
  // outer size since.
  SIZE DesignClientSize() const { return designClient_; }
  // Shows the form at the DPI of the monitor its window is (or will be) on.
  void ScaleToWindowPPI();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CreateHandleDone() override;
  void ScaleOwnBounds() override;
  virtual void DoClose(TCloseAction& action);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void DialogKey(TMessage& message);
  void DialogChar(TMessage& message);
  bool OwnerDrawMenu(TMessage& message);
  void SetWindowFocus();
  void IconChanged(TObject*);
  void DpiChanged(TMessage& message);
  // A wheel turned over a scrolling container that did not have the focus: it scrolls that.
  bool ForwardWheel(TMessage& message);
  // The Constraints as the window's tracking limits, at the current DPI.
  void ConstrainTracking(MINMAXINFO& info);

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  TPosition position_ = TPosition::poDesigned;
  bool autoScroll_ = false;
  bool keyPreview_ = false;
  TIcon icon_;
  TMainMenu* menu_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  bool active_ = false;
  bool modal_ = false;
  SIZE designClient_{0, 0};
  int settingClientSize_ = 0;
  const RECT* suggestedRect_ = nullptr;  // during WM_DPICHANGED: where the system puts us
};

class TForm : public TCustomForm {
  UI_CLASS(TForm, TCustomForm)
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Containers that scroll their children: scroll boxes and frames (reusable groups of controls).

// With AutoScroll, the window's scroll bars appear when the children reach past the client area
// (and only then) and scroll the content: the bars, the mouse wheel (over the container or one of
// its children that does not scroll itself), the keys while the container has the focus, and the
// focus moving to a child out of view. Scroll positions are pixels at the current DPI; a new DPI
// keeps the same part of the content in view.
class TScrollingWinControl : public TWinControl {
  UI_CLASS(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool on);

  POINT ScrollOffset() const override { return offset_; }
  // The extent of the content (the children's far edges), in pixels at the current DPI.
  SIZE ContentExtent();
  // Scrolls the content to (x, y), within what the bars allow.
  void ScrollTo(int x, int y);
  // Scrolls as little as brings `control` (a child or a child's child) whole into view; one
  // larger than the client area shows its top-left part.
  void ScrollInView(TControl* control);
  // What a line of a bar's arrow is (16 at 96 dpi).
  int LineStep() const { return ScaledLength(16); }

  void WndProc(TMessage& message) override;

 protected:
  void SetPPI(int ppi) override;
  void ApplyDesignScale() override;
  void AlignControls(RECT& rect) override;
  void ContentChanged() override;

 private:
  // Shows the bars the content needs at the client's size, with their ranges and pages, and
  // keeps the position within them.
  void UpdateScrollBars();
  void ScrollMessage(int bar, WPARAM wParam);
  // Moves the content to (x, y) as it is, no limits checked.
  void MoveContent(int x, int y);
  bool Wheel(int delta, bool horizontal);
  bool ScrollKey(WORD key);
  int MaxOffset(int bar);

  bool autoScroll_ = true;
  POINT offset_{0, 0};
  int updatingBars_ = 0;  // UpdateScrollBars on the stack (the bars resize the client)
  int scrolling_ = 0;     // children move with the content
  int deferred_ = 0;      // a DPI change places every child: the bars follow once at its end
  int wheelRest_[2] = {0, 0};
};

class TScrollBox : public TScrollingWinControl {
  UI_CLASS(TScrollBox, TScrollingWinControl)
 public:
  explicit TScrollBox(TComponent* AOwner);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

class TCustomFrame : public TScrollingWinControl {
  UI_CLASS(TCustomFrame, TScrollingWinControl)
 public:
  explicit TCustomFrame(TComponent* AOwner);
};

class TFrame : public TCustomFrame {
  UI_CLASS(TFrame, TCustomFrame)
 public:
  using TCustomFrame::TCustomFrame;
};

// ---------------------------------------------------------------------------------------------

class TScreen : public TComponent {
  UI_CLASS(TScreen, TComponent)
 public:
  TScreen() : TComponent(nullptr) {}
  // All existing forms, hidden ones included, in creation order.
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }
  const std::vector<TCustomForm*>& FormList() const { return forms_; }
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  TCustomForm* ActiveForm() const { return activeForm_; }
  TWinControl* ActiveControl() const;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form) { forms_.push_back(form); }
  void RemoveForm(TCustomForm* form);
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
};

extern TScreen* Screen;

// The DPI the system shows windows at (the primary monitor's for a program that is not
// per-monitor aware; what the screen's device context reports where nothing else is known).
int SystemPPI();
// The DPI of the monitor a window is on, as the system tells the window (the system DPI where
// the system cannot tell).
int WindowPPI(HWND wnd);

// While alive, SystemPPI and WindowPPI report `ppi` (0: what the system says): forms are made
// and scaled as on a screen of that DPI where the session's own cannot be changed (a benchmark
// of a start at 150 % in a 96-dpi session). The system itself still draws at its own DPI.
class ScreenPPIOverride {
 public:
  explicit ScreenPPIOverride(int ppi);
  ~ScreenPPIOverride();
  ScreenPPIOverride(const ScreenPPIOverride&) = delete;
  ScreenPPIOverride& operator=(const ScreenPPIOverride&) = delete;

 private:
  int saved_;
};

}  // namespace ui
