#include "convert/erreur.h"

#include <cerrno>
#include <cstring>

namespace zor::conversion {

std::string raisonSysteme(int numero) {
  switch (numero) {
    case ENOENT: return "fichier introuvable";
    case EACCES:
    case EPERM: return "accès refusé";
    case EISDIR: return "c'est un dossier, pas un fichier";
    case ENOSPC: return "plus de place sur le disque";
    case EROFS: return "support en lecture seule";
    case ENOTDIR: return "chemin invalide";
    case EIO: return "erreur d'entrée-sortie";
    case 0: return "erreur inconnue";
    default: break;
  }
  return std::strerror(numero);
}

}  // namespace zor::conversion
