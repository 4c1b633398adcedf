// The terminal on the POSIX systems: its encoding is the locale's.
#include "platform/terminal.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstring>

namespace zor::platform {

bool terminalEnUtf8() {
  static const bool utf8 = [] {
    std::setlocale(LC_CTYPE, "");
    const char* jeu = ::nl_langinfo(CODESET);
    // "ANSI_X3.4-1968" is the C locale: most terminals are UTF-8 then, and plain ASCII is the
    // same in both.
    return jeu == nullptr || std::strcmp(jeu, "UTF-8") == 0 || std::strcmp(jeu, "utf8") == 0 ||
           std::strcmp(jeu, "ANSI_X3.4-1968") == 0;
  }();
  return utf8;
}

bool estUnTerminal(std::FILE* flux) { return ::isatty(::fileno(flux)) != 0; }

bool ecrireConsole(std::FILE*, std::string_view) { return false; }

}  // namespace zor::platform
