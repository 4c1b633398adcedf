#pragma once
// Text between the program (UTF-8, and the echo label's Windows-1252 bytes) and the Win32
// API's wide functions.
#include <string>
#include <string_view>

#include "platform/texte_windows.h"

namespace zor::win32 {

using platform::large;
using platform::utf8;
// One character per byte, whatever the system's own ANSI code page is.
std::wstring depuisWindows1252(std::string_view octets);

}  // namespace zor::win32
