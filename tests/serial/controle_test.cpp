// The serial control over a scripted device: port choice and devices, line settings, reads of
// InputLen characters, waits for new bytes, the end-of-file event, and how failures name the
// port.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QCoreApplication>
#include <cerrno>

#include "serial/mscomm.h"
#include "serial/peripherique.h"
#include "tests/serial/outils_serie.h"

namespace zor::serie {
namespace {

using namespace std::chrono_literals;

TEST(ChoixPort, TexteExactSeulement) {
  const std::pair<const char*, std::optional<int>> cas[] = {
      {"Comm1", 1}, {"Comm2", 2}, {"Comm3", 3}, {"Comm4", 4}, {"comm2", std::nullopt}, {"COM2", std::nullopt},
      {"Comm5", std::nullopt}, {" Comm1", std::nullopt}, {"Comm1 ", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [texte, attendu] : cas) EXPECT_EQ(choixPort(QString::fromUtf8(texte)), attendu) << texte;
}

TEST(ChoixPort, PeripheriqueDuNumero) {
  // No port detected: the defaults, whatever this machine has plugged in.
  const auto aucun = [] { return std::vector<PortSerie>{}; };
  for (const char* v : {"ZOR_COMM1", "ZOR_COMM3", "ZOR_COMM4"}) ::unsetenv(v);
  EXPECT_EQ(peripheriqueDuPort(1, aucun), "/dev/ttyS0");
  EXPECT_EQ(peripheriqueDuPort(3, aucun), "/dev/ttyS2");
  test::PortEnvironnement env(3, "/dev/pts/42");
  EXPECT_EQ(peripheriqueDuPort(3, aucun), "/dev/pts/42");
  EXPECT_EQ(peripheriqueDuPort(4, aucun), "/dev/ttyS3");
}

TEST(Reglages, TexteDeLaLigne) {
  const Reglages r = lireReglages("4800,N,8,2");
  EXPECT_EQ(r.bauds, 4800);
  EXPECT_EQ(r.parite, 'N');
  EXPECT_EQ(r.bitsDonnees, 8);
  EXPECT_EQ(r.bitsStop, 2);
  EXPECT_EQ(lireReglages("9600,E,7,1.5").bitsStop, 15);
  for (const char* faux : {"", "4800", "4800,N,8", "4800,N,8,2,", "4800,X,8,2", "4800,N,9,2", "x,N,8,2", "4800,N,8,3"})
    EXPECT_THROW(lireReglages(faux), std::invalid_argument) << faux;
}

class ControleTest : public ::testing::Test {
 protected:
  void SetUp() override { scenario.horloge = &horloge; }
  std::chrono::milliseconds ecoule() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(horloge.maintenant() - Instant{});
  }
  test::HorlogeFactice horloge;
  test::ScenarioLiaison scenario;
  MSComm comm{test::liaisonScriptee(scenario)};
};

TEST_F(ControleTest, OuvreLePeripheriqueDuPortAvecSesReglages) {
  test::PortEnvironnement env(2, "/dev/pts/7");
  comm.Settings("4800,N,8,2");
  comm.CommPort(2);
  comm.PortOpen(true);
  EXPECT_EQ(scenario.peripherique, "/dev/pts/7");
  EXPECT_EQ(scenario.reglages.bauds, 4800);
  EXPECT_EQ(scenario.reglages.bitsStop, 2);
  EXPECT_THROW(comm.CommPort(3), std::logic_error);
  comm.PortOpen(false);
  EXPECT_EQ(scenario.journal, (std::vector<std::string>{"ouvrir /dev/pts/7", "fermer en vidant"}));
}

TEST_F(ControleTest, InputRendAuPlusInputLenCaracteresSansAttendre) {
  comm.PortOpen(true);
  scenario.arrivees.ajouter("abc");
  scenario.arrivees.ajouter("defgh");
  comm.InputLen(1);
  EXPECT_EQ(comm.Input(), "a");
  EXPECT_EQ(comm.Input(), "b");
  comm.InputLen(64);
  EXPECT_EQ(comm.Input(), "cdefgh");
  EXPECT_EQ(comm.Input(), "");
  scenario.arrivees.ajouter("xyz");
  comm.InputLen(0);
  EXPECT_EQ(comm.Input(), "xyz");
  EXPECT_EQ(ecoule(), 0ms);
}

// Bytes already waiting do not end a wait: only new ones do, or the time given.
TEST_F(ControleTest, AttendreReceptionAttendDeNouveauxOctets) {
  comm.PortOpen(true);
  scenario.arrivees.ajouter("abc");
  scenario.arrivees.ajouter("d", 250ms);
  comm.InputLen(1);
  EXPECT_EQ(comm.Input(), "a");
  comm.attendreReception(100ms);
  EXPECT_EQ(ecoule(), 100ms);
  EXPECT_EQ(comm.enAttente(), 2u);
  comm.attendreReception(1000ms);
  EXPECT_EQ(ecoule(), 250ms);
  EXPECT_EQ(comm.enAttente(), 3u);
  comm.InputLen(0);
  EXPECT_EQ(comm.Input(), "bcd");
}

TEST_F(ControleTest, UneOuvertureRepartDeZero) {
  comm.PortOpen(true);
  scenario.arrivees.ajouter("reste");
  comm.InputLen(1);
  comm.Input();
  comm.PortOpen(false);
  comm.PortOpen(true);
  comm.InputLen(0);
  EXPECT_EQ(comm.Input(), "");
  EXPECT_EQ(comm.enAttente(), 0u);
}

TEST_F(ControleTest, FinDeFichierLivreeParLaBoucleApresLeGestionnaire) {
  QSignalSpy evenements(&comm, &MSComm::OnComm);
  comm.PortOpen(true);
  {
    RetenueEvenements retenue(comm);
    scenario.arrivees.ajouter("ab\x1a");
    comm.InputLen(0);
    EXPECT_EQ(comm.Input(), "ab\x1a");
    scenario.arrivees.ajouter("\x1a");
    EXPECT_EQ(comm.Input(), "\x1a");
    EXPECT_EQ(comm.CommEvent(), MSComm::comEvEOF);
    QCoreApplication::processEvents();
    EXPECT_EQ(evenements.count(), 0) << "held while the handler runs";
  }
  EXPECT_EQ(evenements.count(), 0) << "never delivered from inside the handler";
  QCoreApplication::processEvents();
  EXPECT_EQ(evenements.count(), 1);
}

TEST_F(ControleTest, SansCaractere26PasDEvenement) {
  QSignalSpy evenements(&comm, &MSComm::OnComm);
  comm.PortOpen(true);
  scenario.arrivees.ajouter("abc\r\n");
  comm.Input();
  QCoreApplication::processEvents();
  EXPECT_EQ(evenements.count(), 0);
  EXPECT_EQ(comm.CommEvent(), 0);
}

TEST_F(ControleTest, LesErreursNommentLePortEtLePeripherique) {
  test::PortEnvironnement env(2, "/dev/pts/9");
  comm.CommPort(2);
  Erreur refus;
  refus.genre = Erreur::Genre::PortOccupe;
  refus.numeroSysteme = EBUSY;
  scenario.echecOuverture = refus;
  try {
    comm.PortOpen(true);
    FAIL() << "the open should fail";
  } catch (const Echec& e) {
    EXPECT_EQ(e.erreur().genre, Erreur::Genre::PortOccupe);
    EXPECT_EQ(e.erreur().numeroPort, 2);
    EXPECT_EQ(e.erreur().peripherique, "/dev/pts/9");
    EXPECT_EQ(e.erreur().numeroSysteme, EBUSY);
  }
  EXPECT_FALSE(comm.PortOpen());
}

TEST_F(ControleTest, LePeripheriqueQuiDisparaitEstUneLiaisonCoupee) {
  comm.PortOpen(true);
  scenario.coupure = 500ms;
  comm.InputLen(64);
  EXPECT_EQ(comm.Input(), "");
  comm.attendreReception(1000ms);
  try {
    comm.enAttente();
    FAIL() << "the vanished device should be reported";
  } catch (const Echec& e) {
    EXPECT_EQ(e.erreur().genre, Erreur::Genre::LiaisonCoupee);
    EXPECT_EQ(e.erreur().numeroSysteme, EIO);
    EXPECT_EQ(e.erreur().numeroPort, 1);
  }
  comm.abandonner();
  EXPECT_EQ(scenario.journal.back(), "fermer sans vider");
}

TEST_F(ControleTest, PeripheriqueNommeDirectement) {
  comm.definirPeripherique("/dev/ttyUSB0");
  EXPECT_EQ(comm.numeroAffiche(), 0);
  EXPECT_EQ(comm.peripherique(), "/dev/ttyUSB0");
  comm.PortOpen(true);
  EXPECT_EQ(scenario.peripherique, "/dev/ttyUSB0");
}

}  // namespace
}  // namespace zor::serie
