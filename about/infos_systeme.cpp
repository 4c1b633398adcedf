#include "about/infos_systeme.h"

namespace zor::apropos {

void StartSysInfo(const Repondeur& messages, const Lanceur& lanceur) {
  bool lance = false;
  try {
    lance = lancerInfosSysteme(lanceur);
  } catch (...) {
    lance = false;
  }
  if (!lance && messages) messages({std::string(kMessageInfosIndisponibles)});
}

}  // namespace zor::apropos
