#pragma once
// Where a picture button puts its picture and its caption, the same for every front end. The
// picture keeps its size when the face is high enough for it above the caption. On a face too
// low for both (the window's one-line buttons), the caption reads best whole and the picture
// goes at its left when the width allows; otherwise the picture shrinks above the caption. The
// caption always keeps a full line.

namespace zor {

struct Zone {
  int x = 0, y = 0, largeur = 0, hauteur = 0;
  friend bool operator==(const Zone&, const Zone&) = default;
};

struct DispositionBouton {
  Zone image;
  Zone texte;
};

// `interieur`: the face inside its border; the caption's height and width in pixels; the
// picture's side. `enfonce`: a pressed button shifts both by one pixel.
constexpr DispositionBouton disposerBouton(Zone interieur, int hauteurTexte, int largeurTexte, int cote, bool enfonce,
                                           int ecart = 3) {
  DispositionBouton d;
  const Zone& z = interieur;
  if (cote + hauteurTexte <= z.hauteur || cote + ecart + largeurTexte > z.largeur) {
    const int place = z.hauteur - hauteurTexte;
    const int c = place < 0 ? 0 : (place > cote ? cote : place);
    d.image = {z.x + (z.largeur - 1) / 2 - c / 2, z.y + (place - c) / 2, c, c};
    d.texte = {z.x, z.y + z.hauteur - hauteurTexte, z.largeur, hauteurTexte};
  } else {
    const int largeur = cote + ecart + largeurTexte;
    const int gauche = z.x + (z.largeur - largeur) / 2;
    d.image = {gauche, z.y + (z.hauteur - cote) / 2, cote, cote};
    d.texte = {gauche + cote + ecart, z.y + (z.hauteur - hauteurTexte) / 2, largeurTexte, hauteurTexte};
  }
  if (enfonce) {
    for (Zone* r : {&d.image, &d.texte}) {
      ++r->x;
      ++r->y;
    }
  }
  return d;
}

}  // namespace zor
