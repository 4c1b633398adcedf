// zor-cli convert as a script would use it: options, exit codes, the line on stderr.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <regex>
#include <thread>

#include "tests/convert/outils_conversion.h"
#include "tests/support/seams.h"

namespace zor::test {
namespace {

std::string q(const std::filesystem::path& p) { return p.string(); }

std::string joindre(const std::vector<std::string>& mots) {
  std::string texte;
  for (const std::string& m : mots) texte += (texte.empty() ? "" : " ") + m;
  return texte;
}

TEST(ZorCliConvert, AideEnFrancais) {
  for (const char* option : {"--help", "-h"}) {
    const ResultatCli r = lancerZorCli({"convert", option});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.sortie.find("Usage : zor-cli convert [--type TYPE]"), std::string::npos);
    EXPECT_NE(r.sortie.find("--ligne N|NOM"), std::string::npos);
    EXPECT_NE(r.sortie.find("Autoroute Express 2001"), std::string::npos);
    EXPECT_NE(r.sortie.find("Code de sortie"), std::string::npos);
  }
}

TEST(ZorCliConvert, OptionsIncorrectes) {
  const std::string g7 = q(donnee("g7towin.txt"));
  const std::string lignes = q(donnee("lignes.gpx"));
  struct Cas {
    std::vector<std::string> arguments;
    const char* dit = "";
  } cas[] = {
      {{"convert", g7}, "--type zor ou --type g7towin"},      // a text file says nothing of its type: what fits
      {{"convert", "--type", "kml", g7}},                       // unknown type
      {{"convert", "--type", "g7towin", "--to", "kml", g7}},    // unknown output format
      {{"convert", "--type", "g7towin"}},                       // no input
      {{"convert", "--type", "g7towin", "--mode", "carte", g7}},  // unknown mode
      {{"convert", "--type", "g7towin", g7, g7}},               // two inputs
      {{"convert", "--type", "g7towin", "--verbose", g7}},      // unknown option
      {{"convert", "--type"}},
      {{"convert", "--type", "g7towin", g7, "-o"}},
      {{"convert", "--points", "1", lignes}},                  // fewer than the first and the last
      {{"convert", "--points", "2.5", lignes}},
      {{"convert", "--ecart", "0", lignes}},
      {{"convert", "--ecart", "-3", lignes}},
      {{"convert", "--ecart", "3,5", lignes}},                  // numbers take a point
      {{"convert", "--ecart", "nan", lignes}},
      {{"convert", "--ligne", "", lignes}},
      {{"convert", "--ligne", "Galibie", lignes}, "    3  trace        620       3,4  Galibier"},  // not there: those there
      {{"convert", "--type", "g7towin", "--ligne", "1", g7}},   // lines are GPX's
      {{"convert", "--ligne", "1", q(donnee("exemple.axe"))}},  // ... whatever says the type
      {{"convert", "--liste", "-o", "liste.txt", lignes}},
  };
  for (const Cas& c : cas) {
    const ResultatCli r = lancerZorCli(c.arguments);
    EXPECT_EQ(r.code, 2) << joindre(c.arguments);
    EXPECT_EQ(r.sortie, "");
    EXPECT_NE(r.erreurs.find("zor-cli convert : "), std::string::npos);
    EXPECT_NE(r.erreurs.find(c.dit), std::string::npos) << r.erreurs;
  }
}

// GPX and Autoroute Express files say what they are: --type may be left out, from a pipe too.
TEST(ZorCliConvert, TypeSelonLeContenu) {
  for (const auto& [fichier, type] : {std::pair{"exemple10.gpx", "gpx"}, std::pair{"exemple.axe", "axe"}}) {
    const std::string avec = lancerZorCli({"convert", "--type", type, q(donnee(fichier))}).sortie;
    EXPECT_EQ(lancerZorCli({"convert", q(donnee(fichier))}).sortie, avec) << fichier;
    EXPECT_EQ(lancerZorCli({"convert", "-"}, {}, 0, q(donnee(fichier))).sortie, avec) << fichier;
  }
}

// The lines of a GPX file: listed, chosen, fitted, told; a file planted as the output stays as
// it was when the line is not there.
TEST(ZorCliConvert, LignesGpx) {
  const std::string lignes = q(donnee("lignes.gpx"));
  const ResultatCli liste = lancerZorCli({"convert", "--liste", lignes});
  EXPECT_EQ(liste.code, 0);
  EXPECT_EQ(liste.sortie,
            "ligne  genre     points        km  nom\n"
            "    1  route         12       3,8  Étape 1\n"
            "    2  route         12       3,8  Étape 2\n"
            "    3  trace        620       3,4  Galibier\n"
            "    4  trace          5       0,4\n");

  const ResultatCli defaut = lancerZorCli({"convert", lignes});
  EXPECT_EQ(defaut.erreurs.find("route « Étape 1 » : 12 points, 3,8 km ; envoi ≈ 7 s\nAutres lignes du fichier"), 0u)
      << defaut.erreurs;
  EXPECT_NE(defaut.sortie.find(",PDC0120A*"), std::string::npos);

  const ResultatCli trace = lancerZorCli({"convert", "--ligne", "3", lignes});
  const std::regex resume("trace « Galibier » : 620 points → 255 \\(écart max [1-9][0-9]* m\\), 3,4 km ; envoi ≈ 2 min 33 s\n"
                          "Nombre d'enregistrements lus : 255\n");
  EXPECT_TRUE(std::regex_match(trace.erreurs, resume)) << trace.erreurs;
  const ResultatCli waypoints = lancerZorCli({"convert", "--mode", "waypoint", lignes});
  EXPECT_EQ(waypoints.sortie.find("$GPWPL,4503.840,N,00624.474,E,ColB\xFB" "c*"), 0u);
  EXPECT_NE(waypoints.sortie.find(",ColB\xE2" "c*"), std::string::npos);

  LecteurCTemporaire dossier;
  const auto sortie = dossier.chemin() / "sortie.txt";
  ecrireOctets(sortie, "ancien contenu");
  const ResultatCli absente = lancerZorCli({"convert", "--ligne", "9", "-o", q(sortie), lignes});
  EXPECT_EQ(absente.code, 2);
  EXPECT_NE(absente.erreurs.find("n'a pas de ligne « 9 »"), std::string::npos) << absente.erreurs;
  EXPECT_EQ(lireOctets(sortie), "ancien contenu");
}

TEST(ZorCliConvert, TypesDeLaListeEtModeParDefaut) {
  const std::pair<std::string, std::string> synonymes[] = {{"zor", "Format ZOR"},
                                                   {"g7towin", "G7towin"},
                                                   {"axe", "Autoroute Express 2001"}};
  const char* fichiers[] = {"zor.txt", "g7towin.txt", "exemple.axe"};
  for (int i = 0; i < 3; ++i) {
    const std::string entree = q(donnee(fichiers[i]));
    const ResultatCli court = lancerZorCli({"convert", "--type", synonymes[i].first, entree});
    const ResultatCli liste = lancerZorCli({"convert", "--type=" + synonymes[i].second, "--mode", "profile", entree});
    EXPECT_EQ(court.code, 0) << fichiers[i];
    EXPECT_EQ(court.sortie, liste.sortie) << fichiers[i];
    EXPECT_FALSE(court.sortie.empty());
  }
  // The default mode is the map profile, as in the window.
  EXPECT_NE(lancerZorCli({"convert", "--type", "axe", q(donnee("exemple.axe"))}).sortie.find(",PDC0010C*"),
            std::string::npos);
}

TEST(ZorCliConvert, TroisIssues) {
  LecteurCTemporaire dossier;
  const auto sortie = dossier.chemin() / "sortie.txt";
  ecrireOctets(sortie, "ancien contenu");

  const ResultatCli succes =
      lancerZorCli({"convert", "--type", "g7towin", "--mode", "waypoint", "-o", q(sortie), q(donnee("g7towin.txt"))});
  EXPECT_EQ(succes.code, 0);
  EXPECT_EQ(succes.sortie, "");
  EXPECT_EQ(succes.erreurs, "Nombre d'enregistrements lus : 6\n");
  EXPECT_NE(lireOctets(sortie).find("\r\n\r\n$GPWPL,4530.123,N,00130.456,E,WPT001*2E\r\n\r\n"), std::string::npos);

  // No record: the output is not replaced.
  const std::string converti = lireOctets(sortie);
  const ResultatCli aucun = lancerZorCli({"convert", "--type", "axe", "-o", q(sortie), q(donnee("zor.txt"))});
  EXPECT_EQ(aucun.code, 1);
  EXPECT_EQ(aucun.erreurs, "Le fichier d'entrée n'est pas valable.Etes-vous sûr d avoir choisi le bon type ?\n");
  EXPECT_EQ(lireOctets(sortie), converti);

  // An input that cannot be read fails before the output is touched.
  const auto garde = dossier.chemin() / "garde.txt";
  ecrireOctets(garde, "a garder");
  for (const auto& illisible : {dossier.chemin() / "absent.txt", dossier.chemin()}) {
    const ResultatCli echec = lancerZorCli({"convert", "--type", "zor", "-o", q(garde), q(illisible)});
    EXPECT_EQ(echec.code, 2);
    EXPECT_EQ(echec.erreurs.find("zor-cli convert : Impossible de lire le fichier " + illisible.string() + " : "), 0u)
        << echec.erreurs;
    EXPECT_EQ(std::count(echec.erreurs.begin(), echec.erreurs.end(), '\n'), 1);
    EXPECT_EQ(lireOctets(garde), "a garder");
  }
  // The input given as the output too is refused, not emptied.
  const auto copie = dossier.chemin() / "copie.txt";
  ecrireOctets(copie, "$A\r\n");
  EXPECT_EQ(lancerZorCli({"convert", "--type", "zor", "-o", q(copie), q(copie)}).code, 2);
  EXPECT_EQ(lancerZorCli({"convert", "--type=zor", q(copie)}, q(copie)).code, 2) << "zor-cli convert F >> F";
  EXPECT_EQ(lancerZorCli({"convert", "--type=zor", "-o", q(copie), "-"}, {}, 0, q(copie)).code, 2)
      << "zor-cli convert - -o F < F";
  EXPECT_EQ(lancerZorCli({"convert", "--type=zor", "-"}, q(copie), 0, q(copie)).code, 2) << "zor-cli convert - < F >> F";
  EXPECT_EQ(lireOctets(copie), "$A\r\n");
  // A device is no file to empty: /dev/null in and out is an empty conversion.
  EXPECT_EQ(lancerZorCli({"convert", "--type", "zor", "-o", "/dev/null", "/dev/null"}).code, 1);
  EXPECT_EQ(lancerZorCli({"convert", "--type", "zor", "/dev/null"}, "/dev/null").code, 1);

  // A file too large for the limit (or a full disk): the output is left as it was, and nothing
  // is left beside it; on the standard output, whole sentences only.
  std::string grand;
  for (int i = 0; i < 2000; ++i) grand += "W  W" + std::to_string(10000 + i) + "          N45 30.123  E001 30.456\r\n";
  ecrireOctets(copie, grand);
  const auto limitee = dossier.chemin() / "limitee.txt";
  ecrireOctets(limitee, "avant");
  for (const char* vers : {"sentences", "gpx"}) {
    const ResultatCli coupe =
        lancerZorCli({"convert", "--type", "g7towin", "--to", vers, "-o", q(limitee), q(copie)}, {}, 5000);
    EXPECT_EQ(coupe.code, 2);
    EXPECT_NE(coupe.erreurs.find("Impossible d'écrire le fichier " + limitee.string() + " : fichier trop grand"),
              std::string::npos)
        << coupe.erreurs;
    EXPECT_EQ(lireOctets(limitee), "avant");
  }
  const auto fluxLimite = dossier.chemin() / "flux.txt";
  EXPECT_EQ(lancerZorCli({"convert", "--type", "g7towin", q(copie)}, q(fluxLimite), 5000).code, 2);
  const std::string ecrit = lireOctets(fluxLimite);
  EXPECT_GT(ecrit.size(), 0u);
  EXPECT_LE(ecrit.size(), 5000u);
  EXPECT_EQ(ecrit.substr(ecrit.size() - 4), "\r\n\r\n") << "cut back to the last whole sentence";

  const ResultatCli sortieImpossible =
      lancerZorCli({"convert", "--type", "zor", "-o", q(dossier.chemin() / "nulle/part"), q(donnee("zor.txt"))});
  EXPECT_EQ(sortieImpossible.code, 2);
  EXPECT_NE(sortieImpossible.erreurs.find("nulle/part : "), std::string::npos);
  std::error_code ec;
  for (const auto& f : std::filesystem::directory_iterator(dossier.chemin(), ec))
    EXPECT_EQ(f.path().extension(), ".txt") << "a file left beside the output: " << f.path();
}

TEST(ZorCliConvert, GpxEntreeEtSortie) {
  LecteurCTemporaire dossier;
  const auto sortie = dossier.chemin() / "sortie.txt";
  const ResultatCli lu = lancerZorCli({"convert", "--type", "gpx", "--mode", "waypoint", "-o", q(sortie), q(donnee("exemple.gpx"))});
  EXPECT_EQ(lu.code, 0);
  EXPECT_EQ(lu.erreurs, "2 points de trace (<trk>) ignorés : ce ne sont pas des waypoints ; --ligne N prend les points de la "
                        "ligne N (--liste les montre).\nNombre d'enregistrements lus : 7\n");
  EXPECT_EQ(lireOctets(sortie).find("$GPWPL,4900.000,N,00230.000,W,Ellada*74\r\n\r\n"), 0u);

  // Bad input: exit 2, one message naming the file and the line, the output as it was.
  const auto mauvais = dossier.chemin() / "mauvais.gpx";
  const std::string avant = lireOctets(sortie);
  ecrireOctets(mauvais, "<gpx>\n<wpt lat=\"91\" lon=\"1\"/>\n</gpx>\n");
  const ResultatCli refuse = lancerZorCli({"convert", "--type", "gpx", "-o", q(sortie), q(mauvais)});
  EXPECT_EQ(refuse.code, 2);
  EXPECT_EQ(refuse.erreurs, "zor-cli convert : Le fichier " + mauvais.string() +
                                " n'est pas un fichier GPX valable (ligne 2) : latitude 91 hors de -90 à 90.\n");
  EXPECT_EQ(lireOctets(sortie), avant);
  // A track alone makes a profile: a line of one point, one profile point.
  ecrireOctets(mauvais, "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg></trk></gpx>");
  const ResultatCli seul = lancerZorCli({"convert", "--type", "gpx", q(mauvais)});
  EXPECT_EQ(seul.code, 0);
  EXPECT_EQ(seul.sortie, "$GPWPL,0100.000,N,00100.000,E,PDC0010C*5E\r\n\r\n");
  // A document cut short on a pipe: no sentence reaches the standard output.
  const std::string document = lireOctets(donnee("lignes.gpx"));
  ecrireOctets(mauvais, document.substr(0, document.size() - 20));
  const ResultatCli coupe = lancerZorCli({"convert", "-"}, {}, 0, q(mauvais));
  EXPECT_EQ(coupe.code, 2);
  EXPECT_EQ(coupe.sortie, "");

  // Any input to GPX, the receiver's lines checked; from the standard input as well.
  const ResultatCli zor = lancerZorCli({"convert", "--type", "zor", "--to", "gpx", "-"}, {}, 0, q(donnee("zor.txt")));
  EXPECT_EQ(zor.code, 0);
  EXPECT_EQ(zor.sortie, lireOctets(dossierDonnees() / ".." / ".." / "windows" / "attendu" / "zor.gpx"));
  EXPECT_NE(zor.erreurs.find("3 lignes « $ » ignorées"), std::string::npos) << zor.erreurs;
  const ResultatCli aide = lancerZorCli({"convert", "--help"});
  EXPECT_NE(aide.sortie.find("--to FORMAT"), std::string::npos);
  EXPECT_NE(aide.sortie.find("gpx"), std::string::npos);
}

// Text written on Linux: told about, read as the window reads it, or line by line with --lf.
TEST(ZorCliConvert, FinsDeLigneLf) {
  LecteurCTemporaire dossier;
  const auto lf = dossier.chemin() / "lf.txt";
  ecrireOctets(lf, "W  WPT001          N45 30.123  E001 30.456\nW  WPT002          N45 30.123  E001 30.456\n");
  const ResultatCli sans = lancerZorCli({"convert", "--type", "g7towin", q(lf)});
  EXPECT_EQ(sans.code, 0);
  EXPECT_NE(sans.erreurs.find("n'a que des fins de ligne LF"), std::string::npos) << sans.erreurs;
  EXPECT_NE(sans.erreurs.find("lus : 1"), std::string::npos) << sans.erreurs;
  const ResultatCli avec = lancerZorCli({"convert", "--type", "g7towin", "--lf", q(lf)});
  EXPECT_EQ(avec.erreurs, "Nombre d'enregistrements lus : 2\n");
  EXPECT_EQ(avec.sortie, "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n$GPWPL,4530.123,N,00130.456,E,PDC0020A*58\r\n\r\n");
}

// Interrupted, the conversion leaves its output as it was and nothing beside it; a second one
// into a file another holds is refused.
TEST(ZorCliConvert, InterrompueOuConcurrenteLaSortieResteIntacte) {
  LecteurCTemporaire dossier;
  const auto sortie = dossier.chemin() / "sortie.txt";
  ecrireOctets(sortie, "a garder");
  Processus p(programmeConstruit("zor-cli"), {"convert", "--type", "g7towin", "-o", q(sortie), "-"});
  ASSERT_TRUE(p.demarre());
  const std::string ligne = "W  WPT001          N45 30.123  E001 30.456\r\n";
  std::string bloc;
  for (int i = 0; i < 2000; ++i) bloc += ligne;
  p.ecrire(bloc);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  p.signaler(SIGINT);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  for (int i = 0; i < 10; ++i) p.ecrire(bloc);  // the next block sees the request
  p.fermerEntree();
  EXPECT_EQ(p.attendreFin(std::chrono::seconds(20)), 130);
  EXPECT_NE(p.erreurs().find("interrompue"), std::string::npos);
  EXPECT_EQ(lireOctets(sortie), "a garder");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier.chemin()), std::filesystem::directory_iterator()), 1);

  const int fd = ::open(sortie.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  const ResultatCli seconde = lancerZorCli({"convert", "--type", "zor", "-o", q(sortie), q(donnee("zor.txt"))});
  ::close(fd);
  EXPECT_EQ(seconde.code, 2);
  EXPECT_NE(seconde.erreurs.find("en train d'être écrit par un autre programme"), std::string::npos) << seconde.erreurs;
  EXPECT_EQ(lireOctets(sortie), "a garder");
}

}  // namespace
}  // namespace zor::test
