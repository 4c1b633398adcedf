#include "convert/phrase.h"

#include <charconv>

namespace zor::conversion {

void ajouterPhrase(std::string& destination, std::string_view corps) {
  const std::size_t debut = destination.size();
  destination.resize(debut + corps.size() + 6);
  poserPhrase(destination.data() + debut, corps);
}

std::string construirePhrase(std::string_view corps) {
  std::string phrase;
  phrase.reserve(corps.size() + 6);
  ajouterPhrase(phrase, corps);
  return phrase;
}

void ajouterEntier(std::string& destination, long long valeur, int chiffres) {
  char tampon[24];
  const char* fin = std::to_chars(tampon, tampon + sizeof tampon, valeur).ptr;
  const auto longueur = static_cast<int>(fin - tampon);
  if (valeur >= 0 && longueur < chiffres) destination.append(static_cast<std::size_t>(chiffres - longueur), '0');
  destination.append(tampon, static_cast<std::size_t>(longueur));
}

char* poserNomProfil(char* p, long long numero) {
  *p++ = 'P', *p++ = 'D', *p++ = 'C';
  char chiffres[20];
  int n = 0;
  for (unsigned long long reste = numero < 0 ? 0 : static_cast<unsigned long long>(numero); reste > 0; reste /= 10)
    chiffres[n++] = static_cast<char>('0' + reste % 10);
  while (n < 3) chiffres[n++] = '0';
  while (n > 0) *p++ = chiffres[--n];
  *p++ = '0';
  *p++ = numero == 1 ? 'C' : 'A';
  return p;
}

void ajouterNomProfil(std::string& destination, long long numero) {
  char nom[32];
  destination.append(nom, poserNomProfil(nom, numero));
}

std::string nomProfil(long long numero) {
  std::string nom;
  ajouterNomProfil(nom, numero);
  return nom;
}

}  // namespace zor::conversion
