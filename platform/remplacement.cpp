#include "platform/remplacement.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include "platform/remplacement_systeme.h"

namespace zor::platform {
namespace {

// The longest name a folder entry may have on the systems the program runs on.
constexpr std::size_t kNomMax = 255;

}  // namespace

std::FILE* creerVoisin(const std::filesystem::path& modele, std::string_view suffixe, std::filesystem::path& cree,
                       int& numero, unsigned mode) {
  static std::mt19937 hasard{std::random_device{}()};
  // The mark and the suffix go after the name, which is cut when they would make it too long.
  // The system's own form of the name (UTF-16 on Windows): no code page in between.
  std::filesystem::path::string_type nom = modele.filename().native();
  const std::size_t ajout = 9 + suffixe.size();
  if (nom.size() + ajout > kNomMax) nom.resize(kNomMax - ajout);
  for (int essai = 0; essai < 100; ++essai) {
    char marque[16];
    std::snprintf(marque, sizeof marque, ".%08x", static_cast<unsigned>(hasard()));
    std::filesystem::path candidat = modele.parent_path() / std::filesystem::path(nom);
    candidat += marque;
    candidat += std::string(suffixe);
    errno = 0;
    std::FILE* f = creerFichierNeuf(candidat, mode);
    if (f == nullptr) {
      numero = errno;
      if (numero == EEXIST) continue;
      return nullptr;
    }
    cree = std::move(candidat);
    return f;
  }
  numero = EEXIST;
  return nullptr;
}

int ecrireEtFermer(std::FILE* f, std::string_view octets, bool surLeDisque) {
  int numero = 0;
  errno = 0;
  if (!octets.empty() && std::fwrite(octets.data(), 1, octets.size(), f) != octets.size()) numero = errno != 0 ? errno : EIO;
  errno = 0;
  if (numero == 0 && std::fflush(f) != 0) numero = errno != 0 ? errno : EIO;
  if (numero == 0 && surLeDisque) numero = versLeDisque(f);
  errno = 0;
  if (std::fclose(f) != 0 && numero == 0) numero = errno != 0 ? errno : EIO;
  return numero;
}

Remplacement::Remplacement(const std::filesystem::path& lien) {
  // A symbolic link stays a link: the file it leads to is the one replaced.
  std::error_code ec;
  chemin_ = lien;
  if (std::filesystem::is_symlink(lien, ec)) {
    const std::filesystem::path cible = std::filesystem::weakly_canonical(lien, ec);
    if (!ec) chemin_ = cible;
  }
  flux_ = creerVoisin(chemin_, ".tmp", temporaire_, numero_);
  // The new file takes the old one's permissions; a new one gets the usual ones (umask).
  if (flux_ != nullptr) reprendreDroits(flux_, chemin_);
}

Remplacement::~Remplacement() {
  if (flux_ == nullptr) return;
  std::fclose(flux_);
  std::error_code ec;
  std::filesystem::remove(temporaire_, ec);
}

int Remplacement::remplacer(bool surLeDisque) {
  if (flux_ == nullptr) return numero_ != 0 ? numero_ : EBADF;
  std::FILE* f = flux_;
  flux_ = nullptr;
  int numero = ecrireEtFermer(f, {}, surLeDisque);
  std::error_code ec;
  if (numero == 0) {
    std::filesystem::rename(temporaire_, chemin_, ec);
    if (!ec) return 0;
    numero = ec.value();
  }
  std::filesystem::remove(temporaire_, ec);
  return numero;
}

int remplacerContenu(const std::filesystem::path& lien, std::string_view octets) {
  Remplacement remplacement(lien);
  std::FILE* f = remplacement.flux();
  if (f == nullptr) return remplacerSansVoisin(lien, octets, remplacement.numero());
  errno = 0;
  if (!octets.empty() && std::fwrite(octets.data(), 1, octets.size(), f) != octets.size()) return errno != 0 ? errno : EIO;
  return remplacement.remplacer();
}

}  // namespace zor::platform
