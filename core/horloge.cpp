#include "core/horloge.h"

#include <algorithm>
#include <thread>

namespace zor {
namespace {

class HorlogeReelle : public Horloge {
 public:
  void dormir(std::chrono::milliseconds duree) override { std::this_thread::sleep_for(duree); }
  Instant maintenant() override { return std::chrono::steady_clock::now(); }
  // Short sleeps, the deadline kept by the clock: what `veille` costs does not lengthen the pause.
  void dormirEnVeillant(std::chrono::milliseconds duree, const std::function<void()>& veille) override {
    constexpr std::chrono::milliseconds kTranche{10};
    const Instant fin = maintenant() + duree;
    for (Instant t = maintenant(); t < fin; t = maintenant()) {
      veille();
      const auto reste = fin - maintenant();
      if (reste <= Instant::duration::zero()) break;
      std::this_thread::sleep_for(std::min<Instant::duration>(reste, kTranche));
    }
    veille();
  }
};

}  // namespace

Horloge& horlogeReelle() {
  static HorlogeReelle horloge;
  return horloge;
}

}  // namespace zor
