#include "win32/fichiers_donnes.h"

#include "win32/texte.h"

namespace zor::win32 {

std::vector<std::string> fichiersDeposes(HDROP depot) {
  std::vector<std::string> fichiers;
  const UINT nombre = DragQueryFileW(depot, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < nombre; ++i) {
    // Any length NTFS allows, not MAX_PATH.
    std::wstring nom(DragQueryFileW(depot, i, nullptr, 0), L'\0');
    if (nom.empty()) continue;
    DragQueryFileW(depot, i, nom.data(), static_cast<UINT>(nom.size() + 1));
    fichiers.push_back(utf8(nom));
  }
  DragFinish(depot);
  return fichiers;
}

std::vector<std::string> argumentsDuProgramme() {
  int n = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &n);
  std::vector<std::string> resultat;
  if (arguments == nullptr) return resultat;
  for (int i = 1; i < n; ++i) resultat.push_back(utf8(arguments[i]));
  LocalFree(arguments);
  return resultat;
}

}  // namespace zor::win32
