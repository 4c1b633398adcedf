// zor-sim: a receiver on a pseudo-terminal, to try ZOR and to test it without a GPS.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "commande/options.h"
#include "commande/sortie_texte.h"
#include "core/erreur.h"
#include "platform/fichiers.h"
#include "serial/brut.h"
#include "sim/modes.h"
#include "sim/terminal.h"

namespace {

using zor::commande::Option;

const char kAide[] =
    "Usage : zor-sim recevoir [OPTIONS]\n"
    "        zor-sim envoyer FICHIER [OPTIONS]\n"
    "        zor-sim rejouer ENREGISTREMENT [OPTIONS]\n"
    "\n"
    "Ouvre un pseudo-terminal qui joue le GPS, et écrit d'abord le périphérique à donner à ZOR\n"
    "sous la forme ZOR_COMM1=/dev/pts/N.\n"
    "\n"
    "recevoir : affiche chaque phrase reçue (« Ecrire dans GPS », zor-cli upload) avec son heure\n"
    "  d'arrivée, l'écart avec la précédente, sa fin de ligne, les réglages de la ligne et si sa\n"
    "  somme de contrôle est juste.\n"
    "  --tsv             une ligne à tabulations par événement, pour les scripts\n"
    "envoyer : dès que le programme ouvre le port, envoie les lignes de FICHIER comme enregistrements\n"
    "  (chacune suivie de CR LF), en cycles, jusqu'à recevoir le caractère 26 (« Lire du GPS »,\n"
    "  zor-cli download). Des enregistrements de 62 caractères remplissent chacun une lecture.\n"
    "  --cycles N        nombre de cycles (0, par défaut : jusqu'au caractère 26)\n"
    "  --bruit TEXTE     octets envoyés avant le premier enregistrement (perdus jusqu'au premier CR)\n"
    "  --debit BAUDS     cadence d'envoi (4800 par défaut, comme un vrai GPS ; 0 : aussi vite que le\n"
    "                    programme lit)\n"
    "  --attente MS      délai après l'ouverture du port avant d'envoyer (300 par défaut)\n"
    "  --eof             envoie le caractère 26 après le dernier cycle (ZOR se termine alors)\n"
    "  --immediat        envoie sans attendre que le programme ouvre le port\n"
    "rejouer : dès que le programme ouvre le port, renvoie un enregistrement fait avec\n"
    "  « zor-cli download --brut ENREGISTREMENT », chaque morceau à l'heure où il était arrivé (des\n"
    "  millisecondes entre 0 et 86400000, jamais avant la précédente).\n"
    "  --eof, --immediat comme pour envoyer\n"
    "Communes :\n"
    "  --port N          numéro à utiliser dans ZOR_COMMN= (1 par défaut)\n"
    "  --lien CHEMIN     crée aussi un lien symbolique CHEMIN vers le périphérique\n"
    "Les options s'écrivent aussi --option=valeur. zor-sim --version donne la version.\n";

constexpr Option kOptions[] = {{"tsv", 0, false},  {"cycles", 0},        {"bruit", 0},   {"debit", 0},
                               {"attente", 0},     {"eof", 0, false},    {"immediat", 0, false},
                               {"port", 0},        {"lien", 0},          {"help", 'h', false}};

std::string lienCree;

void finir(int) {
  if (!lienCree.empty()) ::unlink(lienCree.c_str());
  ::_exit(0);
}

int erreur(const std::string& texte) {
  zor::commande::dire("zor-sim : " + texte + "\n");
  zor::commande::dire(kAide);
  return 2;
}

// The whole file, or the French reason it could not be read. A receiver holds a few thousand
// records: a file beyond this bound (or one that never ends, a FIFO, a device) is none of its.
constexpr std::size_t kTailleMaxFichier = 64u << 20;

std::optional<std::string> lireFichier(const std::string& chemin, std::string& raison) {
  int numero = 0;
  auto contenu = zor::platform::lireFichierBorne(chemin, kTailleMaxFichier, &numero);
  if (!contenu) {
    raison = numero == EFBIG ? "il dépasse 64 Mo, bien plus que ce qu'un GPS envoie"
             : numero == EINVAL ? "ce n'est pas un fichier ordinaire"
                                : zor::raisonSysteme(numero != 0 ? numero : ENOENT);
  }
  return contenu;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (argc < 2) return erreur("il manque le mode (recevoir, envoyer ou rejouer).");
  const std::string mode = argv[1];
  if (mode == "--version") {
    std::puts("zor-sim " ZOR_VERSION);
    return 0;
  }
  if (mode == "--help" || mode == "-h") {
    zor::commande::ecrireSortie(kAide);
    return 0;
  }
  if (mode != "recevoir" && mode != "envoyer" && mode != "rejouer") return erreur("mode inconnu « " + mode + " ».");

  const std::vector<std::string> arguments(argv + 2, argv + argc);
  const zor::commande::Ligne ligne = zor::commande::analyser(arguments, kOptions);
  if (ligne.erreur) return erreur(*ligne.erreur);
  if (ligne.a("help")) {
    zor::commande::ecrireSortie(kAide);
    return 0;
  }
  auto entier = [&](const char* nom, int& cible, long long min, long long max) -> bool {
    const auto v = ligne.valeur(nom);
    if (!v) return true;
    const auto n = zor::commande::nombreEntier(*v);
    if (!n || *n < min || *n > max) return false;
    cible = static_cast<int>(*n);
    return true;
  };
  zor::sim::OptionsReception reception;
  zor::sim::OptionsEmission emission;
  int numero = 1;
  reception.tsv = ligne.a("tsv");
  emission.eof = ligne.a("eof");
  emission.immediat = ligne.a("immediat");
  emission.bruit = ligne.valeur("bruit").value_or("");
  if (mode == "rejouer") emission.attenteMs = 0;
  if (!entier("cycles", emission.cycles, 0, 1000000)) return erreur("--cycles demande un nombre entier positif.");
  if (!entier("debit", emission.bauds, 0, 4000000)) return erreur("--debit demande un nombre de bauds (0 : sans cadence).");
  if (!entier("attente", emission.attenteMs, 0, 3600000)) return erreur("--attente demande un nombre de millisecondes.");
  if (!entier("port", numero, 1, 99)) return erreur("--port demande un numéro de 1 à 99.");
  const std::string lien = ligne.valeur("lien").value_or("");

  if (mode == "recevoir" && !ligne.noms.empty()) return erreur("argument inattendu « " + ligne.noms.front() + " ».");
  if (mode != "recevoir") {
    if (ligne.noms.empty()) return erreur(mode == "envoyer" ? "il manque le fichier des enregistrements." : "il manque l'enregistrement à rejouer.");
    if (ligne.noms.size() > 1) return erreur("un seul fichier à la fois.");
    const std::string& fichier = ligne.noms.front();
    std::string raison;
    const auto contenu = lireFichier(fichier, raison);
    if (!contenu) return erreur("impossible de lire « " + fichier + " » : " + raison + ".");
    if (mode == "envoyer") {
      std::string_view reste = *contenu;
      while (!reste.empty()) {
        const auto fin = reste.find('\n');
        std::string l(reste.substr(0, fin));
        reste = fin == std::string_view::npos ? std::string_view{} : reste.substr(fin + 1);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        emission.enregistrements.push_back(l);
      }
      if (emission.enregistrements.empty()) return erreur("« " + fichier + " » ne contient aucun enregistrement.");
    } else {
      std::string pourquoi;
      auto arrivees = zor::serie::lireBrut(*contenu, &pourquoi);
      if (!arrivees)
        return erreur("« " + fichier + " » n'est pas un enregistrement de zor-cli download --brut (" + pourquoi + ").");
      if (arrivees->empty()) return erreur("« " + fichier + " » ne contient aucun octet.");
      emission.rejeu = std::move(*arrivees);
    }
  }

  try {
    zor::sim::Terminal terminal;
    std::printf("ZOR_COMM%d=%s\n", numero, terminal.peripherique().c_str());
    if (!lien.empty()) {
      // Only a link of ours may be replaced: never a file of the user's.
      std::error_code ec;
      const auto etat = std::filesystem::symlink_status(lien, ec);
      if (std::filesystem::is_symlink(etat)) {
        ::unlink(lien.c_str());
      } else if (std::filesystem::exists(etat)) {
        return erreur("« " + lien + " » existe déjà et n'est pas un lien : choisissez un autre nom.");
      }
      if (::symlink(terminal.peripherique().c_str(), lien.c_str()) != 0)
        return erreur("impossible de créer le lien « " + lien + " » : " + zor::raisonSysteme(errno) + ".");
      lienCree = lien;
      std::printf("lien : %s -> %s\n", lien.c_str(), terminal.peripherique().c_str());
    }
    ::signal(SIGINT, finir);
    ::signal(SIGTERM, finir);
    ::signal(SIGHUP, finir);
    std::printf("GPS simulé prêt (%s). Ctrl+C pour arrêter.\n",
                mode == "recevoir" ? "réception des phrases"
                : mode == "envoyer" ? "envoi des waypoints"
                                    : "rejeu d'un enregistrement");
    return mode == "recevoir" ? zor::sim::recevoir(terminal, reception) : zor::sim::emettre(terminal, emission);
  } catch (const zor::Echec& e) {
    zor::commande::dire("zor-sim : " + zor::decrire(e.erreur()));
    return 2;
  }
}
