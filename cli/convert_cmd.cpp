// zor-cli convert: the window's conversion without the window. It writes exactly the bytes the
// window writes into its interchange file for the same input, type and mode.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/commandes.h"
#include "convert/conversion.h"
#include "convert/erreur.h"
#include "convert/sortie.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace zor::cli {

namespace {

using conversion::Mode;
using conversion::TypeEntree;

const char kAideConvert[] =
    "Usage : zor-cli convert --type TYPE [--mode MODE] [-o SORTIE] ENTREE\n"
    "\n"
    "Convertit le fichier de waypoints ENTREE en phrases $GPWPL, exactement comme le bouton\n"
    "« Rechercher Fichier » remplit le fichier d'échange c:\\$_t_e_m_p.\n"
    "\n"
    "Options :\n"
    "  --type TYPE    type du fichier d'entrée (obligatoire) :\n"
    "                   zor      ou « Format ZOR »              lignes « $ » recopiées telles quelles\n"
    "                   g7towin  ou « G7towin »                 lignes « W » découpées en colonnes\n"
    "                   axe      ou « Autoroute Express 2001 »  fichier binaire *.axe\n"
    "  --mode MODE    profile  : points de profil de carte PDC0010C, PDC0020A... (par défaut)\n"
    "                 waypoint : waypoints avec leur propre nom\n"
    "  -o SORTIE      fichier à écrire (créé ou vidé) ; sans cette option ou avec « - »,\n"
    "                 la sortie standard\n"
    "  -h, --help     affiche cette aide\n"
    "\n"
    "Code de sortie :\n"
    "  0  au moins un enregistrement lu (leur nombre est écrit sur la sortie d'erreur)\n"
    "  1  aucun enregistrement : le fichier ne correspond pas au type choisi\n"
    "  2  échec : fichier illisible ou impossible à écrire, ou options incorrectes\n";

std::optional<TypeEntree> typeSelonOption(std::string_view texte) {
  if (texte == "zor") return TypeEntree::Zor;
  if (texte == "g7towin") return TypeEntree::G7towin;
  if (texte == "axe") return TypeEntree::AutorouteExpress;
  const TypeEntree type = conversion::typeSelonTexte(texte);
  if (type == TypeEntree::Aucun) return std::nullopt;
  return type;
}

int erreurUsage(const std::string& message) {
  std::fprintf(stderr, "zor-cli convert : %s\n« zor-cli convert --help » décrit les options.\n", message.c_str());
  return 2;
}

}  // namespace

int commandeConvert(const Arguments& arguments) {
  std::optional<TypeEntree> type;
  Mode mode = Mode::Profil;
  std::string sortie = "-";
  std::optional<std::string> entree;

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    auto valeur = [&](std::string_view option) -> std::optional<std::string> {
      if (a == option) {
        if (i + 1 >= arguments.size()) return std::nullopt;
        return arguments[++i];
      }
      return a.substr(option.size() + 1);  // --option=valeur
    };
    auto estOption = [&](std::string_view option) {
      return a == option || (option.starts_with("--") && a.starts_with(std::string(option) + "="));
    };
    if (a == "-h" || a == "--help") {
      std::fputs(kAideConvert, stdout);
      return 0;
    }
    if (estOption("--type")) {
      const auto v = valeur("--type");
      if (!v) return erreurUsage("il manque le type après --type.");
      type = typeSelonOption(*v);
      if (!type) return erreurUsage("type inconnu « " + *v + " » (zor, g7towin ou axe).");
    } else if (estOption("--mode")) {
      const auto v = valeur("--mode");
      if (!v) return erreurUsage("il manque le mode après --mode.");
      if (*v == "profile")
        mode = Mode::Profil;
      else if (*v == "waypoint")
        mode = Mode::Waypoint;
      else
        return erreurUsage("mode inconnu « " + *v + " » (profile ou waypoint).");
    } else if (a == "-o") {
      if (i + 1 >= arguments.size()) return erreurUsage("il manque le fichier après -o.");
      sortie = arguments[++i];
    } else if (a.size() > 1 && a[0] == '-' && a != "--") {
      return erreurUsage("option inconnue « " + a + " ».");
    } else {
      if (a == "--") {
        if (i + 1 >= arguments.size()) break;
        ++i;
      }
      if (entree) return erreurUsage("un seul fichier d'entrée à la fois.");
      entree = arguments[i];
    }
  }
  if (!type) return erreurUsage("le type du fichier d'entrée (--type) est obligatoire.");
  if (!entree) return erreurUsage("il manque le fichier d'entrée.");

  // Emptying the output first would destroy the input before it is read.
  std::error_code ec;
  if (sortie != "-" && std::filesystem::equivalent(*entree, sortie, ec)) {
    std::fprintf(stderr, "zor-cli convert : %s : c'est aussi le fichier de sortie, il serait vidé avant d'être lu\n",
                 entree->c_str());
    return 2;
  }

  long long nombre = 0;
  try {
    if (sortie == "-") {
#ifdef _WIN32
      _setmode(_fileno(stdout), _O_BINARY);
#endif
      conversion::SortieFichier flux(stdout, "sortie standard");
      nombre = conversion::convertir(*type, std::filesystem::path(*entree), flux, mode);
      flux.fermer();
    } else {
      // The input is opened before the output is created: an input that cannot be read leaves
      // the user's output file as it was.
      conversion::SourceFichier source{std::filesystem::path(*entree)};
      conversion::SortieFichier fichier{std::filesystem::path(sortie)};
      nombre = conversion::convertirDepuis(*type, source, fichier, mode);
      fichier.fermer();
    }
  } catch (const conversion::ErreurConversion& e) {
    std::fprintf(stderr, "zor-cli convert : %s : %s\n", e.fichier().c_str(), e.raison().c_str());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zor-cli convert : %s : %s\n", entree->c_str(), e.what());
    return 2;
  }

  if (nombre == 0) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(conversion::kMessageSansEnregistrement.size()),
                 conversion::kMessageSansEnregistrement.data());
    return 1;
  }
  std::fprintf(stderr, "Nombre d'enregistrements lus : %lld\n", nombre);
  return 0;
}

}  // namespace zor::cli
