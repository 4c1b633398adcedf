#pragma once
// From the port the user picked to the device the system knows. Behind CommN, in this order:
// $ZOR_COMMn; the user's zor.conf ([ports] CommN=/dev/...); the N-th serial port found on the
// machine, USB adapters first; /dev/ttyS(N-1). Windows names its ports itself: COMn. What the
// user typed is read in choix_port.h; what they are told when a port fails, in conseils_port.h.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/erreur.h"
#include "serial/choix_port.h"

namespace zor::serie {

// A serial port that exists on this machine.
struct PortSerie {
  std::string peripherique;  // "/dev/ttyUSB0"
  std::string description;   // "CP2102 USB to UART Bridge Controller", possibly empty
  std::string probleme = {};  // what keeps its driver from running, in French; empty when it runs
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

}  // namespace zor::serie
