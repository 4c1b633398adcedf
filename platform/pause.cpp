#include "platform/pause.h"

#include <thread>

namespace zor::platform {
namespace {
Horloge* horlogeInstallee = nullptr;
}

void Sleep(unsigned long ms) {
  if (horlogeInstallee != nullptr) {
    horlogeInstallee->dormir(std::chrono::milliseconds(ms));
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Instant maintenant() {
  return horlogeInstallee != nullptr ? horlogeInstallee->maintenant() : std::chrono::steady_clock::now();
}

void installerHorloge(Horloge* horloge) { horlogeInstallee = horloge; }

void HorlogeFactice::dormir(std::chrono::milliseconds duree) {
  t_ += duree;
  total_ += duree;
  ++pauses_;
}

}  // namespace zor::platform
