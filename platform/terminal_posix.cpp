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

std::string pourTerminal(std::string_view utf8) {
  if (terminalEnUtf8()) return std::string(utf8);
  std::string s;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      s.push_back(static_cast<char>(c));
    } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      const unsigned point = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
      s.push_back(point < 0x100 ? static_cast<char>(point) : '?');
      ++i;
    } else if (c >= 0xC0) {
      s.push_back('?');
      while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  return s;
}

}  // namespace zor::platform
