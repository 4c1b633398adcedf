// The fitting and the receiver's names alone, timed, without reading a file:
//   ajustement_bench trace N     a walker's track of N points fitted to 255 points, then within 5 m
//   ajustement_bench noms N      N names that share their first six bytes made unique
// Peak memory comes from /usr/bin/time around it (bench/convert/run.sh).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "convert/ajustement.h"
#include "convert/noms_recepteur.h"

namespace {

double millisecondesDepuis(std::chrono::steady_clock::time_point debut) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage : ajustement_bench trace|noms N\n", stderr);
    return 2;
  }
  const std::string quoi = argv[1];
  const long n = std::atol(argv[2]);
  using namespace zor::conversion;
  if (quoi == "trace") {
    std::vector<PointLigne> points;
    points.reserve(static_cast<std::size_t>(n));
    double lat = 45.03, lon = 6.39, cap = 0.6;
    unsigned long long graine = 21;
    for (long i = 0; i < n; ++i) {
      graine = graine * 6364136223846793005ULL + 1442695040888963407ULL;
      cap += 0.25 * (static_cast<double>(graine >> 11) / 4503599627370496.0 - 1.0);
      lat += 0.00006 * std::cos(cap);
      lon += 0.00008 * std::sin(cap);
      points.push_back({static_cast<std::int32_t>(std::llround(lat * 1e7)), static_cast<std::int32_t>(std::llround(lon * 1e7)),
                        static_cast<std::int32_t>(std::llround(lat * 60000)), static_cast<std::int32_t>(std::llround(lon * 60000))});
    }
    for (const auto& [maxPoints, ecart] : {std::pair<long long, double>{kPointsTraceParDefaut, 0}, {0, 5.0}}) {
      const auto debut = std::chrono::steady_clock::now();
      const ResultatAjustement r = ajuster(points, maxPoints, ecart);
      std::printf("%ld %zu %.1f %.1f\n", n, r.gardes.size(), r.ecart, millisecondesDepuis(debut));
    }
    return 0;
  }
  if (quoi == "noms") {
    const auto debut = std::chrono::steady_clock::now();
    NomsUniques noms;
    std::size_t octets = 0;
    for (long i = 0; i < n; ++i)
      octets += noms.attribuer(nomPourRecepteur(i % 2 ? "Refuge du Col " + std::to_string(i) : "WPT" + std::to_string(i / 2 % 1000))).size();
    std::printf("%ld %zu %.1f\n", n, octets, millisecondesDepuis(debut));
    return 0;
  }
  return 2;
}
