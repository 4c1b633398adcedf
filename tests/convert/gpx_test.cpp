// GPX in and out: the rounding of coordinates, the receiver's name rule, the structure of the
// files read, the faults (with their line), and the round trip GPX -> sentences -> GPX.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <set>
#include <cmath>
#include <string>

#include "convert/conversion.h"
#include "tests/convert/conversion_essai.h"
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
  Rapport rapport;
  std::string octets, erreur;
};

// Every byte written goes out at once: nothing written before a failure can hide in a buffer.
Issue lire(const std::string& document, const Demande& demande, bool versGpx = false, std::size_t bloc = 1 << 20) {
  SourceMemoire source(document, bloc);
  SortieMemoire sortie(1);
  std::unique_ptr<Ecrivain> ecrivain = (versGpx ? formatSortieSelonNom("gpx") : formatSortieSelonNom("sentences"))->creer(sortie);
  Issue issue;
  try {
    issue.rapport = convertir(source, *ecrivain, demande);
  } catch (const Echec& e) {
    issue.erreur = decrire(e.erreur());
  }
  issue.octets = sortie.octets();
  return issue;
}

Issue lire(const std::string& document, Mode mode = Mode::Waypoint, bool versGpx = false, std::size_t bloc = 1 << 20,
           const FormatEntree* type = format::Gpx) {
  return lire(document, demandeDe(type, mode), versGpx, bloc);
}

// The names of the sentences written, one blank after each.
std::string nomsEcrits(const std::string& octets) {
  std::string noms;
  for (std::size_t debut = 0, fin; (fin = octets.find("\r\n", debut)) != std::string::npos; debut = fin + 2) {
    const std::string ligne = octets.substr(debut, fin - debut);
    if (!ligne.empty()) noms += ligne.substr(ligne.rfind(',') + 1, ligne.rfind('*') - ligne.rfind(',') - 1) + " ";
  }
  return noms;
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
    Degres d;
    EXPECT_EQ(lireDegres(c.texte, c.maximum, d), c.lecture) << c.texte;
    if (c.lecture != LectureDegres::Nombre) continue;
    EXPECT_EQ(d.milliemes, c.milliemes) << c.texte;
    EXPECT_EQ(d.negatif, c.negatif) << c.texte;
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
      {"  Pic, *du* $Midi! ", "PicMid"},
      {"A\tB\r\nC", "A B C"},      // six bytes or fewer: blanks and small words stay
      {"Le Sap", "Le Sap"},
      {"Mont Blanc", "MontBl"},      // longer: the blanks go before the cut
      {"Col de la Bûche", "ColB\xFB" "c"},
      {"Col de la Bâche", "ColB\xE2" "c"},
      {"Pic de l'Ours", "PicOur"},
      {"COL D\u2019IZOARD", "COLIZO"},
      {"Lac à l'Eau Et Aux Prés", "LacEau"},
      {"les des du de", "lesdes"},   // small words only: kept, blanks gone
      {"Ça & là", "\xC7" "a&l\xE0"},
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
      EXPECT_EQ(nomsEcrits(issue.octets), c.noms) << c.quoi << " (blocs de " << bloc << ")";
      EXPECT_EQ(issue.rapport.pointsDeTrace, c.trace) << c.quoi;
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
      {gpx("<rte><rtept lon=\"1\"/></rte>"), "(ligne 3) : point sans latitude (attribut lat)"},
      {gpx("<trk><trkseg><trkpt lat=\"1\"/></trkseg></trk>"), "(ligne 3) : point sans longitude (attribut lon)"},
      {gpx("<trk><trkseg><trkpt lat=\"1\" lon=\"180.5\"/></trkseg></trk>"), "(ligne 3) : longitude 180.5 hors de -180 à 180"},
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
  const Issue issue = lire(entree, Mode::Profil, true, 3, format::Zor);
  EXPECT_EQ(issue.rapport.enregistrements, 8);
  EXPECT_EQ(issue.rapport.ignores, 8 - attendus);
  EXPECT_NE(issue.octets.find("<wpt lat=\"-45.5020567\" lon=\"-1.5066667\">\n    <name>fine</name>"), std::string::npos);
  EXPECT_NE(issue.octets.find("<wpt lat=\"45.5020500\" lon=\"1.5076000\">\n    <name>PDC0010C</name>"), std::string::npos);
  // Names decoded from Windows-1252 and escaped; a control character cannot go into XML 1.0.
  const Issue g7 = lire("W  \xC9<&\">\x01          N45 30.000  W001 15.000\r\n", Mode::Waypoint, true, 1 << 20,
                        format::G7towin);
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
    for (int k = 0; k < 2; ++k) {
      const std::size_t debut = texte.find('"', k == 0 ? 0 : texte.find("lon")) + 1;
      Degres d;
      lireDegres(texte.substr(debut, texte.find('"', debut) - debut), 180, d);
      m[k] = d.negatif ? -d.milliemes : d.milliemes;
    }
    entree.emplace_back(m[0], m[1]);
  }
  const Issue phrases = lire(gpx(points));
  const Issue retour = lire(phrases.octets, Mode::Profil, true, 1 << 20, format::Zor);
  ASSERT_EQ(retour.rapport.ignores, 0);
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

// A track first (two segments, 600 points), then a route, then a track of one point, and a
// loose waypoint: which line each request writes, and how.
TEST(Gpx, LignesChoisiesEtAjustees) {
  std::string trace;
  for (int i = 0; i < 600; ++i) {
    char p[80];
    std::snprintf(p, sizeof p, "<trkpt lat=\"%.7f\" lon=\"%.7f\"/>", 45 + i * 1e-4, 6 + 0.01 * std::sin(i / 40.0));
    trace += p + std::string(i == 299 ? "</trkseg><trkseg>" : "");
  }
  const std::string document = gpx(
      "<wpt lat=\"1\" lon=\"1\"><name>Libre</name></wpt><trk><name>T1</name><trkseg>" + trace +
      "</trkseg></trk><rte><name>R</name><rtept lat=\"2\" lon=\"2\"><name>A</name></rtept><rtept lat=\"2.1\" lon=\"2\">"
      "<name>B</name></rtept><rtept lat=\"2.2\" lon=\"2\"><name>C</name></rtept></rte>"
      "<trk><trkseg><trkpt lat=\"3\" lon=\"3\"/></trkseg></trk>");
  struct Cas {
    Mode mode;
    const char* ligne;
    long long points;
    double ecart;
    long long enregistrements;
    std::optional<std::size_t> retenue;
    const char* noms;  // "" : not looked at
  } cas[] = {
      {Mode::Profil, "", 0, 0, 3, 1, "PDC0010C PDC0020A PDC0030A "},  // the first route, whole
      {Mode::Profil, "1", 0, 0, 255, 0, ""},                          // a track: 255 points
      {Mode::Profil, "T1", 20, 0, 20, 0, ""},
      {Mode::Profil, "1", 0, 1e6, 2, 0, ""},                          // everything within: first and last
      {Mode::Profil, "3", 0, 0, 1, 2, "PDC0010C "},                   // a line of one point
      {Mode::Profil, "R", 2, 0, 2, 1, ""},                            // a route fitted when asked
      {Mode::Profil, "4", 0, 0, 0, std::nullopt, ""},                 // no such line: nothing
      {Mode::Profil, "t1", 0, 0, 0, std::nullopt, ""},                // names compare exactly
      {Mode::Waypoint, "", 0, 0, 4, std::nullopt, "Libre A B C "},    // <wpt>, then <rtept>
      {Mode::Waypoint, "2", 0, 0, 3, 1, "A B C "},
  };
  for (const Cas& c : cas) {
    Demande demande = demandeDe(format::Gpx, c.mode);
    demande.ligne = c.ligne;
    demande.ajustement = {c.points, c.ecart};
    const std::string quoi = std::string(c.mode == Mode::Profil ? "profil" : "waypoint") + " --ligne " + c.ligne;
    for (const std::size_t bloc : {std::size_t{5}, std::size_t{1} << 20}) {
      const Issue issue = lire(document, demande, false, bloc);
      EXPECT_EQ(issue.erreur, "") << quoi;
      EXPECT_EQ(issue.rapport.enregistrements, c.enregistrements) << quoi;
      EXPECT_EQ(issue.rapport.ligneRetenue, c.retenue) << quoi;
      EXPECT_EQ(issue.rapport.ligneIntrouvable, c.enregistrements == 0) << quoi;
      if (*c.noms != '\0') {
        EXPECT_EQ(nomsEcrits(issue.octets), c.noms) << quoi;
      }
      EXPECT_EQ(issue.rapport.pointsDeTrace, c.mode == Mode::Waypoint && *c.ligne == '\0' ? 601 : 0) << quoi;
    }
  }
  // As GPX: the profile is one route named after its line; waypoints stay <wpt>.
  const std::string route = lire(document, Mode::Profil, true).octets;
  EXPECT_NE(route.find("  <rte>\n    <name>R</name>\n    <rtept lat=\"2.0000000\" lon=\"2.0000000\">\n      <name>PDC0010C"
                       "</name>\n    </rtept>\n"), std::string::npos) << route;
  EXPECT_EQ(route.find("<wpt"), std::string::npos);
  EXPECT_NE(route.find("</rte>\n</gpx>\n"), std::string::npos);
  EXPECT_NE(lire(gpx("<wpt lat=\"1\" lon=\"1\"/>"), Mode::Profil, true).octets.find("<rte>\n    <name>Profil de carte</name>"),
            std::string::npos);
  EXPECT_EQ(lire(document, Mode::Waypoint, true).octets.find("<rte>"), std::string::npos);
  // A line without a point is no profile: the next one, else the loose waypoints.
  const Issue vide = lire(gpx("<wpt lat=\"1\" lon=\"1\"/><rte><name>vide</name></rte><trk><trkseg><trkpt lat=\"2\" "
                              "lon=\"2\"/></trkseg></trk>"), Mode::Profil);
  EXPECT_EQ(vide.rapport.ligneRetenue, std::optional<std::size_t>(1));
  EXPECT_EQ(lire(gpx("<wpt lat=\"1\" lon=\"1\"/><rte/><trk/>"), Mode::Profil).rapport.enregistrements, 1);
}

// A file cut short, damaged at its end, or whose line is missing writes nothing at all: a pipe
// to the upload sends no partial set.
TEST(Gpx, RienNEstEcritAvantQueLeDocumentSoitEntier) {
  std::string points;
  for (int i = 0; i < 2000; ++i) points += "<wpt lat=\"45\" lon=\"6\"><name>P" + std::to_string(i) + "</name></wpt>\n";
  const std::string entier = gpx(points);
  Demande absente = demandeDe(format::Gpx, Mode::Profil);
  absente.ligne = "1";
  for (const bool versGpx : {false, true}) {
    for (const std::string& document : {entier.substr(0, entier.size() / 2), entier.substr(0, entier.size() - 3),
                                        gpx(points + "<wpt lat=\"91\" lon=\"6\"/>")}) {
      const Issue issue = lire(document, Mode::Waypoint, versGpx, 4096);
      EXPECT_NE(issue.erreur, "");
      EXPECT_EQ(issue.octets, "");
    }
    EXPECT_EQ(lire(entier, absente, versGpx).octets, "");
  }
}

// No tag, text or comment is held whole past 1 MiB: a file made to exhaust memory stops at once.
TEST(Gpx, BalisesEtTextesBornes) {
  const std::string enorme(3 << 20, 'a');
  const std::pair<std::string, std::string> cas[] = {
      {gpx("\n<wpt lat=\"1\" lon=\"1\" x=\"" + enorme + "\"/>"), "(ligne 4) : "},
      {gpx("<wpt lat=\"1\" lon=\"1\"><desc>\n" + enorme + "</desc></wpt>"), ""},
      {gpx("<wpt lat=\"1\" lon=\"1\"><name>" + enorme + "</name></wpt>"), ""},
      {gpx("<!--" + enorme + "-->"), ""},
  };
  for (const auto& [document, ligne] : cas) {
    const Issue issue = lire(document);
    EXPECT_NE(issue.erreur.find("n'est pas un fichier GPX valable"), std::string::npos) << issue.erreur;
    EXPECT_NE(issue.erreur.find(ligne + "balise, attribut ou texte de plus de 1 Mio"), std::string::npos) << issue.erreur;
  }
  // Below the bound, a long description is read as any other.
  EXPECT_EQ(lire(gpx("<wpt lat=\"1\" lon=\"1\"><desc>" + std::string(900000, 'a') + "</desc></wpt>")).rapport.enregistrements, 1);
}

// Unique names whatever comes: a name not given yet is kept; the others get numbers that no
// name given before or after takes (names that run into each other's numbers included).
TEST(Gpx, NomsUniquesQuelsQuIlsSoient) {
  NomsUniques noms;
  std::set<std::string> donnes;
  for (int i = 0; i < 30000; ++i) {
    const std::string nom = i % 5 == 0   ? nomPourRecepteur("WPT" + std::to_string(i / 5 % 1500))
                            : i % 5 == 1 ? std::string("Maison")
                            : i % 5 == 2 ? "Mais" + std::to_string(i % 97)
                            : i % 5 == 3 ? std::string()
                                         : nomPourRecepteur("Refuge du Col " + std::to_string(i));
    const std::string attribue = noms.attribuer(nom);
    if (!nom.empty() && !donnes.count(nom)) {
      EXPECT_EQ(attribue, nom);
    }
    EXPECT_LE(attribue.size(), 6u);
    EXPECT_TRUE(donnes.insert(attribue).second) << attribue << " donné deux fois (" << nom << ")";
  }
}

}  // namespace
}  // namespace zor::conversion
