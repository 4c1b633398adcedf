// Drive C: on the POSIX systems: a folder the user chooses ($ZOR_DRIVE_C), else their home.
#include "platform/drive_c.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace zor::platform {

std::filesystem::path dossierLecteurC() {
  if (const char* d = std::getenv("ZOR_DRIVE_C"); d != nullptr && *d != '\0') return d;
  if (const char* h = std::getenv("HOME"); h != nullptr && *h != '\0') return h;
  std::error_code ec;
  std::filesystem::path courant = std::filesystem::current_path(ec);
  // The root then: a write there fails and says so, where a guess would put files astray.
  if (ec || courant.empty()) return std::filesystem::path("/");
  return courant;
}

std::string conseilLecteurC(int numeroSysteme) {
  if (numeroSysteme != EROFS && numeroSysteme != EACCES && numeroSysteme != EPERM) return {};
  return "Le dossier qui tient lieu du lecteur C: (" + dossierLecteurC().string() +
         ") n'accepte pas ce fichier : donnez un dossier où vous pouvez écrire par la variable d'environnement "
         "ZOR_DRIVE_C (par exemple ZOR_DRIVE_C=$HOME/zor), puis relancez le programme.";
}

std::filesystem::path cheminLocal(std::string_view cheminWindows) {
  std::string reste(cheminWindows);
  const bool surC = reste.size() >= 2 && (reste[0] == 'c' || reste[0] == 'C') && reste[1] == ':';
  if (surC) reste.erase(0, 2);
  for (char& c : reste)
    if (c == '\\') c = '/';
  if (!surC) return std::filesystem::path(reste);
  while (!reste.empty() && reste.front() == '/') reste.erase(0, 1);
  return dossierLecteurC() / reste;
}

}  // namespace zor::platform
