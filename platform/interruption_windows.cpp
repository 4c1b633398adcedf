// Ctrl+C and the console's other ends on Windows: a console control handler that sets a mark.
#include "platform/interruption.h"

#include <atomic>
#include <csignal>

#include "platform/windows_leger.h"

namespace zor::platform {
namespace {

std::atomic<int> signalRecu{0};

// The console calls this on a thread of its own. Ctrl+C and Ctrl+Break count as SIGINT, so
// zor-cli ends with the same code as elsewhere (130); closing the console window, logging off
// or shutting down as SIGTERM (143). For those three the process ends as soon as the handler
// returns: it waits a little, long enough for the transfer to tell the receiver to stop and
// to close the port.
BOOL WINAPI noter(DWORD evenement) {
  switch (evenement) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      signalRecu = SIGINT;
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      signalRecu = SIGTERM;
      ::Sleep(2000);
      return TRUE;
    default: break;
  }
  return FALSE;
}

}  // namespace

void intercepterInterruptions() { ::SetConsoleCtrlHandler(noter, TRUE); }

int interruptionRecue() { return signalRecu; }

void oublierInterruption() { signalRecu = 0; }

}  // namespace zor::platform
