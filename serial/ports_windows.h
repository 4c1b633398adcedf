#pragma once
// The serial ports of a Windows machine as its Device Manager shows them to users: each port
// device under its own name (« Prolific USB-to-Serial Comm Port (COM5) ») with the COM number
// Windows gave it, and what keeps its driver from running. Written without any system call, so
// that it builds and is tested everywhere; serial/ports_win32.cpp asks Windows.
#include <string>
#include <vector>

#include "serial/peripherique.h"

namespace zor::serie {

// A device of the ports class, as SetupAPI describes it.
struct PortDuGestionnaire {
  std::string nomPort;  // its registry's PortName: "COM5" (empty when it has none)
  std::string nom;      // its friendly name, or its description
  unsigned long probleme = 0;  // its problem code (CM_PROB_…); 0: it runs
};

// A problem code of the Device Manager, in French: "ce périphérique ne peut pas démarrer (code 10)".
std::string problemePilote(unsigned long code);

// The ports to list, COM numbers in their order ("COM2" before "COM10"): the devices of the
// ports class that are COM ports (not LPT), then the ports the drivers announce with no such
// device behind them (`annonces`: from HARDWARE\DEVICEMAP\SERIALCOMM; wine's, a virtual port).
std::vector<PortSerie> portsDuSysteme(const std::vector<PortDuGestionnaire>& gestionnaire,
                                      const std::vector<std::string>& annonces);

}  // namespace zor::serie
