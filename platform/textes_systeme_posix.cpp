#include "platform/textes_systeme.h"

namespace zor::platform {

const TextesSysteme& textesSysteme() {
  static constexpr TextesSysteme kTextes{"/dev/ttyUSB0", "130, 143 ou 129", "Ctrl+C, SIGTERM ou SIGHUP",
                                         "fichiers texte écrits sous Linux", true, true};
  return kTextes;
}

}  // namespace zor::platform
