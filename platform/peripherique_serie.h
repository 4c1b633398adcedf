#pragma once
// What differs between systems about a serial device: its name, what a refusal to open or a
// cut means, who holds it. The serial control asks here instead of asking the system itself.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/erreur.h"
#include "platform/vidange_serie.h"

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

// A text that names a device by its absolute path ("/dev/ttyUSB0"); never on Windows.
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

// How the serial library said an opening failed.
enum class EchecOuverture { Introuvable, Permission, NonSupporte, DejaOuvert, Autre };

// The kind of failure the user is told about, from the library's word and the system's own
// look at the device. `numeroSysteme` is errno right after the failing call.
Erreur::Genre genreEchecOuverture(EchecOuverture echec, const std::string& peripherique, int numeroSysteme);

// A lock file (LCK..name) through which a running program reserves the device; nothing when
// there is none, or when the program that wrote it has ended (a stale lock does not count).
std::optional<std::string> verrouActif(const std::string& peripherique);

// The name to open the device by. A stale lock that this user may not remove (another user's,
// in the shared lock folder) would make the serial library refuse the port although nobody
// uses it: the device is then opened by an equivalent name ("/dev/./ttyUSB0"), whose lock
// file is another one.
std::string nomDOuverture(const std::string& peripherique);

// Right after the device opened: the exclusive advisory lock other serial programs take on it
// (flock, as picocom does), whatever path names it. 0, EBUSY when another program holds it, or
// the system's error number. Nothing to do on Windows, whose ports open exclusively.
int verrouillerPeripherique(PoigneeSerie poignee);

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

// Why an open device stopped answering: ENODEV when it has gone, EIO after a hang-up, 0 when
// the system does not say.
int raisonCoupure(const std::string& peripherique, PoigneeSerie poignee);

}  // namespace zor::platform
