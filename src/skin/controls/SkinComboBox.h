// Combo boxes with the skin's ComboButton: an edge around the whole control and the drop-down
// button, painted over the control's own painting, with hot and pressed looks. The control keeps
// its text, list, selection and keys. Its first child window (the edit of an editable combo, the
// inner combo of an extended one) is always hooked, so a child painting itself never paints over
// the skin. TComboxScrollBar serves the drop-down list: its border, its vertical bar and a thumb
// drag of its own.
#pragma once

#include <memory>
#include <optional>

#include "skin/controls/ComboGeometry.h"
#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollbars.h"

namespace skin {

class TComboxScrollBar;

class TSkinComBox : public TSkinControl {
  UI_CLASS(TSkinComBox, TSkinControl)
 public:
  explicit TSkinComBox(ui::TComponent* owner);
  ~TSkinComBox() override;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) override;
  void Detach() override;
  void SkinChanged() override;

  // Draws the extended look (a framed box and the ComboxArrow over the child window).
  bool ExFlag = false;
  // The hooked child window (null when there is none) and the drop-down list's painter.
  HWND ChildWindow() const { return child_; }
  TComboxScrollBar* ListPainter() const { return listPainter_; }
  // The skinner of a simple combo's always-visible list (its window bars); null otherwise.
  TSkinScrollbarH* ListBars() const { return listBars_; }
  // The button area hot tracking uses, in window coordinates of the combo.
  RECT HotRect() const { return hot_; }

 protected:
  void AfterMessage(ui::TMessage& message) override;
  void PaintFrame(HDC dc) override;
  void PaintControl(HDC dc, const RECT& rect) override;
  void Notification(ui::TComponent* component, ui::TOperation operation) override;
  void ActiveChanged(bool active) override;

 private:
  static LRESULT CALLBACK ChildProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void ChildMessage(HWND child, UINT msg, LPARAM lParam);
  void HookChild();
  void UnhookChild();
  void AttachList();
  // The list's skinner joins the list's messages when it drops down and leaves when it closes.
  void FollowList(const ui::TMessage& message);
  void FreeListPainter();
  // The system combo whose parts GetComboBoxInfo reports (the inner one of an extended combo).
  HWND InfoWindow() const;
  // A point in the window's client coordinates (or a child's) in window coordinates.
  POINT ToWindow(HWND from, POINT p) const;
  void TrackHot(POINT windowPoint);
  void PressMessage(UINT msg);
  void LeaveHot();
  void Refresh();
  // The system combo's button in window coordinates, asked once per layout: each question is a
  // message through the combo's handlers (under Wine, round trips for every subclass on it).
  void ReadButton();
  ComboState ReadState();
  void PaintFlat(HDC dc, const RECT& rect, const TDataSkinObject& button, const ComboState& state,
                 bool left);
  void PaintEx(HDC dc, const RECT& rect, int frame);
  void DrawImage(HDC dc, const RECT& r, const TDataSkinObject& element, int frame);
  // The flat drawing's edge rings as regions, kept while the combo keeps its size.
  enum Ring { kOuterRing, kInnerRing, kRings };
  HRGN RingRegion(Ring which, const RECT& rect);

  DWORD style_ = 0, exStyle_ = 0;
  HWND list_ = nullptr;  // the list of a simple combo
  HWND child_ = nullptr;
  HWND infoWindow_ = nullptr;  // InfoWindow(), read at attach
  struct {
    RECT rect{};
    bool known = false, found = false, invisible = false;
  } button_;
  ui::SubclassHandle childSubclass_;
  TComboxScrollBar* listPainter_ = nullptr;  // owned by this skinner (a component of it)
  TSkinScrollbarH* listBars_ = nullptr;      // the same, for a simple combo's list
  RECT hot_{};
  bool focusKnown_ = false;  // focused_ follows the combo's own focus messages
  struct CachedRing {
    RECT rect{};
    ui::GdiRegion region;
  };
  CachedRing rings_[kRings];
  // What the flat button column shows, and the column as last composed.
  struct ColumnLook {
    HDC source = nullptr;
    int frame = 0, width = 0, height = 0;
    RECT image{};
    COLORREF face = 0;
    bool operator==(const ColumnLook& o) const {
      return source == o.source && frame == o.frame && width == o.width && height == o.height &&
             EqualRect(&image, &o.image) && face == o.face;
    }
  };
  struct {
    std::optional<ColumnLook> look;
    FrameBuffer pixels;
  } column_;
};

// The drop-down list of a CBS_DROPDOWN / CBS_DROPDOWNLIST combo: the list's border in the skin's
// shadow colour, its vertical bar in the skin's look (an overlay that follows the list by itself)
// and the thumb drag. Attached by handle.
class TComboxScrollBar : public TSkinControl {
  UI_CLASS(TComboxScrollBar, TSkinControl)
 public:
  explicit TComboxScrollBar(ui::TComponent* owner);
  ~TComboxScrollBar() override;
  void AttachHandle(HWND wnd, TSkinData* skin, IControlSkinnerHost* form) override;
  void Detach() override;
  // Whether a thumb drag is running (its loop is on the stack).
  bool Dragging() const { return dragging_; }
  // The skin's bar over the list's own (null when the skin has no bar images).
  TWScrollbar* Bar() const { return bar_.get(); }

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void MessageHandled(const ui::TMessage& message) override;
  void PaintControl(HDC dc, const RECT& rect) override;
  void ActiveChanged(bool active) override;

 private:
  // True when the press was on the thumb and the drag ran here.
  bool DragThumb(const ui::TMessage& press);
  void MakeBar();

  bool dragging_ = false;
  bool dragEnded_ = false;  // capture lost, mode cancelled or list hidden while dragging
  std::unique_ptr<TWScrollbar> bar_;
};

}  // namespace skin
