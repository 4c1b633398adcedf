// zor-cli: the window's conversion and transfers without the window, for scripts and tests.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commandes.h"
#include "commande/aide.h"
#include "commande/sortie_texte.h"
#include "platform/fichiers_standard.h"
#include "platform/ligne_de_commande.h"

namespace {

std::string aide() {
  constexpr std::size_t kColonne = 12;
  return zor::commande::Aide()
      .texte("Usage : zor-cli COMMANDE [OPTIONS]")
      .blanc()
      .texte("Commandes :")
      .option("  convert", "convertit un fichier de waypoints en phrases $GPWPL (comme « Rechercher Fichier »)", kColonne)
      .option("  upload", "envoie un fichier converti au GPS (comme « Ecrire dans GPS »)", kColonne)
      .option("  download", "reçoit les waypoints du GPS (comme « Lire du GPS »)", kColonne)
      .option("  ports", "liste les ports série et le périphérique de Comm1 à Comm4", kColonne)
      .blanc()
      .texte("« zor-cli COMMANDE --help » décrit les options de chaque commande.")
      .texte("« zor-cli --version » donne la version.")
      .str();
}

}  // namespace

int main(int argc, char** argv) {
  // UTF-8 from here on, on every system: Windows gives its command line in UTF-16.
  const std::vector<std::string> args = zor::platform::argumentsUtf8(argc, argv);
  if (args.size() >= 2 && args[1] == "--version") {
    std::puts("zor-cli " ZOR_VERSION);
    return 0;
  }
  zor::platform::ignorerLimiteTailleFichier();
  if (args.size() < 2) {
    zor::cli::dire(aide());
    return 2;
  }
  if (args[1] == "--help" || args[1] == "-h") {
    zor::cli::ecrireSortie(aide());
    return 0;
  }
  const std::string& commande = args[1];
  const zor::cli::Arguments arguments(args.begin() + 2, args.end());
  if (commande == "convert") return zor::cli::commandeConvert(arguments);
  if (commande == "upload") return zor::cli::commandeUpload(arguments);
  if (commande == "download") return zor::cli::commandeDownload(arguments);
  if (commande == "ports") return zor::cli::commandePorts(arguments);
  zor::cli::dire("zor-cli : commande inconnue « " + commande + " ».\n");
  zor::cli::dire(aide());
  return 2;
}
