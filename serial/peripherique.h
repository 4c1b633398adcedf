#pragma once
// From the port the user picked to the device the system knows. Behind CommN, in this order:
// $ZOR_COMMn; the user's zor.conf ([ports] CommN=/dev/...); the N-th serial port found on the
// machine, USB adapters first; /dev/ttyS(N-1). Windows names its ports itself: COMn.
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/erreur.h"

namespace zor::serie {

// "Comm1" … "Comm4", compared exactly, case included; any other text chooses nothing.
std::optional<int> choixPort(const QString& texteComm);

// A device typed into the port list by its absolute path, where the system has no COM names.
std::optional<std::string> peripheriqueTape(const QString& texteComm);

// A serial port that exists on this machine.
struct PortSerie {
  std::string peripherique;  // "/dev/ttyUSB0"
  std::string description;   // "CP2102 USB to UART Bridge Controller", possibly empty
};

// The ports that exist, in the order CommN takes them.
using DetectionPorts = std::function<std::vector<PortSerie>()>;
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
  std::filesystem::path configuration;  // Configuration: the file that said it
  std::optional<int> erreurConfiguration;  // zor.conf exists but could not be read (errno, or 0)
};

Correspondance correspondance(int numero, const DetectionPorts& detection = portsPresents);

// The device of port `numero` (1 to 4).
std::string peripheriqueDuPort(int numero, const DetectionPorts& detection = portsPresents);

// Where the device of port `numero` came from: "variable d'environnement ZOR_COMM1",
// "fichier /home/…/zor.conf", "port détecté", "par défaut".
std::string origineEnFrancais(const Correspondance& c, int numero);

// The French description of a failure, with, for a port that could not be opened, the ports
// that exist, where the port's device came from and how to map one in zor.conf.
std::string decrireEchec(const Erreur& erreur, const DetectionPorts& detection = portsPresents);

}  // namespace zor::serie
