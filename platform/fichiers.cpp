#include "platform/fichiers.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zor::platform {

std::FILE* ouvrirFichierLecture(const std::filesystem::path& chemin) {
  errno = 0;
#ifdef _WIN32
  std::FILE* f = ::_wfopen(chemin.c_str(), L"rb");
  if (f == nullptr && errno == EACCES) {
    // Windows refuses to open a folder with "access denied"; say what it really is.
    std::error_code ec;
    errno = std::filesystem::is_directory(chemin, ec) ? EISDIR : EACCES;
  }
  return f;
#else
  return std::fopen(chemin.c_str(), "rb");
#endif
}

std::FILE* ouvrirFichierEcriture(const std::filesystem::path& chemin) {
  errno = 0;
#ifdef _WIN32
  return ::_wfopen(chemin.c_str(), L"wb");
#else
  return std::fopen(chemin.c_str(), "wb");
#endif
}

std::FILE* ouvrirFichierEcritureSansBloquer(const std::filesystem::path& chemin, std::chrono::milliseconds attente) {
#ifdef _WIN32
  (void)attente;
  return ouvrirFichierEcriture(chemin);
#else
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
#endif
}

std::FILE* ouvrirFichierAjout(const std::filesystem::path& chemin) {
  errno = 0;
#ifdef _WIN32
  return ::_wfopen(chemin.c_str(), L"ab");
#else
  return std::fopen(chemin.c_str(), "ab");
#endif
}

bool estUnDossier(std::FILE* fichier) {
#ifdef _WIN32
  struct _stat64 etat {};
  return ::_fstat64(::_fileno(fichier), &etat) == 0 && (etat.st_mode & _S_IFMT) == _S_IFDIR;
#else
  struct stat etat {};
  return ::fstat(::fileno(fichier), &etat) == 0 && S_ISDIR(etat.st_mode);
#endif
}

std::optional<std::string> lireFichierBorne(const std::filesystem::path& chemin, std::size_t tailleMax,
                                            int* numeroSysteme) {
  auto echec = [numeroSysteme](int numero) -> std::optional<std::string> {
    if (numeroSysteme != nullptr) *numeroSysteme = numero;
    return std::nullopt;
  };
#ifdef _WIN32
  std::error_code ec;
  if (!std::filesystem::is_regular_file(chemin, ec)) return echec(ec ? ENOENT : EINVAL);
  std::FILE* f = ouvrirFichierLecture(chemin);
  if (f == nullptr) return echec(errno);
  std::string contenu;
  char bloc[65536];
  std::size_t lus = 0;
  while ((lus = std::fread(bloc, 1, sizeof bloc, f)) > 0) {
    contenu.append(bloc, lus);
    if (contenu.size() > tailleMax) {
      std::fclose(f);
      return echec(EFBIG);
    }
  }
  const bool erreur = std::ferror(f) != 0;
  std::fclose(f);
  if (erreur) return echec(EIO);
  return contenu;
#else
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
#endif
}

bool fluxBinaire(std::FILE* flux) {
#ifdef _WIN32
  return ::_setmode(::_fileno(flux), _O_BINARY) != -1;
#else
  (void)flux;
  return true;
#endif
}

}  // namespace zor::platform
