#pragma once
// What the bytes coming from the receiver say before any list could end: whether they are text
// at all (a line running at another speed gives bytes that are not), whether the receiver sends
// its position instead of its waypoints (left in NMEA output: $GPRMC, $GPGGA…), and whether its
// lines end. A receiver sending its waypoints passes all three; any other stream never comes
// back to its second record, and would keep a download running until its last bound.
#include <optional>
#include <string>
#include <string_view>

#include "core/erreur.h"

namespace zor::serie {

// Judged once this many bytes have come: more than a quarter of them not text is no list of
// waypoints (a name holds a few accented letters at most, while a line at another speed gives
// two thirds of bytes that are no text or more, most of them NUL).
inline constexpr std::size_t kEchantillonTexte = 128;
// The receiver's records each fill a read of 64 characters: a line this long is none of them.
inline constexpr std::size_t kLigneRecueMax = 1024;
// Position sentences that end a download: two, so that one stray line is not enough.
inline constexpr int kPhrasesDePositionMax = 2;

class ExamenFlux {
 public:
  // Every byte received, in order, the ones before the first CR included.
  void ajouter(std::string_view octets);
  // Set once the bytes cannot be a list of waypoints: PasDuTexte, PositionEnvoyee, or
  // SansFinDeLigne (kLigneRecueMax bytes without a CR).
  std::optional<Erreur::Genre> verdict() const { return verdict_; }
  // The position sentences seen, as "$GPRMC, $GPGGA".
  const std::string& phrases() const { return phrases_; }
  // How many bytes had come when the verdict fell.
  std::size_t octetsAuVerdict() const { return total_; }

 private:
  void finDeLigne();

  std::size_t total_ = 0;
  std::size_t horsTexte_ = 0;
  std::size_t depuisCr_ = 0;
  std::string tete_;  // the first characters of the line being received
  int positions_ = 0;
  std::string phrases_;
  std::optional<Erreur::Genre> verdict_;
};

}  // namespace zor::serie
