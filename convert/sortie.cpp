#include "convert/sortie.h"

#include <cerrno>
#include <system_error>

#include "convert/erreur.h"
#include "convert/fichier_c.h"

namespace zor::conversion {

void Sortie::vider() {
  if (taille_ == 0) return;
  deverser(std::string_view(tampon_.data(), taille_));
  deverses_ += taille_;
  taille_ = 0;
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
    return;  // nothing more can be saved
  }
  // A line longer than the buffer may already be partly out.
  if (deverses_ > garder) {
    ramenerA(garder);
    deverses_ = garder;
  }
}

SortieFichier::SortieFichier(const std::filesystem::path& chemin) : possede_(true), chemin_(chemin), nom_(chemin.string()) {
  fichier_ = ouvrirFichierC(chemin, true);
  if (fichier_ == nullptr) throw ErreurConversion(nom_, raisonSysteme(errno));
  std::setvbuf(fichier_, nullptr, _IONBF, 0);
}

SortieFichier::SortieFichier(std::FILE* flux, std::string nom) : fichier_(flux), possede_(false), nom_(std::move(nom)) {}

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
  if (echec != 0) throw ErreurConversion(nom_, raisonSysteme(errno));
}

void SortieFichier::deverser(std::string_view octets) {
  errno = 0;
  if (std::fwrite(octets.data(), 1, octets.size(), fichier_) != octets.size())
    throw ErreurConversion(nom_, raisonSysteme(errno));
}

void SortieFichier::ramenerA(unsigned long long taille) noexcept {
  if (!possede_ || chemin_.empty()) return;
  std::fflush(fichier_);
  std::error_code ec;
  if (std::filesystem::file_size(chemin_, ec) > taille && !ec) std::filesystem::resize_file(chemin_, taille, ec);
}

}  // namespace zor::conversion
