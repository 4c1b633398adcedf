// Ctrl+C, SIGTERM and SIGHUP on the POSIX systems: signal handlers that set a mark.
#include "platform/interruption.h"

#include <atomic>
#include <csignal>

namespace zor::platform {
namespace {

std::atomic<int> signalRecu{0};

extern "C" void noter(int numero) { signalRecu = numero; }

}  // namespace

void intercepterInterruptions() {
  std::signal(SIGINT, noter);
  std::signal(SIGTERM, noter);
  // A terminal that closes (a remote session that drops) stops the transfer like Ctrl+C.
  std::signal(SIGHUP, noter);
}

int interruptionRecue() { return signalRecu; }

void oublierInterruption() { signalRecu = 0; }

}  // namespace zor::platform
