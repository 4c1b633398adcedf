#include "sim/terminal.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "core/erreur.h"

namespace zor::sim {

Terminal::Terminal() {
  char nom[256] = {};
  if (::openpty(&maitre_, &esclave_, nom, nullptr, nullptr) != 0)
    throw Echec(erreurPort(Erreur::Genre::PortRefuse, 0, "(pseudo-terminal)", errno));
  peripherique_ = nom;
  // A plain line until the program sets its own: raw, 9600 baud, 8N1, no echo.
  termios t{};
  ::tcgetattr(esclave_, &t);
  ::cfmakeraw(&t);
  ::cfsetispeed(&t, B9600);
  ::cfsetospeed(&t, B9600);
  ::tcsetattr(esclave_, TCSANOW, &t);
  ::fcntl(maitre_, F_SETFL, ::fcntl(maitre_, F_GETFL) | O_NONBLOCK);
  surveillance_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (surveillance_ < 0 || ::inotify_add_watch(surveillance_, nom, IN_OPEN | IN_CLOSE) < 0)
    throw Echec(erreurPort(Erreur::Genre::PortRefuse, 0, peripherique_, errno));
}

Terminal::~Terminal() {
  for (int fd : {surveillance_, esclave_, maitre_})
    if (fd >= 0) ::close(fd);
}

bool Terminal::ouvertParLeProgramme() {
  alignas(inotify_event) char tampon[4096];
  for (;;) {
    const ssize_t n = ::read(surveillance_, tampon, sizeof tampon);
    if (n <= 0) break;
    for (ssize_t i = 0; i < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(tampon + i);
      if ((e->mask & IN_OPEN) != 0) ++ouvertures_;
      if ((e->mask & IN_CLOSE) != 0 && ouvertures_ > 0) --ouvertures_;
      i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
  }
  return ouvertures_ > 0;
}

void Terminal::oublierEntree() { ::tcflush(esclave_, TCIFLUSH); }

std::string Terminal::reglages() const {
  termios t{};
  if (::tcgetattr(maitre_, &t) != 0) return "?";
  std::string bauds;
  switch (::cfgetospeed(&t)) {
    case B1200: bauds = "1200"; break;
    case B2400: bauds = "2400"; break;
    case B4800: bauds = "4800"; break;
    case B9600: bauds = "9600"; break;
    case B19200: bauds = "19200"; break;
    case B38400: bauds = "38400"; break;
    case B57600: bauds = "57600"; break;
    case B115200: bauds = "115200"; break;
    default: bauds = "?"; break;
  }
  int bits = 8;
  switch (t.c_cflag & CSIZE) {
    case CS5: bits = 5; break;
    case CS6: bits = 6; break;
    case CS7: bits = 7; break;
    default: break;
  }
  const char parite = (t.c_cflag & PARENB) == 0 ? 'N' : (t.c_cflag & PARODD) != 0 ? 'O' : 'E';
  return bauds + " " + std::to_string(bits) + parite + ((t.c_cflag & CSTOPB) != 0 ? "2" : "1");
}

double secondesDepuis(std::chrono::steady_clock::time_point debut) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

}  // namespace zor::sim
