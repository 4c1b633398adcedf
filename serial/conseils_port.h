#pragma once
// What the user is told about serial ports, in French: the ports this machine has, and, when a
// port cannot be opened, why and what to do (which port to give instead, the line for zor.conf,
// the group to join).
#include <functional>
#include <string>
#include <vector>

#include "core/erreur.h"
#include "serial/choix_port.h"
#include "serial/peripherique.h"

namespace zor::serie {

// "Ports série présents :\n  /dev/ttyUSB0 — CP2102\n  /dev/ttyS0", or the sentence saying there
// is none; a port whose driver does not run says why. `details` gives lines to put under a port
// (each with its line end).
std::string listePorts(const std::vector<PortSerie>& ports,
                       const std::function<std::string(const PortSerie&)>& details = {});

// The French description of a failure, with, for a port that could not be opened, where the
// port's device came from, the ports that exist and how to choose another: named as the user
// chose the port (`choix`: "Comm2" in the list, "--port 2"), or from the error when not given.
std::string decrireEchec(const Erreur& erreur, const DetectionPorts& detection, const ChoixPort& choix = {});

}  // namespace zor::serie
