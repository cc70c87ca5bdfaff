// TWScrollbar: a window laid exactly over one native scroll bar, painted from the skin's scroll-bar
// images. The native bar keeps its behaviour: a press on the overlay is handed to the host as a
// press on its own bar, so the system's tracking does the scrolling and the host gets its usual
// scroll requests. The overlay follows its host by itself (moves, sizes, bars that come and go,
// hiding, the host's window dying); skinners add what only they know (framework visibility,
// enabled state) through UpdateBar, HideBar and SetEnabled.
//
// A child host gets a child overlay, a sibling directly above it in Z order; a host without a
// parent window (a drop-down list) gets an owned pop-up overlay in screen coordinates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "skin/controls/ScrollGeometry.h"
#include "skin/frame/FrameHost.h"
#include "skin/frame/FramePainter.h"
#include "ui/Classes.h"
#include "ui/Handles.h"

namespace skin {

class TSkinData;

class TWScrollbar : public ui::TObject {
 public:
  enum BarKind : uint8_t { kHorizontalBar = 0, kVerticalBar = 1, kControlBar = 2 };

  // `form` lends the skin's images (kept in its DCs), `skin` names them; neither is owned.
  TWScrollbar(IControlSkinnerHost* form, TSkinData* skin);
  ~TWScrollbar();
  TWScrollbar(const TWScrollbar&) = delete;
  TWScrollbar& operator=(const TWScrollbar&) = delete;

  // Covers `host`'s horizontal or vertical window bar, or (kControlBar) the scroll-bar control
  // `host` itself. False when the overlay window cannot be made. Attaching again moves the
  // overlay to the new host. A `fed` overlay does not hook the host: its owner is in the host's
  // message stream already and hands on every message the host has handled (FollowHost).
  bool AttachToWindow(HWND host, BarKind kind, bool fed = false);
  // A message the host has just handled, for an overlay attached as fed.
  void FollowHost(UINT msg, WPARAM wParam, LPARAM lParam);
  // Destroys the overlay window and lets go of the host.
  void Detach();
  // Re-reads the bar and places, shows or hides the overlay.
  void UpdateBar();
  void HideBar();
  // Greys the bar (no thumb) or brings it back.
  void SetEnabled(bool on);
  void Invalidate();

  // The bar part shown hot or pressed (a ScrollZone, or a scroll request code of the host).
  int HoverZone() const { return hoverZone_; }
  void SetHoverZone(int zone);

  bool Visible() const { return visible_; }
  bool Pressed() const { return pressed_; }
  bool Vertical() const { return vertical_; }
  BarKind Kind() const { return kind_; }
  HWND Window() const { return wnd_; }
  HWND Host() const { return host_; }
  // The bar in the host's client coordinates (valid while Visible).
  RECT BarRect() const { return barRect_; }
  // The bar in screen coordinates (valid while Visible).
  RECT ScreenRect() const { return screenRect_; }

  // The skin has the images an overlay paints with; without them overlays are not worth making.
  static bool SkinHasBars(const TSkinData* skin);
  // Paints the bar as it is now into dc at (0, 0) (the overlay's paint, also for printing).
  void PaintTo(HDC dc);

 private:
  // What the painter and the placement read of the bar.
  struct BarInfo {
    RECT screen{};  // the bar in screen coordinates
    ThumbSpan thumb;
    bool visible = false, enabled = true;
  };
  bool ReadBar(BarInfo& info) const;
  // Invalidates the overlay unless it shows the bar as `info` has it already (following the host
  // must not paint an unchanged bar again: the host paints after its overlays).
  void InvalidateIfChanged(const BarInfo& info);
  bool EnsureWindow();
  // Re-reads the bar and places, shows or hides the overlay; the Z order is checked only when it
  // may have changed (every check is a round trip to the window server).
  void Follow(bool orderMayChange);
  void Place(const BarInfo& info, bool checkOrder);
  void Press(LPARAM lParam);
  void Release(LPARAM lParam);
  LPARAM ToHostPoint(LPARAM overlayPoint) const;
  // The host is enabled: the overlay answers the mouse for it.
  bool TakesInput() const;
  void HostMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void HostGone();
  LRESULT OverlayMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK OverlayProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK HostProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  IControlSkinnerHost* form_;
  TSkinData* skin_;
  HWND host_ = nullptr;
  HWND wnd_ = nullptr;
  bool popup_ = false;  // the overlay is an owned pop-up (the host has no parent window)
  ui::SubclassHandle hostHook_;
  BarKind kind_ = kVerticalBar;
  bool vertical_ = true;
  bool visible_ = false;
  bool pressed_ = false;
  bool enabled_ = true;
  bool tracking_ = false;  // a mouse-leave notification is requested
  bool addedClipSiblings_ = false;
  // The system's arrow size at the window's DPI, A.
  int Arrow() const { return form_ ? form_->Metric(SM_CXHSCROLL) : GetSystemMetrics(SM_CXHSCROLL); }
  int length_ = 0;
  int hoverZone_ = kZoneNone;
  ThumbSpan thumb_;
  // The bar as the last paint showed it; unknown after a new host or skin.
  BarInfo painted_;
  bool paintedKnown_ = false;
  // The window is new or has a new parent: its place above the host is checked at the next placing.
  bool orderUnknown_ = true;
  bool paintingScreen_ = false;  // PaintTo is painting the overlay's window (not a print)
  int pressThumbTop_ = 0;
  POINT pressCursor_{};
  RECT barRect_{}, screenRect_{};
  FrameBuffer buffer_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace skin
