// The download file: emptied at the start (the window) or left as it was until the end
// (zor-cli), written in one piece, or put back as it was.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <optional>

#include "serial/fichier_reception.h"
#include "tests/support/outils.h"

namespace zor::serie {
namespace {

using Vidage = FichierReception::Vidage;

class FichierReceptionTest : public ::testing::Test {
 protected:
  FichierNomme zorTxt() const { return {lecteur.chemin() / "zor.txt", "c:\\zor.txt"}; }
  std::filesystem::path chemin() const { return zorTxt().chemin; }
  test::LecteurCTemporaire lecteur;
  FichierReception fichier;
};

TEST_F(FichierReceptionTest, VideDesLOuvertureEtEcritEnUneFois) {
  test::ecrireOctets(chemin(), "ancien contenu");
  ASSERT_FALSE(fichier.ouvrir(zorTxt(), Vidage::Immediat));
  EXPECT_EQ(test::lireOctets(chemin()), "");
  EXPECT_FALSE(fichier.ecrire(std::string("r2\x1a\xe9r3\r\n", 8)));
  fichier.fermer();
  EXPECT_EQ(test::lireOctets(chemin()), std::string("r2\x1a\xe9r3\r\n", 8));
  EXPECT_FALSE(fichier.ouvert());
}

TEST_F(FichierReceptionTest, RemetLAncienContenuOctetPourOctet) {
  const std::string ancien("ligne 1\r\n\xff\x00 fin", 14);
  test::ecrireOctets(chemin(), ancien);
  ASSERT_FALSE(fichier.ouvrir(zorTxt(), Vidage::Immediat));
  EXPECT_FALSE(fichier.remettreAncienContenu());
  fichier.fermer();
  EXPECT_EQ(test::lireOctets(chemin()), ancien);
}

TEST_F(FichierReceptionTest, UnFichierQuiNExistaitPasDisparaitDeNouveau) {
  ASSERT_FALSE(fichier.ouvrir(zorTxt(), Vidage::Immediat));
  EXPECT_TRUE(std::filesystem::exists(chemin()));
  EXPECT_FALSE(fichier.remettreAncienContenu());
  fichier.fermer();
  EXPECT_FALSE(std::filesystem::exists(chemin()));
}

TEST_F(FichierReceptionTest, FichierImpossibleACreer) {
  struct Cas {
    const char* nom;
    std::filesystem::path chemin;
    int numero;
  };
  std::filesystem::create_directories(lecteur.chemin() / "dossier");
  const Cas cas[] = {
      {"dossier absent", lecteur.chemin() / "absent" / "zor.txt", ENOENT},
      {"c'est un dossier", lecteur.chemin() / "dossier", EISDIR},
  };
  for (const auto& c : cas) {
    for (auto vidage : {Vidage::Immediat, Vidage::ALaFin}) {
      const auto erreur = fichier.ouvrir({c.chemin, "c:\\zor.txt"}, vidage);
      ASSERT_TRUE(erreur) << c.nom;
      EXPECT_EQ(erreur->genre, Erreur::Genre::FichierNonCreable) << c.nom;
      EXPECT_EQ(erreur->numeroSysteme, c.numero) << c.nom;
      EXPECT_EQ(erreur->fichier, "c:\\zor.txt") << c.nom;
      EXPECT_EQ(erreur->chemin, c.chemin.string()) << c.nom;
      EXPECT_FALSE(fichier.ouvert()) << c.nom;
    }
  }
}

// zor-cli's output keeps what it held until the collected text is written: a download stopped
// on the way (Ctrl+C) loses nothing.
TEST_F(FichierReceptionTest, VidageALaFinGardeLeFichierJusquALaFin) {
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
    ASSERT_FALSE(f.ouvrir({chemin(), "sortie.txt"}, Vidage::ALaFin)) << c.nom;
    if (c.existait) {
      EXPECT_EQ(test::lireOctets(chemin()), "ancien") << c.nom << " : vidé trop tôt";
    }
    EXPECT_FALSE(c.ecrit ? f.ecrire("r2r3\r\n") : f.remettreAncienContenu()) << c.nom;
    f.fermer();
    EXPECT_EQ(std::filesystem::exists(chemin()), c.attendu.has_value()) << c.nom;
    if (c.attendu) {
      EXPECT_EQ(test::lireOctets(chemin()), *c.attendu) << c.nom;
    }
  }
}

// A download file that is a symbolic link stays one: the text lands in the file it leads to.
TEST_F(FichierReceptionTest, UnLienResteUnLien) {
  const auto vrai = lecteur.chemin() / "ailleurs" / "vrai.txt";
  std::filesystem::create_directories(vrai.parent_path());
  test::ecrireOctets(vrai, "ancien");
  std::filesystem::create_symlink(std::filesystem::path("ailleurs") / "vrai.txt", chemin());
  for (const Vidage vidage : {Vidage::ALaFin, Vidage::Immediat}) {
    FichierReception f;
    ASSERT_FALSE(f.ouvrir(zorTxt(), vidage));
    EXPECT_FALSE(f.ecrire("r2r3\r\n"));
    f.fermer();
    EXPECT_TRUE(std::filesystem::is_symlink(chemin()));
    EXPECT_EQ(test::lireOctets(vrai), "r2r3\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(vrai.parent_path()), std::filesystem::directory_iterator()), 1) << "nothing left beside";
  }
}

// When nothing can be created beside the file (here: its name leaves no room for a temporary
// one beside it; a read-only folder does the same), a file that was already emptied is
// written in place rather than left empty: neither the old content nor the received text is
// lost. A file that was not emptied keeps what it held.
TEST_F(FichierReceptionTest, SansPlaceACoteLeFichierVideEstEcritSurPlace) {
  const FichierNomme longNom{lecteur.chemin() / (std::string(250, 'n') + ".txt"), "sortie.txt"};
  struct Cas {
    const char* nom;
    Vidage vidage;
    bool ecrire;
    std::string attendu;
  };
  const Cas cas[] = {
      {"vidé, texte reçu", Vidage::Immediat, true, "r2r3\r\n"},
      {"vidé, rien reçu", Vidage::Immediat, false, "ancien"},
      {"à la fin, rien reçu", Vidage::ALaFin, false, "ancien"},
  };
  for (const auto& c : cas) {
    test::ecrireOctets(longNom.chemin, "ancien");
    FichierReception f;
    ASSERT_FALSE(f.ouvrir(longNom, c.vidage)) << c.nom;
    EXPECT_FALSE(c.ecrire ? f.ecrire("r2r3\r\n") : f.remettreAncienContenu()) << c.nom;
    f.fermer();
    EXPECT_EQ(test::lireOctets(longNom.chemin), c.attendu) << c.nom;
  }
  // Not emptied: the name as long as the folder allows is replaced as any other.
  FichierReception f;
  ASSERT_FALSE(f.ouvrir(longNom, Vidage::ALaFin));
  EXPECT_FALSE(f.ecrire("r2r3\r\n"));
  f.fermer();
  EXPECT_EQ(test::lireOctets(longNom.chemin), "r2r3\r\n");
}

// A pipe as the output (zor-cli download -o /dev/stdout | ...): never read back (that would
// wait for ever), never removed.
TEST_F(FichierReceptionTest, UnTubeNEstNiReluNiSupprime) {
  const auto tube = lecteur.chemin() / "tube";
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
  const int lecteurTube = ::open(tube.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(lecteurTube, 0);
  for (auto vidage : {Vidage::Immediat, Vidage::ALaFin}) {
    FichierReception f;
    ASSERT_FALSE(f.ouvrir({tube, "tube"}, vidage));
    EXPECT_FALSE(f.remettreAncienContenu());
    EXPECT_FALSE(f.ecrire("r2\r\n"));
    f.fermer();
    EXPECT_TRUE(std::filesystem::is_fifo(tube));
    char lu[8] = {};
    EXPECT_EQ(::read(lecteurTube, lu, sizeof lu), 4);
  }
  ::close(lecteurTube);
}

}  // namespace
}  // namespace zor::serie
