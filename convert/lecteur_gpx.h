#pragma once
// GPX 1.0 and 1.1 files. Each <rte>, and each <trk> (its <trkseg>s joined in order), is a
// *line*, numbered in file order (routes and tracks counted together), with its <name>.
//  - Profile mode: the profile is one line: the one asked for (Demande::ligne, a number or an
//    exact name), else the file's only line, else the first route, else the first track (lines
//    without a point left aside); it is
//    fitted to the receiver (convert/ajustement.h): a track to kPointsTraceParDefaut points
//    unless asked otherwise, a route whole unless asked. Loose <wpt>s enter a profile only
//    when the file has no line.
//  - Waypoint mode: each <wpt>, then each <rtept> of the routes, in file order (the points of
//    a track are no waypoints: they are only counted), named by the receiver's rule
//    (convert/noms_recepteur.h); or, when a line is asked for, that line's points, fitted.
// Latitude and longitude are rounded to the nearest thousandth of a minute first, then split
// into degrees and minutes, so that 48.9999999° gives "4900.000".
//
// Nothing is written before the whole document has been read and found well-formed: a file
// cut short or damaged anywhere gives no sentence at all. A file that is no well-formed XML, a
// point without a latitude or longitude, or one that is no number or lies beyond ±90 (±180),
// a tag or a text longer than the parser's bound, stop the run with an Echec naming the file
// and the line. A document type declaration is refused: no entity is ever expanded or loaded.
#include <string_view>

#include "convert/redaction.h"
#include "convert/source.h"

namespace zor::conversion {

void lireGpx(Source& source, Redaction& redaction);

// The start of a file is a GPX document's: XML whose root element is <gpx>.
bool estGpx(std::string_view debut);

enum class LectureDegres { Nombre, PasUnNombre, HorsLimites };

struct Degres {
  long long milliemes = 0;        // of a minute, rounded to the nearest (a tie away from zero)
  long long dixMillioniemes = 0;  // of a degree, rounded the same way
  bool negatif = false;
};

// A number of degrees ("-48.9999999") from its exact decimal value; beyond ±`maximum` it is
// refused.
LectureDegres lireDegres(std::string_view texte, long long maximum, Degres& degres);

}  // namespace zor::conversion
