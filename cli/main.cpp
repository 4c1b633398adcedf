// zor-cli: the window's conversion and transfers without the window, for scripts and tests.
#include <cstdio>
#include <cstring>

#include "cli/commandes.h"
#include "commande/sortie_texte.h"
#include "platform/fichiers_standard.h"

namespace {

const char kAide[] =
    "Usage : zor-cli COMMANDE [OPTIONS]\n"
    "\n"
    "Commandes :\n"
    "  convert   convertit un fichier de waypoints en phrases $GPWPL (comme « Rechercher Fichier »)\n"
    "  upload    envoie un fichier converti au GPS (comme « Ecrire dans GPS »)\n"
    "  download  reçoit les waypoints du GPS (comme « Lire du GPS »)\n"
    "  ports     liste les ports série et le périphérique de Comm1 à Comm4\n"
    "\n"
    "« zor-cli COMMANDE --help » décrit les options de chaque commande.\n"
    "« zor-cli --version » donne la version.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("zor-cli " ZOR_VERSION);
    return 0;
  }
  zor::platform::ignorerLimiteTailleFichier();
  if (argc < 2) {
    zor::cli::dire(kAide);
    return 2;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    zor::cli::ecrireSortie(kAide);
    return 0;
  }
  const std::string commande = argv[1];
  zor::cli::Arguments arguments(argv + 2, argv + argc);
  if (commande == "convert") return zor::cli::commandeConvert(arguments);
  if (commande == "upload") return zor::cli::commandeUpload(arguments);
  if (commande == "download") return zor::cli::commandeDownload(arguments);
  if (commande == "ports") return zor::cli::commandePorts(arguments);
  zor::cli::dire("zor-cli : commande inconnue « " + commande + " ».\n");
  zor::cli::dire(kAide);
  return 2;
}
