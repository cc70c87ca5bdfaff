// TSkinControl: the common base of every control skinner. A skinner takes over one control's
// message stream (a framework control's WindowProc, or a bare window through SetWindowSubclass),
// lets the control's own handling run, and paints the skinned look over it or instead of it. The
// skinner is owned by its control (freed with it) and listed by the form skinner of its window.
//
// Subclasses override BeforeMessage / AfterMessage (one switch each, mirroring their message
// tables) and PaintControl (compose into the form skinner's shared buffer, write once).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "imaging/ImageScale.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/FrameHost.h"
#include "skin/frame/FramePainter.h"
#include "skin/frame/SkinMessages.h"
#include "skin/frame/SkinText.h"
#include "ui/Controls.h"
#include "ui/HandlerLink.h"
#include "ui/Handles.h"
#include "ui/Messages.h"

namespace skin {

class KeyedImageCache;

class TSkinControl : public ui::TComponent, public IControlSkinner, public ui::IHandlerLinkTarget {
  UI_CLASS(TSkinControl, ui::TComponent)
 public:
  enum LifeState : int { kCreated = 0, kAttached = 1, kDetached = 2, kWindowDestroyed = 6 };
  enum MouseFlag : uint8_t { kHot = 1, kDown = 2 };

  // Owned by the control it skins (null for a bare window).
  explicit TSkinControl(ui::TComponent* owner);
  ~TSkinControl() override;

  // Attach to the framework control that owns the skinner: its WindowProc is replaced.
  virtual void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour);
  // Attach to a bare window: it is subclassed.
  virtual void AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form);
  // Stop skinning and give the control its colour back.
  virtual void Detach();
  void SkinChanged() override;
  // The keyed pieces kept ready were cut from the images of the old DPI: they go.
  void DpiChanged() override;

  // ---- IControlSkinner ----
  HWND SkinnedWindow() const override { return handle_; }
  ui::TControl* SkinnedControl() const override { return control_; }
  bool WindowDestroyed() const override { return state_ == kWindowDestroyed; }
  void DetachSkin() override { Detach(); }
  void FreeSkinner() override { Free(); }

  bool Active() const { return active_; }
  int State() const { return state_; }
  // Whether the skinner gives the control the skin's face colour (and back at detach). A skinner
  // an application hands to the classification is attached with the setting it was given here.
  bool Recolours() const { return recolour_; }
  void SetRecolour(bool on) {
    if (!attached_) recolour_ = on;
  }
  int Mode = 0;
  uint8_t MouseState = 0;
  // A window-less control painted through its parent.
  ui::TControl* PaintTarget = nullptr;

  // The replacement message handler.
  void HookMessage(ui::TMessage& message);
  // The control's own handling of a message.
  void CallPrevious(ui::TMessage& message);
  // ---- ui::IHandlerLinkTarget: the control's messages, through the skinner's link ----
  void LinkedMessage(ui::TMessage& message) override;
  void LinkGone() override { link_ = nullptr; }
  // Takes a skinner attached by handle out of its window's message stream, and puts it back: for
  // a window whose skin matters only while it is shown. Every message through a subclass asks
  // the window server for the subclass list under Wine, and a hidden drop-down list still hears
  // several messages in each paint of its combo. Resuming is false when the window is gone.
  void SuspendSubclass() { subclass_.reset(); }
  bool ResumeSubclass();
  bool SubclassSuspended() const { return attached_ && !link_ && handle_ && !subclass_; }

 protected:
  // True: the message goes on to the control's own handler (then AfterMessage runs).
  virtual bool BeforeMessage(ui::TMessage& message);
  virtual void AfterMessage(ui::TMessage& message);
  // Every message once the control and the skinner are done with it, while the skin is on.
  virtual void MessageHandled(const ui::TMessage&) {}
  // SM_SETACTIVE switched the skin off or on: what the skinner adds to the control (windows of
  // its own, overlays) goes and comes back with it, and the control is repainted either way.
  virtual void ActiveChanged(bool active);
  // Paints the whole window into dc (the window DC when dc is null).
  virtual void PaintFrame(HDC dc);
  // Draws the skinned look into dc within rect (the window rectangle at the origin).
  virtual void PaintControl(HDC dc, const RECT& rect);

  // Lists the skinner and recolours the control without taking over its messages (plain boxes).
  void AttachUnhooked(IControlSkinnerHost* form, TSkinData* skin, bool recolour);
  void SetState(LifeState state) { state_ = state; }

  // ---- Helpers shared by the skinners ----
  void Repaint();
  void PaintMessage(ui::TMessage& message);
  void EraseWithParent(ui::TMessage& message);
  void FillFace(HDC dc, const RECT& rect) const;
  // ---- The window's DPI: images, margins and lengths of the skin at it ----
  Scale DpiScale() const { return Scale::FromDpi(form_ ? form_->Dpi() : 96); }
  // A length in 96-dpi pixels at the window's DPI.
  int Scaled(int length96) const { return ScaleLength(length96, DpiScale()); }
  // A system size (GetSystemMetrics' index) at the window's DPI.
  int Metric(int index) const;
  // The element's image at the window's DPI, its `frames` frames side by side (stacked when
  // `vertical`): what its margins (ScaledMargins) and frame sizes are measured on.
  const ImageDC& ElementImage(const TDataSkinObject& element, int frames,
                              bool vertical = false) const;
  ImageRect ScaledMargins(const TDataSkinObject& element, int frames, bool vertical = false) const;

  // One state of a skin element, nine-sliced to rect (frames side by side).
  void DrawSkinState(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                     const TDataSkinObject& element) const;
  // One glyph of a strip, stretched to rect, magenta left out.
  void DrawGlyphFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                      ui::TBitmap& strip) const;
  // The pieces `plan` makes of `image` into rect, magenta left out; the skinner keeps the last few
  // pieces it drew ready, so that a repaint in the same state makes nothing.
  void DrawKeyed(HDC dc, const RECT& rect, const ImageDC& image, const PaintPlan& plan) const;
  void DrawTextFocus(HDC dc, UINT flags, const RECT& rect) const;
  // The window's keyboard cues, as the system's controls show them: a focus rectangle and the
  // underlined access keys appear once the keyboard has been used in the window
  // (WM_UPDATEUISTATE), not at a mouse user's every click.
  bool FocusCuesShown() const;
  // Draws a caption whose access key is underlined only while the window shows access keys.
  int DrawAccessText(HDC dc, const std::wstring& text, RECT& rect, UINT flags) const;
  UINT AddReadingOrder(UINT flags) const;
  void ForwardMouseDown(const ui::TMessage& message);
  // The caption the skinner draws: the control's Caption, or the window text.
  std::wstring ControlCaption() const;
  // The size the caption takes word-wrapped within `within` in dc's font; 0 x 0 without one.
  SIZE CaptionExtent(HDC dc, RECT within) const;
  // The off-screen buffer shared by the window's skinners (made on first use).
  FrameBuffer* Buffer(int width, int height);
  // A buffer of this skinner's own, for a paint that has others paint while it composes (a
  // transparent control asks its parent to paint under it, and the parent's other skinned
  // controls compose in the shared buffer meanwhile).
  FrameBuffer* OwnBuffer(int width, int height);
  // Invalidates the window's frame only, for a skin that lies on nothing but the frame: the client
  // area keeps its pixels (the system's own paint of a list or a tree is the dearest of all).
  void InvalidateFrame();
  // Whether the skinner still exists after something that may have freed it (a click).
  std::weak_ptr<bool> AliveToken() const { return alive_; }

  TSkinData* skin_ = nullptr;
  IControlSkinnerHost* form_ = nullptr;
  ui::TControl* control_ = nullptr;
  HWND handle_ = nullptr;
  bool enabled_ = true;
  bool focused_ = false;
  std::wstring caption_;
  RECT windowRect_{};

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void RestoreHandlers();
  // HookMessage with nothing thrown out of it: after a fault of the skin the control still gets
  // its own handling, once (not again when it had it before the fault). False when the message
  // was not passed on (the caller's fallback then has to).
  bool GuardedHook(ui::TMessage& message);

  bool active_ = true;
  bool attached_ = false;
  int state_ = kCreated;
  bool recolour_ = false;
  // The window's frame was invalidated alone: the paint that follows has nothing for the control.
  bool frameOnly_ = false;
  ui::TColor savedColor_ = 0;
  // Stands in the control's WindowProc chain for the skinner, so that a handler installed over it
  // later keeps a valid chain after the skinner is gone.
  ui::THandlerLink* link_ = nullptr;
  ui::SubclassHandle subclass_;
  // Set when the message being handled (the innermost) has been passed on to the control.
  bool* passedOn_ = nullptr;
  std::unique_ptr<FrameBuffer> ownBuffer_;
  mutable std::unique_ptr<KeyedImageCache> keyed_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Reads the window's text (wide).
std::wstring ReadWindowText(HWND wnd);
// Replaces the first occurrence of `pattern` only.
std::wstring ReplaceFirst(const std::wstring& text, const std::wstring& pattern,
                          const std::wstring& replacement);

}  // namespace skin
