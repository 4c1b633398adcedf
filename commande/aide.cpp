#include "commande/aide.h"

#include <algorithm>
#include <vector>

namespace zor::commande {
namespace {

// The pieces of `texte` between the separators, empty ones included.
std::vector<std::string_view> separer(std::string_view texte, char separateur) {
  std::vector<std::string_view> pieces;
  for (std::size_t debut = 0; debut <= texte.size();) {
    const std::size_t fin = std::min(texte.find(separateur, debut), texte.size());
    pieces.push_back(texte.substr(debut, fin - debut));
    debut = fin + 1;
  }
  return pieces;
}

// The words of a line, French punctuation kept with the word it belongs to.
std::vector<std::string> mots(std::string_view ligne) {
  std::vector<std::string> resultat;
  bool collerSuivant = false;
  for (const std::string_view mot : separer(ligne, ' ')) {
    if (mot.empty()) continue;
    const bool colle = mot.starts_with("»") || mot == ":" || mot == ";" || mot == "?" || mot == "!";
    if (!resultat.empty() && (collerSuivant || colle)) resultat.back() += " " + std::string(mot);
    else resultat.emplace_back(mot);
    // "« x", and an option's bracket with its value: "[--max N]".
    const std::string& dernier = resultat.back();
    collerSuivant = mot == "«" || (dernier.starts_with("[") && dernier.find(']') == std::string::npos);
  }
  return resultat;
}

}  // namespace

std::size_t colonnes(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

namespace {

// `source` wrapped between words: its first line at most `premiere` columns wide, the others
// `suite`.
std::vector<std::string> couper(std::string_view source, std::size_t premiere, std::size_t suite) {
  std::vector<std::string> lignes(1);
  std::size_t pris = 0;
  for (const std::string& mot : mots(source)) {
    const std::size_t n = colonnes(mot);
    if (!lignes.back().empty() && pris + 1 + n > (lignes.size() == 1 ? premiere : suite)) {
      lignes.emplace_back();
      pris = 0;
    }
    if (!lignes.back().empty()) {
      lignes.back() += ' ';
      ++pris;
    }
    lignes.back() += mot;
    pris += n;
  }
  return lignes;
}

}  // namespace

Aide& Aide::texte(std::string_view paragraphe, std::size_t retrait) {
  const std::string marge(retrait, ' ');
  bool premiere = true;
  for (const std::string_view source : separer(paragraphe, '\n')) {
    // Leading blanks are the text's own layout, kept.
    const std::size_t blancs = std::min(source.find_first_not_of(' '), source.size());
    const std::string tete = (premiere ? std::string() : marge) + std::string(blancs, ' ');
    const std::vector<std::string> lignes = couper(source.substr(blancs), kColonnesAide - tete.size(), kColonnesAide - retrait);
    for (std::size_t i = 0; i < lignes.size(); ++i) texte_ += (i == 0 ? tete : marge) + lignes[i] + "\n";
    premiere = false;
  }
  return *this;
}

Aide& Aide::option(std::string_view nom, std::string_view description, std::size_t colonne) {
  std::string tete(nom);
  if (colonnes(tete) + 1 > colonne) {
    texte_ += tete + "\n";
    tete.clear();
  }
  tete += std::string(colonne - colonnes(tete), ' ');
  const std::string marge(colonne, ' ');
  const std::vector<std::string> lignes = couper(description, kColonnesAide - colonne, kColonnesAide - colonne);
  for (std::size_t i = 0; i < lignes.size(); ++i) texte_ += (i == 0 ? tete : marge) + lignes[i] + "\n";
  return *this;
}

Aide& Aide::blanc() {
  texte_ += "\n";
  return *this;
}

}  // namespace zor::commande
