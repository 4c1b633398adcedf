#pragma once
// The device under a serial control: open with line settings, push bytes out, take what has
// arrived, wait for more, close. The real one drives Qt SerialPort (liaison_qt.h); tests hand
// the control a scripted one instead.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zor::serie {

struct Reglages {
  int bauds = 4800;
  char parite = 'N';   // N, E, O, M, S
  int bitsDonnees = 8;
  int bitsStop = 2;    // 1, 2, or 15 for one and a half
};

// Failures are raised as zor::Echec with their kind and the system's error number; the
// control adds the port's names.
class Liaison {
 public:
  virtual ~Liaison() = default;
  virtual void ouvrir(const std::string& peripherique, const Reglages& reglages) = 0;
  // Returns once the device has taken every byte (it sends them on by itself).
  virtual void ecrire(std::string_view octets) = 0;
  // What has arrived so far, without waiting.
  virtual std::string lire() = 0;
  // Waits in the operating system until something new arrives or `delaiMax` has passed.
  virtual void attendre(std::chrono::milliseconds delaiMax) = 0;
  // With `vider`, only after every byte written has left the device; raises when it could not.
  virtual void fermer(bool vider) = 0;
  // Called when data arrives while the event loop runs (not during a wait of ours).
  virtual void surArrivee(std::function<void()> rappel) = 0;
};

using FabriqueLiaison = std::function<std::unique_ptr<Liaison>()>;

// The real serial devices of this system.
std::unique_ptr<Liaison> liaisonReelle();

}  // namespace zor::serie
