// The frame's view of a skin at one DPI: the border, caption-text and caption-button images scaled
// (or taken from the skin's @2x art) once, with their nine-slice margins, the caption font and the
// system sizes the frame uses at that DPI. Made on first use for a skin and a DPI and shared by
// every form skinner at that DPI; it lives while one of them holds it. At 96 dpi it is the skin's
// own images and numbers, exactly what the frame painted before DPI awareness.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "imaging/ImageScale.h"
#include "skin/frame/FramePainter.h"
#include "ui/Handles.h"

namespace skin {

class TSkinData;
class TDataSkinObject;

// The DPI of a window: GetDpiForWindow where the system has it, else the screen's LOGPIXELSY.
int WindowDpi(HWND wnd);
// The system's DPI (the screen's LOGPIXELSY), which the system metrics and fonts are made for.
int SystemDpi();
// A system size at `dpi`: asked of the system where it can answer for any DPI, else the size at
// the system's DPI scaled.
int MetricAtDpi(int index, int dpi);
// A font of the system's (made for the system's DPI) at `dpi`; 0 leaves it as it is.
void ScaleFontToDpi(LOGFONTW& font, int dpi);
// The room the system's own frame takes around a window of these styles at `dpi` (width and
// height added to the client area): AdjustWindowRectExForDpi where the system has it, else the
// caption and the borders each taken at `dpi` as the system's metrics are. False when the system
// could not tell.
bool SystemFrameAtDpi(DWORD style, DWORD exStyle, bool menu, int dpi, SIZE& frame);

// An element's image at `scale` (`frames` stacked when `vertical`, else side by side): the
// skin's own at 100 %, its larger art where it has some and the scale is above 100 %, else the
// image scaled. Made once per DPI by whoever keeps it, never in a paint.
ImageDC ElementImageAt(const TDataSkinObject& element, Scale scale, int frames, bool vertical);
// The element's nine-slice margins for that image.
ImageRect ElementMarginsAt(const TDataSkinObject& element, Scale scale, int frames, bool vertical);

class TScaledFrameSkin {
 public:
  // The view of `skin` at `dpi`, shared with every other holder at that DPI; rebuilt when the
  // skin's images were replaced since.
  static std::shared_ptr<const TScaledFrameSkin> For(TSkinData* skin, int dpi);
  // How many images were scaled (or taken from @2x art) since the process started.
  static int ImagesScaled();

  TScaledFrameSkin(TSkinData* skin, int dpi);
  TScaledFrameSkin(const TScaledFrameSkin&) = delete;
  TScaledFrameSkin& operator=(const TScaledFrameSkin&) = delete;

  struct Piece {
    ImageDC image;
    ImageRect margins;  // the element's nine-slice margins at this DPI
  };

  int Dpi() const { return dpi_; }
  Scale GetScale() const { return scale_; }
  int Length(int length96) const { return ScaleLength(length96, scale_); }

  const Piece& Left() const { return left_; }
  const Piece& Right() const { return right_; }
  const Piece& Top() const { return top_; }
  const Piece& Bottom() const { return bottom_; }
  const Piece& TitleBack() const { return titleBack_; }
  // The image of caption-button element i of the skin (in the skin's order).
  const ImageDC& ButtonImage(size_t i) const;
  // The caption font at this DPI (the skin's own at the system's DPI).
  HFONT CaptionFont() const;
  int MenuBarHeight() const { return menuBarHeight_; }
  int SmallIconSize() const { return smallIcon_; }
  // The small icon's size at 96 dpi, where caption-button places are measured.
  int SmallIconSize96() const { return smallIcon96_; }

  // Built from the skin's images as they are now.
  bool Current(TSkinData* skin) const;

 private:
  Piece MakePiece(const TDataSkinObject& element, bool verticalFrames, int frames);
  ImageDC MakeImage(const TDataSkinObject& element, int frames, bool verticalFrames);
  std::vector<HBITMAP> SourcesOf(TSkinData* skin) const;

  TSkinData* skin_;
  int dpi_;
  Scale scale_;
  Piece left_, right_, top_, bottom_, titleBack_;
  std::vector<ImageDC> buttons_;
  ui::GdiFont font_;  // null: the skin's caption font
  int menuBarHeight_ = 0;
  int smallIcon_ = 16, smallIcon96_ = 16;
  std::vector<HBITMAP> sources_;
};

}  // namespace skin
