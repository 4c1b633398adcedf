#include "qt/application.h"

#include <new>
#include <stdexcept>

#include "core/erreur.h"
#include "qt/messages.h"

namespace zor::qt {

bool ApplicationZor::notify(QObject* destinataire, QEvent* evenement) {
  std::string texte;
  try {
    return QApplication::notify(destinataire, evenement);
  } catch (const Echec& e) {
    texte = decrire(e.erreur());
  } catch (const std::bad_alloc&) {
    texte = decrire(erreurFichier(Erreur::Genre::MemoireInsuffisante, {}, 0));
  } catch (const std::exception&) {
    texte = "L'action en cours n'a pas pu aboutir et a été abandonnée.\nVous pouvez continuer ou recommencer.";
  }
  afficherMessage({texte, std::string(kTitreApplication), Boutons::Ok, Icone::Avertissement});
  return false;
}

}  // namespace zor::qt
