#include "platform/horloge.h"

#include <thread>

namespace zor::platform {
namespace {

class HorlogeReelle : public Horloge {
 public:
  void dormir(std::chrono::milliseconds duree) override { std::this_thread::sleep_for(duree); }
  Instant maintenant() override { return std::chrono::steady_clock::now(); }
};

}  // namespace

Horloge& horlogeReelle() {
  static HorlogeReelle horloge;
  return horloge;
}

}  // namespace zor::platform
