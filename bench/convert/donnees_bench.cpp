// Writes the benchmark inputs: N waypoints as a G7towin export, as GPSBabel's unicsv, or as
// GPX 1.1 the way map applications write it (about 100 bytes a point).
//   donnees_bench g7towin N FICHIER
//   donnees_bench unicsv N FICHIER
//   donnees_bench gpx N FICHIER
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage : donnees_bench g7towin|unicsv|gpx N FICHIER\n", stderr);
    return 2;
  }
  const std::string format = argv[1];
  const long n = std::atol(argv[2]);
  std::FILE* f = std::fopen(argv[3], "wb");
  if (f == nullptr) return 2;
  if (format == "unicsv") std::fputs("Name,Latitude,Longitude\r\n", f);
  if (format == "gpx")
    std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<gpx version=\"1.1\" creator=\"donnees_bench\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n",
               f);
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
    } else if (format == "gpx") {
      // Names that repeat every 1000 points, so that the receiver's names need their suffixes.
      const double lat = (latDeg + latMil / 60000.0) * (ns == 'N' ? 1 : -1);
      const double lon = (lonDeg + lonMil / 60000.0) * (ew == 'E' ? 1 : -1);
      std::fprintf(f, "  <wpt lat=\"%.7f\" lon=\"%.7f\">\n    <ele>%ld</ele>\n    <name>Point %ld</name>\n  </wpt>\n",
                   lat, lon, i % 3000, i % 1000);
    } else {
      const double lat = (latDeg + latMil / 60000.0) * (ns == 'N' ? 1 : -1);
      const double lon = (lonDeg + lonMil / 60000.0) * (ew == 'E' ? 1 : -1);
      std::fprintf(f, "%s,%.6f,%.6f\r\n", nom, lat, lon);
    }
  }
  if (format == "gpx") std::fputs("</gpx>\n", f);
  return std::fclose(f) == 0 ? 0 : 2;
}
