// Text conversions shared by the program and the engine. Portable: no Win32 here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// UTF-16 → UTF-8. Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-8 → UTF-16. Malformed sequences become U+FFFD, one per offending byte.
std::u16string Utf8ToUtf16(std::string_view text);

// ASCII-only case mapping (the engine's names and keys are ASCII; other bytes pass unchanged).
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Removes leading and trailing blanks and control characters (bytes <= ' ').
std::string_view Trim(std::string_view text);

// A number typed into a numeric field: ASCII decimal digits of any length with an optional sign,
// blanks around them allowed. A number beyond [min, max] is forced to the nearer end of the range
// (the ends may come in either order), so what the field shows and what is sent agree however
// long the digits run. Text that is not such a number gives nullopt.
std::optional<int> ReadNumberInRange(std::u16string_view text, int min, int max);

}  // namespace ui
