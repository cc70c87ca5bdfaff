// Small helpers the control skinners share, kept in one place rather than copied into each
// skinner's file: skin element look-ups, margins as image rectangles, pixels written straight to a
// DC, and the lower-cased reads of published properties. Internal to src/skin/controls.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "imaging/PaintPlans.h"
#include "imaging/PixelBuffer.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/FrameHost.h"
#include "skin/frame/FramePainter.h"
#include "ui/Controls.h"
#include "ui/Handles.h"

namespace skin {

// The Tag that makes a button-like control paint its parent's background under it.
constexpr intptr_t kTransparentTag = 5555;

// Whether the element exists and has an image.
inline bool HasImage(const TDataSkinObject* e) { return e && !e->Empty(); }
// The named element when it has an image; null otherwise.
TDataSkinObject* ElementWithImage(const TSkinData* skin, std::string_view name);
inline ImageRect MarginsOf(const TDataSkinObject& e) {
  return {e.Margins.left, e.Margins.top, e.Margins.right, e.Margins.bottom};
}

// The element's image at the host's DPI, its `frames` frames side by side (stacked when
// `vertical`), from the skin's @2x art where it has some; and its nine-slice margins for those
// frames at the same DPI.
const ImageDC& ElementImageAt(IControlSkinnerHost& host, const TDataSkinObject& e, int frames,
                              bool vertical = false);
ImageRect ElementMarginsAt(const IControlSkinnerHost& host, const TDataSkinObject& e, int frames,
                           bool vertical = false);

// Pixels of a 24-bit buffer copied to dc at (x, y), without a bitmap of their own.
void PutPixels(HDC dc, int x, int y, const PixelBuffer& pixels);

std::string Lower(std::string s);
// An enumeration or boolean property's identifier, lower-cased; empty when missing.
std::string LowerEnum(ui::TObject* object, const char* name);
// Whether a boolean property reads true.
inline bool PropertyTrue(ui::TObject* object, const char* name) {
  return LowerEnum(object, name) == "true";
}

// Pieces of skin images drawn with pure magenta left out, each prepared once and then drawn with
// two blits: a mask that keeps the destination where the key is, and the piece with the key made
// black. Preparing a piece at every paint (an off-screen image made and freed each time) costs a
// control's paint more than the rest of it; the last few pieces a skinner drew are kept.
class KeyedImageCache {
 public:
  // Draws the w x h piece that `plan` makes of `src` at (x, y) of dc. False when it cannot be
  // prepared (the caller draws it another way).
  bool Draw(HDC dc, int x, int y, int w, int h, const ImageDC& src, const PaintPlan& plan);

 private:
  struct Piece {
    HDC source = nullptr;
    int width = 0, height = 0;
    PaintPlan plan;
    FrameBuffer colour;  // the piece, black where the key was
    ui::GdiBitmap mask;  // 1 where the key was
  };
  Piece* Find(HDC source, int w, int h, const PaintPlan& plan);
  Piece* Prepare(const ImageDC& src, int w, int h, const PaintPlan& plan);

  std::array<Piece, 4> pieces_;  // enough for the most any skinner draws in one paint
  size_t next_ = 0;
  ui::MemoryDC maskDc_;
};

}  // namespace skin
