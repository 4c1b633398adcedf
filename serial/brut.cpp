#include "serial/brut.h"

#include <charconv>
#include <string>

namespace zor::serie {

std::string ligneBrute(const Arrivee& arrivee) {
  char tampon[32];
  const auto fin = std::to_chars(tampon, tampon + sizeof tampon, arrivee.millisecondes, std::chars_format::fixed, 3).ptr;
  std::string ligne(tampon, fin);
  ligne.push_back('\t');
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const unsigned char c : arrivee.octets) {
    if (c == '\\') {
      ligne += "\\\\";
    } else if (c >= 0x20 && c <= 0x7E) {
      ligne.push_back(static_cast<char>(c));
    } else {
      ligne += "\\x";
      ligne.push_back(kHex[c >> 4]);
      ligne.push_back(kHex[c & 0x0F]);
    }
  }
  return ligne;
}

std::optional<std::vector<Arrivee>> lireBrut(std::string_view texte, std::string* raison) {
  std::vector<Arrivee> arrivees;
  bool entete = false;
  int numero = 0;
  auto refus = [&](const char* pourquoi) -> std::optional<std::vector<Arrivee>> {
    if (raison != nullptr) *raison = "ligne " + std::to_string(numero) + " : " + pourquoi;
    return std::nullopt;
  };
  while (!texte.empty()) {
    ++numero;
    const auto finLigne = texte.find('\n');
    std::string_view ligne = texte.substr(0, finLigne);
    texte = finLigne == std::string_view::npos ? std::string_view{} : texte.substr(finLigne + 1);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    if (!entete) {
      if (ligne != kEnteteBrut) return refus("la première ligne n'est pas « # zor-brut 1 »");
      entete = true;
      continue;
    }
    if (ligne.empty() || ligne.front() == '#') continue;
    const auto tab = ligne.find('\t');
    if (tab == std::string_view::npos) return refus("il manque la tabulation après l'heure");
    Arrivee a;
    const auto [p, ec] = std::from_chars(ligne.data(), ligne.data() + tab, a.millisecondes);
    if (ec != std::errc{} || p != ligne.data() + tab) return refus("l'heure n'est pas un nombre de millisecondes");
    // "nan", "inf" or "1e308" would have the replay wait for ever.
    if (!(a.millisecondes >= 0 && a.millisecondes <= kDureeBrutMaxMs))
      return refus("l'heure n'est pas entre 0 et 86400000 millisecondes (un jour)");
    if (!arrivees.empty() && a.millisecondes < arrivees.back().millisecondes)
      return refus("l'heure est avant celle de la ligne précédente");
    for (std::size_t i = tab + 1; i < ligne.size(); ++i) {
      if (ligne[i] != '\\') {
        a.octets.push_back(ligne[i]);
        continue;
      }
      if (i + 1 < ligne.size() && ligne[i + 1] == '\\') {
        a.octets.push_back('\\');
        ++i;
        continue;
      }
      unsigned valeur = 0;
      if (i + 3 >= ligne.size() + 0 || ligne[i + 1] != 'x') return refus("« \\ » sans « \\ » ni « xHH » après lui");
      const auto [q, ec2] = std::from_chars(ligne.data() + i + 2, ligne.data() + i + 4, valeur, 16);
      if (ec2 != std::errc{} || q != ligne.data() + i + 4) return refus("« \\x » sans deux chiffres hexadécimaux");
      a.octets.push_back(static_cast<char>(valeur));
      i += 3;
    }
    arrivees.push_back(std::move(a));
  }
  if (!entete) return refus("le fichier est vide");
  return arrivees;
}

}  // namespace zor::serie
