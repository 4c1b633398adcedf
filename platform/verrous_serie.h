#pragma once
// Who holds a serial device, on the POSIX systems: the lock files (LCK..name) through which
// programs such as minicom reserve a port, and the advisory lock (flock) that picocom and
// others take on the device itself. Windows opens its ports exclusively and needs neither.
#include <optional>
#include <string>

namespace zor::platform {

// A lock file through which a running program reserves the device; nothing when there is
// none, or when the program that wrote it has ended (a stale lock does not count), or when it
// names this very process (a port already open here: its flock answers).
std::optional<std::string> verrouActif(const std::string& peripherique);

// Removes the lock files of the device whose program has ended, where this user may.
void leverVerrousPerimes(const std::string& peripherique);

// Once the device is open and held: a lock file naming this process, in the first lock folder
// this user may write in, for the programs that look there. Its path, or empty when none
// could be written (no such folder, or another file in its place): the flock still holds
// the port then.
std::string poserVerrou(const std::string& peripherique);

// Removes the file poserVerrou() wrote, if it still names this process.
void retirerVerrou(const std::string& chemin);

// Right after the device opened: the exclusive advisory lock other serial programs take on it,
// whatever path names it. 0, EBUSY when another program holds it, or the system's error number.
int verrouillerPeripherique(int descripteur);

}  // namespace zor::platform
