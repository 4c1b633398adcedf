// A serial device's system side on the POSIX systems: /dev paths, the user's zor.conf, small
// files read safely, a device's other names, its permissions and owner.
#include "platform/peripherique_serie.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace zor::platform {

std::string peripheriqueDuPort(int numero) {
  return peripheriqueDeLEnvironnement(numero).value_or(peripheriqueParDefaut(numero));
}

bool portsNommesParLeSysteme() { return false; }

std::optional<std::string> peripheriqueDeLEnvironnement(int numero) {
  const std::string variable = "ZOR_COMM" + std::to_string(numero);
  if (const char* v = std::getenv(variable.c_str()); v != nullptr && *v != '\0') return v;
  return std::nullopt;
}

std::string peripheriqueParDefaut(int numero) { return "/dev/ttyS" + std::to_string(numero - 1); }

bool estCheminDePeripherique(std::string_view texte) { return texte.size() > 1 && texte.front() == '/'; }

std::filesystem::path fichierConfiguration() {
  // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/')
    return std::filesystem::path(xdg) / "zor" / "zor.conf";
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/')
    return std::filesystem::path(home) / ".config" / "zor" / "zor.conf";
  return {};
}

PetitFichier lirePetitFichier(const std::filesystem::path& chemin, std::size_t max, bool sansLien) {
  PetitFichier f;
  using E = PetitFichier::Etat;
  struct stat etat {};
  // Looked at before it is opened: opening a device (a serial port named by mistake) could
  // already change its lines.
  if ((sansLien ? ::lstat(chemin.c_str(), &etat) : ::stat(chemin.c_str(), &etat)) != 0) {
    f.etat = errno == ENOENT || errno == ENOTDIR ? E::Absent : E::Illisible;
    f.numeroSysteme = errno;
    return f;
  }
  if (!S_ISREG(etat.st_mode)) {
    f.etat = E::PasOrdinaire;
    return f;
  }
  const int d = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (sansLien ? O_NOFOLLOW : 0));
  if (d < 0) {
    f.etat = errno == ENOENT ? E::Absent : errno == ELOOP ? E::PasOrdinaire : E::Illisible;
    f.numeroSysteme = errno;
    return f;
  }
  // Swapped for something else between the look and the opening: look again at what is open.
  if (::fstat(d, &etat) != 0 || !S_ISREG(etat.st_mode)) {
    ::close(d);
    f.etat = E::PasOrdinaire;
    return f;
  }
  if (static_cast<unsigned long long>(etat.st_size) > max) {
    ::close(d);
    f.etat = E::TropGrand;
    return f;
  }
  char bloc[4096];
  while (f.contenu.size() <= max) {
    const ssize_t n = ::read(d, bloc, sizeof bloc);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      f.numeroSysteme = errno;
      ::close(d);
      f.contenu.clear();
      return f;
    }
    if (n == 0) break;
    f.contenu.append(bloc, static_cast<std::size_t>(n));
  }
  ::close(d);
  const std::size_t lus = f.contenu.size();
  f.etat = lus > max ? E::TropGrand : E::Lu;
  if (f.etat != E::Lu) f.contenu.clear();
  return f;
}

std::vector<std::string> nomsParIdentifiant(const std::string& peripherique, const std::filesystem::path& dossier) {
  std::vector<std::string> noms;
  struct stat cible {};
  if (::stat(peripherique.c_str(), &cible) != 0) return noms;
  std::error_code ec;
  for (const auto& entree : std::filesystem::directory_iterator(dossier, ec)) {
    struct stat etat {};
    if (::stat(entree.path().c_str(), &etat) == 0 && etat.st_rdev == cible.st_rdev && S_ISCHR(etat.st_mode))
      noms.push_back(entree.path().string());
  }
  std::sort(noms.begin(), noms.end());
  return noms;
}

int accesPeripherique(const std::string& peripherique) {
  if (::access(peripherique.c_str(), R_OK | W_OK) == 0) return 0;
  return errno;
}

std::optional<Proprietaire> proprietaireDuPeripherique(const std::string& peripherique) {
  struct stat etat {};
  if (::stat(peripherique.c_str(), &etat) != 0) return std::nullopt;
  Proprietaire p;
  const passwd* u = ::getpwuid(etat.st_uid);
  const group* g = ::getgrgid(etat.st_gid);
  p.utilisateur = u != nullptr ? u->pw_name : std::to_string(etat.st_uid);
  p.groupe = g != nullptr ? g->gr_name : std::to_string(etat.st_gid);
  return p;
}

}  // namespace zor::platform
