#include "qt/services_qt.h"

#include <QCoreApplication>
#include <cstdio>

#include "app/services_machine.h"
#include "platform/interruption.h"
#include "platform/terminal.h"
#include "qt/dialogue_ouverture.h"
#include "qt/messages.h"

namespace zor::qt {

app::Services servicesQt(app::Services s, const QPointer<Form1Qt>& fenetre) {
  s = app::servicesDeLaMachine(std::move(s));
  // The pointer is read when a service is used, not now: the window is made after its model.
  const QPointer<Form1Qt>* f = &fenetre;
  if (!s.messages)
    s.messages = [f](const DemandeMessage& demande) {
      // The box that ends a transfer: what came in the last moments goes first (a stray Enter
      // would otherwise answer the box before it is read).
      if (!f->isNull() && (*f)->modele().enTransfert()) (*f)->veiller();
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
  if (!s.signalRecu) s.signalRecu = platform::interruptionRecue;
  // Nobody may be there to read a box: what the user must know goes to the error output.
  if (!s.messageSurSignal)
    s.messageSurSignal = [](const std::string& texte) {
      if (!texte.empty()) std::fputs(platform::pourTerminal(texte + "\n").c_str(), stderr);
    };
  return s;
}

}  // namespace zor::qt
