// Writes the benchmark inputs: N waypoints as a G7towin export or as GPSBabel's unicsv.
//   donnees_bench g7towin N FICHIER
//   donnees_bench unicsv N FICHIER
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage : donnees_bench g7towin|unicsv N FICHIER\n", stderr);
    return 2;
  }
  const std::string format = argv[1];
  const long n = std::atol(argv[2]);
  std::FILE* f = std::fopen(argv[3], "wb");
  if (f == nullptr) return 2;
  if (format == "unicsv") std::fputs("Name,Latitude,Longitude\r\n", f);
  for (long i = 0; i < n; ++i) {
    // Spread over the map, with every hemisphere.
    const int latDeg = static_cast<int>(i % 89), lonDeg = static_cast<int>((i * 7) % 179);
    const int latMil = static_cast<int>((i * 37) % 60000), lonMil = static_cast<int>((i * 53) % 60000);
    const char ns = (i % 3) ? 'N' : 'S', ew = (i % 5) ? 'E' : 'W';
    char nom[8];
    std::snprintf(nom, sizeof nom, "W%05ld", i % 100000);
    if (format == "g7towin") {
      std::fprintf(f, "W  %s          %c%02d %02d.%03d  %c%03d %02d.%03d\r\n", nom, ns, latDeg, latMil / 1000,
                   latMil % 1000, ew, lonDeg, lonMil / 1000, lonMil % 1000);
    } else {
      const double lat = (latDeg + latMil / 60000.0) * (ns == 'N' ? 1 : -1);
      const double lon = (lonDeg + lonMil / 60000.0) * (ew == 'E' ? 1 : -1);
      std::fprintf(f, "%s,%.6f,%.6f\r\n", nom, lat, lon);
    }
  }
  return std::fclose(f) == 0 ? 0 : 2;
}
