// Drive C: on Windows: the real one.
#include "platform/drive_c.h"

#include "platform/texte_windows.h"

namespace zor::platform {

std::filesystem::path dossierLecteurC() { return std::filesystem::path(L"C:\\"); }

std::string conseilLecteurC(int) { return {}; }

std::filesystem::path cheminLocal(std::string_view cheminWindows) {
  return std::filesystem::path(depuisAnsi(cheminWindows));
}

}  // namespace zor::platform
