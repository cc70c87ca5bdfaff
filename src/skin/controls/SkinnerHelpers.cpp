#include "skin/controls/SkinnerHelpers.h"

#include <cctype>

#include "ui/TypInfo.h"

namespace skin {

TDataSkinObject* ElementWithImage(const TSkinData* skin, std::string_view name) {
  TDataSkinObject* e = skin ? skin->FindElement(name) : nullptr;
  return HasImage(e) ? e : nullptr;
}

void PutPixels(HDC dc, int x, int y, const PixelBuffer& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width();
  info.bmiHeader.biHeight = -pixels.height();  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(pixels.width()),
                    static_cast<DWORD>(pixels.height()), 0, 0, 0,
                    static_cast<UINT>(pixels.height()), pixels.data(), &info, DIB_RGB_COLORS);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string LowerEnum(ui::TObject* object, const char* name) {
  return Lower(ui::GetEnumPropertyName(object, name));
}

}  // namespace skin
