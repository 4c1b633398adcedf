// The registry calls as the stand-in store serves them: keys, sizes and result codes.
#include <gtest/gtest.h>

#include <string>

#include "about/registre.h"
#include "tests/about/outils_apropos.h"

namespace zor::apropos {
namespace {

class RegistreTest : public ::testing::Test {
 protected:
  // Opens the MSINFO key and queries `nom` into a buffer of `place` bytes.
  long interroger(const char* nom, std::uint32_t place, std::uint32_t& type, std::uint32_t& taille, std::string* lu = nullptr) {
    HandleCle cle = 0;
    const long ouverture = RegOpenKeyExA(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0, 0x2003F, &cle);
    EXPECT_EQ(ouverture, kErrorSuccess);
    if (ouverture != kErrorSuccess) return ouverture;
    std::string tampon(place, '\0');
    taille = place;
    const long r = RegQueryValueExA(cle, nom, nullptr, &type, reinterpret_cast<unsigned char*>(tampon.data()), &taille);
    if (lu != nullptr) *lu = tampon.substr(0, std::min(taille, place));
    EXPECT_EQ(RegCloseKey(cle), kErrorSuccess);
    return r;
  }

  test::RegistreTemporaire registre;
};

TEST_F(RegistreTest, LeFichierParDefautEstDansEtcZor) {
  const test::VariableEnvironnement sansFichier("ZOR_REGISTRY", std::nullopt);
  EXPECT_EQ(fichierRegistre(), std::filesystem::path("/etc/zor/registry.reg"));
}

TEST_F(RegistreTest, LaTailleDesDonneesDecideDuResultat) {
  const std::string mille23(1023, 'a');
  registre.ecrire("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                  "\"juste\"=\"" + mille23 + "\"\n"
                  "\"trop\"=\"" + mille23 + "b\"\n");
  std::uint32_t type = 0, taille = 0;
  std::string lu;
  EXPECT_EQ(interroger("juste", 1024, type, taille, &lu), kErrorSuccess);
  EXPECT_EQ(type, 1u);
  EXPECT_EQ(taille, 1024u);
  EXPECT_EQ(lu, mille23 + '\0');

  EXPECT_EQ(interroger("trop", 1024, type, taille), kErrorMoreData);
  EXPECT_EQ(taille, 1025u);

  EXPECT_EQ(interroger("absente", 1024, type, taille), kErrorFileNotFound);
}

TEST_F(RegistreTest, OuvrirEchoueSansFichierOuSurFichierMalFormeOuCleAbsente) {
  struct Cas {
    const char* nom;
    std::optional<std::string> fichier;
    const char* cle;
  };
  const Cas cas[] = {
      {"pas de fichier", std::nullopt, "SOFTWARE"},
      {"fichier mal formé", std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\nn'importe quoi\n"), "SOFTWARE"},
      {"clé absente", std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\n"), "SOFTWARE\\B"},
      {"autre racine seulement", std::string("REGEDIT4\n[HKEY_CURRENT_USER\\SOFTWARE\\A]\n"), "SOFTWARE\\A"},
  };
  for (const auto& c : cas) {
    if (c.fichier) registre.ecrire(*c.fichier);
    else registre.supprimer();
    HandleCle cle = 0;
    EXPECT_NE(RegOpenKeyExA(kHkeyLocalMachine, c.cle, 0, 0x2003F, &cle), kErrorSuccess) << c.nom;
  }
}

}  // namespace
}  // namespace zor::apropos
