// The files the program writes for the user: written whole or not at all, never through a link
// another user planted where others may write, never waiting on what is not a file; and what
// cannot be written kept for this user alone. zor-cli's tests (tests/serial/partage_test.cpp)
// meet the second writer, pipes, signals and permissions.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "platform/drive_c.h"
#include "platform/ecriture.h"
#include "platform/secours.h"
#include "tests/support/outils.h"
#include "tests/support/processus.h"

namespace zor::platform {
namespace {

namespace fs = std::filesystem;
using Genre = Erreur::Genre;
using Maniere = ReglesEcriture::Maniere;
using namespace std::chrono_literals;

std::size_t nombreDeFichiers(const fs::path& dossier) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()));
}

// The three ways the program opens a file by name: replaced (-o, c:\zor.txt), written where it
// is (c:\$_t_e_m_p by the conversion, --brut), read back (c:\$_t_e_m_p by the upload). What the
// file holds afterwards when the opening went through; the refusal otherwise.
enum class Usage { Remplacer, SurPlace, Relire };
std::optional<Erreur> utiliser(Usage usage, const fs::path& chemin, std::string& lu) {
  std::optional<Erreur> e;
  if (usage == Usage::Relire) {
    if (std::FILE* f = ouvrirLectureOrdinaire(chemin, e)) {
      char tampon[64];
      lu.assign(tampon, std::fread(tampon, 1, sizeof tampon, f));
      std::fclose(f);
    }
    return e;
  }
  Ecriture ecriture;
  ReglesEcriture regles;
  regles.maniere = usage == Usage::Remplacer ? Maniere::Remplacer : Maniere::SurPlace;
  regles.ordinaireSeulement = true;
  e = ecriture.ouvrir(chemin, regles);
  if (!e) {
    EXPECT_EQ(ecriture.ecrireTout("nouveau"), 0);
  }
  return e;
}

TEST(Ecriture, UnNomAussiLongQueLeDossierLePermetEstRemplace) {
  test::LecteurCTemporaire dossier;
  for (std::size_t longueur : {1, 200, 242, 243, 255}) {
    const fs::path chemin = dossier.chemin() / std::string(longueur, 'n');
    test::ecrireOctets(chemin, "ancien");
    Ecriture ecriture;
    ASSERT_FALSE(ecriture.ouvrir(chemin, {})) << longueur;
    EXPECT_EQ(ecriture.ecrireTout("nouveau"), 0) << longueur;
    EXPECT_EQ(test::lireOctets(chemin), "nouveau") << longueur;
    EXPECT_EQ(nombreDeFichiers(dossier.chemin()), 1u) << longueur;
    fs::remove(chemin);
  }
}

// In a folder others may write, a link is followed only when this user, root or the folder's
// owner made it: any other is refused, the file it leads to left byte for byte as it was.
TEST(Ecriture, UnLienPoseParUnAutreDansUnDossierPartageNEstPasSuivi) {
  if (::geteuid() != 0) GTEST_SKIP() << "poser le lien d'un autre utilisateur demande les droits de root";
  test::LecteurCTemporaire racine;
  const fs::path secret = racine.chemin() / "prive" / "secret.txt";
  fs::create_directories(secret.parent_path());
  const uid_t moi = ::geteuid(), autre = test::kAutreUtilisateur;
  struct Cas {
    const char* nom;
    mode_t mode;
    uid_t proprietaireDossier, proprietaireLien;
    bool suivi;
  };
  const Cas cas[] = {
      {"dossier à soi", 0755, moi, autre, true},
      {"dossier collant ouvert à tous (/tmp)", 01777, moi, autre, false},
      {"dossier ouvert à tous", 0777, moi, autre, false},
      {"dossier de groupe", 02775, moi, autre, false},
      {"lien à soi dans un dossier partagé", 01777, autre, moi, true},
      {"lien du propriétaire du dossier", 01777, autre, autre, true},
  };
  for (const Cas& c : cas) {
    for (const Usage usage : {Usage::Remplacer, Usage::SurPlace, Usage::Relire}) {
      const std::string quoi = std::string(c.nom) + " / " + std::to_string(static_cast<int>(usage));
      const fs::path partage = racine.chemin() / "partage", lien = partage / "zor.txt";
      fs::remove_all(partage);
      fs::create_directory(partage);
      ASSERT_EQ(::chown(partage.c_str(), c.proprietaireDossier, static_cast<gid_t>(-1)), 0);
      ASSERT_EQ(::chmod(partage.c_str(), c.mode), 0);
      test::ecrireOctets(secret, "secret");
      fs::create_symlink(secret, lien);
      ASSERT_EQ(::lchown(lien.c_str(), c.proprietaireLien, static_cast<gid_t>(-1)), 0);
      std::string lu;
      const auto e = utiliser(usage, lien, lu);
      EXPECT_TRUE(fs::is_symlink(lien)) << quoi;
      EXPECT_EQ(nombreDeFichiers(partage), 1u) << quoi;
      if (c.suivi) {
        EXPECT_FALSE(e) << quoi << " : " << decrire(*e);
        EXPECT_EQ(usage == Usage::Relire ? lu : test::lireOctets(secret), usage == Usage::Relire ? "secret" : "nouveau") << quoi;
        continue;
      }
      ASSERT_TRUE(e) << quoi;
      EXPECT_EQ(e->genre, Genre::LienDUnAutre) << quoi;
      EXPECT_FALSE(e->detail.empty()) << quoi;
      EXPECT_EQ(test::lireOctets(secret), "secret") << quoi;
    }
  }
}

// Where only a regular file will do (c:\zor.txt, c:\$_t_e_m_p), anything else is refused at
// once, without being opened: a pipe nobody writes would wait for ever.
TEST(Ecriture, CeQuiNEstPasUnFichierOrdinaireEstRefuseSansAttendre) {
  test::LecteurCTemporaire dossier;
  const fs::path place = dossier.chemin() / "$_t_e_m_p";
  int lecteurTube = -1;
  struct Cas {
    const char* nom;
    std::function<void()> poser;
    Genre ecriture, lecture;
    std::string detail;
  };
  const Cas cas[] = {
      {"tube sans lecteur", [&] { ::mkfifo(place.c_str(), 0600); }, Genre::SortieNonOrdinaire, Genre::FichierNonOrdinaire, "un tube"},
      {"tube avec lecteur", [&] {
         ::mkfifo(place.c_str(), 0600);
         lecteurTube = ::open(place.c_str(), O_RDONLY | O_NONBLOCK);
       }, Genre::SortieNonOrdinaire, Genre::FichierNonOrdinaire, "un tube"},
      {"lien vers un périphérique", [&] { fs::create_symlink("/dev/null", place); }, Genre::SortieNonOrdinaire,
       Genre::FichierNonOrdinaire, "un périphérique"},
      {"dossier", [&] { fs::create_directory(place); }, Genre::FichierNonCreable, Genre::FichierIllisible, ""},
  };
  for (const Cas& c : cas) {
    for (const Usage usage : {Usage::Remplacer, Usage::SurPlace, Usage::Relire}) {
      c.poser();
      const auto debut = std::chrono::steady_clock::now();
      std::string lu;
      const auto e = utiliser(usage, place, lu);
      EXPECT_LT(std::chrono::steady_clock::now() - debut, 1s) << c.nom;
      ASSERT_TRUE(e) << c.nom;
      EXPECT_EQ(e->genre, usage == Usage::Relire ? c.lecture : c.ecriture) << c.nom;
      EXPECT_EQ(e->detail, c.detail) << c.nom;
      EXPECT_EQ(nombreDeFichiers(dossier.chemin()), 1u) << c.nom;
      if (lecteurTube >= 0) ::close(lecteurTube);
      lecteurTube = -1;
      fs::remove(place);
    }
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
  EXPECT_TRUE(test::seulementPourMoi(secours));
  EXPECT_EQ(fs::status(secours.parent_path()).permissions() & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
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
