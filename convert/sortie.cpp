#include "convert/sortie.h"

#include <cerrno>
#include <system_error>

#include "core/erreur.h"
#include "platform/chemins.h"
#include "platform/fichiers_standard.h"
#include "platform/interruption.h"

namespace zor::conversion {

void Sortie::vider() {
  if (taille_ == 0) return;
  partiel_ = 0;
  try {
    deverser(std::string_view(tampon_.data(), taille_));
  } catch (...) {
    echoue_ = true;
    throw;
  }
  deverses_ += taille_;
  taille_ = 0;
  finLigneDeversee_ = finLigne_;
}

void Sortie::garderLignesEntieres() noexcept {
  // The disk refused part of a write (full, file too large, failing): what it took last may
  // end in the middle of a sentence, which a later upload would send. Only whole lines stay:
  // those known out before, and those that made it out whole in the refused write (a line
  // ends with CR LF, and no line holds a CR of its own).
  unsigned long long garder = finLigneDeversee_;
  const std::string_view parti(tampon_.data(), std::min(partiel_, taille_));
  if (const auto fin = parti.rfind("\r\n"); fin != std::string_view::npos)
    garder = std::max(garder, std::min<unsigned long long>(deverses_ + fin + 2, finLigne_));
  taille_ = 0;
  ramenerA(garder);
  deverses_ = garder;
  finLigneDeversee_ = garder;
}

void Sortie::agrandir(std::size_t n) {
  vider();
  if (n > tampon_.size()) tampon_.resize(n);
}

void Sortie::abandonner() noexcept {
  if (echoue_) {
    garderLignesEntieres();
    return;
  }
  const unsigned long long garder = finLigne_;
  try {
    taille_ = garder >= deverses_ ? static_cast<std::size_t>(garder - deverses_) : 0;
    vider();
  } catch (...) {
    garderLignesEntieres();
    return;
  }
  // A line longer than the buffer may already be partly out.
  if (deverses_ > garder) {
    ramenerA(garder);
    deverses_ = garder;
  }
}

SortieFichier::SortieFichier(const std::filesystem::path& chemin)
    : possede_(std::make_unique<platform::Ecriture>()), nom_(platform::utf8DuChemin(chemin)) {
  platform::ReglesEcriture regles;
  regles.maniere = platform::ReglesEcriture::Maniere::SurPlace;
  regles.ordinaireSeulement = true;
  if (auto refus = possede_->ouvrir(chemin, regles)) {
    refus->fichier = nom_;
    throw Echec(*refus);
  }
  fichier_ = possede_->flux();
  std::setvbuf(fichier_, nullptr, _IONBF, 0);
  debut_ = 0;
}

SortieFichier::SortieFichier(std::FILE* flux, std::string nom) : fichier_(flux), nom_(std::move(nom)) {
  debut_ = platform::positionEcriture(flux);
}

SortieFichier::~SortieFichier() {
  if (fichier_ == nullptr) return;
  abandonner();
  if (possede_) possede_->abandonner();
}

void SortieFichier::fermer() {
  if (fichier_ == nullptr) return;
  vider();
  std::FILE* f = fichier_;
  fichier_ = nullptr;
  errno = 0;
  const int numero = possede_ ? possede_->terminer(false) : (std::fflush(f) != 0 ? (errno != 0 ? errno : EIO) : 0);
  if (numero != 0) throw Echec(erreurFichier(Erreur::Genre::FichierNonEcrit, nom_, numero));
}

void SortieFichier::deverser(std::string_view octets) {
  errno = 0;
  std::size_t ecrits = std::fwrite(octets.data(), 1, octets.size(), fichier_);
  if (ecrits == octets.size()) return;
  const int numero = errno;
  auto genre = Erreur::Genre::FichierNonEcrit;
  if (numero == EINTR && platform::interruptionRecue() != 0) {
    // Ctrl+C cut the write short: the line it was in the middle of is finished first, for a
    // pipe cannot take back what it took, and the output holds whole lines only.
    genre = Erreur::Genre::Interruption;
    std::clearerr(fichier_);
    const std::size_t fin = octets.find('\n', ecrits == 0 ? 0 : ecrits - 1);
    if (ecrits > 0 && octets[ecrits - 1] != '\n' && fin != std::string_view::npos)
      ecrits += std::fwrite(octets.data() + ecrits, 1, fin + 1 - ecrits, fichier_);
  }
  noterPartiel(ecrits);
  throw Echec(erreurFichier(genre, nom_, numero));
}

void SortieFichier::ramenerA(unsigned long long taille) noexcept {
  // Only a regular file can be cut back; a pipe or a terminal has already passed it on.
  if (fichier_ == nullptr || !debut_) return;
  std::fflush(fichier_);
  platform::tronquer(fichier_, *debut_ + taille);
  std::fseek(fichier_, 0, SEEK_END);
}

}  // namespace zor::conversion
