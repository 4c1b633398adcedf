// Any bytes as a receiver text file: every copied line must be a "$" line of the input.
#include "fuzz/commun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace zor;
  fuzz::essayer("zor", donnees, taille, false);
  if (taille == 0) return 0;
  const std::string_view entree(reinterpret_cast<const char*>(donnees + 1), taille - 1);
  const fuzz::Issue issue = fuzz::executer(fuzz::demande("zor", conversion::Mode::Profil), entree, 1 << 20);
  fuzz::verifier(issue.echo == issue.fichier, "l'écho d'une copie diffère du fichier");
  std::string_view reste = issue.fichier;
  long long lignes = 0;
  while (!reste.empty()) {
    const std::size_t fin = reste.find("\r\n");
    fuzz::verifier(fin != std::string_view::npos && fin > 0 && reste.front() == '$', "ligne copiée mal formée");
    fuzz::verifier(entree.find(reste.substr(0, fin)) != std::string_view::npos, "ligne copiée absente de l'entrée");
    fuzz::verifier(reste.substr(0, fin).find('\r') == std::string_view::npos, "CR dans une ligne copiée");
    reste.remove_prefix(fin + 2);
    ++lignes;
  }
  fuzz::verifier(lignes == issue.nombre, "nombre de lignes différent du compte");
  return 0;
}
