#include "skin/frame/ScaledSkinImage.h"

#include <algorithm>

#include "skin/data/ImgUtilGdi.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/PaintPrimitives.h"
#include "ui/Graphics.h"

namespace skin {

namespace {
int g_imagesScaled = 0;

bool HasPixels(HBITMAP bitmap) {
  const SIZE size = bitmap ? BitmapSize(bitmap) : SIZE{};
  return size.cx > 0 && size.cy > 0;
}
}  // namespace

int SkinImagesScaled() { return g_imagesScaled; }

ImageDC ScaledSkinImage(HBITMAP image, HBITMAP art2x, Scale scale, int frames, bool vertical) {
  // The skin's own image at 96 dpi, as painted before.
  if (scale.Identity() || !HasPixels(image)) return ImageDC(image);
  ++g_imagesScaled;
  frames = std::max(frames, 1);
  // Larger art where the skin has it: as it is at 200 %, scaled from it (down, or less far up)
  // at any other scale above 100 %.
  if (HasPixels(art2x) && scale.num > scale.den) {
    const Scale fromLarger = Scale{scale.num, scale.den * 2}.Reduced();
    if (fromLarger.Identity()) return ImageDC(art2x);
    const ui::GdiBitmap scaled =
        MakeBitmap(ScaleImage(ReadPixels(art2x), fromLarger, frames, vertical));
    return ImageDC(scaled.get());
  }
  const ui::GdiBitmap scaled = MakeBitmap(ScaleImage(ReadPixels(image), scale, frames, vertical));
  return ImageDC(scaled.get());
}

ImageRect ScaledSkinMargins(const ImageRect& margins, HBITMAP image, Scale scale, int frames,
                            bool vertical) {
  if (scale.Identity() || !HasPixels(image)) return margins;
  frames = std::max(frames, 1);
  const SIZE size = BitmapSize(image);
  const int fw = vertical ? size.cx : size.cx / frames;
  const int fh = vertical ? size.cy / frames : size.cy;
  return ScaleMargins(margins, fw, fh, scale);
}

}  // namespace skin
