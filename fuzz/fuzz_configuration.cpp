// Any bytes as the user's zor.conf: the reader never crashes, and a value it finds is
// never empty and stands on one line of the input.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/commun.h"
#include "serial/configuration.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace zor;
  const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
  const auto valeur = serie::valeurIni(texte, "ports", "Comm1");
  if (valeur && *valeur) {
    const std::string& v = **valeur;
    fuzz::verifier(!v.empty(), "valeur vide rendue");
    fuzz::verifier(v.find_first_of("\r\n") == std::string::npos, "valeur sur plusieurs lignes");
    fuzz::verifier(texte.find(v) != std::string_view::npos, "valeur absente de l'entrée");
  }
  return 0;
}
