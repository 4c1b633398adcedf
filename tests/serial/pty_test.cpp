// The real control over the system's serial device, on pseudo-terminals: bytes reach the other
// end at once, nothing is cut at closing, the line is 4800 8N2 and given back as it was, and
// each kind of device failure is told apart.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "platform/peripherique_serie.h"
#include "platform/verrous_serie.h"
#include "serial/mscomm.h"
#include "tests/serial/outils_serie.h"

namespace zor::serie {
namespace {

class PtyTest : public ::testing::Test {
 protected:
  void ouvrir() {
    comm.Settings(kReglagesGps);
    comm.CommPort(2);
    ASSERT_FALSE(comm.ouvrir());
  }
  std::string input() {
    std::string lu;
    EXPECT_FALSE(comm.Input(lu));
    return lu;
  }
  test::PairePty pty;
  test::PortEnvironnement env{2, pty.esclave()};
  MSComm comm;
};

TEST_F(PtyTest, LaLigneEst4800Bauds8BitsSansPariteDeuxBitsDeStop) {
  ouvrir();
  termios t{};
  ASSERT_EQ(::tcgetattr(pty.maitre(), &t), 0);
  EXPECT_EQ(::cfgetospeed(&t), B4800);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & PARENB, 0u);
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u) << "no software flow control";
}

// Closed, the port gives the line back as it found it, and takes its lock file away.
TEST_F(PtyTest, LaLigneEstRendueTelleQuelleEtLeVerrouRetire) {
  termios avant{};
  ASSERT_EQ(::tcgetattr(pty.maitre(), &avant), 0);
  std::string nom = pty.esclave().substr(5);
  std::replace(nom.begin(), nom.end(), '/', '_');
  const std::string verrou = "/var/lock/LCK.." + nom;
  ouvrir();
  if (::access("/var/lock", W_OK) == 0) {
    EXPECT_EQ(test::lireOctets(verrou), std::string(10 - std::to_string(::getpid()).size(), ' ') +
                                            std::to_string(::getpid()) + "\n");
  }
  EXPECT_FALSE(comm.fermer());
  termios apres{};
  ASSERT_EQ(::tcgetattr(pty.maitre(), &apres), 0);
  EXPECT_EQ(::cfgetospeed(&apres), ::cfgetospeed(&avant));
  EXPECT_EQ(apres.c_cflag, avant.c_cflag);
  EXPECT_EQ(apres.c_lflag, avant.c_lflag);
  EXPECT_NE(::access(verrou.c_str(), F_OK), 0) << verrou;
}

TEST_F(PtyTest, OutputArriveSansBoucleDEvenements) {
  ouvrir();
  EXPECT_FALSE(comm.Output("$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n"));
  // Read before anything else happens in this thread: the bytes are already on their way.
  const std::string phrase = "$GPWPL,4530.123,N,00130.456,E,PDC0010C*59\r\n";
  EXPECT_EQ(pty.lire(phrase.size()), phrase);
}

TEST_F(PtyTest, LaFermetureNeCoupePasUneLongueLigne) {
  ouvrir();
  std::string longue(20000, 'Z');
  longue = "$" + longue + "\r\n";
  std::string recu;
  std::thread lecteur([&] { recu = pty.lire(longue.size(), std::chrono::seconds(5)); });
  EXPECT_FALSE(comm.Output(longue));
  EXPECT_FALSE(comm.fermer());
  lecteur.join();
  EXPECT_EQ(recu.size(), longue.size());
  EXPECT_EQ(recu, longue);
}

TEST_F(PtyTest, InputRendTouteDeSuiteEtAttendreNeTournePasAVide) {
  ouvrir();
  comm.InputLen(64);
  EXPECT_EQ(input(), "");
  std::thread gps([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    pty.ecrire("\r$PFX");
  });
  const auto debut = std::chrono::steady_clock::now();
  EXPECT_FALSE(comm.attendreReception(std::chrono::seconds(5)));
  EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(2)) << "the wait ends when bytes come";
  gps.join();
  std::string lu;
  for (int i = 0; i < 50 && lu.size() < 5; ++i) {
    lu += input();
    if (lu.size() < 5) {
      EXPECT_FALSE(comm.attendreReception(std::chrono::milliseconds(100)));
    }
  }
  EXPECT_EQ(lu, "\r$PFX");
}

TEST_F(PtyTest, DonneesArriveesAvantLOuvertureEtLectureParUn) {
  pty.ecrire("ab\rcd");
  ouvrir();
  comm.InputLen(1);
  std::string lu;
  for (int i = 0; i < 5; ++i) lu += input() + "|";
  EXPECT_EQ(lu, "a|b|\r|c|d|");
}

// Unplugged, the device is gone; a cut cable hangs the line up. Each is told as it is.
TEST(PtyCoupure, PendantLaReceptionSelonCeQuiEstArrive) {
  struct Cas {
    const char* nom;
    bool (*couper)(test::PairePty&);
    int numero;
  };
  const Cas cas[] = {
      {"le GPS débranché", [](test::PairePty& p) { p.raccrocher(); return true; }, ENODEV},
      {"la ligne raccrochée", [](test::PairePty& p) { return p.couperLaLigne(); }, EIO},
  };
  for (const Cas& c : cas) {
    test::PairePty pty;
    test::PortEnvironnement env{2, pty.esclave()};
    MSComm comm;
    comm.CommPort(2);
    ASSERT_FALSE(comm.ouvrir()) << c.nom;
    if (!c.couper(pty)) {
      std::cout << c.nom << " : impossible sans les droits de root\n";
      continue;
    }
    std::string lu;
    std::optional<Erreur> e = comm.Input(lu);
    if (!e) e = comm.attendreReception(std::chrono::milliseconds(200));
    if (!e) e = comm.Input(lu);
    ASSERT_TRUE(e) << c.nom << ": the cut should be reported";
    EXPECT_EQ(e->genre, Erreur::Genre::LiaisonCoupee) << c.nom;
    EXPECT_EQ(e->numeroPort, 2) << c.nom;
    EXPECT_EQ(e->peripherique, pty.esclave()) << c.nom;
    EXPECT_EQ(e->numeroSysteme, c.numero) << c.nom << " : " << decrire(*e);
    comm.abandonner();
    EXPECT_FALSE(comm.PortOpen()) << c.nom;
  }
}

TEST_F(PtyTest, LeGpsRaccrochePendantLEnvoi) {
  ouvrir();
  EXPECT_FALSE(comm.Output("$A*41\r\n"));
  pty.raccrocher();
  EXPECT_TRUE(comm.Output("$B*42\r\n"));
}

TEST(PtyOuverture, ChaqueEchecDOuvertureASonGenre) {
  test::LecteurCTemporaire dossier;
  test::ecrireOctets(dossier.chemin() / "fichier", "x");
  test::PairePty occupe;
  MSComm premier;
  premier.definirPeripherique(occupe.esclave());
  ASSERT_FALSE(premier.ouvrir());
  struct Cas {
    const char* nom;
    std::string peripherique;
    Erreur::Genre genre;
    int numero;  // -1: whatever the system says
  };
  const Cas cas[] = {
      {"aucun périphérique", (dossier.chemin() / "ttyAbsent").string(), Erreur::Genre::PortIntrouvable, ENOENT},
      {"un fichier ordinaire", (dossier.chemin() / "fichier").string(), Erreur::Genre::PasUnPort, ENOTTY},
      {"un périphérique qui n'est pas un port série", "/dev/null", Erreur::Genre::PasUnPort, ENOTTY},
      {"un dossier", dossier.chemin().string(), Erreur::Genre::PasUnPort, EISDIR},
      {"un port déjà ouvert", occupe.esclave(), Erreur::Genre::PortOccupe, -1},
  };
  for (const auto& c : cas) {
    test::PortEnvironnement env(3, c.peripherique);
    MSComm comm;
    comm.CommPort(3);
    const auto e = comm.ouvrir();
    ASSERT_TRUE(e) << c.nom << ": should not open";
    EXPECT_EQ(e->genre, c.genre) << c.nom << " : " << decrire(*e);
    EXPECT_EQ(e->numeroPort, 3) << c.nom;
    EXPECT_EQ(e->peripherique, c.peripherique) << c.nom;
    EXPECT_EQ(e->origine, "variable d'environnement ZOR_COMM3") << c.nom;
    if (c.numero >= 0) {
      EXPECT_EQ(e->numeroSysteme, c.numero) << c.nom;
    }
    EXPECT_FALSE(comm.PortOpen()) << c.nom;
  }
}

// One port, one program: a device held with flock (picocom, minicom, another ZOR) is refused,
// whatever path names it, and nothing reaches it.
TEST(PtyPartage, UnPortTenuParUnAutreProgrammeEstRefuse) {
  test::PairePty pty;
  const std::string nom = pty.esclave();
  const std::string lien = (std::filesystem::temp_directory_path() / ("zor-lien-" + std::to_string(::getpid()))).string();
  ASSERT_EQ(::symlink(nom.c_str(), lien.c_str()), 0);
  struct Cas {
    const char* quoi;
    std::string autreNom;  // how the second opening names the device
  };
  const Cas cas[] = {
      {"le même nom", nom},
      {"une double barre", "/dev/" + nom.substr(5).insert(0, "/")},
      {"un point", "/dev/pts/./" + nom.substr(9)},
      {"un lien", lien},
      {"un nom de /dev", nom.substr(5)},
  };
  // Held by another program with flock, as picocom does.
  const int autre = ::open(nom.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(autre, 0);
  ASSERT_EQ(::flock(autre, LOCK_EX | LOCK_NB), 0);
  for (const Cas& c : cas) {
    MSComm comm;
    comm.definirPeripherique(c.autreNom);
    const auto e = comm.ouvrir();
    ASSERT_TRUE(e) << c.quoi;
    EXPECT_EQ(e->genre, Erreur::Genre::PortOccupe) << c.quoi;
    EXPECT_NE(decrire(*e).find("est déjà utilisé par un autre programme"), std::string::npos) << decrire(*e);
  }
  const std::string commande = std::string(std::getenv("ZOR_BUILD_DIR")) + "/zor-cli upload --port " + nom +
                               " - </dev/null 2>/dev/null";
  const int statut = std::system(commande.c_str());
  EXPECT_EQ(WEXITSTATUS(statut), 2);
  ::close(autre);
  // Held by this program under one name, the device is refused under the others.
  MSComm premier;
  premier.definirPeripherique(nom);
  ASSERT_FALSE(premier.ouvrir());
  for (const Cas& c : cas) {
    MSComm second;
    second.definirPeripherique(c.autreNom);
    const auto e = second.ouvrir();
    ASSERT_TRUE(e) << c.quoi;
    EXPECT_EQ(e->genre, Erreur::Genre::PortOccupe) << c.quoi;
  }
  EXPECT_FALSE(premier.Output("$A*41\r\n"));
  EXPECT_EQ(pty.lire(7), "$A*41\r\n") << "only the first one's bytes";
  ::unlink(lien.c_str());
}

TEST(PtyPartage, NomsParIdentifiantDUnAdaptateur) {
  test::PairePty pty, autre;
  test::LecteurCTemporaire dossier;
  const auto parId = dossier.chemin() / "by-id";
  std::filesystem::create_directory(parId);
  std::filesystem::create_symlink(pty.esclave(), parId / "usb-Prolific-if00-port0");
  std::filesystem::create_symlink(autre.esclave(), parId / "usb-FTDI-if00-port0");
  EXPECT_EQ(platform::nomsParIdentifiant(pty.esclave(), parId),
            std::vector<std::string>{(parId / "usb-Prolific-if00-port0").string()});
  EXPECT_TRUE(platform::nomsParIdentifiant("/dev/ttyAbsent", parId).empty());
}

// Lock files in the shared lock folder: a running program's reserves the device, a finished
// program's is cleared, and one that names no program is pointed at rather than reported as
// "already in use" with no way out.
TEST(Verrous, SelonLeProgrammeQuIlsNomment) {
  const std::string nom = "zor-essai-" + std::to_string(::getpid());
  const std::string peripherique = "/dev/" + nom, verrou = "/var/lock/LCK.." + nom;
  if (::access("/var/lock", W_OK) != 0) GTEST_SKIP() << "/var/lock n'est pas accessible en écriture";
  const pid_t fini = ::fork();
  if (fini == 0) ::_exit(0);
  ::waitpid(fini, nullptr, 0);
  struct Cas {
    const char* nom;
    std::function<void()> poser;
    bool reserve;  // reported as a lock
    bool reste;    // still there after choosing the name to open
  };
  auto ecrit = [&](std::string contenu) { return [&verrou, contenu] { test::ecrireOctets(verrou, contenu); }; };
  const Cas cas[] = {
      {"programme en cours", ecrit(std::to_string(::getppid()) + "\n"), true, true},
      {"programme fini", ecrit(std::to_string(fini) + "\n"), false, false},
      {"verrou UUCP d'un programme fini", ecrit("     " + std::to_string(fini) + "\n"), false, false},
      {"verrou vide", ecrit(""), true, true},
      {"verrou abîmé", ecrit("n'importe quoi\n"), true, true},
      // Planted by another user where everyone may write: never read whole, never waited on,
      // never followed.
      {"un dossier", [&] { ::mkdir(verrou.c_str(), 0755); }, true, true},
      {"un tube", [&] { ::mkfifo(verrou.c_str(), 0644); }, true, true},
      {"un lien vers /dev/zero", [&] { ASSERT_EQ(::symlink("/dev/zero", verrou.c_str()), 0); }, true, true},
      {"un lien vers un verrou fini", [&] {
         test::ecrireOctets(verrou + ".cible", std::to_string(fini) + "\n");
         ASSERT_EQ(::symlink((verrou + ".cible").c_str(), verrou.c_str()), 0);
       }, true, true},
      {"deux mégaoctets", ecrit(std::to_string(fini) + "\n" + std::string(2 << 20, ' ')), true, true},
  };
  for (const Cas& c : cas) {
    c.poser();
    EXPECT_EQ(platform::verrouActif(peripherique), c.reserve ? std::optional<std::string>(verrou) : std::nullopt)
        << c.nom;
    platform::leverVerrousPerimes(peripherique);
    EXPECT_EQ(::access(verrou.c_str(), F_OK) == 0 || ::rmdir(verrou.c_str()) == 0, c.reste) << c.nom;
    ::unlink(verrou.c_str());
    ::rmdir(verrou.c_str());
    ::unlink((verrou + ".cible").c_str());
  }
}

// Whatever stands at the lock's place, opening the port ends in the lock message, at once.
TEST(Verrous, UnDossierOuUnTubeALaPlaceDuVerrouNeBloquentRien) {
  test::PairePty pty;
  const std::string nom = pty.esclave().substr(5);  // "pts/N"
  std::string fichier = nom;
  for (char& c : fichier)
    if (c == '/') c = '_';
  const std::string verrou = "/var/lock/LCK.." + fichier;
  if (::access("/var/lock", W_OK) != 0) GTEST_SKIP() << "/var/lock n'est pas accessible en écriture";
  for (int tube = 0; tube < 2; ++tube) {
    ASSERT_EQ(tube ? ::mkfifo(verrou.c_str(), 0644) : ::mkdir(verrou.c_str(), 0755), 0);
    MSComm comm;
    comm.definirPeripherique(pty.esclave());
    const auto debut = std::chrono::steady_clock::now();
    const auto e = comm.ouvrir();
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(2));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->genre, Erreur::Genre::PortVerrouille);
    EXPECT_EQ(e->verrou, verrou);
    EXPECT_NE(decrire(*e).find("réservé par un autre programme (fichier de verrou " + verrou + ")"), std::string::npos);
    if (tube) ::unlink(verrou.c_str());
    else ::rmdir(verrou.c_str());
  }
}

}  // namespace
}  // namespace zor::serie
