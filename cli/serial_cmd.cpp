// zor-cli upload / download: the window's transfers, on a port given by number or by device.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commandes.h"
#include "cli/options.h"
#include "cli/sortie_texte.h"
#include "core/erreur.h"
#include "platform/fichiers.h"
#include "platform/fichiers_standard.h"
#include "core/horloge.h"
#include "platform/interruption.h"
#include "serial/brut.h"
#include "serial/envoi.h"
#include "serial/mscomm.h"
#include "serial/peripherique.h"
#include "serial/telechargement.h"

namespace zor::cli {
namespace {

const char kAideUpload[] =
    "Usage : zor-cli upload --port N|PERIPHERIQUE FICHIER\n"
    "\n"
    "Envoie au GPS chaque ligne de FICHIER (« - » : l'entrée standard) qui commence par « $ »,\n"
    "suivie de CR LF, avec une pause de 600 ms après chacune (4800 bauds, 8 bits, sans parité,\n"
    "2 bits de stop).\n"
    "  -p, --port N             port de communication 1 à 4 (comme Comm1 à Comm4 dans la fenêtre ;\n"
    "                           « zor-cli ports » montre le périphérique de chacun)\n"
    "  -p, --port PERIPHERIQUE  le périphérique lui-même, par exemple /dev/ttyUSB0 ou COM5\n"
    "  -h, --help               affiche cette aide\n"
    "Les options s'écrivent aussi --option=valeur. La progression s'affiche sur la sortie d'erreur.\n"
    "Code de sortie : 0 si tout est parti, 2 sinon, 130 ou 143 après Ctrl+C ou SIGTERM.\n";

const char kAideDownload[] =
    "Usage : zor-cli download --port N|PERIPHERIQUE [-o SORTIE] [--timeout S] [--max N] [--brut FICHIER]\n"
    "\n"
    "Reçoit les waypoints que le GPS envoie, jusqu'au retour du deuxième enregistrement, puis\n"
    "lui envoie le caractère 26. Les enregistrements reçus, suivis de CR LF, vont dans SORTIE\n"
    "(la sortie standard par défaut, ou avec « - »).\n"
    "  -p, --port N|PERIPHERIQUE  comme pour upload\n"
    "  -o, --output SORTIE        fichier à écrire, remplacé seulement à la fin : si la réception échoue\n"
    "                             avant d'avoir rien reçu, ou si elle est interrompue, il garde son contenu\n"
    "  -t, --timeout S            secondes de silence du GPS avant d'abandonner (30 par défaut ; 0.5 par\n"
    "                             exemple, toujours avec un point)\n"
    "      --max N                nombre de lectures gardées au plus (10000 par défaut)\n"
    "      --brut FICHIER         enregistre aussi chaque octet reçu avec son heure d'arrivée, pour le\n"
    "                             rejouer (zor-sim rejouer FICHIER) ou le joindre à un rapport de bogue\n"
    "  -h, --help                 affiche cette aide\n"
    "Code de sortie : 0 si au moins un enregistrement a été reçu et écrit ; 2 en cas d'échec, de silence\n"
    "ou si rien n'a été reçu (ce qui a été reçu est écrit quand même) ; 130 ou 143 après Ctrl+C ou SIGTERM.\n";

constexpr Option kOptionsUpload[] = {{"port", 'p'}, {"help", 'h', false}};
constexpr Option kOptionsDownload[] = {{"port", 'p'},   {"output", 'o'}, {"timeout", 't'},
                                       {"max", 0},      {"brut", 0},     {"help", 'h', false}};

int usage(const char* aide, const std::string& erreur) {
  dire("zor-cli : " + erreur);
  dire(aide);
  return 2;
}

// "--port 2" goes through the same mapping as the window's Comm2; anything else is a device.
std::optional<std::string> choisirPort(serie::MSComm& port, const std::string& valeur, std::optional<int>& numero) {
  if (valeur.empty()) return "--port demande un numéro de 1 à 4 ou un périphérique.";
  if (!valeur.empty() && valeur.find_first_not_of("0123456789") == std::string::npos) {
    const auto n = nombreEntier(valeur);
    if (!n || *n < 1 || *n > 4) return "le numéro de port va de 1 à 4 (reçu « " + valeur + " »).";
    numero = static_cast<int>(*n);
    return std::nullopt;
  }
  port.definirPeripherique(valeur);
  return std::nullopt;
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
  if (ligne.erreur) return usage(kAideUpload, *ligne.erreur);
  if (ligne.a("help")) {
    ecrireSortie(kAideUpload);
    return 0;
  }
  if (!ligne.a("port")) return usage(kAideUpload, "il manque --port.");
  if (ligne.noms.size() != 1) return usage(kAideUpload, "il faut un et un seul fichier à envoyer.");

  serie::MSComm port;
  serie::Envoi envoi;
  if (auto erreur = choisirPort(port, *ligne.valeur("port"), envoi.numeroPort)) return usage(kAideUpload, *erreur);
  const std::string& fichier = ligne.noms.front();
  envoi.fichier = {fichier, fichier == "-" ? "(entrée standard)" : fichier};
  // The line ends decide what a sentence is: read them as they are (Windows would turn CR LF
  // into LF on a text stream, and every sentence would run into the next).
  if (fichier == "-") platform::fluxBinaire(stdin);
  envoi.interrompu = interrompu;
  platform::intercepterInterruptions();

  int numero = 0;
  const serie::Suivi suivi{[&](std::string_view phrase) {
                             if (!phrase.empty())
                               dire(std::to_string(++numero) + " : " + lisible(phrase.substr(0, phrase.size() - 2)));
                           },
                           [](int) {}};
  const auto bilan = serie::televerser(port, horlogeReelle(), envoi, suivi);
  if (bilan.erreur) dire(serie::decrireEchec(*bilan.erreur, serie::portsPresents));
  dire(std::to_string(bilan.envoyees) + " phrase(s) envoyée(s).");
  return codeSortie(bilan.erreur.has_value());
}

int commandeDownload(const Arguments& arguments) {
  const Ligne ligne = analyser(arguments, kOptionsDownload);
  if (ligne.erreur) return usage(kAideDownload, *ligne.erreur);
  if (ligne.a("help")) {
    ecrireSortie(kAideDownload);
    return 0;
  }
  if (!ligne.a("port")) return usage(kAideDownload, "il manque --port.");
  if (!ligne.noms.empty()) return usage(kAideDownload, "argument inattendu « " + ligne.noms.front() + " ».");

  serie::MSComm port;
  serie::Telechargement demande;
  if (auto erreur = choisirPort(port, *ligne.valeur("port"), demande.reception.numeroPort))
    return usage(kAideDownload, *erreur);
  if (const auto t = ligne.valeur("timeout")) {
    const auto secondes = nombreDecimal(*t);
    if (!secondes || !(*secondes >= 0.001 && *secondes <= 86400))
      return usage(kAideDownload, "--timeout demande un nombre de secondes entre 0.001 et 86400.");
    demande.reception.silenceMax = std::chrono::milliseconds(static_cast<long long>(*secondes * 1000 + 0.5));
  }
  if (const auto m = ligne.valeur("max")) {
    const auto n = nombreEntier(*m);
    if (!n || *n < 1 || *n > 1000000) return usage(kAideDownload, "--max demande un nombre de lectures entre 1 et 1000000.");
    demande.reception.lecturesMax = static_cast<int>(*n);
  }
  const std::string sortie = ligne.valeur("output").value_or("-");
  demande.sortieStandard = sortie == "-";
  demande.fichier = {sortie, sortie};
  demande.vidage = serie::FichierReception::Vidage::ALaFin;
  demande.reception.interrompu = interrompu;
  if (demande.sortieStandard) {
    platform::fluxBinaire(stdout);
    platform::ignorerTubeCoupe();
  }

  // The recording notes every byte as the port takes it in, with its time since the start.
  std::unique_ptr<std::ofstream> brut;
  int erreurBrut = 0;
  if (const auto chemin = ligne.valeur("brut")) {
    errno = 0;
    brut = std::make_unique<std::ofstream>(*chemin, std::ios::binary | std::ios::trunc);
    if (!brut->is_open()) {
      dire(decrire(erreurFichier(Erreur::Genre::FichierNonCreable, *chemin, errno)));
      return 2;
    }
    // The reason of the first write that fails (a full disk, a file too large) is the one told.
    auto noterEchecBrut = [&brut, &erreurBrut] {
      if (!brut->good() && erreurBrut == 0) erreurBrut = errno != 0 ? errno : EIO;
    };
    errno = 0;
    *brut << serie::kEnteteBrut << "\n# octets reçus du GPS par zor-cli download, heure en millisecondes\n";
    brut->flush();
    noterEchecBrut();
    demande.reception.pausesALEcoute = true;
    const auto debut = std::chrono::steady_clock::now();
    port.observerReception([&brut, debut, noterEchecBrut](std::string_view octets) {
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
      errno = 0;
      *brut << serie::ligneBrute({ms, std::string(octets)}) << "\n";
      brut->flush();
      noterEchecBrut();
    });
  }
  platform::intercepterInterruptions();

  int passe = 0;
  const serie::Suivi suivi{
      [&](std::string_view enregistrement) { dire(std::to_string(++passe) + " : " + lisible(enregistrement)); },
      [](int) {}};
  const auto bilan = serie::telecharger(port, horlogeReelle(), demande, suivi);
  if (const std::string resume =
          serie::resumer(bilan, demande, [](const Erreur& e) { return serie::decrireEchec(e, serie::portsPresents); });
      !resume.empty()) dire(resume);
  dire(std::to_string(bilan.stockes) + " enregistrement(s) reçu(s).");
  bool echec = bilan.erreur || bilan.erreurFichier || bilan.stockes == 0;
  if (brut && !brut->good()) {
    dire(decrire(erreurFichier(Erreur::Genre::FichierNonEcrit, *ligne.valeur("brut"), erreurBrut != 0 ? erreurBrut : EIO)));
    echec = true;
  }
  return codeSortie(echec);
}

}  // namespace zor::cli
