// zor-cli convert: the window's conversion without the window. It writes exactly the bytes the
// window writes into its interchange file for the same input, type and mode; or, with
// --to gpx, the same records as GPX. A GPX file's line is chosen and fitted as a file given to
// the window is, and told on the standard error. A file given with -o is replaced only once
// the whole conversion went well: a failure or an input without records leaves it as it was.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "cli/commandes.h"
#include "commande/aide.h"
#include "commande/options.h"
#include "commande/sortie_texte.h"
#include "convert/conversion.h"
#include "convert/ecrivain_phrases.h"
#include "convert/fins_de_ligne.h"
#include "convert/rapport.h"
#include "convert/reconnaissance.h"
#include "core/erreur.h"
#include "platform/chemins.h"
#include "platform/fichiers.h"
#include "platform/ecriture.h"
#include "platform/fichiers_standard.h"
#include "platform/interruption.h"
#include "platform/textes_systeme.h"

namespace zor::cli {

namespace {

using conversion::Mode;

std::string aideConvert() {
  const platform::TextesSysteme& systeme = platform::textesSysteme();
  constexpr std::size_t kColonne = 21;
  commande::Aide aide;
  aide.texte("Usage : zor-cli convert [--type TYPE] [--mode MODE] [--to FORMAT] [-o SORTIE] [OPTIONS GPX] ENTREE", 24)
      .texte("        zor-cli convert --liste ENTREE.gpx")
      .blanc()
      .texte("Convertit le fichier de waypoints ENTREE (« - » : l'entrée standard) en phrases $GPWPL, exactement "
             "comme le bouton « Rechercher Fichier » remplit le fichier d'échange c:\\$_t_e_m_p, ou en GPX.")
      .blanc()
      .texte("Options :")
      .option("  -t, --type TYPE", "type du fichier d'entrée ; un fichier GPX ou Autoroute Express se reconnaît à "
                                   "son contenu, un fichier texte (zor, g7towin) demande --type :", kColonne);
  for (const conversion::FormatEntree& f : conversion::formatsCli()) {
    const std::string description = f.texteListe.empty()
                                        ? std::string(f.descriptionCli)
                                        : "ou « " + std::string(f.texteListe) + " » : " + std::string(f.descriptionCli);
    aide.option("                     " + std::string(f.nomCli), description, kColonne + 9);
  }
  aide.option("  -m, --mode MODE", "profile : points de profil de carte PDC0010C, PDC0020A... (par défaut)", kColonne)
      .option("", "waypoint : waypoints avec leur propre nom (GPX : six caractères au plus, sans les petits mots ni "
                  "les blancs s'il le faut, rendus uniques)", kColonne)
      .option("      --to FORMAT", "format de la sortie :", kColonne);
  for (const conversion::FormatSortie& f : conversion::formatsSortie())
    aide.option("                     " + std::string(f.nomCli), std::string(f.descriptionCli), kColonne + 11);
  aide.option("  -o, --output SORTIE", "fichier à écrire, remplacé seulement à la fin d'une conversion réussie ; sans "
                                       "cette option ou avec « - », la sortie standard", kColonne);
  if (systeme.tubesEtLiens)
    aide.option("      --timeout S", "secondes d'attente d'un programme qui lise SORTIE quand c'est un tube (mkfifo) : "
                                     "30 par défaut, 0.5 par exemple, toujours avec un point", kColonne);
  aide.option("      --lf", "un LF seul finit aussi une ligne (" + std::string(systeme.fichiersLF) +
                                ") ; sans cette option, comme dans la fenêtre, seuls CR LF et CR finissent une ligne",
              kColonne)
      .option("  -h, --help", "affiche cette aide", kColonne)
      .blanc()
      .texte("Options GPX (chaque <rte> et chaque <trk> est une ligne, numérotée dans l'ordre du fichier) :")
      .option("      --liste", "écrit la liste des lignes (numéro, genre, points, km, nom) et rien d'autre", kColonne)
      .option("      --ligne N|NOM", "la ligne à prendre, par son numéro ou son nom exact ; sans cette option, le "
                                     "profil est la seule ligne du fichier, sinon la première route, sinon la première "
                                     "trace, et le mode waypoint prend les <wpt> puis les <rtept>", kColonne)
      .option("      --points N", "garde au plus N points de la ligne (N >= 2), ceux qui dessinent le mieux sa forme, "
                                  "le premier et le dernier toujours ; une trace en garde 255 par défaut, une route "
                                  "part entière", kColonne)
      .option("      --ecart M", "garde assez de points pour qu'aucun point lu ne soit à plus de M mètres de la ligne "
                                 "envoyée ; avec --points, la plus sévère des deux l'emporte", kColonne)
      .blanc()
      .texte("Les options s'écrivent aussi --option=valeur. Les nombres s'écrivent avec un point (--ecart 2.5).")
      .blanc()
      .texte("Code de sortie :")
      .option("  0", "au moins un enregistrement lu (leur nombre est écrit sur la sortie d'erreur)", 5)
      .option("  1", "aucun enregistrement : le fichier ne correspond pas au type choisi", 5)
      .option("  2", "échec : fichier illisible ou impossible à écrire, GPX incorrect, type inconnu, ligne absente, "
                     "ou options incorrectes", 5)
      .option("  " + std::string(systeme.codesArret),
              "interrompu par " + std::string(systeme.arrets) +
                  " (SORTIE reste telle qu'elle était), même pendant l'attente d'une entrée (un tube, le terminal)" +
                  (systeme.tubesEtLiens ? " ou d'un lecteur de SORTIE" : ""),
              5)
      .blanc()
      .texte("Une SORTIE qu'un autre programme de ZOR écrit (même un fichier qui n'existait pas), ou en lecture seule, "
             "est refusée." +
             std::string(systeme.tubesEtLiens ? " Dans un dossier où d'autres peuvent écrire (/tmp), un lien symbolique "
                                                "qu'un autre utilisateur y a mis n'est pas suivi."
                                              : ""));
  return aide;
}

constexpr Option kOptions[] = {{"type", 't'},      {"mode", 'm'},  {"to", 0},     {"output", 'o'},
                               {"lf", 0, false},   {"ligne", 0},   {"liste", 0, false},
                               {"points", 0},      {"ecart", 0},   {"timeout", 0}, {"help", 'h', false}};

int erreurUsage(const std::string& message) {
  std::string usage = commande::Aide()
                          .texte("Usage : zor-cli convert [--type TYPE] [--mode MODE] [--to FORMAT] [-o SORTIE] ENTREE", 24)
                          .texte("« zor-cli convert --help » décrit les options.")
                          .str();
  usage.pop_back();
  dire("zor-cli convert : " + message + "\n" + usage);
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

std::string pluriel(long long n, std::string_view singulier, std::string_view plurielTexte) {
  return conversion::entierEnFrancais(n) + " " + std::string(n < 2 ? singulier : plurielTexte);
}

// The input as the readers get it: stopped by Ctrl+C (SIGTERM, SIGHUP) between two blocks.
class SourceInterrompue : public conversion::Source {
 public:
  SourceInterrompue(conversion::Source& source, std::string nom) : source_(source), nom_(std::move(nom)) {}
  std::string_view lire() override {
    if (platform::interruptionRecue() != 0) throw Echec(erreurFichier(Erreur::Genre::Interruption, nom_, 0));
    return source_.lire();
  }
  std::string nom() const override { return source_.nom(); }

 private:
  conversion::Source& source_;
  std::string nom_;
};

// Where the output goes: the standard output, or a file (replaced at the end), a pipe or a
// device (written as it is) opened by name.
struct Destination {
  platform::Ecriture fichier;
  std::optional<conversion::SortieFichier> sortie;
};

// The options that choose and fit a line of a GPX file.
std::optional<std::string> lireOptionsGpx(const Ligne& ligne, conversion::Demande& demande) {
  if (const auto l = ligne.valeur("ligne")) {
    if (l->empty()) return "--ligne demande un numéro de ligne ou un nom (« zor-cli convert --liste ENTREE » les montre).";
    demande.ligne = *l;
  }
  if (const auto p = ligne.valeur("points")) {
    const auto n = nombreEntier(*p);
    if (!n || *n < 2 || *n > 100000000) return "--points demande un nombre entier de points, 2 au moins (reçu « " + *p + " »).";
    demande.ajustement.points = *n;
  }
  if (const auto e = ligne.valeur("ecart")) {
    const auto m = nombreDecimal(*e);
    if (!m || !(*m > 0 && *m <= 20000000))
      return "--ecart demande un nombre de mètres plus grand que 0, écrit avec un point (reçu « " + *e + " »).";
    demande.ajustement.ecart = *m;
  }
  demande.listeSeulement = ligne.a("liste");
  return std::nullopt;
}

bool optionsGpx(const Ligne& ligne) {
  return ligne.a("ligne") || ligne.a("liste") || ligne.a("points") || ligne.a("ecart");
}

std::string sansDerniereFin(std::string texte) {
  if (!texte.empty() && texte.back() == '\n') texte.pop_back();
  return texte;
}

// What the run did with the lines of a GPX file, on the standard error.
void direLignes(const conversion::Rapport& r, const conversion::Demande& demande, const std::string& nomEntree) {
  if (const std::string resume = conversion::resumerLigne(r); !resume.empty()) dire(resume);
  if (r.ligneRetenue && demande.ligne.empty() && r.lignes.size() > 1)
    dire("Autres lignes du fichier (--ligne N ou --ligne NOM pour en prendre une autre) :\n" +
         sansDerniereFin(conversion::tableauLignes(r.lignes, r.ligneRetenue)));
  if (r.pointsDeTrace > 0)
    dire(pluriel(r.pointsDeTrace, "point de trace (<trk>) ignoré", "points de trace (<trk>) ignorés") +
         " : ce ne sont pas des waypoints ; --ligne N prend les points de la ligne N (--liste les montre).");
  if (!r.ajustement && (demande.ajustement.points > 0 || demande.ajustement.ecart > 0))
    dire("Attention : " + nomEntree + " n'a ni route (<rte>) ni trace (<trk>) prise : --points et --ecart sont sans effet.");
}

}  // namespace

int commandeConvert(const Arguments& arguments) {
  const Ligne ligne = analyser(arguments, kOptions);
  if (ligne.erreur) return erreurUsage(*ligne.erreur);
  if (ligne.a("help")) {
    ecrireSortie(aideConvert());
    return 0;
  }
  conversion::Demande demande;
  const conversion::FormatEntree* gpx = conversion::formatSelonNom("gpx");
  if (const auto texteType = ligne.valeur("type")) {
    demande.format = conversion::formatSelonNom(*texteType);
    if (demande.format == nullptr)
      return erreurUsage("type inconnu « " + *texteType + " » (" + noms(conversion::formatsCli()) + ").");
  }
  const conversion::FormatSortie* formatSortie = &conversion::formatsSortie()[0];
  if (const auto to = ligne.valeur("to")) {
    formatSortie = conversion::formatSortieSelonNom(*to);
    if (formatSortie == nullptr)
      return erreurUsage("format de sortie inconnu « " + *to + " » (" + noms(conversion::formatsSortie()) + ").");
  }
  if (const auto m = ligne.valeur("mode")) {
    if (*m == "profile") demande.mode = Mode::Profil;
    else if (*m == "waypoint") demande.mode = Mode::Waypoint;
    else return erreurUsage("mode inconnu « " + *m + " » (profile ou waypoint).");
  }
  if (const auto erreur = lireOptionsGpx(ligne, demande)) return erreurUsage(*erreur);
  const std::string sansGpx = "--ligne, --liste, --points et --ecart ne valent que pour un fichier GPX.";
  if (optionsGpx(ligne) && demande.format != nullptr && demande.format != gpx) return erreurUsage(sansGpx);
  if (demande.listeSeulement && ligne.a("output"))
    return erreurUsage("--liste écrit la liste des lignes sur la sortie standard, sans -o.");
  if (ligne.noms.empty()) return erreurUsage("il manque le fichier d'entrée.");
  if (ligne.noms.size() > 1) return erreurUsage("un seul fichier d'entrée à la fois.");
  const std::string entree = ligne.noms.front();
  const std::string sortie = ligne.valeur("output").value_or("-");
  const bool versSortieStandard = sortie == "-";
  const bool depuisEntreeStandard = entree == "-";
  const std::string nomEntree = depuisEntreeStandard ? "(entrée standard)" : entree;
  // Names are UTF-8 here, whatever the system: Windows gets them in UTF-16.
  const std::filesystem::path cheminEntree = platform::cheminDepuisUtf8(entree);
  const std::filesystem::path cheminSortie = platform::cheminDepuisUtf8(sortie);
  demande.finDeLigne = conversion::finDeLigneSelonOption(ligne.a("lf"));
  // A pipe as the output waits for its reader no longer than this.
  std::chrono::milliseconds attenteLecteur = std::chrono::seconds(30);
  if (const auto t = ligne.valeur("timeout")) {
    const auto attente = attenteEnSecondes(*t);
    if (!attente) return erreurUsage(std::string(kRefusAttente));
    attenteLecteur = *attente;
  }
  if (!depuisEntreeStandard) {
    demande.nomProfil = platform::utf8DuChemin(cheminEntree.stem());
  }

  // Emptying the output first would destroy the input before it is read; writing to the end of
  // the input while reading it would never end.
  // The input may be the standard input too: "zor-cli convert - -o F < F" would empty F first.
  // "- < F >> F" too: the conversion would read what it writes until the disk is full.
  if (depuisEntreeStandard ? (versSortieStandard ? platform::memesFlux(stdin, stdout)
                                                 : platform::memeFichierQueFlux(cheminSortie, stdin))
      : versSortieStandard ? platform::memeFichierQueFlux(cheminEntree, stdout)
                           : platform::memeFichier(cheminEntree, cheminSortie))
    return echec(erreurFichier(Erreur::Genre::MemeFichier,
                               depuisEntreeStandard ? (versSortieStandard ? "(entrée standard)" : sortie) : entree, 0));
  // One conversion at a time into one file: a second one is refused rather than mixed in (a
  // file named by -o is taken when it is opened).
  if (versSortieStandard && !platform::VerrouEcriture(stdout).pris())
    return echec(erreurFichier(Erreur::Genre::FichierEnEcriture, "(sortie standard)", 0));
  // Ctrl+C, SIGTERM and SIGHUP stop the run between two blocks: the output stays as it was, or
  // holds whole lines only.
  platform::intercepterInterruptions();

  conversion::Rapport rapport;
  try {
    if (depuisEntreeStandard) platform::fluxBinaire(stdin);
    // The input is opened, and its format known, before the output is created: an input that
    // cannot be read, or whose format is unknown, leaves the user's output file as it was.
    std::optional<conversion::SourceFichier> fichier;
    if (depuisEntreeStandard)
      fichier.emplace(stdin, nomEntree);
    else
      fichier.emplace(cheminEntree);
    SourceInterrompue interrompue(*fichier, nomEntree);
    conversion::SourceRelue source(interrompue);
    if (demande.format == nullptr) {
      demande.format = conversion::formatSelonContenu(source);
      if (demande.format == nullptr)
        return erreurUsage("le contenu de " + nomEntree +
                           " ne dit pas son type (ni GPX, ni Autoroute Express) : un fichier texte demande --type zor ou "
                           "--type g7towin.");
      if (optionsGpx(ligne) && demande.format != gpx) return erreurUsage(sansGpx);
    }
    if (demande.listeSeulement) {
      conversion::SortieMemoire rien;
      conversion::EcrivainPhrases ecrivain(rien);
      rapport = conversion::convertir(source, ecrivain, demande);
      if (rapport.lignes.empty()) {
        dire(nomEntree + " n'a ni route (<rte>) ni trace (<trk>).");
        return 1;
      }
      ecrireSortie(conversion::tableauLignes(rapport.lignes));
      return 0;
    }
    Destination destination;
    // A reader that goes ("zor-cli convert … | head", a FIFO's reader) is a write error told in
    // French.
    platform::ignorerTubeCoupe();
    if (versSortieStandard) {
      platform::fluxBinaire(stdout);
      // Our own buffer is large already; written straight, a write cut by Ctrl+C says how far
      // it went.
      std::setvbuf(stdout, nullptr, _IONBF, 0);
      destination.sortie.emplace(stdout, "(sortie standard)");
    } else {
      // A file is written beside and takes the name at the end; a device or a pipe (/dev/null, a
      // FIFO, which waits for its reader) is written as it is.
      platform::ReglesEcriture regles;
      regles.attenteTube = attenteLecteur;
      if (auto refus = destination.fichier.ouvrir(cheminSortie, regles)) {
        refus->fichier = sortie;
        throw Echec(*refus);
      }
      destination.sortie.emplace(destination.fichier.flux(), sortie);
    }
    const std::unique_ptr<conversion::Ecrivain> ecrivain = formatSortie->creer(*destination.sortie);
    rapport = conversion::convertir(source, *ecrivain, demande);
    destination.sortie->fermer();
    // Not waited for on the disk itself: a conversion can be made again, and a sync would cost
    // more than the whole conversion.
    if (!versSortieStandard && (destination.fichier.special() || rapport.enregistrements > rapport.ignores))
      if (const int numero = destination.fichier.terminer(false); numero != 0)
        throw Echec(erreurFichier(Erreur::Genre::FichierNonEcrit, sortie, numero));
  } catch (const Echec& e) {
    // Stopped while it waited (a pipe, a terminal, a reader for SORTIE) or wrote: the output is
    // as it was, or holds whole lines.
    if (platform::interruptionRecue() != 0) {
      Erreur arret = e.erreur();
      if (arret.genre == Erreur::Genre::Interruption) arret.fichier = nomEntree;
      echec(arret);
      if (arret.genre == Erreur::Genre::Interruption)
        dire(versSortieStandard ? "La sortie standard ne porte que des lignes entières."
                                : sortie + " n'a pas été modifié.");
      return 128 + platform::interruptionRecue();
    }
    return echec(e.erreur());
  } catch (const std::bad_alloc&) {
    return echec(erreurFichier(Erreur::Genre::MemoireInsuffisante, nomEntree, 0));
  }

  const conversion::FormatEntree& format = *rapport.format;
  if (format.texte && rapport.seulementLF && demande.finDeLigne == conversion::FinDeLigne::Cr)
    dire(conversion::avertissementSeulementLF(nomEntree));
  if (rapport.ligneIntrouvable) {
    dire("zor-cli convert : " + nomEntree + " n'a pas de ligne « " + demande.ligne + " » (numéro ou nom exact)" +
         (rapport.lignes.empty() ? " : il n'a ni route (<rte>) ni trace (<trk>)."
                                 : " ; ses lignes :\n" + sansDerniereFin(conversion::tableauLignes(rapport.lignes))));
    return 2;
  }
  if (&format == gpx) direLignes(rapport, demande, nomEntree);
  if (rapport.ignores > 0)
    dire(pluriel(rapport.ignores, format.ignoreUn, format.ignorePlusieurs) + " : " + std::string(format.raisonIgnore));
  if (rapport.enregistrements - rapport.ignores == 0) {
    dire(std::string(conversion::kMessageSansEnregistrement));
    return 1;
  }
  if (const std::string attention = conversion::avertissementProfil(rapport, demande.mode); !attention.empty())
    dire(attention);
  dire("Nombre d'enregistrements lus : " + std::to_string(rapport.enregistrements));
  return 0;
}

}  // namespace zor::cli
