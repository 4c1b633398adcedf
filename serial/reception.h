#pragma once
// The waypoint download: the receiver repeats its records; the program drops everything up to
// the first CR, then reads up to 64 characters every 400 ms until the second record comes round
// again, and tells the receiver to stop with the character of code 26.
#include <chrono>
#include <optional>
#include <string>

#include "serial/affichage.h"
#include "serial/panne.h"
#include "serial/port.h"

namespace zor::serie {

inline constexpr unsigned long kPauseEntrePassages = 400;  // ms
inline constexpr std::chrono::seconds kSilenceMax{30};
inline constexpr int kLongueurLecture = 64;
inline constexpr std::size_t kLongueurEnregistrement = 62;

struct BilanReception {
  std::string collecte;  // the stored reads, joined, exactly as they came
  int stockes = 0;       // how many reads were stored
  std::optional<Panne> panne;
};

// Sets up and opens the port (the port number when one was chosen), synchronises, collects and
// sends 26. The port is left open for the caller to close after writing the file, except after
// a port failure, when it is already closed. When nothing arrives for `silenceMax` the download
// stops with a Silence panne, keeping what it collected (and still sends 26).
BilanReception recevoir(Port& port, std::optional<int> numeroPort, const Affichage& affichage,
                        std::chrono::milliseconds silenceMax = kSilenceMax);

}  // namespace zor::serie
