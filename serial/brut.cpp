#include "serial/brut.h"

#include <charconv>

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

std::optional<std::vector<Arrivee>> lireBrut(std::string_view texte) {
  std::vector<Arrivee> arrivees;
  bool entete = false;
  while (!texte.empty()) {
    const auto finLigne = texte.find('\n');
    std::string_view ligne = texte.substr(0, finLigne);
    texte = finLigne == std::string_view::npos ? std::string_view{} : texte.substr(finLigne + 1);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    if (!entete) {
      if (ligne != kEnteteBrut) return std::nullopt;
      entete = true;
      continue;
    }
    if (ligne.empty() || ligne.front() == '#') continue;
    const auto tab = ligne.find('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    Arrivee a;
    const auto [p, ec] = std::from_chars(ligne.data(), ligne.data() + tab, a.millisecondes);
    if (ec != std::errc{} || p != ligne.data() + tab || a.millisecondes < 0) return std::nullopt;
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
      if (i + 3 >= ligne.size() + 0 || ligne[i + 1] != 'x') return std::nullopt;
      const auto [q, ec2] = std::from_chars(ligne.data() + i + 2, ligne.data() + i + 4, valeur, 16);
      if (ec2 != std::errc{} || q != ligne.data() + i + 4) return std::nullopt;
      a.octets.push_back(static_cast<char>(valeur));
      i += 3;
    }
    arrivees.push_back(std::move(a));
  }
  if (!entete) return std::nullopt;
  return arrivees;
}

}  // namespace zor::serie
