#include "platform/fichiers.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
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

bool fluxBinaire(std::FILE* flux) {
#ifdef _WIN32
  return ::_setmode(::_fileno(flux), _O_BINARY) != -1;
#else
  (void)flux;
  return true;
#endif
}

}  // namespace zor::platform
