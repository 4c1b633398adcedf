#pragma once
// One command-line grammar for zor-cli and zor-sim: "--option value" and "--option=value",
// short forms ("-o value"), flags, "--" before names that start with "-", and "-" taken as a
// name (the standard input or output). Errors come back as French text.
#include <chrono>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zor::commande {

struct Option {
  std::string_view nom;    // "port", used as "--port"
  char courte = 0;         // 'p' for "-p"; 0 when there is none
  bool avecValeur = true;  // false: a flag
};

struct Ligne {
  std::map<std::string, std::string, std::less<>> valeurs;  // by long name; flags hold ""
  std::vector<std::string> noms;                             // the other arguments, in order
  std::optional<std::string> erreur;                         // what is wrong, in French

  bool a(std::string_view nom) const { return valeurs.find(nom) != valeurs.end(); }
  std::optional<std::string> valeur(std::string_view nom) const;
};

Ligne analyser(std::span<const std::string> arguments, std::span<const Option> options);

// A decimal number written with "." whatever the user's locale; nothing if it is not one.
std::optional<double> nombreDecimal(std::string_view texte);
std::optional<long long> nombreEntier(std::string_view texte);

// A wait given in seconds (--timeout): from 0.001 to a day, rounded to the millisecond; nothing
// otherwise.
inline constexpr std::string_view kRefusAttente = "--timeout demande un nombre de secondes entre 0.001 et 86400.";
std::optional<std::chrono::milliseconds> attenteEnSecondes(std::string_view texte);

}  // namespace zor::commande
