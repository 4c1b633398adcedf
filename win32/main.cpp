// zor.exe: the window of ZOR on Windows, rendered with the system's own controls.
#include "app/form1.h"
#include "app/lancement.h"
#include "platform/windows_leger.h"

#include <commctrl.h>
#include <objbase.h>
#include "win32/boucle.h"
#include "win32/fichiers_donnes.h"
#include "win32/form1_win32.h"
#include "win32/resolution.h"
#include "win32/services_win32.h"
#include "win32/messages.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int commande) {
  // Each window at its own screen's resolution (the manifest says the same to the system).
  zor::win32::declarerResolutionParEcran();
  INITCOMMONCONTROLSEX controles{sizeof controles, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controles);
  // « zor.exe FICHIER » (the shell's « Ouvrir avec »); what a console would print goes in a box.
  const zor::app::Lancement lancement = zor::app::analyserLancement(zor::win32::argumentsDuProgramme());
  if (lancement.quoi != zor::app::Lancement::Quoi::Fenetre) {
    using Quoi = zor::app::Lancement::Quoi;
    const std::string texte = lancement.quoi == Quoi::Version ? std::string("zor.exe " ZOR_VERSION)
                              : lancement.quoi == Quoi::Aide  ? zor::app::usageFenetre("zor.exe")
                                                              : lancement.erreur + "\n\n" + zor::app::usageFenetre("zor.exe");
    zor::win32::afficherMessage({texte, std::string(zor::kTitreApplication), zor::Boutons::Ok,
                                 lancement.quoi == Quoi::Erreur ? zor::Icone::Avertissement : zor::Icone::Information},
                                nullptr);
    return lancement.quoi == Quoi::Erreur ? 2 : 0;
  }
  // Screen readers reach the controls' accessible objects through COM (win32/accessible.h).
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  zor::win32::Boucle boucle;
  zor::win32::Form1Win32* fenetre = nullptr;
  zor::app::Form1 modele(zor::win32::servicesWin32({}, boucle, fenetre));
  zor::win32::Form1Win32 vue(modele, [] { PostQuitMessage(0); });
  fenetre = &vue;
  vue.montrer(commande);
  // Given to the window once its loop runs, as a drop would be.
  if (lancement.fichier)
    boucle.plusTard([&modele, f = *lancement.fichier] { modele.recevoir(zor::Evenement::fichierDonne(f)); });
  // Every way out ends here: the last window gone, or a quit path of the window. The windows,
  // the serial devices and the files then go with their owners.
  const int code = boucle.executer();
  fenetre = nullptr;
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}
