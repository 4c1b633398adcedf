// The serial device on Linux and the other POSIX systems, on its raw descriptor: opened without
// becoming the controlling terminal and without waiting for a carrier, held against other
// programs (exclusive mode, flock, a lock file), its line set raw by termios, reads that take
// what has arrived, waits in poll, writes bounded in time, a bounded drain before closing,
// and the line's former settings given back. Every failure keeps errno for its French sentence.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/verrous_serie.h"
#include "platform/vidange_serie.h"
#include "serial/liaison.h"

namespace zor::serie {
namespace {

using namespace std::chrono;

// Why the device refused to open or to take its settings, for the user.
Erreur::Genre genreRefus(int numero, const std::string& peripherique) {
  using G = Erreur::Genre;
  switch (numero) {
    case ENOENT:
    case ENODEV: return G::PortIntrouvable;
    case EACCES:
    case EPERM:
    case EBUSY:
      // A port in use (exclusive mode) and a port the user may not open both end here: the
      // device's own permissions tell them apart.
      return ::access(peripherique.c_str(), R_OK | W_OK) != 0 && errno == EACCES ? G::PortInterdit : G::PortOccupe;
    case ENOTTY:  // a file, /dev/null: no terminal calls
    case EINVAL: return G::PasUnPort;
    default: break;
  }
  struct stat etat {};
  if (::stat(peripherique.c_str(), &etat) == 0 && !S_ISCHR(etat.st_mode)) return G::PasUnPort;
  if (numero == ENXIO) return G::PortIntrouvable;
  return G::PortRefuse;
}

std::optional<speed_t> vitesse(int bauds) {
  switch (bauds) {
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: break;
  }
  return std::nullopt;
}

// The line as the receiver wants it, raw: every byte as it comes, no echo, no line editing, no
// flow control, no character replaced; reads never wait (poll does); no carrier needed.
bool regler(termios& t, const Reglages& r) {
  const auto v = vitesse(r.bauds);
  if (!v || r.bitsDonnees < 5 || r.bitsDonnees > 8 || (r.bitsStop != 1 && r.bitsStop != 2)) return false;
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  static constexpr tcflag_t kTailles[] = {CS5, CS6, CS7, CS8};
  t.c_cflag |= kTailles[r.bitsDonnees - 5];
  if (r.bitsStop == 2) t.c_cflag |= CSTOPB;
  t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | PARMRK);
  switch (r.parite) {
    case 'E': t.c_cflag |= PARENB; break;
    case 'O': t.c_cflag |= PARENB | PARODD; break;
    case 'M': t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 'S': t.c_cflag |= PARENB | CMSPAR; break;
    default: t.c_iflag |= IGNPAR; break;
  }
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  return ::cfsetispeed(&t, *v) == 0 && ::cfsetospeed(&t, *v) == 0;
}

bool raccroche(short evenements) { return (evenements & (POLLHUP | POLLERR | POLLNVAL)) != 0; }

// A device named by a path from here ("/dev/ttyUSB0", "./gps") is that path; any other name is
// one of /dev ("ttyUSB0", "pts/3"), as serial programs take it.
std::string cheminDuPeripherique(const std::string& nom) {
  if (nom.rfind('/', 0) == 0 || nom.rfind("./", 0) == 0 || nom.rfind("../", 0) == 0) return nom;
  return "/dev/" + nom;
}

class LiaisonPosix final : public Liaison {
 public:
  explicit LiaisonPosix(PortDesigne port) : port_(std::move(port)), chemin_(cheminDuPeripherique(port_.peripherique)) {}
  ~LiaisonPosix() override { abandonner(); }

  std::optional<Erreur> ouvrir(const Reglages& r) {
    bauds_ = r.bauds;
    const std::string& nom = chemin_;
    // A lock of a running program: say which file reserves the port. A lock whose program has
    // ended is stale: it goes where this user may remove it, and counts for nothing anyway.
    platform::leverVerrousPerimes(nom);
    if (auto e = reserve()) return e;
    // Without O_NONBLOCK a port with no carrier would hold the opening.
    d_ = ::open(nom.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (d_ < 0) return refus(errno);
    // Another program holding the device (picocom, minicom, another ZOR under another name of
    // it) keeps it: nothing is sent, and its line is left alone.
    if (const int numero = platform::verrouillerPeripherique(d_); numero != 0)
      return refus(numero, numero == EBUSY ? Erreur::Genre::PortOccupe : Erreur::Genre::PortRefuse);
    // No other opening of the device while we hold it (but by root), as the serial libraries do.
    if (::ioctl(d_, TIOCEXCL) != 0) return refus(errno);
    exclusif_ = true;
    termios t{};
    if (::tcgetattr(d_, &t) != 0) return refus(errno);
    avant_ = t;
    if (!regler(t, r)) return refus(0, Erreur::Genre::PortRefuse);
    if (::tcsetattr(d_, TCSANOW, &t) != 0) return refus(errno);
    regle_ = true;
    verrou_ = platform::poserVerrou(nom);
    // Another program wrote its lock file between our look and ours.
    if (verrou_.empty())
      if (auto e = reserve()) {
        abandonner();
        return e;
      }
    return std::nullopt;
  }

  std::optional<Erreur> lire(std::string& recu) override {
    // What is there now, with a bound: a device that never stops sending cannot hold us here.
    char tampon[4096];
    for (std::size_t total = 0; total < (64u << 10);) {
      const ssize_t n = ::read(d_, tampon, sizeof tampon);
      if (n > 0) {
        recu.append(tampon, static_cast<std::size_t>(n));
        total += static_cast<std::size_t>(n);
        if (static_cast<std::size_t>(n) < sizeof tampon) break;
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN) return coupure(errno);
      // Nothing there: a line that hung up says nothing either, poll tells.
      pollfd p{d_, POLLIN, 0};
      if (::poll(&p, 1, 0) > 0 && raccroche(p.revents)) return coupure(EIO);
      break;
    }
    return std::nullopt;
  }

  std::optional<Erreur> attendre(milliseconds max) override {
    pollfd p{d_, POLLIN, 0};
    const int r = ::poll(&p, 1, static_cast<int>(std::clamp<long long>(max.count(), 0, 60000)));
    // A signal (Ctrl+C) ends the wait early: the caller looks at the time and at the signal.
    if (r < 0) return errno == EINTR ? std::nullopt : std::optional<Erreur>(coupure(errno));
    if (r > 0 && raccroche(p.revents)) return coupure(EIO);
    return std::nullopt;
  }

  std::optional<Erreur> ecrire(std::string_view octets) override {
    // The device takes a sentence at once; only a line held back by the other end makes us
    // wait, as long as the bytes need at the line's speed (12 bits at most each) plus 10 s.
    const auto limite =
        steady_clock::now() + seconds(10) + milliseconds(static_cast<long long>(octets.size()) * 12 * 1000 / bauds_);
    while (!octets.empty()) {
      const ssize_t n = ::write(d_, octets.data(), octets.size());
      if (n > 0) {
        octets.remove_prefix(static_cast<std::size_t>(n));
        continue;
      }
      if (n < 0 && errno != EAGAIN && errno != EINTR) return coupure(errno);
      if (n < 0 && errno == EINTR) continue;
      const auto reste = duration_cast<milliseconds>(limite - steady_clock::now()).count();
      if (reste <= 0) return erreurDuPort(port_, Erreur::Genre::DonneesNonParties);
      pollfd p{d_, POLLOUT, 0};
      const int r = ::poll(&p, 1, static_cast<int>(std::min<long long>(reste, 1000)));
      if (r < 0 && errno != EINTR) return coupure(errno);
      if (r > 0 && raccroche(p.revents)) return coupure(EIO);
    }
    return std::nullopt;
  }

  std::optional<Erreur> fermer() override {
    if (d_ < 0) return std::nullopt;
    const bool parti = platform::viderSortie(d_, bauds_);
    fermerDescripteur();
    if (!parti) return erreurDuPort(port_, Erreur::Genre::DonneesNonParties);
    return std::nullopt;
  }

  void abandonner() noexcept override {
    if (d_ < 0) return;
    // What is still queued would only delay the closing.
    ::tcflush(d_, TCIOFLUSH);
    fermerDescripteur();
  }

 private:
  // A lock file of a running program, or one that names none, reserves the port.
  std::optional<Erreur> reserve() const {
    const auto verrou = platform::verrouActif(chemin_);
    if (!verrou) return std::nullopt;
    Erreur e = erreurDuPort(port_, Erreur::Genre::PortVerrouille);
    e.verrou = *verrou;
    return e;
  }

  // The opening failed at its step `numero`: the descriptor, if any, goes.
  Erreur refus(int numero, std::optional<Erreur::Genre> genre = std::nullopt) {
    fermerDescripteur();
    return erreurDuPort(port_, genre ? *genre : genreRefus(numero, chemin_), numero);
  }

  // The device failed while open: gone from the system (an adapter pulled out, the other end
  // of a pseudo-terminal closed), hung up (a cable cut, the modem lines dropped), or whatever
  // the system said.
  Erreur coupure(int numero) const {
    struct stat etat {};
    if (::stat(chemin_.c_str(), &etat) != 0) {
      numero = ENODEV;
    } else {
      pollfd p{d_, POLLIN, 0};
      if (::poll(&p, 1, 0) > 0 && raccroche(p.revents)) numero = EIO;
    }
    return erreurDuPort(port_, Erreur::Genre::LiaisonCoupee, numero);
  }

  // The line's former settings back, others allowed in again, the lock file gone.
  void fermerDescripteur() noexcept {
    if (d_ >= 0) {
      if (regle_) ::tcsetattr(d_, TCSANOW, &avant_);
      if (exclusif_) ::ioctl(d_, TIOCNXCL);
      ::close(d_);
      d_ = -1;
    }
    regle_ = exclusif_ = false;
    platform::retirerVerrou(verrou_);
    verrou_.clear();
  }

  PortDesigne port_;     // as the user named it, in every message
  std::string chemin_;   // where the system finds it
  int d_ = -1;
  int bauds_ = 4800;
  termios avant_{};
  bool regle_ = false;
  bool exclusif_ = false;
  std::string verrou_;
};

}  // namespace

OuvrirLiaison ouvertureReelle() {
  return [](const PortDesigne& port, const Reglages& reglages) {
    auto liaison = std::make_unique<LiaisonPosix>(port);
    Ouverture o;
    o.erreur = liaison->ouvrir(reglages);
    if (!o.erreur) o.liaison = std::move(liaison);
    return o;
  };
}

}  // namespace zor::serie
