#include "serial/choix_port.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/chemins.h"
#include "platform/peripherique_serie.h"

namespace zor::serie {

std::optional<int> choixPort(std::string_view texteComm) {
  for (int n = 1; n <= 4; ++n)
    if (texteComm == "Comm" + std::to_string(n)) return n;
  return std::nullopt;
}

std::optional<std::string> peripheriqueTape(std::string_view texteComm) {
  if (!platform::estCheminDePeripherique(texteComm)) return std::nullopt;
  return std::string(texteComm);
}

ChoixPort choixDeLaListe(std::string_view texteComm) {
  ChoixPort choix;
  choix.par = ChoixPort::Par::Liste;
  choix.tape = texteComm;
  choix.numero = choixPort(texteComm);
  if (!choix.numero) choix.peripherique = peripheriqueTape(texteComm);
  return choix;
}

ChoixPort choixDeLOption(std::string_view valeur, std::string& erreur) {
  ChoixPort choix;
  choix.par = ChoixPort::Par::Option;
  choix.tape = valeur;
  if (valeur.empty()) {
    erreur = "--port demande un numéro de 1 à 4 ou un périphérique.";
    return choix;
  }
  if (valeur.find_first_not_of("0123456789") == std::string_view::npos) {
    const std::size_t chiffre = std::min(valeur.find_first_not_of('0'), valeur.size() - 1);
    if (valeur.size() - chiffre != 1 || valeur[chiffre] < '1' || valeur[chiffre] > '4') {
      erreur = "le numéro de port va de 1 à 4 (reçu « " + std::string(valeur) + " »).";
      return choix;
    }
    choix.numero = valeur[chiffre] - '0';
    return choix;
  }
  // A device named from the current folder ("./gps", "pts/3" from /dev) is a path like any
  // other: a bare name is otherwise a device of /dev (serial/liaison_posix.cpp).
  std::error_code ec;
  const std::filesystem::path chemin = platform::cheminDepuisUtf8(valeur);
  if (chemin.is_relative() && !platform::estCheminDePeripherique(valeur) && std::filesystem::exists(chemin, ec))
    choix.peripherique = platform::utf8DuChemin(std::filesystem::absolute(chemin, ec).lexically_normal());
  else
    choix.peripherique = std::string(valeur);
  return choix;
}

std::string nomDuChoix(const ChoixPort& choix) {
  if (choix.par == ChoixPort::Par::Option) return "--port " + choix.tape;
  return choix.tape;
}

}  // namespace zor::serie
