// Which device stands behind Comm1 to Comm4, and what the user is told when it cannot be opened.
#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>
#include <filesystem>

#include "serial/peripherique.h"
#include "tests/app/outils_ports.h"

namespace zor::serie {
namespace {

const DetectionPorts kDeuxAdaptateurs = [] {
  return std::vector<PortSerie>{{"/dev/ttyUSB0", "CP2102"}, {"/dev/ttyACM0", ""}};
};

TEST(CorrespondanceTest, VariableAvantFichierAvantDetectionAvantDefaut) {
  struct Cas {
    const char* variable;  // ZOR_COMMn, or nullptr
    const char* fichier;   // zor.conf, or nullptr
    int numero;
    const char* peripherique;
    Origine origine;
  };
  const Cas cas[] = {
      {"/dev/gps", "[ports]\nComm1=/dev/ttyUSB9\n", 1, "/dev/gps", Origine::Environnement},
      {nullptr, "[ports]\nComm1=/dev/ttyUSB9\n", 1, "/dev/ttyUSB9", Origine::Configuration},
      {nullptr, "[ports]\nComm1=/dev/ttyUSB9\n", 2, "/dev/ttyACM0", Origine::Detection},
      {nullptr, "[ports]\nComm1=/dev/ttyUSB9\n", 3, "/dev/ttyS2", Origine::Defaut},
      // Keys it does not know, and an empty one, leave the port to the next source.
      {nullptr, "[general]\nComm1=/dev/x\n[ports]\nComm1=\nvitesse=9600\n", 1, "/dev/ttyUSB0", Origine::Detection},
      {nullptr, nullptr, 1, "/dev/ttyUSB0", Origine::Detection},
      {nullptr, nullptr, 4, "/dev/ttyS3", Origine::Defaut},
  };
  for (const Cas& c : cas) {
    test::ConfigurationPorts configuration;
    if (c.variable) configuration.variable(c.numero, c.variable);
    if (c.fichier) configuration.fichier(c.fichier);
    const Correspondance trouvee = correspondance(c.numero, kDeuxAdaptateurs);
    EXPECT_EQ(trouvee.peripherique, c.peripherique) << c.numero << " " << (c.fichier ? c.fichier : "");
    EXPECT_EQ(trouvee.origine, c.origine) << c.numero << " " << (c.fichier ? c.fichier : "");
    EXPECT_FALSE(trouvee.erreurConfiguration);
  }
}

TEST(CorrespondanceTest, AdaptateursDAbordPuisParNomEtNumero) {
  auto trouve = [](const char* nom, bool adaptateur) {
    return PortTrouve{{std::string("/dev/") + nom, ""}, nom, adaptateur};
  };
  const std::vector<PortSerie> ordre =
      ordonnerPorts({trouve("ttyS0", false), trouve("ttyUSB10", true), trouve("ttyS1", false), trouve("ttyUSB2", true),
                     trouve("ttyACM0", true), trouve("rfcomm0", true)});
  std::vector<std::string> noms;
  for (const PortSerie& p : ordre) noms.push_back(p.peripherique);
  EXPECT_EQ(noms, (std::vector<std::string>{"/dev/rfcomm0", "/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyS0",
                                            "/dev/ttyS1"}));
}

TEST(CorrespondanceTest, FichierIllisibleNeDonnePasLePortAUnAutrePeripherique) {
  test::ConfigurationPorts configuration;
  std::filesystem::create_directories(configuration.chemin());  // a folder where the file should be
  const Correspondance c = correspondance(1, kDeuxAdaptateurs);
  EXPECT_TRUE(c.erreurConfiguration);
  EXPECT_TRUE(c.peripherique.empty());
  EXPECT_EQ(c.configuration, configuration.chemin());
}

TEST(CorrespondanceTest, FichierMalFormeRefuseChaquePortChaqueFois) {
  test::ConfigurationPorts configuration;
  configuration.fichier("[ports\nComm3=/dev/gps\n");
  for (int tour = 0; tour < 2; ++tour)
    for (int numero = 1; numero <= 4; ++numero) {
      const Correspondance c = correspondance(numero, kDeuxAdaptateurs);
      EXPECT_TRUE(c.erreurConfiguration.has_value()) << numero << " " << c.peripherique;
      EXPECT_EQ(c.origine, Origine::Configuration) << numero;
    }
  // Once mended, the file is read again.
  configuration.fichier("[ports]\nComm1=/dev/gps-repare\n");
  EXPECT_EQ(correspondance(1, kDeuxAdaptateurs).peripherique, "/dev/gps-repare");
}

TEST(CorrespondanceTest, ParLaVariableLeMessageLeDit) {
  test::ConfigurationPorts configuration;
  configuration.variable(2, "/dev/gps");
  const std::string texte =
      decrireEchec(erreurPort(Erreur::Genre::PortIntrouvable, 2, "/dev/gps", ENOENT), kDeuxAdaptateurs);
  EXPECT_NE(texte.find("ZOR_COMM2"), std::string::npos) << texte;
}

TEST(CorrespondanceTest, SeulsLesEchecsDOuvertureParlentDesPorts) {
  test::ConfigurationPorts configuration;
  for (const Erreur::Genre genre : {Erreur::Genre::Silence, Erreur::Genre::LiaisonCoupee}) {
    const Erreur e = erreurPort(genre, 1, "/dev/ttyUSB0");
    EXPECT_EQ(decrireEchec(e, kDeuxAdaptateurs), decrire(e));
  }
  const std::string texte = decrireEchec(erreurPort(Erreur::Genre::PortIntrouvable, 1, "/dev/ttyS0", ENOENT), [] {
    return std::vector<PortSerie>{};
  });
  EXPECT_NE(texte.find("Aucun port série"), std::string::npos) << texte;
}

TEST(CorrespondanceTest, ZorCliPortsDitDOuVientChaquePeripherique) {
  test::ConfigurationPorts configuration;
  configuration.variable(1, "/dev/gps");
  configuration.fichier("[ports]\nComm2=/dev/ttyUSB9\n");
  QProcess zorCli;
  zorCli.start(QString::fromLocal8Bit(std::getenv("ZOR_BUILD_DIR")) + QStringLiteral("/zor-cli"), {QStringLiteral("ports")});
  ASSERT_TRUE(zorCli.waitForFinished(10000));
  EXPECT_EQ(zorCli.exitCode(), 0);
  const std::string sortie = zorCli.readAllStandardOutput().toStdString();
  EXPECT_NE(sortie.find("Comm1 : /dev/gps (variable d'environnement ZOR_COMM1)\n"), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("Comm2 : /dev/ttyUSB9 (fichier " + configuration.chemin().string() + ")\n"), std::string::npos)
      << sortie;
}

TEST(CorrespondanceTest, CheminTapeDansLaListe) {
  EXPECT_EQ(peripheriqueTape(QStringLiteral("/dev/ttyUSB3")), "/dev/ttyUSB3");
  EXPECT_EQ(peripheriqueTape(QStringLiteral("dev/ttyUSB3")), std::nullopt);
  EXPECT_EQ(peripheriqueTape(QStringLiteral("Comm2")), std::nullopt);
  EXPECT_EQ(peripheriqueTape(QStringLiteral("/")), std::nullopt);
}

}  // namespace
}  // namespace zor::serie
