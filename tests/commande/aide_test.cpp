// Help texts fit an 80-column console: wrapped between words, French spacing kept together,
// options in their column; and every help zor-cli prints does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commande/aide.h"
#include "tests/support/processus.h"

namespace zor::commande {
namespace {

std::vector<std::string> lignes(const std::string& texte) {
  std::vector<std::string> resultat;
  std::size_t debut = 0;
  for (std::size_t fin; (fin = texte.find('\n', debut)) != std::string::npos; debut = fin + 1)
    resultat.push_back(texte.substr(debut, fin - debut));
  return resultat;
}

TEST(Aide, CoupeEntreLesMotsSansSeparerLaPonctuation) {
  const std::string mot = "abcdefghij";  // 10 columns
  std::string long_;
  for (int i = 0; i < 7; ++i) long_ += mot + " ";
  struct Cas {
    std::string texte;
    std::size_t retrait;
    std::vector<std::string> attendu;
  };
  const std::string plein = long_.substr(0, long_.size() - 1);  // 76 columns
  const Cas cas[] = {
      {long_ + "« été »", 0, {plein, "« été »"}},
      {long_ + "fin : là", 0, {plein, "fin : là"}},
      {std::string(72, 'x') + " [--max N]", 8, {std::string(72, 'x'), "        [--max N]"}},
      {"a\n  b", 3, {"a", "     b"}},
      {std::string(90, 'y'), 0, {std::string(90, 'y')}},  // a word wider than a line stays whole
  };
  for (const Cas& c : cas) {
    const std::vector<std::string> vues = lignes(Aide().texte(c.texte, c.retrait).str());
    EXPECT_EQ(vues, c.attendu) << c.texte;
  }
}

TEST(Aide, OptionsEnColonne) {
  const std::string texte =
      Aide().option("  -p, --port N", "mot " + std::string(70, 'z'), 20).option("  --tres-long-nom-d-option", "court", 20).str();
  EXPECT_EQ(lignes(texte), (std::vector<std::string>{"  -p, --port N      mot", std::string(20, ' ') + std::string(70, 'z'),
                                                     "  --tres-long-nom-d-option", std::string(20, ' ') + "court"}));
}

TEST(Aide, ChaqueAideDeZorCliTientEn80Colonnes) {
  for (const char* commande : {"", "convert", "upload", "download", "ports"}) {
    std::vector<std::string> arguments{"--help"};
    if (*commande != '\0') arguments.insert(arguments.begin(), commande);
    const std::string aide = test::executer(test::programmeConstruit("zor-cli"), arguments).sortie;
    EXPECT_NE(aide.find("Usage : zor-cli"), std::string::npos) << commande;
    for (const std::string& ligne : lignes(aide)) EXPECT_LE(colonnes(ligne), kColonnesAide) << commande << " : " << ligne;
  }
}

}  // namespace
}  // namespace zor::commande
