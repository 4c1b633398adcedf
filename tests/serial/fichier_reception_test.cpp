// The download file: emptied at the start (or, for zor-cli, at the first write), written in one
// piece, or put back as it was.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "serial/fichier_reception.h"
#include "tests/support/seams.h"

namespace zor::serie {
namespace {

class FichierReceptionTest : public ::testing::Test {
 protected:
  std::filesystem::path chemin() const { return lecteur.chemin() / "zor.txt"; }
  test::LecteurCTemporaire lecteur;
  FichierReception fichier;
};

TEST_F(FichierReceptionTest, VideDesLOuvertureEtEcritEnUneFois) {
  test::ecrireOctets(chemin(), "ancien contenu");
  ASSERT_FALSE(fichier.ouvrir(chemin(), "c:\\zor.txt"));
  EXPECT_EQ(test::lireOctets(chemin()), "");
  EXPECT_FALSE(fichier.ecrire(std::string("r2\x1a\xe9r3\r\n", 8)));
  EXPECT_FALSE(fichier.fermer());
  EXPECT_EQ(test::lireOctets(chemin()), std::string("r2\x1a\xe9r3\r\n", 8));
  EXPECT_FALSE(fichier.ouvert());
}

TEST_F(FichierReceptionTest, RemetLAncienContenuOctetPourOctet) {
  const std::string ancien("ligne 1\r\n\xff\x00 fin", 14);
  test::ecrireOctets(chemin(), ancien);
  ASSERT_FALSE(fichier.ouvrir(chemin(), "c:\\zor.txt"));
  EXPECT_FALSE(fichier.remettreAncienContenu());
  EXPECT_FALSE(fichier.fermer());
  EXPECT_EQ(test::lireOctets(chemin()), ancien);
}

TEST_F(FichierReceptionTest, UnFichierQuiNExistaitPasDisparaitDeNouveau) {
  ASSERT_FALSE(fichier.ouvrir(chemin(), "c:\\zor.txt"));
  EXPECT_TRUE(std::filesystem::exists(chemin()));
  EXPECT_FALSE(fichier.remettreAncienContenu());
  EXPECT_FALSE(fichier.fermer());
  EXPECT_FALSE(std::filesystem::exists(chemin()));
}

TEST_F(FichierReceptionTest, FichierImpossibleACreer) {
  struct Cas {
    const char* nom;
    std::filesystem::path chemin;
    const char* raison;
  };
  std::filesystem::create_directories(lecteur.chemin() / "dossier");
  const Cas cas[] = {
      {"dossier absent", lecteur.chemin() / "absent" / "zor.txt", "No such file or directory"},
      {"c'est un dossier", lecteur.chemin() / "dossier", "Is a directory"},
  };
  for (const auto& c : cas) {
    const auto panne = fichier.ouvrir(c.chemin, "c:\\zor.txt");
    ASSERT_TRUE(panne) << c.nom;
    EXPECT_EQ(panne->genre, Panne::Genre::FichierNonCreable) << c.nom;
    EXPECT_EQ(panne->peripherique, "c:\\zor.txt") << c.nom;
    EXPECT_EQ(panne->chemin, c.chemin.string()) << c.nom;
    EXPECT_EQ(panne->raison, c.raison) << c.nom;
    EXPECT_FALSE(fichier.ouvert()) << c.nom;
  }
}


// zor-cli's output keeps what it held until the collected text is written: a download stopped
// on the way (Ctrl+C) loses nothing.
TEST_F(FichierReceptionTest, VidageAuPremierEcritGardeLeFichierJusquALaFin) {
  struct Cas {
    const char* nom;
    bool existait;
    bool ecrit;  // the download wrote its text, or failed before collecting anything
    std::optional<std::string> attendu;  // nothing: the file is gone again
  };
  const Cas cas[] = {
      {"existant, réception réussie", true, true, "r2r3\r\n"},
      {"existant, échec sans rien reçu", true, false, "ancien"},
      {"nouveau, réception réussie", false, true, "r2r3\r\n"},
      {"nouveau, échec sans rien reçu", false, false, std::nullopt},
  };
  for (const auto& c : cas) {
    std::filesystem::remove(chemin());
    if (c.existait) test::ecrireOctets(chemin(), "ancien");
    FichierReception f;
    ASSERT_FALSE(f.ouvrir(chemin(), "sortie.txt", FichierReception::Vidage::AuPremierEcrit)) << c.nom;
    if (c.existait) {
      EXPECT_EQ(test::lireOctets(chemin()), "ancien") << c.nom << " : vidé trop tôt";
    }
    EXPECT_FALSE(c.ecrit ? f.ecrire("r2r3\r\n") : f.remettreAncienContenu()) << c.nom;
    EXPECT_FALSE(f.fermer()) << c.nom;
    EXPECT_EQ(std::filesystem::exists(chemin()), c.attendu.has_value()) << c.nom;
    if (c.attendu) {
      EXPECT_EQ(test::lireOctets(chemin()), *c.attendu) << c.nom;
    }
  }
}

// A pipe as the output (zor-cli download -o /dev/stdout | ...): never read back (that would
// wait for ever), never removed.
TEST_F(FichierReceptionTest, UnTubeNEstNiReluNiSupprime) {
  const auto tube = lecteur.chemin() / "tube";
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
  const int lecteurTube = ::open(tube.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(lecteurTube, 0);
  for (auto vidage : {FichierReception::Vidage::Immediat, FichierReception::Vidage::AuPremierEcrit}) {
    FichierReception f;
    ASSERT_FALSE(f.ouvrir(tube, "tube", vidage));
    EXPECT_FALSE(f.remettreAncienContenu());
    EXPECT_FALSE(f.ecrire("r2\r\n"));
    EXPECT_FALSE(f.fermer());
    EXPECT_TRUE(std::filesystem::is_fifo(tube));
    char lu[8] = {};
    EXPECT_EQ(::read(lecteurTube, lu, sizeof lu), 4);
  }
  ::close(lecteurTube);
}

}  // namespace
}  // namespace zor::serie
