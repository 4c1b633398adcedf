#pragma once
// Text as the Windows API takes and hands it over: its wide functions speak UTF-16, the
// registry's ANSI functions the system's ANSI code page; the program speaks UTF-8. The one
// place where these conversions are written. Windows only.
#include <string>
#include <string_view>

namespace zor::platform {

// UTF-8 to UTF-16, and back; empty for empty text or text too long for the system.
std::wstring large(std::string_view utf8);
std::string utf8(std::wstring_view texte);

// Bytes in the ANSI code page to UTF-16.
std::wstring depuisAnsi(std::string_view octets);

}  // namespace zor::platform
