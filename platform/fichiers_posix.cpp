// Files by path on the POSIX systems: the path's bytes go to the system as they are.
#include "platform/fichiers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zor::platform {

std::FILE* ouvrirFichierLecture(const std::filesystem::path& chemin) {
  errno = 0;
  return std::fopen(chemin.c_str(), "rb");
}

std::FILE* ouvrirFichierEcriture(const std::filesystem::path& chemin) {
  errno = 0;
  return std::fopen(chemin.c_str(), "wb");
}

std::FILE* ouvrirFichierEcritureSansBloquer(const std::filesystem::path& chemin, std::chrono::milliseconds attente) {
  struct stat etat {};
  if (::stat(chemin.c_str(), &etat) != 0 || !S_ISFIFO(etat.st_mode)) return ouvrirFichierEcriture(chemin);
  const auto fin = std::chrono::steady_clock::now() + attente;
  for (;;) {
    errno = 0;
    const int fd = ::open(chemin.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
      std::FILE* f = ::fdopen(fd, "wb");
      if (f == nullptr) ::close(fd);
      return f;
    }
    if (errno != ENXIO || std::chrono::steady_clock::now() >= fin) return nullptr;
    ::usleep(20000);
  }
}

std::FILE* ouvrirFichierAjout(const std::filesystem::path& chemin) {
  errno = 0;
  return std::fopen(chemin.c_str(), "ab");
}

bool estUnDossier(std::FILE* fichier) {
  struct stat etat {};
  return ::fstat(::fileno(fichier), &etat) == 0 && S_ISDIR(etat.st_mode);
}

std::optional<std::string> lireFichierBorne(const std::filesystem::path& chemin, std::size_t tailleMax,
                                            int* numeroSysteme) {
  auto echec = [numeroSysteme](int numero) -> std::optional<std::string> {
    if (numeroSysteme != nullptr) *numeroSysteme = numero;
    return std::nullopt;
  };
  errno = 0;
  const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return echec(errno);
  struct stat etat {};
  if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
    ::close(fd);
    return echec(S_ISDIR(etat.st_mode) ? EISDIR : EINVAL);
  }
  std::string contenu;
  char bloc[65536];
  for (;;) {
    const ssize_t n = ::read(fd, bloc, sizeof bloc);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int numero = errno;
      ::close(fd);
      return echec(numero);
    }
    if (n == 0) break;
    contenu.append(bloc, static_cast<std::size_t>(n));
    if (contenu.size() > tailleMax) {
      ::close(fd);
      return echec(EFBIG);
    }
  }
  ::close(fd);
  return contenu;
}

bool fluxBinaire(std::FILE*) { return true; }

}  // namespace zor::platform
