#include "app/lancement.h"

namespace zor::app {

Lancement analyserLancement(std::span<const std::string> arguments) {
  Lancement l;
  bool options = true;
  for (const std::string& a : arguments) {
    if (options && a == "--") {
      options = false;
    } else if (options && a == "--version") {
      return {Lancement::Quoi::Version, std::nullopt, {}};
    } else if (options && (a == "--help" || a == "-h")) {
      return {Lancement::Quoi::Aide, std::nullopt, {}};
    } else if (options && a.size() > 1 && a[0] == '-') {
      if (l.erreur.empty()) l.erreur = "option inconnue « " + a + " ».";
    } else if (l.fichier) {
      if (l.erreur.empty()) l.erreur = "un seul fichier à la fois.";
    } else {
      l.fichier = a;
    }
  }
  if (!l.erreur.empty()) return {Lancement::Quoi::Erreur, std::nullopt, l.erreur};
  return l;
}

std::string usageFenetre(std::string_view programme) {
  const std::string p(programme);
  const bool windows = p.ends_with(".exe");
  return "Usage : " + p + " [FICHIER]\n       " + p +
         " --version\n"
         "Ouvre la fenêtre de ZOR. FICHIER y est converti dès l'ouverture, comme par « Rechercher Fichier » : un "
         "fichier GPX ou Autoroute Express se reconnaît à son contenu, un fichier texte se lit selon le type de la "
         "liste (« Format ZOR » au départ).\n"
         "Sans fenêtre : " +
         (windows ? std::string("zor-cli.exe (voir « zor-cli.exe --help »).\n")
                  : std::string("zor-cli (voir « zor-cli --help » et « man zor »).\n"));
}

}  // namespace zor::app
