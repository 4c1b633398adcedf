// The rescue folder on the POSIX systems: the user's own state folder.
#include <sys/stat.h>

#include <cstdlib>
#include <system_error>

#include "platform/drive_c.h"
#include "platform/secours.h"

namespace zor::platform {

std::filesystem::path dossierDeSecours() {
  // The user's own state folder: nobody else reads what the receiver sent.
  std::filesystem::path base;
  if (const char* etat = std::getenv("XDG_STATE_HOME"); etat != nullptr && etat[0] == '/') base = etat;
  else if (const char* maison = std::getenv("HOME"); maison != nullptr && maison[0] == '/')
    base = std::filesystem::path(maison) / ".local" / "state";
  if (base.empty()) return dossierLecteurC();
  std::error_code ec;
  std::filesystem::create_directories(base / "zor", ec);
  ::chmod((base / "zor").c_str(), 0700);
  if (ec || !std::filesystem::is_directory(base / "zor", ec)) return dossierLecteurC();
  return base / "zor";
}

}  // namespace zor::platform
