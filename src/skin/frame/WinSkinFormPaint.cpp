// Painting the skinned frame: the four borders rendered from the skin's nine-slice images, the
// caption text and icon, the caption buttons, and the window region cut from the borders' magenta.
// Everything is composed in the skinner's off-screen buffer and written to the window in one blit
// per border; nothing is read back from the screen, and a repaint creates no GDI object.
#include <windows.h>

#include "skin/frame/WinSkinForm.h"
#include "ui/Application.h"

namespace skin {

namespace {
void Blit(HDC dst, HDC src, const ImageRect& r) {
  if (r.empty()) return;
  BitBlt(dst, r.left, r.top, r.width(), r.height(), src, r.left, r.top, SRCCOPY);
}
}  // namespace

void TWinSkinForm::PaintBorder(HDC dc, const ImageRect& r, const TDataSkinObject& element,
                               const TScaledFrameSkin::Piece& piece, bool verticalFrames) {
  const ImageDC& image = piece.image;
  if (r.inverted() || r.empty() || image.empty()) return;
  const int frames = std::max(element.Frame, 1);
  const int index = (active_ || frames <= 1) ? 1 : 2;
  // For the borders the element's Tile holds the skin's Stretch key: 1 stretches the middle.
  const bool tileCentre = element.Tile != 1;
  const PaintPlan plan = PlanNineSlice(image.width(), image.height(), r.width(), r.height(),
                                       piece.margins, verticalFrames, tileCentre, frames, index);
  ExecutePlanFrom(dc, r.left, r.top, plan, image, false);
}

void TWinSkinForm::ComposeBorders(int w, int h) {
  const HDC b = buffer_.dc();
  const FrameMetrics& m = metrics_;
  const ComposedFrame key{w, h, active_, m, buffer_.bits()};
  // The caption's rows, corners included: all that text and buttons paint over.
  const ImageRect caption{0, 0, w, m.CaptionHeight};
  if (key == composed_) {
    if (!caption.empty())
      BitBlt(b, 0, 0, caption.width(), caption.height(), captionClean_.dc(), 0, 0, SRCCOPY);
    return;
  }
  composed_ = {};
  PaintBorder(b, {0, 0, m.LeftWidth, h}, *skinData_->Left(), view_->Left(), false);
  PaintBorder(b, {w - m.RightWidth, 0, w, h}, *skinData_->Right(), view_->Right(), false);
  PaintBorder(b, {m.LeftWidth, h - m.BottomHeight, w - m.RightWidth, h}, *skinData_->Bottom(),
              view_->Bottom(), true);
  PaintBorder(b, {m.LeftWidth, 0, w - m.RightWidth, m.CaptionHeight}, *skinData_->Top(),
              view_->Top(), true);
  if (caption.empty() || !captionClean_.Ensure(caption.width(), caption.height())) return;
  BitBlt(captionClean_.dc(), 0, 0, caption.width(), caption.height(), b, 0, 0, SRCCOPY);
  composed_ = key;
}

void TWinSkinForm::RepaintFrame(HDC dc) {
  if ((lifecycle_ != kLive && lifecycle_ != kReskinning) || !frameSkinned_ ||
      borderKind_ == BorderKind::None || !skinData_ || skinData_->NoSkin() || !view_)
    return;
  try {
    GetWindowRect(Handle, &windowRect_);
    frameWidth_ = windowRect_.right - windowRect_.left;
    frameHeight_ = windowRect_.bottom - windowRect_.top;
    const int w = frameWidth_, h = frameHeight_;
    if (w <= 0 || h <= 0 || !buffer_.Ensure(w, h)) return;
    ui::WindowDC own;
    if (!dc) {
      own = ui::WindowDC::Whole(Handle);
      dc = own.get();
    }
    if (!dc) return;
    const HDC b = buffer_.dc();
    const FrameMetrics& m = metrics_;
    RefreshShowState();
    if (showState_ == ShowState::Minimized) {
      RECT all{0, 0, w, h};
      FillRect(b, &all, skinData_->ButtonFaceBrush());
      composed_ = {};  // the caption now spans the corners
      PaintBorder(b, {0, 0, w, m.CaptionHeight}, *skinData_->Top(), view_->Top(), true);
      PaintCaption(b, w, h, true);
      Blit(dc, b, {0, 0, w, h});
    } else {
      ComposeBorders(w, h);
      if (m.MenuBarHeight > 0) {
        RECT bar{m.LeftWidth, m.CaptionHeight, w - m.RightWidth, m.CaptionHeight + m.MenuBarHeight};
        if (menuBar_)
          menuBar_->PaintBar(b, ToImageRect(bar), active_);
        else
          FillRect(b, &bar, skinData_->ButtonFaceBrush());
      }
      PaintCaption(b, w, h, false);
      // A skin may put a button below its caption, over a border: the borders are composed
      // afresh next time.
      for (const auto& button : sysButtons_)
        if (button->Visible && button->SkinButton->Visibility != 100 &&
            button->Rect.bottom > m.CaptionHeight)
          composed_ = {};
      Blit(dc, b, {0, 0, w, m.CaptionHeight + m.MenuBarHeight});
      Blit(dc, b, {0, m.CaptionHeight, m.LeftWidth, h});
      Blit(dc, b, {w - m.RightWidth, m.CaptionHeight, w, h});
      Blit(dc, b, {m.LeftWidth, h - m.BottomHeight, w - m.RightWidth, h});
    }
    SetBkMode(dc, OPAQUE);
  } catch (...) {
    // A broken skin image must not take the window down; the frame stays as it was.
  }
  // Every button was drawn at rest.
  hotObject_ = nullptr;
}

void TWinSkinForm::PaintCaption(HDC dc, int w, int h, bool minimized) {
  (void)h;
  const ImageRect area =
      minimized ? ImageRect{0, 0, w, metrics_.CaptionHeight}
                : ImageRect{metrics_.LeftWidth, 0, w - metrics_.RightWidth, metrics_.CaptionHeight};
  // Which buttons show decides how much room the text has.
  const CaptionState state = CurrentCaptionState();
  const bool hasClose = HasSystemClose();
  rightReserve_ = 0;
  for (auto& button : sysButtons_) {
    const TDataSkinSysButton& e = *button->SkinButton;
    bool asked = false;
    if (e.Visibility >= 1000 && e.Visibility <= 2000)
      asked = SendMessageW(Handle, SM_BUTTONVISIBLE, e.Visibility, e.Action) > 0;
    const CaptionButtonShow show =
        CaptionButtonShown(e.Action, e.Visibility, e.Visibility1, state, asked, hasClose);
    button->Visible = show.visible;
    button->Enabled = show.enabled;
    if (show.visible && e.Align == 1 && button->HasImage())
      rightReserve_ = std::max(rightReserve_, view_->Length(e.XCoord));
  }
  PaintCaptionText(dc, area);

  CaptionLayoutInput layout;
  layout.frameWidth = w;
  layout.captionText = captionTextRect_;
  layout.metrics = metrics_;
  if (TDataSkinObject* bar = skinData_->FindElement("MenuBar"))
    layout.menuBarLeftWidth = bar->LeftWidth();
  for (auto& button : sysButtons_) {
    if (!button->Visible || !button->HasImage()) continue;
    button->Rect = CaptionButtonRect(button->Place(), layout, view_->GetScale());
  }
  // What lies under each button, kept for repainting one button on a state change (only a
  // button painted here can change state before the next paint).
  const int band = metrics_.CaptionHeight + metrics_.MenuBarHeight;
  if (captionBack_.Ensure(w, band))
    for (const auto& button : sysButtons_) {
      if (!button->Visible || !button->HasImage()) continue;
      const ImageRect& r = button->Rect;
      const int left = std::max(r.left, 0), top = std::max(r.top, 0);
      const int right = std::min(r.right, w), bottom = std::min(r.bottom, band);
      if (right > left && bottom > top)
        BitBlt(captionBack_.dc(), left, top, right - left, bottom - top, dc, left, top, SRCCOPY);
    }
  PaintSysButtons(dc);
}

CaptionTextStyle TWinSkinForm::TitleTextStyle() const {
  const TDataSkinTitle& title = *skinData_->Title();
  CaptionTextStyle style;
  style.alignment = title.TextAlignment;
  style.textShift = title.LeftWidth();
  style.shiftVert = title.TopHeight();
  style.rightClip = title.RightWidth();
  style.backLeft = title.TXTBackleft;
  style.backRight = title.TXTBackRight;
  return view_ ? ScaleCaptionTextStyle(style, view_->GetScale()) : style;
}

void TWinSkinForm::PaintCaptionText(HDC dc, const ImageRect& area) {
  const std::wstring text = L" " + WindowText() + L"  ";
  ui::SaveDCGuard saved(dc);
  const HFONT font = view_->CaptionFont();
  if (font) SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(
                       skinData_->GetRGB(active_ ? ciTitleTextActive : ciTitleTextNoActive)));

  CaptionMeasure& measured = captionMeasured_;
  if (measured.text != text || measured.font != font || measured.view != view_.get()) {
    RECT measure{area.left, area.top, area.right, area.bottom};
    SkinDrawText(dc, text, measure, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
    // Kept only for a font of the view's: the DC's own font says nothing of what it will be.
    measured = {text,
                font,
                font ? view_.get() : nullptr,
                {measure.right - measure.left, measure.bottom - measure.top}};
  }
  const CaptionTextStyle style = TitleTextStyle();
  CaptionTextInput in;
  in.area = area;
  in.text = {measured.size.cx, measured.size.cy};
  in.rightReserve = rightReserve_;
  in.rightToLeft = rightToLeft_;
  in.popup = (style_ & WS_POPUP) != 0;
  in.dialog = borderKind_ == BorderKind::Dialog;
  ImageRect t = PlaceCaptionText(style, in);
  captionTextRect_ = t;

  const ImageDC& back = view_->TitleBack().image;
  if (!back.empty()) {
    const PaintPlan plan =
        PlanThreePartStrip(back.width(), back.height(), t.width(), area.height(),
                           {style.backLeft, 0, style.backRight, 0}, true, 2, active_ ? 1 : 2);
    if (dc == buffer_.dc())
      DrawKeyed(buffer_, t.left, area.top, plan, back);
    else
      ExecutePlanFrom(dc, t.left, area.top, plan, back, true);
  }
  RECT r{t.left + style.backLeft, t.top, t.right - style.backRight, t.bottom};
  if (r.right <= r.left) return;
  const UINT format = rightToLeft_
                          ? DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_RTLREADING
                          : DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  SkinDrawText(dc, text, r, format);
}

void TWinSkinForm::PaintWindowIcon(HDC dc, const ImageRect& r) {
  HICON icon = nullptr;
  if (ui::Application) {
    if (HWND app = ui::Application->Handle()) {
      icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
      if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
    }
  }
  if (!icon) icon = icon_.get();  // the window's own icon when the application has none
  if (!icon) return;
  // In the frame's buffer the icon's picture at this DPI is put in memory, taken from the icon
  // once (the system's drawing makes a DC, and scales the icon, on every call).
  if (dc == buffer_.dc() &&
      (iconImage_.IsOf(icon, iconSize_) || iconImage_.Make(icon, iconSize_))) {
    iconImage_.DrawInto(buffer_, r.left, r.top);
    return;
  }
  DrawIconEx(dc, r.left, r.top, icon, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::PaintSysButtons(HDC dc) {
  for (auto& button : sysButtons_) {
    const TDataSkinSysButton& e = *button->SkinButton;
    if (!button->Visible || !button->HasImage() || e.Visibility == 100) continue;
    if (button->ShowsIcon()) {
      PaintWindowIcon(dc, button->Rect);
      continue;
    }
    const int frame =
        CaptionButtonFrame(button->State, button->Enabled, active_, button->Frames, false, true);
    const PaintPlan plan =
        PlanFrame(button->Image().width(), button->Image().height(), button->Rect.width(),
                  button->Rect.height(), button->Frames, frame);
    if (dc == buffer_.dc())
      DrawKeyed(buffer_, button->Rect.left, button->Rect.top, plan, button->Image());
    else
      ExecutePlanFrom(dc, button->Rect.left, button->Rect.top, plan, button->Image(), true);
  }
}

// One button changed state: its place is restored from the caption as it was painted without
// buttons, the button drawn in its new image, and only that rectangle written to the window.
void TWinSkinForm::PaintButtonState(TWinSysButton& button) {
  if (lifecycle_ != kLive || !frameSkinned_ || !button.Visible || !button.HasImage()) return;
  const ImageRect r = button.Rect;
  if (r.empty() || r.right > buffer_.width() || r.bottom > captionBack_.height()) return;
  ui::WindowDC window = ui::WindowDC::Whole(Handle);
  if (!window) return;
  const HDC b = buffer_.dc();
  BitBlt(b, r.left, r.top, r.width(), r.height(), captionBack_.dc(), r.left, r.top, SRCCOPY);
  if (button.ShowsIcon()) {
    PaintWindowIcon(b, r);
  } else {
    const int frame = CaptionButtonFrame(button.State, button.Enabled, active_, button.Frames,
                                         button.SkinButton->Visibility == 100, false);
    const PaintPlan plan = PlanFrame(button.Image().width(), button.Image().height(), r.width(),
                                     r.height(), button.Frames, frame);
    DrawKeyed(buffer_, r.left, r.top, plan, button.Image());
  }
  Blit(window.get(), b, r);
}

std::wstring TWinSkinForm::WindowText() const {
  const int length = GetWindowTextLengthW(Handle);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(Handle, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

// ---- Region
// ---------------------------------------------------------------------------------------

void TWinSkinForm::SetRegion(ui::GdiRegion region, bool redraw) {
  if (!region) return;
  // Giving a window a region costs a full frame change: an equal one is not given again.
  ui::GdiRegion current(CreateRectRgn(0, 0, 0, 0));
  if (current && GetWindowRgn(Handle, current.get()) != ERROR &&
      EqualRgn(current.get(), region.get()))
    return;
  // After a successful SetWindowRgn the region belongs to the system.
  if (SetWindowRgn(Handle, region.get(), redraw ? TRUE : FALSE)) region.release();
}

void TWinSkinForm::UpdateRegion(bool redraw) {
  if (lifecycle_ == kDestroyed || !frameSkinned_ || !skinData_ || skinData_->NoSkin() || !view_)
    return;
  if (formKind_ == kMdiChild && showState_ != ShowState::Normal) return;
  RECT wr{};
  GetWindowRect(Handle, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (w <= 0 || h <= 0) return;
  if (w == regionSize_.cx && h == regionSize_.cy) return;

  TDataSkinBorder& left = *skinData_->Left();
  TDataSkinBorder& right = *skinData_->Right();
  TDataSkinBorder& top = *skinData_->Top();
  TDataSkinBorder& bottom = *skinData_->Bottom();
  if (!left.Trans && !right.Trans && !top.Trans && !bottom.Trans) {
    regionSize_ = {w, h};
    SetRegion(ui::GdiRegion(CreateRectRgn(0, 0, w, h)), redraw);
    return;
  }
  if (!buffer_.Ensure(w, h)) return;
  regionSize_ = {w, h};
  ComposeBorders(w, h);
  const FrameMetrics& m = metrics_;
  const auto strip = [&](bool keyed, const ImageRect& r) {
    if (keyed && !r.empty()) {
      ui::GdiRegion cut = PixelsToRegion(buffer_.Extract(r), r.left, r.top, 1, 1, 1, kMagenta);
      if (cut) return cut;
    }
    return ui::GdiRegion(
        CreateRectRgn(r.left, r.top, std::max(r.right, r.left), std::max(r.bottom, r.top)));
  };
  ui::GdiRegion region(CreateRectRgn(m.LeftWidth, m.CaptionHeight, std::max(w - m.RightWidth, 0),
                                     std::max(h - m.BottomHeight, 0)));
  if (!region) return;
  if (borderKind_ != BorderKind::None) {
    ui::GdiRegion l = strip(left.Trans == 1 && h > 1, {0, 0, m.LeftWidth, h});
    ui::GdiRegion r = strip(right.Trans == 1 && h > 1, {w - m.RightWidth, 0, w, h});
    ui::GdiRegion b = strip(bottom.Trans == 1 && m.BottomHeight >= 2,
                            {m.LeftWidth, h - m.BottomHeight, w - m.RightWidth, h});
    ui::GdiRegion t = strip(top.Trans == 1 && m.CaptionHeight > 1,
                            {m.LeftWidth, 0, w - m.RightWidth, m.CaptionHeight});
    for (const ui::GdiRegion* part : {&l, &r, &b, &t})
      if (*part) CombineRgn(region.get(), region.get(), part->get(), RGN_OR);
  }
  SetRegion(std::move(region), redraw);
}

}  // namespace skin
