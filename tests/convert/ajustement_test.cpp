// Fitting a line to the receiver, checked with distances of the test's own: every point read
// lies within the deviation reported from the line the receiver gets (kept points rounded to
// the thousandth of a minute), and within --ecart; at a given count the largest deviation is
// within 1.5 times a plain Douglas–Peucker's; the first and last points stay.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "convert/ajustement.h"

namespace zor::conversion {
namespace {

constexpr double kPi = 3.14159265358979323846;

PointLigne point(double lat, double lon) {
  return {static_cast<std::int32_t>(std::llround(lat * 1e7)), static_cast<std::int32_t>(std::llround(lon * 1e7)),
          static_cast<std::int32_t>(std::llround(lat * 60000)), static_cast<std::int32_t>(std::llround(lon * 60000))};
}

// Lines as they come: a walker's track, a zigzag, a spiral, a loop back to its start, GPS noise
// along a straight road.
std::vector<PointLigne> ligne(int forme, int n) {
  unsigned long long graine = 7 + forme;
  auto hasard = [&] {
    graine = graine * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(graine >> 11) / 4503599627370496.0 - 1.0;
  };
  std::vector<PointLigne> p;
  double lat = 45, lon = 6, cap = 0;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / n;
    switch (forme) {
      case 0: cap += 0.3 * hasard(), lat += 6e-5 * std::cos(cap), lon += 8e-5 * std::sin(cap); break;
      case 1: lat = 45 + t * 0.05, lon = 6 + (i % 20 < 10 ? i % 10 : 10 - i % 10) * 1e-4; break;
      case 2: lat = 45 + t * 0.02 * std::cos(t * 40 * kPi), lon = 6 + t * 0.03 * std::sin(t * 40 * kPi); break;
      case 3: lat = 45 + 0.01 * std::sin(2 * kPi * i / (n - 1)), lon = 6 + 0.01 * (1 - std::cos(2 * kPi * i / (n - 1))); break;
      default: lat = 45 + t * 0.1 + 2e-5 * hasard(), lon = 6 + t * 0.02 + 2e-5 * hasard();
    }
    p.push_back(point(lat, lon));
  }
  return p;
}

// Positions in radians, and the distance from a point to a great-circle stretch by the
// navigators' formulas (bearings and cross-track distance), on the same sphere.
struct Geo {
  double lat, lon;
};
Geo lu(const PointLigne& p) { return {p.latitude7 * 1e-7 * kPi / 180, p.longitude7 * 1e-7 * kPi / 180}; }
Geo envoye(const PointLigne& p) { return {p.latitudeMil / 60000.0 * kPi / 180, p.longitudeMil / 60000.0 * kPi / 180}; }

double angle(Geo a, Geo b) {
  const double s = std::sin((b.lat - a.lat) / 2), t = std::sin((b.lon - a.lon) / 2);
  return 2 * std::asin(std::min(1.0, std::sqrt(s * s + std::cos(a.lat) * std::cos(b.lat) * t * t)));
}
double cap(Geo a, Geo b) {
  return std::atan2(std::sin(b.lon - a.lon) * std::cos(b.lat),
                    std::cos(a.lat) * std::sin(b.lat) - std::sin(a.lat) * std::cos(b.lat) * std::cos(b.lon - a.lon));
}
double distance(Geo p, Geo a, Geo b) {
  const double ap = angle(a, p), ab = angle(a, b);
  if (ab < 1e-12) return ap * 6371000;
  const double ecartCap = cap(a, p) - cap(a, b);
  const double long_ = std::atan(std::tan(ap) * std::cos(ecartCap));  // along the stretch from a
  if (long_ < 0) return ap * 6371000;
  if (long_ > ab) return angle(b, p) * 6371000;
  return std::fabs(std::asin(std::sin(ap) * std::sin(ecartCap))) * 6371000;
}

// The largest distance of a point read from the line the receiver gets, each point against
// the stretch it belongs to (the nearest stretch can only be nearer).
double ecart(const std::vector<PointLigne>& p, const std::vector<std::uint32_t>& gardes) {
  double pire = 0;
  for (std::size_t k = 0; k + 1 < gardes.size(); ++k)
    for (std::uint32_t i = gardes[k]; i <= gardes[k + 1]; ++i)
      pire = std::max(pire, distance(lu(p[i]), envoye(p[gardes[k]]), envoye(p[gardes[k + 1]])));
  return pire;
}

// Plain Douglas–Peucker on the points as read (the receiver then gets them rounded, as ours):
// its whole tree of splits once, each with its farthest point; a threshold then keeps the
// splits farther than it, from the top down.
struct Coupe {
  std::uint32_t loin;
  double ecart;
  int gauche, droite;
};
int couper(const std::vector<PointLigne>& p, std::uint32_t a, std::uint32_t b, std::vector<Coupe>& arbre) {
  if (b - a < 2) return -1;
  Coupe c{a, -1, -1, -1};
  for (std::uint32_t i = a + 1; i < b; ++i)
    if (const double d = distance(lu(p[i]), lu(p[a]), lu(p[b])); d > c.ecart) c.ecart = d, c.loin = i;
  arbre.push_back(c);
  const std::size_t k = arbre.size() - 1;
  arbre[k].gauche = couper(p, a, c.loin, arbre);
  arbre[k].droite = couper(p, c.loin, b, arbre);
  return static_cast<int>(k);
}
std::vector<std::uint32_t> garder(const std::vector<Coupe>& arbre, std::uint32_t dernier, double seuil) {
  std::vector<std::uint32_t> g{0, dernier};
  std::function<void(int)> visiter = [&](int n) {
    if (n < 0 || arbre[n].ecart <= seuil) return;
    g.push_back(arbre[n].loin);
    visiter(arbre[n].gauche);
    visiter(arbre[n].droite);
  };
  visiter(0);
  std::sort(g.begin(), g.end());
  return g;
}

TEST(Ajustement, ChaquePointLuResteDansLEcartAnnonce) {
  struct Cas {
    long long points;
    double ecart;
  } cas[] = {{2, 0}, {10, 0}, {255, 0}, {0, 5}, {0, 50}, {255, 2}, {30, 2}};
  for (int forme = 0; forme < 5; ++forme) {
    const std::vector<PointLigne> p = ligne(forme, 3000);
    for (const Cas& c : cas) {
      const ResultatAjustement r = ajuster(p, c.points, c.ecart);
      const std::string quoi = "forme " + std::to_string(forme) + ", " + std::to_string(c.points) + " points, " +
                               std::to_string(c.ecart) + " m";
      ASSERT_GE(r.gardes.size(), 2u) << quoi;
      EXPECT_EQ(r.gardes.front(), 0u) << quoi;
      EXPECT_EQ(r.gardes.back(), 2999u) << quoi;
      EXPECT_TRUE(std::is_sorted(r.gardes.begin(), r.gardes.end()) &&
                  std::adjacent_find(r.gardes.begin(), r.gardes.end()) == r.gardes.end()) << quoi;
      if (c.points > 0) {
        EXPECT_LE(static_cast<long long>(r.gardes.size()), c.points) << quoi;
      }
      // What is reported is true: no point read farther, and no more than the farthest.
      EXPECT_NEAR(ecart(p, r.gardes), r.ecart, r.ecart * 0.001 + 0.01) << quoi;
      if (c.ecart > 0 && (c.points == 0 || static_cast<long long>(r.gardes.size()) < c.points)) {
        EXPECT_LE(r.ecart, c.ecart) << quoi;
      }
    }
  }
}

TEST(Ajustement, PasPireQuUnDouglasPeuckerAuMemeNombreDePoints) {
  for (int forme = 0; forme < 5; ++forme) {
    const std::vector<PointLigne> p = ligne(forme, 3000);
    std::vector<Coupe> arbre;
    couper(p, 0, 2999, arbre);
    const auto plain = [&](double seuil) { return garder(arbre, 2999, seuil); };
    for (const std::size_t n : {8, 40, 255}) {
      // The plain algorithm's threshold that keeps at most n points, by halving.
      double bas = 0, haut = 1e5;
      for (int k = 0; k < 60; ++k) (plain((bas + haut) / 2).size() > n ? bas : haut) = (bas + haut) / 2;
      const std::vector<std::uint32_t> reference = plain(haut);
      const ResultatAjustement r = ajuster(p, static_cast<long long>(n), 0);
      EXPECT_LE(r.gardes.size(), n);
      EXPECT_LE(ecart(p, r.gardes), 1.5 * ecart(p, reference))
          << "forme " << forme << ", " << n << " points (" << reference.size() << " pour la référence)";
    }
    // Within a deviation, no more points than the plain algorithm needs.
    EXPECT_LE(ajuster(p, 0, 10).gardes.size(), plain(10).size() + 2) << "forme " << forme;
  }
}

TEST(Ajustement, LignesDegenerees) {
  struct Cas {
    const char* quoi;
    std::vector<PointLigne> points;
    std::vector<std::uint32_t> gardes;
  } cas[] = {
      {"un point", {point(45, 6)}, {0}},
      {"deux points", {point(45, 6), point(45.1, 6)}, {0, 1}},
      {"un point répété", std::vector<PointLigne>(50, point(45, 6)), {0, 49}},
      {"tout droit sur un méridien", {point(45, 6), point(45.05, 6), point(45.1, 6), point(45.15, 6)}, {0, 3}},
      {"aller-retour", {point(45, 6), point(45.1, 6), point(45, 6)}, {0, 1, 2}},
  };
  for (const Cas& c : cas) {
    const ResultatAjustement r = ajuster(c.points, 255, 0);
    EXPECT_EQ(r.gardes, c.gardes) << c.quoi;
    EXPECT_LT(r.ecart, 1.0) << c.quoi;  // the rounding to the thousandth of a minute only
  }
  // Along a meridian, 0.01° apart: 1 111.95 m a step on a sphere of 6 371 km.
  Longueur l;
  for (int i = 0; i <= 10; ++i) l.ajouter(450000000 + i * 100000, 60000000);
  EXPECT_NEAR(l.metres(), 11119.5, 0.5);
}

}  // namespace
}  // namespace zor::conversion
