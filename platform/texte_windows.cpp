#include "platform/texte_windows.h"

#ifdef _WIN32
#include <climits>

#include "platform/windows_leger.h"

namespace zor::platform {

std::wstring depuisAnsi(std::string_view octets) {
  if (octets.empty() || octets.size() > INT_MAX) return {};
  const int n = static_cast<int>(octets.size());
  const int besoin = ::MultiByteToWideChar(CP_ACP, 0, octets.data(), n, nullptr, 0);
  if (besoin <= 0) return {};
  std::wstring texte(static_cast<std::size_t>(besoin), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, octets.data(), n, texte.data(), besoin);
  return texte;
}

}  // namespace zor::platform
#endif
