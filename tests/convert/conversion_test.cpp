// One run from file to file: the dispatch on the type text and what happens to the files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
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

// A disk that fills up after `place` bytes, in the middle of a line as a real one does.
class SortiePleine : public Sortie {
 public:
  explicit SortiePleine(std::size_t place) : Sortie(4096), place_(place) {}
  const std::string& octets() const { return octets_; }

 protected:
  void deverser(std::string_view o) override {
    const std::size_t pris = std::min(o.size(), place_ - octets_.size());
    octets_.append(o.substr(0, pris));
    if (pris < o.size()) {
      noterPartiel(pris);
      throw Echec(erreurFichier(Erreur::Genre::FichierNonEcrit, "c:\\$_t_e_m_p", ENOSPC));
    }
  }
  void ramenerA(unsigned long long taille) noexcept override { octets_.resize(std::min<std::size_t>(taille, octets_.size())); }

 private:
  std::size_t place_;
  std::string octets_;
};

// On a full disk the window shows as many sentences as the interchange file holds, not more.
TEST(Conversion, LEchoNeMontreJamaisPlusQueLeFichier) {
  std::string g7, zor;
  for (int i = 0; i < 2000; ++i) {
    g7 += "W  WPT001          N45 30.123  E001 30.456\r\n";
    zor += "$GPWPL,4530.123,N,00130.456,E,WPT" + std::to_string(1000 + i) + "*00\r\n";
  }
  for (const auto& [type, texte] : {std::pair{TypeEntree::G7towin, g7}, std::pair{TypeEntree::Zor, zor}}) {
    SourceMemoire source(texte);
    SortiePleine pleine(30000);
    std::string echo = "run précédent\r\n";
    EXPECT_THROW(convertirDepuis(type, source, pleine, Mode::Profil, &echo), Echec);
    const auto lignes = [](const std::string& s) { return std::count(s.begin(), s.end(), '$'); };
    EXPECT_GT(lignes(pleine.octets()), 100);
    EXPECT_EQ(lignes(echo), lignes(pleine.octets())) << static_cast<int>(type);
    EXPECT_EQ(echo.rfind("run précédent\r\n", 0), 0u);
    EXPECT_EQ(echo.substr(echo.size() - 2), "\r\n");
  }
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
