#pragma once
// The words of zor-cli's help that depend on the system it runs on.
#include <string_view>

namespace zor::platform {

struct TextesSysteme {
  std::string_view exemplePort;       // a serial device as the user names it: "/dev/ttyUSB0", "COM5"
  std::string_view codesArret;        // the exit codes of a run the user stopped: "130, 143 ou 129"
  std::string_view arrets;            // what stops it: "Ctrl+C, SIGTERM ou SIGHUP"
  std::string_view fichiersLF;        // the files whose lines end with a lone LF
  bool tubesEtLiens;                  // FIFOs, and other users' symbolic links in shared folders
  bool simulateur;                    // zor-sim, the simulated receiver, exists here
};

const TextesSysteme& textesSysteme();

}  // namespace zor::platform
