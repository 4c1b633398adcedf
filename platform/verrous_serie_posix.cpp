// Lock files and flock on a serial device, on the POSIX systems.
#include "platform/verrous_serie.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/peripherique_serie.h"

namespace zor::platform {
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
  // UUCP locks write the number in ASCII, padded with blanks; other programs start their
  // first line with it.
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

void leverVerrousPerimes(const std::string& peripherique) {
  for (const std::string& chemin : verrous(peripherique)) {
    const Verrou v = lireVerrou(chemin);
    // Only a lock whose program has ended is ours to clear; one we may not remove (another
    // user's, in the shared folder) stays, and is still no reservation.
    if (v.processus && !vivant(*v.processus)) ::unlink(chemin.c_str());
  }
}

std::optional<std::string> verrouActif(const std::string& peripherique) {
  for (const std::string& chemin : verrous(peripherique)) {
    const Verrou v = lireVerrou(chemin);
    if (!v.present) continue;
    if (v.processus && *v.processus != ::getpid() && vivant(*v.processus)) return chemin;
    // A lock that names no program (empty, damaged), or something that is no lock file at all
    // (a folder, a pipe, a link, a huge file), keeps the programs that look there away for
    // good, and nobody can tell it is stale: name it, so the user knows which file holds the port.
    if (!v.processus) return chemin;
  }
  return std::nullopt;
}

std::string poserVerrou(const std::string& peripherique) {
  for (const std::string& chemin : verrous(peripherique)) {
    const int d = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (d < 0) {
      // Something is already there (both folders are often one): leave it be.
      if (errno == EEXIST) return {};
      continue;
    }
    // The UUCP form: the number on ten columns, then a line end.
    char texte[16];
    const int n = std::snprintf(texte, sizeof texte, "%10ld\n", static_cast<long>(::getpid()));
    const bool ecrit = ::write(d, texte, static_cast<std::size_t>(n)) == n;
    ::close(d);
    if (ecrit) return chemin;
    ::unlink(chemin.c_str());
    return {};
  }
  return {};
}

void retirerVerrou(const std::string& chemin) {
  if (chemin.empty()) return;
  if (const Verrou v = lireVerrou(chemin); v.processus && *v.processus == ::getpid()) ::unlink(chemin.c_str());
}

int verrouillerPeripherique(int descripteur) {
  if (::flock(descripteur, LOCK_EX | LOCK_NB) == 0) return 0;
  return errno == EWOULDBLOCK ? EBUSY : errno;
}

}  // namespace zor::platform
