#include "convert/fins_de_ligne.h"

namespace zor::conversion {

std::string avertissementSeulementLF(std::string_view nom) {
  return "Attention : " + std::string(nom) +
         " n'a que des fins de ligne LF, sans CR : comme la fenêtre, zor-cli n'y voit qu'une seule ligne. Avec --lf, "
         "chaque LF finit aussi une ligne.";
}

}  // namespace zor::conversion
