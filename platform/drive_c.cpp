#include "platform/drive_c.h"

#include <cstdlib>
#include <string>

namespace zor::platform {

std::filesystem::path dossierLecteurC() {
#ifdef _WIN32
  return std::filesystem::path("C:\\");
#else
  if (const char* d = std::getenv("ZOR_DRIVE_C"); d != nullptr && *d != '\0') return d;
  if (const char* h = std::getenv("HOME"); h != nullptr && *h != '\0') return h;
  return std::filesystem::current_path();
#endif
}

std::filesystem::path cheminLocal(std::string_view cheminWindows) {
#ifdef _WIN32
  return std::filesystem::path(std::string(cheminWindows));
#else
  std::string reste(cheminWindows);
  const bool surC = reste.size() >= 2 && (reste[0] == 'c' || reste[0] == 'C') && reste[1] == ':';
  if (surC) reste.erase(0, 2);
  for (char& c : reste)
    if (c == '\\') c = '/';
  if (!surC) return std::filesystem::path(reste);
  while (!reste.empty() && reste.front() == '/') reste.erase(0, 1);
  return dossierLecteurC() / reste;
#endif
}

}  // namespace zor::platform
