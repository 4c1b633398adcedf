// The files the program writes, on the POSIX systems: the folder that holds a file is opened
// once and every later step (looking, opening, making the file beside, renaming, removing) is
// taken relative to it, so that nobody can swap a folder or a link in between.
#include "platform/ecriture.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>
#include <thread>

#include "platform/interruption.h"
#include "platform/remplacement_systeme.h"

namespace zor::platform {
namespace {

using Genre = Erreur::Genre;

// Links followed one after the other before giving up, as the kernel does (it allows 40).
constexpr int kLiensMax = 16;
// The longest name a folder entry may have.
constexpr std::size_t kNomMax = 255;
// A folder only searched, never listed: enough for every step taken relative to it.
#ifdef O_PATH
constexpr int kOuvertureDossier = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kOuvertureDossier = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

Erreur refus(Genre genre, int numero, std::string detail = {}) {
  Erreur e;
  e.genre = genre;
  e.numeroSysteme = numero;
  e.detail = std::move(detail);
  return e;
}

std::string nomUtilisateur(uid_t uid) {
  passwd pw{};
  passwd* trouve = nullptr;
  char tampon[4096];
  if (::getpwuid_r(uid, &pw, tampon, sizeof tampon, &trouve) == 0 && trouve != nullptr) return trouve->pw_name;
  return "n° " + std::to_string(uid);
}

// What a file that is not a regular one is, in French ("c'est un tube").
std::string genreDe(mode_t mode) {
  if (S_ISFIFO(mode)) return "un tube";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "un périphérique";
  if (S_ISSOCK(mode)) return "une prise de communication locale (socket)";
  return {};
}

bool memeFichier(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Where a path leads: the folder that holds the file, open, and the file's name in it.
struct Place {
  int dossier = -1;
  std::string nom;
  bool suivre = false;  // the name is a link the rule allows to a pipe or a device
};

// Follows the last name of `chemin` (taken from the folder `base`) through the links the rule
// allows, to the folder and name of the file they lead to, which may not exist yet. A link to
// a pipe or a device is left for the kernel to follow: /dev/stdout leads through
// /proc/self/fd to a pipe that has no name.
std::optional<Erreur> trouverPlace(int base, const std::filesystem::path& chemin, Place& place, int liens = 0) {
  const std::string nom = chemin.filename().string();
  if (nom.empty() || nom == "." || nom == "..") {
    // "dossier/": a folder, or nothing there.
    struct stat etat {};
    if (::fstatat(base, chemin.c_str(), &etat, 0) != 0) return refus(Genre::FichierNonCreable, errno);
    return refus(Genre::FichierNonCreable, S_ISDIR(etat.st_mode) ? EISDIR : ENOTDIR);
  }
  const std::filesystem::path parent = chemin.parent_path();
  const int dossier = ::openat(base, parent.empty() ? "." : parent.c_str(), kOuvertureDossier);
  if (dossier < 0) return refus(Genre::FichierNonCreable, errno);
  struct stat d {};
  if (::fstat(dossier, &d) != 0) {
    const int numero = errno;
    ::close(dossier);
    return refus(Genre::FichierNonCreable, numero);
  }
  const bool partage = (d.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  for (int essai = 0;; ++essai) {
    struct stat lien {};
    if (::fstatat(dossier, nom.c_str(), &lien, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(lien.st_mode)) {
      place = {dossier, nom, false};
      return std::nullopt;
    }
    if (partage && lien.st_uid != ::geteuid() && lien.st_uid != 0 && lien.st_uid != d.st_uid) {
      ::close(dossier);
      return refus(Genre::LienDUnAutre, 0, nomUtilisateur(lien.st_uid));
    }
    struct stat cible {};
    if (::fstatat(dossier, nom.c_str(), &cible, 0) == 0 && !S_ISREG(cible.st_mode) && !S_ISDIR(cible.st_mode)) {
      place = {dossier, nom, true};
      return std::nullopt;
    }
    if (liens >= kLiensMax) {
      ::close(dossier);
      return refus(Genre::FichierNonCreable, ELOOP);
    }
    std::string texte(PATH_MAX, '\0');
    const ssize_t n = ::readlinkat(dossier, nom.c_str(), texte.data(), texte.size());
    // A link never changes: the text read is the link looked at if that one is still there.
    struct stat encore {};
    if (n <= 0 || ::fstatat(dossier, nom.c_str(), &encore, AT_SYMLINK_NOFOLLOW) != 0 || !memeFichier(encore, lien) ||
        encore.st_uid != lien.st_uid) {
      if (essai < 3) continue;
      const int numero = n < 0 ? errno : EAGAIN;
      ::close(dossier);
      return refus(Genre::FichierNonCreable, numero);
    }
    texte.resize(static_cast<std::size_t>(n));
    auto erreur = trouverPlace(dossier, texte, place, liens + 1);
    ::close(dossier);
    return erreur;
  }
}

// A name nobody uses yet beside `nom` in `dossier`, made empty for writing; nullptr with errno.
std::FILE* creerVoisin(int dossier, const std::string& nom, std::string& cree) {
  static std::mt19937 hasard{std::random_device{}()};
  std::string base = nom;
  constexpr std::size_t kAjout = 9 + 4;  // ".%08x" and ".tmp"
  if (base.size() + kAjout > kNomMax) base.resize(kNomMax - kAjout);
  for (int essai = 0; essai < 100; ++essai) {
    char marque[16];
    std::snprintf(marque, sizeof marque, ".%08x", static_cast<unsigned>(hasard()));
    const std::string candidat = base + marque + ".tmp";
    const int fd = ::openat(dossier, candidat.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, "wb");
    if (f == nullptr) {
      const int numero = errno;
      ::close(fd);
      ::unlinkat(dossier, candidat.c_str(), 0);
      errno = numero;
      return nullptr;
    }
    cree = candidat;
    return f;
  }
  errno = EEXIST;
  return nullptr;
}

void bloquant(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); }

}  // namespace

std::optional<Erreur> Ecriture::ouvrir(const std::filesystem::path& chemin, const ReglesEcriture& regles) {
  abandonner();
  regles_ = regles;
  chemin_ = chemin;
  // What stands at the place may change between the look and the opening (another writer
  // putting its new file there): then the look is taken again.
  for (int essai = 0; essai < 8; ++essai) {
    Place place;
    if (auto erreur = trouverPlace(AT_FDCWD, chemin, place)) return erreur;
    dossier_ = place.dossier;
    nom_ = place.nom;
    suivre_ = place.suivre;
    bool recommencer = false;
    auto erreur = ouvrirALaPlace(recommencer);
    if (!recommencer) {
      if (erreur) abandonner();
      return erreur;
    }
    abandonner();
  }
  return refus(Genre::FichierNonCreable, EAGAIN);
}

std::optional<Erreur> Ecriture::ouvrirALaPlace(bool& recommencer) {
  struct stat avant {};
  const bool present = ::fstatat(dossier_, nom_.c_str(), &avant, suivre_ ? 0 : AT_SYMLINK_NOFOLLOW) == 0;
  if (!present && errno != ENOENT) return refus(Genre::FichierNonCreable, errno);
  if (present && (S_ISLNK(avant.st_mode) || (suivre_ && S_ISREG(avant.st_mode)))) {
    recommencer = true;
    return std::nullopt;
  }
  if (present && S_ISDIR(avant.st_mode)) return refus(Genre::FichierNonCreable, EISDIR);
  if (present && !S_ISREG(avant.st_mode)) {
    if (regles_.ordinaireSeulement) return refus(Genre::SortieNonOrdinaire, 0, genreDe(avant.st_mode));
    return ouvrirSpecial(avant.st_mode, recommencer);
  }
  // A regular file is opened for writing, which tells at once whether it may be written (a
  // read-only one may not, whoever owns the folder); a new one is made, empty.
  const int fd = present ? ::openat(dossier_, nom_.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY)
                         : ::openat(dossier_, nom_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) {
    if (errno == ENOENT || errno == EEXIST || errno == ELOOP) {
      recommencer = true;
      return std::nullopt;
    }
    return refus(present ? Genre::FichierNonEcrit : Genre::FichierNonCreable, errno);
  }
  verrou_ = fd;
  cree_ = !present;
  struct stat ouvert {};
  if (::fstat(fd, &ouvert) != 0 || !S_ISREG(ouvert.st_mode)) {
    recommencer = true;
    return std::nullopt;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int numero = errno;
    // Made here and taken by another writer at once: it is theirs now.
    cree_ = false;
    return numero == EWOULDBLOCK ? refus(Genre::FichierEnEcriture, 0) : refus(Genre::FichierNonEcrit, numero);
  }
  // The lock must be on what the name leads to now: a writer that held it may have put its new
  // file there meanwhile.
  struct stat maintenant {};
  if (::fstatat(dossier_, nom_.c_str(), &maintenant, AT_SYMLINK_NOFOLLOW) != 0 || !memeFichier(maintenant, ouvert)) {
    cree_ = false;
    recommencer = true;
    return std::nullopt;
  }
  if (regles_.maniere == ReglesEcriture::Maniere::SurPlace) {
    cree_ = false;
    if (::ftruncate(fd, 0) != 0) return refus(Genre::FichierNonEcrit, errno);
    bloquant(fd);
    flux_ = ::fdopen(fd, "wb");
    if (flux_ == nullptr) return refus(Genre::FichierNonEcrit, errno);
    verrou_ = -1;  // closed with the stream, and the lock with it
    return std::nullopt;
  }
  std::string temporaire;
  flux_ = creerVoisin(dossier_, nom_, temporaire);
  if (flux_ == nullptr) return refus(cree_ ? Genre::FichierNonCreable : Genre::DossierFerme, errno);
  temporaire_ = temporaire;
  // The new file keeps the old one's permissions; a new one gets the usual ones (umask).
  if (!cree_) ::fchmod(::fileno(flux_), ouvert.st_mode & 07777);
  return std::nullopt;
}

std::optional<Erreur> Ecriture::ouvrirSpecial(unsigned mode, bool& recommencer) {
  const int suivi = suivre_ ? 0 : O_NOFOLLOW;
  const auto fin = std::chrono::steady_clock::now() + regles_.attenteTube;
  int fd = -1;
  // A pipe with no reader refuses a writer that does not wait (ENXIO): it is asked again until
  // one comes, the time is up, or the user stops the program.
  for (;;) {
    fd = ::openat(dossier_, nom_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | suivi);
    if (fd >= 0) break;
    if (errno == ENOENT || errno == ELOOP) {
      recommencer = true;
      return std::nullopt;
    }
    if (errno != ENXIO || !S_ISFIFO(mode)) return refus(Genre::FichierNonEcrit, errno);
    if (interruptionRecue() != 0) return refus(Genre::AttenteInterrompue, EINTR);
    if (std::chrono::steady_clock::now() >= fin) {
      Erreur e = refus(Genre::TubeSansLecteur, 0);
      e.dureeMs = regles_.attenteTube.count();
      return e;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  struct stat ouvert {};
  if (::fstat(fd, &ouvert) != 0 || S_ISREG(ouvert.st_mode)) {
    ::close(fd);
    recommencer = true;
    return std::nullopt;
  }
  bloquant(fd);
  flux_ = ::fdopen(fd, "wb");
  if (flux_ == nullptr) {
    const int numero = errno;
    ::close(fd);
    return refus(Genre::FichierNonEcrit, numero);
  }
  special_ = true;
  return std::nullopt;
}

int Ecriture::prendreLeNom() {
  return ::renameat(dossier_, temporaire_.c_str(), dossier_, nom_.c_str()) != 0 ? errno : 0;
}

// A folder that lets a file be changed lets one be made beside it here: a file that cannot
// have one is refused when it is opened, and this is never reached.
int Ecriture::reecrireSurPlace(std::string_view) { return refusVoisin_; }

int Ecriture::abandonner() {
  int numero = 0;
  if (flux_ != nullptr) std::fclose(flux_);
  flux_ = nullptr;
  if (!temporaire_.empty()) ::unlinkat(dossier_, temporaire_.c_str(), 0);
  temporaire_.clear();
  // The empty file this opening made goes, while the name still leads to it.
  struct stat a {}, b {};
  if (cree_ && verrou_ >= 0 && ::fstat(verrou_, &a) == 0 &&
      ::fstatat(dossier_, nom_.c_str(), &b, AT_SYMLINK_NOFOLLOW) == 0 && memeFichier(a, b) &&
      ::unlinkat(dossier_, nom_.c_str(), 0) != 0)
    numero = errno;
  fermerTout();
  return numero;
}

void Ecriture::fermerTout() noexcept {
  if (flux_ != nullptr) std::fclose(flux_);
  flux_ = nullptr;
  if (verrou_ >= 0) ::close(verrou_);
  if (dossier_ >= 0) ::close(dossier_);
  verrou_ = dossier_ = -1;
  special_ = cree_ = suivre_ = false;
  refusVoisin_ = 0;
}

std::FILE* ouvrirLectureOrdinaire(const std::filesystem::path& chemin, std::optional<Erreur>& refusLecture) {
  Place place;
  if (auto erreur = trouverPlace(AT_FDCWD, chemin, place)) {
    if (erreur->genre == Genre::FichierNonCreable) erreur->genre = Genre::FichierIllisible;
    refusLecture = erreur;
    return nullptr;
  }
  const int suivi = place.suivre ? 0 : O_NOFOLLOW;
  struct stat etat {};
  int fd = -1;
  if (::fstatat(place.dossier, place.nom.c_str(), &etat, place.suivre ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
    refusLecture = refus(Genre::FichierIllisible, errno);
  } else if (S_ISDIR(etat.st_mode)) {
    refusLecture = refus(Genre::FichierIllisible, EISDIR);
  } else if (!S_ISREG(etat.st_mode)) {
    // Looked at, never opened: opening a pipe would wait for a writer, a device could answer.
    refusLecture = refus(Genre::FichierNonOrdinaire, 0, genreDe(etat.st_mode));
  } else if ((fd = ::openat(place.dossier, place.nom.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | suivi)) < 0) {
    refusLecture = errno == ELOOP ? refus(Genre::FichierNonOrdinaire, 0) : refus(Genre::FichierIllisible, errno);
  } else if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
    refusLecture = refus(Genre::FichierNonOrdinaire, 0, genreDe(etat.st_mode));
  }
  ::close(place.dossier);
  if (refusLecture) {
    if (fd >= 0) ::close(fd);
    return nullptr;
  }
  bloquant(fd);
  std::FILE* f = ::fdopen(fd, "rb");
  if (f == nullptr) {
    refusLecture = refus(Genre::FichierIllisible, errno);
    ::close(fd);
  }
  return f;
}

}  // namespace zor::platform
