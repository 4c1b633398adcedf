// The standard streams and file identity on the POSIX systems.
#include "platform/fichiers_standard.h"

#include <sys/file.h>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zor::platform {

// Only a regular file is emptied before it is read: /dev/null as input and output is no clash.
bool memeFichier(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec && std::filesystem::is_regular_file(a, ec);
}

bool memeFichierQueFlux(const std::filesystem::path& chemin, std::FILE* flux) {
  struct stat a {}, b {};
  if (::stat(chemin.c_str(), &a) != 0 || ::fstat(::fileno(flux), &b) != 0) return false;
  return S_ISREG(a.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool memesFlux(std::FILE* a, std::FILE* b) {
  struct stat x {}, y {};
  if (::fstat(::fileno(a), &x) != 0 || ::fstat(::fileno(b), &y) != 0) return false;
  return S_ISREG(x.st_mode) && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

namespace {
bool prendre(int fd) {
  struct stat etat {};
  if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) return true;
  return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}
}  // namespace

VerrouEcriture::VerrouEcriture(std::FILE* flux) : pris_(prendre(::fileno(flux))) {}

std::optional<std::uint64_t> positionEcriture(std::FILE* flux) {
  const int fd = ::fileno(flux);
  struct stat etat {};
  if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) return std::nullopt;
  // Appending ("zor-cli convert … >> F") writes at the end whatever the offset says.
  if ((::fcntl(fd, F_GETFL) & O_APPEND) != 0) return static_cast<std::uint64_t>(etat.st_size);
  const off_t p = ::lseek(fd, 0, SEEK_CUR);
  if (p < 0) return std::nullopt;
  return static_cast<std::uint64_t>(p);
}

bool tronquer(std::FILE* flux, std::uint64_t taille) {
  return ::ftruncate(::fileno(flux), static_cast<off_t>(taille)) == 0;
}

void ignorerLimiteTailleFichier() { std::signal(SIGXFSZ, SIG_IGN); }

void ignorerTubeCoupe() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace zor::platform
