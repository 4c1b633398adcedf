#include "convert/ajustement.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace zor::conversion {

namespace {

constexpr double kDegre = 3.14159265358979323846 / 180.0;
// Squared chords (on the unit sphere) compared in square millimetres on the Earth.
constexpr double kMillimetresCarres = kRayonTerre * kRayonTerre * 1e6;

struct V {
  double x, y, z;
};
V operator-(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double scalaire(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V vectoriel(V a, V b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double carre(V a) { return scalaire(a, a); }

V surLaSphere(double latitude, double longitude) {
  const double phi = latitude * kDegre, lambda = longitude * kDegre;
  const double c = std::cos(phi);
  return {c * std::cos(lambda), c * std::sin(lambda), std::sin(phi)};
}
V lu(const PointLigne& p) { return surLaSphere(p.latitude7 * 1e-7, p.longitude7 * 1e-7); }
V envoye(const PointLigne& p) { return surLaSphere(p.latitudeMil / 60000.0, p.longitudeMil / 60000.0); }

double enMetres(double cordeCarree) { return 2 * kRayonTerre * std::asin(std::min(1.0, std::sqrt(cordeCarree) / 2)); }

// The shorter great-circle arc from a to b; the squared chord from any point to it.
class Arc {
 public:
  Arc(V a, V b) : a_(a), b_(b) {
    n_ = vectoriel(a, b - a);  // a × b, from the small difference: precise for close points
    const double norme = std::sqrt(carre(n_));
    point_ = norme < 1e-12;  // a and b (nearly) the same point
    if (point_) return;
    n_ = {n_.x / norme, n_.y / norme, n_.z / norme};
    versB_ = vectoriel(n_, a);
    versA_ = vectoriel(b, n_);
  }
  double cordeCarree(V p) const {
    if (!point_ && scalaire(p, versB_) >= 0 && scalaire(p, versA_) >= 0) {
      // Across the arc: the chord to the great circle, from the sine of the angle.
      const double s = scalaire(p - a_, n_);
      const double s2 = std::min(1.0, s * s);
      return 2 * s2 / (1 + std::sqrt(1 - s2));
    }
    return std::min(carre(p - a_), point_ ? carre(p - a_) : carre(p - b_));
  }

 private:
  V a_, b_, n_{}, versB_{}, versA_{};
  bool point_ = false;
};

// A stretch between two kept points and its farthest point.
struct Troncon {
  std::uint32_t debut, fin, loin;
  double cle;        // the farthest point's distance, rounded to square millimetres
  double corde = 0;  // its squared chord
};
bool avant(const Troncon& x, const Troncon& y) {  // y is taken before x
  return x.cle != y.cle ? x.cle < y.cle : x.loin > y.loin;
}

class Ajusteur {
 public:
  Ajusteur(std::span<const PointLigne> points) : points_(points), lus_(points.size()) {
    for (std::size_t i = 0; i < points.size(); ++i) lus_[i] = lu(points[i]);
  }

  Troncon troncon(std::uint32_t debut, std::uint32_t fin) const {
    Troncon t{debut, fin, debut, -1, 0};
    const Arc arc(envoye(points_[debut]), envoye(points_[fin]));
    for (std::uint32_t i = debut + 1; i < fin; ++i) {
      const double c = arc.cordeCarree(lus_[i]);
      const double cle = std::nearbyint(c * kMillimetresCarres);
      if (cle > t.cle) t = {debut, fin, i, cle, c};
    }
    return t;
  }

  // The largest squared chord from the points in [debut, fin] to the arc debut–fin, stopping
  // once it passes `limite`.
  double ecart(std::uint32_t debut, std::uint32_t fin, double limite = INFINITY) const {
    const Arc arc(envoye(points_[debut]), envoye(points_[fin]));
    double pire = 0;
    for (std::uint32_t i = debut; i <= fin && pire <= limite; ++i) pire = std::max(pire, arc.cordeCarree(lus_[i]));
    return pire;
  }

 private:
  std::span<const PointLigne> points_;
  std::vector<V> lus_;
};

// The squared chord of `metres` on the unit sphere.
double cordeCarree(double m) {
  const double c = 2 * std::sin(std::min(m / kRayonTerre, 3.14159265358979323846) / 2);
  return c * c;
}

}  // namespace

ResultatAjustement ajuster(std::span<const PointLigne> points, long long maxPoints, double ecartMax) {
  ResultatAjustement r;
  const auto n = static_cast<std::uint32_t>(points.size());
  if (n == 0) return r;
  const Ajusteur ajusteur(points);
  std::vector<char> garde(n, 0);
  garde.front() = garde.back() = 1;
  long long nombre = n == 1 ? 1 : 2;
  const double limite = ecartMax > 0 ? cordeCarree(ecartMax) : -1;

  std::priority_queue<Troncon, std::vector<Troncon>, decltype(&avant)> aFaire(avant);
  if (n > 2) aFaire.push(ajusteur.troncon(0, n - 1));
  while (!aFaire.empty()) {
    const Troncon t = aFaire.top();
    if (t.cle <= 0 || (maxPoints > 0 && nombre >= maxPoints) || t.corde <= limite) break;
    aFaire.pop();
    garde[t.loin] = 1;
    ++nombre;
    if (t.loin - t.debut > 1) aFaire.push(ajusteur.troncon(t.debut, t.loin));
    if (t.fin - t.loin > 1) aFaire.push(ajusteur.troncon(t.loin, t.fin));
  }

  for (std::uint32_t i = 0; i < n; ++i)
    if (garde[i]) r.gardes.push_back(i);
  if (limite > 0 && r.gardes.size() > 2 && !(maxPoints > 0 && nombre >= maxPoints)) {
    // The bound was met: a point kept early may have become useless once the points around it
    // were kept, and is dropped when its neighbours' stretch still holds every point within
    // the bound. The work is bounded (a few times the line), so that no shape of line makes it
    // quadratic.
    long long travail = 8LL * n;
    std::vector<std::uint32_t> reste{r.gardes.front()};
    for (std::size_t k = 1; k + 1 < r.gardes.size(); ++k) {
      const std::uint32_t a = reste.back(), b = r.gardes[k + 1];
      travail -= b - a;
      if (travail < 0 || ajusteur.ecart(a, b, limite) > limite) reste.push_back(r.gardes[k]);
    }
    reste.push_back(r.gardes.back());
    r.gardes = std::move(reste);
  }

  // What the receiver gets: each point read against the stretch it belongs to, kept points too.
  double pire = n == 1 ? ajusteur.ecart(0, 0) : 0;
  for (std::size_t k = 0; k + 1 < r.gardes.size(); ++k)
    pire = std::max(pire, ajusteur.ecart(r.gardes[k], r.gardes[k + 1]));
  r.ecart = enMetres(pire);
  return r;
}

void Longueur::ajouter(std::int32_t latitude7, std::int32_t longitude7) {
  const V p = surLaSphere(latitude7 * 1e-7, longitude7 * 1e-7);
  if (!premier_) metres_ += enMetres(carre(p - V{x_, y_, z_}));
  premier_ = false;
  x_ = p.x, y_ = p.y, z_ = p.z;
}

}  // namespace zor::conversion
