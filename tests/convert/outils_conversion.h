#pragma once
// What the window tests and the zor-cli tests share: the sample inputs and a way to run the
// built zor-cli.
#include <QStringList>
#include <filesystem>
#include <string>

namespace zor::test {

// tests/convert/donnees in the source tree.
std::filesystem::path dossierDonnees();
std::filesystem::path donnee(const char* nom);

struct ResultatCli {
  int code = -1;
  std::string sortie, erreurs;
};

// Runs $ZOR_BUILD_DIR/zor-cli with these arguments and waits for its end.
// Runs the built zor-cli; its standard output may be appended to a file, the size of the
// files it writes limited (ulimit -f, in bytes), and its standard input read from a file.
ResultatCli lancerZorCli(const QStringList& arguments, const QString& ajouterSortieA = {}, long limiteFichier = 0,
                         const QString& entreeDepuis = {});

}  // namespace zor::test
