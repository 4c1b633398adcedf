#pragma once
// GPX 1.0 and 1.1 files: each <wpt>, and each <rtept> of each <rte>, in file order, becomes a
// record; the points of a <trk> are no waypoints and are only counted. Latitude and longitude
// are rounded to the nearest thousandth of a minute first, then split into degrees and
// minutes, so that 48.9999999° gives "4900.000". In waypoint mode the names follow the
// receiver's rule (convert/noms_recepteur.h).
//
// A file that is no well-formed XML, a point without a latitude or longitude, or one that is
// no number or lies beyond ±90 (±180) stops the run with an Echec naming the file and the
// line. A document type declaration is refused: no entity is ever expanded or loaded.
#include <string_view>

#include "convert/redaction.h"
#include "convert/source.h"

namespace zor::conversion {

long long lireGpx(Source& source, Redaction& redaction);

enum class LectureDegres { Nombre, PasUnNombre, HorsLimites };

// A number of degrees ("-48.9999999") as thousandths of a minute, rounded to the nearest (a
// tie away from zero) from its exact decimal value, and its sign; beyond ±`maximum` it is
// refused.
LectureDegres lireDegres(std::string_view texte, long long maximum, long long& milliemes, bool& negatif);

}  // namespace zor::conversion
