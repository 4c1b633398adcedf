#include "about/infos_systeme.h"

#include "platform/messages.h"

namespace zor::apropos {

void StartSysInfo() {
  bool lance = false;
  try {
    lance = lancerInfosSysteme();
  } catch (...) {
    lance = false;
  }
  if (!lance) platform::MsgBox(kMessageInfosIndisponibles, platform::Boutons::Ok, platform::Icone::Aucune);
}

}  // namespace zor::apropos
