#include "app/Artwork.h"

#include "ui/Bitmaps.h"
#include "ui/Classes.h"

namespace app {

namespace {
// IDR_CREDITS of the program's resources: the badge strip as a BMP file, left to right.
constexpr int kCreditsResource = 100;
constexpr ui::TColor kMagenta = 0xFF00FF;
}  // namespace

void LoadCreditBadges(ui::TCustomImageList& images, HINSTANCE instance) {
  HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(kCreditsResource), MAKEINTRESOURCEW(10));
  if (!info) return;
  HGLOBAL data = LoadResource(instance, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  const DWORD size = SizeofResource(instance, info);
  if (!bytes || size == 0) return;
  ui::TMemoryStream stream;
  stream.Write(bytes, size);
  stream.SetPosition(0);
  ui::TBitmap strip;
  strip.LoadFromStream(stream);
  images.AddMasked(&strip, kMagenta);
}

}  // namespace app
