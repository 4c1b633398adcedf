// Any bytes as an Autoroute Express file.
#include "fuzz/commun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  zor::fuzz::essayer("axe", donnees, taille, true);
  return 0;
}
