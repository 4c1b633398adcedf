#pragma once
// What the system can tell about a serial device that would not open or stopped answering:
// the parts of the diagnosis that differ between Windows and other systems.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/erreur.h"

namespace zor::platform {

// How the serial library said an opening failed.
enum class EchecOuverture { Introuvable, Permission, NonSupporte, DejaOuvert, Autre };

// The kind of failure the user is told about, from the library's word and the system's own
// look at the device. `numeroSysteme` is errno right after the failing call.
Erreur::Genre genreEchecOuverture(EchecOuverture echec, const std::string& peripherique, int numeroSysteme);

// A lock file (LCK..name) through which a running program reserves the device; nothing when
// there is none, or when the program that wrote it has ended.
std::optional<std::string> verrouActif(const std::string& peripherique);

// Why an open device stopped answering: ENODEV when it has gone, EIO after a hang-up, 0 when
// the system does not say.
int raisonCoupure(const std::string& peripherique, std::intptr_t descripteur);

}  // namespace zor::platform
