#include "win32/services_win32.h"

#include <cstdio>
#include <cstdlib>

#include "win32/dialogue_ouverture.h"
#include "win32/messages.h"

namespace zor::win32 {

void terminerProgramme() {
  std::fflush(nullptr);
  std::_Exit(0);
}

app::Services servicesWin32(app::Services s, Boucle& boucle, Form1Win32* const& fenetre) {
  // The pointer is read when a service is used, not now: the window is made after its model.
  Form1Win32* const* f = &fenetre;
  auto hwnd = [f]() -> HWND { return *f != nullptr ? (*f)->hwnd() : nullptr; };
  if (!s.messages) s.messages = [hwnd](const DemandeMessage& demande) { return afficherMessage(demande, hwnd()); };
  if (!s.ouverture) s.ouverture = [hwnd](const app::DemandeOuverture& d) { return afficherOuverture(d, hwnd()); };
  if (!s.liaisonMSComm1) s.liaisonMSComm1 = serie::ouvertureReelle();
  if (!s.liaisonMSComm2) s.liaisonMSComm2 = serie::ouvertureReelle();
  if (!s.portsPresents) s.portsPresents = serie::portsPresents;
  if (!s.veiller) s.veiller = [] { Boucle::veiller(); };
  if (!s.peindre) s.peindre = [] { Boucle::peindre(); };
  if (!s.plusTard) s.plusTard = [&boucle](std::function<void()> plusTard) { boucle.plusTard(std::move(plusTard)); };
  if (!s.fermer)
    s.fermer = [hwnd] {
      if (HWND w = hwnd(); w != nullptr) SendMessageW(w, WM_CLOSE, 0, 0);
    };
  if (!s.fin) s.fin = [] { terminerProgramme(); };
  return s;
}

}  // namespace zor::win32
