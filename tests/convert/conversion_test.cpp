// One run from file to file: the dispatch on the type text and what happens to the files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <filesystem>

#include "convert/conversion.h"
#include "convert/rapport.h"
#include "convert/reconnaissance.h"
#include "tests/convert/conversion_essai.h"
#include "core/erreur.h"
#include "tests/support/outils.h"

namespace zor::conversion {
namespace {

namespace fs = std::filesystem;

TEST(Conversion, LeTypeSeCompareExactement) {
  const std::pair<const char*, const FormatEntree*> cas[] = {
      {"Format ZOR", format::Zor},        {"G7towin", format::G7towin},
      {"Autoroute Express 2001", format::AutorouteExpress},
      {"format ZOR", nullptr},       {"G7towin ", nullptr},
      {"g7towin", nullptr},          {"Autoroute Express  2001", nullptr},
      {"", nullptr},
  };
  for (const auto& [texte, type] : cas) EXPECT_EQ(formatSelonTexte(texte), type) << texte;
}

// A disk that fills up after `place` bytes, in the middle of a line as a real one does.
class SortiePleine : public Sortie {
 public:
  explicit SortiePleine(std::size_t place) : Sortie(4096), place_(place) {}
  const std::string& octets() const { return octets_; }

 protected:
  void deverser(std::string_view o) override {
    const std::size_t pris = std::min(o.size(), place_ - octets_.size());
    octets_.append(o.substr(0, pris));
    if (pris < o.size()) {
      noterPartiel(pris);
      throw Echec(erreurFichier(Erreur::Genre::FichierNonEcrit, "c:\\$_t_e_m_p", ENOSPC));
    }
  }
  void ramenerA(unsigned long long taille) noexcept override { octets_.resize(std::min<std::size_t>(taille, octets_.size())); }

 private:
  std::size_t place_;
  std::string octets_;
};

// On a full disk the window shows as many sentences as the interchange file holds, not more.
TEST(Conversion, LEchoNeMontreJamaisPlusQueLeFichier) {
  std::string g7, zor;
  for (int i = 0; i < 2000; ++i) {
    g7 += "W  WPT001          N45 30.123  E001 30.456\r\n";
    zor += "$GPWPL,4530.123,N,00130.456,E,WPT" + std::to_string(1000 + i) + "*00\r\n";
  }
  for (const auto& [type, texte] : {std::pair{format::G7towin, g7}, std::pair{format::Zor, zor}}) {
    SourceMemoire source(texte);
    SortiePleine pleine(30000);
    std::string echo = "run précédent\r\n";
    EXPECT_THROW(convertirDepuis(type, source, pleine, Mode::Profil, &echo), Echec);
    const auto lignes = [](const std::string& s) { return std::count(s.begin(), s.end(), '$'); };
    EXPECT_GT(lignes(pleine.octets()), 100);
    EXPECT_EQ(lignes(echo), lignes(pleine.octets())) << type->nomCli;
    EXPECT_EQ(echo.rfind("run précédent\r\n", 0), 0u);
    EXPECT_EQ(echo.substr(echo.size() - 2), "\r\n");
  }
}

class ConversionFichiers : public ::testing::Test {
 protected:
  fs::path chemin(const char* nom) { return lecteur.chemin() / nom; }
  test::LecteurCTemporaire lecteur;
};

TEST_F(ConversionFichiers, ChaqueRunVideLeFichierDEchange) {
  const fs::path echange = chemin("$_t_e_m_p");
  test::ecrireOctets(echange, "ancien contenu\r\n");
  test::ecrireOctets(chemin("e.txt"), "$X\r\n");
  // A type that names no reader opens nothing, not even a missing input.
  EXPECT_EQ(convertirVersFichier(nullptr, chemin("absent.txt"), echange, Mode::Profil), 0);
  EXPECT_EQ(test::lireOctets(echange), "");
  EXPECT_EQ(convertirVersFichier(format::Zor, chemin("e.txt"), echange, Mode::Profil), 1);
  EXPECT_EQ(test::lireOctets(echange), "$X\r\n");
}

TEST_F(ConversionFichiers, EchecsNommantLeFichier) {
  const fs::path echange = chemin("$_t_e_m_p");
  test::ecrireOctets(echange, "ancien\r\n");
  fs::create_directory(chemin("dossier"));
  struct Cas {
    fs::path entree, sortie, fautif;
  } cas[] = {
      {chemin("absent.txt"), echange, chemin("absent.txt")},
      {chemin("dossier"), echange, chemin("dossier")},
      {"", echange, ""},  // the dialog cancelled on its first use
      {chemin("dossier"), chemin("nulle/part/$_t_e_m_p"), chemin("nulle/part/$_t_e_m_p")},
      {chemin("tube"), echange, chemin("tube")},  // a FIFO would hold the window until a writer came
  };
  ASSERT_EQ(::mkfifo(chemin("tube").c_str(), 0600), 0);
  for (const Cas& c : cas) {
    for (const FormatEntree* type : {format::Zor, format::G7towin, format::AutorouteExpress}) {
      try {
        convertirVersFichier(type, c.entree, c.sortie, Mode::Profil);
        ADD_FAILURE() << c.entree << " : pas d'échec";
      } catch (const Echec& e) {
        EXPECT_EQ(e.erreur().fichier, c.fautif.string());
        if (c.entree != chemin("tube")) {
          EXPECT_NE(e.erreur().numeroSysteme, 0);
        }
      }
    }
  }
  // The interchange file was emptied by the runs that reached it.
  EXPECT_EQ(test::lireOctets(echange), "");
}

// What a file's content says of its format, and the bytes looked at handed over again.
TEST(Conversion, LeContenuDitLeType) {
  std::string axe = std::string("\0\1junk", 6) + "MASM" + std::string(200, '\0');
  const std::pair<std::string, const FormatEntree*> cas[] = {
      {"<?xml version=\"1.0\"?>\n<!-- a comment -->\n<gpx version=\"1.1\"><wpt lat=\"1\" lon=\"1\"/></gpx>", format::Gpx},
      {"\xEF\xBB\xBF<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\"/>", format::Gpx},
      {"<gpx>\n<wpt lat=\"1\" lon=\"1\">", format::Gpx},  // cut short: still GPX, refused when read
      {"<kml><gpx/></kml>", nullptr},
      {axe, format::AutorouteExpress},
      {"$GPWPL,4530.123,N,00130.456,E,MASM01*00\r\n", nullptr},  // the marker in a text: no binary file
      {"W  WPT001          N45 30.123  E001 30.456\r\n", nullptr},
      {std::string("\x7f\0binary", 8), nullptr},
      {"", nullptr},
  };
  for (const auto& [octets, attendu] : cas) {
    SourceMemoire memoire(octets, 3);
    SourceRelue source(memoire);
    EXPECT_EQ(formatSelonContenu(source), attendu) << octets.substr(0, 30);
    std::string relu;
    for (std::string_view bloc = source.lire(); !bloc.empty(); bloc = source.lire()) relu.append(bloc);
    EXPECT_EQ(relu, octets);
  }
}

// A file given to the window: its content first, then the list's type; a GPX line chosen and
// fitted as zor-cli does; nothing read for a text of no type the list names. Only a run that
// took records writes the interchange file and the echo: a folder, a broken document or a file
// without records leave both as they were.
TEST_F(ConversionFichiers, UnFichierDonneALaFenetre) {
  std::string trace;
  for (int i = 0; i < 400; ++i)
    trace += "<trkpt lat=\"" + std::to_string(45 + i * 1e-4) + "\" lon=\"" + std::to_string(6 + 1e-3 * std::sin(i / 9.0)) + "\"/>";
  test::ecrireOctets(chemin("sortie.gpx"), "<gpx><wpt lat=\"1\" lon=\"1\"/><trk><name>Sortie</name><trkseg>" + trace +
                                               "</trkseg></trk></gpx>");
  test::ecrireOctets(chemin("g7.txt"), "W  WPT001          N45 30.123  E001 30.456\r\n");
  test::ecrireOctets(chemin("e.axe"), "MASM" + std::string(69, '\0'));
  struct Cas {
    const char* fichier;
    const char* texteType;
    const FormatEntree* lu;
    long long enregistrements;
  } cas[] = {
      {"sortie.gpx", "Format ZOR", format::Gpx, 255}, {"sortie.gpx", "", format::Gpx, 255},
      {"g7.txt", "G7towin", format::G7towin, 1},     {"g7.txt", "Format ZOR", format::Zor, 0},
      {"g7.txt", "gpx", nullptr, 0},                 {"e.axe", "G7towin", format::AutorouteExpress, 0},
  };
  const fs::path echange = chemin("$_t_e_m_p");
  for (const Cas& c : cas) {
    test::ecrireOctets(echange, "ancien\r\n");
    std::string echo;
    const Rapport r = convertirFichierDonne(chemin(c.fichier), c.texteType, Mode::Profil, echange, &echo);
    const std::string quoi = c.fichier + std::string(" / ") + c.texteType;
    EXPECT_EQ(r.format, c.lu) << quoi;
    EXPECT_EQ(r.enregistrements, c.enregistrements) << quoi;
    EXPECT_EQ(std::count(echo.begin(), echo.end(), '$'), c.enregistrements) << quoi;
    if (c.enregistrements == 0) {
      EXPECT_EQ(test::lireOctets(echange), "ancien\r\n") << quoi;
    } else {
      EXPECT_EQ(test::lireOctets(echange).substr(0, 7), "$GPWPL,") << quoi;
    }
  }
  test::ecrireOctets(chemin("coupe.gpx"), "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"1\"/>");
  fs::create_directory(chemin("dossier.gpx"));
  ASSERT_EQ(::mkfifo(chemin("tube.gpx").c_str(), 0600), 0);
  for (const char* illisible : {"coupe.gpx", "dossier.gpx", "absent.gpx", "tube.gpx"}) {
    test::ecrireOctets(echange, "ancien\r\n");
    std::string echo = "avant";
    EXPECT_THROW(convertirFichierDonne(chemin(illisible), "Format ZOR", Mode::Profil, echange, &echo), Echec) << illisible;
    EXPECT_EQ(test::lireOctets(echange), "ancien\r\n") << illisible;
    EXPECT_EQ(echo, "avant") << illisible;
  }
  const Rapport r = convertirFichierDonne(chemin("sortie.gpx"), "", Mode::Profil, echange);
  EXPECT_NE(resumerLigne(r).find("trace « Sortie » : 400 points → 255 (écart max "), std::string::npos) << resumerLigne(r);
}

TEST(Conversion, RapportEnFrancais) {
  const std::pair<long long, const char*> entiers[] = {{0, "0"}, {999, "999"}, {1000, "1 000"}, {3182, "3 182"},
                                                       {1234567, "1 234 567"}, {-1234, "-1 234"}};
  for (const auto& [n, texte] : entiers) EXPECT_EQ(entierEnFrancais(n), texte);
  EXPECT_EQ(kilometres(25449), "25,4 km");
  EXPECT_EQ(kilometres(49), "0,0 km");
  EXPECT_EQ(kilometres(1234567), "1 234,6 km");

  Rapport r;
  r.lignes = {{1, true, "", 12, 3100}, {2, false, "Galibier", 3182, 25400}};
  r.ligneRetenue = 1;
  r.ajustement = LigneAjustee{3182, 255, 6.2};
  EXPECT_EQ(resumerLigne(r), "trace « Galibier » : 3 182 points → 255 (écart max 7 m), 25,4 km ; envoi ≈ 2 min 33 s");
  r.ligneRetenue = 0;
  r.ajustement = LigneAjustee{12, 12, 0};
  EXPECT_EQ(resumerLigne(r), "route 1 : 12 points, 3,1 km ; envoi ≈ 7 s");
  EXPECT_EQ(tableauLignes(r.lignes, 0), "ligne  genre     points        km  nom\n    2  trace      3 182      25,4  Galibier\n");

  r.enregistrements = 999;
  EXPECT_EQ(avertissementProfil(r, Mode::Profil), "");
  r.enregistrements = 1000;
  EXPECT_NE(avertissementProfil(r, Mode::Profil).find("1 000 points de profil"), std::string::npos);
  EXPECT_EQ(avertissementProfil(r, Mode::Waypoint), "");
}

}  // namespace
}  // namespace zor::conversion
