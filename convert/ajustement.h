#pragma once
// Fitting a line (a GPX route or track) to the receiver: a day's trail holds thousands of
// points, the receiver a few hundred, and every point takes 600 ms to send.
//
// The rule. The first and the last point are always kept. Between two kept points, the point
// that lies farthest from the stretch joining them is the next one kept, the farthest of the
// whole line first (Douglas–Peucker, taken one point at a time): so the points dropped are
// those that deviate least from the line the others draw. It stops
//  - with `maxPoints` (--points N), once N points are kept;
//  - with `ecartMax` (--ecart M), once no point read lies more than M metres from the kept
//    line; the kept points whose removal leaves every point within M are then dropped too (a
//    plain Douglas–Peucker keeps some that its later points make useless);
//  - with both, at whichever comes first (the stricter: at most N points, and no more than M
//    needs);
//  - in any case once every point lies on the kept line.
// Distances are on a sphere of 6,371 km (the Earth's mean radius; the ellipsoid would change
// them by less than 0.5 %), between each point as read and the kept line as the receiver gets
// it (each kept point rounded to the thousandth of a minute). Distances of a few millimetres
// count as equal and the earlier point wins, so that every system keeps the same points.
#include <cstdint>
#include <span>
#include <vector>

namespace zor::conversion {

inline constexpr long long kPointsTraceParDefaut = 255;  // the most an Autoroute Express profile carries
inline constexpr double kRayonTerre = 6371000.0;         // metres

// A point of a line: where it was read, and where it goes.
struct PointLigne {
  std::int32_t latitude7, longitude7;      // as read, in ten-millionths of a degree (about 1 cm)
  std::int32_t latitudeMil, longitudeMil;  // as sent: thousandths of a minute, signed
};

struct ResultatAjustement {
  std::vector<std::uint32_t> gardes;  // indices of the points kept, in order
  double ecart = 0;  // metres: the largest distance of a point read from the kept line, as sent
};

// `maxPoints` 0 and `ecartMax` 0: no bound of that kind (every point that is off the line is kept).
ResultatAjustement ajuster(std::span<const PointLigne> points, long long maxPoints, double ecartMax);

// The length of a line as read, in metres, point after point.
class Longueur {
 public:
  void ajouter(std::int32_t latitude7, std::int32_t longitude7);
  double metres() const { return metres_; }

 private:
  double x_ = 0, y_ = 0, z_ = 0;
  bool premier_ = true;
  double metres_ = 0;
};

}  // namespace zor::conversion
