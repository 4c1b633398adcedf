// Files by path on the POSIX systems: the path's bytes go to the system as they are.
#include "platform/fichiers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/interruption.h"

namespace zor::platform {

std::FILE* ouvrirFichierLecture(const std::filesystem::path& chemin) {
  for (;;) {
    errno = 0;
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    // A signal that is not the user's asking to stop (none is expected) does not end the wait.
    if (f != nullptr || errno != EINTR || interruptionRecue() != 0) return f;
  }
}

std::FILE* ouvrirFichierEcriture(const std::filesystem::path& chemin) {
  errno = 0;
  return std::fopen(chemin.c_str(), "wb");
}

bool estUnDossier(std::FILE* fichier) {
  struct stat etat {};
  return ::fstat(::fileno(fichier), &etat) == 0 && S_ISDIR(etat.st_mode);
}

bool estOrdinaire(std::FILE* fichier) {
  struct stat etat {};
  return ::fstat(::fileno(fichier), &etat) == 0 && S_ISREG(etat.st_mode);
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
