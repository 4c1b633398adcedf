// Waiting for a serial device's output queue to empty, on Windows.
#include "platform/vidange_serie.h"

#include "platform/windows_leger.h"

namespace zor::platform {

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

}  // namespace zor::platform
