// The file test and the program start on systems other than Windows: registry paths are
// Windows-1252 text, "C:\..." lives under the folder that stands for drive C:.
#ifndef _WIN32
#include <QProcess>
#include <QString>
#include <string>
#include <system_error>

#include "platform/cp1252.h"
#include "platform/drive_c.h"
#include "platform/lancement.h"

namespace zor::platform {

std::filesystem::path cheminProgramme(std::string_view chemin) {
  return cheminLocal(depuisWindows1252(chemin).toStdString());
}

bool fichierOrdinaireExiste(std::string_view chemin) {
  if (chemin.empty()) return false;
  const std::filesystem::path p = cheminProgramme(chemin);
  const std::string nom = p.filename().string();
  if (nom.empty() || nom.front() == '.') return false;
  std::error_code erreur;
  return std::filesystem::is_regular_file(p, erreur);
}

bool demarrerProgramme(const std::filesystem::path& programme) {
  if (programme.empty()) return false;
  return QProcess::startDetached(QString::fromStdString(programme.string()), {});
}

}  // namespace zor::platform
#endif
