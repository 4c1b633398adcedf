// What both front ends share in drawing the window: where a picture button puts its picture
// and caption, and the echo label's line index and width.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "ihm/disposition_bouton.h"
#include "ihm/lignes_caption.h"

namespace zor {
namespace {

TEST(DispositionBouton, ImageASaTailleAuDessusCoupeeOuACoteSelonLaFace) {
  enum class Place { Dessus, Coupee, ACote };
  struct Cas {
    const char* bouton;
    Zone interieur;  // the window's buttons at 96 points per inch, inside their border
    int largeurTexte, cote;
    Place attendue;
  } cas[] = {
      {"sortie", {3, 3, 83, 34}, 40, 16, Place::Dessus},
      {"ouvrir", {3, 3, 115, 34}, 90, 16, Place::Dessus},
      {"ok", {3, 3, 67, 18}, 14, 16, Place::ACote},
      {"lire", {3, 3, 91, 26}, 62, 32, Place::Coupee},
      {"ecrire", {3, 3, 91, 26}, 80, 32, Place::Coupee},
      {"ok trop étroit", {3, 3, 30, 18}, 14, 16, Place::Coupee},
  };
  const int hauteurTexte = 13;
  for (const Cas& c : cas) {
    const Zone& z = c.interieur;
    const DispositionBouton d = disposerBouton(z, hauteurTexte, c.largeurTexte, c.cote, false);
    EXPECT_EQ(d.image.largeur, c.cote) << c.bouton << " : l'image garde sa taille";
    EXPECT_EQ(d.image.hauteur, c.cote) << c.bouton;
    EXPECT_EQ(d.texte.hauteur, hauteurTexte) << c.bouton << " : la légende garde une ligne entière";
    EXPECT_GE(d.texte.y, z.y) << c.bouton;
    EXPECT_LE(d.texte.y + d.texte.hauteur, z.y + z.hauteur) << c.bouton;
    switch (c.attendue) {
      case Place::Dessus:
        EXPECT_FALSE(d.coupee) << c.bouton;
        EXPECT_LE(d.image.y + d.image.hauteur, d.texte.y) << c.bouton;
        EXPECT_GE(d.image.y, z.y) << c.bouton;
        break;
      case Place::Coupee:
        // The caption at the bottom of the face, the picture centred above it and cut there.
        EXPECT_EQ(d.texte.y + d.texte.hauteur, z.y + z.hauteur) << c.bouton;
        EXPECT_GT(d.image.y + d.image.hauteur, d.texte.y) << c.bouton;
        EXPECT_TRUE(d.coupee) << c.bouton;
        EXPECT_LE(std::abs((d.image.x + d.image.largeur / 2) - (z.x + z.largeur / 2)), 1) << c.bouton;
        break;
      case Place::ACote:
        // Beside the caption the picture is whole: nothing of it may be cut away.
        EXPECT_FALSE(d.coupee) << c.bouton;
        EXPECT_LE(d.image.x + d.image.largeur, d.texte.x) << c.bouton;
        EXPECT_GE(d.image.x, z.x) << c.bouton;
        EXPECT_LE(d.texte.x + d.texte.largeur, z.x + z.largeur) << c.bouton;
        break;
    }
    // Pressed, everything moves one pixel down and right.
    const DispositionBouton e = disposerBouton(z, hauteurTexte, c.largeurTexte, c.cote, true);
    EXPECT_EQ(e.image, (Zone{d.image.x + 1, d.image.y + 1, d.image.largeur, d.image.hauteur})) << c.bouton;
    EXPECT_EQ(e.texte, (Zone{d.texte.x + 1, d.texte.y + 1, d.texte.largeur, d.texte.hauteur})) << c.bouton;
  }
}

TEST(LignesCaption, LignesSansLeurFinEtAjoutsQuiPoursuiventLaDerniere) {
  struct Cas {
    const char* nom;
    std::string debut, ajout;
    std::vector<std::string> lignes;
  } cas[] = {
      {"vide", "", "", {}},
      {"CR LF", "$A*00\r\n\r\n$B*01\r\n\r\n", "", {"$A*00", "", "$B*01", ""}},
      {"ligne sans fin", "un\ndeux", "", {"un", "deux"}},
      {"la dernière ligne continue", "un\nde", "ux\ntrois", {"un", "deux", "trois"}},
      {"l'ajout commence une ligne", "un\r\n", "deux\r\n", {"un", "deux"}},
      {"ajout à un texte vide", "", "seul", {"seul"}},
  };
  for (const Cas& c : cas) {
    LignesCaption l;
    std::string octets = c.debut;
    l.remplacer(octets);
    octets += c.ajout;
    if (!c.ajout.empty()) l.ajouter(octets);
    ASSERT_EQ(l.nombre(), c.lignes.size()) << c.nom;
    for (std::size_t i = 0; i < c.lignes.size(); ++i) EXPECT_EQ(l.ligne(octets, i), c.lignes[i]) << c.nom << " " << i;
  }
}

TEST(LignesCaption, LaLargeurEstCelleDeLaPlusLongueLigneMesureeUneFois) {
  std::array<double, 256> largeurs{};
  largeurs.fill(1);
  largeurs['W'] = 3;
  LignesCaption l;
  std::string octets = "abc\nWW\n";
  l.remplacer(octets);
  EXPECT_EQ(l.mesurer(octets, 0, largeurs), 6);
  octets += "abcdefg";
  EXPECT_EQ(l.mesurer(octets, l.ajouter(octets), largeurs), 7);
  // A narrower caption in place of the old one: the width starts over.
  octets = "ab";
  l.remplacer(octets);
  EXPECT_EQ(l.mesurer(octets, 0, largeurs), 2);
}

}  // namespace
}  // namespace zor
