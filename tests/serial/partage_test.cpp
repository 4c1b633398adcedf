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

// A second user plants a link to the victim's file in a folder everyone may write (/tmp):
// -o and --brut refuse it, the victim's file keeps every byte, the receiver hears nothing.
TEST(Partage, UnLienPoseParUnAutreUtilisateurNEstPasSuivi) {
  if (::geteuid() != 0) GTEST_SKIP() << "un autre utilisateur ne peut être joué que par root";
  LecteurCTemporaire dossier;
  PairePty gps;
  const fs::path partage = dossier.chemin() / "partage", secret = dossier.chemin() / "secret.txt", lien = partage / "gps.txt";
  fs::create_directory(partage);
  ::chmod(partage.c_str(), 01777);
  ecrireOctets(secret, "secret\r\n");
  ecrireOctets(dossier.chemin() / "g7.txt", kG7);
  const std::string sortie = (dossier.chemin() / "sortie.txt").string();
  const Arguments cas[] = {
      {"convert", "--type", "g7towin", "-o", lien.string(), (dossier.chemin() / "g7.txt").string()},
      {"download", "--port", gps.esclave(), "-o", lien.string()},
      {"download", "--port", gps.esclave(), "-o", sortie, "--brut", lien.string()},
  };
  for (const Arguments& arguments : cas) {
    Lancement autre;
    autre.enTantQuAutre = true;
    ASSERT_EQ(executer("/bin/ln", {"-s", secret.string(), lien.string()}, autre).code, 0);
    const Resultat r = zorCli(arguments);
    EXPECT_EQ(r.code, 2) << arguments[0] << r.erreurs;
    EXPECT_TRUE(contient(r.erreurs, lien.string() + " est un lien symbolique que l'utilisateur nobody a mis dans un dossier"))
        << r.erreurs;
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
  ecrireOctets(dossier.chemin() / "g7.txt", kG7);
  const std::string g7 = (dossier.chemin() / "g7.txt").string(), o = sortie.string();
  enum class Entree { Tube, Terminal };
  struct Cas {
    const char* nom;
    Arguments arguments;
    Entree depuis;
    int signal;
    const char* message;
  };
  const Cas cas[] = {
      {"upload d'une FIFO que personne n'écrit", {"upload", "--port", gps.esclave(), entree}, Entree::Tube, SIGINT,
       "Transfert interrompu"},
      {"upload - sur un tube muet", {"upload", "--port", gps.esclave(), "-"}, Entree::Tube, SIGTERM, "Transfert interrompu"},
      {"upload - sur un terminal", {"upload", "--port", gps.esclave(), "-"}, Entree::Terminal, SIGHUP, "Transfert interrompu"},
      {"convert - sur un tube muet", {"convert", "--type", "g7towin", "-o", o, "-"}, Entree::Tube, SIGHUP, "a été interrompue"},
      {"convert - sur un terminal", {"convert", "--type", "g7towin", "-o", o, "-"}, Entree::Terminal, SIGINT, "a été interrompue"},
      {"convert d'une FIFO qui s'ouvre", {"convert", "--type", "g7towin", "-o", o, entree}, Entree::Tube, SIGTERM,
       "a été interrompue"},
      {"convert -o FIFO sans lecteur", {"convert", "--type", "g7towin", "-o", tube, g7}, Entree::Tube, SIGINT,
       "pendant l'attente d'un programme qui lise le tube"},
      {"download -o FIFO sans lecteur", {"download", "--port", gps.esclave(), "-o", tube}, Entree::Tube, SIGTERM,
       "pendant l'attente d'un programme qui lise le tube"},
      {"download --brut FIFO sans lecteur", {"download", "--port", gps.esclave(), "-o", o, "--brut", tube}, Entree::Tube,
       SIGHUP, "pendant l'attente d'un programme qui lise le tube"},
  };
  for (const Cas& c : cas) {
    ecrireOctets(sortie, "ancien");
    Lancement lancement;
    if (c.depuis == Entree::Terminal) lancement.entree = clavier.esclave();
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
  const fs::path phrases = dossier.chemin() / "phrases.txt";
  ecrireOctets(phrases, "$A*41\r\n\r\n$B*42\r\n\r\n$C*43\r\n");
  const std::string zor = programmeConstruit("zor-cli").string();
  const Resultat lu = executer("/bin/bash", {"-c", "\"$0\" upload --port \"$1\" <(cat \"$2\")", zor, gps.esclave(), phrases.string()});
  EXPECT_EQ(lu.code, 0) << lu.erreurs;
  EXPECT_TRUE(contient(lu.erreurs, "3 phrase(s) envoyée(s).")) << lu.erreurs;
  EXPECT_EQ(gps.lire(21, 3s), "$A*41\r\n$B*42\r\n$C*43\r\n");

  const Resultat coupe = executer("/bin/bash", {"-c", "\"$0\" upload --port \"$1\" \"$2\" 2>&1 | head -1; exit ${PIPESTATUS[0]}", zor,
                                                gps.esclave(), phrases.string()});
  EXPECT_EQ(coupe.code, 0) << coupe.sortie;
  EXPECT_EQ(gps.lire(21, 3s), "$A*41\r\n$B*42\r\n$C*43\r\n") << "all sentences leave";

  // Above 64 KiB, more than a pipe holds.
  std::string g7;
  for (int i = 0; i < 2000; ++i) g7 += kG7;
  ecrireOctets(dossier.chemin() / "g7.txt", g7);
  const std::string entree = (dossier.chemin() / "g7.txt").string(), tube = (dossier.chemin() / "sortie.fifo").string();
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
  const auto debut = std::chrono::steady_clock::now();
  const Resultat seul = zorCli({"convert", "--type", "g7towin", "--timeout", "0.3", "-o", tube, entree});
  EXPECT_EQ(seul.code, 2);
  EXPECT_TRUE(contient(seul.erreurs, "Aucun programme ne lit le tube " + tube)) << seul.erreurs;
  EXPECT_LT(std::chrono::steady_clock::now() - debut, 2s);
  Processus lecteur("/bin/cat", {tube});
  const Resultat lu2 = zorCli({"convert", "--type", "g7towin", "-o", tube, entree});
  EXPECT_EQ(lu2.code, 0) << lu2.erreurs;
  EXPECT_EQ(lecteur.attendreFin(5s), 0);
  EXPECT_EQ(lecteur.sortie(), zorCli({"convert", "--type", "g7towin", entree}).sortie);
  // A reader that goes away half way is a write error told, not a silent end.
  Processus court("/usr/bin/head", {"-c", "100", tube});
  const Resultat coupeTube = zorCli({"convert", "--type", "g7towin", "-o", tube, entree});
  EXPECT_EQ(coupeTube.code, 2);
  EXPECT_TRUE(contient(coupeTube.erreurs, "Impossible d'écrire le fichier " + tube + " : tube coupé.")) << coupeTube.erreurs;
}

// A second writer to one output, new or old, is refused; neither's text is lost.
TEST(Partage, UnSecondEcrivainEstRefuse) {
  LecteurCTemporaire dossier;
  PairePty gps, autreGps;
  const fs::path neuf = dossier.chemin() / "neuf.txt";
  ecrireOctets(dossier.chemin() / "g7.txt", kG7);
  const std::string g7 = (dossier.chemin() / "g7.txt").string();
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
  ecrireOctets(racine.chemin() / "g7.txt", kG7);
  struct Cas {
    const char* nom;
    mode_t modeDossier, modeFichier;
    const char* message;
  };
  const Cas cas[] = {
      {"fichier en lecture seule", 0755, 0444, "Impossible d'écrire le fichier " },
      {"dossier fermé", 0555, 0644, "Impossible de remplacer le fichier "},
  };
  for (const Cas& c : cas) {
    for (const Arguments& commande : {Arguments{"convert", "--type", "g7towin", (racine.chemin() / "g7.txt").string()},
                                      Arguments{"download", "--port", gps.esclave()}}) {
      fs::create_directory(dossier);
      ecrireOctets(sortie, "ancien");
      ::chmod(sortie.c_str(), c.modeFichier);
      for (const fs::path& p : {sortie, dossier}) [[maybe_unused]] const int r = ::chown(p.c_str(), kAutreUtilisateur, kGroupeAutre);
      ::chmod(dossier.c_str(), c.modeDossier);
      Arguments arguments = commande;
      arguments.insert(arguments.end(), {"-o", sortie.string()});
      Lancement autre;
      autre.enTantQuAutre = true;
      const Resultat r = zorCli(arguments, autre);
      EXPECT_EQ(r.code, 2) << c.nom << " " << commande[0];
      EXPECT_TRUE(contient(r.erreurs, c.message + sortie.string() + " : ")) << r.erreurs;
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
