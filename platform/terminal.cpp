#include "platform/terminal.h"

#include <clocale>
#include <cstring>

#ifdef _WIN32
#include <io.h>

#include <climits>

#include "platform/windows_leger.h"
#else
#include <langinfo.h>
#include <unistd.h>
#endif

namespace zor::platform {
namespace {

bool terminalUtf8() {
#ifdef _WIN32
  // A console gets its text through ecrireConsole, whatever its code page; files and pipes
  // get UTF-8, which today's Windows editors read.
  return true;
#else
  static const bool utf8 = [] {
    std::setlocale(LC_CTYPE, "");
    const char* jeu = ::nl_langinfo(CODESET);
    // "ANSI_X3.4-1968" is the C locale: most terminals are UTF-8 then, and plain ASCII is the
    // same in both.
    return jeu == nullptr || std::strcmp(jeu, "UTF-8") == 0 || std::strcmp(jeu, "utf8") == 0 ||
           std::strcmp(jeu, "ANSI_X3.4-1968") == 0;
  }();
  return utf8;
#endif
}

}  // namespace

bool estUnTerminal(std::FILE* flux) {
#ifdef _WIN32
  return ::_isatty(::_fileno(flux)) != 0;
#else
  return ::isatty(::fileno(flux)) != 0;
#endif
}

std::string pourTerminal(std::string_view utf8) {
  if (terminalUtf8()) return std::string(utf8);
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

bool ecrireConsole(std::FILE* flux, std::string_view utf8) {
#ifdef _WIN32
  const auto h = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(flux)));
  DWORD mode = 0;
  if (h == INVALID_HANDLE_VALUE || !::GetConsoleMode(h, &mode)) return false;
  // The sequences that rewrite a line in place ("\x1b[K"): the console of Windows 10 and later
  // takes them once asked; an older one refuses and shows them as they are.
  if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) == 0) ::SetConsoleMode(h, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  if (utf8.empty()) return true;
  if (utf8.size() > INT_MAX) return false;
  const int n = static_cast<int>(utf8.size());
  const int besoin = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
  if (besoin <= 0) return false;
  std::wstring texte(static_cast<std::size_t>(besoin), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, texte.data(), besoin);
  std::fflush(flux);
  DWORD ecrits = 0;
  return ::WriteConsoleW(h, texte.data(), static_cast<DWORD>(texte.size()), &ecrits, nullptr) != 0;
#else
  (void)flux;
  (void)utf8;
  return false;
#endif
}

}  // namespace zor::platform
