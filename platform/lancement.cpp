#include "platform/lancement.h"

#include <QProcess>
#include <QString>
#include <system_error>

#ifdef _WIN32
#include "platform/windows_leger.h"
#endif

#include "platform/cp1252.h"
#include "platform/drive_c.h"

namespace zor::platform {
namespace {
std::function<bool(const std::filesystem::path&)> lanceurInstalle;

QString texte(std::string_view chemin) {
#ifdef _WIN32
  return QString::fromLocal8Bit(chemin.data(), static_cast<qsizetype>(chemin.size()));
#else
  return depuisWindows1252(chemin);
#endif
}
}  // namespace

std::filesystem::path cheminProgramme(std::string_view chemin) {
#ifdef _WIN32
  return std::filesystem::path(texte(chemin).toStdWString());
#else
  return cheminLocal(texte(chemin).toStdString());
#endif
}

bool fichierOrdinaireExiste(std::string_view chemin) {
  if (chemin.empty()) return false;
#ifdef _WIN32
  const DWORD attributs = ::GetFileAttributesW(cheminProgramme(chemin).c_str());
  if (attributs == INVALID_FILE_ATTRIBUTES) return false;
  return (attributs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
#else
  const std::filesystem::path p = cheminProgramme(chemin);
  const std::string nom = p.filename().string();
  if (nom.empty() || nom.front() == '.') return false;
  std::error_code erreur;
  return std::filesystem::is_regular_file(p, erreur);
#endif
}

bool lancerProgramme(std::string_view chemin) {
  if (chemin.empty()) return false;
  const std::filesystem::path p = cheminProgramme(chemin);
  if (lanceurInstalle) return lanceurInstalle(p);
  // The program alone, no argument: a path with blanks is one program, not a command line.
#ifdef _WIN32
  return QProcess::startDetached(QString::fromStdWString(p.wstring()), {});
#else
  return QProcess::startDetached(QString::fromStdString(p.string()), {});
#endif
}

void remplacerLancement(std::function<bool(const std::filesystem::path&)> lanceur) {
  lanceurInstalle = std::move(lanceur);
}

}  // namespace zor::platform
