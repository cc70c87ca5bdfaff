// Move-only owners for every system handle the program allocates.
//
// Nothing outside this file deletes a GDI object, releases a DC, unhooks a hook or removes a
// subclass by hand. Each owner counts itself in a per-kind live counter, so tests can prove that
// repeated create/paint/destroy cycles give every handle back.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace ui {

enum class HandleKind : int {
  Bitmap,
  Brush,
  Pen,
  Font,
  Region,
  Icon,
  Menu,
  MemoryDC,
  WindowDC,
  PaintDC,
  Hook,
  Timer,
  Subclass,
  Com,
  ImageList,
  Window,  // a window of our own that is no control (the skin manager's)
  Count_
};

const char* HandleKindName(HandleKind kind);

// Live owners per kind in this process (all on the one GUI thread, so plain integers).
class HandleCounts {
 public:
  static long Live(HandleKind kind);
  static long Total();  // sum over all kinds
  static void Add(HandleKind kind, long delta);
};

// ---------------------------------------------------------------------------------------------
// Single-value handles: GDI objects, icons, menus, memory DCs, hooks.

template <class H, HandleKind K, BOOL(WINAPI* Close)(H)>
class UniqueHandle {
 public:
  using Handle = H;
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {
    if (h_) HandleCounts::Add(K, +1);
  }
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

  // Gives ownership away (e.g. a region after a successful SetWindowRgn belongs to the system).
  H release() {
    if (h_) HandleCounts::Add(K, -1);
    return std::exchange(h_, nullptr);
  }
  void reset(H h = nullptr) {
    if (h_ == h) return;
    H old = std::exchange(h_, h);
    if (old) {
      Close(old);
      HandleCounts::Add(K, -1);
    }
    if (h_) HandleCounts::Add(K, +1);
  }

 private:
  H h_ = nullptr;
};

namespace detail {
template <class H>
BOOL WINAPI DeleteGdi(H h) {
  return DeleteObject(reinterpret_cast<HGDIOBJ>(h));
}
BOOL WINAPI DeleteMemDC(HDC dc);
BOOL WINAPI Unhook(HHOOK hook);
}  // namespace detail

using GdiBitmap = UniqueHandle<HBITMAP, HandleKind::Bitmap, detail::DeleteGdi<HBITMAP>>;
using GdiBrush = UniqueHandle<HBRUSH, HandleKind::Brush, detail::DeleteGdi<HBRUSH>>;
using GdiPen = UniqueHandle<HPEN, HandleKind::Pen, detail::DeleteGdi<HPEN>>;
using GdiFont = UniqueHandle<HFONT, HandleKind::Font, detail::DeleteGdi<HFONT>>;
using GdiRegion = UniqueHandle<HRGN, HandleKind::Region, detail::DeleteGdi<HRGN>>;
using IconHandle = UniqueHandle<HICON, HandleKind::Icon, DestroyIcon>;
using MenuHandle = UniqueHandle<HMENU, HandleKind::Menu, DestroyMenu>;
using MemoryDC = UniqueHandle<HDC, HandleKind::MemoryDC, detail::DeleteMemDC>;
using HookHandle = UniqueHandle<HHOOK, HandleKind::Hook, detail::Unhook>;
using ImageListHandle = UniqueHandle<HIMAGELIST, HandleKind::ImageList, ImageList_Destroy>;
using WindowHandle = UniqueHandle<HWND, HandleKind::Window, DestroyWindow>;

// A memory DC compatible with `reference` (nullptr: the screen).
MemoryDC MakeMemoryDC(HDC reference = nullptr);

// ---------------------------------------------------------------------------------------------
// A DC obtained with GetDC / GetWindowDC / GetDCEx, released with the same window.

class WindowDC {
 public:
  WindowDC() = default;
  // Takes a DC already obtained for `wnd`; nullptr dc means none.
  WindowDC(HWND wnd, HDC dc);
  static WindowDC Client(HWND wnd);                      // GetDC
  static WindowDC Whole(HWND wnd);                       // GetWindowDC
  static WindowDC Ex(HWND wnd, HRGN clip, DWORD flags);  // GetDCEx; clip is not taken over
  ~WindowDC() { reset(); }
  WindowDC(WindowDC&& o) noexcept;
  WindowDC& operator=(WindowDC&& o) noexcept;
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC get() const { return dc_; }
  HWND window() const { return wnd_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void reset();

 private:
  HWND wnd_ = nullptr;
  HDC dc_ = nullptr;
};

// BeginPaint / EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND wnd);
  ~PaintDC();
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;

  HDC get() const { return dc_; }
  const PAINTSTRUCT& info() const { return ps_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Scoped DC state.

// Selects an object into a DC and puts the previous one back before the guard dies. Declare the
// guard after the owner of the selected object, so the object is deselected before it is deleted.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~SelectGuard() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// SaveDC / RestoreDC: scopes clip region, origins, colours, modes and selected objects.
class SaveDCGuard {
 public:
  explicit SaveDCGuard(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SaveDCGuard() {
    if (saved_ > 0) RestoreDC(dc_, saved_);
  }
  SaveDCGuard(const SaveDCGuard&) = delete;
  SaveDCGuard& operator=(const SaveDCGuard&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// ---------------------------------------------------------------------------------------------
// Timers: a window timer (window + id) or a thread timer (null window + id SetTimer returned).

class TimerHandle {
 public:
  TimerHandle() = default;
  // SetTimer(wnd, id, ms, proc); with a null window the system chooses the id.
  TimerHandle(HWND wnd, UINT_PTR id, UINT ms, TIMERPROC proc = nullptr);
  ~TimerHandle() { reset(); }
  TimerHandle(TimerHandle&& o) noexcept;
  TimerHandle& operator=(TimerHandle&& o) noexcept;
  TimerHandle(const TimerHandle&) = delete;
  TimerHandle& operator=(const TimerHandle&) = delete;

  UINT_PTR id() const { return id_; }
  explicit operator bool() const { return id_ != 0; }
  void reset();

 private:
  HWND wnd_ = nullptr;
  UINT_PTR id_ = 0;
};

// ---------------------------------------------------------------------------------------------
// A comctl32 subclass of a window we did not create (SetWindowSubclass / RemoveWindowSubclass).

class SubclassHandle {
 public:
  SubclassHandle() = default;
  // Installs the subclass; check with operator bool.
  SubclassHandle(HWND wnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR ref);
  ~SubclassHandle() { reset(); }
  SubclassHandle(SubclassHandle&& o) noexcept;
  SubclassHandle& operator=(SubclassHandle&& o) noexcept;
  SubclassHandle(const SubclassHandle&) = delete;
  SubclassHandle& operator=(const SubclassHandle&) = delete;

  HWND window() const { return wnd_; }
  explicit operator bool() const { return wnd_ != nullptr; }
  void reset();
  // The window is going away (WM_NCDESTROY): comctl32 drops the subclass itself; only forget it.
  void forget();

 private:
  HWND wnd_ = nullptr;
  SUBCLASSPROC proc_ = nullptr;
  UINT_PTR id_ = 0;
};

// ---------------------------------------------------------------------------------------------
// COM interface pointer.

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Adopts a reference the caller already holds (e.g. from CoCreateInstance).
  static ComPtr Adopt(T* p) {
    ComPtr c;
    c.p_ = p;
    if (p) HandleCounts::Add(HandleKind::Com, +1);
    return c;
  }
  // Takes a new reference.
  static ComPtr Share(T* p) {
    if (p) p->AddRef();
    return Adopt(p);
  }
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr& o) : ComPtr(Share(o.p_)) {}
  ComPtr& operator=(const ComPtr& o) {
    if (this != &o) *this = Share(o.p_);
    return *this;
  }
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  void reset() {
    if (T* p = std::exchange(p_, nullptr)) {
      HandleCounts::Add(HandleKind::Com, -1);
      p->Release();
    }
  }
  template <class U>
  ComPtr<U> As(REFIID iid) const {
    U* out = nullptr;
    if (p_ && SUCCEEDED(p_->QueryInterface(iid, reinterpret_cast<void**>(&out))))
      return ComPtr<U>::Adopt(out);
    return {};
  }

 private:
  T* p_ = nullptr;
};

}  // namespace ui
