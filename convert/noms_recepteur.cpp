#include "convert/noms_recepteur.h"

#include <algorithm>
#include <array>
#include <vector>

#include "convert/translitteration_table.h"
#include "core/windows1252.h"

namespace zor::conversion {

namespace {

// Up to six bytes and their length in one number (names are short).
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

// Windows-1252 letters in lower case, for comparing small words.
char minuscule(char c) {
  const auto o = static_cast<unsigned char>(c);
  if ((o >= 'A' && o <= 'Z') || (o >= 0xC0 && o <= 0xDE && o != 0xD7)) return static_cast<char>(o + 32);
  return c;
}

bool apostrophe(char c) { return c == '\'' || c == '\x92'; }  // ' and ’

bool petitMot(std::string_view mot) {
  static constexpr std::array<std::string_view, 10> kPetitsMots = {"de", "du", "des", "la", "le", "les", "et", "\xE0", "au", "aux"};
  if (mot.size() > 3) return false;
  char bas[3];
  for (std::size_t i = 0; i < mot.size(); ++i) bas[i] = minuscule(mot[i]);
  return std::find(kPetitsMots.begin(), kPetitsMots.end(), std::string_view(bas, mot.size())) != kPetitsMots.end();
}

// "l'" or "d'" before a word: the elided article, dropped like the small words.
std::string_view sansElision(std::string_view mot) {
  if (mot.size() >= 2 && apostrophe(mot[1]) && (minuscule(mot[0]) == 'l' || minuscule(mot[0]) == 'd'))
    return mot.substr(2);
  return mot;
}

// The text in Windows-1252, blanks gathered, nothing cut.
std::string enWindows1252(std::string_view utf8) {
  std::string nom;
  bool blanc = false;  // a blank is waiting: written only before something else
  auto ajouter = [&](char octet) {
    if (blanc && !nom.empty()) nom.push_back(' ');
    blanc = false;
    nom.push_back(octet);
  };
  for (std::size_t i = 0; i < utf8.size();) {
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
  return nom;
}

}  // namespace

std::string nomPourRecepteur(std::string_view utf8) {
  const std::string nom = enWindows1252(utf8);
  if (nom.size() <= kLongueurNom) return nom;
  std::vector<std::string_view> mots;
  for (std::size_t debut = 0; debut < nom.size();) {
    const std::size_t fin = std::min(nom.find(' ', debut), nom.size());
    mots.push_back(std::string_view(nom).substr(debut, fin - debut));
    debut = fin + 1;
  }
  std::string court;
  for (const std::string_view mot : mots)
    if (!petitMot(mot)) court.append(sansElision(mot));
  if (court.empty())
    for (const std::string_view mot : mots) court.append(mot);
  court.resize(std::min(court.size(), kLongueurNom));
  return court;
}

std::size_t NomsUniques::Melange::operator()(std::uint64_t v) const noexcept {
  // The names' keys differ in a few bytes only: mixed so that every bit counts.
  v ^= v >> 30;
  v *= 0xBF58476D1CE4E5B9ULL;
  v ^= v >> 27;
  v *= 0x94D049BB133111EBULL;
  v ^= v >> 31;
  return static_cast<std::size_t>(v);
}

std::string NomsUniques::attribuer(const std::string& nom) {
  if (!nom.empty() && pris_.insert(cle(nom)).second) return nom;
  // The number replaces the last bytes: "Maiso2", "Mais10"; an empty name counts from 1 with
  // three digits. A candidate depends only on the bytes kept and the number, so the names
  // that keep the same bytes share one counter per number of digits.
  const bool sansNom = nom.empty();
  const std::string_view base = sansNom ? std::string_view("WPT") : std::string_view(nom);
  long long plafond = 10;  // the first number with one digit more
  for (std::size_t chiffres = 1; chiffres <= kLongueurNom; ++chiffres, plafond *= 10) {
    if (sansNom && chiffres < 3) continue;
    const long long premier = chiffres == (sansNom ? 3 : 1) ? (sansNom ? 1 : 2) : plafond / 10;
    const std::string_view garde = base.substr(0, std::min(base.size(), kLongueurNom - chiffres));
    const std::uint64_t famille = (cle(garde) << 4) | (chiffres << 1) | (sansNom ? 1 : 0);
    long long& numero = suivant_.try_emplace(famille, premier).first->second;
    for (; numero < plafond; ++numero) {
      std::string candidat(garde);
      const std::string texte = std::to_string(numero);
      candidat.append(chiffres - texte.size(), '0');
      candidat.append(texte);
      if (pris_.insert(cle(candidat)).second) {
        ++numero;
        return candidat;
      }
    }
  }
  return nom;  // a million of one name: left as it is
}

}  // namespace zor::conversion
