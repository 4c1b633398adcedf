// zor-sim: a receiver on a pseudo-terminal, to try ZOR and to test it without a GPS.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "sim/modes.h"
#include "sim/terminal.h"

namespace {

const char kAide[] =
    "Usage : zor-sim recevoir [OPTIONS]\n"
    "        zor-sim envoyer FICHIER [OPTIONS]\n"
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
    "  --debit BAUDS     cadence d'envoi (4800 par défaut ; 0 : aussi vite que le programme lit)\n"
    "  --attente MS      délai après l'ouverture du port avant d'envoyer (300 par défaut)\n"
    "  --eof             envoie le caractère 26 après le dernier cycle (ZOR se termine alors)\n"
    "  --immediat        envoie sans attendre que le programme ouvre le port\n"
    "Communes :\n"
    "  --port N          numéro à utiliser dans ZOR_COMMN= (1 par défaut)\n"
    "  --lien CHEMIN     crée aussi un lien symbolique CHEMIN vers le périphérique\n"
    "zor-sim --version donne la version.\n";

std::string lienCree;

void finir(int) {
  if (!lienCree.empty()) ::unlink(lienCree.c_str());
  ::_exit(0);
}

int erreur(const std::string& texte) {
  std::fprintf(stderr, "zor-sim : %s\n\n%s", texte.c_str(), kAide);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (argc < 2) return erreur("il manque le mode (recevoir ou envoyer).");
  const std::string mode = argv[1];
  if (mode == "--version") {
    std::puts("zor-sim " ZOR_VERSION);
    return 0;
  }
  if (mode == "--help" || mode == "-h") {
    std::fputs(kAide, stdout);
    return 0;
  }
  if (mode != "recevoir" && mode != "envoyer") return erreur("mode inconnu « " + mode + " ».");

  zor::sim::OptionsReception reception;
  zor::sim::OptionsEmission emission;
  std::string fichier, lien;
  int numero = 1;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    auto valeur = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error(a + " demande une valeur.");
      return argv[++i];
    };
    try {
      if (a == "--tsv") reception.tsv = true;
      else if (a == "--cycles") emission.cycles = std::stoi(valeur());
      else if (a == "--bruit") emission.bruit = valeur();
      else if (a == "--debit") emission.bauds = std::stoi(valeur());
      else if (a == "--attente") emission.attenteMs = std::stoi(valeur());
      else if (a == "--eof") emission.eof = true;
      else if (a == "--immediat") emission.immediat = true;
      else if (a == "--port") numero = std::stoi(valeur());
      else if (a == "--lien") lien = valeur();
      else if (mode == "envoyer" && fichier.empty() && a[0] != '-') fichier = a;
      else return erreur("option inconnue « " + a + " ».");
    } catch (const std::invalid_argument&) {
      return erreur("l'option " + a + " demande un nombre entier.");
    } catch (const std::out_of_range&) {
      return erreur("l'option " + a + " : nombre trop grand.");
    } catch (const std::exception& e) {
      return erreur(std::string("option ") + a + " : " + e.what());
    }
  }
  if (mode == "envoyer") {
    if (fichier.empty()) return erreur("il manque le fichier des enregistrements.");
    if (std::error_code ec; std::filesystem::is_directory(fichier, ec))
      return erreur("« " + fichier + " » est un dossier, pas un fichier d'enregistrements.");
    std::ifstream f(fichier, std::ios::binary);
    if (!f) return erreur("impossible de lire « " + fichier + " » : " + std::strerror(errno));
    for (std::string ligne; std::getline(f, ligne);) {
      if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
      emission.enregistrements.push_back(ligne);
    }
    if (emission.enregistrements.empty()) return erreur("« " + fichier + " » ne contient aucun enregistrement.");
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
        return erreur("impossible de créer le lien « " + lien + " » : " + std::strerror(errno));
      lienCree = lien;
      std::printf("lien : %s -> %s\n", lien.c_str(), terminal.peripherique().c_str());
    }
    ::signal(SIGINT, finir);
    ::signal(SIGTERM, finir);
    ::signal(SIGHUP, finir);
    std::printf("GPS simulé prêt (%s). Ctrl+C pour arrêter.\n",
                mode == "recevoir" ? "réception des phrases" : "envoi des waypoints");
    return mode == "recevoir" ? zor::sim::recevoir(terminal, reception) : zor::sim::emettre(terminal, emission);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zor-sim : %s\n", e.what());
    return 2;
  }
}
