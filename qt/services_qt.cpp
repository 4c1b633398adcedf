#include "qt/services_qt.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/interruption.h"
#include "platform/terminal.h"
#include "qt/dialogue_ouverture.h"
#include "qt/messages.h"

namespace zor::qt {

void terminerProgramme() {
  std::fflush(nullptr);
  std::_Exit(0);
}

app::Services servicesQt(app::Services s, const QPointer<Form1Qt>& fenetre) {
  // The pointer is read when a service is used, not now: the window is made after its model.
  const QPointer<Form1Qt>* f = &fenetre;
  if (!s.messages)
    s.messages = [f](const DemandeMessage& demande) {
      if (!f->isNull() && (*f)->modele().enTransfert()) (*f)->avantMessageDeFin();
      return afficherMessage(demande, f->data());
    };
  if (!s.ouverture) s.ouverture = [f](const app::DemandeOuverture& d) { return afficherOuverture(d, f->data()); };
  if (!s.liaisonMSComm1) s.liaisonMSComm1 = serie::ouvertureReelle();
  if (!s.liaisonMSComm2) s.liaisonMSComm2 = serie::ouvertureReelle();
  if (!s.portsPresents) s.portsPresents = serie::portsPresents;
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
  if (!s.fin) s.fin = [] { terminerProgramme(); };
  if (!s.signalRecu) s.signalRecu = platform::interruptionRecue;
  if (!s.finSurSignal)
    s.finSurSignal = [](const std::string& texte) {
      // Nobody may be there to read a box: what the user must know goes to the error output.
      if (!texte.empty()) std::fputs(platform::pourTerminal(texte + "\n").c_str(), stderr);
      std::fflush(nullptr);
      std::_Exit(128 + platform::interruptionRecue());
    };
  return s;
}

}  // namespace zor::qt
