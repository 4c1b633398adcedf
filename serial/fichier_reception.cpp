#include "serial/fichier_reception.h"

#include <cerrno>

#include "platform/fichiers.h"
#include "platform/chemins.h"
#include "platform/remplacement.h"

namespace zor::serie {

FichierReception::~FichierReception() { fermer(); }

Erreur FichierReception::erreur(Erreur::Genre genre, int numero) const {
  return erreurFichier(genre, fichier_.nom, numero, platform::utf8DuChemin(fichier_.chemin));
}

std::optional<Erreur> FichierReception::ouvrir(const FichierNomme& fichier, std::chrono::milliseconds attenteLecteur) {
  fermer();
  fichier_ = fichier;
  std::error_code ec;
  const auto etat = std::filesystem::status(fichier.chemin, ec);
  if (std::filesystem::is_directory(etat)) return erreur(Erreur::Genre::FichierNonCreable, EISDIR);
  existait_ = std::filesystem::exists(etat);
  special_ = existait_ && !std::filesystem::is_regular_file(etat);
  // A pipe is opened without waiting for ever: its reader has `attenteLecteur` to come.
  errno = 0;
  flux_ = special_ ? platform::ouvrirFichierEcritureSansBloquer(fichier.chemin, attenteLecteur)
                   : platform::ouvrirFichierAjout(fichier.chemin);
  if (flux_ == nullptr) {
    if (special_ && errno == ENXIO) {
      Erreur e = erreur(Erreur::Genre::TubeSansLecteur, 0);
      e.dureeMs = attenteLecteur.count();
      return e;
    }
    return erreur(Erreur::Genre::FichierNonCreable, errno != 0 ? errno : EACCES);
  }
  ouvert_ = true;
  return std::nullopt;
}

void FichierReception::ouvrirSortieStandard() {
  fermer();
  fichier_ = {{}, "(sortie standard)"};
  sortieStandard_ = special_ = true;
  ouvert_ = true;
}

std::optional<Erreur> FichierReception::ecrire(std::string_view octets) {
  if (sortieStandard_ || special_) {
    std::FILE* f = sortieStandard_ ? stdout : flux_;
    errno = 0;
    if (std::fwrite(octets.data(), 1, octets.size(), f) != octets.size() || std::fflush(f) != 0)
      return erreur(Erreur::Genre::FichierNonEcrit, errno != 0 ? errno : EIO);
    return std::nullopt;
  }
  // The handle goes first: a file open here could not be replaced on Windows.
  if (flux_ != nullptr) {
    std::fclose(flux_);
    flux_ = nullptr;
  }
  if (const int numero = platform::remplacerContenu(fichier_.chemin, octets); numero != 0)
    return erreur(Erreur::Genre::FichierNonEcrit, numero);
  existait_ = true;
  return std::nullopt;
}

std::optional<Erreur> FichierReception::abandonner() {
  if (special_) return std::nullopt;
  if (flux_ != nullptr) {
    std::fclose(flux_);
    flux_ = nullptr;
  }
  std::error_code ec;
  if (!existait_ && std::filesystem::exists(fichier_.chemin, ec) && !std::filesystem::remove(fichier_.chemin, ec))
    return erreur(Erreur::Genre::FichierNonEcrit, ec.value());
  return std::nullopt;
}

void FichierReception::fermer() {
  if (flux_ != nullptr) std::fclose(flux_);
  flux_ = nullptr;
  ouvert_ = false;
  sortieStandard_ = false;
}

}  // namespace zor::serie
