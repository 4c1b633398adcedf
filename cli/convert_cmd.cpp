#include <cstdio>

#include "cli/commandes.h"

namespace zor::cli {

int commandeConvert(const Arguments&) {
  std::fputs("zor-cli convert : pas encore disponible.\n", stderr);
  return 2;
}

}  // namespace zor::cli
