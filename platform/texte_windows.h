#pragma once
// Text as the Windows API hands it over: the registry's ANSI functions speak the system's ANSI
// code page, paths go to the system in UTF-16.
#ifdef _WIN32
#include <string>
#include <string_view>

namespace zor::platform {

// Bytes in the ANSI code page to UTF-16.
std::wstring depuisAnsi(std::string_view octets);

}  // namespace zor::platform
#endif
