#pragma once
// Where a picture button puts its picture and its caption, the same for every front end: the
// picture at its own size above the caption, the two centred on the face, the caption always
// on a full line. A face too low for both clips the top of the picture (the front end cuts it
// at the caption's top), as a Windows graphical button does. The "Ok" buttons are so low that
// less than half of their picture would show above the caption: there the picture goes at the
// caption's left, which reads best.

namespace zor {

struct Zone {
  int x = 0, y = 0, largeur = 0, hauteur = 0;
  friend bool operator==(const Zone&, const Zone&) = default;
};

struct DispositionBouton {
  Zone image;
  Zone texte;
  bool coupee = false;  // the picture runs into the caption below it: drawn only above the caption
};

// `interieur`: the face inside its border; the caption's height and width in pixels; the
// picture's side. `enfonce`: a pressed button shifts both by one pixel.
constexpr DispositionBouton disposerBouton(Zone interieur, int hauteurTexte, int largeurTexte, int cote, bool enfonce,
                                           int ecart = 3) {
  const Zone& z = interieur;
  const int placeAuDessus = z.hauteur - hauteurTexte;
  DispositionBouton d;
  if (2 * placeAuDessus >= cote || cote + ecart + largeurTexte > z.largeur) {
    // A picture taller than the room above the caption keeps its size, centred on that room.
    const int haut = z.y + (placeAuDessus - cote) / 2;
    const int centre = z.x + (z.largeur - 1) / 2;
    d.image = {centre + 1 - cote / 2, haut, cote, cote};
    const int reste = placeAuDessus - cote > 0 ? placeAuDessus - cote : 0;
    d.texte = {z.x, z.y + reste / 2 + (cote < placeAuDessus ? cote : placeAuDessus), z.largeur, hauteurTexte};
    d.coupee = d.image.y + d.image.hauteur > d.texte.y;
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
