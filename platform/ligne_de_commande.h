#pragma once
// The program's arguments as UTF-8 text, whatever the system: Windows hands its command line
// over in UTF-16, which the C runtime's argv squeezes into the ANSI code page (a name with
// « œ », « ’ » or « Ł » would no longer name its file); elsewhere argv's bytes are taken as
// they are.
#include <string>
#include <vector>

namespace zor::platform {

// Every argument, the program's name first.
std::vector<std::string> argumentsUtf8(int argc, char** argv);

}  // namespace zor::platform
