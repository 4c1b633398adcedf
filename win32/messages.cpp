#include "win32/messages.h"

#include "win32/texte.h"

namespace zor::win32 {
namespace {

UINT drapeauIcone(Icone icone) {
  switch (icone) {
    case Icone::Question: return MB_ICONQUESTION;
    case Icone::Information: return MB_ICONINFORMATION;
    case Icone::Avertissement: return MB_ICONWARNING;
    case Icone::Critique: return MB_ICONERROR;
    case Icone::Aucune: break;
  }
  return 0;
}

}  // namespace

Reponse afficherMessage(const DemandeMessage& demande, HWND proprietaire) {
  // The about box has its own message: it goes over the window that is active.
  if (HWND actif = GetActiveWindow(); actif != nullptr) proprietaire = actif;
  const UINT boutons = demande.boutons == Boutons::OkCancel ? MB_OKCANCEL : MB_OK;
  const int reponse = MessageBoxW(proprietaire, large(demande.texte).c_str(), large(demande.titre).c_str(),
                                  boutons | drapeauIcone(demande.icone) | MB_SETFOREGROUND);
  // Closing the box answers Cancel (IDCANCEL), or OK when OK is its only button.
  if (demande.boutons == Boutons::Ok) return Reponse::Ok;
  return reponse == IDOK ? Reponse::Ok : Reponse::Cancel;
}

}  // namespace zor::win32
