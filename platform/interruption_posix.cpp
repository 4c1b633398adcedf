// Ctrl+C, SIGTERM and SIGHUP on the POSIX systems: signal handlers that set a mark.
#include "platform/interruption.h"

#include <signal.h>

#include <atomic>

namespace zor::platform {
namespace {

std::atomic<int> signalRecu{0};

extern "C" void noter(int numero) { signalRecu = numero; }

}  // namespace

void intercepterInterruptions() {
  // Without SA_RESTART: a call that waits (opening a FIFO nobody opens from the other end,
  // reading a silent pipe or terminal) ends with EINTR, and the program looks at the mark.
  struct sigaction action {};
  action.sa_handler = noter;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  // A terminal that closes (a remote session that drops) stops the transfer like Ctrl+C.
  ::sigaction(SIGHUP, &action, nullptr);
}

int interruptionRecue() { return signalRecu; }

void oublierInterruption() { signalRecu = 0; }

}  // namespace zor::platform
