#include "convert/sortie.h"

#include <cerrno>
#include <system_error>

#include "convert/fichier_c.h"
#include "platform/erreur.h"
#include "platform/fichiers_standard.h"

namespace zor::conversion {

void Sortie::vider() {
  if (taille_ == 0) return;
  deverser(std::string_view(tampon_.data(), taille_));
  deverses_ += taille_;
  taille_ = 0;
  finLigneDeversee_ = finLigne_;
}

void Sortie::agrandir(std::size_t n) {
  vider();
  if (n > tampon_.size()) tampon_.resize(n);
}

void Sortie::abandonner() noexcept {
  const unsigned long long garder = finLigne_;
  try {
    taille_ = garder >= deverses_ ? static_cast<std::size_t>(garder - deverses_) : 0;
    vider();
  } catch (...) {
    // The disk refused them too (full, file too large): what it took last may end in the
    // middle of a sentence, which a later upload would send. Keep the whole lines only.
    taille_ = 0;
    ramenerA(finLigneDeversee_);
    deverses_ = finLigneDeversee_;
    return;
  }
  // A line longer than the buffer may already be partly out.
  if (deverses_ > garder) {
    ramenerA(garder);
    deverses_ = garder;
  }
}

SortieFichier::SortieFichier(const std::filesystem::path& chemin) : possede_(true), nom_(chemin.string()) {
  fichier_ = ouvrirFichierC(chemin, true);
  if (fichier_ == nullptr) throw Echec(erreurFichier(Erreur::Genre::FichierNonCreable, nom_, errno));
  std::setvbuf(fichier_, nullptr, _IONBF, 0);
  debut_ = 0;
}

SortieFichier::SortieFichier(std::FILE* flux, std::string nom) : fichier_(flux), possede_(false), nom_(std::move(nom)) {
  debut_ = platform::positionEcriture(flux);
}

SortieFichier::~SortieFichier() {
  if (fichier_ == nullptr) return;
  abandonner();
  if (possede_) std::fclose(fichier_);
}

void SortieFichier::fermer() {
  if (fichier_ == nullptr) return;
  vider();
  std::FILE* f = fichier_;
  fichier_ = nullptr;
  errno = 0;
  const int echec = possede_ ? std::fclose(f) : std::fflush(f);
  if (echec != 0) throw Echec(erreurFichier(Erreur::Genre::FichierNonEcrit, nom_, errno));
}

void SortieFichier::deverser(std::string_view octets) {
  errno = 0;
  if (std::fwrite(octets.data(), 1, octets.size(), fichier_) != octets.size())
    throw Echec(erreurFichier(Erreur::Genre::FichierNonEcrit, nom_, errno));
}

void SortieFichier::ramenerA(unsigned long long taille) noexcept {
  // Only a regular file can be cut back; a pipe or a terminal has already passed it on.
  if (fichier_ == nullptr || !debut_) return;
  std::fflush(fichier_);
  platform::tronquer(fichier_, *debut_ + taille);
  std::fseek(fichier_, 0, SEEK_END);
}

}  // namespace zor::conversion
