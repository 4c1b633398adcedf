// zor-cli convert: the window's conversion without the window. It writes exactly the bytes the
// window writes into its interchange file for the same input, type and mode.
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <string>

#include "cli/commandes.h"
#include "cli/options.h"
#include "cli/sortie_texte.h"
#include "convert/conversion.h"
#include "core/erreur.h"
#include "platform/fichiers.h"
#include "platform/fichiers_standard.h"

namespace zor::cli {

namespace {

using conversion::Mode;

std::string aideConvert() {
  std::string aide =
      "Usage : zor-cli convert --type TYPE [--mode MODE] [-o SORTIE] ENTREE\n"
      "\n"
      "Convertit le fichier de waypoints ENTREE (« - » : l'entrée standard) en phrases $GPWPL,\n"
      "exactement comme le bouton « Rechercher Fichier » remplit le fichier d'échange c:\\$_t_e_m_p.\n"
      "\n"
      "Options :\n"
      "  -t, --type TYPE    type du fichier d'entrée (obligatoire) :\n";
  for (const conversion::FormatEntree& f : conversion::formatsEntree()) {
    std::string ligne = "                       " + std::string(f.nomCli);
    ligne.resize(32, ' ');
    aide += ligne + "ou « " + std::string(f.texteListe) + " » : " + std::string(f.descriptionCli) + "\n";
  }
  aide +=
      "  -m, --mode MODE    profile  : points de profil de carte PDC0010C, PDC0020A... (par défaut)\n"
      "                     waypoint : waypoints avec leur propre nom\n"
      "  -o, --output SORTIE  fichier à écrire (créé ou vidé) ; sans cette option ou avec « - »,\n"
      "                     la sortie standard\n"
      "  -h, --help         affiche cette aide\n"
      "\n"
      "Les options s'écrivent aussi --option=valeur.\n"
      "\n"
      "Code de sortie :\n"
      "  0  au moins un enregistrement lu (leur nombre est écrit sur la sortie d'erreur)\n"
      "  1  aucun enregistrement : le fichier ne correspond pas au type choisi\n"
      "  2  échec : fichier illisible ou impossible à écrire, ou options incorrectes\n";
  return aide;
}

constexpr Option kOptions[] = {{"type", 't'}, {"mode", 'm'}, {"output", 'o'}, {"help", 'h', false}};

int erreurUsage(const std::string& message) {
  dire("zor-cli convert : " + message +
       "\nUsage : zor-cli convert --type TYPE [--mode MODE] [-o SORTIE] ENTREE\n"
       "« zor-cli convert --help » décrit les options.");
  return 2;
}

int echec(const Erreur& e) {
  dire("zor-cli convert : " + decrire(e));
  return 2;
}

}  // namespace

int commandeConvert(const Arguments& arguments) {
  const Ligne ligne = analyser(arguments, kOptions);
  if (ligne.erreur) return erreurUsage(*ligne.erreur);
  if (ligne.a("help")) {
    ecrireSortie(aideConvert());
    return 0;
  }
  const auto texteType = ligne.valeur("type");
  if (!texteType) return erreurUsage("le type du fichier d'entrée (--type) est obligatoire.");
  const conversion::FormatEntree* format = conversion::formatSelonNom(*texteType);
  if (format == nullptr) return erreurUsage("type inconnu « " + *texteType + " » (zor, g7towin ou axe).");
  Mode mode = Mode::Profil;
  if (const auto m = ligne.valeur("mode")) {
    if (*m == "profile") mode = Mode::Profil;
    else if (*m == "waypoint") mode = Mode::Waypoint;
    else return erreurUsage("mode inconnu « " + *m + " » (profile ou waypoint).");
  }
  if (ligne.noms.empty()) return erreurUsage("il manque le fichier d'entrée.");
  if (ligne.noms.size() > 1) return erreurUsage("un seul fichier d'entrée à la fois.");
  const std::string entree = ligne.noms.front();
  const std::string sortie = ligne.valeur("output").value_or("-");
  const bool versSortieStandard = sortie == "-";
  const bool depuisEntreeStandard = entree == "-";
  const std::string nomEntree = depuisEntreeStandard ? "(entrée standard)" : entree;

  // Emptying the output first would destroy the input before it is read; writing to the end of
  // the input while reading it would never end.
  // The input may be the standard input too: "zor-cli convert - -o F < F" would empty F first.
  if (depuisEntreeStandard ? !versSortieStandard && platform::memeFichierQueFlux(sortie, stdin)
      : versSortieStandard ? platform::memeFichierQueFlux(entree, stdout)
                           : platform::memeFichier(entree, sortie))
    return echec(erreurFichier(Erreur::Genre::MemeFichier, depuisEntreeStandard ? sortie : entree, 0));

  long long nombre = 0;
  try {
    if (depuisEntreeStandard) platform::fluxBinaire(stdin);
    // The input is opened before the output is created: an input that cannot be read leaves
    // the user's output file as it was.
    std::optional<conversion::SourceFichier> source;
    if (depuisEntreeStandard)
      source.emplace(stdin, nomEntree);
    else
      source.emplace(std::filesystem::path(entree));
    if (versSortieStandard) {
      platform::fluxBinaire(stdout);
      conversion::SortieFichier flux(stdout, "(sortie standard)");
      nombre = conversion::convertirDepuis(format->type, *source, flux, mode);
      flux.fermer();
    } else {
      conversion::SortieFichier fichier{std::filesystem::path(sortie)};
      nombre = conversion::convertirDepuis(format->type, *source, fichier, mode);
      fichier.fermer();
    }
  } catch (const Echec& e) {
    return echec(e.erreur());
  } catch (const std::bad_alloc&) {
    return echec(erreurFichier(Erreur::Genre::MemoireInsuffisante, nomEntree, 0));
  }

  if (nombre == 0) {
    dire(std::string(conversion::kMessageSansEnregistrement));
    return 1;
  }
  dire("Nombre d'enregistrements lus : " + std::to_string(nombre));
  return 0;
}

}  // namespace zor::cli
