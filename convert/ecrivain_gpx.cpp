#include "convert/ecrivain_gpx.h"

#include <algorithm>
#include <charconv>

#include "convert/phrase.h"
#include "core/windows1252.h"

namespace zor::conversion {

namespace {

// A receiver sentence is at most 82 bytes; anything much longer is no sentence of ours.
constexpr std::size_t kLigneMaximale = 256;

bool chiffres(std::string_view s) {
  for (const char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

long long entier(std::string_view s) {
  long long v = 0;
  for (const char c : s) v = v * 10 + (c - '0');
  return v;
}

void ajouterDegres(std::string& s, long long dixMillioniemes) {
  if (dixMillioniemes < 0) s.push_back('-');
  const unsigned long long v = dixMillioniemes < 0 ? -static_cast<unsigned long long>(dixMillioniemes)
                                                   : static_cast<unsigned long long>(dixMillioniemes);
  char t[24];
  s.append(t, std::to_chars(t, t + sizeof t, v / 10000000).ptr);
  s.push_back('.');
  const std::string fraction = std::to_string(10000000 + v % 10000000);
  s.append(fraction, 1, 7);
}

// The name as XML text: Windows-1252 decoded, markup escaped. XML 1.0 holds no control
// character but tab, LF and CR, which go as character references so that they survive a
// reader's line-end rules; the others are dropped.
void ajouterNom(std::string& s, std::string_view nom) {
  for (const char c : nom) {
    const auto o = static_cast<unsigned char>(c);
    switch (c) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      case '"': s += "&quot;"; break;
      case '\t': s += "&#9;"; break;
      case '\n': s += "&#10;"; break;
      case '\r': s += "&#13;"; break;
      default:
        if (o < 0x20) break;
        if (o < 0x80)
          s.push_back(c);
        else
          ajouterUtf8(s, unicodeDeWindows1252(o));
    }
  }
}

// Text as XML: markup escaped, control characters dropped (XML 1.0 has none but tab, LF and
// CR, and a route's name needs none), invalid UTF-8 bytes read as Windows-1252.
void ajouterTexte(std::string& s, std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = caractereUtf8(utf8, i);
    switch (c) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      case '"': s += "&quot;"; break;
      default:
        if (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && c != 0xFFFE && c != 0xFFFF) ajouterUtf8(s, c);
    }
  }
}

}  // namespace

bool degresDepuisTexte(std::string_view degres, std::string_view minutes, std::string_view lettre, char positif,
                       char negatif, long long maximum, long long& dixMillioniemes) {
  if (degres.empty() || degres.size() > 3 || !chiffres(degres) || lettre.size() != 1) return false;
  if (lettre[0] != positif && lettre[0] != negatif) return false;
  const std::size_t point = minutes.find('.');
  const std::string_view entiers = minutes.substr(0, point);
  std::string_view decimales = point == std::string_view::npos ? std::string_view() : minutes.substr(point + 1);
  if (entiers.empty() || entiers.size() > 2 || !chiffres(entiers) || !chiffres(decimales)) return false;
  // Nano-minutes: nine decimals are far finer than any receiver writes.
  decimales = decimales.substr(0, 9);
  long long echelle = 1;
  for (std::size_t i = decimales.size(); i < 9; ++i) echelle *= 10;
  const long long nano = entier(entiers) * 1000000000 + entier(decimales) * echelle;
  if (nano > 60LL * 1000000000) return false;
  const long long total = entier(degres) * 60LL * 1000000000 + nano;
  if (total > maximum * 60LL * 1000000000) return false;
  // 1e-7 degree is 6000 nano-minutes; rounded to the nearest.
  const long long v = (total + 3000) / 6000;
  dixMillioniemes = lettre[0] == positif ? v : -v;
  return true;
}

bool lirePhraseWpl(std::string_view ligne, Waypoint& w) {
  constexpr std::string_view kDebut = "$GPWPL,";
  if (ligne.size() < kDebut.size() + 3 || ligne.substr(0, kDebut.size()) != kDebut) return false;
  if (ligne[ligne.size() - 3] != '*') return false;
  unsigned somme = 0;
  const char* hex = ligne.data() + ligne.size() - 2;
  if (std::from_chars(hex, hex + 2, somme, 16).ptr != hex + 2) return false;
  const std::string_view corps = ligne.substr(1, ligne.size() - 4);
  if (somme != sommeControle(corps)) return false;
  std::string_view champs[6];
  std::string_view reste = corps;
  for (int i = 0; i < 6; ++i) {
    const std::size_t virgule = reste.find(',');
    if ((virgule == std::string_view::npos) != (i == 5)) return false;
    champs[i] = reste.substr(0, virgule);
    reste = virgule == std::string_view::npos ? std::string_view() : reste.substr(virgule + 1);
  }
  // "4530.123": the minutes are the two digits before the point and what follows it.
  auto couper = [](std::string_view champ, std::string_view& degres, std::string_view& minutes) {
    const std::size_t point = std::min(champ.find('.'), champ.size());
    if (point < 3) return false;
    degres = champ.substr(0, point - 2);
    minutes = champ.substr(point - 2);
    return true;
  };
  if (!couper(champs[1], w.latitudeDegres, w.latitudeMinutes)) return false;
  if (!couper(champs[3], w.longitudeDegres, w.longitudeMinutes)) return false;
  w.nordSud = champs[2];
  w.estOuest = champs[4];
  w.nom = champs[5];
  return true;
}

EcrivainGpx::EcrivainGpx(Sortie& sortie) : sortie_(sortie) {}

void EcrivainGpx::commencer() {
  if (commence_) return;
  commence_ = true;
  sortie_.ecrire(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"ZOR " ZOR_VERSION "\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
      "  <metadata>\n"
      "    <desc>Waypoints convertis par ZOR</desc>\n"
      "  </metadata>\n");
  sortie_.finDeLigne();
}

void EcrivainGpx::ecrire(const Waypoint& w) {
  long long latitude = 0, longitude = 0;
  if (!degresDepuisTexte(w.latitudeDegres, w.latitudeMinutes, w.nordSud, 'N', 'S', 90, latitude) ||
      !degresDepuisTexte(w.longitudeDegres, w.longitudeMinutes, w.estOuest, 'E', 'W', 180, longitude)) {
    ++ignores_;
    return;
  }
  commencer();
  texte_.clear();
  const bool profil = w.profil > 0;
  if (profil && !dansRoute_) {
    texte_.append("  <rte>\n    <name>");
    ajouterTexte(texte_, nomLigne_);
    texte_.append("</name>\n");
    dansRoute_ = true;
  } else if (!profil && dansRoute_) {
    texte_.append("  </rte>\n");
    dansRoute_ = false;
  }
  const char* indentation = profil ? "    " : "  ";
  texte_.append(indentation).append(profil ? "<rtept lat=\"" : "<wpt lat=\"");
  ajouterDegres(texte_, latitude);
  texte_.append("\" lon=\"");
  ajouterDegres(texte_, longitude);
  texte_.append("\">\n").append(indentation).append("  <name>");
  if (profil)
    ajouterNomProfil(texte_, w.profil);
  else
    ajouterNom(texte_, w.nom);
  texte_.append("</name>\n").append(indentation).append(profil ? "</rtept>\n" : "</wpt>\n");
  sortie_.ecrire(texte_);
  sortie_.finDeLigne();
}

void EcrivainGpx::copier(std::string_view morceau) {
  if (ligne_.size() + morceau.size() > kLigneMaximale) {
    ligneTropLongue_ = true;
    return;
  }
  ligne_.append(morceau);
}

void EcrivainGpx::finCopie() {
  Waypoint point;
  if (!ligneTropLongue_ && lirePhraseWpl(ligne_, point))
    ecrire(point);
  else
    ++ignores_;
  ligne_.clear();
  ligneTropLongue_ = false;
}

void EcrivainGpx::terminer() {
  commencer();
  if (dansRoute_) sortie_.ecrire("  </rte>\n");
  sortie_.ecrire("</gpx>\n");
  sortie_.finDeLigne();
  sortie_.vider();
}

}  // namespace zor::conversion
