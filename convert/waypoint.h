#pragma once
// One record as every reader hands it over, and what it goes to: a writer of sentences or of
// GPX. The fields are text exactly as a sentence carries them, so a reader that passes them
// through unchecked (G7towin) still gets byte for byte what it read.
#include <string_view>

namespace zor::conversion {

struct Waypoint {
  std::string_view latitudeDegres;   // "45": two digits as the readers give them
  std::string_view latitudeMinutes;  // "30.123"
  std::string_view nordSud;          // "N" or "S"
  std::string_view longitudeDegres;  // "001"
  std::string_view longitudeMinutes;
  std::string_view estOuest;         // "E" or "W"
  std::string_view nom;              // Windows-1252 bytes: the waypoint's name
  // A map profile point: its record number (1 for the run's first), from which the writer
  // makes the name "PDC0010C"...; 0 for a waypoint, named by `nom`.
  long long profil = 0;
};

class Ecrivain {
 public:
  virtual ~Ecrivain() = default;
  virtual void ecrire(const Waypoint& point) = 0;
  // A receiver line taken over as it is (ZOR format), possibly in several pieces.
  virtual void copier(std::string_view morceau) = 0;
  virtual void finCopie() = 0;
  // The profile points that follow make one line of this name (UTF-8): a GPX route.
  virtual void nommerLigne(std::string_view /*utf8*/) {}
  // The run went to its end: what closes the output is written, everything is handed over.
  virtual void terminer() = 0;
  // After a failure: only whole records stay behind; never throws.
  virtual void abandonner() noexcept = 0;
  // Records that could not be written as asked (and so were left out).
  virtual long long ignores() const { return 0; }
};

}  // namespace zor::conversion
