#include "convert/coordonnees.h"

#include <cmath>

#include "convert/phrase.h"

namespace zor::conversion {

std::string formaterMinutes(float minutes) {
  // A float has 24 significant bits and 1000 needs 10: the product is exact in a double, so
  // the only rounding is the one to the thousandth.
  const auto milliemes = static_cast<long long>(std::round(std::fabs(static_cast<double>(minutes)) * 1000.0));
  std::string texte;
  ajouterEntier(texte, milliemes / 1000, 2);
  texte.push_back('.');
  ajouterEntier(texte, milliemes % 1000, 3);
  return texte;
}

CoordonneeTexte decoderCoordonnee(std::int32_t valeur, Axe axe) {
  const double degres = static_cast<double>(valeur) / 2147483648.0 * 180.0;
  const double entiers = std::trunc(degres);
  const auto minutes = static_cast<float>(std::fabs((degres - entiers) * 60.0));

  CoordonneeTexte texte;
  ajouterEntier(texte.degres, static_cast<long long>(std::fabs(entiers)), axe == Axe::Longitude ? 3 : 2);
  texte.minutes = formaterMinutes(minutes);
  if (axe == Axe::Longitude)
    texte.lettre = degres > 0 ? 'E' : 'W';
  else
    texte.lettre = degres > 0 ? 'N' : 'S';
  return texte;
}

}  // namespace zor::conversion
