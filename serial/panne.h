#pragma once
// What went wrong during a transfer, in terms the user can act on: which port or file, the
// system's own reason, and what kind of trouble it is. The window shows it in a message box,
// zor-cli prints it.
#include <QString>
#include <string>

namespace zor::serie {

struct Panne {
  enum class Genre {
    PortIntrouvable,   // no such device
    PortOccupe,        // another program holds it
    PortInterdit,      // the user may not open it
    PasUnPort,         // the path exists but is no serial device
    PortRefuse,        // any other failure to open or set up the port
    LiaisonCoupee,     // the device failed or vanished while open
    Silence,           // nothing arrived for too long
    FichierIllisible,  // a file to read could not be read
    FichierNonCreable, // the download file could not be created
    FichierNonEcrit,   // writing the download file failed
  };

  Genre genre = Genre::PortRefuse;
  int numeroPort = 0;         // shown as "Comm2"; 0 when the device was named directly
  std::string peripherique;   // the device, or the file as the program names it ("c:\zor.txt")
  std::string chemin;         // a file's path on this system, when it differs from the name
  std::string raison;         // the system's own words, as it gave them
  long long silenceMs = 0;    // for Silence: how long nothing arrived
};

// One French paragraph telling the user what happened and what to do about it.
QString decrire(const Panne& panne);

}  // namespace zor::serie
