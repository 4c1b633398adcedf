// A console program on Windows stops on Ctrl+C (or Ctrl+Break), and zor-sim is not built here.
#include "platform/textes_systeme.h"

namespace zor::platform {

const TextesSysteme& textesSysteme() {
  static constexpr TextesSysteme kTextes{"COM5", "130", "Ctrl+C", "fichiers venus de Linux ou de macOS", false, false};
  return kTextes;
}

}  // namespace zor::platform
