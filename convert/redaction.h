#pragma once
// What the readers share during one run: the record counter, the kind of point asked for, and
// the writer every record goes to (sentences or GPX).
#include <string_view>

#include "convert/waypoint.h"

namespace zor::conversion {

// The option buttons: a map profile point or a plain waypoint for each record.
enum class Mode { Profil, Waypoint };

class Redaction {
 public:
  Redaction(Ecrivain& ecrivain, Mode mode) : ecrivain_(ecrivain), mode_(mode) {}

  Mode mode() const { return mode_; }
  long long compteur() const { return compteur_; }
  // One more record taken; returns its number (1 for the first of the run).
  long long compter() { return ++compteur_; }

  void ecrire(const Waypoint& point) { ecrivain_.ecrire(point); }
  // A line copied unchanged (ZOR format), possibly in several pieces.
  void copier(std::string_view morceau) { ecrivain_.copier(morceau); }
  void finCopie() { ecrivain_.finCopie(); }

  // Points of a GPX track, which are no waypoints and are left out.
  void noterPointsDeTrace(long long n) { pointsDeTrace_ += n; }
  long long pointsDeTrace() const { return pointsDeTrace_; }

  Ecrivain& ecrivain() { return ecrivain_; }

 private:
  Ecrivain& ecrivain_;
  Mode mode_;
  long long compteur_ = 0;
  long long pointsDeTrace_ = 0;
};

}  // namespace zor::conversion
