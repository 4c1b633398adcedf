#pragma once
// Text between the program (UTF-8, and the echo label's Windows-1252 bytes) and the Win32
// API's wide functions.
#include <string>
#include <string_view>

namespace zor::win32 {

std::wstring large(std::string_view utf8);
std::string utf8(std::wstring_view texte);
// One character per byte, whatever the system's own ANSI code page is.
std::wstring depuisWindows1252(std::string_view octets);

}  // namespace zor::win32
