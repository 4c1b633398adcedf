// zor-cli ports: the serial ports of this machine and the device behind Comm1 to Comm4.
#include <cerrno>
#include <filesystem>
#include <string>

#include "cli/commandes.h"
#include "commande/aide.h"
#include "commande/options.h"
#include "commande/sortie_texte.h"
#include "core/erreur.h"
#include "platform/peripherique_serie.h"
#include "serial/conseils_port.h"
#include "serial/peripherique.h"

namespace zor::cli {
namespace {

// Windows names its ports itself; elsewhere the device behind CommN has a source.
std::string aidePorts() {
  commande::Aide aide;
  aide.texte("Usage : zor-cli ports").blanc();
  if (platform::portsNommesParLeSysteme())
    aide.texte("Liste les ports série de cet ordinateur sous les noms que leur donne le Gestionnaire de périphériques "
               "(« Prolific USB-to-Serial Comm Port (COM5) »), avec leur numéro COM, et dit ce qui empêche un "
               "adaptateur de fonctionner quand son pilote a un problème ; puis le port de Comm1 à Comm4 (et de "
               "--port 1 à 4) : COM1 à COM4. Un autre port se donne par son nom (--port COM5).");
  else
    aide.texte("Liste les ports série de cet ordinateur, puis le périphérique de Comm1 à Comm4 (et de --port 1 à 4) "
               "avec sa source : variable d'environnement ZOR_COMMn, fichier zor.conf, port détecté (adaptateurs USB "
               "d'abord) ou, à défaut, /dev/ttyS0 à /dev/ttyS3. Chaque port présent vient avec ses noms de "
               "/dev/serial/by-id et, si vous ne pouvez pas l'ouvrir, pourquoi ; un périphérique qui n'existe pas est "
               "dit absent.");
  aide.texte("Les caractères de contrôle des noms et des descriptions s'écrivent \\xHH.");
  return aide.option("  -h, --help", "affiche cette aide", 14);
}

constexpr Option kOptionsPorts[] = {{"help", 'h', false}};

}  // namespace

int commandePorts(const Arguments& arguments) {
  const Ligne ligne = analyser(arguments, kOptionsPorts);
  if (ligne.erreur || !ligne.noms.empty()) {
    dire("zor-cli : " + (ligne.erreur ? *ligne.erreur : "argument inattendu « " + ligne.noms.front() + " »."));
    dire(aidePorts());
    return 2;
  }
  if (ligne.a("help")) {
    ecrireSortie(aidePorts());
    return 0;
  }
  const std::vector<serie::PortSerie> presents = serie::portsPresents();
  const serie::DetectionPorts memes = [&presents] { return presents; };
  // Each port with its other names and whether this user may open it.
  std::string texte = serie::listePorts(presents, [](const serie::PortSerie& p) {
    std::string lignes;
    for (const std::string& nom : platform::nomsParIdentifiant(p.peripherique)) lignes += "    aussi " + nomLisible(nom) + "\n";
    if (const int numero = platform::accesPeripherique(p.peripherique); numero != 0)
      lignes += "    vous ne pouvez pas l'ouvrir : " + raisonSysteme(numero) +
                (numero == EACCES ? " (êtes-vous membre du groupe dialout ?)" : "") + "\n";
    return lignes;
  }) + "\n";
  texte += "\n";
  for (int n = 1; n <= 4; ++n) {
    const serie::Correspondance c = serie::correspondance(n, memes);
    const bool absent = !c.peripherique.empty() && platform::accesPeripherique(c.peripherique) == ENOENT;
    texte += "Comm" + std::to_string(n) + " : " + (c.peripherique.empty() ? std::string("?") : nomLisible(c.peripherique)) +
             " (" + nomLisible(serie::origineEnFrancais(c, n)) + (absent ? ", absent" : "") + ")\n";
  }
  if (const std::filesystem::path conf = platform::fichierConfiguration(); !conf.empty()) {
    std::error_code ec;
    texte += "\nFichier de configuration : " + nomLisible(conf.string()) +
             (std::filesystem::exists(conf, ec) ? "" : " (absent)") + "\n";
  }
  ecrireSortie(texte);
  return 0;
}

}  // namespace zor::cli
