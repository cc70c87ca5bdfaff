// libFuzzer target of the BMP reader: any input either decodes to a consistent image or is refused
// with a BmpError, never a crash or a read outside the input. Decoded images then go through the
// pixel routines and the region scan, which must cope with every size the reader lets through.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imaging/BmpDecode.h"
#include "imaging/ImgUtil.h"
#include "imaging/PaintPlans.h"
#include "imaging/RegionRuns.h"

namespace {

void Exercise(skin::BmpImage& image) {
  skin::PixelBuffer& p = image.pixels;
  if (p.width() != image.info.width || p.height() != image.info.height) std::abort();
  // The pixel routines take no path on a large image that a small one does not; running them over
  // every pixel of large ones would only slow the search down.
  if (static_cast<int64_t>(p.width()) * p.height() > 32 * 32) return;
  skin::ExtractRegionRuns(p, 3, -2, skin::TransparentBand(skin::kMagenta, 1, 1, 1));
  skin::RenderNineSlice(p, 17, 9, skin::ImageRect{p.width() / 3, 2, p.width() / 4, 3}, false, true,
                        2, 2);
  skin::RotateLeft(p);
  skin::MirrorHorizontal(p);
  skin::ReplaceMagenta(p, 0x123456);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exact-size copies, so AddressSanitizer sees any read past the end.
  const std::vector<uint8_t> file(data, data + size);
  skin::BmpImage image;
  if (skin::TryDecodeBmp(file.data(), file.size(), image)) Exercise(image);
  if (size > 14) {
    const std::vector<uint8_t> dib(data + 14, data + size);
    try {
      image = skin::DecodeDib(dib.data(), dib.size());
      Exercise(image);
    } catch (const skin::BmpError&) {
    }
  }
  return 0;
}
