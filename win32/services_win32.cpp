#include "win32/services_win32.h"

#include "app/services_machine.h"
#include "win32/dialogue_ouverture.h"
#include "win32/messages.h"

namespace zor::win32 {

app::Services servicesWin32(app::Services s, Boucle& boucle, Form1Win32* const& fenetre) {
  s = app::servicesDeLaMachine(std::move(s));
  // The pointer is read when a service is used, not now: the window is made after its model.
  Form1Win32* const* f = &fenetre;
  auto hwnd = [f]() -> HWND { return *f != nullptr ? (*f)->hwnd() : nullptr; };
  if (!s.messages)
    s.messages = [f, hwnd](const DemandeMessage& demande) {
      // The box that ends a transfer: what came in the last moments goes first (a stray Enter
      // would otherwise answer the box before it is read; a close request is held).
      if (*f != nullptr && (*f)->modele().enTransfert()) Boucle::veiller();
      return afficherMessage(demande, hwnd());
    };
  if (!s.ouverture) s.ouverture = [hwnd](const app::DemandeOuverture& d) { return afficherOuverture(d, hwnd()); };
  if (!s.veiller) s.veiller = [] { Boucle::veiller(); };
  if (!s.peindre) s.peindre = [] { Boucle::peindre(); };
  if (!s.plusTard) s.plusTard = [&boucle](std::function<void()> plusTard) { boucle.plusTard(std::move(plusTard)); };
  if (!s.fermer)
    s.fermer = [hwnd] {
      if (HWND w = hwnd(); w != nullptr) SendMessageW(w, WM_CLOSE, 0, 0);
    };
  // Every message loop ends, a modal box's included, and the program's returns.
  if (!s.fin) s.fin = [](int code) { PostQuitMessage(code); };
  return s;
}

}  // namespace zor::win32
