#pragma once
// Text for the user's terminal: the program's messages are UTF-8, files and the receiver speak
// Windows-1252, and the terminal takes whatever its locale says.
#include <cstdio>
#include <string>
#include <string_view>

namespace zor::platform {

// Whether the stream is a terminal (a console on Windows) a person reads.
bool estUnTerminal(std::FILE* flux);

// Whether text for the terminal is UTF-8 as it is: elsewhere than on Windows, when the locale's
// character set is UTF-8 (or the C locale's ASCII); on Windows, for text that goes to a file or
// a pipe, when the console's code page is UTF-8 (chcp 65001).
bool terminalEnUtf8();

// UTF-8 text in the terminal's encoding: unchanged for a UTF-8 terminal, Latin-1 (with "?" for
// what it cannot show) for an 8-bit one. On Windows, text that goes to a file or a pipe: in the
// console's code page (850 in a French cmd.exe, where `type` and `more` read it), or without a
// console the system's OEM code page, with "?" for what it lacks.
std::string pourTerminal(std::string_view utf8);

// Writes UTF-8 text to `flux` when it is a Windows console, in UTF-16, so that accents read
// right whatever the console's code page (850 in a French cmd.exe); false, and nothing
// written, for a file, a pipe, and on every other system.
bool ecrireConsole(std::FILE* flux, std::string_view utf8);

}  // namespace zor::platform
