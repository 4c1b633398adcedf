#pragma once
// The GPX writer: GPX 1.1 in UTF-8. A waypoint is a <wpt lat lon><name>, its name decoded from
// Windows-1252; the map profile points make one route, <rte> named after their line, with one
// <rtept> named PDC0010C, PDC0020A... per point, in order. A record whose fields are no valid
// position (G7towin passes its columns unchecked, an Autoroute Express latitude may read 179°)
// and a receiver line that is no well-formed $GPWPL sentence with a right checksum are left
// out and counted. Nothing is written before the first record or the end: a run given up
// before writes nothing at all.
#include <string>
#include <string_view>

#include "convert/sortie.h"
#include "convert/waypoint.h"

namespace zor::conversion {

class EcrivainGpx : public Ecrivain {
 public:
  explicit EcrivainGpx(Sortie& sortie);

  void ecrire(const Waypoint& point) override;
  void copier(std::string_view morceau) override;
  void finCopie() override;
  void nommerLigne(std::string_view utf8) override { nomLigne_.assign(utf8); }
  void terminer() override;
  void abandonner() noexcept override { sortie_.abandonner(); }
  long long ignores() const override { return ignores_; }

 private:
  void commencer();

  Sortie& sortie_;
  bool commence_ = false;
  bool dansRoute_ = false;
  std::string nomLigne_;
  std::string texte_;  // the element being written
  std::string ligne_;  // the receiver line being copied
  bool ligneTropLongue_ = false;
  long long ignores_ = 0;
};

// A receiver line, "$GPWPL,4530.123,N,00130.456,E,NOM*HH": its fields, when it is a
// well-formed sentence of six fields with a right checksum (hex digits in either case).
bool lirePhraseWpl(std::string_view ligne, Waypoint& point);

// Degrees ("45") and minutes ("30.123") of a position as ten-millionths of a degree, signed by
// the hemisphere letter; false when they are no position (not digits, minutes above 60,
// beyond `maximum` degrees, a letter other than the two given).
bool degresDepuisTexte(std::string_view degres, std::string_view minutes, std::string_view lettre, char positif,
                       char negatif, long long maximum, long long& dixMillioniemes);

}  // namespace zor::conversion
