#pragma once
// The window program's command line: « zor [FICHIER] », « zor --version », « zor --help ». A
// file named there is given to the window once it shows (Form1::fichierDonne), as the desktop
// does when the user opens a file with ZOR.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zor::app {

struct Lancement {
  enum class Quoi { Fenetre, Version, Aide, Erreur };
  Quoi quoi = Quoi::Fenetre;
  std::optional<std::string> fichier;  // Fenetre: the file to open, as given
  std::string erreur;                  // Erreur: what is wrong, in French
};

// The arguments after the program's name. --version and --help win wherever they stand before
// "--", which ends the options; any other word that starts with "-" is an unknown option; one
// file at most.
Lancement analyserLancement(std::span<const std::string> arguments);

// The usage text, for `programme` ("zor", "zor.exe").
std::string usageFenetre(std::string_view programme);

}  // namespace zor::app
