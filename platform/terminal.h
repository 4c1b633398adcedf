#pragma once
// Text for the user's terminal: the program's messages are UTF-8, files and the receiver speak
// Windows-1252, and the terminal takes whatever its locale says.
#include <string>
#include <string_view>

#include <cstdio>

namespace zor::platform {

// Whether the stream is a terminal (a console on Windows) a person reads.
bool estUnTerminal(std::FILE* flux);

// UTF-8 text in the terminal's encoding: unchanged for a UTF-8 terminal, Latin-1 (with "?" for
// what it cannot show) for an 8-bit one.
std::string pourTerminal(std::string_view utf8);

}  // namespace zor::platform
