// GPX in and out: the rounding of coordinates, the receiver's name rule, the structure of the
// files read, the faults (with their line), and the round trip GPX -> sentences -> GPX.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "convert/conversion.h"
#include "convert/ecrivain_gpx.h"
#include "convert/lecteur_gpx.h"
#include "convert/noms_recepteur.h"
#include "convert/phrase.h"
#include "core/erreur.h"
#include "core/windows1252.h"

namespace zor::conversion {
namespace {

std::string gpx(const std::string& points) {
  return "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n" + points +
         "</gpx>\n";
}

struct Issue {
  Bilan bilan;
  std::string octets, erreur;
};

Issue lire(const std::string& document, Mode mode = Mode::Waypoint, bool versGpx = false, std::size_t bloc = 1 << 20,
           TypeEntree type = TypeEntree::Gpx) {
  SourceMemoire source(document, bloc);
  SortieMemoire sortie;
  std::unique_ptr<Ecrivain> ecrivain = (versGpx ? formatSortieSelonNom("gpx") : formatSortieSelonNom("sentences"))->creer(sortie);
  Issue issue;
  try {
    issue.bilan = convertirVers(type, source, *ecrivain, mode);
  } catch (const Echec& e) {
    issue.erreur = decrire(e.erreur());
  }
  issue.octets = sortie.octets();
  return issue;
}

TEST(Gpx, ArrondiAuMillemeDeMinuteAvantLeDecoupage) {
  struct Cas {
    const char* texte;
    long long maximum;
    LectureDegres lecture;
    long long milliemes;
    bool negatif;
  } cas[] = {
      {"48.9999999", 90, LectureDegres::Nombre, 2940000, false},  // 4900.000, never 4860.000
      {"45.50205", 90, LectureDegres::Nombre, 2730123, false},
      {"0.000025", 90, LectureDegres::Nombre, 2, false},      // an exact tie, away from zero
      {"-0.000025", 90, LectureDegres::Nombre, 2, true},
      {"0.0000249999", 90, LectureDegres::Nombre, 1, false},
      {"-179.9999999", 180, LectureDegres::Nombre, 10800000, true},
      {"+0012.5", 90, LectureDegres::Nombre, 750000, false},
      {"1.", 90, LectureDegres::Nombre, 60000, false},
      {".5", 90, LectureDegres::Nombre, 30000, false},
      {"4.55e1", 90, LectureDegres::Nombre, 2730000, false},  // an exponent, as some programs write
      {"90", 90, LectureDegres::Nombre, 5400000, false},
      {"90.0000001", 90, LectureDegres::HorsLimites, 0, false},
      {"-90.5", 90, LectureDegres::HorsLimites, 0, true},
      {"180.000", 180, LectureDegres::Nombre, 10800000, false},
      {"181", 180, LectureDegres::HorsLimites, 0, false},
      {"123456789012", 180, LectureDegres::HorsLimites, 0, false},
      {"", 90, LectureDegres::PasUnNombre, 0, false},
      {"abc", 90, LectureDegres::PasUnNombre, 0, false},
      {"45,5", 90, LectureDegres::PasUnNombre, 0, false},  // a French comma is no decimal point in XML
      {"1.2.3", 90, LectureDegres::PasUnNombre, 0, false},
      {"-", 90, LectureDegres::PasUnNombre, 0, false},
      {"nan", 90, LectureDegres::PasUnNombre, 0, false},
      {"inf", 90, LectureDegres::PasUnNombre, 0, false},
  };
  for (const Cas& c : cas) {
    long long milliemes = 0;
    bool negatif = false;
    EXPECT_EQ(lireDegres(c.texte, c.maximum, milliemes, negatif), c.lecture) << c.texte;
    if (c.lecture != LectureDegres::Nombre) continue;
    EXPECT_EQ(milliemes, c.milliemes) << c.texte;
    EXPECT_EQ(negatif, c.negatif) << c.texte;
  }
  // Split after rounding, with the hemisphere letters; a point that rounds to 0 is north/east.
  EXPECT_EQ(lire(gpx("<wpt lat=\"48.9999999\" lon=\"-2.9999999\"/><wpt lat=\"-0.000001\" lon=\" 0 \"/>"), Mode::Profil).octets,
            "$GPWPL,4900.000,N,00300.000,W,PDC0010C*42\r\n\r\n$GPWPL,0000.000,N,00000.000,E,PDC0020A*5F\r\n\r\n");
}

TEST(Gpx, RegleDesNoms) {
  const std::pair<const char*, std::string> cas[] = {
      {"Ελλάδα", "Ellada"},
      {"Łódź", "L\xF3" "dz"},        // ó is in Windows-1252 and stays
      {"Москва", "Moskva"},
      {"Čeština", "Ce\x9Atin"},      // š is in Windows-1252, č is not
      {"Hà Nội", "H\xE0 Noi"},
      {"  Pic, *du* $Midi! ", "Pic du"},
      {"A\tB\r\nC", "A B C"},
      {"Mont Blanc", "Mont B"},      // cut to six bytes, no trailing blank
      {"Ça & là", "\xC7" "a & l"},
      {"€uro", "\x80uro"},
      {"漢字", ""},                  // nothing readable: dropped, never "??"
      {"a\x01" "b\x7f" "c\xC2\x85" "d", "abcd"},  // control characters, C1 included
      {"", ""},
  };
  for (const auto& [texte, nom] : cas) EXPECT_EQ(nomPourRecepteur(texte), nom) << texte;

  NomsUniques noms;
  const std::pair<const char*, const char*> suite[] = {
      {"Maison", "Maison"}, {"Maison", "Maiso2"}, {"Maison", "Maiso3"}, {"", "WPT001"}, {"WPT002", "WPT002"},
      {"", "WPT003"},       {"A", "A"},           {"A", "A2"},          {"Maiso2", "Maiso4"},
  };
  for (const auto& [nom, attendu] : suite) EXPECT_EQ(noms.attribuer(nom), attendu) << nom;
  for (int i = 4; i <= 10; ++i) noms.attribuer("Maison");
  EXPECT_EQ(noms.attribuer("Maison"), "Mais12");

  // Through the reader: names unique within the file, a point without one gets one.
  const std::string document = gpx(
      "<wpt lat=\"1\" lon=\"1\"><name>Ελλάδα</name></wpt><wpt lat=\"1\" lon=\"1\"><name>Ελλάδα</name></wpt>"
      "<wpt lat=\"1\" lon=\"1\"/><wpt lat=\"1\" lon=\"1\"><name> </name></wpt>");
  const std::string octets = lire(document).octets;
  for (const char* nom : {",E,Ellada*", ",E,Ellad2*", ",E,WPT001*", ",E,WPT002*"})
    EXPECT_NE(octets.find(nom), std::string::npos) << nom;
}

TEST(Gpx, StructureDesFichiers) {
  struct Cas {
    const char* quoi;
    std::string document;
    std::string noms;  // the names written, in order
    long long trace;
  } cas[] = {
      {"1.1: wpt, then rtept, trk counted", gpx("<wpt lat=\"1\" lon=\"1\"><name>W</name></wpt><rte><name>R</name>"
                                                "<rtept lat=\"1\" lon=\"1\"><name>P</name></rtept></rte><trk><trkseg>"
                                                "<trkpt lat=\"1\" lon=\"1\"><name>T</name></trkpt></trkseg></trk>"),
       "W P ", 1},
      {"1.0 namespace", "<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\"><wpt lat=\"1\" lon=\"1\">"
                        "<name>A</name></wpt></gpx>", "A ", 0},
      {"a name in another namespace is not the point's",
       gpx("<wpt lat=\"1\" lon=\"1\" xmlns:x=\"urn:x\"><x:name>X</x:name><extensions><name>Y</name></extensions>"
           "<name>N</name></wpt>"), "N ", 0},
      {"a prefixed GPX namespace", "<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\"><g:wpt lat=\"1\" lon=\"1\">"
                                   "<g:name>G</g:name></g:wpt></g:gpx>", "G ", 0},
      {"not GPX: no record", "<kml><wpt lat=\"1\" lon=\"1\"/></kml>", "", 0},
      {"no point", gpx(""), "", 0},
  };
  for (const Cas& c : cas) {
    for (const std::size_t bloc : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 20}) {
      const Issue issue = lire(c.document, Mode::Waypoint, false, bloc);
      EXPECT_EQ(issue.erreur, "") << c.quoi;
      std::string noms;
      for (std::size_t p = 0; (p = issue.octets.find(",E,", p)) != std::string::npos; p += 3)
        noms += issue.octets.substr(p + 3, issue.octets.find('*', p) - p - 3) + " ";
      EXPECT_EQ(noms, c.noms) << c.quoi << " (blocs de " << bloc << ")";
      EXPECT_EQ(issue.bilan.pointsDeTrace, c.trace) << c.quoi;
    }
  }
}

TEST(Gpx, FautesAvecLeurLigne) {
  std::string rires = "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n<!ENTITY r0 \"hahahahaha\">\n";
  for (int i = 1; i <= 10; ++i) {
    rires += "<!ENTITY r" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) rires += "&r" + std::to_string(i - 1) + ";";
    rires += "\">\n";
  }
  rires += "]>\n" + gpx("<wpt lat=\"1\" lon=\"1\"><name>&r10;</name></wpt>");  // 10^10 bytes
  const std::pair<std::string, std::string> cas[] = {
      {gpx("<wpt lat=\"1\" lon=\"1\">\n<name>A</wpt>"), "(ligne 4) : balise fermante qui ne correspond pas"},
      {"<gpx>\n<wpt lat=\"1\" lon=\"1\">\n", "(ligne 3) : le fichier s'arrête avant la fin"},
      {"$GPWPL,4530.123,N,00130.456,E,A*00\r\n", "(ligne 1) : XML mal formé"},
      {"", "(ligne 1) : le fichier s'arrête avant la fin"},
      {gpx("\n<wpt lat=\"abc\" lon=\"1\"/>"), "(ligne 4) : latitude « abc » qui n'est pas un nombre"},
      {gpx("<wpt lat=\"1\"/>"), "(ligne 3) : point sans longitude (attribut lon)"},
      {gpx("<rte><rtept lat=\"1\" lon=\"-180.5\"/></rte>"), "(ligne 3) : longitude -180.5 hors de -180 à 180"},
      {gpx("<wpt lat=\"1\" lon=\"1\"><name>&inconnue;</name></wpt>"), "(ligne 3) : entité XML inconnue"},
      {rires, "(ligne 2) : déclaration de type de document (<!DOCTYPE>) refusée"},
      {"<!DOCTYPE gpx [<!ENTITY s SYSTEM \"file:///etc/hostname\">]><gpx><wpt lat=\"1\" lon=\"1\"><name>&s;</name>"
       "</wpt></gpx>", "(ligne 1) : déclaration de type de document (<!DOCTYPE>) refusée"},
  };
  for (const auto& [document, message] : cas) {
    const auto debut = std::chrono::steady_clock::now();
    const Issue issue = lire(document);
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(2)) << message;
    EXPECT_NE(issue.erreur.find("n'est pas un fichier GPX valable " + message), std::string::npos)
        << issue.erreur << "\nattendu : " << message;
    EXPECT_EQ(issue.octets.find("hahaha"), std::string::npos);
  }
}

TEST(Gpx, PhrasesDuRecepteurVersGpx) {
  // Which receiver lines become points: well-formed $GPWPL with a right checksum only.
  auto phrase = [](std::string corps) {
    char somme[4];
    std::snprintf(somme, sizeof somme, "*%02X", sommeControle(corps));
    return "$" + corps + somme;
  };
  const std::pair<std::string, bool> lignes[] = {
      {"$GPWPL,4530.123,N,00130.456,E,PDC0010C*59", true},
      {"$GPWPL,4530.123,N,00130.456,E,PDC0010C*58", false},  // wrong checksum
      {"$GPWPL,4530.123,N,00130.456,E,PDC0010C", false},     // none
      {phrase("GPWPL,4530.123,N,00130.456,E,A,B"), false},    // seven fields
      {phrase("GPRMC,4530.123,N,00130.456,E,ABC"), false},
      {phrase("GPWPL,9130.000,N,00130.456,E,A"), false},      // beyond 90°
      {phrase("GPWPL,4530.123,X,00130.456,E,A"), false},
      {phrase("GPWPL,4530.1234,S,00130.4,W,fine"), true},     // other precisions are positions too
  };
  std::string entree;
  long long attendus = 0;
  for (const auto& [ligne, bonne] : lignes) {
    Waypoint w;
    long long lat = 0, lon = 0;
    EXPECT_EQ(lirePhraseWpl(ligne, w) &&
                  degresDepuisTexte(w.latitudeDegres, w.latitudeMinutes, w.nordSud, 'N', 'S', 90, lat) &&
                  degresDepuisTexte(w.longitudeDegres, w.longitudeMinutes, w.estOuest, 'E', 'W', 180, lon),
              bonne)
        << ligne;
    entree += ligne + "\r\n";
    attendus += bonne;
  }
  const Issue issue = lire(entree, Mode::Profil, true, 3, TypeEntree::Zor);
  EXPECT_EQ(issue.bilan.enregistrements, 8);
  EXPECT_EQ(issue.bilan.ignores, 8 - attendus);
  EXPECT_NE(issue.octets.find("<wpt lat=\"-45.5020567\" lon=\"-1.5066667\">\n    <name>fine</name>"), std::string::npos);
  EXPECT_NE(issue.octets.find("<wpt lat=\"45.5020500\" lon=\"1.5076000\">\n    <name>PDC0010C</name>"), std::string::npos);
  // Names decoded from Windows-1252 and escaped; a control character cannot go into XML 1.0.
  const Issue g7 = lire("W  \xC9<&\">\x01          N45 30.000  W001 15.000\r\n", Mode::Waypoint, true, 1 << 20,
                        TypeEntree::G7towin);
  EXPECT_NE(g7.octets.find("<wpt lat=\"45.5000000\" lon=\"-1.2500000\">\n    <name>\xC3\x89&lt;&amp;&quot;&gt;</name>"),
            std::string::npos) << g7.octets;
  EXPECT_TRUE(g7.octets.ends_with("</gpx>\n"));
}

TEST(Gpx, AllerRetourAuMillemeDeMinute) {
  // GPX -> sentences -> GPX keeps every point to the thousandth of a minute.
  std::string points;
  std::vector<std::pair<long long, long long>> entree;  // thousandths of a minute, signed
  for (int i = 0; i < 3000; ++i) {
    const double lat = std::fmod(i * 12.3456789, 180.0) - 90.0, lon = std::fmod(i * 47.1234567, 360.0) - 180.0;
    char p[96];
    std::snprintf(p, sizeof p, "<wpt lat=\"%.7f\" lon=\"%.7f\"/>", lat, lon);
    points += p;
    const std::string texte(p);
    long long m[2];
    bool negatif[2];
    for (int k = 0; k < 2; ++k) {
      const std::size_t debut = texte.find('"', k == 0 ? 0 : texte.find("lon")) + 1;
      lireDegres(texte.substr(debut, texte.find('"', debut) - debut), 180, m[k], negatif[k]);
    }
    entree.emplace_back(negatif[0] ? -m[0] : m[0], negatif[1] ? -m[1] : m[1]);
  }
  const Issue phrases = lire(gpx(points));
  const Issue retour = lire(phrases.octets, Mode::Profil, true, 1 << 20, TypeEntree::Zor);
  ASSERT_EQ(retour.bilan.ignores, 0);
  std::size_t p = 0;
  for (const auto& [lat, lon] : entree) {
    p = retour.octets.find("<wpt lat=\"", p);
    ASSERT_NE(p, std::string::npos);
    const double relat = std::stod(retour.octets.substr(p + 10));
    const double relon = std::stod(retour.octets.substr(retour.octets.find("lon=\"", p) + 5));
    EXPECT_EQ(std::llround(relat * 60000), lat);
    EXPECT_EQ(std::llround(relon * 60000), lon);
    ++p;
  }
}

}  // namespace
}  // namespace zor::conversion
