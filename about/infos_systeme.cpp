#include "about/infos_systeme.h"

#include "platform/messages.h"

namespace zor::apropos {

void StartSysInfo(const platform::Repondeur& messages, const platform::Lanceur& lanceur) {
  bool lance = false;
  try {
    lance = lancerInfosSysteme(lanceur);
  } catch (...) {
    lance = false;
  }
  if (!lance) platform::MsgBox(messages, kMessageInfosIndisponibles, platform::Boutons::Ok, platform::Icone::Aucune);
}

}  // namespace zor::apropos
