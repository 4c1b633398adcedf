#include "win32/texte.h"

#include "core/windows1252.h"

namespace zor::win32 {

std::wstring depuisWindows1252(std::string_view octets) {
  std::wstring texte(octets.size(), L'\0');
  for (std::size_t i = 0; i < octets.size(); ++i)
    texte[i] = static_cast<wchar_t>(unicodeDeWindows1252(static_cast<unsigned char>(octets[i])));
  return texte;
}

}  // namespace zor::win32
