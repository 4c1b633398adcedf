#include "serial/lignes.h"

namespace zor::serie {

std::vector<std::string> decouperLignes(std::string_view octets) {
  std::vector<std::string> lignes;
  std::size_t debut = 0;
  while (debut < octets.size()) {
    const std::size_t cr = octets.find('\r', debut);
    if (cr == std::string_view::npos) {
      lignes.emplace_back(octets.substr(debut));
      break;
    }
    lignes.emplace_back(octets.substr(debut, cr - debut));
    debut = cr + 1;
    if (debut < octets.size() && octets[debut] == '\n') ++debut;
  }
  return lignes;
}

}  // namespace zor::serie
