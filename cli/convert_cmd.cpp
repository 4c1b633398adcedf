// zor-cli convert: the window's conversion without the window. It writes exactly the bytes the
// window writes into its interchange file for the same input, type and mode; or, with
// --to gpx, the same records as GPX. A file given with -o is replaced only once the whole
// conversion went well: a failure or an input without records leaves it as it was.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "cli/commandes.h"
#include "commande/options.h"
#include "commande/sortie_texte.h"
#include "convert/conversion.h"
#include "core/erreur.h"
#include "platform/fichiers.h"
#include "platform/fichiers_standard.h"
#include "platform/interruption.h"
#include "platform/remplacement.h"

namespace zor::cli {

namespace {

using conversion::Mode;

std::string aideConvert() {
  std::string aide =
      "Usage : zor-cli convert --type TYPE [--mode MODE] [--to FORMAT] [-o SORTIE] ENTREE\n"
      "\n"
      "Convertit le fichier de waypoints ENTREE (« - » : l'entrée standard) en phrases $GPWPL,\n"
      "exactement comme le bouton « Rechercher Fichier » remplit le fichier d'échange c:\\$_t_e_m_p,\n"
      "ou en GPX.\n"
      "\n"
      "Options :\n"
      "  -t, --type TYPE    type du fichier d'entrée (obligatoire) :\n";
  for (const conversion::FormatEntree& f : conversion::formatsCli()) {
    std::string ligne = "                       " + std::string(f.nomCli);
    ligne.resize(32, ' ');
    if (f.texteListe.empty())
      aide += ligne + std::string(f.descriptionCli) + "\n";
    else
      aide += ligne + "ou « " + std::string(f.texteListe) + " » : " + std::string(f.descriptionCli) + "\n";
  }
  aide +=
      "  -m, --mode MODE    profile  : points de profil de carte PDC0010C, PDC0020A... (par défaut)\n"
      "                     waypoint : waypoints avec leur propre nom (GPX : six caractères au plus,\n"
      "                     translittérés en lettres latines, rendus uniques)\n"
      "      --to FORMAT    format de la sortie :\n";
  for (const conversion::FormatSortie& f : conversion::formatsSortie()) {
    std::string ligne = "                       " + std::string(f.nomCli);
    ligne.resize(34, ' ');
    aide += ligne + std::string(f.descriptionCli) + "\n";
  }
  aide +=
      "  -o, --output SORTIE  fichier à écrire, remplacé seulement à la fin d'une conversion réussie ;\n"
      "                     sans cette option ou avec « - », la sortie standard\n"
      "      --lf           un LF seul finit aussi une ligne (fichiers texte écrits sous Linux) ; sans\n"
      "                     cette option, comme dans la fenêtre, seuls CR LF et CR finissent une ligne\n"
      "  -h, --help         affiche cette aide\n"
      "\n"
      "Les options s'écrivent aussi --option=valeur.\n"
      "\n"
      "Code de sortie :\n"
      "  0  au moins un enregistrement lu (leur nombre est écrit sur la sortie d'erreur)\n"
      "  1  aucun enregistrement : le fichier ne correspond pas au type choisi\n"
      "  2  échec : fichier illisible ou impossible à écrire, GPX incorrect, ou options incorrectes\n"
      "  130, 143, 129  interrompu par Ctrl+C, SIGTERM ou SIGHUP (SORTIE reste telle qu'elle était)\n";
  return aide;
}

constexpr Option kOptions[] = {{"type", 't'}, {"mode", 'm'}, {"to", 0},
                               {"output", 'o'}, {"lf", 0, false}, {"help", 'h', false}};

int erreurUsage(const std::string& message) {
  dire("zor-cli convert : " + message +
       "\nUsage : zor-cli convert --type TYPE [--mode MODE] [--to FORMAT] [-o SORTIE] ENTREE\n"
       "« zor-cli convert --help » décrit les options.");
  return 2;
}

int echec(const Erreur& e) {
  dire("zor-cli convert : " + decrire(e));
  return 2;
}

// "gpx", "zor, g7towin, axe ou gpx".
template <class Formats>
std::string noms(const Formats& formats) {
  std::string liste;
  for (std::size_t i = 0; i < formats.size(); ++i)
    liste += (i == 0 ? "" : i + 1 == formats.size() ? " ou " : ", ") + std::string(formats[i].nomCli);
  return liste;
}

std::string pluriel(long long n, const char* singulier, const char* plurielTexte) {
  return std::to_string(n) + " " + (n < 2 ? singulier : plurielTexte);
}

// The input as the readers get it: stopped by Ctrl+C (SIGTERM, SIGHUP) between two blocks; its
// line ends looked at; with --lf, a lone LF made a CR, which the text readers take as a line end.
class SourceSurveillee : public conversion::Source {
 public:
  SourceSurveillee(conversion::Source& source, std::string nom, bool lf) : source_(source), nom_(std::move(nom)), lf_(lf) {}
  std::string_view lire() override {
    if (const int signal = platform::interruptionRecue(); signal != 0)
      throw Echec(erreurFichier(Erreur::Genre::Interruption, nom_, 0));
    std::string_view bloc = source_.lire();
    if (bloc.empty()) return bloc;
    vuCr_ = vuCr_ || bloc.find('\r') != std::string_view::npos;
    vuLf_ = vuLf_ || bloc.find('\n') != std::string_view::npos;
    if (!lf_ || bloc.find('\n') == std::string_view::npos) {
      precedent_ = bloc.back();
      return bloc;
    }
    copie_.assign(bloc);
    for (char& c : copie_) {
      if (c == '\n' && precedent_ != '\r') {
        c = '\r';
        precedent_ = '\0';  // a CR made from an LF stands alone: an LF after it is one more line end
      } else {
        precedent_ = c;
      }
    }
    return copie_;
  }
  std::string nom() const override { return source_.nom(); }
  bool seulementLF() const { return vuLf_ && !vuCr_; }

 private:
  conversion::Source& source_;
  std::string nom_;
  bool lf_;
  bool vuCr_ = false, vuLf_ = false;
  char precedent_ = '\0';
  std::string copie_;
};

// Where the output goes: the standard output, a device as it is, or a file replaced at the end.
struct Destination {
  std::optional<platform::Remplacement> remplacement;
  std::optional<conversion::SortieFichier> sortie;
};

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
  if (format == nullptr)
    return erreurUsage("type inconnu « " + *texteType + " » (" + noms(conversion::formatsCli()) + ").");
  const conversion::FormatSortie* formatSortie = &conversion::formatsSortie()[0];
  if (const auto to = ligne.valeur("to")) {
    formatSortie = conversion::formatSortieSelonNom(*to);
    if (formatSortie == nullptr)
      return erreurUsage("format de sortie inconnu « " + *to + " » (" + noms(conversion::formatsSortie()) + ").");
  }
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
  // "- < F >> F" too: the conversion would read what it writes until the disk is full.
  if (depuisEntreeStandard ? (versSortieStandard ? platform::memesFlux(stdin, stdout)
                                                 : platform::memeFichierQueFlux(sortie, stdin))
      : versSortieStandard ? platform::memeFichierQueFlux(entree, stdout)
                           : platform::memeFichier(entree, sortie))
    return echec(erreurFichier(Erreur::Genre::MemeFichier,
                               depuisEntreeStandard ? (versSortieStandard ? "(entrée standard)" : sortie) : entree, 0));
  // One conversion at a time into one file: a second one is refused rather than mixed in.
  const platform::VerrouEcriture verrou = versSortieStandard ? platform::VerrouEcriture(stdout)
                                                             : platform::VerrouEcriture(std::filesystem::path(sortie));
  if (!verrou.pris()) return echec(erreurFichier(Erreur::Genre::FichierEnEcriture, versSortieStandard ? "(sortie standard)" : sortie, 0));
  // Ctrl+C, SIGTERM and SIGHUP stop the run between two blocks: the output stays as it was, or
  // holds whole lines only.
  platform::intercepterInterruptions();
  const bool lf = ligne.a("lf");

  conversion::Bilan bilan;
  bool seulementLF = false;
  try {
    if (depuisEntreeStandard) platform::fluxBinaire(stdin);
    // The input is opened before the output is created: an input that cannot be read leaves
    // the user's output file as it was.
    std::optional<conversion::SourceFichier> source;
    if (depuisEntreeStandard)
      source.emplace(stdin, nomEntree);
    else
      source.emplace(std::filesystem::path(entree));
    Destination destination;
    std::error_code ec;
    if (versSortieStandard) {
      platform::fluxBinaire(stdout);
      // A reader that goes ("zor-cli convert … | head") is a write error told in French.
      platform::ignorerTubeCoupe();
      destination.sortie.emplace(stdout, "(sortie standard)");
    } else if (const auto etat = std::filesystem::status(sortie, ec);
               std::filesystem::exists(etat) && !std::filesystem::is_regular_file(etat)) {
      // A device or a pipe (/dev/null) is written as it is: there is no file to replace.
      destination.sortie.emplace(std::filesystem::path(sortie));
    } else {
      destination.remplacement.emplace(std::filesystem::path(sortie));
      if (destination.remplacement->flux() == nullptr)
        throw Echec(erreurFichier(Erreur::Genre::FichierNonCreable, sortie, destination.remplacement->numero()));
      destination.sortie.emplace(destination.remplacement->flux(), sortie);
    }
    const std::unique_ptr<conversion::Ecrivain> ecrivain = formatSortie->creer(*destination.sortie);
    SourceSurveillee surveillee(*source, nomEntree, lf);
    bilan = conversion::convertirVers(format->type, surveillee, *ecrivain, mode);
    seulementLF = surveillee.seulementLF();
    destination.sortie->fermer();
    // Not waited for on the disk itself: a conversion can be made again, and a sync would cost
    // more than the whole conversion.
    if (destination.remplacement && bilan.enregistrements > bilan.ignores)
      if (const int numero = destination.remplacement->remplacer(false); numero != 0)
        throw Echec(erreurFichier(Erreur::Genre::FichierNonEcrit, sortie, numero));
  } catch (const Echec& e) {
    if (e.erreur().genre == Erreur::Genre::Interruption) {
      echec(e.erreur());
      dire(versSortieStandard ? "La sortie standard ne porte que des lignes entières."
                              : sortie + " n'a pas été modifié.");
      return 128 + platform::interruptionRecue();
    }
    return echec(e.erreur());
  } catch (const std::bad_alloc&) {
    return echec(erreurFichier(Erreur::Genre::MemoireInsuffisante, nomEntree, 0));
  }

  const bool texte = format->type == conversion::TypeEntree::Zor || format->type == conversion::TypeEntree::G7towin;
  if (texte && seulementLF && !lf)
    dire("Attention : " + nomEntree +
         " n'a que des fins de ligne LF, sans CR : comme la fenêtre, zor-cli n'y voit qu'une seule ligne. Avec --lf, "
         "chaque LF finit aussi une ligne.");

  if (bilan.pointsDeTrace > 0)
    dire(pluriel(bilan.pointsDeTrace, "point de trace (<trk>) ignoré", "points de trace (<trk>) ignorés") +
         " : ce ne sont pas des waypoints.");
  if (bilan.ignores > 0)
    dire(format->type == conversion::TypeEntree::Zor
             ? pluriel(bilan.ignores, "ligne « $ » ignorée", "lignes « $ » ignorées") +
                   " : pas une phrase $GPWPL bien formée, à la bonne somme de contrôle et à la position valable."
             : pluriel(bilan.ignores, "enregistrement ignoré", "enregistrements ignorés") +
                   " : coordonnées qui ne forment pas une position valable.");
  if (bilan.enregistrements - bilan.ignores == 0) {
    dire(std::string(conversion::kMessageSansEnregistrement));
    return 1;
  }
  dire("Nombre d'enregistrements lus : " + std::to_string(bilan.enregistrements));
  return 0;
}

}  // namespace zor::cli
