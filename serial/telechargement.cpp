#include "serial/telechargement.h"

#include <charconv>

#include "platform/secours.h"

namespace zor::serie {

BilanTelechargement telecharger(MSComm& port, Horloge& horloge, const Telechargement& demande, const Suivi& suivi) {
  BilanTelechargement bilan;
  FichierReception fichier;
  if (demande.sortieStandard) {
    fichier.ouvrirSortieStandard();
  } else if (auto e = fichier.ouvrir(demande.fichier, demande.vidage, demande.reception.silenceMax)) {
    bilan.erreurFichier = e;
    return bilan;
  }
  bilan.fichierOuvert = true;
  if (demande.avantReception) demande.avantReception();

  OptionsReception options = demande.reception;
  if (!options.veille) options.veille = demande.veille;
  BilanReception recu = recevoir(port, horloge, options, suivi);
  bilan.stockes = recu.stockes;
  bilan.recuQuelqueChose = !recu.collecte.empty();
  bilan.erreur = recu.erreur;

  // A download stopped by the user leaves the file as it was; one that failed before
  // collecting anything puts back what it held. Otherwise the text replaces it, and when that
  // fails too, the text is kept elsewhere rather than lost.
  const bool interrompu = recu.erreur && recu.erreur->genre == Erreur::Genre::Interruption;
  const bool ecrire = !interrompu && (!recu.erreur || !recu.collecte.empty());
  try {
    if (ecrire) {
      recu.collecte += "\r\n";
      bilan.erreurFichier = fichier.ecrire(recu.collecte);
      bilan.ecrit = !bilan.erreurFichier;
    }
    if (!bilan.ecrit) {
      auto e = fichier.remettreAncienContenu();
      bilan.ancienIntact = !e;
      if (e && !bilan.erreurFichier) bilan.erreurFichier = e;
      if (!recu.collecte.empty()) {
        int numero = 0;
        bilan.secours = platform::sauverEnSecours(recu.collecte, "zor-reception", numero);
      }
    }
  } catch (const std::bad_alloc&) {
    bilan.erreurFichier = erreurFichier(Erreur::Genre::MemoireInsuffisante, demande.fichier.nom, 0);
  }

  if (auto e = port.fermer(); e && !bilan.erreur) bilan.erreur = e;
  fichier.fermer();
  return bilan;
}

std::string resumer(const BilanTelechargement& bilan, const Telechargement& demande,
                    const std::function<std::string(const Erreur&)>& description) {
  std::string texte;
  auto ajouter = [&](const std::string& paragraphe) {
    if (!texte.empty()) texte += "\n\n";
    texte += paragraphe;
  };
  if (bilan.erreur) ajouter(description(*bilan.erreur));
  if (bilan.erreurFichier) ajouter(description(*bilan.erreurFichier));
  if (!bilan.fichierOuvert || (!bilan.erreur && !bilan.erreurFichier)) return texte;

  char nombre[16];
  const std::string n(nombre, std::to_chars(nombre, nombre + sizeof nombre, bilan.stockes).ptr);
  const std::string& nom = demande.fichier.nom;
  if (bilan.ecrit && !demande.sortieStandard) {
    ajouter(n + " enregistrement(s) reçu(s) ont été écrits dans " + nom + ".");
  } else if (!bilan.secours.empty()) {
    ajouter(n + " enregistrement(s) reçu(s) ont été gardés dans " + bilan.secours.string() + "." +
            (demande.sortieStandard || !bilan.ancienIntact ? "" : " " + nom + " n'a pas été modifié."));
  } else if (bilan.recuQuelqueChose) {
    ajouter(n + " enregistrement(s) reçu(s) n'ont pu être écrits nulle part.");
  } else if (!bilan.ecrit && !demande.sortieStandard && !bilan.erreurFichier) {
    ajouter("Rien n'a été reçu : " + nom + " n'a pas été modifié.");
  }
  return texte;
}

}  // namespace zor::serie
