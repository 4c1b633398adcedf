// zor-cli upload / download and zor-sim, run as a user runs them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "serial/brut.h"
#include "tests/serial/outils_serie.h"
#include "tests/support/processus.h"
#include "tests/support/seams.h"

namespace zor::test {
namespace {

namespace fs = std::filesystem;
using Arguments = std::vector<std::string>;

Arguments operator+(Arguments a, const Arguments& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Resultat lancer(const char* nom, const Arguments& arguments, Lancement lancement = {}) {
  return executer(programmeConstruit(nom), arguments, std::move(lancement));
}

// zor-sim running beside the test; its first line names the device.
class Simulateur {
 public:
  explicit Simulateur(const Arguments& arguments) : processus_(programmeConstruit("zor-sim"), arguments) {
    processus_.attendreSortie("\n");
    const std::string& ligne = processus_.sortie();
    const auto egal = ligne.find('=');
    if (egal != std::string::npos) peripherique_ = ligne.substr(egal + 1, ligne.find('\n') - egal - 1);
  }
  const std::string& peripherique() const { return peripherique_; }
  // The receiver goes away at once (a cable pulled out): its terminal hangs up.
  void tuer() {
    processus_.signaler(SIGKILL);
    processus_.attendreFin(std::chrono::seconds(5));
  }
  // What it printed, once `attendu` shows up (or after 5 s).
  std::string sortie(const std::string& attendu, int dixiemes = 50) {
    processus_.attendreSortie(attendu, std::chrono::milliseconds(100 * dixiemes));
    return processus_.sortie();
  }

 private:
  Processus processus_;
  std::string peripherique_;
};

// Before the first byte, each "$" line that is no $GPWPL sentence with a right checksum is named
// (the window sends them without a word) and leaves anyway; --strict sends nothing.
TEST(Outils, EnvoiNommeLesPhrasesDouteuses) {
  LecteurCTemporaire dossier;
  const std::string fichier = (dossier.chemin() / "echange.txt").string();
  ecrireOctets(fichier, "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n$GPRMC,123519,A*6A\r\n"
                                      "$GPWPL,4530.123,N,00130.456,E,PDC0020A*00\r\n");
  for (const bool strict : {false, true}) {
    Simulateur gps({"recevoir"});
    const auto r = lancer("zor-cli", Arguments{"upload", "--port", gps.peripherique(), fichier} +
                                         (strict ? Arguments{"--strict"} : Arguments{}));
    const auto rmc = r.erreurs.find("  ligne 2 : ce n'est pas une phrase $GPWPL : $GPRMC,123519,A*6A\n");
    const auto somme = r.erreurs.find("  ligne 3 : somme de contrôle fausse (*58 attendue) : $GPWPL,4530.123");
    EXPECT_NE(rmc, std::string::npos) << r.erreurs;
    EXPECT_LT(rmc, somme) << r.erreurs;
    const std::string vu = gps.sortie("port fermé");
    if (strict) {
      EXPECT_EQ(r.code, 2) << r.erreurs;
      EXPECT_NE(r.erreurs.find("a 2 lignes « $ » qui ne sont pas des phrases $GPWPL à la bonne somme de contrôle (la "
                               "première : ligne 2) : rien n'a été envoyé."),
                std::string::npos)
          << r.erreurs;
      EXPECT_EQ(vu.find("$GP"), std::string::npos) << vu;
    } else {
      EXPECT_EQ(r.code, 0) << r.erreurs;
      EXPECT_LT(somme, r.erreurs.find("1 : $GPWPL")) << r.erreurs << ": named before the first byte";
      EXPECT_NE(r.erreurs.find("3 : $GPWPL,4530.123,N,00130.456,E,PDC0020A*00"), std::string::npos) << r.erreurs;
      EXPECT_NE(vu.find("somme juste   CR LF  4800 8N2  $GPWPL,4530.123,N,00130.456,E,PDC0010C*59"), std::string::npos) << vu;
      EXPECT_NE(vu.find("$GPRMC,123519,A*6A"), std::string::npos) << vu;
      EXPECT_NE(vu.find("somme fausse (attendue 58) CR LF  4800 8N2  $GPWPL,4530.123,N,00130.456,E,PDC0020A*00"),
                std::string::npos)
          << vu;
    }
  }
}

// A file written on Linux (LF alone): told about before anything leaves, read as the window
// reads it unless --lf; -q leaves only the errors.
TEST(Outils, FinsDeLigneLfEtSilence) {
  LecteurCTemporaire dossier;
  const std::string lf = (dossier.chemin() / "lf.txt").string();
  ecrireOctets(lf, "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\n$GPWPL,4530.123,N,00130.456,E,PDC0020A*58\n");
  struct Cas {
    Arguments options;
    int phrasesCrLf;  // lines the receiver got ending with CR LF
    bool avertissement;
    bool silencieux;
  };
  const Cas cas[] = {
      {{}, 1, true, false},
      {{"--lf"}, 2, false, false},
      {{"--lf", "-q"}, 2, false, true},
  };
  for (const Cas& c : cas) {
    Simulateur gps({"recevoir", "--tsv"});
    const auto r = lancer("zor-cli", Arguments{"upload", "--port", gps.peripherique()} + c.options + Arguments{lf});
    EXPECT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs.find("n'a que des fins de ligne LF") != std::string::npos, c.avertissement) << r.erreurs;
    EXPECT_EQ(r.erreurs.empty(), c.silencieux) << r.erreurs;
    const std::string vu = gps.sortie("ferme");
    int crlf = 0;
    for (std::size_t p = vu.find("\tCRLF\t"); p != std::string::npos; p = vu.find("\tCRLF\t", p + 1)) ++crlf;
    EXPECT_EQ(crlf, c.phrasesCrLf) << vu;
  }
}

// A device named from the current folder is found there, not under /dev.
TEST(Outils, PeripheriqueNommeDepuisLeDossierCourant) {
  LecteurCTemporaire dossier;
  ecrireOctets(dossier.chemin() / "echange.txt", "$A*41\r\n");
  Simulateur gps({"recevoir"});
  fs::create_symlink(gps.peripherique(), dossier.chemin() / "gps");
  Lancement dansLeDossier;
  dansLeDossier.dossier = dossier.chemin();
  const auto r = lancer("zor-cli", {"upload", "--port", "gps", "echange.txt"}, dansLeDossier);
  EXPECT_EQ(r.code, 0) << r.erreurs;
  EXPECT_NE(gps.sortie("$A*41").find("$A*41"), std::string::npos);
}

std::string enregistrement(const char* tete) {
  std::string s = tete;
  s.resize(62, ' ');
  return s;
}

// A receiver's records in a file for zor-sim, and the download file they give: the reads start
// after the first CR (the end of the first record), so each holds LF, a record and its CR, from
// the second record round to the first.
struct Enregistrements {
  explicit Enregistrements(const fs::path& dossier, int nombre = 3) : chemin(dossier / "gps.txt") {
    std::string texte;
    std::vector<std::string> liste;
    for (int i = 1; i <= nombre; ++i) {
      liste.push_back(enregistrement(("WP" + std::to_string(i)).c_str()));
      texte += liste.back() + "\n";
    }
    ecrireOctets(chemin, texte);
    for (std::size_t i = 2; i < liste.size() + 2; ++i) attendu += "\n" + liste[i % liste.size()] + "\r";
    attendu += "\r\n";
    premiereLecture = "\n" + liste[1 % liste.size()] + "\r";
  }
  std::string fichier() const { return chemin.string(); }
  fs::path chemin;
  std::string attendu;          // the file of a complete download
  std::string premiereLecture;  // the read after the first CR, kept only when a download fails
};

TEST(Outils, ReceptionDepuisLeSimulateur) {
  LecteurCTemporaire dossier;
  const Enregistrements gps(dossier.chemin());
  const fs::path sortie = dossier.chemin() / "sortie.txt";
  ecrireOctets(sortie, "ancien");
  Simulateur simulateur({"envoyer", gps.fichier(), "--debit", "0", "--attente", "0", "--bruit", "xx"});
  Lancement env;
  env.environnement = {{"ZOR_COMM2", simulateur.peripherique()}};
  const auto r = lancer("zor-cli", {"download", "--port", "2", "-o", sortie.string()}, env);
  EXPECT_EQ(r.code, 0) << r.erreurs;
  EXPECT_EQ(lireOctets(sortie), gps.attendu);
  EXPECT_NE(r.erreurs.find("3 enregistrement(s) reçu(s) écrits dans " + sortie.string() + "."), std::string::npos)
      << r.erreurs;
  EXPECT_NE(simulateur.sortie("caractère 26").find("caractère 26 reçu du programme"), std::string::npos);
}

// The bound is read with a point whatever the user's language, and told back in French.
TEST(Outils, DelaiAvecUnPointQuelleQueSoitLaLangue) {
  struct Cas {
    Arguments options;
    bool accepte;
  };
  const Cas cas[] = {
      {{"--timeout", "0.3"}, true}, {{"--timeout=0.3"}, true}, {{"-t", "0.3"}, true}, {{"-t0.3"}, true},
      {{"--timeout", "0,3"}, false}, {{"--timeout=0,3"}, false},
  };
  for (const char* langue : {"C", "fr_FR.UTF-8"}) {
    Lancement env;
    env.environnement = {{"LANG", langue}, {"LC_ALL", langue}};
    for (const auto& c : cas) {
      std::string nom = langue;
      for (const std::string& o : c.options) nom += " " + o;
      PairePty pty;
      const auto r = lancer("zor-cli", Arguments{"download", "--port", pty.esclave()} + c.options, env);
      EXPECT_EQ(r.code, 2) << nom;
      EXPECT_EQ(r.sortie, "") << nom << ": nothing received, nothing written";
      if (c.accepte) {
        EXPECT_NE(r.erreurs.find("depuis 0,3 seconde."), std::string::npos) << nom << "\n" << r.erreurs;
        EXPECT_EQ(pty.lire(1), "\x1a") << nom;
      } else {
        EXPECT_NE(r.erreurs.find("--timeout demande"), std::string::npos) << nom << "\n" << r.erreurs;
        EXPECT_EQ(pty.lire(1, std::chrono::milliseconds(50)), "") << nom << ": the port was never opened";
      }
    }
  }
}

TEST(Outils, EchecsEtErreursDUsage) {
  LecteurCTemporaire dossier;
  ecrireOctets(dossier.chemin() / "e.txt", "$A*41\r\n");
  ecrireOctets(dossier.chemin() / "sortie.txt", "ancien");
  const std::string e = (dossier.chemin() / "e.txt").string();
  const std::string absent = (dossier.chemin() / "ttyAbsent").string();
  PairePty pty;
  const std::string port = pty.esclave();
  // A FIFO nobody reads: zor-cli waits for a reader no longer than its --timeout.
  const std::string tube = (dossier.chemin() / "tube").string();
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
  // Recordings whose times would have a replay wait for ever, or run backwards.
  auto brut = [&](const char* nom, const std::string& heures) {
    ecrireOctets(dossier.chemin() / nom, "# zor-brut 1\n0.000\t\\x0D\n" + heures + "\t$A\n");
    return (dossier.chemin() / nom).string();
  };
  const std::string sortie = (dossier.chemin() / "sortie.txt").string();
  fs::create_symlink(sortie, dossier.chemin() / "lien.txt");
  struct Cas {
    const char* nom;
    Arguments arguments;
    const char* message;
    const char* programme = "zor-cli";
  };
  const Cas cas[] = {
      {"périphérique absent", {"upload", "--port", absent, e}, "est introuvable"},
      {"pas un port série", {"upload", "--port", "/dev/null", e}, "n'est pas un port série"},
      {"fichier absent", {"upload", "--port", port, (dossier.chemin() / "non.txt").string()},
       "Impossible de lire le fichier"},
      {"numéro hors de 1 à 4", {"upload", "--port", "7", e}, "1 à 4"},
      {"port vide", {"download", "--port="}, "--port demande"},
      {"sans port", {"upload", e}, "il manque --port"},
      {"sans fichier", {"upload", "--port", "1"}, "un et un seul fichier"},
      {"délai négatif", {"download", "--port", "1", "--timeout", "-2"}, "--timeout"},
      {"délai infini", {"download", "--port", "1", "--timeout", "inf"}, "--timeout"},
      {"délai démesuré", {"download", "--port", "1", "--timeout", "1e300"}, "--timeout"},
      {"réception sur un port absent",
       {"download", "--port", absent, "-o", (dossier.chemin() / "sortie.txt").string()},
       "n'a pas été modifié"},
      {"sortie dans un tube sans lecteur", {"download", "--port", port, "--timeout", "0.3", "-o", tube},
       "Aucun programme ne lit le tube"},
      {"enregistrement dans un tube sans lecteur", {"download", "--port", port, "--timeout", "0.3", "--brut", tube},
       "Aucun programme ne lit le tube"},
      {"rejeu d'un flot sans fin", {"rejouer", "/dev/zero"}, "pas un fichier ordinaire", "zor-sim"},
      {"rejeu d'un tube", {"rejouer", tube}, "pas un fichier ordinaire", "zor-sim"},
      {"rejeu d'une heure qui n'est pas un nombre", {"rejouer", brut("nan.brut", "nan")}, "ligne 3 : l'heure n'est pas entre 0",
       "zor-sim"},
      {"rejeu d'une heure sans fin", {"rejouer", brut("infini.brut", "1e308")}, "(un jour)", "zor-sim"},
      {"rejeu qui remonte le temps", {"rejouer", brut("recul.brut", "0.000\t\n-0.5")}, "ligne 4", "zor-sim"},
      {"rejeu qui recule", {"rejouer", brut("avant.brut", "20\tx\n10")}, "avant celle de la ligne précédente", "zor-sim"},
      {"réception et enregistrement dans un même fichier", {"download", "--port", port, "-o", sortie, "--brut", sortie},
       "-o et --brut nomment le même fichier"},
      {"... par un lien", {"download", "--port", port, "-o", (dossier.chemin() / "lien.txt").string(), "--brut=" + sortie},
       "-o et --brut nomment le même fichier"},
  };
  for (const auto& c : cas) {
    const auto r = lancer(c.programme, c.arguments);
    EXPECT_EQ(r.code, 2) << c.nom;
    EXPECT_NE(r.erreurs.find(c.message), std::string::npos) << c.nom << "\n" << r.erreurs;
  }
  EXPECT_EQ(lireOctets(dossier.chemin() / "sortie.txt"), "ancien");
}


// zor-cli download running against its own zor-sim.
class Reception {
 public:
  Reception(const Enregistrements& gps, const fs::path& sortie, const Arguments& optionsSim = {},
            const Arguments& optionsCli = {})
      : simulateur_(std::make_unique<Simulateur>(Arguments{"envoyer", gps.fichier()} + optionsSim)),
        cli_(programmeConstruit("zor-cli"),
             Arguments{"download", "--port", simulateur_->peripherique(), "-o", sortie.string()} + optionsCli) {}
  // Waits until zor-cli has shown `texte` on its error output.
  bool attendreErreurs(const std::string& texte) { return cli_.attendreErreurs(texte); }
  void signaler(int signal) { cli_.signaler(signal); }
  Resultat fin() {
    const int code = cli_.attendreFin();
    return {code, cli_.sortie(), cli_.erreurs()};
  }
  Simulateur& gps() { return *simulateur_; }

 private:
  std::unique_ptr<Simulateur> simulateur_;
  Processus cli_;
};

// At the line's own pace the file is the same at every run, and complete.
TEST(Outils, ReceptionAuRythmeDuGpsToujoursLeMemeFichier) {
  LecteurCTemporaire dossier;
  const Enregistrements gps(dossier.chemin());
  constexpr int kEnsemble = 4, kTours = 2;
  for (int tour = 0; tour < kTours; ++tour) {
    std::vector<std::unique_ptr<Reception>> receptions;
    for (int i = 0; i < kEnsemble; ++i)
      receptions.push_back(std::make_unique<Reception>(gps, dossier.chemin() / ("sortie" + std::to_string(i) + ".txt"),
                                                       Arguments{"--attente", "0"}));
    for (int i = 0; i < kEnsemble; ++i) {
      const auto r = receptions[i]->fin();
      EXPECT_EQ(r.code, 0) << r.erreurs;
      EXPECT_EQ(lireOctets(dossier.chemin() / ("sortie" + std::to_string(i) + ".txt")), gps.attendu) << "tour " << tour;
    }
  }
}

// Ctrl+C or SIGTERM: the receiver is told to stop, the port is closed, the output keeps what it
// held (towards the standard output, nothing goes out), the exit code tells which signal, and
// what came waits in a file readable by the user alone.
TEST(Outils, ReceptionInterrompueLaisseLaSortieIntacte) {
  struct Cas {
    int signal, code;
    bool versFichier;
  };
  for (const Cas& c : {Cas{SIGINT, 130, true}, Cas{SIGTERM, 143, true}, Cas{SIGINT, 130, false}}) {
    LecteurCTemporaire dossier;
    const Enregistrements gps(dossier.chemin(), 30);
    const fs::path sortie = c.versFichier ? dossier.chemin() / "sortie.txt" : fs::path("-");
    if (c.versFichier) ecrireOctets(sortie, "ancien");
    Reception reception(gps, sortie, {"--attente", "0"});
    ASSERT_TRUE(reception.attendreErreurs("2 : ")) << "signal " << c.signal;
    reception.signaler(c.signal);
    const auto r = reception.fin();
    EXPECT_EQ(r.code, c.code) << r.erreurs;
    if (c.versFichier) {
      EXPECT_EQ(lireOctets(sortie), "ancien") << "signal " << c.signal;
      EXPECT_EQ(std::distance(fs::directory_iterator(dossier.chemin()), fs::directory_iterator()), 2)
          << "nothing left beside the output";
    } else {
      EXPECT_EQ(r.sortie, "");
      EXPECT_NE(r.erreurs.find("; rien n'a été écrit sur la sortie standard."), std::string::npos) << r.erreurs;
    }
    const fs::path secours = secoursAnnonce(r.erreurs);
    ASSERT_FALSE(secours.empty()) << r.erreurs;
    EXPECT_EQ(lireOctets(secours).substr(0, 128), gps.premiereLecture + gps.attendu.substr(0, 64)) << secours;  // all that came
    EXPECT_NE(r.erreurs.find("(" + std::to_string(lireOctets(secours).size()) + " octets, "), std::string::npos) << r.erreurs;
    EXPECT_TRUE(seulementPourMoi(secours));
    fs::remove(secours);
    const std::string vu = reception.gps().sortie("port fermé");
    EXPECT_NE(vu.find("caractère 26 reçu du programme"), std::string::npos) << vu;
    EXPECT_NE(vu.find("port fermé"), std::string::npos) << vu;
  }
}

// A session recorded with --brut and played back by zor-sim gives the same download; a recording
// that cannot be written says why and fails the command.
TEST(Outils, EnregistrementBrutRejoue) {
  LecteurCTemporaire dossier;
  const Enregistrements gps(dossier.chemin());
  auto chemin = [&](const char* nom) { return (dossier.chemin() / nom).string(); };
  {
    Simulateur simulateur({"envoyer", gps.fichier(), "--attente", "0"});
    const auto r = lancer("zor-cli", {"download", "--port", simulateur.peripherique(), "-o", chemin("premier.txt"),
                                      "--brut=" + chemin("gps.brut")});
    EXPECT_EQ(r.code, 0) << r.erreurs;
  }
  {
    Simulateur rejeu({"rejouer", chemin("gps.brut")});
    const auto r = lancer("zor-cli", {"download", "--port", rejeu.peripherique(), "-o", chemin("rejoue.txt")});
    EXPECT_EQ(r.code, 0) << r.erreurs;
  }
  EXPECT_EQ(lireOctets(dossier.chemin() / "premier.txt"), gps.attendu);
  EXPECT_EQ(lireOctets(dossier.chemin() / "rejoue.txt"), gps.attendu);

  Simulateur simulateur({"envoyer", gps.fichier(), "--attente", "0"});
  const auto plein = lancer("zor-cli", {"download", "--port", simulateur.peripherique(), "-o", chemin("plein.txt"),
                                        "--brut", "/dev/full"});
  EXPECT_EQ(plein.code, 2);
  EXPECT_NE(plein.erreurs.find("Impossible d'écrire le fichier /dev/full : plus de place sur le disque."),
            std::string::npos) << plein.erreurs;
}

// A reader of the standard output that has gone does not end zor-cli silently: it says so, and
// what came is kept in the temporary folder.
TEST(Outils, SortieStandardFermeeGardeCeQuiEstRecu) {
  LecteurCTemporaire dossier;
  const Enregistrements gps(dossier.chemin());
  Simulateur simulateur({"envoyer", gps.fichier(), "--debit", "0", "--attente", "0"});
  const auto shell = lancer("/bin/bash", {"-c", "\"$0\" download --port \"$1\" | true; exit ${PIPESTATUS[0]}",
                                          programmeConstruit("zor-cli").string(), simulateur.peripherique()});
  const std::string& erreurs = shell.erreurs;
  EXPECT_EQ(shell.code, 2) << erreurs;
  EXPECT_NE(erreurs.find("tube coupé"), std::string::npos) << erreurs;
  EXPECT_NE(erreurs.find("3 enregistrement(s) reçu(s) ont été gardés dans "), std::string::npos) << erreurs;
  const fs::path secours = secoursAnnonce(erreurs);
  EXPECT_EQ(lireOctets(secours), gps.attendu);
  fs::remove(secours);
}

// Only a download that ends as it should replaces the output (code 0); every other ending
// leaves it byte for byte as it was (code 2), keeps all that came after the first CR in a file
// readable by the user alone, and tells what that file holds. Streams that cannot end stop
// within seconds.
TEST(Outils, SeuleUneReceptionAcheveeRemplaceLaSortie) {
  LecteurCTemporaire dossier;
  auto fichierGps = [&](const char* nom, const std::string& texte) {
    ecrireOctets(dossier.chemin() / nom, texte);
    return (dossier.chemin() / nom).string();
  };
  std::string position, vitesse;
  for (int i = 0; i < 20; ++i)
    position += "$GPRMC,1200" + std::to_string(10 + i) + ",A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\n";
  const char bruit[] = {'\x80', '\xf8', '\0', '\xe0', '\x98', 'H', '\x86'};
  for (int i = 0; i < 3000; ++i) vitesse += bruit[i * 7 % 11 % 7];
  const Enregistrements complet(dossier.chemin());
  struct Cas {
    const char* nom;
    Arguments optionsSim;  // the receiver's file first
    Arguments optionsCli;
    bool secours;
    std::optional<std::string> garde;  // what the rescue holds, when known in advance
    std::string message;
  };
  const std::string trois = complet.fichier();
  const std::string a(62, 'A');
  const Cas cas[] = {
      {"un seul enregistrement puis le silence", {fichierGps("un.txt", a + "\n"), "--cycles", "1"}, {"--timeout", "1"},
       true, std::string("\n"), "Ce qui a été reçu après la première fin de ligne (1 octet, 0 ligne) a été gardé"},
      {"--max", {trois}, {"--max=1"}, true, std::nullopt, "sans revenir à son deuxième enregistrement"},
      {"le caractère 26 du GPS puis le silence", {trois, "--cycles", "1", "--eof"}, {"--timeout", "1"}, true,
       complet.premiereLecture + complet.attendu.substr(0, 64) + "\n\x1a", "(130 octets, 3 lignes) a été gardé"},
      {"GPS réglé sur sa position", {fichierGps("position.txt", position)}, {}, true, std::nullopt,
       "réglez le GPS pour envoyer ses waypoints"},
      {"mauvaise vitesse", {fichierGps("vitesse.txt", vitesse)}, {}, false, std::nullopt,
       "vérifiez la vitesse : 4800 bauds"},
  };
  for (const Cas& c : cas) {
    const fs::path sortie = dossier.chemin() / "sortie.txt";
    ecrireOctets(sortie, complet.attendu);
    const auto debut = std::chrono::steady_clock::now();
    Simulateur simulateur(Arguments{"envoyer"} + c.optionsSim + Arguments{"--attente", "0"});
    const auto r = lancer("zor-cli", Arguments{"download", "--port", simulateur.peripherique(), "-o", sortie.string()} +
                                         c.optionsCli);
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(15)) << c.nom;
    EXPECT_EQ(r.code, 2) << c.nom << "\n" << r.erreurs;
    EXPECT_EQ(lireOctets(sortie), complet.attendu) << c.nom << ": the earlier download, byte for byte";
    EXPECT_NE(r.erreurs.find(c.message), std::string::npos) << c.nom << "\n" << r.erreurs;
    EXPECT_NE(r.erreurs.find(sortie.string() + " n'a pas été modifié."), std::string::npos) << c.nom << "\n" << r.erreurs;
    const fs::path secours = secoursAnnonce(r.erreurs);
    ASSERT_EQ(!secours.empty(), c.secours) << c.nom << "\n" << r.erreurs;
    if (secours.empty()) continue;
    if (c.garde) {
      EXPECT_EQ(lireOctets(secours), *c.garde) << c.nom;
    }
    EXPECT_NE(r.erreurs.find("(" + std::to_string(lireOctets(secours).size()) + " octet"), std::string::npos) << r.erreurs;
    EXPECT_TRUE(seulementPourMoi(secours)) << c.nom;
    fs::remove(secours);
  }
}

// The receiver goes away in the middle (a cable pulled out): everything the recording proves
// arrived after the first CR is in the rescue, and the output is as it was.
TEST(Outils, GpsQuiDisparaitEnCoursDeRoute) {
  LecteurCTemporaire dossier;
  const Enregistrements gps(dossier.chemin(), 30);
  const fs::path sortie = dossier.chemin() / "sortie.txt", brut = dossier.chemin() / "gps.brut";
  ecrireOctets(sortie, "ancien");
  Reception reception(gps, sortie, {"--attente", "0"}, {"--brut", brut.string()});
  ASSERT_TRUE(reception.attendreErreurs("3 : "));
  reception.gps().tuer();
  const auto r = reception.fin();
  EXPECT_EQ(r.code, 2) << r.erreurs;
  EXPECT_NE(r.erreurs.find("a été coupée"), std::string::npos) << r.erreurs;
  EXPECT_EQ(lireOctets(sortie), "ancien");
  const auto arrivees = serie::lireBrut(lireOctets(brut));
  ASSERT_TRUE(arrivees);
  std::string arrive;
  for (const auto& a : *arrivees) arrive += a.octets;
  const fs::path secours = secoursAnnonce(r.erreurs);
  ASSERT_FALSE(secours.empty()) << r.erreurs;
  EXPECT_EQ(lireOctets(secours), arrive.substr(arrive.find('\r') + 1));
  EXPECT_GT(lireOctets(secours).size(), 3u * 64);
  fs::remove(secours);
}

// The option forms, the bound on reads, and "-" for the standard input and output.
TEST(Outils, FormesDesOptionsEtTiret) {
  LecteurCTemporaire dossier;
  const Enregistrements gps(dossier.chemin());
  Simulateur simulateur({"envoyer", gps.fichier(), "--debit", "0", "--attente", "0"});
  const std::string port = simulateur.peripherique();
  const std::string sortie = (dossier.chemin() / "sortie.txt").string();
  struct Cas {
    const char* nom;
    Arguments arguments;
    int code;
    std::string fichier, sortieStandard;
  };
  const Cas cas[] = {
      {"--option=valeur", {"--port=" + port, "--output=" + sortie}, 0, gps.attendu, ""},
      {"formes courtes collées", {"-p" + port, "-o" + sortie}, 0, gps.attendu, ""},
      {"sortie standard", {"--port", port, "-o", "-"}, 0, "ancien", gps.attendu},
      {"sortie standard par défaut", {"--port", port}, 0, "ancien", gps.attendu},
  };
  for (const auto& c : cas) {
    ecrireOctets(dossier.chemin() / "sortie.txt", "ancien");
    const auto r = lancer("zor-cli", Arguments{"download"} + c.arguments);
    EXPECT_EQ(r.code, c.code) << c.nom << "\n" << r.erreurs;
    EXPECT_EQ(lireOctets(dossier.chemin() / "sortie.txt"), c.fichier) << c.nom;
    EXPECT_EQ(r.sortie, c.sortieStandard) << c.nom;
  }

  Simulateur recepteur({"recevoir"});
  Processus envoi(programmeConstruit("zor-cli"), {"upload", "--port=" + recepteur.peripherique(), "-"});
  envoi.ecrire("$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n\r\n$GPWPL,4530.123,N,00130.456,E,PDC0020A*58\r\n");
  envoi.fermerEntree();
  EXPECT_EQ(envoi.attendreFin(), 0) << envoi.erreurs();
  const std::string vu = recepteur.sortie("port fermé");
  EXPECT_NE(vu.find("PDC0010C*59"), std::string::npos) << vu;
  EXPECT_NE(vu.find("PDC0020A*58"), std::string::npos) << vu;

  // A standard input that cannot be read is a failure, not an empty file.
  Lancement dossierEnEntree;
  dossierEnEntree.entree = dossier.chemin();
  const auto refus = lancer("zor-cli", {"upload", "--port", recepteur.peripherique(), "-"}, dossierEnEntree);
  EXPECT_EQ(refus.code, 2);
  EXPECT_NE(refus.erreurs.find("Impossible de lire le fichier (entrée standard) : c'est un dossier."), std::string::npos);
}

}  // namespace
}  // namespace zor::test
