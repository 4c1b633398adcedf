#include "serial/fichier_reception.h"

#include <cerrno>
#include <cstdio>

#include "platform/chemins.h"

namespace zor::serie {

FichierReception::~FichierReception() { fermer(); }

Erreur FichierReception::erreur(Erreur::Genre genre, int numero) const {
  return erreurFichier(genre, fichier_.nom, numero, platform::utf8DuChemin(fichier_.chemin));
}

std::optional<Erreur> FichierReception::ouvrir(const FichierNomme& fichier, std::chrono::milliseconds attenteLecteur) {
  fermer();
  fichier_ = fichier;
  platform::ReglesEcriture regles;
  regles.ordinaireSeulement = fichier.ordinaireSeulement;
  regles.attenteTube = attenteLecteur;
  regles.dUnCoup = true;
  if (auto refus = ecriture_.ouvrir(fichier.chemin, regles)) {
    Erreur e = erreur(refus->genre, refus->numeroSysteme);
    e.detail = refus->detail;
    e.dureeMs = refus->dureeMs;
    return e;
  }
  ouvert_ = true;
  return std::nullopt;
}

void FichierReception::ouvrirSortieStandard() {
  fermer();
  fichier_ = {{}, "(sortie standard)"};
  sortieStandard_ = true;
  ouvert_ = true;
}

std::optional<Erreur> FichierReception::ecrire(std::string_view octets) {
  if (sortieStandard_) {
    errno = 0;
    if (std::fwrite(octets.data(), 1, octets.size(), stdout) != octets.size() || std::fflush(stdout) != 0)
      return erreur(Erreur::Genre::FichierNonEcrit, errno != 0 ? errno : EIO);
    return std::nullopt;
  }
  if (const int numero = ecriture_.ecrireTout(octets); numero != 0) return erreur(Erreur::Genre::FichierNonEcrit, numero);
  return std::nullopt;
}

std::optional<Erreur> FichierReception::abandonner() {
  if (sortieStandard_) return std::nullopt;
  if (const int numero = ecriture_.abandonner(); numero != 0) return erreur(Erreur::Genre::FichierNonEcrit, numero);
  return std::nullopt;
}

void FichierReception::fermer() {
  ecriture_.abandonner();
  ouvert_ = false;
  sortieStandard_ = false;
}

}  // namespace zor::serie
