#pragma once
// What differs between systems about a serial device: its name, the user's file that maps
// the ports, its other names, whether this user may open it. The serial control asks here
// instead of asking the system itself.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zor::platform {

// The device of port 1 to 4 by the system's own rule: "COM1"... on Windows; elsewhere
// $ZOR_COMM1... or /dev/ttyS0... The serial layer puts the user's file and the ports it finds
// between the two (serial/peripherique.h).
std::string peripheriqueDuPort(int numero);

// Whether the system names its ports itself (COM1... on Windows): the port number is then the
// whole story, and no other device is looked for.
bool portsNommesParLeSysteme();

// $ZOR_COMMn when set and not empty.
std::optional<std::string> peripheriqueDeLEnvironnement(int numero);

// The device of port n when nothing says otherwise: /dev/ttyS(n-1), COMn on Windows.
std::string peripheriqueParDefaut(int numero);

// A text that names a device directly: by its absolute path ("/dev/ttyUSB0"); on Windows by
// its port name ("COM5", any case) or in the device namespace ("\\.\COM12").
bool estCheminDePeripherique(std::string_view texte);

// The user's configuration file: $XDG_CONFIG_HOME/zor/zor.conf, by default
// ~/.config/zor/zor.conf; empty on Windows and when neither variable gives a folder.
std::filesystem::path fichierConfiguration();

// A small file read whole: the user's zor.conf, a lock file. Opened without blocking (a pipe
// or a device in its place is not waited on) and, with `sansLien`, without following a
// symbolic link; only a regular file of at most `max` bytes is read.
struct PetitFichier {
  enum class Etat { Lu, Absent, PasOrdinaire, TropGrand, Illisible };
  Etat etat = Etat::Illisible;
  int numeroSysteme = 0;  // Illisible: errno of the failing call
  std::string contenu;
};
PetitFichier lirePetitFichier(const std::filesystem::path& chemin, std::size_t max, bool sansLien = false);

// The other names of a device: the links of /dev/serial/by-id (or of `dossier`) that lead to it.
std::vector<std::string> nomsParIdentifiant(const std::string& peripherique,
                                            const std::filesystem::path& dossier = "/dev/serial/by-id");

// Whether this user may open the device: 0, or why not (ENOENT: it does not exist, EACCES…).
int accesPeripherique(const std::string& peripherique);

// Who owns a device and which group may use it, by name, for the advice given to a user who
// may not open it; nothing where the system does not say (Windows).
struct Proprietaire {
  std::string utilisateur;
  std::string groupe;
};
std::optional<Proprietaire> proprietaireDuPeripherique(const std::string& peripherique);

}  // namespace zor::platform
