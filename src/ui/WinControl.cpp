// TWinControl: window creation and binding, the framework window procedure, child lists, tab
// order, painting of window-less children, notification reflection and key preprocessing.
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Text.h"
#include "ui/TypInfo.h"

namespace ui {

TControl* CaptureControlOf(TWinControl* parent);  // Controls.cpp

namespace {

// The object whose window is being created: catches the messages that arrive before
// WM_NCCREATE (WM_GETMINMAXINFO under Wine) and those of superclassed system windows.
thread_local TObject* t_creating = nullptr;
// The window a key message was aimed at (it may be a foreign child of the control).
thread_local HWND t_keyWindow = nullptr;
long g_liveWindows = 0;

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

bool IsFrameworkPrivateRange(UINT msg) { return msg >= CM_BASE && msg < 0xC000; }

// Child window ids lie above the forms' menu command ids (1 ... 4095), so the low word of a
// WM_COMMAND never names both a menu item and a control, and below 0x10000, which that word holds.
constexpr UINT kFirstChildId = 0x1000;
constexpr UINT kChildIdCount = 0x10000 - kFirstChildId;

// Every framework class gives its windows one pointer more of extra bytes than its base class,
// the last one, and a bound window keeps its object there as well as in the ControlOfs property.
// Under Wine reading a property is a round trip to the window server, reading the extra bytes of
// one of this process's windows is not, and the framework procedure asks on every message.
int ObjectSlot(HWND wnd) {
  return static_cast<int>(GetClassLongW(wnd, GCL_CBWNDEXTRA)) - static_cast<int>(sizeof(LONG_PTR));
}

TWinControl* SlotControl(HWND wnd) {
  const int slot = ObjectSlot(wnd);
  return slot < 0 ? nullptr : reinterpret_cast<TWinControl*>(GetWindowLongPtrW(wnd, slot));
}

void SetSlotControl(HWND wnd, TWinControl* control) {
  const int slot = ObjectSlot(wnd);
  if (slot >= 0) SetWindowLongPtrW(wnd, slot, reinterpret_cast<LONG_PTR>(control));
}

void EnsureCommonControls() {
  static bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES |
                                             ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

}  // namespace

HINSTANCE MainInstance() { return GetModuleHandleW(nullptr); }

// The object a window of one of our classes was made for, when the window is not bound yet: the
// thread's window being created, else the parameter WM_NCCREATE carries (our classes pass it).
static TObject* CreatingObject(UINT msg, LPARAM lParam) {
  if (t_creating) return t_creating;
  if (msg != WM_NCCREATE) return nullptr;
  return static_cast<TObject*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
}

HWND CreateBoundWindow(TObject* object, const BoundWindowParams& p) {
  TObject* saved = std::exchange(t_creating, object);
  HWND wnd = CreateWindowExW(p.exStyle, p.className, p.title, p.style, p.x, p.y, p.width, p.height,
                             p.parent, nullptr, MainInstance(), object);
  t_creating = saved;
  if (!wnd) throw EOutOfResources(L"Error creating window " + std::wstring(p.className));
  return wnd;
}

HWND CreateBoundWindow(TObject* object, const wchar_t* className, DWORD style, HWND parent) {
  BoundWindowParams p;
  p.className = className;
  p.style = style;
  p.parent = parent;
  return CreateBoundWindow(object, p);
}

TObject* BoundObject(HWND wnd, UINT msg, LPARAM lParam) {
  // A class with extra bytes keeps the object in their last pointer, as framework controls do: a
  // procedure that asks on every message then makes no round trip to the window server.
  if (const int slot = ObjectSlot(wnd); slot >= 0) {
    auto* object = reinterpret_cast<TObject*>(GetWindowLongPtrW(wnd, slot));
    if (!object && msg != WM_NCDESTROY && (object = CreatingObject(msg, lParam))) {
      if (t_creating == object) t_creating = nullptr;
      SetWindowLongPtrW(wnd, slot, reinterpret_cast<LONG_PTR>(object));
    }
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(wnd, slot, 0);
    return object;
  }
  auto* object = static_cast<TObject*>(GetPropW(wnd, MAKEINTATOM(ControlAtom())));
  if (!object && msg != WM_NCDESTROY && (object = CreatingObject(msg, lParam))) {
    if (t_creating == object) t_creating = nullptr;
    SetPropW(wnd, MAKEINTATOM(ControlAtom()), static_cast<HANDLE>(object));
  }
  if (msg == WM_NCDESTROY) RemovePropW(wnd, MAKEINTATOM(ControlAtom()));
  return object;
}

ATOM ControlAtom() {
  static const ATOM atom = [] {
    char name[64];
    std::snprintf(name, sizeof name, "ControlOfs%.8X%.8X",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(MainInstance())),
                  static_cast<unsigned>(GetCurrentThreadId()));
    return GlobalAddAtomA(name);
  }();
  return atom;
}

long LiveFrameworkWindows() { return g_liveWindows; }

KeyWindowScope::KeyWindowScope(HWND wnd) : saved_(t_keyWindow) { t_keyWindow = wnd; }
KeyWindowScope::~KeyWindowScope() { t_keyWindow = saved_; }

// The one window procedure of every framework window class. It finds its object from the
// window (never from its own address), so it works behind any other subclass.
LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = SlotControl(wnd);
  if (!control) {
    TObject* creating = CreatingObject(msg, lParam);
    control = creating ? dynamic_cast<TWinControl*>(creating) : nullptr;
    if (!control) return DefWindowProcW(wnd, msg, wParam, lParam);
    control->Bind(wnd);
  }
  return control->Dispatch(wnd, msg, wParam, lParam);
}

// ---- TWinControl ------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TWinControl, TControl,
                   P::Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
                   P::Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop))

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) { brush_.SetColor(Color()); }

TWinControl::~TWinControl() {
  // Locals and members that were never freed with delete: leave the parent while this is still
  // a windowed control (its tab list holds it as one).
  if (Parent()) Parent()->RemoveControl(this);
  if (handle_) DestroyHandle();
  while (!controls_.empty()) RemoveControl(controls_.back());
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();  // owned components first, then out of the parent
  DestroyHandle();
  // Children owned by someone else go with their parent.
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    RemoveControl(child);
    delete child;
  }
}

void TWinControl::Unbind(HWND wnd) {
  RemovePropW(wnd, MAKEINTATOM(ControlAtom()));
  SetSlotControl(wnd, nullptr);
  if (handle_ == wnd) {
    handle_ = nullptr;
    --g_liveWindows;
  }
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  // Only windows of our classes are bound to controls (a window of another process answers no
  // class questions).
  if (!wnd || reinterpret_cast<WNDPROC>(GetClassLongPtrW(wnd, GCLP_WNDPROC)) != FrameworkWndProc)
    return nullptr;
  return SlotControl(wnd);
}

TWinControl* TWinControl::FindNearestControl(HWND wnd) {
  for (; wnd; wnd = GetAncestor(wnd, GA_PARENT))
    if (TWinControl* c = FindControl(wnd)) return c;
  return nullptr;
}

void TWinControl::Bind(HWND wnd) {
  if (t_creating == this) t_creating = nullptr;
  handle_ = wnd;
  SetPropW(wnd, MAKEINTATOM(ControlAtom()), static_cast<HANDLE>(static_cast<TObject*>(this)));
  SetSlotControl(wnd, this);
  ++g_liveWindows;
}

LRESULT TWinControl::Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  {
    ReflectionScope notReflected(false);
    try {
      WindowProc(m);
    } catch (...) {
      // Nothing may unwind through the system's frames.
      try {
        if (Application) Application->HandleException(this);
      } catch (...) {
      }
    }
  }
  // Only our own binding goes; a foreign GWLP_WNDPROC stays as its owner left it.
  if (msg == WM_NCDESTROY) Unbind(wnd);
  return m.Result;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (TWinControl* parent = Parent()) parent->HandleNeeded();
  if (handle_) return;  // the parent made ours while making its children
  CreateWnd();
  CreateHandleDone();
  CreateChildHandles();
  Realign();
}

void TWinControl::CreateChildHandles() {
  for (TWinControl* child : tabList_)
    if (!child->HandleAllocated()) child->HandleNeeded();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (controlStyle_ & csAcceptsControls) p.Style |= WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = Parent() ? Parent()->Handle() : parentWindow_;
  p.WindowClass.cbSize = sizeof(WNDCLASSEXW);
  p.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  p.WindowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  p.WindowClass.lpfnWndProc = DefWindowProcW;
  p.WinClassName = Widen(ClassName());
  defWndProc_ = DefWindowProcW;
}

void TWinControl::CreateSubClass(TCreateParams& p, const wchar_t* sysClassName) {
  EnsureCommonControls();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(nullptr, sysClassName, &wc) &&
      !GetClassInfoExW(MainInstance(), sysClassName, &wc))
    throw EOutOfResources(L"Window class " + std::wstring(sysClassName) + L" is not available");
  p.WindowClass = wc;
  p.WindowClass.cbSize = sizeof wc;
  p.SysClassName = sysClassName;
  defWndProc_ = wc.lpfnWndProc;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent)
    throw EInvalidOperation(L"Control '" + Widen(Name()) + L"' has no parent window");
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  bool registered = GetClassInfoExW(MainInstance(), p.WinClassName.c_str(), &existing) != FALSE;
  if (registered && existing.lpfnWndProc != FrameworkWndProc) {
    // Someone else's class of the same name (or a stale one): ours must be used.
    UnregisterClassW(p.WinClassName.c_str(), MainInstance());
    registered = false;
  }
  if (!registered) {
    WNDCLASSEXW wc = p.WindowClass;
    wc.cbSize = sizeof wc;
    wc.style &= ~CS_GLOBALCLASS;
    wc.lpfnWndProc = FrameworkWndProc;
    wc.cbWndExtra += static_cast<int>(sizeof(LONG_PTR));  // the object slot
    wc.hInstance = MainInstance();
    wc.lpszClassName = p.WinClassName.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExW(&wc))
      throw EOutOfResources(L"Cannot register window class " + p.WinClassName);
  }
  CreateWindowHandle(p);
  if (!handle_) throw EOutOfResources(L"Error creating window " + p.WinClassName);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  TObject* saved = std::exchange(t_creating, this);
  // Our own classes carry the object in the creation parameter as well; system classes keep
  // theirs (some read it).
  void* param = p.SysClassName.empty() ? static_cast<void*>(static_cast<TObject*>(this)) : p.Param;
  // A child's id is how the system names it to its parent (WM_MEASUREITEM carries nothing else).
  HMENU id = (p.Style & WS_CHILD)
                 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(UnusedChildId(p.WndParent)))
                 : nullptr;
  HWND wnd = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X,
                             p.Y, p.Width, p.Height, p.WndParent, id, MainInstance(), param);
  t_creating = saved;
  if (!wnd) handle_ = nullptr;
}

UINT TWinControl::UnusedChildId(HWND parent) {
  if (childId_ && !GetDlgItem(parent, static_cast<int>(childId_))) return childId_;
  // One counter for every parent: ids are seldom reused, and a taken one is skipped.
  static thread_local UINT next = 0;
  for (UINT tries = 0; tries < kChildIdCount; ++tries) {
    const UINT id = kFirstChildId + next;
    next = (next + 1) % kChildIdCount;
    if (!GetDlgItem(parent, static_cast<int>(id))) return childId_ = id;
  }
  throw EOutOfResources(L"No free child window id");
}

void TWinControl::ReparentWindow(HWND parent) {
  ::SetParent(handle_, parent);
  if (!(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD)) return;
  HWND same = GetDlgItem(parent, static_cast<int>(childId_));
  if (same && same != handle_) {
    childId_ = 0;
    SetWindowLongPtrW(handle_, GWLP_ID, static_cast<LONG_PTR>(UnusedChildId(parent)));
  }
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  text_ = GetText();  // survives re-creation
  HWND wnd = handle_;
  DestroyWindow(wnd);
  // The window died without reaching us (a foreign procedure swallowed its last message).
  if (handle_ == wnd) Unbind(wnd);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  bool focused = Focused();
  DestroyHandle();
  HandleNeeded();
  if (focused && CanFocus()) ::SetFocus(handle_);
}

void TWinControl::SetParentWindow(HWND wnd) {
  if (wnd == parentWindow_) return;
  parentWindow_ = wnd;
  if (handle_ && !Parent()) ReparentWindow(wnd);
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  HWND old = handle_;
  TControl::SetParent(parent);
  // A window moved to a new parent window keeps its handle.
  if (old && handle_ == old && parent && parent->HandleAllocated())
    ReparentWindow(parent->Handle());
}

// ---- Children ---------------------------------------------------------------------------------

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  // Its place in the client area stays where it is: in a scrolled parent's content that is
  // as far down and right as the content is scrolled.
  ShiftDesign(control, ScrollOffset(), +1);
  // Designed at 96 dpi like everything else: shown at its new parent's DPI.
  if (control->CurrentPPI() != CurrentPPI()) control->ScaleForPPI(CurrentPPI());
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (handle_) {
      if (w->HandleAllocated())
        w->ReparentWindow(handle_);
      else if (!HasState(csLoading))
        w->HandleNeeded();
    }
  }
  if (control->Align() != TAlign::alNone) Realign();
  control->Invalidate();
  ContentChanged();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  if (TCustomForm* form = GetParentForm(this)) {
    if (auto* w = dynamic_cast<TWinControl*>(control)) form->DefocusControl(w, true);
  }
  control->Invalidate();
  controls_.erase(std::find(controls_.begin(), controls_.end(), control));
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    // A child window cannot outlive its parent link.
    if (w->handle_ && !w->parentWindow_) w->DestroyHandle();
  }
  ShiftDesign(control, ScrollOffset(), -1);
  control->parent_ = nullptr;
  if (control->Align() != TAlign::alNone) Realign();
  ContentChanged();
}

void TWinControl::ShiftDesign(TControl* control, POINT offset, int sign) {
  if (offset.x == 0 && offset.y == 0) return;
  control->design_.left += sign * ScaleValue(offset.x, kDesignPpi, CurrentPPI());
  control->design_.top += sign * ScaleValue(offset.y, kDesignPpi, CurrentPPI());
}

void TWinControl::ScrollChildren(int dx, int dy, bool windowsMoved) {
  for (TControl* c : controls_) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && w->handle_) {
      if (!windowsMoved)
        SetWindowPos(w->handle_, nullptr, c->left_ + dx, c->top_ + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      w->UpdateBoundsFromWindow();
    } else {
      c->left_ += dx;
      c->top_ += dy;
    }
  }
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls) {
  // Window-less controls lie above their windowed siblings' parent area; later ones on top.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    RECT r = c->BoundsRect();
    if (c->Visible() && (allowDisabled || c->Enabled()) && PtInRect(&r, p)) return c;
  }
  if (allowWinControls) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
      auto* w = dynamic_cast<TWinControl*>(*it);
      if (!w) continue;
      RECT r = w->BoundsRect();
      if (w->Visible() && (allowDisabled || w->Enabled()) && PtInRect(&r, p)) return w;
    }
  }
  return nullptr;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool on) {
  if (on == tabStop_) return;
  tabStop_ = on;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, on ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  auto it = std::find(list.begin(), list.end(), current);
  int i = it == list.end() ? (forward ? n - 1 : 0) : static_cast<int>(it - list.begin());
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c == current) break;
    if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus())
      return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop))
    next->SetFocus();
}

bool TWinControl::CanFocus() {
  for (TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this); form && form != this) {
    form->FocusControl(this);
  } else {
    ::SetFocus(Handle());
  }
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_) && Visible(); }

void TWinControl::SetVisible(bool visible) {
  if (visible == Visible()) return;
  visible_ = visible;
  if (handle_) {
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
  Perform(CM_VISIBLECHANGED, visible, 0);
  RequestAlign();
  if (Parent()) Parent()->ContentChanged();
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

RECT TWinControl::ClientRect() {
  if (handle_) {
    RECT r{};
    GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  NoteRequestedBounds(left, top, width, height);
  ConstrainSize(width, height);
  if (handle_) {
    if (left != Left() || top != Top() || width != Width() || height != Height())
      SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // What the window really took (a combo box keeps its own height).
    UpdateBoundsFromWindow();
  } else {
    UpdateBoundsFields(left, top, width, height);
  }
  RequestAlign();
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT r{};
  GetWindowRect(handle_, &r);
  HWND parent = (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) ? GetParent(handle_) : nullptr;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::wstring TWinControl::GetText() {
  if (!handle_) return text_;
  int n = GetWindowTextLengthW(handle_);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(handle_, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  return s;
}

void TWinControl::TextChanged() {
  // Through the window's whole procedure chain, so anyone watching WM_SETTEXT sees it.
  if (handle_) SetWindowTextW(handle_, text_.c_str());
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
  TControl::FontChanged();
  WholeClientInvalid covered(*this);
  for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  brush_.SetColor(Color());
  TControl::ColorChanged();
  WholeClientInvalid covered(*this);
  for (TControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::SetPPI(int ppi) {
  TControl::SetPPI(ppi);
  for (TControl* c : controls_) c->SetPPI(ppi);
}

void TWinControl::ApplyDesignScale() {
  TControl::ApplyDesignScale();
  // Handlers on the way (a font change, a resize) may add or free children.
  const std::vector<TControl*> children = controls_;
  for (TControl* c : children)
    if (std::find(controls_.begin(), controls_.end(), c) != controls_.end()) c->ApplyDesignScale();
  Realign();
}

void TWinControl::Realign() {
  if (alignLevel_ > 0) return;
  ++alignLevel_;
  RECT r = ClientRect();
  try {
    AlignControls(r);
  } catch (...) {
    --alignLevel_;
    throw;
  }
  --alignLevel_;
}

void TWinControl::AlignControls(RECT& r) {
  auto place = [&](TAlign which) {
    for (TControl* c : controls_) {
      if (c->Align() != which || !c->Visible()) continue;
      int w = c->Width(), h = c->Height();
      switch (which) {
        case TAlign::alTop:
          c->SetBounds(r.left, r.top, r.right - r.left, h);
          r.top += h;
          break;
        case TAlign::alBottom:
          c->SetBounds(r.left, r.bottom - h, r.right - r.left, h);
          r.bottom -= h;
          break;
        case TAlign::alLeft:
          c->SetBounds(r.left, r.top, w, r.bottom - r.top);
          r.left += w;
          break;
        case TAlign::alRight:
          c->SetBounds(r.right - w, r.top, w, r.bottom - r.top);
          r.right -= w;
          break;
        case TAlign::alClient:
          c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
          break;
        default:
          break;
      }
    }
  };
  for (TAlign a :
       {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
    place(a);
}

void TWinControl::Broadcast(TMessage& m) {
  std::vector<TControl*> children = controls_;  // handlers may add or free controls
  for (TControl* c : children) {
    if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
    c->WindowProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = controls_.begin();
  if (first) it = std::find(controls_.begin(), controls_.end(), first);
  std::vector<TControl*> todo(it, controls_.end());
  for (TControl* c : todo) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    SaveDCGuard saved(dc);
    POINT org{};
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + r.left, org.y + r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::PaintWindow(HDC dc) {
  // System classes paint themselves into a given DC; our own classes have nothing beyond the
  // background and the window-less children.
  if (defWndProc_ && defWndProc_ != DefWindowProcW) {
    TMessage pm{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(pm);
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  std::optional<PaintDC> paint;
  if (!dc) {
    paint.emplace(handle_);
    dc = paint->get();
  }
  {
    SaveDCGuard saved(dc);
    PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
  m.Result = 0;
}

void TWinControl::EraseBackground(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  RECT r = ClientRect();
  FillRect(dc, &r, brush_.Handle());
  m.Result = 1;
}

void TWinControl::ColorControl(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  SetBkColor(dc, ColorToRGB(brush_.Color()));
  m.Result = reinterpret_cast<LRESULT>(brush_.Handle());
}

bool TWinControl::ReflectNotification(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
      child = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (dis->CtlType != ODT_MENU) child = dis->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (mis->CtlType != ODT_MENU) child = GetDlgItem(handle_, static_cast<int>(mis->CtlID));
      break;
    }
    case WM_COMPAREITEM:
      child = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem;
      break;
    case WM_DELETEITEM:
      child = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem;
      break;
    default:
      break;
  }
  TWinControl* target = FindControl(child);
  if (!target || target == this) return false;
  ReflectionScope reflected(true);
  m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

bool TWinControl::RouteMouseToChild(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = CaptureControlOf(this);
  if (!target) target = ControlAtPos(p, false);
  if (!target) return false;
  TMessage cm{m.Msg, m.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()), 0};
  target->WindowProc(cm);
  m.Result = cm.Result;
  return true;
}

bool TWinControl::WantsKey(WORD key) {
  UINT mask = 0;
  switch (key) {
    case VK_TAB:
      mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
      mask = DLGC_WANTALLKEYS;
      break;
    default:
      return true;
  }
  if (Perform(CM_WANTSPECIALKEY, key, 0) != 0) return true;
  HWND target = t_keyWindow ? t_keyWindow : handle_;
  MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
  LRESULT code = SendMessageW(target, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
  return (code & mask) != 0;
}

void TWinControl::HandleKeyPreprocess(TMessage& m) {
  WORD key = LOWORD(m.WParam);
  // The focus may sit in a window of ours we did not make (the inner combo box of an extended
  // combo): the form must know which control has it before it moves on from there.
  if (TCustomForm* form = GetParentForm(this); form && form != this && handle_) {
    HWND focus = GetFocus();
    if (focus && (focus == handle_ || IsChild(handle_, focus)) && form->ActiveControl() != this)
      form->SetFocusedControl(this);
  }
  switch (m.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
      if (OnKeyDown) {
        WORD k = key;
        OnKeyDown(this, k, KeyDataToShiftState(m.LParam));
        if (k == 0) {
          m.Result = 1;
          return;
        }
      }
      if (!WantsKey(key)) {
        if (TCustomForm* form = GetParentForm(this))
          if (form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) m.Result = 1;
      }
      break;
    }
    case CN_SYSCHAR:
      if (TCustomForm* form = GetParentForm(this))
        if (form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) m.Result = 1;
      break;
    default:
      break;
  }
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this); form && form != this) {
        if (!form->SetFocusedControl(this)) return;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
      if (m.LParam && ReflectNotification(m)) return;
      break;
    case WM_ERASEBKGND:
      if (defWndProc_ == DefWindowProcW) {
        EraseBackground(m);
        return;
      }
      break;
    case WM_PAINT:
      if (defWndProc_ == DefWindowProcW) {
        PaintHandler(m);
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (handle_) UpdateBoundsFromWindow();
      break;
    case WM_SIZE:
      Realign();
      break;
    case WM_MOUSEMOVE: {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      TControl* over = CaptureControlOf(this);
      if (!over) over = ControlAtPos(p, true);
      if (Application) Application->NoteMouseControl(over ? over : this, handle_);
      if (RouteMouseToChild(m)) return;
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      if (RouteMouseToChild(m)) return;
      break;
    case WM_MOUSELEAVE:
      if (Application) Application->CheckMouseControl();
      break;
    case WM_CANCELMODE:
      if (CaptureControlOf(this)) CaptureControlOf(this)->SetMouseCapture(false);
      break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
    case CN_SYSCHAR:
      if (InReflection()) HandleKeyPreprocess(m);
      return;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORSCROLLBAR:
      if (InReflection()) ColorControl(m);
      return;
    case CM_ENABLEDCHANGED:
      if (handle_) EnableWindow(handle_, Enabled());
      break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
      Broadcast(m);
      return;
    case CM_RECREATEWND:
      RecreateWnd();
      return;
    default:
      break;
  }
  TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_ || IsFrameworkPrivateRange(m.Msg)) {
    // The framework's own numbers (and anyone's private ones in that range) end here: a
    // window that does not handle them answers 0.
    return;
  }
  m.Result = CallWindowProcW(defWndProc_ ? defWndProc_ : DefWindowProcW, handle_, m.Msg, m.WParam,
                             m.LParam);
}

bool TWinControl::PreProcessMessage(MSG&) { return false; }

}  // namespace ui
