#include "platform/peripherique_serie.h"

#include <cstdlib>

#ifdef _WIN32
#include <fstream>
#include <system_error>
#else
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>
#include <vector>
#endif

namespace zor::platform {

#ifdef _WIN32

std::string peripheriqueDuPort(int numero) { return "COM" + std::to_string(numero); }

bool portsNommesParLeSysteme() { return true; }

std::optional<std::string> peripheriqueDeLEnvironnement(int) { return std::nullopt; }

std::string peripheriqueParDefaut(int numero) { return peripheriqueDuPort(numero); }

bool estCheminDePeripherique(std::string_view) { return false; }

std::filesystem::path fichierConfiguration() { return {}; }

Erreur::Genre genreEchecOuverture(EchecOuverture echec, const std::string&, int) {
  switch (echec) {
    case EchecOuverture::Introuvable: return Erreur::Genre::PortIntrouvable;
    case EchecOuverture::Permission:  // Windows answers "access denied" for a port in use
    case EchecOuverture::DejaOuvert: return Erreur::Genre::PortOccupe;
    case EchecOuverture::NonSupporte: return Erreur::Genre::PasUnPort;
    case EchecOuverture::Autre: break;
  }
  return Erreur::Genre::PortRefuse;
}

std::optional<std::string> verrouActif(const std::string&) { return std::nullopt; }

std::string nomDOuverture(const std::string& peripherique) { return peripherique; }

int raisonCoupure(const std::string&, PoigneeSerie) { return 0; }

PetitFichier lirePetitFichier(const std::filesystem::path& chemin, std::size_t max, bool sansLien) {
  PetitFichier f;
  std::error_code ec;
  const auto etat = sansLien ? std::filesystem::symlink_status(chemin, ec) : std::filesystem::status(chemin, ec);
  if (!std::filesystem::exists(etat)) {
    f.etat = ec && ec != std::errc::no_such_file_or_directory ? PetitFichier::Etat::Illisible : PetitFichier::Etat::Absent;
    f.numeroSysteme = ec.value();
    return f;
  }
  if (!std::filesystem::is_regular_file(etat)) {
    f.etat = PetitFichier::Etat::PasOrdinaire;
    return f;
  }
  std::ifstream flux(chemin, std::ios::binary);
  if (!flux) {
    f.numeroSysteme = EACCES;
    return f;
  }
  f.contenu.resize(max + 1);
  flux.read(f.contenu.data(), static_cast<std::streamsize>(max + 1));
  f.contenu.resize(static_cast<std::size_t>(flux.gcount()));
  if (flux.bad()) {
    f.numeroSysteme = EIO;
    return f;
  }
  f.etat = f.contenu.size() > max ? PetitFichier::Etat::TropGrand : PetitFichier::Etat::Lu;
  if (f.etat != PetitFichier::Etat::Lu) f.contenu.clear();
  return f;
}

#else

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

// The lock files other programs would write for this device.
std::vector<std::string> verrous(const std::string& peripherique) {
  std::string nom = peripherique;
  if (nom.rfind("/dev/", 0) == 0) nom.erase(0, 5);
  for (char& c : nom)
    if (c == '/') c = '_';
  return {"/var/lock/LCK.." + nom, "/run/lock/LCK.." + nom};
}

// The process number a lock file holds: UUCP locks write it in ASCII, padded with blanks; the
// toolkit's own locks start with it on their first line.
std::optional<long> processusDuVerrou(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  if (!f) return std::nullopt;
  const std::string contenu((std::istreambuf_iterator<char>(f)), {});
  const std::size_t debut = contenu.find_first_not_of(" \t");
  if (debut == std::string::npos) return std::nullopt;
  long pid = 0;
  const auto [fin, ec] = std::from_chars(contenu.data() + debut, contenu.data() + contenu.size(), pid);
  if (ec != std::errc{} || pid <= 0) return std::nullopt;
  return pid;
}

bool vivant(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

}  // namespace

std::string nomDOuverture(const std::string& peripherique) {
  if (peripherique.rfind("/dev/", 0) != 0) return peripherique;
  for (const std::string& chemin : verrous(peripherique)) {
    const auto pid = processusDuVerrou(chemin);
    // Only a lock whose program has ended is ours to clear.
    if (!pid || vivant(*pid)) continue;
    if (::unlink(chemin.c_str()) == 0 || errno == ENOENT) continue;
    return "/dev/." + peripherique.substr(4);
  }
  return peripherique;
}

std::optional<std::string> verrouActif(const std::string& peripherique) {
  for (const std::string& chemin : verrous(peripherique)) {
    const auto pid = processusDuVerrou(chemin);
    // This program's own lock (a port already open here) is the serial library's to report.
    if (pid && *pid != ::getpid() && vivant(*pid)) return chemin;
    // A lock that names no program (empty, damaged) blocks the serial library for good, and
    // nobody can tell it is stale: name it, so the user knows which file holds the port.
    if (!pid && ::access(chemin.c_str(), F_OK) == 0) return chemin;
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

int raisonCoupure(const std::string& peripherique, PoigneeSerie poignee) {
  struct stat etat {};
  if (::stat(peripherique.c_str(), &etat) != 0) return ENODEV;
  if (poignee >= 0) {
    pollfd p{poignee, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0) return EIO;
  }
  return 0;
}

#endif

}  // namespace zor::platform
