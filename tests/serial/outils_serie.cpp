#include "tests/serial/outils_serie.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace zor::test {

PairePty::PairePty() {
  char nom[256] = {};
  if (::openpty(&maitre_, &gardien_, nom, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
  esclave_ = nom;
  termios t{};
  ::tcgetattr(gardien_, &t);
  ::cfmakeraw(&t);
  ::tcsetattr(gardien_, TCSANOW, &t);
}

PairePty::~PairePty() {
  if (maitre_ >= 0) ::close(maitre_);
  if (gardien_ >= 0) ::close(gardien_);
}

void PairePty::ecrire(std::string_view octets) {
  while (!octets.empty()) {
    const ssize_t n = ::write(maitre_, octets.data(), octets.size());
    if (n <= 0) throw std::runtime_error("écriture sur le pseudo-terminal");
    octets.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::string PairePty::lire(std::size_t attendus, std::chrono::milliseconds delai) {
  std::string recu;
  const auto limite = std::chrono::steady_clock::now() + delai;
  for (;;) {
    const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
    pollfd p{maitre_, POLLIN, 0};
    const int attente = recu.size() >= attendus ? 0 : static_cast<int>(std::max<long long>(0, reste.count()));
    if (::poll(&p, 1, attente) <= 0 || (p.revents & POLLIN) == 0) break;
    char tampon[4096];
    const ssize_t n = ::read(maitre_, tampon, sizeof tampon);
    if (n <= 0) break;
    recu.append(tampon, static_cast<std::size_t>(n));
  }
  return recu;
}

void PairePty::raccrocher() {
  ::close(maitre_);
  maitre_ = -1;
}

bool PairePty::couperLaLigne() { return ::ioctl(gardien_, TIOCVHANGUP) == 0; }


}  // namespace zor::test
