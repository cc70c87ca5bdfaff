// Window names and text as every painter of the engine reads and draws them.
#pragma once

#include <windows.h>

#include <string>

namespace skin {

// The window's class name (ASCII; other characters read as '?').
std::string WindowClassNameOf(HWND wnd);

// Draws a text with the wide text routine (every painter of the engine draws through it).
int SkinDrawText(HDC dc, const std::wstring& text, RECT& rect, UINT format);

}  // namespace skin
