// zor-cli upload / download: the window's transfers, on a port given by number or by device.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "cli/commandes.h"
#include "commande/aide.h"
#include "commande/options.h"
#include "cli/progression.h"
#include "commande/sortie_texte.h"
#include "convert/fins_de_ligne.h"
#include "core/erreur.h"
#include "platform/chemins.h"
#include "platform/ecriture.h"
#include "platform/fichiers.h"
#include "platform/fichiers_standard.h"
#include "core/horloge.h"
#include "platform/interruption.h"
#include "platform/textes_systeme.h"
#include "serial/brut.h"
#include "serial/envoi.h"
#include "serial/mscomm.h"
#include "serial/conseils_port.h"
#include "serial/peripherique.h"
#include "serial/telechargement.h"

namespace zor::cli {
namespace {

constexpr std::size_t kColonne = 27;

std::string aideUpload() {
  const platform::TextesSysteme& systeme = platform::textesSysteme();
  return commande::Aide()
      .texte("Usage : zor-cli upload --port N|PERIPHERIQUE [--lf] [--strict] [-q] FICHIER", 23)
      .blanc()
      .texte("Envoie au GPS chaque ligne de FICHIER (« - » : l'entrée standard) qui commence par « $ », suivie de CR "
             "LF, avec une pause de 600 ms après chacune (4800 bauds, 8 bits, sans parité, 2 bits de stop).")
      .option("  -p, --port N", "port de communication 1 à 4 (comme Comm1 à Comm4 dans la fenêtre ; « zor-cli ports » "
                                "montre le périphérique de chacun)", kColonne)
      .option("  -p, --port PERIPHERIQUE", "le périphérique lui-même, par exemple " + std::string(systeme.exemplePort),
              kColonne)
      .option("      --lf", "un LF seul finit aussi une ligne (" + std::string(systeme.fichiersLF) +
                                ") ; sans cette option, comme dans la fenêtre, seuls CR LF et CR finissent une ligne",
              kColonne)
      .option("      --strict", "refuse les lignes « $ » qui ne sont pas des phrases $GPWPL à la bonne somme de contrôle "
                                "(sans cette option, elles partent, comme depuis la fenêtre)", kColonne)
      .option("  -q, --silencieux", "n'affiche que les erreurs", kColonne)
      .option("  -h, --help", "affiche cette aide", kColonne)
      .texte("Les options s'écrivent aussi --option=valeur. La progression s'affiche sur la sortie d'erreur : sur un "
             "terminal, le nombre de phrases parties et le temps restant ; ailleurs, une ligne par phrase.")
      .texte("Avant le premier octet, chaque ligne « $ » qui n'est pas une phrase $GPWPL à la bonne somme de contrôle "
             "est nommée (« ligne N : ... ») ; " +
             std::string(systeme.tubesEtLiens ? "l'entrée standard et un tube (une FIFO, <(commande)) ne sont lus "
                                                "qu'une fois, et chacune l'est alors juste avant de partir."
                                              : "depuis l'entrée standard, chacune l'est juste avant de partir."))
      .texte("Une ligne « $ » de plus de 4096 caractères n'est pas une phrase : un fichier qui en a une n'est pas envoyé "
             "du tout ; depuis l'entrée standard" + std::string(systeme.tubesEtLiens ? " ou un tube" : "") +
             ", l'envoi s'arrête avant elle. Il en va de même des lignes refusées par --strict.")
      .texte("Code de sortie : 0 si tout est parti, 2 sinon, " + std::string(systeme.codesArret) + " après " +
             std::string(systeme.arrets) +
             (systeme.tubesEtLiens ? " (même pendant l'attente d'un tube ou du terminal)." : "."))
      .str();
}

std::string aideDownload() {
  const platform::TextesSysteme& systeme = platform::textesSysteme();
  return commande::Aide()
      .texte("Usage : zor-cli download --port N|PERIPHERIQUE [-o SORTIE] [--timeout S] [--max N] [--brut FICHIER] [-q]",
             25)
      .blanc()
      .texte("Reçoit les waypoints que le GPS envoie, jusqu'au retour du deuxième enregistrement, puis lui envoie le "
             "caractère 26. Les enregistrements reçus, suivis de CR LF, vont dans SORTIE (la sortie standard par "
             "défaut, ou avec « - »).")
      .texte("Seule une réception qui s'achève ainsi remplace SORTIE, à sa fin ; toute autre fin le laisse tel qu'il "
             "était, et ce qui a été reçu après la première fin de ligne est gardé dans un fichier de secours "
             "(lisible par vous seul) dont le message donne le chemin et le contenu.")
      .option("  -p, --port N|PERIPHERIQUE", "comme pour upload", kColonne + 2)
      .option("  -o, --output SORTIE", "fichier à écrire", kColonne + 2)
      .option("  -t, --timeout S", "secondes de silence du GPS avant d'abandonner (30 par défaut ; 0.5 par exemple, "
                                   "toujours avec un point)", kColonne + 2)
      .option("      --max N", "nombre de lectures gardées au plus (10000 par défaut)", kColonne + 2)
      .option("  -q, --silencieux", "n'affiche que les erreurs", kColonne + 2)
      .option("      --brut FICHIER", std::string("enregistre aussi chaque octet reçu avec son heure d'arrivée, pour ") +
                                          (systeme.simulateur ? "le rejouer (zor-sim rejouer FICHIER) ou " : "") +
                                          "le joindre à un rapport de bogue ; pas le même fichier que SORTIE",
              kColonne + 2)
      .option("  -h, --help", "affiche cette aide", kColonne + 2)
      .texte("La réception s'arrête en quelques secondes sur ce qui ne peut pas être une liste de waypoints : des "
             "octets qui ne sont pas du texte (plus d'un sur quatre, sur 128 au moins : mauvaise vitesse), deux "
             "phrases de position ($GPRMC, $GPGGA... : GPS réglé pour envoyer sa position), 1024 octets sans fin de "
             "ligne, ou une liste revenue sans son deuxième enregistrement (un octet abîmé en route).")
      .texte(systeme.tubesEtLiens
                 ? "Un tube (mkfifo) en SORTIE ou en --brut attend son lecteur au plus --timeout. Une SORTIE qu'un autre "
                   "programme de ZOR écrit, ou en lecture seule, est refusée ; dans un dossier où d'autres peuvent "
                   "écrire (/tmp), un lien symbolique qu'un autre utilisateur y a mis n'est pas suivi."
                 : "Une SORTIE qu'un autre programme de ZOR écrit, ou en lecture seule, est refusée.")
      .texte("Code de sortie : 0 si la réception s'est achevée et que SORTIE a été écrite ; 2 sinon ; " +
             std::string(systeme.codesArret) + " après " + std::string(systeme.arrets) + ".")
      .str();
}

constexpr Option kOptionsUpload[] = {{"port", 'p'},  {"lf", 0, false},          {"strict", 0, false},
                                     {"silencieux", 'q', false}, {"help", 'h', false}};
constexpr Option kOptionsDownload[] = {{"port", 'p'},   {"output", 'o'}, {"timeout", 't'},
                                       {"max", 0},      {"brut", 0},     {"silencieux", 'q', false},
                                       {"help", 'h', false}};

int usage(const std::string& aide, const std::string& erreur) {
  dire("zor-cli : " + erreur);
  dire(aide);
  return 2;
}

// "--port 2" goes through the same mapping as the window's Comm2; anything else is a device.
std::optional<std::string> choisirPort(const std::string& valeur, serie::ChoixPort& choix) {
  std::string erreur;
  choix = serie::choixDeLOption(valeur, erreur);
  if (erreur.empty()) return std::nullopt;
  return erreur;
}

// Two names of one file: the same file (a device such as /dev/null takes anything), or the same
// place for one not made yet.
bool memeDestination(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec, ec2;
  if (std::filesystem::equivalent(a, b, ec) && !ec) return !std::filesystem::is_character_file(a, ec);
  const auto x = std::filesystem::weakly_canonical(a, ec), y = std::filesystem::weakly_canonical(b, ec2);
  return !ec && !ec2 && x == y;
}

// 0, or 128 + the signal that stopped the transfer.
int codeSortie(bool echec) {
  if (const int signal = platform::interruptionRecue(); signal != 0) return 128 + signal;
  return echec ? 2 : 0;
}

bool interrompu() { return platform::interruptionRecue() != 0; }

}  // namespace

int commandeUpload(const Arguments& arguments) {
  const Ligne ligne = analyser(arguments, kOptionsUpload);
  if (ligne.erreur) return usage(aideUpload(), *ligne.erreur);
  if (ligne.a("help")) {
    ecrireSortie(aideUpload());
    return 0;
  }
  if (!ligne.a("port")) return usage(aideUpload(), "il manque --port.");
  if (ligne.noms.size() != 1) return usage(aideUpload(), "il faut un et un seul fichier à envoyer.");

  serie::MSComm port;
  serie::Envoi envoi;
  if (auto erreur = choisirPort(*ligne.valeur("port"), envoi.port)) return usage(aideUpload(), *erreur);
  const std::string& fichier = ligne.noms.front();
  envoi.fichier = {platform::cheminDepuisUtf8(fichier), fichier == "-" ? "(entrée standard)" : fichier};
  // The line ends decide what a sentence is: read them as they are (Windows would turn CR LF
  // into LF on a text stream, and every sentence would run into the next).
  if (fichier == "-") platform::fluxBinaire(stdin);
  envoi.interrompu = interrompu;
  envoi.finDeLigne = conversion::finDeLigneSelonOption(ligne.a("lf"));
  platform::intercepterInterruptions();
  // A reader of the progress that goes away ("zor-cli upload … 2>&1 | head -1") must not stop
  // the sentences half way: the progress is then written to nobody.
  platform::ignorerTubeCoupe();

  // On a terminal: how many have left of how many, and the time left at the pace so far (a
  // sentence and its pause take about 0.7 s at 4800 baud).
  Progression progression(ligne.a("silencieux"));
  std::optional<int> total;
  const bool lf = envoi.finDeLigne == conversion::FinDeLigne::CrOuLf;
  envoi.strict = ligne.a("strict");
  auto nommer = [](const serie::Envoi::Douteuse& d) {
    return "ligne " + std::to_string(d.ligne) + " : " + d.raison + " : " + lisible(d.texte);
  };
  envoi.annonce = [&](const serie::Envoi::Apercu& a) {
    total = a.phrases;
    if (a.seulementLF && !lf) progression.dire(conversion::avertissementSeulementLF(envoi.fichier.nom));
    if (a.nombreDouteuses == 0) return;
    // With --strict the refusal says it once everything is listed.
    std::string texte = envoi.strict ? std::string() : "Attention : " + envoi.fichier.nom + " a " +
        std::to_string(a.nombreDouteuses) + " ligne(s) « $ » qui ne sont pas des phrases $GPWPL à la bonne somme de "
        "contrôle ; elles partent quand même (--strict les refuse) :\n";
    for (const auto& d : a.douteuses) texte += "  " + nommer(d) + "\n";
    if (a.nombreDouteuses > static_cast<int>(a.douteuses.size()))
      texte += "  et " + std::to_string(a.nombreDouteuses - static_cast<int>(a.douteuses.size())) + " autre(s)\n";
    texte.pop_back();
    progression.dire(texte);
  };
  envoi.douteuse = [&](const serie::Envoi::Douteuse& d) {
    progression.dire((envoi.strict ? "" : "Attention, elle part quand même : ") + nommer(d));
  };
  const auto debut = std::chrono::steady_clock::now();
  int numero = 0;
  const serie::Suivi suivi{[&](std::string_view phrase) {
                             if (phrase.empty()) return;
                             ++numero;
                             std::string enPlace = std::to_string(numero) + (total ? "/" + std::to_string(*total) : "") +
                                                   (numero < 2 && !total ? " phrase envoyée" : " phrases");
                             if (total && *total > numero) {
                               const auto ecoule = std::chrono::steady_clock::now() - debut;
                               const auto parPhrase = std::max<std::chrono::steady_clock::duration>(
                                   ecoule / numero, std::chrono::milliseconds(600));
                               const auto reste = std::chrono::duration_cast<std::chrono::seconds>(
                                   parPhrase * (*total - numero) + std::chrono::milliseconds(999));
                               enPlace += " — " + dureeEnFrancais(reste) + (reste.count() < 2 ? " restante" : " restantes");
                             }
                             progression.etape(std::to_string(numero) + " : " + lisible(phrase.substr(0, phrase.size() - 2)),
                                               enPlace);
                           },
                           [](int) {}};
  const auto bilan = serie::televerser(port, horlogeReelle(), envoi, suivi);
  // From the standard input the line ends are only known once it has been read; a file refused
  // for a line too long (its LF line ends make one line of it) was not announced either.
  if (bilan.seulementLF && !lf && !total) progression.dire(conversion::avertissementSeulementLF(envoi.fichier.nom));
  const std::string resume = serie::resumer(bilan, envoi, [&envoi](const Erreur& e) {
    return serie::decrireEchec(e, serie::portsPresents, envoi.port);
  });
  if (bilan.erreur) progression.dire(resume);
  else progression.resumer(resume);
  return codeSortie(bilan.erreur.has_value());
}

int commandeDownload(const Arguments& arguments) {
  const Ligne ligne = analyser(arguments, kOptionsDownload);
  if (ligne.erreur) return usage(aideDownload(), *ligne.erreur);
  if (ligne.a("help")) {
    ecrireSortie(aideDownload());
    return 0;
  }
  if (!ligne.a("port")) return usage(aideDownload(), "il manque --port.");
  if (!ligne.noms.empty()) return usage(aideDownload(), "argument inattendu « " + ligne.noms.front() + " ».");

  serie::MSComm port;
  serie::Telechargement demande;
  if (auto erreur = choisirPort(*ligne.valeur("port"), demande.reception.port))
    return usage(aideDownload(), *erreur);
  if (const auto t = ligne.valeur("timeout")) {
    const auto attente = attenteEnSecondes(*t);
    if (!attente) return usage(aideDownload(), std::string(kRefusAttente));
    demande.reception.silenceMax = *attente;
  }
  if (const auto m = ligne.valeur("max")) {
    const auto n = nombreEntier(*m);
    if (!n || *n < 1 || *n > 1000000) return usage(aideDownload(), "--max demande un nombre de lectures entre 1 et 1000000.");
    demande.reception.lecturesMax = static_cast<int>(*n);
  }
  const std::string sortie = ligne.valeur("output").value_or("-");
  demande.sortieStandard = sortie == "-";
  demande.fichier = {platform::cheminDepuisUtf8(sortie), sortie};
  // The recording and the records in one file would each spoil the other.
  if (const auto brut = ligne.valeur("brut");
      brut && !demande.sortieStandard && memeDestination(demande.fichier.chemin, platform::cheminDepuisUtf8(*brut)))
    return usage(aideDownload(), "-o et --brut nomment le même fichier (" + nomLisible(*brut) +
                                     ") : l'enregistrement et les waypoints reçus s'y mêleraient.");
  demande.reception.interrompu = interrompu;
  if (demande.sortieStandard) platform::fluxBinaire(stdout);
  // A reader of the output or of the recording that goes away (a pipe, a FIFO) is a write error
  // told in French, with what came rescued, not the end of the process.
  platform::ignorerTubeCoupe();

  platform::intercepterInterruptions();
  // The recording notes every byte as the port takes it in, with its time since the start. It
  // is emptied and written where it is; a FIFO waits for its reader no longer than the
  // receiver's silence.
  platform::Ecriture brut;
  int erreurBrut = 0;
  if (const auto chemin = ligne.valeur("brut")) {
    platform::ReglesEcriture regles;
    regles.maniere = platform::ReglesEcriture::Maniere::SurPlace;
    regles.attenteTube = demande.reception.silenceMax;
    if (auto refus = brut.ouvrir(platform::cheminDepuisUtf8(*chemin), regles)) {
      refus->fichier = *chemin;
      dire(decrire(*refus));
      return codeSortie(true);
    }
    // The reason of the first write that fails (a full disk, a file too large) is the one told.
    auto ecrireBrut = [f = brut.flux(), &erreurBrut](const std::string& texte) {
      errno = 0;
      if ((std::fwrite(texte.data(), 1, texte.size(), f) != texte.size() || std::fflush(f) != 0) && erreurBrut == 0)
        erreurBrut = errno != 0 ? errno : EIO;
    };
    ecrireBrut(std::string(serie::kEnteteBrut) + "\n# octets reçus du GPS par zor-cli download, heure en millisecondes\n");
    demande.reception.pausesALEcoute = true;
    const auto debut = std::chrono::steady_clock::now();
    port.observerReception([debut, ecrireBrut](std::string_view octets) {
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
      ecrireBrut(serie::ligneBrute({ms, std::string(octets)}) + "\n");
    });
  }

  // On a terminal: how many records have come, and for how long.
  Progression progression(ligne.a("silencieux"));
  const auto debut = std::chrono::steady_clock::now();
  int passe = 0;
  const serie::Suivi suivi{
      [&](std::string_view enregistrement) { ++passe, progression.etape(std::to_string(passe) + " : " + lisible(enregistrement), ""); },
      [&](int stockes) {
        if (progression.mode() != Progression::Mode::EnPlace) return;
        const auto ecoule = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - debut);
        progression.etape("", std::to_string(stockes) + (stockes < 2 ? " enregistrement reçu" : " enregistrements reçus") +
                                  " — " + dureeEnFrancais(ecoule));
      }};
  const auto bilan = serie::telecharger(port, horlogeReelle(), demande, suivi);
  if (const std::string resume =
          serie::resumer(bilan, demande, [&demande](const Erreur& e) {
            return serie::decrireEchec(e, serie::portsPresents, demande.reception.port);
          });
      !resume.empty()) progression.dire(resume);
  if (bilan.ecrit)
    progression.resumer(std::to_string(bilan.stockes) + " enregistrement(s) reçu(s) écrits " +
                        (demande.sortieStandard ? std::string("sur la sortie standard.") : "dans " + sortie + "."));
  bool echec = bilan.erreur || bilan.erreurFichier || !bilan.ecrit;
  if (brut.flux() != nullptr && erreurBrut == 0) erreurBrut = brut.terminer(false);
  if (erreurBrut != 0) {
    progression.dire(decrire(erreurFichier(Erreur::Genre::FichierNonEcrit, *ligne.valeur("brut"), erreurBrut)));
    echec = true;
  }
  return codeSortie(echec);
}

}  // namespace zor::cli
