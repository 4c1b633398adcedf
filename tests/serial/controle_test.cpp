// The serial control over the scripted device: the port it resolves (once, carried in every
// error), reads of InputLen characters, waits for new bytes, and the end-of-file event
// delivered only through the front end's "later", after the click handler.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "serial/mscomm.h"
#include "tests/serial/configuration_ports.h"
#include "tests/serial/liaison_scriptee.h"
#include "tests/support/outils.h"

namespace zor::serie {
namespace {

using namespace std::chrono_literals;

TEST(ChoixPort, TexteExactSeulement) {
  const std::pair<const char*, std::optional<int>> cas[] = {
      {"Comm1", 1}, {"Comm2", 2}, {"Comm3", 3}, {"Comm4", 4}, {"comm2", std::nullopt}, {"COM2", std::nullopt},
      {"Comm5", std::nullopt}, {" Comm1", std::nullopt}, {"Comm1 ", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [texte, attendu] : cas) EXPECT_EQ(choixPort(texte), attendu) << texte;
}

// What the user typed, read once: the list takes "Comm1".."Comm4" or a device path and leaves
// anything else to the control; --port takes 1 to 4 or any device, and refuses a bad number.
TEST(ChoixPort, ListeEtOption) {
  test::LecteurCTemporaire dossier;
  const std::filesystem::path ici = std::filesystem::current_path();
  std::filesystem::current_path(dossier.chemin());
  test::ecrireOctets(dossier.chemin() / "gps", "");
  struct Cas {
    bool option;
    const char* tape;
    std::optional<int> numero;
    std::optional<std::string> peripherique;
    bool erreur;
    const char* nom;  // how the advice names it
  };
  const Cas cas[] = {
      {false, "Comm2", 2, std::nullopt, false, "Comm2"},
      {false, "comm2", std::nullopt, std::nullopt, false, "comm2"},
      {false, "/dev/ttyUSB3", std::nullopt, "/dev/ttyUSB3", false, "/dev/ttyUSB3"},
      {false, "gps", std::nullopt, std::nullopt, false, "gps"},
      {true, "2", 2, std::nullopt, false, "--port 2"},
      {true, "04", 4, std::nullopt, false, "--port 04"},
      {true, "5", std::nullopt, std::nullopt, true, ""},
      {true, "0", std::nullopt, std::nullopt, true, ""},
      {true, "", std::nullopt, std::nullopt, true, ""},
      {true, "ttyUSB0", std::nullopt, "ttyUSB0", false, "--port ttyUSB0"},
      {true, "gps", std::nullopt, (dossier.chemin() / "gps").lexically_normal().string(), false, "--port gps"},
  };
  for (const Cas& c : cas) {
    std::string erreur;
    const ChoixPort choix = c.option ? choixDeLOption(c.tape, erreur) : choixDeLaListe(c.tape);
    EXPECT_EQ(choix.numero, c.numero) << c.tape;
    EXPECT_EQ(choix.peripherique, c.peripherique) << c.tape;
    EXPECT_EQ(!erreur.empty(), c.erreur) << c.tape;
    if (!c.erreur) {
      EXPECT_EQ(nomDuChoix(choix), c.nom) << c.tape;
    }
  }
  std::filesystem::current_path(ici);
}

// The choice reaches the control once, before it opens: a number, a device, or nothing at all.
TEST(ChoixPort, LeControleGardeSonPortSansChoix) {
  MSComm comm;
  comm.CommPort(3);
  comm.choisir(choixDeLaListe("COM2"));
  EXPECT_EQ(comm.CommPort(), 3);
  EXPECT_EQ(comm.designe().peripherique, "");
  comm.choisir(choixDeLaListe("/dev/ttyUSB1"));
  EXPECT_EQ(comm.designe().peripherique, "/dev/ttyUSB1");
  comm.choisir(choixDeLaListe("Comm2"));
  EXPECT_EQ(comm.CommPort(), 2);
  EXPECT_EQ(comm.designe().numero, 2);
}

class ControleTest : public ::testing::Test {
 protected:
  std::string input() {
    std::string lu;
    EXPECT_FALSE(comm.Input(lu));
    return lu;
  }
  test::ConfigurationPorts configuration;
  test::HorlogeFactice horloge;
  test::ScenarioLiaison scenario{&horloge};
  std::vector<std::function<void()>> plusTard;
  MSComm comm{test::servicesScriptes(scenario, {{"/dev/ttyUSB0", "CP2102"}}, &plusTard)};
};

// Where the device came from is found once, at the opening, and every error carries it.
TEST_F(ControleTest, LePortEstResoluALOuvertureEtNommeDansChaqueErreur) {
  struct Cas {
    std::function<void()> preparer;
    int numero;
    std::string peripherique, origine;
  };
  const Cas cas[] = {
      {[] {}, 1, "/dev/ttyUSB0", "port détecté"},
      {[] {}, 2, "/dev/ttyS1", "par défaut"},
      {[this] { configuration.variable(2, "/dev/pts/7"); }, 2, "/dev/pts/7", "variable d'environnement ZOR_COMM2"},
      {[this] { configuration.fichier("[ports]\nComm3=/dev/gps\n"); }, 3, "/dev/gps",
       "fichier " + configuration.chemin().string()},
  };
  for (const Cas& c : cas) {
    c.preparer();
    comm.CommPort(c.numero);
    ASSERT_FALSE(comm.ouvrir()) << c.peripherique;
    EXPECT_EQ(scenario.ouverts.back().peripherique, c.peripherique);
    EXPECT_EQ(scenario.ouverts.back().origine, c.origine);
    scenario.coupure = 0ms;
    const auto e = comm.prendre();
    ASSERT_TRUE(e) << c.peripherique;
    EXPECT_EQ(e->genre, Erreur::Genre::LiaisonCoupee);
    EXPECT_EQ(e->numeroPort, c.numero);
    EXPECT_EQ(e->peripherique, c.peripherique);
    EXPECT_EQ(e->origine, c.origine);
    scenario.coupure.reset();
    comm.abandonner();
  }
  EXPECT_EQ(scenario.abandons, 4);
  comm.definirPeripherique("/dev/ttyACM3");
  ASSERT_FALSE(comm.ouvrir());
  EXPECT_EQ(comm.designe().numero, 0);
  EXPECT_EQ(scenario.ouverts.back().peripherique, "/dev/ttyACM3");
  EXPECT_EQ(scenario.reglages.bauds, 4800);
}

TEST_F(ControleTest, ZorConfIllisibleRefuseLePortSansOuvrirDePeripherique) {
  configuration.fichier("[ports\nComm1=/dev/gps\n");
  const auto e = comm.ouvrir();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->genre, Erreur::Genre::FichierIllisible);
  EXPECT_EQ(e->fichier, configuration.chemin().string());
  EXPECT_EQ(e->numeroPort, 1);
  EXPECT_TRUE(scenario.ouverts.empty());
  EXPECT_FALSE(comm.PortOpen());
}

TEST_F(ControleTest, InputRendAuPlusInputLenCaracteresEtLAttenteFinitAuxNouveaux) {
  ASSERT_FALSE(comm.ouvrir());
  scenario.arrivees.ajouter("abc");
  scenario.arrivees.ajouter("d", 250ms);
  comm.InputLen(1);
  EXPECT_EQ(input(), "a");
  // Bytes already waiting do not end a wait: only new ones do, or the time given.
  EXPECT_FALSE(comm.attendreReception(100ms));
  EXPECT_EQ(horloge.maintenant() - Instant{}, 100ms);
  EXPECT_FALSE(comm.attendreReception(1000ms));
  EXPECT_EQ(horloge.maintenant() - Instant{}, 250ms);
  EXPECT_EQ(comm.enAttente(), 3u);
  comm.InputLen(64);
  EXPECT_EQ(input(), "bcd");
  EXPECT_EQ(input(), "");
  // A new opening starts from nothing.
  scenario.arrivees.ajouter("reste", 250ms);
  EXPECT_FALSE(comm.fermer());
  ASSERT_FALSE(comm.ouvrir());
  EXPECT_EQ(comm.enAttente(), 0u);
}

TEST_F(ControleTest, FinDeFichierLivreeParLaBoucleApresLeGestionnaire) {
  int evenements = 0;
  comm.OnComm = [&] { ++evenements; };
  ASSERT_FALSE(comm.ouvrir());
  scenario.arrivees.ajouter("abc\r\n");
  input();
  EXPECT_TRUE(plusTard.empty()) << "no 26, no event";
  {
    RetenueEvenements retenue(comm);
    scenario.arrivees.ajouter("ab\x1a");
    EXPECT_EQ(input(), "ab\x1a");
    EXPECT_EQ(comm.CommEvent(), MSComm::comEvEOF);
    EXPECT_TRUE(plusTard.empty()) << "held while the handler runs";
  }
  ASSERT_EQ(plusTard.size(), 1u);
  EXPECT_EQ(evenements, 0) << "never delivered from inside the handler";
  plusTard.front()();
  EXPECT_EQ(evenements, 1);
}

}  // namespace
}  // namespace zor::serie
