#pragma once
// What differs between systems about a serial device: its name, what a refusal to open or a
// cut means, who holds it. The serial control asks here instead of asking the system itself.
#include <optional>
#include <string>

#include "platform/erreur.h"
#include "platform/vidange_serie.h"

namespace zor::platform {

// The device of port 1 to 4: "COM1"... on Windows; elsewhere $ZOR_COMM1... or /dev/ttyS0...
std::string peripheriqueDuPort(int numero);

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

// Why an open device stopped answering: ENODEV when it has gone, EIO after a hang-up, 0 when
// the system does not say.
int raisonCoupure(const std::string& peripherique, PoigneeSerie poignee);

}  // namespace zor::platform
