#pragma once
// From the port the user picked to the device the system knows.
#include <QString>
#include <optional>
#include <string>

namespace zor::serie {

// "Comm1" … "Comm4", compared exactly, case included; any other text chooses nothing.
std::optional<int> choixPort(const QString& texteComm);

// COMn on Windows; elsewhere $ZOR_COMMn when set, else /dev/ttyS(n-1).
std::string peripheriqueDuPort(int numero);

}  // namespace zor::serie
