// The serial control over a scripted device: port choice and devices, line settings, reads of
// InputLen characters, the end-of-file event, and how failures name the port.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QCoreApplication>

#include "serial/mscomm.h"
#include "serial/peripherique.h"
#include "tests/serial/outils_serie.h"

namespace zor::serie {
namespace {

TEST(ChoixPort, TexteExactSeulement) {
  const std::pair<const char*, std::optional<int>> cas[] = {
      {"Comm1", 1}, {"Comm2", 2}, {"Comm3", 3}, {"Comm4", 4}, {"comm2", std::nullopt}, {"COM2", std::nullopt},
      {"Comm5", std::nullopt}, {" Comm1", std::nullopt}, {"Comm1 ", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [texte, attendu] : cas) EXPECT_EQ(choixPort(QString::fromUtf8(texte)), attendu) << texte;
}

TEST(ChoixPort, PeripheriqueDuNumero) {
  for (const char* v : {"ZOR_COMM1", "ZOR_COMM3", "ZOR_COMM4"}) ::unsetenv(v);
  EXPECT_EQ(peripheriqueDuPort(1), "/dev/ttyS0");
  EXPECT_EQ(peripheriqueDuPort(3), "/dev/ttyS2");
  test::PortEnvironnement env(3, "/dev/pts/42");
  EXPECT_EQ(peripheriqueDuPort(3), "/dev/pts/42");
  EXPECT_EQ(peripheriqueDuPort(4), "/dev/ttyS3");
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
  test::ScenarioLiaison scenario;
  test::LiaisonsScriptees liaisons{{&scenario}};
  MSComm comm;
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
  scenario.arrivees = {"abc", "defgh"};
  comm.InputLen(1);
  EXPECT_EQ(comm.Input(), "a");
  EXPECT_EQ(comm.Input(), "b");
  comm.InputLen(64);
  EXPECT_EQ(comm.Input(), "cdefgh");
  EXPECT_EQ(comm.Input(), "");
  scenario.arrivees = {"xyz"};
  comm.InputLen(0);
  EXPECT_EQ(comm.Input(), "xyz");
}

TEST_F(ControleTest, UneOuvertureRepartDeZero) {
  comm.PortOpen(true);
  scenario.arrivees = {"reste"};
  comm.InputLen(1);
  comm.Input();
  comm.PortOpen(false);
  comm.PortOpen(true);
  comm.InputLen(0);
  EXPECT_EQ(comm.Input(), "");
}

TEST_F(ControleTest, FinDeFichierLivreeParLaBoucleApresLeGestionnaire) {
  QSignalSpy evenements(&comm, &MSComm::OnComm);
  comm.PortOpen(true);
  {
    RetenueEvenements retenue(comm);
    scenario.arrivees = {"ab\x1a", "\x1a"};
    comm.InputLen(0);
    EXPECT_EQ(comm.Input(), "ab\x1a");
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
  scenario.arrivees = {"abc\r\n"};
  comm.Input();
  QCoreApplication::processEvents();
  EXPECT_EQ(evenements.count(), 0);
  EXPECT_EQ(comm.CommEvent(), 0);
}

TEST_F(ControleTest, LesErreursNommentLePortEtLePeripherique) {
  test::PortEnvironnement env(2, "/dev/pts/9");
  comm.CommPort(2);
  Panne refus;
  refus.genre = Panne::Genre::PortOccupe;
  refus.raison = "Permission error while locking the device";
  scenario.echecOuverture = refus;
  try {
    comm.PortOpen(true);
    FAIL() << "the open should fail";
  } catch (const ErreurPort& e) {
    EXPECT_EQ(e.panne().genre, Panne::Genre::PortOccupe);
    EXPECT_EQ(e.panne().numeroPort, 2);
    EXPECT_EQ(e.panne().peripherique, "/dev/pts/9");
    EXPECT_EQ(e.panne().raison, "Permission error while locking the device");
  }
  EXPECT_FALSE(comm.PortOpen());
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
