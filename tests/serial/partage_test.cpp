// zor-cli where others may write, with pipes and FIFOs, stopped by signals: nothing the user has
// is lost, nothing waits for ever.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "tests/serial/outils_serie.h"
#include "tests/support/processus.h"

namespace zor::test {
namespace {

namespace fs = std::filesystem;
using Arguments = std::vector<std::string>;
using namespace std::chrono_literals;

const std::string kG7 = "W  WPT001          N45 30.123  E001 30.456\r\n";

Resultat zorCli(const Arguments& arguments, Lancement lancement = {}) {
  return executer(programmeConstruit("zor-cli"), arguments, std::move(lancement));
}

bool contient(const std::string& texte, const std::string& partie) { return texte.find(partie) != std::string::npos; }

std::size_t nombreDeFichiers(const fs::path& dossier) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()));
}

// Writes a file for the test and gives its name.
std::string planter(const fs::path& chemin, const std::string& octets) {
  ecrireOctets(chemin, octets);
  return chemin.string();
}

Lancement commeUnAutre() {
  Lancement autre;
  autre.enTantQuAutre = true;
  return autre;
}

// A second user plants a link to the victim's file in a folder everyone may write (/tmp):
// -o and --brut refuse it, the victim's file keeps every byte, the receiver hears nothing.
TEST(Partage, UnLienPoseParUnAutreUtilisateurNEstPasSuivi) {
  if (::geteuid() != 0) GTEST_SKIP() << "un autre utilisateur ne peut être joué que par root";
  LecteurCTemporaire dossier;
  PairePty gps;
  const fs::path partage = dossier.chemin() / "partage";
  fs::create_directory(partage);
  ::chmod(partage.c_str(), 01777);
  const std::string secret = planter(dossier.chemin() / "secret.txt", "secret\r\n"), lien = (partage / "gps.txt").string(),
                    g7 = planter(dossier.chemin() / "g7.txt", kG7), sortie = (dossier.chemin() / "sortie.txt").string();
  for (const Arguments& arguments : {Arguments{"convert", "--type", "g7towin", "-o", lien, g7},
                                     Arguments{"download", "--port", gps.esclave(), "-o", lien},
                                     Arguments{"download", "--port", gps.esclave(), "-o", sortie, "--brut", lien}}) {
    ASSERT_EQ(executer("/bin/ln", {"-s", secret, lien}, commeUnAutre()).code, 0);
    const Resultat r = zorCli(arguments);
    EXPECT_EQ(r.code, 2) << arguments[0] << r.erreurs;
    EXPECT_TRUE(contient(r.erreurs, lien + " est un lien symbolique que l'utilisateur nobody a mis dans un dossier")) << r.erreurs;
    EXPECT_EQ(lireOctets(secret), "secret\r\n");
    EXPECT_TRUE(fs::is_symlink(lien));
    EXPECT_FALSE(fs::exists(sortie));
    EXPECT_EQ(gps.lire(1, 50ms), "") << "the port is never opened";
    fs::remove(lien);
  }
}

// Each wait ends at once on Ctrl+C, SIGTERM or SIGHUP, with the code that names the signal, the
// output as it was and nothing left beside it.
TEST(Partage, ChaqueAttenteFinitSurUnSignal) {
  LecteurCTemporaire dossier;
  PairePty gps, clavier;
  const fs::path sortie = dossier.chemin() / "sortie.txt";
  const std::string entree = (dossier.chemin() / "entree.fifo").string(), tube = (dossier.chemin() / "sortie.fifo").string();
  ASSERT_EQ(::mkfifo(entree.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
  const std::string g7 = planter(dossier.chemin() / "g7.txt", kG7), o = sortie.string();
  const char *transfert = "Transfert interrompu", *conversion = "a été interrompue",
             *sansLecteur = "pendant l'attente d'un programme qui lise le tube";
  struct Cas {
    const char* nom;
    Arguments arguments;
    bool terminal;  // the standard input is a terminal; otherwise a pipe nobody writes
    int signal;
    const char* message;
  };
  const Cas cas[] = {
      {"upload d'une FIFO que personne n'écrit", {"upload", "--port", gps.esclave(), entree}, false, SIGINT, transfert},
      {"upload - sur un tube muet", {"upload", "--port", gps.esclave(), "-"}, false, SIGTERM, transfert},
      {"upload - sur un terminal", {"upload", "--port", gps.esclave(), "-"}, true, SIGHUP, transfert},
      {"convert - sur un tube muet", {"convert", "--type", "g7towin", "-o", o, "-"}, false, SIGHUP, conversion},
      {"convert - sur un terminal", {"convert", "--type", "g7towin", "-o", o, "-"}, true, SIGINT, conversion},
      {"convert d'une FIFO qui s'ouvre", {"convert", "--type", "g7towin", "-o", o, entree}, false, SIGTERM, conversion},
      {"convert -o FIFO sans lecteur", {"convert", "--type", "g7towin", "-o", tube, g7}, false, SIGINT, sansLecteur},
      {"download -o FIFO sans lecteur", {"download", "--port", gps.esclave(), "-o", tube}, false, SIGTERM, sansLecteur},
      {"download --brut FIFO sans lecteur", {"download", "--port", gps.esclave(), "-o", o, "--brut", tube}, false, SIGHUP,
       sansLecteur},
  };
  for (const Cas& c : cas) {
    ecrireOctets(sortie, "ancien");
    Lancement lancement;
    if (c.terminal) lancement.entree = clavier.esclave();
    Processus p(programmeConstruit("zor-cli"), c.arguments, lancement);
    std::this_thread::sleep_for(400ms);
    p.signaler(c.signal);
    const auto debut = std::chrono::steady_clock::now();
    EXPECT_EQ(p.attendreFin(5s), 128 + c.signal) << c.nom << "\n" << p.erreurs();
    EXPECT_LT(std::chrono::steady_clock::now() - debut, 2s) << c.nom;
    EXPECT_TRUE(contient(p.erreurs(), c.message)) << c.nom << "\n" << p.erreurs();
    EXPECT_EQ(lireOctets(sortie), "ancien") << c.nom;
    EXPECT_EQ(nombreDeFichiers(dossier.chemin()), 4u) << c.nom << " : nothing left beside the output";
    EXPECT_EQ(gps.lire(1, 10ms), "") << c.nom;
  }
  // A plain Ctrl+D on a terminal still ends the input.
  termios t{};
  ::tcgetattr(clavier.maitre(), &t);
  t.c_lflag |= ICANON;
  t.c_cc[VEOF] = 4;
  ::tcsetattr(clavier.maitre(), TCSANOW, &t);
  Lancement terminal;
  terminal.entree = clavier.esclave();
  Processus p(programmeConstruit("zor-cli"), {"convert", "--type", "g7towin", "-"}, terminal);
  std::this_thread::sleep_for(200ms);
  clavier.ecrire(kG7.substr(0, kG7.size() - 1) + "\n\x04");
  EXPECT_EQ(p.attendreFin(5s), 0) << p.erreurs();
  EXPECT_TRUE(contient(p.sortie(), "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n")) << p.sortie();
}

// A pipe as upload's input is read once; a reader of the progress that goes away stops nothing;
// a FIFO as convert's output waits for its reader, and is never read by zor-cli itself.
TEST(Partage, TubesEtFifo) {
  LecteurCTemporaire dossier;
  PairePty gps;
  const std::string phrases = planter(dossier.chemin() / "phrases.txt", "$A*41\r\n\r\n$B*42\r\n\r\n$C*43\r\n");
  const std::string zor = programmeConstruit("zor-cli").string();
  const std::pair<const char*, const char*> scripts[] = {
      {"\"$0\" upload --port \"$1\" <(cat \"$2\")", "3 phrase(s) envoyée(s)."},
      {"\"$0\" upload --port \"$1\" \"$2\" 2>&1 | head -1; exit ${PIPESTATUS[0]}", ""},
  };
  for (const auto& [script, message] : scripts) {
    const Resultat r = executer("/bin/bash", {"-c", script, zor, gps.esclave(), phrases});
    EXPECT_EQ(r.code, 0) << script << "\n" << r.erreurs << r.sortie;
    EXPECT_TRUE(contient(r.erreurs, message)) << r.erreurs;
    EXPECT_EQ(gps.lire(21, 3s), "$A*41\r\n$B*42\r\n$C*43\r\n") << script << ": all sentences leave, once";
  }

  // Above 64 KiB, more than a pipe holds.
  std::string g7;
  for (int i = 0; i < 2000; ++i) g7 += kG7;
  const std::string entree = planter(dossier.chemin() / "g7.txt", g7), tube = (dossier.chemin() / "sortie.fifo").string();
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
  const Arguments convertir{"convert", "--type", "g7towin", "-o", tube, entree};
  const auto debut = std::chrono::steady_clock::now();
  const Resultat seul = zorCli({"convert", "--type", "g7towin", "--timeout", "0.3", "-o", tube, entree});
  EXPECT_EQ(seul.code, 2);
  EXPECT_TRUE(contient(seul.erreurs, "Aucun programme ne lit le tube " + tube)) << seul.erreurs;
  EXPECT_LT(std::chrono::steady_clock::now() - debut, 2s);
  Processus lecteur("/bin/cat", {tube});
  const Resultat lu = zorCli(convertir);
  EXPECT_EQ(lu.code, 0) << lu.erreurs;
  EXPECT_EQ(lecteur.attendreFin(5s), 0);
  EXPECT_EQ(lecteur.sortie(), zorCli({"convert", "--type", "g7towin", entree}).sortie);
  // A reader that goes away half way is a write error told, not a silent end.
  Processus court("/usr/bin/head", {"-c", "100", tube});
  const Resultat coupe = zorCli(convertir);
  EXPECT_EQ(coupe.code, 2);
  EXPECT_TRUE(contient(coupe.erreurs, "Impossible d'écrire le fichier " + tube + " : tube coupé.")) << coupe.erreurs;
}

// A second writer to one output, new or old, is refused; neither's text is lost.
TEST(Partage, UnSecondEcrivainEstRefuse) {
  LecteurCTemporaire dossier;
  PairePty gps, autreGps;
  const fs::path neuf = dossier.chemin() / "neuf.txt";
  const std::string g7 = planter(dossier.chemin() / "g7.txt", kG7);
  struct Cas {
    const char* nom;
    Arguments premier, second;
    std::string attendu;  // what the new output holds once the first is done; nothing: no file
  };
  const Cas cas[] = {
      {"deux conversions", {"convert", "--type", "g7towin", "-o", neuf.string(), "-"},
       {"convert", "--type", "zor", "-o", neuf.string(), g7}, zorCli({"convert", "--type", "g7towin", g7}).sortie},
      {"deux réceptions", {"download", "--port", gps.esclave(), "--timeout", "1", "-o", neuf.string()},
       {"download", "--port", autreGps.esclave(), "-o", neuf.string()}, ""},
  };
  for (const Cas& c : cas) {
    Processus premier(programmeConstruit("zor-cli"), c.premier);
    for (int i = 0; i < 100 && !fs::exists(neuf); ++i) std::this_thread::sleep_for(10ms);
    const Resultat second = zorCli(c.second);
    EXPECT_EQ(second.code, 2) << c.nom;
    EXPECT_TRUE(contient(second.erreurs, "est en train d'être écrit par un autre programme")) << c.nom << second.erreurs;
    EXPECT_EQ(autreGps.lire(1, 10ms), "") << c.nom;
    premier.ecrire(kG7);
    premier.fermerEntree();
    premier.attendreFin(10s);
    EXPECT_EQ(fs::exists(neuf), !c.attendu.empty()) << c.nom;
    EXPECT_EQ(c.attendu.empty() ? "" : lireOctets(neuf), c.attendu) << c.nom;
    fs::remove(neuf);
  }
}

// A file that may not be written is refused by both commands, and told apart from a folder that
// takes no new file beside it (the new content is written beside, then takes the name).
TEST(Partage, FichierEnLectureSeuleEtDossierFerme) {
  LecteurCTemporaire racine;
  PairePty gps;
  const fs::path dossier = racine.chemin() / "d", sortie = dossier / "sortie.txt";
  const std::string g7 = planter(racine.chemin() / "g7.txt", kG7);
  struct Cas {
    const char* nom;
    mode_t modeDossier, modeFichier;
    const char* message;
  };
  const Cas cas[] = {
      {"fichier en lecture seule", 0755, 0444, "Impossible d'écrire le fichier " },
      {"dossier fermé", 0555, 0644, "Impossible de remplacer le fichier "},
  };
  const std::string o = sortie.string();
  for (const Cas& c : cas) {
    for (const Arguments& commande : {Arguments{"convert", "--type", "g7towin", "-o", o, g7},
                                      Arguments{"download", "--port", gps.esclave(), "-o", o}}) {
      fs::create_directory(dossier);
      ecrireOctets(sortie, "ancien");
      ::chmod(sortie.c_str(), c.modeFichier);
      for (const fs::path& p : {sortie, dossier}) [[maybe_unused]] const int r = ::chown(p.c_str(), kAutreUtilisateur, kGroupeAutre);
      ::chmod(dossier.c_str(), c.modeDossier);
      const Resultat r = zorCli(commande, commeUnAutre());
      EXPECT_EQ(r.code, 2) << c.nom << " " << commande[0];
      EXPECT_TRUE(contient(r.erreurs, c.message + o + " : ")) << r.erreurs;
      EXPECT_TRUE(contient(r.erreurs, "permission refusée")) << r.erreurs;
      EXPECT_EQ(lireOctets(sortie), "ancien") << c.nom;
      EXPECT_EQ(gps.lire(1, 10ms), "") << c.nom << " : the port is never opened";
      ::chmod(dossier.c_str(), 0755);
      fs::remove_all(dossier);
    }
  }
}

}  // namespace
}  // namespace zor::test
