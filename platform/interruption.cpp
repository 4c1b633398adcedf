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
}

int interruptionRecue() { return signalRecu; }

}  // namespace zor::platform
