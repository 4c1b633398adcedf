#pragma once
// From the port the user picked to the device the system knows. Behind CommN, in this order:
// $ZOR_COMMn; the user's zor.conf ([ports] CommN=/dev/...); the N-th serial port found on the
// machine, USB adapters first; /dev/ttyS(N-1). Windows names its ports itself: COMn.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/erreur.h"

namespace zor::serie {

// "Comm1" … "Comm4", compared exactly, case included; any other text chooses nothing.
std::optional<int> choixPort(std::string_view texteComm);

// A device typed into the port list: its absolute path ("/dev/ttyUSB0"), or on Windows its
// port name ("COM5", "\\.\COM12").
std::optional<std::string> peripheriqueTape(std::string_view texteComm);

// A serial port that exists on this machine.
struct PortSerie {
  std::string peripherique;  // "/dev/ttyUSB0"
  std::string description;   // "CP2102 USB to UART Bridge Controller", possibly empty
};

// The ports that exist, in the order CommN takes them.
using DetectionPorts = std::function<std::vector<PortSerie>()>;
// The machine's own (the kernel's lists on Linux: serial/ports_posix.cpp; the drivers' list on
// Windows: serial/ports_win32.cpp).
std::vector<PortSerie> portsPresents();

// A port as the system lists it, before it takes its place.
struct PortTrouve {
  PortSerie port;
  std::string nom;   // "ttyUSB0"
  bool adaptateur;   // a USB or ACM adapter
};
// Adapters first, then the built-in ports; each group by name, numbers in their order
// ("ttyUSB2" before "ttyUSB10"), so CommN stays the same device from one run to the next.
std::vector<PortSerie> ordonnerPorts(std::vector<PortTrouve> ports);

enum class Origine { Environnement, Configuration, Detection, Defaut, Systeme };

struct Correspondance {
  std::string peripherique;         // empty when zor.conf could not be read
  Origine origine = Origine::Defaut;
  std::filesystem::path configuration;     // Configuration: the file that said it
  std::optional<Erreur> erreurConfiguration;  // zor.conf exists but could not be read (it names the port)
};

Correspondance correspondance(int numero, const DetectionPorts& detection);

// Where the device of port `numero` came from, the one wording of the tooltips, zor-cli ports
// and the messages: "variable d'environnement ZOR_COMM1", "fichier /home/…/zor.conf",
// "port détecté", "par défaut".
std::string origineEnFrancais(const Correspondance& c, int numero);

// "/dev/ttyUSB0 — CP2102, port détecté": the device behind port `numero`, what the machine
// calls it and where it came from (the tooltip of each item of the port list).
std::string descriptionPort(int numero, const std::vector<PortSerie>& presents);

// "Ports série présents :\n  /dev/ttyUSB0 — CP2102\n  /dev/ttyS0", or the sentence saying there
// is none. `details` gives lines to put under a port (each with its line end).
std::string listePorts(const std::vector<PortSerie>& ports,
                       const std::function<std::string(const PortSerie&)>& details = {});

// The French description of a failure, with, for a port that could not be opened, where the
// port's device came from, the ports that exist and how to map one in zor.conf.
std::string decrireEchec(const Erreur& erreur, const DetectionPorts& detection);

}  // namespace zor::serie
