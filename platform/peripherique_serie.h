#pragma once
// What differs between systems about a serial device: its name, and what a refusal or a cut
// means. The serial control asks here instead of asking the system itself.
#include <optional>
#include <string>
#include <string_view>

#include "platform/vidange_serie.h"

namespace zor::platform {

// The device of port 1 to 4: "COM1"... on Windows; elsewhere $ZOR_COMM1... or /dev/ttyS0...
std::string peripheriqueDuPort(int numero);

// After a refusal to open: whether the system forbids this user the device (rather than the
// device being in use). Never on Windows, which says "access denied" for a port in use.
bool accesInterdit(const std::string& peripherique);

// After a refusal to open: whether the name is something else than a device (a plain file, a
// folder). Windows cannot tell and says no.
bool pasUnPeripherique(const std::string& peripherique);

// After the link broke: what happened, when the system can tell ("le périphérique a disparu",
// "le périphérique a raccroché"); nothing on Windows.
std::optional<std::string> raisonCoupure(const std::string& peripherique, PoigneeSerie poignee);

// What to add to the message of a forbidden port: on Linux, serial devices belong to the
// dialout group; empty elsewhere.
std::string_view conseilAccesInterdit();

}  // namespace zor::platform
