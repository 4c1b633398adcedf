#include "convert/phrase.h"

#include <charconv>

namespace zor::conversion {

std::uint8_t sommeControle(std::string_view corps) {
  std::uint8_t somme = 0;
  for (const char c : corps) somme ^= static_cast<std::uint8_t>(c);
  return somme;
}

void ajouterPhrase(std::string& destination, std::string_view corps) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::uint8_t somme = sommeControle(corps);
  const char fin[] = {'*', kHex[somme >> 4], kHex[somme & 0x0F], '\r', '\n'};
  destination.push_back('$');
  destination.append(corps);
  destination.append(fin, sizeof fin);
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

void ajouterNomProfil(std::string& destination, long long numero) {
  destination.append("PDC");
  ajouterEntier(destination, numero, 3);
  destination.append(numero == 1 ? "0C" : "0A");
}

std::string nomProfil(long long numero) {
  std::string nom;
  ajouterNomProfil(nom, numero);
  return nom;
}

}  // namespace zor::conversion
