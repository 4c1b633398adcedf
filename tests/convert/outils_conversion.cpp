#include "tests/convert/outils_conversion.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zor::test {

std::filesystem::path dossierDonnees() {
  const char* source = std::getenv("ZOR_SOURCE_DIR");
  return std::filesystem::path(source != nullptr && *source != '\0' ? source : ZOR_DOSSIER_SOURCE) / "tests" / "convert" /
         "donnees";
}

std::filesystem::path donnee(const char* nom) { return dossierDonnees() / nom; }

ResultatCli lancerZorCli(const std::vector<std::string>& arguments, const std::string& ajouterSortieA,
                         long limiteFichier, const std::string& entreeDepuis) {
  Lancement lancement;
  lancement.sortieAjoutee = ajouterSortieA;
  lancement.entree = entreeDepuis;
  lancement.limiteFichier = limiteFichier;
  const ResultatCli r = executer(programmeConstruit("zor-cli"), arguments, std::move(lancement));
  if (r.code == 127) ADD_FAILURE() << "zor-cli n'a pas pu tourner : " << programmeConstruit("zor-cli");
  return r;
}

}  // namespace zor::test
