#include "skin/controls/SkinProgress.h"

#include <commctrl.h>

#include <algorithm>

#include "imaging/ImgUtil.h"
#include "skin/controls/PageGeometry.h"
#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/PaintPrimitives.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinProgress, TSkinWholePainter)

TDataSkinObject* TSkinProgress::Bar() const { return ElementWithImage(skin_, "Progress"); }

void TSkinProgress::PaintControl(HDC dc, const RECT& rect) {
  if (!Bar()) return;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  const bool vertical = GetWindowLongPtrW(handle_, GWL_STYLE) & PBS_VERTICAL;
  // A vertical bar is drawn lying down and turned, so that the images run along it.
  const int length = vertical ? H : W, thickness = vertical ? W : H;
  if (length <= 0 || thickness <= 0) return;
  FrameBuffer* buffer = Buffer(length, thickness);
  if (!buffer) return;
  PaintBar(buffer->dc(), length, thickness);
  if (!vertical) {
    BitBlt(dc, rect.left, rect.top, W, H, buffer->dc(), 0, 0, SRCCOPY);
    return;
  }
  PixelBuffer pixels = buffer->Extract({0, 0, length, thickness});
  RotateLeft(pixels);  // the bar's start comes to the bottom
  PutPixels(dc, rect.left, rect.top, pixels);
}

void TSkinProgress::PaintBar(HDC b, int length, int thickness) {
  TDataSkinObject& bar = *Bar();
  ui::SaveDCGuard saved(b);
  const RECT all{0, 0, length, thickness};
  FillFace(b, all);
  const int pos = static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0));
  const int high = static_cast<int>(SendMessageW(handle_, PBM_GETRANGE, FALSE, 0));
  const int low = static_cast<int>(SendMessageW(handle_, PBM_GETRANGE, TRUE, 0));
  const int fill = ProgressFill(length, pos, low, high);
  const auto draw = [&](const TDataSkinObject& e, int frames, int frame, int width, int height) {
    const ImageDC& image = ElementImage(e, frames);
    ExecutePlanFrom(b, 0, 0,
                    PlanNineSlice(image.width(), image.height(), width, height,
                                  ScaledMargins(e, frames), false, e.Tile == 1, frames, frame),
                    image, true);
  };

  TDataSkinObject* chunk = skin_->FindElement("Progress.Chunk");
  if (bar.Style != 1 || !HasImage(chunk)) {
    draw(bar, 2, 1, length, thickness);
    if (fill > 0) draw(bar, 2, 2, fill, thickness);
    return;
  }
  draw(bar, 1, 1, length, thickness);
  if (fill <= 0) return;
  const int chunkFrames = std::max(chunk->Frame, 1);
  const ImageDC& image = ElementImage(*chunk, chunkFrames);
  const ImageRect cm = ScaledMargins(*chunk, chunkFrames);
  const ImageRect f = FrameRect(image.width(), image.height(), false, chunk->Frame, 1);
  const int inset = Scaled(2);
  PaintPlan plan;
  if (chunk->Tile == 1) {
    plan = PlanProgressChunks(fill, f.width(), f.height(), cm.left + inset,
                              (thickness - f.height()) / 2, length);
  } else {
    plan = PlanStretchedChunk(fill, thickness, f.width(), f.height(), cm.left, cm.right);
    for (BlitStep& s : plan) s.dst = s.dst.Offset(inset, inset);
    // The strip the chunk is stretched into is two insets shorter than the bar: the rest is cut.
    IntersectClipRect(b, inset, inset, std::min(inset + fill, length), thickness - inset);
  }
  for (BlitStep& s : plan) s.src = s.src.Offset(f.left, f.top);
  ExecutePlanFrom(b, 0, 0, plan, image, chunk->Trans == 1);
}

}  // namespace skin
