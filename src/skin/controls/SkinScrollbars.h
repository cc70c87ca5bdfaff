// The hosts of the scroll-bar overlays: skinners of controls with window scroll bars (list boxes,
// memos, list views, tree views, rich edits, scrolling containers). Each owns a horizontal and a
// vertical overlay (ScrollOverlay.h), which follow the native bars by themselves; the skinner adds
// what only it knows (the framework's visibility and enabled state, a window re-created under the
// same control), a flat border in place of the sunken one, and the corner square between two bars
// in the skin's ButtonFace.
#pragma once

#include <cstdint>
#include <memory>

#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinScrollbar : public TSkinControl {
  UI_CLASS(TSkinScrollbar, TSkinControl)
 public:
  explicit TSkinScrollbar(ui::TComponent* owner);
  ~TSkinScrollbar() override;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) override;
  void Detach() override;
  void SkinChanged() override;

  // Null when the skin has no scroll-bar images (the bars stay native).
  TWScrollbar* HorzBar() const { return horz_.get(); }
  TWScrollbar* VertBar() const { return vert_.get(); }
  // Hides both overlays (the host is hidden).
  void HideBars();
  void UpdateBars();

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void MessageHandled(const ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;
  void ActiveChanged(bool active) override;

 private:
  void MakeBars();
  // A grid's fixed cells take the skin's face colour (FixedColor, when the control publishes it);
  // the colour it had at attach comes back at detach and while the skin is switched off.
  void RecolourFixed();
  void RestoreFixed();
  void DrawBorder(HDC dc) const;
  // The flat border, the overlays and the corner hide every pixel of the system's frame.
  bool SkinCoversFrame() const;
  void FillCorner(HDC dc) const;

  std::unique_ptr<TWScrollbar> horz_, vert_;
  bool ownBorder_ = false;
  ui::GdiBrush shadowBrush_;
  bool fixedRecoloured_ = false;
  bool fixedSaved_ = false;
  int64_t savedFixed_ = 0;
};

// A list view: its window bars as any scrolling control's, and its header (report view) skinned
// as a header control.
class TSkinListView : public TSkinScrollbar {
  UI_CLASS(TSkinListView, TSkinScrollbar)
 public:
  using TSkinScrollbar::TSkinScrollbar;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;

 protected:
  void AfterMessage(ui::TMessage& message) override;

 private:
  void SkinHeader();
};

// A scroll-bar control covered whole by one overlay, which hands presses to the control's own
// tracking. The overlay goes and comes with the skin, and follows the control through the
// skinner (which is in its message stream already).
class TSkinScControl : public TSkinControl {
  UI_CLASS(TSkinScControl, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScControl() override;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void Detach() override;
  void SkinChanged() override;
  // Null when the skin has no scroll-bar images (the control stays native).
  TWScrollbar* Bar() const { return bar_.get(); }

 protected:
  void AfterMessage(ui::TMessage& message) override;
  void MessageHandled(const ui::TMessage& message) override;
  void ActiveChanged(bool active) override;

 private:
  void MakeBar();
  std::unique_ptr<TWScrollbar> bar_;
};

// The same two overlays on a bare window (the list of a simple combo box).
class TSkinScrollbarH : public TSkinScrollbar {
  UI_CLASS(TSkinScrollbarH, TSkinScrollbar)
 public:
  using TSkinScrollbar::TSkinScrollbar;
};

}  // namespace skin
