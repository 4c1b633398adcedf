#include "serial/fichier_reception.h"

#include <cerrno>
#include <fstream>
#include <iterator>

#include "platform/fichiers.h"
#include "platform/remplacement.h"

namespace zor::serie {
namespace {

// The file itself emptied and written: 0, or the system's error number.
int ecrireSurPlace(const std::filesystem::path& chemin, std::string_view octets) {
  errno = 0;
  std::FILE* f = platform::ouvrirFichierEcriture(chemin);
  if (f == nullptr) return errno != 0 ? errno : EACCES;
  int numero = 0;
  if (std::fwrite(octets.data(), 1, octets.size(), f) != octets.size()) numero = errno != 0 ? errno : EIO;
  errno = 0;
  if (std::fclose(f) != 0 && numero == 0) numero = errno != 0 ? errno : EIO;
  return numero;
}

}  // namespace

FichierReception::~FichierReception() { fermer(); }

Erreur FichierReception::erreur(Erreur::Genre genre, int numero) const {
  return erreurFichier(genre, fichier_.nom, numero, fichier_.chemin.string());
}

std::optional<Erreur> FichierReception::ouvrir(const FichierNomme& fichier, Vidage vidage,
                                               std::chrono::milliseconds attenteLecteur) {
  fermer();
  fichier_ = fichier;
  ancien_.reset();
  videe_ = false;
  std::error_code ec;
  const auto etat = std::filesystem::status(fichier.chemin, ec);
  if (std::filesystem::is_directory(etat)) return erreur(Erreur::Genre::FichierNonCreable, EISDIR);
  existait_ = std::filesystem::exists(etat);
  // Reading back a pipe or a terminal would wait for ever, and it has nothing to put back.
  special_ = existait_ && !std::filesystem::is_regular_file(etat);
  if (vidage == Vidage::Immediat && existait_ && !special_) {
    errno = 0;
    std::ifstream f(fichier.chemin, std::ios::binary);
    if (!f.is_open()) return erreur(Erreur::Genre::FichierNonCreable, errno != 0 ? errno : EACCES);
    ancien_.emplace(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    if (f.bad()) {
      ancien_.reset();
      return erreur(Erreur::Genre::FichierNonCreable, errno != 0 ? errno : EIO);
    }
  }
  // Opened at once in every case, so that a file that cannot be written is told before the
  // receiver is asked for anything; emptied only when asked (appending changes nothing).
  // A pipe is opened without waiting for ever: its reader has `attenteLecteur` to come.
  errno = 0;
  vide_ = special_ ? platform::ouvrirFichierEcritureSansBloquer(fichier.chemin, attenteLecteur)
          : vidage == Vidage::Immediat ? platform::ouvrirFichierEcriture(fichier.chemin)
                                       : platform::ouvrirFichierAjout(fichier.chemin);
  if (vide_ == nullptr) {
    ancien_.reset();
    if (special_ && errno == ENXIO) {
      Erreur e = erreur(Erreur::Genre::TubeSansLecteur, 0);
      e.dureeMs = attenteLecteur.count();
      return e;
    }
    return erreur(Erreur::Genre::FichierNonCreable, errno != 0 ? errno : EACCES);
  }
  videe_ = vidage == Vidage::Immediat;
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
    std::FILE* f = sortieStandard_ ? stdout : vide_;
    errno = 0;
    if (std::fwrite(octets.data(), 1, octets.size(), f) != octets.size() || std::fflush(f) != 0)
      return erreur(Erreur::Genre::FichierNonEcrit, errno != 0 ? errno : EIO);
    return std::nullopt;
  }
  // The handle that emptied it goes first: a file open here could not be replaced on Windows.
  if (vide_ != nullptr) {
    std::fclose(vide_);
    vide_ = nullptr;
  }
  if (const int numero = platform::remplacerContenu(fichier_.chemin, octets); numero != 0) {
    // Already emptied, the file has nothing left to keep: when nothing can be made beside it
    // (a folder where only this file may be written), the text goes into the file itself
    // rather than leave it empty.
    if (!videe_ || ecrireSurPlace(fichier_.chemin, octets) != 0) return erreur(Erreur::Genre::FichierNonEcrit, numero);
  }
  videe_ = false;
  existait_ = true;
  ancien_.reset();
  return std::nullopt;
}

std::optional<Erreur> FichierReception::remettreAncienContenu() {
  if (special_) return std::nullopt;
  if (vide_ != nullptr) {
    std::fclose(vide_);
    vide_ = nullptr;
  }
  std::error_code ec;
  if (!existait_) {
    if (std::filesystem::exists(fichier_.chemin, ec) && !std::filesystem::remove(fichier_.chemin, ec))
      return erreur(Erreur::Genre::FichierNonEcrit, ec.value());
    return std::nullopt;
  }
  if (!videe_) return std::nullopt;  // never emptied: it still holds what it held
  if (!ancien_) return erreur(Erreur::Genre::FichierNonEcrit, EBADF);
  if (const int numero = platform::remplacerContenu(fichier_.chemin, *ancien_); numero != 0) {
    // As in ecrire(): the emptied file takes its old content back in place.
    if (ecrireSurPlace(fichier_.chemin, *ancien_) != 0) return erreur(Erreur::Genre::FichierNonEcrit, numero);
  }
  videe_ = false;
  return std::nullopt;
}

void FichierReception::fermer() {
  if (vide_ != nullptr) std::fclose(vide_);
  vide_ = nullptr;
  ouvert_ = false;
  sortieStandard_ = false;
  ancien_.reset();
}

}  // namespace zor::serie
