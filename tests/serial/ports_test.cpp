// Which device stands behind Comm1 to Comm4, and what the user is told when it cannot be opened.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "serial/conseils_port.h"
#include "serial/peripherique.h"
#include "serial/ports_posix.h"
#include "serial/ports_windows.h"
#include "serial/configuration.h"
#include "tests/serial/configuration_ports.h"
#include "tests/support/outils.h"

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

// The machine's ports from the kernel's list of terminals and udev's names, on a copy of their
// shape: a built-in UART with a circuit, an empty slot, a console, two USB adapters (one naming
// itself only by its maker, with a control character), and an adapter only udev names.
TEST(CorrespondanceTest, PortsDuSystemeDepuisSysEtParIdentifiant) {
  test::LecteurCTemporaire dossier;
  const std::filesystem::path sys = dossier.chemin() / "sys", classe = sys / "class" / "tty";
  const std::filesystem::path materiel = sys / "devices", parId = dossier.chemin() / "by-id";
  struct Terminal {
    const char* nom;
    const char* peripherique;  // under devices/, the device behind it; nullptr: none
    const char* type;          // the serial driver's type attribute; nullptr: none
  };
  const Terminal terminaux[] = {
      {"ttyS0", "pnp0/00:04", "4"},
      {"ttyS1", "platform/serial8250", "0"},
      {"tty1", nullptr, nullptr},
      {"ttyUSB0", "pci0/usb1/1-1/1-1:1.0/ttyUSB0", nullptr},
      {"ttyACM0", "pci0/usb1/1-2/1-2:1.0", nullptr},
  };
  for (const Terminal& t : terminaux) {
    std::filesystem::create_directories(classe / t.nom);
    if (t.peripherique) {
      std::filesystem::create_directories(materiel / t.peripherique);
      std::filesystem::create_directory_symlink(materiel / t.peripherique, classe / t.nom / "device");
    }
    if (t.type) test::ecrireOctets(classe / t.nom / "type", std::string(t.type) + "\n");
  }
  test::ecrireOctets(materiel / "pci0/usb1/1-1/idVendor", "10c4\n");
  test::ecrireOctets(materiel / "pci0/usb1/1-1/product", "CP2102 USB to UART Bridge Controller\n");
  test::ecrireOctets(materiel / "pci0/usb1/1-2/idVendor", "067b\n");
  test::ecrireOctets(materiel / "pci0/usb1/1-2/manufacturer", "Prolific\tInc.\n");
  std::filesystem::create_directories(parId);
  test::ecrireOctets(dossier.chemin() / "ttyUSB7", "");
  std::filesystem::create_symlink(dossier.chemin() / "ttyUSB7", parId / "usb-FTDI-if00-port0");
  std::filesystem::create_symlink(dossier.chemin() / "absent", parId / "usb-parti-if00-port0");

  std::vector<std::string> vus;
  for (const PortSerie& p : portsDuSysteme(classe, parId)) vus.push_back(p.peripherique + " | " + p.description);
  EXPECT_EQ(vus, (std::vector<std::string>{"/dev/ttyACM0 | Prolific Inc.",
                                           "/dev/ttyUSB0 | CP2102 USB to UART Bridge Controller",
                                           (dossier.chemin() / "ttyUSB7").string() + " | ", "/dev/ttyS0 | "}));
  EXPECT_TRUE(portsDuSysteme(dossier.chemin() / "nulle-part", dossier.chemin() / "nulle-part").empty());
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

TEST(CorrespondanceTest, LeMessageDitDOuVientLePeripherique) {
  test::ConfigurationPorts configuration;
  Erreur e = erreurPort(Erreur::Genre::PortIntrouvable, 2, "/dev/gps", ENOENT);
  e.origine = "variable d'environnement ZOR_COMM2";
  const std::string texte = decrireEchec(e, kDeuxAdaptateurs);
  EXPECT_NE(texte.find("\nComm2 désigne /dev/gps (variable d'environnement ZOR_COMM2).\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find("Ports série présents :\n  /dev/ttyUSB0 — CP2102\n  /dev/ttyACM0\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find("[ports]\nComm2=/dev/ttyUSB0"), std::string::npos) << texte;
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

// Each advice fits its cause: a busy port is the right one (close the other program, nothing to
// map); a forbidden one says what its group calls for.
TEST(CorrespondanceTest, ChaqueConseilSelonSaCause) {
  test::ConfigurationPorts configuration;
  test::LecteurCTemporaire dossier;
  const std::string peripherique = (dossier.chemin() / "ttyUSB9").string();
  test::ecrireOctets(peripherique, "");
  struct Cas {
    Erreur::Genre genre;
    gid_t groupe;  // of the device
    const char* present;
    const char* absent;
  };
  const Cas cas[] = {
      {Erreur::Genre::PortOccupe, 0, "Fermez ce programme", "[ports]"},
      {Erreur::Genre::PortVerrouille, 0, "Fermez ce programme", "Ports série présents"},
      {Erreur::Genre::PortIntrouvable, 0, "[ports]\nComm1=", "dialout"},
      {Erreur::Genre::PortInterdit, 20, "groupe dialout : ajoutez-y votre compte", "[ports]"},  // Debian's dialout
      {Erreur::Genre::PortInterdit, 0, "appartient à root (groupe root)", "usermod"},
  };
  for (const Cas& c : cas) {
    // Only root may give a file to root and to any group.
    if (::chown(peripherique.c_str(), 0, c.groupe) != 0) GTEST_SKIP() << "chown demande les droits de root";
    const std::string texte = decrireEchec(erreurPort(c.genre, 1, peripherique, EACCES), kDeuxAdaptateurs);
    EXPECT_NE(texte.find(c.present), std::string::npos) << static_cast<int>(c.genre) << "\n" << texte;
    EXPECT_EQ(texte.find(c.absent), std::string::npos) << static_cast<int>(c.genre) << "\n" << texte;
  }
}

TEST(CorrespondanceTest, ZorCliPortsDitDOuVientChaquePeripherique) {
  test::ConfigurationPorts configuration;
  configuration.variable(1, "/dev/gps");
  configuration.variable(3, "/dev/gps\x1b]0;piège\x07");  // a name that would speak to the terminal
  configuration.fichier("[ports]\nComm2=/dev/ttyUSB9\n");
  const std::string commande = std::string(std::getenv("ZOR_BUILD_DIR")) + "/zor-cli ports";
  std::FILE* sortieCli = ::popen(commande.c_str(), "r");
  ASSERT_NE(sortieCli, nullptr);
  std::string sortie;
  char tampon[4096];
  for (std::size_t n; (n = std::fread(tampon, 1, sizeof tampon, sortieCli)) > 0;) sortie.append(tampon, n);
  EXPECT_EQ(::pclose(sortieCli), 0);
  // A device that does not exist is said so.
  EXPECT_NE(sortie.find("Comm1 : /dev/gps (variable d'environnement ZOR_COMM1, absent)\n"), std::string::npos) << sortie;
  EXPECT_NE(sortie.find("Comm2 : /dev/ttyUSB9 (fichier " + configuration.chemin().string() + ", absent)\n"), std::string::npos)
      << sortie;
  EXPECT_NE(sortie.find("Comm3 : /dev/gps\\x1B]0;piège\\x07 ("), std::string::npos) << sortie;
  EXPECT_EQ(sortie.find('\x1b'), std::string::npos);
  // The same for what the devices say of themselves.
  const std::string liste = listePorts({{"/dev/ttyUSB\x1b[2J", "CP2102\x9b" "31m\n"}}, nullptr);
  EXPECT_NE(liste.find("/dev/ttyUSB\\x1B[2J — CP2102\\x9B31m\\x0A"), std::string::npos) << liste;
}

// zor.conf is read with a bound and never waited on; whatever stands in its place that is not a
// small regular file refuses every port, naming the file.
TEST(CorrespondanceTest, ZorConfRefuseCeQuiNEstPasUnPetitFichier) {
  struct Cas {
    const char* nom;
    std::function<void(const std::filesystem::path&)> poser;
    Erreur::Genre genre;
    int numero;
    const char* raison = "";
  };
  const Cas cas[] = {
      {"un tube", [](const std::filesystem::path& p) { ::mkfifo(p.c_str(), 0600); }, Erreur::Genre::FichierNonOrdinaire, 0},
      {"un dossier", [](const std::filesystem::path& p) { std::filesystem::create_directory(p); },
       Erreur::Genre::FichierNonOrdinaire, 0},
      {"plus d'un mégaoctet",
       [](const std::filesystem::path& p) { test::ecrireOctets(p, "[ports]\nComm1=/dev/gps\n" + std::string(1 << 20, '#')); },
       Erreur::Genre::FichierIllisible, EFBIG},
      {"mal formé", [](const std::filesystem::path& p) { test::ecrireOctets(p, "[ports]\nComm1=/dev/gps\nComm2\n"); },
       Erreur::Genre::FichierIllisible, 0, "ligne 3, ni commentaire"},
  };
  for (const Cas& c : cas) {
    test::ConfigurationPorts configuration;
    c.poser(configuration.chemin());
    const Correspondance trouvee = correspondance(1, kDeuxAdaptateurs);
    ASSERT_TRUE(trouvee.erreurConfiguration) << c.nom;
    EXPECT_EQ(trouvee.erreurConfiguration->genre, c.genre) << c.nom;
    EXPECT_EQ(trouvee.erreurConfiguration->numeroSysteme, c.numero) << c.nom;
    EXPECT_EQ(trouvee.erreurConfiguration->fichier, configuration.chemin().string()) << c.nom;
    Erreur e = *trouvee.erreurConfiguration;
    e.numeroPort = 1;
    const std::string texte = decrireEchec(e, kDeuxAdaptateurs);
    EXPECT_NE(texte.find(configuration.chemin().string()), std::string::npos) << texte;
    EXPECT_NE(texte.find("ce port ne s'ouvre pas"), std::string::npos) << texte;
    EXPECT_NE(texte.find(c.raison), std::string::npos) << texte;
  }
}

TEST(CorrespondanceTest, LectureIni) {
  struct Cas {
    const char* texte;
    std::optional<std::optional<std::string>> valeur;  // outer nothing: malformed
    int ligne = 0;                                      // then the line at fault
  };
  using V = std::optional<std::string>;
  const Cas cas[] = {
      {"[ports]\nComm1=/dev/a\n", V("/dev/a")},
      {"[ports]\r\n  Comm1 = /dev/a  \r\n", V("/dev/a")},
      {"; commentaire\n# autre\n\n[ports]\nComm1=\"/dev/a b\"\n", V("/dev/a b")},
      {"[ports]\nComm1=/dev/a\nComm1=/dev/b\n", V("/dev/b")},
      {"[ports]\ncomm1=/dev/a\n[Ports]\nComm1=/dev/b\n", V()},
      {"Comm1=/dev/a\n", V()},
      {"", V()},
      {"\xEF\xBB\xBF[ports]\r\nComm1=/dev/a\r\n", V("/dev/a")},  // written by an editor that marks UTF-8
      {"[ports]\r\n\r\nComm1\n", std::nullopt, 3},
      {"\xEF\xBB\xBF\xEF\xBB\xBF[ports]\n", std::nullopt, 1},
      {"[ports\nComm1=/dev/a\n", std::nullopt, 1},
  };
  for (const Cas& c : cas) {
    int ligne = 0;
    EXPECT_EQ(valeurIni(c.texte, "ports", "Comm1", &ligne), c.valeur) << c.texte;
    EXPECT_EQ(ligne, c.ligne) << c.texte;
  }
}

// The ports of a Windows machine under the names its Device Manager gives them, COM numbers in
// their order; a device whose driver does not run is listed with its problem, even without a
// COM number; a port its driver announces without a device (a virtual one) is listed too.
TEST(PortsWindows, NomsDuGestionnaireEtProblemes) {
  const std::vector<PortDuGestionnaire> gestionnaire = {
      {"COM10", "USB Serial Port (COM10)", 0},
      {"COM5", "Prolific USB-to-Serial Comm Port (COM5)", 10},
      {"LPT1", "Port imprimante (LPT1)", 0},
      {"", "USB-SERIAL CH340", 28},
      {"", "Port sans numéro ni problème", 0},
  };
  const std::vector<PortSerie> ports = portsDuSysteme(gestionnaire, {"COM5", "COM2", "COM10"});
  std::vector<std::string> vus;
  for (const PortSerie& p : ports) vus.push_back(p.peripherique + "|" + p.description + "|" + p.probleme);
  EXPECT_EQ(vus, (std::vector<std::string>{
                     "COM2||",
                     "COM5|Prolific USB-to-Serial Comm Port (COM5)|" + problemePilote(10),
                     "COM10|USB Serial Port (COM10)|",
                     "|USB-SERIAL CH340|" + problemePilote(28),
                 }));
  const std::pair<unsigned long, const char*> problemes[] = {
      {10, "ce périphérique ne peut pas démarrer"}, {22, "désactivé"}, {28, "pilotes ne sont pas installés"},
      {52, "signature numérique"}, {999, "a un problème (code 999)"}};
  for (const auto& [code, texte] : problemes) {
    const std::string dit = problemePilote(code);
    EXPECT_NE(dit.find(texte), std::string::npos) << dit;
    EXPECT_NE(dit.find("(code " + std::to_string(code) + ")"), std::string::npos) << dit;
  }
  EXPECT_EQ(listePorts(ports), "Ports série présents :\n  COM2\n  COM5 — Prolific USB-to-Serial Comm Port (COM5)\n"
                               "    ne fonctionne pas : " + problemePilote(10) +
                               "\n  COM10 — USB Serial Port (COM10)\n  USB-SERIAL CH340\n    ne fonctionne pas : " +
                               problemePilote(28));
}

TEST(CorrespondanceTest, CheminTapeDansLaListe) {
  EXPECT_EQ(peripheriqueTape(("/dev/ttyUSB3")), "/dev/ttyUSB3");
  EXPECT_EQ(peripheriqueTape(("dev/ttyUSB3")), std::nullopt);
  EXPECT_EQ(peripheriqueTape(("Comm2")), std::nullopt);
  EXPECT_EQ(peripheriqueTape(("/")), std::nullopt);
}

}  // namespace
}  // namespace zor::serie
