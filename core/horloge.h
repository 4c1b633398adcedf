#pragma once
// The transfers pace themselves with blocking pauses and measure silences. The clock is handed
// to them, so tests give a fake one: a 600 ms pause then costs nothing and its place in the
// sequence can be checked.
#include <chrono>
#include <functional>

namespace zor {

using Instant = std::chrono::steady_clock::time_point;

class Horloge {
 public:
  virtual ~Horloge() = default;
  // Blocks the calling thread (the program's only way to pace a transfer).
  virtual void dormir(std::chrono::milliseconds duree) = 0;
  virtual Instant maintenant() = 0;
  // The same pause, calling `veille` all along it (the window keeps painting and answering the
  // desktop). Here: once before and once after, so a clock that does not really sleep keeps
  // each pause whole.
  virtual void dormirEnVeillant(std::chrono::milliseconds duree, const std::function<void()>& veille) {
    veille();
    dormir(duree);
    veille();
  }
};

// The system's monotonic clock and a real sleep.
Horloge& horlogeReelle();

}  // namespace zor
