#pragma once
// The one seam between the serial control and a serial device: open with typed line settings,
// take what has arrived, wait for more within a bound, write and drain, close. Every failure
// comes back as one error record naming the port. The real devices are the system's own:
// liaison_posix.cpp on Linux, liaison_win32.cpp on Windows; the tests hand the control a
// scripted device instead.
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/erreur.h"

namespace zor::serie {

struct Reglages {
  int bauds = 4800;
  char parite = 'N';   // N, E, O, M, S
  int bitsDonnees = 8;
  int bitsStop = 2;    // 1, 2, or 15 for one and a half
};
// The receiver's line: 4800 baud, no parity, 8 data bits, 2 stop bits.
inline constexpr Reglages kReglagesGps{4800, 'N', 8, 2};

// How the user knows a port; resolved once, when it is opened, and carried in every error.
struct PortDesigne {
  int numero = 0;            // 1..4 for Comm1..Comm4; 0 when the device was named directly
  std::string peripherique;  // "/dev/ttyUSB0", "COM3"
  std::string origine;       // where the device came from, in French; may be empty
};

// A failure about `port`, naming it the way the user knows it.
Erreur erreurDuPort(const PortDesigne& port, Erreur::Genre genre, int numeroSysteme = 0);

// One open device.
class Liaison {
 public:
  virtual ~Liaison() = default;
  // Appends what has arrived to `recu`; never waits. A device that fails still hands over every
  // byte it took in before the failure, with the error.
  virtual std::optional<Erreur> lire(std::string& recu) = 0;
  // Waits in the system until bytes arrive or `max` has passed (bytes already there end it).
  virtual std::optional<Erreur> attendre(std::chrono::milliseconds max) = 0;
  // Returns once the device took every byte (it sends them on by itself), within a bound.
  virtual std::optional<Erreur> ecrire(std::string_view octets) = 0;
  // Waits (bounded) until every byte written has left, then closes.
  virtual std::optional<Erreur> fermer() = 0;
  // Closes at once, whatever is still queued: the way out of a failure.
  virtual void abandonner() noexcept = 0;
};

struct Ouverture {
  std::unique_ptr<Liaison> liaison;  // set when the device opened
  std::optional<Erreur> erreur;
};
using OuvrirLiaison = std::function<Ouverture(const PortDesigne&, const Reglages&)>;

// The real serial devices of this system.
OuvrirLiaison ouvertureReelle();

}  // namespace zor::serie
