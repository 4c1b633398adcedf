#include "platform/texte_windows.h"

#include <climits>

#include "platform/windows_leger.h"

namespace zor::platform {
namespace {

std::wstring versUtf16(UINT page, std::string_view octets) {
  if (octets.empty() || octets.size() > INT_MAX) return {};
  const int n = static_cast<int>(octets.size());
  const int besoin = ::MultiByteToWideChar(page, 0, octets.data(), n, nullptr, 0);
  if (besoin <= 0) return {};
  std::wstring texte(static_cast<std::size_t>(besoin), L'\0');
  ::MultiByteToWideChar(page, 0, octets.data(), n, texte.data(), besoin);
  return texte;
}

}  // namespace

std::wstring large(std::string_view utf8) { return versUtf16(CP_UTF8, utf8); }

std::wstring depuisAnsi(std::string_view octets) { return versUtf16(CP_ACP, octets); }

std::string utf8(std::wstring_view texte) {
  if (texte.empty() || texte.size() > INT_MAX) return {};
  const int n = static_cast<int>(texte.size());
  const int besoin = ::WideCharToMultiByte(CP_UTF8, 0, texte.data(), n, nullptr, 0, nullptr, nullptr);
  if (besoin <= 0) return {};
  std::string octets(static_cast<std::size_t>(besoin), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, texte.data(), n, octets.data(), besoin, nullptr, nullptr);
  return octets;
}

}  // namespace zor::platform
