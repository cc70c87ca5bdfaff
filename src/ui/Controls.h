// Controls: the common base (TControl), windowed controls (TWinControl) with their window
// binding, window-less controls painted by their parent (TGraphicControl) and windowed controls
// with a canvas (TCustomControl).
//
// Every message for a control passes through its WindowProc: window messages (from the one
// framework window procedure, which finds the object in the window's last extra bytes; the
// "ControlOfs%.8X%.8X" window property holds it too, for lookups by name), Perform-ed framework
// notifications (CM_*), notifications reflected from the parent (CN_*, only while
// InReflection()) and mouse messages routed to window-less children. An object that handles a
// control's messages in front of the control puts a THandlerLink (HandlerLink.h) into that chain:
// the link survives handlers put over it later and stays a pass-through once its target is gone.
// docs/design-notes.md has the map of every way a window is tied to its object.
//
// Windows are made on demand (Handle(), HandleNeeded()); a parent's window makes its windowed
// children's. The window class of a control is its class name. Exceptions from handlers stop at
// the window procedure and go to Application->HandleException.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Classes.h"
#include "ui/DpiScale.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"

namespace ui {

class TWinControl;
class TCustomForm;
class TControlCanvas;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TBiDiMode {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBorderStyle { bsNone, bsSingle };

const TEnumInfo& AlignInfo();
const TEnumInfo& BiDiModeInfo();
const TEnumInfo& AlignmentInfo();
const TEnumInfo& BorderStyleInfo();

enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 2,
  csFramed = 1u << 3,
  csSetCaption = 1u << 4,
  csOpaque = 1u << 5,
  csDoubleClicks = 1u << 6,
  csParentBackground = 1u << 7,
};
using TControlStyle = unsigned;

enum TControlStateFlag : unsigned {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csFocusing = 1u << 2,
  csCreating = 1u << 3,
  csAlignmentNeeded = 1u << 4,
};
using TControlState = unsigned;

using TMouseEvent =
    TMethod<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TMethod<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TMethod<void(TObject* Sender, WORD& Key, TShiftState Shift)>;

// Limits of a control's size (a form's: of its window), in 96-dpi design pixels; 0 is no limit.
// The control applies them at its current DPI, so they scale with it.
class TSizeConstraints : public TPersistent {
  UI_CLASS(TSizeConstraints, TPersistent)
 public:
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int v) { Set(minWidth_, v); }
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int v) { Set(minHeight_, v); }
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int v) { Set(maxWidth_, v); }
  int MaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int v) { Set(maxHeight_, v); }
  void Assign(const TPersistent& source) override;
  TNotifyEvent OnChange;

 private:
  void Set(int& field, int value);
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

class TControl : public TComponent {
  UI_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // Position in the parent's client area (top-level windows: on the screen).
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  void SetBoundsRect(const RECT& r) {
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  // The client area at the origin (read from the window when there is one).
  virtual RECT ClientRect();
  int ClientWidth() { return ClientRect().right; }
  int ClientHeight() { return ClientRect().bottom; }
  void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
  void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
  virtual void SetClientSize(int width, int height);
  POINT ClientOrigin();  // screen position of the client area's top-left
  POINT ClientToScreen(POINT p) {
    POINT o = ClientOrigin();
    return {p.x + o.x, p.y + o.y};
  }
  POINT ScreenToClient(POINT p) {
    POINT o = ClientOrigin();
    return {p.x - o.x, p.y - o.y};
  }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // Visible up to a window that is shown.
  virtual bool Showing() const;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool on);
  TSizeConstraints* Constraints() { return &constraints_; }
  void SetConstraints(TSizeConstraints* c) {
    if (c) constraints_.Assign(*c);
  }
  TFont* Font() { return &font_; }
  void SetFont(TFont* font) {
    if (font) font_.Assign(*font);
  }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool on);

  std::wstring Caption() { return GetText(); }
  void SetCaption(const std::wstring& text) { SetText(text); }
  std::wstring Text() { return GetText(); }
  void SetText(const std::wstring& text);

  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on) { showHint_ = on; }
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  bool UseRightToLeftReading() const { return biDiMode_ != TBiDiMode::bdLeftToRight; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
  TControlState ControlState() const { return controlState_; }

  // The replaceable message handler. Every message for the control passes through it.
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }

  virtual void Click();
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  bool MouseCapture() const;
  void SetMouseCapture(bool on);

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Something a handler in WindowProc's chain may still call while the control's window goes:
  // freed with the control itself, after its window.
  void KeepUntilFreed(std::shared_ptr<void> keep) { keptUntilFreed_.push_back(std::move(keep)); }

  // The control's own handling (what WindowProc reaches by default).
  virtual void WndProc(TMessage& message);
  // What happens to a message nobody handled.
  virtual void DefaultHandler(TMessage& message);

  // ---- DPI ----
  // Bounds and font are designed at 96 dpi; the control shows them at CurrentPPI. What a program
  // sets at run time is taken in pixels at CurrentPPI and remembered as a design value.
  int CurrentPPI() const { return ppi_; }
  const DesignRect& DesignBounds() const { return design_; }
  int DesignFontHeight() const { return designFontHeight_; }
  // A length designed at 96 dpi, at the control's current DPI.
  int ScaledLength(int designLength) const { return ScaleValue(designLength, ppi_); }
  // Shows the control and its children at `ppi`, computed from their design values.
  void ScaleForPPI(int ppi);

 protected:
  // The two passes of ScaleForPPI: every control of the tree learns the new DPI first (so that
  // anything that lays itself out on the way already measures at it), then each takes its
  // font and bounds from the design values, parents before children.
  virtual void SetPPI(int ppi) { ppi_ = ppi; }
  virtual void ApplyDesignScale();
  virtual void ScaleOwnBounds();
  bool Scaling() const { return scaling_ > 0; }
  // While alive, what the control does to its bounds and font is not a design change.
  struct ScalingScope {
    explicit ScalingScope(TControl& c) : control(c) { ++control.scaling_; }
    ~ScalingScope() { --control.scaling_; }
    ScalingScope(const ScalingScope&) = delete;
    ScalingScope& operator=(const ScalingScope&) = delete;
    TControl& control;
  };
  // A program asked for these bounds: the design values follow (see UpdateDesignRect).
  void NoteRequestedBounds(int left, int top, int width, int height);
  // How far the parent's content is scrolled: the design position is in the content's
  // coordinates, the bounds in the parent's client area.
  POINT ParentScroll() const;
  // A size within the Constraints at the current DPI.
  void ConstrainSize(int& width, int& height) const;

  virtual std::wstring GetText() { return text_; }
  virtual void TextChanged() { Invalidate(); }
  virtual void FontChanged();
  virtual void ColorChanged();
  // The parent's font or colour changed: take it over when ParentFont / ParentColor.
  void ParentFontChanged();
  void ParentColorChanged();
  // Sets the fields only (the window reported its new bounds).
  void UpdateBoundsFields(int left, int top, int width, int height);
  void RequestAlign();
  // The flag alone: subclasses that show their windows themselves.
  void SetVisibleFlag(bool visible) { visible_ = visible; }

  std::wstring text_;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState controlState_ = 0;

 private:
  friend class TWinControl;
  void FontObjectChanged(TObject*);
  void ConstraintsChanged(TObject*);
  void HandleMouse(TMessage& message);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  TFont font_;
  TSizeConstraints constraints_;
  bool parentFont_ = true;
  bool takingParentFont_ = false;
  std::vector<std::shared_ptr<void>> keptUntilFreed_;
  std::wstring hint_;
  bool showHint_ = false;
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
  TAlign align_ = TAlign::alNone;
  int ppi_ = kDesignPpi;
  DesignRect design_;
  bool designSet_ = false;  // a program set bounds (until then the defaults are the design)
  int designFontHeight_;
  int scaling_ = 0;
};

// ---------------------------------------------------------------------------------------------

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSEXW WindowClass{};
  std::wstring WinClassName;
  // The system class this window class is derived from (EDIT, BUTTON, ...), or empty.
  std::wstring SysClassName;
};

class TWinControl : public TControl {
  UI_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  // The window, created on demand (with the parent's window first).
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  void DestroyHandle();
  // Destroys and re-creates the window; WindowProc and the properties survive.
  void RecreateWnd();
  // A raw parent window for a control without a Parent object.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND wnd);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The window-less or windowed child at a client point (visible ones; enabled unless
  // allowDisabled), window-less ones first as they lie on top.
  TControl* ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls = false);

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on);
  // Windowed children in tab order, each followed by its own children (recursively).
  void GetTabOrderList(std::vector<TWinControl*>& list);
  // Moves the focus to the next (or previous) control in the tab order after `current`.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                               bool checkParent);

  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();

  void Invalidate() override;
  void Update() override;
  bool Showing() const override;
  void SetVisible(bool visible) override;
  RECT ClientRect() override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(TWinControl* parent) override;

  // Sends the message through WindowProc of every child; stops at the first nonzero Result.
  void Broadcast(TMessage& message);
  // Paints the window-less children into `dc` (from `first` on, or all).
  void PaintControls(HDC dc, TControl* first);
  // Re-applies the Align of the children.
  void Realign();
  // How far the client area's content is scrolled, in pixels at the current DPI (what lies at
  // the content's origin is this far up and left of the client area's). The children's design
  // positions are in the content's coordinates, so a scrolled container scales them alike.
  virtual POINT ScrollOffset() const { return {0, 0}; }

  TBrush* Brush() { return &brush_; }

  // Offered every queued message aimed at this control or one of its foreign child windows
  // before it is translated and dispatched; true when the message was consumed.
  virtual bool PreProcessMessage(MSG& msg);

  // The framework control whose window this is (through the "ControlOfs" property).
  static TWinControl* FindControl(HWND wnd);
  // The nearest framework control of a window or of its ancestors.
  static TWinControl* FindNearestControl(HWND wnd);

  TKeyEvent OnKeyDown;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  void SetPPI(int ppi) override;
  void ApplyDesignScale() override;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  // Called once the window exists (children are created after it).
  virtual void CreateHandleDone() {}
  // Superclasses a system window class (keeps its procedure as the default handler).
  void CreateSubClass(TCreateParams& params, const wchar_t* sysClassName);
  // Paints the control's face into dc (default: the window's own painting).
  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& message);
  std::wstring GetText() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  virtual void AlignControls(RECT& rect);
  // Key preprocessing: a dialog key the control does not want goes to its form.
  virtual bool WantsKey(WORD key);
  // A child was placed, sized, shown or hidden, or came or went (not while its parent scrolls).
  virtual void ContentChanged() {}
  // Moves every child by (dx, dy) with the window's content (ScrollWindowEx has moved the bits
  // and the child windows, or will: `windowsMoved`); no design value changes.
  void ScrollChildren(int dx, int dy, bool windowsMoved);

 private:
  friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
  friend class TControl;
  void Bind(HWND wnd);
  // The window no longer leads to this control (nor the control to the window, if it was its own).
  void Unbind(HWND wnd);
  LRESULT Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateChildHandles();
  bool ReflectNotification(TMessage& message);
  bool RouteMouseToChild(TMessage& message);
  void HandleKeyPreprocess(TMessage& message);
  void EraseBackground(TMessage& message);
  void ColorControl(TMessage& message);
  void UpdateBoundsFromWindow();
  // Moves a child's design position by a scroll offset (pixels at this DPI) times `sign`.
  void ShiftDesign(TControl* control, POINT offset, int sign);
  // An id no other child window of `parent` carries (the one it had when still free).
  UINT UnusedChildId(HWND parent);
  // Moves the window to another parent window, with a new id if its own is taken there.
  void ReparentWindow(HWND parent);

  // While the whole client area is known to be invalid (the window has just invalidated itself
  // and tells its children of a change), a window-less child's own invalidation is left out.
  struct WholeClientInvalid {
    explicit WholeClientInvalid(TWinControl& w) : window(w) { ++window.wholeClientInvalid_; }
    ~WholeClientInvalid() { --window.wholeClientInvalid_; }
    WholeClientInvalid(const WholeClientInvalid&) = delete;
    WholeClientInvalid& operator=(const WholeClientInvalid&) = delete;
    TWinControl& window;
  };
  int wholeClientInvalid_ = 0;

  HWND handle_ = nullptr;
  UINT childId_ = 0;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;    // all children, creation order
  std::vector<TWinControl*> tabList_;  // windowed children in tab order
  bool tabStop_ = false;
  TBrush brush_;
  int alignLevel_ = 0;
};

// ---------------------------------------------------------------------------------------------

// A canvas bound to a control: its own window DC, or for a window-less control the parent's DC
// clipped to the control with the origin at its top-left.
class TControlCanvas : public TCanvas {
  UI_CLASS(TControlCanvas, TCanvas)
 public:
  explicit TControlCanvas(TControl* control) : control_(control) {}
  ~TControlCanvas() override;
  TControl* Control() const { return control_; }
  // Gives back a DC the canvas obtained itself (not a bound one, not while locked).
  void FreeHandle();
  // Releases the DCs of all unlocked control canvases (idle time).
  static void FreeAllHandles();

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  WindowDC dc_;
};

class TGraphicControl : public TControl {
  UI_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  void WndProc(TMessage& message) override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

class TCustomControl : public TWinControl {
  UI_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return canvas_.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

// The form a control sits on (top-level parent that is a form), or nullptr.
TCustomForm* GetParentForm(TControl* control);

// The module instance framework windows are created with.
HINSTANCE MainInstance();
// The atom of the "ControlOfs%.8X%.8X" window property.
ATOM ControlAtom();

// Windows of our own classes that are no controls (the timer's) are bound as controls are: the
// object comes as CreateWindowEx's parameter, the thread's window being created catches what
// arrives before WM_NCCREATE, and the window carries it in the "ControlOfs" property, or, when
// its class reserves kBoundObjectBytes of extra bytes, in those (no window-server round trip per
// message under Wine, for a window that hears many). A window that cannot be made throws
// EOutOfResources.
constexpr int kBoundObjectBytes = static_cast<int>(sizeof(LONG_PTR));
HWND CreateBoundWindow(TObject* object, const wchar_t* className, DWORD style, HWND parent);
struct BoundWindowParams {
  const wchar_t* className = L"";
  const wchar_t* title = L"";
  DWORD exStyle = 0, style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
};
HWND CreateBoundWindow(TObject* object, const BoundWindowParams& params);
// The object of such a window (bound on its first message; the property goes at WM_NCDESTROY).
TObject* BoundObject(HWND wnd, UINT msg, LPARAM lParam);

// Reflection scope used by the parent's notification routing and the key preprocessing.
class ReflectionScope {
 public:
  explicit ReflectionScope(bool on);
  ~ReflectionScope();
  ReflectionScope(const ReflectionScope&) = delete;
  ReflectionScope& operator=(const ReflectionScope&) = delete;

 private:
  bool saved_;
};

// During key preprocessing: the window the key message was aimed at (it may be a foreign child
// of the framework control), asked for WM_GETDLGCODE.
class KeyWindowScope {
 public:
  explicit KeyWindowScope(HWND wnd);
  ~KeyWindowScope();
  KeyWindowScope(const KeyWindowScope&) = delete;
  KeyWindowScope& operator=(const KeyWindowScope&) = delete;

 private:
  HWND saved_;
};

// Live framework windows (for leak checks in tests).
long LiveFrameworkWindows();

}  // namespace ui
