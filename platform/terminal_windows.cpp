// The console on Windows: its text goes in UTF-16, whatever its code page.
#include "platform/terminal.h"

#include <io.h>

#include "platform/texte_windows.h"
#include "platform/windows_leger.h"

namespace zor::platform {

// A console gets its text through ecrireConsole, whatever its code page; files and pipes get
// UTF-8, which today's Windows editors read.
bool terminalEnUtf8() { return true; }

bool estUnTerminal(std::FILE* flux) { return ::_isatty(::_fileno(flux)) != 0; }

bool ecrireConsole(std::FILE* flux, std::string_view utf8) {
  const auto h = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(flux)));
  DWORD mode = 0;
  if (h == INVALID_HANDLE_VALUE || !::GetConsoleMode(h, &mode)) return false;
  // The sequences that rewrite a line in place ("\x1b[K"): the console of Windows 10 and later
  // takes them once asked; an older one refuses and shows them as they are.
  if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) == 0) ::SetConsoleMode(h, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  if (utf8.empty()) return true;
  const std::wstring texte = large(utf8);
  if (texte.empty()) return false;
  std::fflush(flux);
  DWORD ecrits = 0;
  return ::WriteConsoleW(h, texte.data(), static_cast<DWORD>(texte.size()), &ecrits, nullptr) != 0;
}

}  // namespace zor::platform
