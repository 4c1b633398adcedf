// Writes the benchmark inputs: N waypoints as a G7towin export, as GPSBabel's unicsv, or as
// GPX 1.1 the way map applications write it (about 100 bytes a point); a day's outing as
// trail sites publish it (a few waypoints, two stages as routes, a track of N points with
// elevation and time, about 110 bytes a point), N times over; N waypoints whose names share
// their first six bytes (as "Refuge du Col 17", and "WPT" numbers that run into each
// other's); a GPX file whose first waypoint has an attribute of N MB.
//   donnees_bench g7towin N FICHIER
//   donnees_bench unicsv N FICHIER
//   donnees_bench gpx N FICHIER
//   donnees_bench trace N FICHIER [FOIS]
//   donnees_bench noms N FICHIER
//   donnees_bench attribut N FICHIER
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char kTete[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<gpx version=\"1.1\" creator=\"donnees_bench\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";

// A walker's track: a heading that turns a little at each step, about 7 m apart.
void sortie(std::FILE* f, long n, int fois) {
  std::fputs(kTete, f);
  unsigned long long graine = 21;
  auto hasard = [&graine] {  // uniform in [-1, 1), the same on every machine
    graine = graine * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(graine >> 11) / 4503599627370496.0 - 1.0;
  };
  for (int k = 0; k < fois; ++k) {
    std::fprintf(f, "  <wpt lat=\"45.0640000\" lon=\"6.4079000\"><name>Col de la B\xc3\xbb" "che %d</name></wpt>\n", k);
    std::fprintf(f, "  <wpt lat=\"45.0712000\" lon=\"6.4150000\"><name>Refuge %d</name></wpt>\n", k);
    for (int r = 0; r < 2; ++r) {
      std::fprintf(f, "  <rte><name>\xc3\x89tape %d.%d</name>\n", k, r + 1);
      for (int i = 0; i < 12; ++i)
        std::fprintf(f, "    <rtept lat=\"%.7f\" lon=\"%.7f\"><name>Point %d</name></rtept>\n", 45.03 + i * 0.0021,
                     6.39 + r * 0.03 + i * 0.0032, i);
      std::fputs("  </rte>\n", f);
    }
    std::fprintf(f, "  <trk><name>Galibier %d</name><trkseg>\n", k);
    double lat = 45.03, lon = 6.39, cap = 0.6;
    for (long i = 0; i < n; ++i) {
      cap += 0.25 * hasard();
      lat += 0.00006 * std::cos(cap);
      lon += 0.00008 * std::sin(cap);
      std::fprintf(f,
                   "    <trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele><time>2024-07-14T%02ld:%02ld:%02ldZ</time></trkpt>\n",
                   lat, lon, 1400 + 600 * std::sin(i / 900.0), 6 + i / 3600 % 12, i / 60 % 60, i % 60);
    }
    std::fputs("  </trkseg></trk>\n", f);
  }
  std::fputs("</gpx>\n", f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fputs("usage : donnees_bench g7towin|unicsv|gpx|trace|noms|attribut N FICHIER [FOIS]\n", stderr);
    return 2;
  }
  const std::string format = argv[1];
  const long n = std::atol(argv[2]);
  std::FILE* f = std::fopen(argv[3], "wb");
  if (f == nullptr) return 2;
  if (format == "trace") {
    sortie(f, n, argc == 5 ? std::atoi(argv[4]) : 1);
    return std::fclose(f) == 0 ? 0 : 2;
  }
  if (format == "noms") {
    std::fputs(kTete, f);
    for (long i = 0; i < n; ++i)
      std::fprintf(f, "  <wpt lat=\"45.%06ld\" lon=\"6.%06ld\"><name>%s %ld</name></wpt>\n", i % 1000000, i % 1000000,
                   i % 2 ? "Refuge du Col" : "WPT", i % 2 ? i : i / 2 % 1000);
    std::fputs("</gpx>\n", f);
    return std::fclose(f) == 0 ? 0 : 2;
  }
  if (format == "attribut") {
    std::fputs(kTete, f);
    std::fputs("  <wpt lat=\"45\" lon=\"6\" x=\"", f);
    const std::string mega(1 << 20, 'a');
    for (long i = 0; i < n; ++i) std::fwrite(mega.data(), 1, mega.size(), f);
    std::fputs("\"/>\n</gpx>\n", f);
    return std::fclose(f) == 0 ? 0 : 2;
  }
  if (format == "unicsv") std::fputs("Name,Latitude,Longitude\r\n", f);
  if (format == "gpx") std::fputs(kTete, f);
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
