// Waiting for a serial device's output queue to empty, on the POSIX systems.
#include "platform/vidange_serie.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <thread>

namespace zor::platform {

bool viderSortie(PoigneeSerie descripteur, int bauds) {
  using namespace std::chrono;
  // tcdrain has no time limit of its own; watch the queue shrink first, with a bound.
  int enAttente = 0;
  if (ioctl(descripteur, TIOCOUTQ, &enAttente) == 0 && enAttente > 0) {
    const int bitsParOctet = 12;  // start, 8 data, parity at most, 2 stop
    const auto limite = steady_clock::now() + milliseconds(2000) +
                        milliseconds(static_cast<long long>(enAttente) * bitsParOctet * 1000 / (bauds > 0 ? bauds : 300));
    while (ioctl(descripteur, TIOCOUTQ, &enAttente) == 0 && enAttente > 0) {
      if (steady_clock::now() >= limite) return false;
      std::this_thread::sleep_for(milliseconds(5));
    }
  }
  return tcdrain(descripteur) == 0;
}

}  // namespace zor::platform
