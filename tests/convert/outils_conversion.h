#pragma once
// What the window tests and the zor-cli tests share: the sample inputs and a way to run the
// built zor-cli.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/processus.h"

namespace zor::test {

// tests/convert/donnees in the source tree.
std::filesystem::path dossierDonnees();
std::filesystem::path donnee(const char* nom);

using ResultatCli = Resultat;

// Runs the built zor-cli ($ZOR_BUILD_DIR) with these arguments and waits for its end; its
// standard output may be appended to a file, the size of the files it writes limited (ulimit
// -f, in bytes), and its standard input read from a file.
ResultatCli lancerZorCli(const std::vector<std::string>& arguments, const std::string& ajouterSortieA = {},
                         long limiteFichier = 0, const std::string& entreeDepuis = {});

}  // namespace zor::test
