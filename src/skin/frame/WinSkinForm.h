// TWinSkinForm turns one top-level window into a skinned window: it takes the window's messages
// first (in front of a framework form's handler, or by subclassing a foreign window), keeps its
// real styles, makes the client area smaller by the skin's border thicknesses, paints the
// caption, borders, caption text, icon and caption buttons itself from the skin, shapes the window
// with a region cut from the magenta-keyed borders, gives the non-client mouse input to the caption
// buttons and opens the system menu. Detach gives everything back exactly as it was.
//
// The skin manager makes one per window it skins: owned by the framework form, or by nobody for a
// foreign window such as a message box (the manager frees those once they report themselves
// finished). A window destroyed while its skinner is inside one of its messages only marks the
// skinner finished; nothing is freed from inside a message.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/frame/CaptionButtons.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FrameHost.h"
#include "skin/frame/FramePainter.h"
#include "skin/frame/PaintPrimitives.h"
#include "skin/frame/ScaledFrameSkin.h"
#include "skin/frame/SkinControlHost.h"
#include "skin/frame/SkinMenuItems.h"
#include "skin/frame/SkinMessages.h"
#include "skin/frame/SkinText.h"
#include "skin/frame/WinSkinMenu.h"
#include "ui/Forms.h"
#include "ui/HandlerLink.h"
#include "ui/Handles.h"
#include "ui/Menus.h"

namespace skin {

// The popup menu the frame builds from the system menu.
constexpr int kSystemMenuTag = 33333;

class TWinSkinForm : public ui::TComponent,
                     public IControlSkinnerHost,
                     public ui::IHandlerLinkTarget {
  UI_CLASS(TWinSkinForm, ui::TComponent)
 public:
  enum Lifecycle : int {
    kNew = 0,
    kLive = 1,
    kReskinning = 3,
    kDestroying = 4,
    kFitting = 5,
    kDestroyed = 6
  };
  // The framework makes no MDI windows: an MDI parent is only recognised (it keeps the plain
  // frame's handling; its client window is not subclassed and no maximized-child mode is kept),
  // and an MDI child gets the frame's few MDI rules below. Neither is reachable in this program.
  enum FormKind : int { kNormalForm = 0, kMdiParent = 1, kMdiChild = 2 };
  // The window timer that returns a caption button to normal once the pointer has left it.
  static constexpr UINT_PTR kHoverTimerId = 0x3590;
  static constexpr UINT kHoverIntervalMs = 250;

  TWinSkinForm(ui::TComponent* owner, IFormSkinnerHost* host);
  ~TWinSkinForm() override;

  // Set by the manager before attaching.
  HWND Handle = nullptr;
  std::string WindowClassName;

  // Attach to a framework form / to a bare window. False when the window is gone or could not be
  // subclassed (the manager then frees the skinner and treats the window as not skinned).
  bool AttachForm(TSkinData* skin, ui::TCustomForm* form);
  bool Attach(TSkinData* skin);
  // Undoes the skinning: procedure, style, size, region and colour as they were.
  void Detach();
  // The skin's elements were replaced: take the new metrics, images and buttons (nothing is
  // painted or resized yet).
  void ReloadSkinData();
  // The skin changed: reload, fit the window around its client area and repaint.
  void Reskin();

  // Paints the whole frame into `dc`, or into the window DC when none is given.
  void RepaintFrame(HDC dc = nullptr);
  // Gives the window the skin's shape for its size (again only after a new size or skin). Without
  // redraw nothing is invalidated: the caller paints the frame, the only part that can change.
  void UpdateRegion(bool redraw = true);
  void FitWindow(bool keepClient);
  // FitWindow(true) for a live window whose client area moves: no child window is repainted.
  void RefitKeepingChildren();

  // The window's DPI moved (WM_DPICHANGED, or a test): the frame is made again for it.
  void DpiChanged(int dpi);
  // The DPI the frame is painted for, and the skin's images and sizes at that DPI.
  int Dpi() const override { return dpi_; }
  const TScaledFrameSkin* ScaledSkin() const { return view_.get(); }

  // ---- State, for the manager and the tests ----
  int LifecycleState() const { return lifecycle_; }
  // ---- ui::IHandlerLinkTarget: a framework form's messages, through the skinner's link ----
  void LinkedMessage(ui::TMessage& message) override { FormMessage(message); }
  void LinkGone() override { link_ = nullptr; }

  // In the window's message stream: a framework form's handler, or a subclass of a bare window.
  bool Bound() const { return link_ || static_cast<bool>(subclass_); }
  // Destroyed or detached for good: the manager may free it (once no message of its window is
  // on the stack).
  bool Finished() const { return finished_ || lifecycle_ == kDestroyed; }
  bool InMessage() const { return depth_ > 0; }
  void MarkFinished() { finished_ = true; }
  ui::TCustomForm* Form() const { return form_; }
  TSkinData* SkinData() const { return skinData_; }
  const FrameMetrics& Metrics() const { return metrics_; }
  bool FrameSkinned() const { return frameSkinned_; }
  BorderKind Border() const { return borderKind_; }
  ShowState Show() const { return showState_; }
  bool Active() const { return active_; }
  const std::vector<std::unique_ptr<TWinSysButton>>& SysButtons() const { return sysButtons_; }
  TNCObject* HotObject() const { return hotObject_; }
  const ImageRect& CaptionTextRect() const { return captionTextRect_; }
  // The popup built from the system menu by the last ShowSystemMenu (or BuildSystemMenu).
  ui::TPopupMenu* SkinSystemMenu() const { return skinSystemMenu_.get(); }
  // Builds SkinSystemMenu from the window's system menu without showing it.
  ui::TPopupMenu* BuildSystemMenu();

  // ---- Control skinners of the window: the control host owns them ----
  TSkinControlHost& ControlHost() { return controlHost_; }
  const TSkinControlHost& ControlHost() const { return controlHost_; }
  // The manager hands the form skinner itself to the skinners it attaches; these pass through.
  bool AddControl(IControlSkinner* skinner) override { return controlHost_.AddControl(skinner); }
  void RemoveControl(IControlSkinner* skinner) override { controlHost_.RemoveControl(skinner); }
  FrameBuffer& ControlBuffer() override { return controlHost_.ControlBuffer(); }
  const ImageDC& SkinImage(ui::TBitmap* bitmap, int frames, bool vertical,
                           ui::TBitmap* art2x) override {
    return controlHost_.SkinImage(bitmap, frames, vertical, art2x);
  }
  int Metric(int index) const override { return controlHost_.Metric(index); }
  IControlSkinner* FindSkinnerByWindow(HWND wnd) const override {
    return controlHost_.FindSkinnerByWindow(wnd);
  }
  const std::vector<IControlSkinner*>& Controls() const { return controlHost_.Controls(); }
  bool IsControlSkinned(ui::TControl* control) const {
    return controlHost_.IsControlSkinned(control);
  }
  void PurgeDestroyed() { controlHost_.PurgeDestroyed(); }
  bool HasDestroyedControls() const { return controlHost_.HasDestroyedControls(); }
  // Asks for the control attaching pass to run again once the messages pending now have passed.
  void RequestControlPass();
  // ---- The menu bar (WinSkinMenu.cpp) ----
  TWinSkinMenu* MenuBar() const { return menuBar_.get(); }
  bool TrackingMenu() const { return trackingMenu_; }
  // The menu loop is ending (the user pressed Alt in it).
  void EndMenuTracking() { trackingMenu_ = false; }
  // Index of the menu-bar button whose pull-down is open, -1 when none.
  int OpenMenuIndex() const;
  // Opens a button's pull-down and tracks it (and the ones the user moves to) until it closes.
  void OpenMenuButton(int index);
  // Has the button opened by a click posted to the window.
  void PostOpenButton(int index);
  // Draws and measures owner-drawn menu items in the skin's look.
  TSkinMenuPainter& MenuPainter();

  // ---- Window commands (caption buttons and the system menu) ----
  void PerformAction(TWinSysButton& button, POINT screen);
  void ShowSystemMenu(POINT screen);
  void MaximizeToggle();
  void Restore();
  void MinimizeToggle();

 private:
  friend class TNCObject;
  friend class TWinSysButton;
  friend class TWinSkinMenu;

  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  // One message of the window, by either binding: counted while on the stack, and given the
  // window's own handling should the skin's part fail.
  LRESULT Route(UINT msg, WPARAM wParam, LPARAM lParam);
  // The three stages a message goes through: WindowProc sees every message (set-up, the
  // engine's requests, menus, colours); a window whose frame is skinned goes on to
  // FrameStateMessage (its show state, activation and region), and then to NonClientMessage (the
  // frame's size, painting, hit testing, mouse and menu items), which passes the rest on.
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Previous(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT FrameStateMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT NonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Every message of a framework form's window, in front of the form's own handler.
  void FormMessage(ui::TMessage& message);
  // The frame's own handling of some of those messages (reached through Previous).
  void FormWindowProc(ui::TMessage& message);

  bool AttachCore(TSkinData* skin);
  void ReadWindowState();
  void ComputeFrameMetrics();
  void LoadImages();
  void BuildSysButtons();
  void Setup();
  void DetachForDestruction();
  void RestoreFormHandler();
  void PutSystemMenuBack();
  void RefreshShowState();
  // WM_DPICHANGED: the frame at the new DPI, fitted into the window the form (or the system's
  // suggestion) gives.
  LRESULT DpiMessage(WPARAM wParam, LPARAM lParam);
  // The skin can frame a window: it has a caption image with a height.
  bool SkinHasCaption() const;
  // The skin asks for this window's frame to be skinned.
  bool FrameWanted() const;
  // The system's frame around a client area in the normal state, with or without its menu bar.
  Extent SystemFrameExtent(bool withMenu) const;
  // Resizes the rectangle a maximized or minimized window is restored to from one frame to another.
  void MoveRestoreRect(const Extent& from, const Extent& to);
  // Puts a maximized window on the work area and lets the window grow to the screen with the
  // skin's frame around it.
  void FitMinMaxInfo(MINMAXINFO* info) const;
  // The system's frame, menu and shape back around the same client area (detach, or a skin
  // without a caption); TakeFrame skins the frame again for a skin that has one.
  void GiveFrameBack(bool destroying);
  void DropFrame();
  void TakeFrame();
  void RenderIcon();

  // Non-client input (CaptionButtons.cpp).
  LRESULT HitTest(WPARAM wParam, LPARAM lParam);
  POINT ToWindow(POINT screen) const;
  TNCObject* FindObjectAt(POINT window);
  bool NcMouseMove(WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool NcButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool NcButtonUp(LPARAM lParam, LRESULT& result);
  bool NcDoubleClick(LPARAM lParam, LRESULT& result);
  bool NcRightButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result);
  void HoverTick();
  void SetActive(bool active);
  CaptionState CurrentCaptionState() const;
  bool HasSystemClose() const;
  void SystemMenuClick(ui::TObject* sender);

  // Menus (WinSkinMenu.cpp).
  void CreateMenuBar();
  bool GiveMenuBack();
  void MenuChanged();
  bool MenuKey(LPARAM key);
  void MenuSelect(WPARAM wParam, LPARAM lParam);
  bool MenuAccelerator(ui::TMessage& message);
  bool MenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OpenMenuButtonAt(LPARAM screenPoint);
  bool MeasureMenuItem(LPARAM lParam);
  bool DrawMenuItem(LPARAM lParam);
  PopupBackground PopupBackgroundOf(HMENU menu) const;
  void DrawPopupItem(ui::TObject* sender, ui::TCanvas* canvas, RECT rect, bool selected);
  void MeasurePopupItem(ui::TObject* sender, ui::TCanvas* canvas, int& width, int& height);
  void SkinFormPopupMenus(bool on);
  // With xcMenuItem the form's main menu is owner-drawn by the framework and its items below the
  // bar take the skin's look (unless the application draws them itself).
  void SkinMainMenuItems(bool on);
  void MeasureMainItem(ui::TObject* sender, ui::TCanvas* canvas, int& width, int& height);
  void MenuTrackingGone();
  bool MenuRightToLeft() const;

  // Painting (WinSkinFormPaint.cpp).
  void ComposeBorders(int width, int height);
  void PaintBorder(HDC dc, const ImageRect& r, const TDataSkinObject& element,
                   const TScaledFrameSkin::Piece& piece, bool verticalFrames);
  // The Title element's text offsets at the window's DPI.
  CaptionTextStyle TitleTextStyle() const;
  void PaintCaption(HDC dc, int width, int height, bool minimized);
  void PaintCaptionText(HDC dc, const ImageRect& area);
  void PaintSysButtons(HDC dc);
  void PaintWindowIcon(HDC dc, const ImageRect& r);
  void PaintButtonState(TWinSysButton& button);
  std::wstring WindowText() const;
  void SetRegion(ui::GdiRegion region, bool redraw);

  IFormSkinnerHost* host_;
  ui::TCustomForm* form_ = nullptr;
  TSkinData* skinData_ = nullptr;
  // A framework form's chain below the skinner (what the link passes on to), and the link.
  ui::TWndMethod savedFormWindowProc_;
  ui::THandlerLink* link_ = nullptr;
  ui::SubclassHandle subclass_;
  int depth_ = 0;  // messages of the window on the stack
  bool controlPassPosted_ = false;

  bool frameSkinned_ = false;
  int lifecycle_ = kNew;
  bool finished_ = false;
  int formKind_ = kNormalForm;
  BorderKind borderKind_ = BorderKind::Single;
  ShowState showState_ = ShowState::Normal;
  bool active_ = true;
  bool maxBox_ = false, minBox_ = false, helpBox_ = false, sysMenuBox_ = false;
  bool leaveSysMenu_ = false;
  bool rightToLeft_ = false, isChildWindow_ = false, sizeable_ = false, systemDialog_ = false;
  bool hiddenWhileSkinning_ = false;
  DWORD style_ = 0;
  HWND ownerWindow_ = nullptr;

  FrameMetrics metrics_;
  FrameMetrics fittedMetrics_;  // the frame the window's size was last fitted to
  // The frame (width and height it adds) the rectangle a maximized or minimized window is
  // restored to was made for.
  Extent restoreExtra_;
  RECT windowRect_{};
  int frameWidth_ = 0, frameHeight_ = 0;
  ImageRect clientCache_;
  Extent systemFrameExtra_;
  ImageRect captionTextRect_;
  // The caption text's size as last measured, and in what font at which view: a repaint of the
  // same text measures nothing again.
  struct CaptionMeasure {
    std::wstring text;
    HFONT font = nullptr;
    const TScaledFrameSkin* view = nullptr;
    SIZE size{};
  };
  CaptionMeasure captionMeasured_;
  int rightReserve_ = 0;
  SIZE regionSize_{};
  ui::TColor unskinnedColor_ = 0;

  // The skin at the window's DPI (its images shared with every form at that DPI), the off-screen
  // frame, the window's icon.
  int dpi_ = 96;
  std::shared_ptr<const TScaledFrameSkin> view_;
  FrameBuffer buffer_;
  FrameBuffer captionBack_;  // the caption as painted before its buttons
  // What the borders in buffer_ were last composed for, and the caption strip as composed (before
  // its text and buttons): a repaint of an unchanged frame composes nothing again.
  struct ComposedFrame {
    int width = 0, height = 0;
    bool active = false;
    FrameMetrics metrics;
    const uint32_t* bits = nullptr;
    bool operator==(const ComposedFrame&) const = default;
  };
  ComposedFrame composed_;
  FrameBuffer captionClean_;

  // The control skinners, their paint buffer and image copies.
  TSkinControlHost controlHost_;
  ui::IconHandle icon_;
  int iconSize_ = 16;
  IconImage iconImage_;  // the icon painted last, at iconSize_

  std::vector<std::unique_ptr<TWinSysButton>> sysButtons_;
  TNCObject* hotObject_ = nullptr;
  ui::TimerHandle hoverTimer_;
  HMENU systemMenu_ = nullptr;
  std::unique_ptr<ui::TPopupMenu> skinSystemMenu_;
  std::unique_ptr<TWinSkinMenu> menuBar_;
  std::unique_ptr<TSkinMenuPainter> menuPainter_;
  bool trackingMenu_ = false;
  bool mainMenuSkinned_ = false;       // SkinMainMenuItems(true) is in force
  bool mainMenuOwnerDrawWas_ = false;  // the main menu's own setting before it
  HMENU trackedMenu_ = nullptr;
  DWORD lastSysMenuTick_ = 0;
  bool sysMenuShown_ = false;
  int doubleClickTime_ = 500;

  // Set false by the destructor: handlers that called into the window check it before touching
  // the skinner again.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace skin
