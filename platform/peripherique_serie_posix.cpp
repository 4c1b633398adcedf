// A serial device's system side on the POSIX systems: /dev paths, lock files, flock, what a refusal or a cut means.
#include "platform/peripherique_serie.h"

#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
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

Erreur::Genre genreEchecOuverture(EchecOuverture echec, const std::string& peripherique, int numeroSysteme) {
  using G = Erreur::Genre;
  switch (echec) {
    case EchecOuverture::Introuvable: return G::PortIntrouvable;
    case EchecOuverture::Permission:
      // The library says the same for a port in use and for a port the user may not open: the
      // device's own permissions tell them apart.
      return ::access(peripherique.c_str(), R_OK | W_OK) != 0 && errno == EACCES ? G::PortInterdit : G::PortOccupe;
    case EchecOuverture::NonSupporte: return G::PasUnPort;
    case EchecOuverture::DejaOuvert: return G::PortOccupe;
    case EchecOuverture::Autre: break;
  }
  struct stat etat {};
  if (::stat(peripherique.c_str(), &etat) == 0 && !S_ISCHR(etat.st_mode)) return G::PasUnPort;
  if (numeroSysteme == ENOENT || numeroSysteme == ENODEV || numeroSysteme == ENXIO) return G::PortIntrouvable;
  return G::PortRefuse;
}

namespace {

// The lock files other programs would write for this device, named after its real path: the
// same device reached through a link or an odd spelling ("/dev//pts/3") has the same locks.
std::vector<std::string> verrous(const std::string& peripherique) {
  std::string nom = peripherique;
  if (char* reel = ::realpath(peripherique.c_str(), nullptr)) {
    nom = reel;
    std::free(reel);
  }
  if (nom.rfind("/dev/", 0) == 0) nom.erase(0, 5);
  for (char& c : nom)
    if (c == '/') c = '_';
  return {"/var/lock/LCK.." + nom, "/run/lock/LCK.." + nom};
}

// A lock file is a few bytes; anything larger is not one.
constexpr std::size_t kTailleVerrouMax = 4096;

// What stands at a lock file's place: nothing, a regular file naming a process (or naming
// none: empty, damaged), or something no program writes as a lock (a folder, a pipe, a link,
// a huge file), read without following links and without blocking.
struct Verrou {
  bool present = false;
  std::optional<long> processus;
};

Verrou lireVerrou(const std::string& chemin) {
  Verrou v;
  const PetitFichier f = lirePetitFichier(chemin, kTailleVerrouMax, true);
  if (f.etat == PetitFichier::Etat::Absent) return v;
  v.present = true;
  if (f.etat != PetitFichier::Etat::Lu) return v;
  // UUCP locks write the number in ASCII, padded with blanks; the toolkit's own locks start
  // with it on their first line.
  const std::string& contenu = f.contenu;
  const std::size_t debut = contenu.find_first_not_of(" \t");
  if (debut == std::string::npos) return v;
  long pid = 0;
  const auto [fin, ec] = std::from_chars(contenu.data() + debut, contenu.data() + contenu.size(), pid);
  if (ec == std::errc{} && pid > 0) v.processus = pid;
  return v;
}

bool vivant(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

}  // namespace

std::string nomDOuverture(const std::string& peripherique) {
  if (peripherique.rfind("/dev/", 0) != 0) return peripherique;
  for (const std::string& chemin : verrous(peripherique)) {
    const Verrou v = lireVerrou(chemin);
    // Only a lock whose program has ended is ours to clear.
    if (!v.processus || vivant(*v.processus)) continue;
    if (::unlink(chemin.c_str()) == 0 || errno == ENOENT) continue;
    return "/dev/." + peripherique.substr(4);
  }
  return peripherique;
}

std::optional<std::string> verrouActif(const std::string& peripherique) {
  for (const std::string& chemin : verrous(peripherique)) {
    const Verrou v = lireVerrou(chemin);
    if (!v.present) continue;
    // This program's own lock (a port already open here) is the serial library's to report.
    if (v.processus && *v.processus != ::getpid() && vivant(*v.processus)) return chemin;
    // A lock that names no program (empty, damaged), or something that is no lock file at all
    // (a folder, a pipe, a link, a huge file), blocks the serial library for good, and nobody
    // can tell it is stale: name it, so the user knows which file holds the port.
    if (!v.processus) return chemin;
  }
  return std::nullopt;
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

int verrouillerPeripherique(PoigneeSerie poignee) {
  if (::flock(poignee, LOCK_EX | LOCK_NB) == 0) return 0;
  return errno == EWOULDBLOCK ? EBUSY : errno;
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

int raisonCoupure(const std::string& peripherique, PoigneeSerie poignee) {
  struct stat etat {};
  if (::stat(peripherique.c_str(), &etat) != 0) return ENODEV;
  if (poignee >= 0) {
    pollfd p{poignee, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0) return EIO;
  }
  return 0;
}

}  // namespace zor::platform
