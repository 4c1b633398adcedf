// The Windows error codes the serial port and the files run into, in French. The numbers are
// the system's own (winerror.h), written out so that this table builds and is tested on every
// system; FormatMessage would answer in the system's language, English on most machines.
#include <charconv>

#include "core/erreur.h"

namespace zor {

std::string raisonWindows(unsigned long code) {
  switch (code) {
    case 1: return "fonction incorrecte pour ce périphérique";            // ERROR_INVALID_FUNCTION
    case 2: return "le système ne trouve pas ce fichier ou ce port";     // ERROR_FILE_NOT_FOUND
    case 3: return "le système ne trouve pas ce chemin";                 // ERROR_PATH_NOT_FOUND
    case 4: return "trop de fichiers ouverts";                           // ERROR_TOO_MANY_OPEN_FILES
    case 5: return "accès refusé";                                       // ERROR_ACCESS_DENIED
    case 6: return "descripteur invalide";                               // ERROR_INVALID_HANDLE
    case 8:                                                              // ERROR_NOT_ENOUGH_MEMORY
    case 14: return "mémoire insuffisante";                              // ERROR_OUTOFMEMORY
    case 20: return "le système ne trouve pas ce périphérique";          // ERROR_BAD_UNIT
    case 21: return "le périphérique n'est pas prêt";                    // ERROR_NOT_READY
    case 22: return "le périphérique ne reconnaît pas la commande";      // ERROR_BAD_COMMAND
    case 23: return "erreur de données";                                 // ERROR_CRC
    case 29: return "erreur d'écriture sur le périphérique";             // ERROR_WRITE_FAULT
    case 30: return "erreur de lecture sur le périphérique";             // ERROR_READ_FAULT
    case 31: return "un périphérique attaché au système ne fonctionne pas";  // ERROR_GEN_FAILURE
    case 32: return "le fichier ou le port est utilisé par un autre programme";  // ERROR_SHARING_VIOLATION
    case 39:                                                             // ERROR_HANDLE_DISK_FULL
    case 112: return "plus de place sur le disque";                      // ERROR_DISK_FULL
    case 50: return "opération non prise en charge";                     // ERROR_NOT_SUPPORTED
    case 55: return "ce périphérique n'existe plus";                     // ERROR_DEV_NOT_EXIST
    case 80: return "le fichier existe déjà";                            // ERROR_FILE_EXISTS
    case 87: return "paramètre incorrect";                               // ERROR_INVALID_PARAMETER
    case 121: return "délai dépassé";                                    // ERROR_SEM_TIMEOUT
    case 123: return "nom de fichier ou de périphérique incorrect";       // ERROR_INVALID_NAME
    case 170: return "la ressource est occupée";                         // ERROR_BUSY
    case 206: return "nom de fichier trop long";                         // ERROR_FILENAME_EXCED_RANGE
    case 995: return "opération abandonnée";                             // ERROR_OPERATION_ABORTED
    case 1117: return "erreur d'entrée-sortie sur le périphérique";      // ERROR_IO_DEVICE
    case 1167: return "le périphérique n'est pas connecté";              // ERROR_DEVICE_NOT_CONNECTED
    case 1460: return "délai dépassé";                                   // ERROR_TIMEOUT
    default: break;
  }
  char tampon[24];
  return "erreur Windows n° " + std::string(tampon, std::to_chars(tampon, tampon + sizeof tampon, code).ptr);
}

}  // namespace zor
