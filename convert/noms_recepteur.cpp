#include "convert/noms_recepteur.h"

#include <algorithm>

#include "convert/translitteration_table.h"
#include "core/windows1252.h"

namespace zor::conversion {

namespace {

// Six bytes and their length in one number (names are short): a small set, quick to search.
std::uint64_t cle(std::string_view nom) {
  std::uint64_t v = nom.size();
  for (const char c : nom) v = (v << 8) | static_cast<unsigned char>(c);
  return v;
}

const char* translitteration(char32_t c) {
  const auto* fin = std::end(kTranslitteration);
  const auto* p = std::lower_bound(std::begin(kTranslitteration), fin, c,
                                   [](const auto& entree, char32_t v) { return entree.first < v; });
  return p != fin && p->first == c ? p->second : nullptr;
}

bool interdit(char c) { return c == ',' || c == '*' || c == '$' || c == '!'; }

}  // namespace

std::string nomPourRecepteur(std::string_view utf8) {
  std::string nom;
  bool blanc = false;  // a blank is waiting: written only before something else
  auto ajouter = [&](char octet) {
    if (blanc && !nom.empty()) nom.push_back(' ');
    blanc = false;
    nom.push_back(octet);
  };
  for (std::size_t i = 0; i < utf8.size() && nom.size() <= kLongueurNom;) {
    const char32_t c = caractereUtf8(utf8, i);
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == 0xA0) {
      blanc = true;
    } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
      // control characters: dropped
    } else if (const char octet = octetWindows1252(c); octet != '?' || c == '?') {
      if (!interdit(octet)) ajouter(octet);
    } else if (const char* latin = translitteration(c)) {
      if (*latin == ' ') blanc = true;
      for (; *latin != '\0' && *latin != ' '; ++latin) ajouter(*latin);
    }
  }
  nom.resize(std::min(nom.size(), kLongueurNom));
  while (!nom.empty() && nom.back() == ' ') nom.pop_back();
  return nom;
}

std::string NomsUniques::attribuer(const std::string& nom) {
  if (!nom.empty() && pris_.insert(cle(nom)).second) return nom;
  // The number replaces the last bytes: "Maiso2", "Mais10"; an empty name counts from 1 with
  // three digits.
  const std::string base = nom.empty() ? "WPT" : nom;
  long long& numero = suivant_.try_emplace(cle(base), nom.empty() ? 1 : 2).first->second;
  for (;; ++numero) {
    std::string chiffres = std::to_string(numero);
    if (nom.empty() && chiffres.size() < 3) chiffres.insert(0, 3 - chiffres.size(), '0');
    if (chiffres.size() > kLongueurNom) return nom;  // a million of one name: left as it is
    std::string candidat = base.substr(0, std::min(base.size(), kLongueurNom - chiffres.size())) + chiffres;
    if (pris_.insert(cle(candidat)).second) {
      ++numero;
      return candidat;
    }
  }
}

}  // namespace zor::conversion
