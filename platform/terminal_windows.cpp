// The console on Windows: its text goes in UTF-16, whatever its code page. Text sent to a file
// or a pipe instead is written in the console's code page (850 in a French cmd.exe), so that
// `type` and `more` show it right in that console; without a console, in the system's OEM code
// page, the one a console starts with. A character that code page lacks becomes "?".
#include "platform/terminal.h"

#include <io.h>

#include <climits>
#include <string_view>
#include <utility>

#include "platform/texte_windows.h"
#include "platform/windows_leger.h"

namespace zor::platform {
namespace {

UINT pageRedirigee() {
  const UINT page = ::GetConsoleOutputCP();
  return page != 0 ? page : ::GetOEMCP();
}

}  // namespace

bool terminalEnUtf8() { return pageRedirigee() == CP_UTF8; }

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

// The program's own signs that few console code pages have, in plain characters where the code
// page lacks them: "COM5 - Prolific…" reads better than "COM5 ? Prolific…".
std::wstring signesSimples(UINT page, std::wstring texte) {
  static constexpr std::pair<wchar_t, std::wstring_view> kSignes[] = {{L'\u2014', L"-"}, {L'\u2192', L"->"}, {L'\u2248', L"~"}};
  for (const auto& [signe, simple] : kSignes) {
    if (texte.find(signe) == std::wstring::npos) continue;
    BOOL manque = FALSE;
    char octet[8];
    if (::WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, &signe, 1, octet, sizeof octet, "?", &manque) > 0 && !manque)
      continue;
    for (std::size_t p; (p = texte.find(signe)) != std::wstring::npos;) texte.replace(p, 1, simple);
  }
  return texte;
}

std::string pourTerminal(std::string_view utf8) {
  const UINT page = pageRedirigee();
  if (page == CP_UTF8 || utf8.empty()) return std::string(utf8);
  const std::wstring texte = signesSimples(page, large(utf8));
  if (texte.empty() || texte.size() > INT_MAX) return std::string(utf8);
  const int n = static_cast<int>(texte.size());
  // No "best fit": « Ł » shown as « L » would name another file.
  DWORD options = WC_NO_BEST_FIT_CHARS;
  int besoin = ::WideCharToMultiByte(page, options, texte.data(), n, nullptr, 0, "?", nullptr);
  if (besoin <= 0) {
    // Some code pages take no options at all.
    options = 0;
    besoin = ::WideCharToMultiByte(page, options, texte.data(), n, nullptr, 0, nullptr, nullptr);
  }
  if (besoin <= 0) return std::string(utf8);
  std::string octets(static_cast<std::size_t>(besoin), '\0');
  ::WideCharToMultiByte(page, options, texte.data(), n, octets.data(), besoin, options != 0 ? "?" : nullptr, nullptr);
  return octets;
}

}  // namespace zor::platform
