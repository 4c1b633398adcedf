#include "convert/rapport.h"

#include <cmath>

#include "core/duree.h"

namespace zor::conversion {

std::string entierEnFrancais(long long n) {
  const std::string chiffres = std::to_string(n < 0 ? -n : n);
  std::string texte = n < 0 ? "-" : "";
  for (std::size_t i = 0; i < chiffres.size(); ++i) {
    if (i > 0 && (chiffres.size() - i) % 3 == 0) texte.push_back(' ');
    texte.push_back(chiffres[i]);
  }
  return texte;
}

std::string kilometres(double metres) {
  const long long dixiemes = std::llround(metres / 100);
  return entierEnFrancais(dixiemes / 10) + "," + std::to_string(dixiemes % 10) + " km";
}

std::string designerLigne(const LigneGpx& ligne) {
  const char* genre = ligne.route ? "route" : "trace";
  if (ligne.nom.empty()) return std::string(genre) + " " + std::to_string(ligne.numero);
  return std::string(genre) + " « " + ligne.nom + " »";
}

std::string resumerLigne(const Rapport& rapport) {
  if (!rapport.ligneRetenue || !rapport.ajustement) return {};
  const LigneGpx& ligne = rapport.lignes[*rapport.ligneRetenue];
  const LigneAjustee& a = *rapport.ajustement;
  std::string texte = designerLigne(ligne) + " : " + entierEnFrancais(a.avant) + (a.avant < 2 ? " point" : " points");
  if (a.apres != a.avant)
    texte += " → " + entierEnFrancais(a.apres) + " (écart max " + entierEnFrancais(static_cast<long long>(std::ceil(a.ecart))) +
             " m)";
  const auto envoi = std::chrono::duration_cast<std::chrono::seconds>(a.apres * kDureeParPhrase + std::chrono::milliseconds(500));
  return texte + ", " + kilometres(ligne.longueur) + " ; envoi ≈ " + dureeEnFrancais(envoi);
}

std::string tableauLignes(std::span<const LigneGpx> lignes, std::optional<std::size_t> sauf) {
  auto aDroite = [](std::string s, std::size_t largeur) {
    // Widths in characters: "km" and the digits are ASCII.
    return s.size() < largeur ? std::string(largeur - s.size(), ' ') + s : s;
  };
  std::string t = "ligne  genre     points        km  nom\n";
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    if (sauf && *sauf == i) continue;
    const LigneGpx& l = lignes[i];
    std::string km = kilometres(l.longueur);
    km.resize(km.size() - 3);
    t += aDroite(std::to_string(l.numero), 5) + "  " + (l.route ? "route" : "trace") + "  " +
         aDroite(entierEnFrancais(l.points), 9) + "  " + aDroite(km, 8) + (l.nom.empty() ? "" : "  " + l.nom) + "\n";
  }
  return t;
}

std::string avertissementProfil(const Rapport& rapport, Mode mode) {
  if (mode != Mode::Profil || rapport.enregistrements <= 999) return {};
  return "Attention : " + entierEnFrancais(rapport.enregistrements) +
         " points de profil : à partir du millième, leurs noms passent huit caractères (PDC10000A…), ce que le GPS "
         "peut refuser ; --points N en garde moins.";
}

}  // namespace zor::conversion
