#include "win32/texte.h"

#include "core/windows1252.h"
#include "platform/windows_leger.h"

namespace zor::win32 {

std::wstring large(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring texte(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), texte.data(), n);
  return texte;
}

std::string utf8(std::wstring_view texte) {
  if (texte.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, texte.data(), static_cast<int>(texte.size()), nullptr, 0, nullptr, nullptr);
  std::string octets(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, texte.data(), static_cast<int>(texte.size()), octets.data(), n, nullptr, nullptr);
  return octets;
}

std::wstring depuisWindows1252(std::string_view octets) {
  std::wstring texte(octets.size(), L'\0');
  for (std::size_t i = 0; i < octets.size(); ++i)
    texte[i] = static_cast<wchar_t>(unicodeDeWindows1252(static_cast<unsigned char>(octets[i])));
  return texte;
}

}  // namespace zor::win32
