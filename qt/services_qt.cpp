#include "qt/services_qt.h"

#include <QCoreApplication>

#include "app/services_machine.h"
#include "qt/dialogue_ouverture.h"
#include "qt/messages.h"

namespace zor::qt {

app::Services servicesQt(app::Services s, const QPointer<Form1Qt>& fenetre) {
  s = app::servicesDeLaMachine(std::move(s));
  // The pointer is read when a service is used, not now: the window is made after its model.
  const QPointer<Form1Qt>* f = &fenetre;
  if (!s.messages)
    s.messages = [f](const DemandeMessage& demande) {
      if (!f->isNull() && (*f)->modele().enTransfert()) (*f)->avantMessageDeFin();
      return afficherMessage(demande, f->data());
    };
  if (!s.ouverture) s.ouverture = [f](const app::DemandeOuverture& d) { return afficherOuverture(d, f->data()); };
  if (!s.veiller)
    s.veiller = [f] {
      if (!f->isNull()) (*f)->veiller();
    };
  if (!s.peindre)
    s.peindre = [f] {
      if (!f->isNull()) (*f)->peindre();
    };
  if (!s.plusTard)
    s.plusTard = [](std::function<void()> plusTard) {
      QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(plusTard), Qt::QueuedConnection);
    };
  if (!s.fermer)
    s.fermer = [f] {
      if (!f->isNull()) (*f)->close();
    };
  // Every event loop ends, a modal box's included, and the program's returns from exec().
  if (!s.fin) s.fin = [](int code) { QCoreApplication::exit(code); };
  return s;
}

}  // namespace zor::qt
