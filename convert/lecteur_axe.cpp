#include "convert/lecteur_axe.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "convert/coordonnees.h"
#include "convert/phrase.h"

namespace zor::conversion {

namespace {

constexpr std::string_view kMarqueur = "MASM";
constexpr std::size_t kPositionCompte = 12;
constexpr std::size_t kPremierEnregistrement = 60;
constexpr std::size_t kOctetsLusParEnregistrement = 15;  // longitude, latitude, length byte, name
constexpr std::size_t kPortee = 121 + 3 * 255;           // farthest step from one record to the next
// Everything the walk can ever look at, counted from the marker: at most 255 records.
constexpr std::size_t kZoneUtile = kPremierEnregistrement + 254 * kPortee + kOctetsLusParEnregistrement;

// Reads the source up to the first marker; returns the bytes from the marker on (the marker
// included) that came with the block where it was found, or nothing when there is none.
std::optional<std::string> chercherMarqueur(Source& source) {
  char queue[3];  // last bytes of the previous block, for a marker split between two blocks
  std::size_t tailleQueue = 0;
  for (std::string_view bloc = source.lire(); !bloc.empty(); bloc = source.lire()) {
    if (tailleQueue > 0) {
      char jonction[6];
      std::memcpy(jonction, queue, tailleQueue);
      const std::size_t tete = std::min<std::size_t>(3, bloc.size());
      std::memcpy(jonction + tailleQueue, bloc.data(), tete);
      const std::size_t p = std::string_view(jonction, tailleQueue + tete).find(kMarqueur);
      if (p != std::string_view::npos && p < tailleQueue) {
        std::string zone(kMarqueur);
        zone.append(bloc.substr(p + kMarqueur.size() - tailleQueue));
        return zone;
      }
    }
    if (const std::size_t p = bloc.find(kMarqueur); p != std::string_view::npos) return std::string(bloc.substr(p));

    char suite[6];
    std::memcpy(suite, queue, tailleQueue);
    const std::size_t ajout = std::min<std::size_t>(3, bloc.size());
    std::memcpy(suite + tailleQueue, bloc.data() + bloc.size() - ajout, ajout);
    const std::size_t total = tailleQueue + ajout;
    tailleQueue = std::min<std::size_t>(3, total);
    std::memmove(queue, suite + total - tailleQueue, tailleQueue);
  }
  return std::nullopt;
}

std::int32_t entier32(const std::string& zone, std::size_t position) {
  std::uint32_t v = 0;
  for (std::size_t k = 4; k-- > 0;) v = (v << 8) | static_cast<unsigned char>(zone[position + k]);
  return static_cast<std::int32_t>(v);
}

}  // namespace

void lireAutorouteExpress(Source& source, Redaction& redaction) {
  std::optional<std::string> zone = chercherMarqueur(source);
  if (!zone) return;
  while (zone->size() < kZoneUtile) {
    const std::string_view bloc = source.lire();
    if (bloc.empty()) break;
    zone->append(bloc.substr(0, kZoneUtile - zone->size()));
  }
  if (zone->size() <= kPositionCompte) return;

  const unsigned nombre = static_cast<unsigned char>((*zone)[kPositionCompte]);
  std::size_t r = kPremierEnregistrement;
  for (unsigned i = 0; i < nombre; ++i) {
    if (r + kOctetsLusParEnregistrement > zone->size()) break;
    const CoordonneeTexte longitude = decoderCoordonnee(entier32(*zone, r), Axe::Longitude);
    const CoordonneeTexte latitude = decoderCoordonnee(entier32(*zone, r + 4), Axe::Latitude);
    const long long numero = redaction.compter();
    const unsigned longueur = static_cast<unsigned char>((*zone)[r + 8]);

    // A CR or an LF among the name's bytes would cut the sentence in two lines of the
    // interchange file, and the upload would send a sentence without its checksum: each is
    // written as a blank, and the checksum covers what is written.
    char nom[6];
    std::memcpy(nom, zone->data() + r + 9, 6);
    for (char& c : nom)
      if (c == '\r' || c == '\n') c = ' ';
    Waypoint point{latitude.degres,  latitude.minutes,  std::string_view(&latitude.lettre, 1),
                   longitude.degres, longitude.minutes, std::string_view(&longitude.lettre, 1),
                   std::string_view(nom, 6)};
    if (redaction.mode() == Mode::Profil) point.profil = numero;
    redaction.ecrire(point);

    r += 121 + 3 * static_cast<std::size_t>(longueur);
  }
}

bool estAutorouteExpress(std::string_view debut) {
  return debut.find(kMarqueur) != std::string_view::npos && debut.find('\0') != std::string_view::npos;
}

}  // namespace zor::conversion
