#pragma once
// The transfers pace themselves with blocking pauses and measure silences. The clock is handed
// to them, so tests give a fake one: a 600 ms pause then costs nothing and its place in the
// sequence can be checked.
#include <chrono>

namespace zor::platform {

using Instant = std::chrono::steady_clock::time_point;

class Horloge {
 public:
  virtual ~Horloge() = default;
  // Blocks the calling thread (the program's only way to pace a transfer).
  virtual void dormir(std::chrono::milliseconds duree) = 0;
  virtual Instant maintenant() = 0;
};

// The system's monotonic clock and a real sleep.
Horloge& horlogeReelle();

}  // namespace zor::platform
