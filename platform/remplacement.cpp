#include "platform/remplacement.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <system_error>

#include "platform/drive_c.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zor::platform {
namespace {

// The longest name a folder entry may have on the systems the program runs on.
constexpr std::size_t kNomMax = 255;

// A name nobody uses yet beside `modele`, created empty and open for writing (only by this
// user, with `mode`), its name as long as the folder allows.
std::FILE* creerVoisin(const std::filesystem::path& modele, std::string_view suffixe, std::filesystem::path& cree,
                       int& numero, unsigned mode = 0666) {
  static std::mt19937 hasard{std::random_device{}()};
  // The mark and the suffix go after the name, which is cut when they would make it too long.
  std::string nom = modele.filename().string();
  const std::size_t ajout = 9 + suffixe.size();
  if (nom.size() + ajout > kNomMax) nom.resize(kNomMax - ajout);
  for (int essai = 0; essai < 100; ++essai) {
    char marque[16];
    std::snprintf(marque, sizeof marque, ".%08x", static_cast<unsigned>(hasard()));
    std::filesystem::path candidat = modele.parent_path() / nom;
    candidat += marque;
    candidat += std::string(suffixe);
#ifdef _WIN32
    std::FILE* f = _wfopen(candidat.c_str(), L"wbx");
    if (f == nullptr) {
      numero = errno;
      if (numero == EEXIST) continue;
      return nullptr;
    }
#else
    const int fd = ::open(candidat.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd < 0) {
      numero = errno;
      if (numero == EEXIST) continue;
      return nullptr;
    }
    std::FILE* f = ::fdopen(fd, "wb");
    if (f == nullptr) {
      numero = errno;
      ::close(fd);
      std::filesystem::remove(candidat);
      return nullptr;
    }
#endif
    cree = std::move(candidat);
    return f;
  }
  numero = EEXIST;
  return nullptr;
}

// Writes, flushes (to the disk too with `surLeDisque`) and closes; the errno of the first step
// that fails, else 0.
int ecrireEtFermer(std::FILE* f, std::string_view octets, bool surLeDisque = true) {
  int numero = 0;
  errno = 0;
  if (!octets.empty() && std::fwrite(octets.data(), 1, octets.size(), f) != octets.size()) numero = errno != 0 ? errno : EIO;
  errno = 0;
  if (numero == 0 && std::fflush(f) != 0) numero = errno != 0 ? errno : EIO;
#ifndef _WIN32
  if (numero == 0 && surLeDisque && ::fsync(::fileno(f)) != 0 && errno != EINVAL) numero = errno;
#else
  (void)surLeDisque;  // Windows: flushed to the system only, as ever
#endif
  errno = 0;
  if (std::fclose(f) != 0 && numero == 0) numero = errno != 0 ? errno : EIO;
  return numero;
}

}  // namespace

Remplacement::Remplacement(const std::filesystem::path& lien) {
  // A symbolic link stays a link: the file it leads to is the one replaced.
  std::error_code ec;
  chemin_ = lien;
  if (std::filesystem::is_symlink(lien, ec)) {
    const std::filesystem::path cible = std::filesystem::weakly_canonical(lien, ec);
    if (!ec) chemin_ = cible;
  }
  flux_ = creerVoisin(chemin_, ".tmp", temporaire_, numero_);
#ifndef _WIN32
  // The new file takes the old one's permissions; a new one gets the usual ones (umask).
  struct stat etat {};
  if (flux_ != nullptr && ::stat(chemin_.c_str(), &etat) == 0) ::fchmod(::fileno(flux_), etat.st_mode & 07777);
#endif
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
  if (f == nullptr) return remplacement.numero();
  errno = 0;
  if (!octets.empty() && std::fwrite(octets.data(), 1, octets.size(), f) != octets.size()) return errno != 0 ? errno : EIO;
  return remplacement.remplacer();
}

std::filesystem::path dossierDeSecours() {
#ifdef _WIN32
  return dossierLecteurC();
#else
  // The user's own state folder: nobody else reads what the receiver sent.
  std::filesystem::path base;
  if (const char* etat = std::getenv("XDG_STATE_HOME"); etat != nullptr && etat[0] == '/') base = etat;
  else if (const char* maison = std::getenv("HOME"); maison != nullptr && maison[0] == '/')
    base = std::filesystem::path(maison) / ".local" / "state";
  if (base.empty()) return dossierLecteurC();
  std::error_code ec;
  std::filesystem::create_directories(base / "zor", ec);
  ::chmod((base / "zor").c_str(), 0700);
  if (ec || !std::filesystem::is_directory(base / "zor", ec)) return dossierLecteurC();
  return base / "zor";
#endif
}

std::filesystem::path sauverEnSecours(std::string_view octets, std::string_view prefixe, int& numeroSysteme) {
  std::filesystem::path cree;
  // Readable by this user alone: waypoints are nobody else's business.
  std::FILE* f = creerVoisin(dossierDeSecours() / std::string(prefixe), ".txt", cree, numeroSysteme, 0600);
  if (f == nullptr) return {};
  numeroSysteme = ecrireEtFermer(f, octets);
  if (numeroSysteme != 0) {
    std::error_code ec;
    std::filesystem::remove(cree, ec);
    return {};
  }
  return cree;
}

}  // namespace zor::platform
