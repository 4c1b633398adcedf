// Any bytes as a G7towin text export.
#include "fuzz/commun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  zor::fuzz::essayer("g7towin", donnees, taille, true);
  return 0;
}
