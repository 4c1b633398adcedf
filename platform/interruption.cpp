#include "platform/interruption.h"

#include <csignal>

namespace zor::platform {
namespace {

volatile std::sig_atomic_t signalRecu = 0;

extern "C" void noter(int numero) { signalRecu = numero; }

}  // namespace

void intercepterInterruptions() {
  std::signal(SIGINT, noter);
  std::signal(SIGTERM, noter);
#ifdef SIGHUP
  // A terminal that closes (a remote session that drops) stops the transfer like Ctrl+C.
  std::signal(SIGHUP, noter);
#endif
}

int interruptionRecue() { return signalRecu; }

}  // namespace zor::platform
