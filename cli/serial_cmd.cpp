#include <cstdio>

#include "cli/commandes.h"

namespace zor::cli {

int commandeUpload(const Arguments&) {
  std::fputs("zor-cli upload : pas encore disponible.\n", stderr);
  return 2;
}

int commandeDownload(const Arguments&) {
  std::fputs("zor-cli download : pas encore disponible.\n", stderr);
  return 2;
}

}  // namespace zor::cli
