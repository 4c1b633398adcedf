#include "commande/options.h"

#include <charconv>

namespace zor::commande {

std::optional<std::string> Ligne::valeur(std::string_view nom) const {
  const auto it = valeurs.find(nom);
  if (it == valeurs.end()) return std::nullopt;
  return it->second;
}

Ligne analyser(std::span<const std::string> arguments, std::span<const Option> options) {
  Ligne ligne;
  auto echouer = [&](std::string texte) {
    if (!ligne.erreur) ligne.erreur = std::move(texte);
  };
  bool finOptions = false;
  for (std::size_t i = 0; i < arguments.size() && !ligne.erreur; ++i) {
    const std::string& a = arguments[i];
    if (finOptions || a == "-" || a.empty() || a[0] != '-') {
      ligne.noms.push_back(a);
      continue;
    }
    if (a == "--") {
      finOptions = true;
      continue;
    }
    const Option* option = nullptr;
    std::optional<std::string> collee;  // "--nom=valeur" or "-ovaleur"
    std::string montre;
    if (a.rfind("--", 0) == 0) {
      const auto egal = a.find('=');
      const std::string_view nom = std::string_view(a).substr(2, egal == std::string::npos ? std::string::npos : egal - 2);
      for (const Option& o : options)
        if (o.nom == nom) option = &o;
      if (egal != std::string::npos) collee = a.substr(egal + 1);
      montre = "--" + std::string(nom);
    } else {
      for (const Option& o : options)
        if (o.courte != 0 && o.courte == a[1]) option = &o;
      if (a.size() > 2) collee = a.substr(2);
      montre = a.substr(0, 2);
    }
    if (option == nullptr) {
      echouer("option inconnue « " + a + " ».");
      break;
    }
    const std::string nom(option->nom);
    if (!option->avecValeur) {
      if (collee) echouer(montre + " ne prend pas de valeur.");
      ligne.valeurs[nom] = "";
      continue;
    }
    if (collee) {
      ligne.valeurs[nom] = *collee;
    } else if (i + 1 < arguments.size()) {
      ligne.valeurs[nom] = arguments[++i];
    } else {
      echouer("il manque la valeur de " + montre + ".");
    }
  }
  return ligne;
}

std::optional<double> nombreDecimal(std::string_view texte) {
  double v = 0;
  const auto [fin, ec] = std::from_chars(texte.data(), texte.data() + texte.size(), v);
  if (texte.empty() || ec != std::errc{} || fin != texte.data() + texte.size()) return std::nullopt;
  return v;
}

std::optional<std::chrono::milliseconds> attenteEnSecondes(std::string_view texte) {
  const auto secondes = nombreDecimal(texte);
  if (!secondes || !(*secondes >= 0.001 && *secondes <= 86400)) return std::nullopt;
  return std::chrono::milliseconds(static_cast<long long>(*secondes * 1000 + 0.5));
}

std::optional<long long> nombreEntier(std::string_view texte) {
  long long v = 0;
  const auto [fin, ec] = std::from_chars(texte.data(), texte.data() + texte.size(), v);
  if (texte.empty() || ec != std::errc{} || fin != texte.data() + texte.size()) return std::nullopt;
  return v;
}

}  // namespace zor::commande
