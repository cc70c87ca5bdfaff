#include "app/Artwork.h"

#include "imaging/BmpDecode.h"
#include "imaging/ImageScale.h"
#include "imaging/PixelBuffer.h"
#include "ui/Bitmaps.h"
#include "ui/Classes.h"
#include "ui/DpiScale.h"

namespace app {

namespace {

// IDR_CREDITS of the program's resources: the badge strip as a BMP file, left to right.
constexpr int kCreditsResource = 100;
constexpr ui::TColor kMagenta = 0xFF00FF;
constexpr int kBadgeWidth = 88, kBadgeHeight = 16;

// The strip is drawn with straight alpha. The lists draw their images with a colour key, onto
// the list's white field, so soft edges are blended against white and fully clear pixels become
// the key colour.
skin::PixelBuffer KeyedOnWhite(const skin::PixelBuffer& strip) {
  skin::PixelBuffer out(strip.width(), strip.height(), 24);
  for (int y = 0; y < strip.height(); ++y)
    for (int x = 0; x < strip.width(); ++x) {
      const skin::Colour c = strip.Get(x, y);
      const int a = strip.bitsPerPixel() == 32 ? strip.Alpha(x, y) : 255;
      if (a == 0) {
        out.Set(x, y, skin::kMagenta);
        continue;
      }
      auto over = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
      out.Set(
          x, y,
          skin::MakeColour(over(skin::RedOf(c)), over(skin::GreenOf(c)), over(skin::BlueOf(c))));
    }
  return out;
}

}  // namespace

void LoadCreditBadges(ui::TCustomImageList& images, HINSTANCE instance, int ppi) {
  // The list takes the badge size at this DPI even when the badges are missing, so that the
  // credit lists measure their rows alike either way.
  const skin::Scale scale = skin::Scale::FromDpi(ppi > 0 ? ppi : ui::kDesignPpi);
  images.SetSize(skin::ScaleLength(kBadgeWidth, scale), skin::ScaleLength(kBadgeHeight, scale));
  images.Clear();
  HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(kCreditsResource), MAKEINTRESOURCEW(10));
  if (!info) return;
  HGLOBAL data = LoadResource(instance, info);
  const auto* bytes = static_cast<const uint8_t*>(data ? LockResource(data) : nullptr);
  const DWORD size = SizeofResource(instance, info);
  skin::BmpImage strip;
  if (!bytes || !skin::TryDecodeBmp(bytes, size, strip)) return;
  // Keyed first, then scaled: the scaler keeps the key colour whole, so the badges' edges stay
  // transparent at every size.
  skin::PixelBuffer keyed = KeyedOnWhite(strip.pixels);
  if (!scale.Identity()) {
    const int frames = keyed.width() % kBadgeWidth == 0 ? keyed.width() / kBadgeWidth : 1;
    keyed = skin::ScaleImage(keyed, scale, frames);
  }
  const std::vector<uint8_t> encoded = skin::EncodeBmp(keyed);
  ui::TMemoryStream stream;
  stream.Write(encoded.data(), encoded.size());
  stream.SetPosition(0);
  ui::TBitmap bitmap;
  bitmap.LoadFromStream(stream);
  images.AddMasked(&bitmap, kMagenta);
}

}  // namespace app
