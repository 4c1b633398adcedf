#include "tests/convert/outils_conversion.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>
#include <sys/resource.h>

namespace zor::test {

namespace {
const char* variableOuDefaut(const char* variable, const char* defaut) {
  const char* valeur = std::getenv(variable);
  return valeur != nullptr && *valeur != '\0' ? valeur : defaut;
}
}  // namespace

std::filesystem::path dossierDonnees() {
  return std::filesystem::path(variableOuDefaut("ZOR_SOURCE_DIR", ZOR_DOSSIER_SOURCE)) / "tests" / "convert" / "donnees";
}

std::filesystem::path donnee(const char* nom) { return dossierDonnees() / nom; }

ResultatCli lancerZorCli(const QStringList& arguments, const QString& ajouterSortieA, long limiteFichier,
                         const QString& entreeDepuis) {
  const QString programme =
      QString::fromLocal8Bit(variableOuDefaut("ZOR_BUILD_DIR", ZOR_DOSSIER_CONSTRUCTION)) + "/zor-cli";
  QProcess processus;
  if (!ajouterSortieA.isEmpty()) processus.setStandardOutputFile(ajouterSortieA, QIODevice::Append);
  if (!entreeDepuis.isEmpty()) processus.setStandardInputFile(entreeDepuis);
  if (limiteFichier > 0) {
    processus.setChildProcessModifier([limiteFichier] {
      const rlimit limite{static_cast<rlim_t>(limiteFichier), static_cast<rlim_t>(limiteFichier)};
      ::setrlimit(RLIMIT_FSIZE, &limite);
    });
  }
  processus.start(programme, arguments);
  ResultatCli r;
  if (!processus.waitForStarted(10000) || !processus.waitForFinished(30000)) {
    ADD_FAILURE() << "zor-cli n'a pas pu tourner : " << programme.toStdString();
    return r;
  }
  r.code = processus.exitStatus() == QProcess::NormalExit ? processus.exitCode() : -1;
  r.sortie = processus.readAllStandardOutput().toStdString();
  r.erreurs = processus.readAllStandardError().toStdString();
  return r;
}

}  // namespace zor::test
