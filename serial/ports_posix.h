#pragma once
// The serial ports of a Linux machine, as the kernel lists its terminals (/sys/class/tty) and
// udev names its adapters (/dev/serial/by-id).
#include <filesystem>
#include <vector>

#include "serial/peripherique.h"

namespace zor::serie {

// Every terminal of `classeTty` with a device behind it (not a console, not a pseudo-terminal)
// that is no empty slot of the serial driver, described by its USB device when it has one;
// then the devices the links of `parIdentifiant` lead to, when the first list missed them. In
// the order CommN takes them (ordonnerPorts).
std::vector<PortSerie> portsDuSysteme(const std::filesystem::path& classeTty = "/sys/class/tty",
                                      const std::filesystem::path& parIdentifiant = "/dev/serial/by-id");

}  // namespace zor::serie
