// The download file: left as it was until the end, then written in one piece, or left as it was.
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

class FichierReceptionTest : public ::testing::Test {
 protected:
  FichierNomme zorTxt() const { return {lecteur.chemin() / "zor.txt", "c:\\zor.txt"}; }
  std::filesystem::path chemin() const { return zorTxt().chemin; }
  test::LecteurCTemporaire lecteur;
  FichierReception fichier;
};

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
    const auto erreur = fichier.ouvrir({c.chemin, "c:\\zor.txt"});
    ASSERT_TRUE(erreur) << c.nom;
    EXPECT_EQ(erreur->genre, Erreur::Genre::FichierNonCreable) << c.nom;
    EXPECT_EQ(erreur->numeroSysteme, c.numero) << c.nom;
    EXPECT_EQ(erreur->fichier, "c:\\zor.txt") << c.nom;
    EXPECT_EQ(erreur->chemin, c.chemin.string()) << c.nom;
    EXPECT_FALSE(fichier.ouvert()) << c.nom;
  }
}

// The file keeps what it held until the collected text is written: a download stopped on the
// way (Ctrl+C) loses nothing, byte for byte.
TEST_F(FichierReceptionTest, LeFichierResteTelQuelJusquALaFin) {
  struct Cas {
    const char* nom;
    bool existait;
    bool ecrit;  // the download wrote its text, or failed before collecting anything
    std::optional<std::string> attendu;  // nothing: the file is gone again
  };
  const Cas cas[] = {
      {"existant, réception réussie", true, true, "r2r3\r\n"},
      {"existant, échec", true, false, std::string("ligne 1\r\n\xff\x00 fin", 14)},
      {"nouveau, réception réussie", false, true, "r2r3\r\n"},
      {"nouveau, échec", false, false, std::nullopt},
  };
  for (const auto& c : cas) {
    std::filesystem::remove(chemin());
    const std::string ancien("ligne 1\r\n\xff\x00 fin", 14);
    if (c.existait) test::ecrireOctets(chemin(), ancien);
    FichierReception f;
    ASSERT_FALSE(f.ouvrir({chemin(), "sortie.txt"})) << c.nom;
    if (c.existait) {
      EXPECT_EQ(test::lireOctets(chemin()), ancien) << c.nom << " : vidé trop tôt";
    }
    EXPECT_FALSE(c.ecrit ? f.ecrire("r2r3\r\n") : f.abandonner()) << c.nom;
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
  FichierReception f;
  ASSERT_FALSE(f.ouvrir(zorTxt()));
  EXPECT_FALSE(f.ecrire("r2r3\r\n"));
  f.fermer();
  EXPECT_TRUE(std::filesystem::is_symlink(chemin()));
  EXPECT_EQ(test::lireOctets(vrai), "r2r3\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(vrai.parent_path()), std::filesystem::directory_iterator()), 1) << "nothing left beside";
}

// A name as long as the folder allows is replaced as any other; abandoned, it keeps what it held.
TEST_F(FichierReceptionTest, NomLePlusLongPossible) {
  const FichierNomme longNom{lecteur.chemin() / (std::string(250, 'n') + ".txt"), "sortie.txt"};
  for (const bool ecrit : {false, true}) {
    test::ecrireOctets(longNom.chemin, "ancien");
    FichierReception f;
    ASSERT_FALSE(f.ouvrir(longNom));
    EXPECT_FALSE(ecrit ? f.ecrire("r2r3\r\n") : f.abandonner());
    f.fermer();
    EXPECT_EQ(test::lireOctets(longNom.chemin), ecrit ? "r2r3\r\n" : "ancien");
  }
}

// A pipe as the output (zor-cli download -o /dev/stdout | ...): never read back (that would
// wait for ever), never removed.
TEST_F(FichierReceptionTest, UnTubeNEstNiReluNiSupprime) {
  const auto tube = lecteur.chemin() / "tube";
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
  const int lecteurTube = ::open(tube.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(lecteurTube, 0);
  for (const bool ecrit : {false, true}) {
    FichierReception f;
    ASSERT_FALSE(f.ouvrir({tube, "tube"}));
    EXPECT_FALSE(ecrit ? f.ecrire("r2\r\n") : f.abandonner());
    f.fermer();
    EXPECT_TRUE(std::filesystem::is_fifo(tube));
  }
  char lu[8] = {};
  EXPECT_EQ(::read(lecteurTube, lu, sizeof lu), 4);
  ::close(lecteurTube);
}

}  // namespace
}  // namespace zor::serie
