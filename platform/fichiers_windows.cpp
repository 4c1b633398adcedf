// Files by path on Windows: the path goes to the system in UTF-16, so a name the ANSI code
// page cannot spell still opens.
#include "platform/fichiers.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace zor::platform {
namespace {

// Windows refuses to open a folder with "access denied"; say what it really is, as the other
// systems do.
std::FILE* ouvrir(const std::filesystem::path& chemin, const wchar_t* mode) {
  errno = 0;
  std::FILE* f = ::_wfopen(chemin.c_str(), mode);
  if (f == nullptr && errno == EACCES) {
    std::error_code ec;
    errno = std::filesystem::is_directory(chemin, ec) ? EISDIR : EACCES;
  }
  return f;
}

}  // namespace

std::FILE* ouvrirFichierLecture(const std::filesystem::path& chemin) { return ouvrir(chemin, L"rb"); }

std::FILE* ouvrirFichierEcriture(const std::filesystem::path& chemin) { return ouvrir(chemin, L"wb"); }

bool estUnDossier(std::FILE* fichier) {
  struct _stat64 etat {};
  return ::_fstat64(::_fileno(fichier), &etat) == 0 && (etat.st_mode & _S_IFMT) == _S_IFDIR;
}

bool estOrdinaire(std::FILE* fichier) {
  struct _stat64 etat {};
  return ::_fstat64(::_fileno(fichier), &etat) == 0 && (etat.st_mode & _S_IFMT) == _S_IFREG;
}

std::optional<std::string> lireFichierBorne(const std::filesystem::path& chemin, std::size_t tailleMax,
                                            int* numeroSysteme) {
  auto echec = [numeroSysteme](int numero) -> std::optional<std::string> {
    if (numeroSysteme != nullptr) *numeroSysteme = numero;
    return std::nullopt;
  };
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
}

bool fluxBinaire(std::FILE* flux) { return ::_setmode(::_fileno(flux), _O_BINARY) != -1; }

}  // namespace zor::platform
