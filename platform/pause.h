#pragma once
// The transfers pace themselves with blocking pauses. Tests swap the real clock for a fake
// one, so a 600 ms pause costs nothing and its place in the sequence can be checked.
#include <chrono>

namespace zor::platform {

using Instant = std::chrono::steady_clock::time_point;

class Horloge {
 public:
  virtual ~Horloge() = default;
  virtual void dormir(std::chrono::milliseconds duree) = 0;
  virtual Instant maintenant() = 0;
};

// Blocks the calling thread for `ms` milliseconds (the program's only way to pace a transfer).
void Sleep(unsigned long ms);
Instant maintenant();

// Installs a replacement clock (tests); nullptr puts the real one back.
void installerHorloge(Horloge* horloge);

// A clock that never blocks: each pause only moves its time forward and is recorded.
class HorlogeFactice : public Horloge {
 public:
  void dormir(std::chrono::milliseconds duree) override;
  Instant maintenant() override { return t_; }
  void avancer(std::chrono::milliseconds duree) { t_ += duree; }
  const std::chrono::milliseconds& totalDormi() const { return total_; }
  int nombrePauses() const { return pauses_; }

 private:
  Instant t_{};
  std::chrono::milliseconds total_{0};
  int pauses_ = 0;
};

}  // namespace zor::platform
