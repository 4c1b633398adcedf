#pragma once
// One failure record for the whole program: what failed, the system's error number captured
// right after the failing call, and the object it concerns (a port and its device, a file and
// its path). decrire() turns it into the one French sentence that the window and zor-cli both
// show; no text shown to the user comes from the system's own (English) messages.
#include <exception>
#include <string>
#include <string_view>

namespace zor {

struct Erreur {
  enum class Genre {
    // The serial port.
    PortIntrouvable,       // no such device
    PortOccupe,            // another program holds it
    PortVerrouille,        // a lock file of a running program reserves it
    PortInterdit,          // the user may not open it
    PasUnPort,             // the path exists but is no serial device
    PortRefuse,            // any other failure to open or set up the port
    LiaisonCoupee,         // the device failed or vanished while open
    DonneesNonParties,     // the last bytes written could not leave the device
    Silence,               // nothing arrived for too long
    SansFinDeLigne,        // bytes arrive but no CR: never one to start from, or a line far too long
    TropDEnregistrements,  // the receiver never came back to its second record
    PositionEnvoyee,       // the receiver sends its position (NMEA output), not its waypoints
    PasDuTexte,            // what arrives is not text: the line runs at another speed
    ListeSansRetour,       // the list came round, but not its second record: a byte damaged on the way
    Interruption,          // the user stopped the transfer (Ctrl+C, SIGTERM)
    // Files.
    FichierIllisible,      // a file to read could not be opened or read
    FichierNonCreable,     // a file to write could not be created
    FichierNonEcrit,       // writing (or closing) a file failed
    FichierNonOrdinaire,   // a file to read is a pipe, a device or a folder (detail: which, when known)
    SortieNonOrdinaire,    // a file only a regular file may stand for (c:\zor.txt) is a pipe or a device (detail: which)
    LienDUnAutre,          // a symbolic link another user made in a folder others may write (detail: who)
    DossierFerme,          // a file that could be written, in a folder that takes no new file beside it
    MemeFichier,           // the output is the input itself
    TubeSansLecteur,       // a pipe to write into that no program reads
    AttenteInterrompue,    // the user stopped the program while a pipe to write into waited for its reader
    FichierEnEcriture,     // another program writes the file right now
    LigneTropLongue,       // a line to send far longer than any sentence
    PhrasesDouteuses,      // lines to send that are no $GPWPL sentence with a right checksum
    GpxInvalide,           // a GPX file is no well-formed XML or holds a point that is no position
    // Anything.
    MemoireInsuffisante,
  };

  Genre genre = Genre::PortRefuse;
  int numeroSysteme = 0;     // errno right after the failing call; 0 when the system said nothing
  unsigned long codeWindows = 0;  // GetLastError() right after a failing Windows call; 0 otherwise

  // The port: shown as "Comm2 (/dev/ttyUSB0)", or its device alone when it was named directly.
  int numeroPort = 0;
  std::string peripherique;
  std::string origine;       // where the device came from ("fichier ~/.config/zor/zor.conf"); may be empty
  std::string verrou;        // PortVerrouille: the lock file

  // The file: as the program names it ("c:\zor.txt") and, when it differs, its path here.
  std::string fichier;
  std::string chemin;
  long long ligne = 0;       // LigneTropLongue, GpxInvalide, PhrasesDouteuses: the line of the file, counted from 1
  // GpxInvalide, FichierIllisible (a configuration): what is wrong there, in French; PositionEnvoyee: the
  // sentences seen; FichierNonOrdinaire, SortieNonOrdinaire: what it is; LienDUnAutre: the link's owner
  std::string detail;

  long long dureeMs = 0;     // Silence, SansFinDeLigne: the bound that passed
  // TropDEnregistrements: the bound on stored reads; LigneTropLongue, SansFinDeLigne: bytes (a
  // SansFinDeLigne without it was bounded by time); PhrasesDouteuses: how many lines
  long long limite = 0;
};

// A failure on its way up to the level that reports it.
class Echec : public std::exception {
 public:
  explicit Echec(Erreur erreur) : erreur_(std::move(erreur)) {}
  const char* what() const noexcept override { return "zor::Echec"; }
  const Erreur& erreur() const noexcept { return erreur_; }
  Erreur& erreur() noexcept { return erreur_; }

 private:
  Erreur erreur_;
};

// Records for the two kinds of object.
Erreur erreurFichier(Erreur::Genre genre, std::string fichier, int numeroSysteme, std::string chemin = {});
Erreur erreurPort(Erreur::Genre genre, int numeroPort, std::string peripherique, int numeroSysteme = 0);

// The French sentence(s) for the user, in UTF-8: what failed, on which object, the system's
// reason in French, and what to do.
std::string decrire(const Erreur& erreur);

// A name as the user gave it (a file, a device, a description a device gives of itself), fit to
// be shown on a terminal: control characters, C1 controls and bytes that are no UTF-8 written
// \xHH, so that no terminal takes them as commands and a message stays on its lines.
std::string nomLisible(std::string_view nom);

// The system's reason alone, in French: "plus de place sur le disque", "erreur système n° 1234".
std::string raisonSysteme(int numeroSysteme);

// A Windows error code (GetLastError()) in French: "accès refusé", "erreur Windows n° 1234".
std::string raisonWindows(unsigned long code);

// "30", or "0,5" when the duration is not a whole number of seconds.
std::string secondesEnFrancais(long long millisecondes);

}  // namespace zor
