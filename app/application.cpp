#include "app/application.h"

#include <new>
#include <stdexcept>

#include "core/erreur.h"
#include "platform/messages.h"

namespace zor::app {

bool ApplicationZor::notify(QObject* destinataire, QEvent* evenement) {
  QString texte;
  try {
    return QApplication::notify(destinataire, evenement);
  } catch (const Echec& e) {
    texte = QString::fromStdString(decrire(e.erreur()));
  } catch (const std::bad_alloc&) {
    texte = QString::fromStdString(decrire(erreurFichier(Erreur::Genre::MemoireInsuffisante, {}, 0)));
  } catch (const std::exception&) {
    texte = QStringLiteral("L'action en cours n'a pas pu aboutir et a été abandonnée.\nVous pouvez continuer ou recommencer.");
  }
  platform::afficherMessage({texte, platform::kTitreApplication, platform::Boutons::Ok, platform::Icone::Avertissement});
  return false;
}

}  // namespace zor::app
