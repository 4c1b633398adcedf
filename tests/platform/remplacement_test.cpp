// Files written whole or not at all, and what cannot be written kept for this user alone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "platform/drive_c.h"
#include "platform/remplacement.h"
#include "platform/secours.h"
#include "tests/support/outils.h"

namespace zor::platform {
namespace {

namespace fs = std::filesystem;

TEST(Remplacement, UnNomAussiLongQueLeDossierLePermetEstRemplace) {
  test::LecteurCTemporaire dossier;
  for (std::size_t longueur : {1, 200, 242, 243, 255}) {
    const fs::path chemin = dossier.chemin() / std::string(longueur, 'n');
    test::ecrireOctets(chemin, "ancien");
    EXPECT_EQ(remplacerContenu(chemin, "nouveau"), 0) << longueur;
    EXPECT_EQ(test::lireOctets(chemin), "nouveau") << longueur;
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier.chemin()), fs::directory_iterator()), 1) << longueur;
    fs::remove(chemin);
  }
}

TEST(Remplacement, CeQuiEstSauveEnSecoursNEstLisibleQueParLUtilisateur) {
  test::LecteurCTemporaire dossier;
  test::VariableEnvironnement etat("XDG_STATE_HOME", (dossier.chemin() / "etat").string());
  int numero = -1;
  const fs::path secours = sauverEnSecours("$GPWPL\r\n", "zor-reception", numero);
  ASSERT_FALSE(secours.empty()) << numero;
  EXPECT_EQ(secours.parent_path(), dossier.chemin() / "etat" / "zor");
  EXPECT_EQ(test::lireOctets(secours), "$GPWPL\r\n");
  struct stat fichier {}, sonDossier {};
  ASSERT_EQ(::stat(secours.c_str(), &fichier), 0);
  ASSERT_EQ(::stat(secours.parent_path().c_str(), &sonDossier), 0);
  EXPECT_EQ(fichier.st_mode & 0777, 0600u);
  EXPECT_EQ(sonDossier.st_mode & 0077, 0u);
  // Without a state folder of its own, the text goes to the folder that stands for drive C:.
  test::VariableEnvironnement sansEtat("XDG_STATE_HOME", std::nullopt);
  test::VariableEnvironnement sansMaison("HOME", std::nullopt);
  EXPECT_EQ(sauverEnSecours("x", "zor-reception", numero).parent_path(), dossier.chemin());
}

// A drive C: folder that refuses the file: the advice names ZOR_DRIVE_C, for those causes only.
TEST(LecteurC, ConseilQuandLeDossierRefuseDEcrire) {
  test::LecteurCTemporaire dossier;
  for (int numero : {EROFS, EACCES, EPERM}) {
    const std::string conseil = conseilLecteurC(numero);
    EXPECT_NE(conseil.find("ZOR_DRIVE_C"), std::string::npos) << numero;
    EXPECT_NE(conseil.find(dossier.chemin().string()), std::string::npos) << numero;
  }
  for (int numero : {0, ENOSPC, EIO, ENOENT}) EXPECT_EQ(conseilLecteurC(numero), "") << numero;
}

}  // namespace
}  // namespace zor::platform
