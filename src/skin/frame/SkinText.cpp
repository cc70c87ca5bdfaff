#include "skin/frame/SkinText.h"

namespace skin {

std::string WindowClassNameOf(HWND wnd) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(wnd, name, 256);
  std::string out;
  for (int i = 0; i < n; ++i) out.push_back(name[i] < 0x80 ? static_cast<char>(name[i]) : '?');
  return out;
}

int SkinDrawText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

}  // namespace skin
