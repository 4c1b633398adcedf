// The file test and the program start on Windows: the system's own calls on UTF-16 paths.
#include <string>

#include "platform/drive_c.h"
#include "about/lancement.h"
#include "platform/windows_leger.h"

namespace zor::apropos {

std::filesystem::path cheminProgramme(std::string_view chemin) { return platform::cheminLocal(chemin); }

bool fichierOrdinaireExiste(std::string_view chemin) {
  if (chemin.empty()) return false;
  const DWORD attributs = ::GetFileAttributesW(cheminProgramme(chemin).c_str());
  if (attributs == INVALID_FILE_ATTRIBUTES) return false;
  return (attributs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool demarrerProgramme(const std::filesystem::path& programme) {
  if (programme.empty()) return false;
  // The program is named on its own; its command line is only its quoted name, as every
  // program expects to find it in argv[0].
  std::wstring ligne = L"\"" + programme.wstring() + L"\"";
  STARTUPINFOW demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESHOWWINDOW;
  demarrage.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION processus{};
  if (!::CreateProcessW(programme.c_str(), ligne.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &demarrage,
                        &processus))
    return false;
  // Started: the program lives on by itself, we keep no hold on it.
  ::CloseHandle(processus.hThread);
  ::CloseHandle(processus.hProcess);
  return true;
}

}  // namespace zor::apropos
