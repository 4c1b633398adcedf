#include "platform/vidange_serie.h"

#ifdef _WIN32
#include "platform/windows_leger.h"
#else
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#endif

namespace zor::platform {

#ifdef _WIN32

bool viderSortie(PoigneeSerie poignee, int bauds) {
  // FlushFileBuffers has no time limit of its own: watch the driver's queue empty first, with
  // the same bound as elsewhere, and flush only once it has.
  const HANDLE h = static_cast<HANDLE>(poignee);
  const int bitsParOctet = 12;  // start, 8 data, parity at most, 2 stop
  DWORD erreurs = 0;
  COMSTAT etat{};
  // A handle without a serial queue (a file) is only flushed.
  if (!::ClearCommError(h, &erreurs, &etat)) return ::FlushFileBuffers(h) != 0;
  const ULONGLONG limite = ::GetTickCount64() + 2000 +
                           static_cast<ULONGLONG>(etat.cbOutQue) * bitsParOctet * 1000 / static_cast<ULONGLONG>(bauds > 0 ? bauds : 300);
  while (etat.cbOutQue > 0) {
    if (::GetTickCount64() >= limite) {
      ::SetLastError(ERROR_TIMEOUT);
      return false;
    }
    ::Sleep(5);
    if (!::ClearCommError(h, &erreurs, &etat)) return false;
  }
  return ::FlushFileBuffers(h) != 0;
}

#else

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

#endif

}  // namespace zor::platform
