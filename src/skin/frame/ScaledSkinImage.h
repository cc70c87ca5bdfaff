// One skin image at a display scale, as both the frame and the control skinners take it: the
// image itself at 100 %, the skin's @2x art where it has some (as it is at 200 %, scaled from it at
// other scales above 100 %), else the image scaled frame by frame; and an element's nine-slice
// margins scaled for the same frames. Callers keep what they get: this is never done per paint.
#pragma once

#include <windows.h>

#include "imaging/ImageScale.h"
#include "imaging/PaintPlans.h"
#include "skin/frame/FramePainter.h"

namespace skin {

// `image` cut into `frames` frames side by side (stacked when `vertical`) at `scale`; `art2x` is
// the skin's 200 % art of it (null or empty when there is none).
ImageDC ScaledSkinImage(HBITMAP image, HBITMAP art2x, Scale scale, int frames, bool vertical);
// The margins of one frame of `image` (cut as above) at `scale`.
ImageRect ScaledSkinMargins(const ImageRect& margins, HBITMAP image, Scale scale, int frames,
                            bool vertical);
// How many images were scaled (or taken from @2x art) since the process started.
int SkinImagesScaled();

}  // namespace skin
