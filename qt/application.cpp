#include "qt/application.h"

#include "core/echec_action.h"
#include "qt/messages.h"

namespace zor::qt {

bool ApplicationZor::notify(QObject* destinataire, QEvent* evenement) {
  std::string texte;
  try {
    return QApplication::notify(destinataire, evenement);
  } catch (...) {
    texte = decrireEchecEnCours();
  }
  afficherMessage({texte, std::string(kTitreApplication), Boutons::Ok, Icone::Avertissement});
  return false;
}

}  // namespace zor::qt
