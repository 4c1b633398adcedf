// One run from file to file: the dispatch on the type text and what happens to the files.
#include <gtest/gtest.h>

#include <filesystem>

#include "convert/conversion.h"
#include "core/erreur.h"
#include "tests/support/outils.h"

namespace zor::conversion {
namespace {

namespace fs = std::filesystem;

TEST(Conversion, LeTypeSeCompareExactement) {
  const std::pair<const char*, TypeEntree> cas[] = {
      {"Format ZOR", TypeEntree::Zor},        {"G7towin", TypeEntree::G7towin},
      {"Autoroute Express 2001", TypeEntree::AutorouteExpress},
      {"format ZOR", TypeEntree::Aucun},       {"G7towin ", TypeEntree::Aucun},
      {"g7towin", TypeEntree::Aucun},          {"Autoroute Express  2001", TypeEntree::Aucun},
      {"", TypeEntree::Aucun},
  };
  for (const auto& [texte, type] : cas) EXPECT_EQ(typeSelonTexte(texte), type) << texte;
}

class ConversionFichiers : public ::testing::Test {
 protected:
  fs::path chemin(const char* nom) { return lecteur.chemin() / nom; }
  test::LecteurCTemporaire lecteur;
};

TEST_F(ConversionFichiers, ChaqueRunVideLeFichierDEchange) {
  const fs::path echange = chemin("$_t_e_m_p");
  test::ecrireOctets(echange, "ancien contenu\r\n");
  test::ecrireOctets(chemin("e.txt"), "$X\r\n");
  // A type that names no reader opens nothing, not even a missing input.
  EXPECT_EQ(convertirVersFichier(TypeEntree::Aucun, chemin("absent.txt"), echange, Mode::Profil), 0);
  EXPECT_EQ(test::lireOctets(echange), "");
  EXPECT_EQ(convertirVersFichier(TypeEntree::Zor, chemin("e.txt"), echange, Mode::Profil), 1);
  EXPECT_EQ(test::lireOctets(echange), "$X\r\n");
}

TEST_F(ConversionFichiers, EchecsNommantLeFichier) {
  const fs::path echange = chemin("$_t_e_m_p");
  test::ecrireOctets(echange, "ancien\r\n");
  fs::create_directory(chemin("dossier"));
  struct Cas {
    fs::path entree, sortie, fautif;
  } cas[] = {
      {chemin("absent.txt"), echange, chemin("absent.txt")},
      {chemin("dossier"), echange, chemin("dossier")},
      {"", echange, ""},  // the dialog cancelled on its first use
      {chemin("dossier"), chemin("nulle/part/$_t_e_m_p"), chemin("nulle/part/$_t_e_m_p")},
  };
  for (const Cas& c : cas) {
    for (TypeEntree type : {TypeEntree::Zor, TypeEntree::G7towin, TypeEntree::AutorouteExpress}) {
      try {
        convertirVersFichier(type, c.entree, c.sortie, Mode::Profil);
        ADD_FAILURE() << c.entree << " : pas d'échec";
      } catch (const Echec& e) {
        EXPECT_EQ(e.erreur().fichier, c.fautif.string());
        EXPECT_NE(e.erreur().numeroSysteme, 0);
      }
    }
  }
  // The interchange file was emptied by the runs that reached it.
  EXPECT_EQ(test::lireOctets(echange), "");
}

}  // namespace
}  // namespace zor::conversion
