// The download file: emptied at the start, written in one piece, or put back as it was.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zor::serie
