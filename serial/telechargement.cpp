#include "serial/telechargement.h"

#include <charconv>

#include "platform/secours.h"
#include "platform/chemins.h"

namespace zor::serie {
namespace {

// The lines of a text, as the user sees them: what lies between line ends, empty ones left out.
int lignes(std::string_view texte) {
  int n = 0;
  bool dedans = false;
  for (const char c : texte) {
    const bool fin = c == '\r' || c == '\n';
    if (!fin && !dedans) ++n;
    dedans = !fin;
  }
  return n;
}

std::string nombre(std::size_t n) {
  char tampon[24];
  return std::string(tampon, std::to_chars(tampon, tampon + sizeof tampon, n).ptr);
}

std::string compte(std::size_t n, const char* singulier, const char* pluriel) {
  return nombre(n) + " " + (n < 2 ? singulier : pluriel);
}

}  // namespace

BilanTelechargement telecharger(MSComm& port, Horloge& horloge, const Telechargement& demande, const Suivi& suivi) {
  BilanTelechargement bilan;
  FichierReception fichier;
  if (demande.sortieStandard) {
    fichier.ouvrirSortieStandard();
  } else if (auto e = fichier.ouvrir(demande.fichier, demande.reception.silenceMax)) {
    bilan.erreurFichier = e;
    return bilan;
  }
  bilan.fichierOuvert = true;
  if (demande.avantReception) demande.avantReception();

  OptionsReception options = demande.reception;
  if (!options.veille) options.veille = demande.veille;
  BilanReception recu = recevoir(port, horloge, options, suivi);
  bilan.stockes = recu.stockes;
  bilan.erreur = recu.erreur;
  bilan.avantFinDeLigne = recu.avantFinDeLigne;
  bilan.finDeLigne = recu.finDeLigne;

  // Only the second record come round again ends a download as it should: then the text
  // replaces the file. Any other ending leaves the file as it was; what came goes elsewhere.
  try {
    std::string aGarder;
    if (!recu.erreur) {
      recu.collecte += "\r\n";
      bilan.erreurFichier = fichier.ecrire(recu.collecte);
      bilan.ecrit = !bilan.erreurFichier;
      if (!bilan.ecrit) aGarder = std::move(recu.collecte);
    } else {
      bilan.erreurFichier = fichier.abandonner();
      aGarder = std::move(recu.collecte);
    }
    bilan.octetsGardes = aGarder.size();
    bilan.lignesGardees = lignes(aGarder);
    if (!aGarder.empty()) bilan.secours = platform::sauverEnSecours(aGarder, "zor-reception", bilan.numeroSecours);
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

  // Every count is what the file it names holds.
  const std::string intact = demande.sortieStandard ? std::string("rien n'a été écrit sur la sortie standard")
                                                    : demande.fichier.nom + " n'a pas été modifié";
  std::string quoi;
  if (!bilan.erreur) {
    quoi = nombre(static_cast<std::size_t>(bilan.stockes)) + " enregistrement(s) reçu(s)";
  } else if (bilan.octetsGardes > 0) {
    quoi = "Ce qui a été reçu après la première fin de ligne (" + compte(bilan.octetsGardes, "octet", "octets") + ", " +
           compte(static_cast<std::size_t>(bilan.lignesGardees), "ligne", "lignes") + ")";
  } else if (bilan.avantFinDeLigne == 0) {
    ajouter("Rien n'a été reçu : " + intact + ".");
    return texte;
  } else {
    ajouter((bilan.finDeLigne ? std::string("Rien n'a été reçu après la première fin de ligne")
                              : "Aucune fin de ligne dans les " + compte(bilan.avantFinDeLigne, "octet reçu", "octets reçus")) +
            " : " + intact + ".");
    return texte;
  }
  const bool pluriel = !bilan.erreur;
  // The standard output that refused the text may have taken a part of it.
  const std::string fin = demande.sortieStandard && !bilan.erreur ? "." : " ; " + intact + ".";
  if (!bilan.secours.empty())
    ajouter(quoi + (pluriel ? " ont été gardés dans " : " a été gardé dans ") + platform::utf8DuChemin(bilan.secours) + fin);
  else
    ajouter(quoi + (pluriel ? " n'ont pu être gardés nulle part" : " n'a pu être gardé nulle part") +
            (bilan.numeroSecours != 0 ? " (" + raisonSysteme(bilan.numeroSecours) + ")" : std::string()) + fin);
  return texte;
}

}  // namespace zor::serie
