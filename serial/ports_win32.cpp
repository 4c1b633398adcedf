// The serial ports of a Windows machine, as its drivers announce them: every port a driver
// has started (built-in, USB adapter, Bluetooth) writes its name under
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, the driver's device as the value's name, "COM3" as its data.
#include <algorithm>
#include <cwchar>
#include <tuple>

#include "platform/texte_windows.h"
#include "platform/windows_leger.h"
#include "serial/peripherique.h"

namespace zor::serie {
namespace {

// "COM10" after "COM2".
std::tuple<std::string, long, std::string> cleDeTri(const std::string& nom) {
  std::size_t chiffres = nom.size();
  while (chiffres > 0 && nom[chiffres - 1] >= '0' && nom[chiffres - 1] <= '9') --chiffres;
  long numero = -1;
  if (chiffres < nom.size() && nom.size() - chiffres < 9) numero = std::stol(nom.substr(chiffres));
  return {nom.substr(0, chiffres), numero, nom};
}

}  // namespace

std::vector<PortSerie> portsPresents() {
  std::vector<PortSerie> ports;
  HKEY cle = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &cle) != ERROR_SUCCESS)
    return ports;
  for (DWORD i = 0;; ++i) {
    wchar_t nom[256];
    wchar_t donnee[256];
    DWORD longueurNom = sizeof nom / sizeof nom[0];
    DWORD octets = sizeof donnee - sizeof donnee[0];
    DWORD type = 0;
    const LSTATUS r = ::RegEnumValueW(cle, i, nom, &longueurNom, nullptr, &type, reinterpret_cast<BYTE*>(donnee), &octets);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS || type != REG_SZ) continue;
    // A REG_SZ may come without its final zero.
    std::size_t longueur = octets / sizeof donnee[0];
    while (longueur > 0 && donnee[longueur - 1] == L'\0') --longueur;
    if (longueur == 0) continue;
    // Port names and device names are ASCII; anything else would be shown, not opened.
    ports.push_back({platform::utf8({donnee, longueur}), platform::utf8({nom, longueurNom})});
  }
  ::RegCloseKey(cle);
  std::sort(ports.begin(), ports.end(),
            [](const PortSerie& a, const PortSerie& b) { return cleDeTri(a.peripherique) < cleDeTri(b.peripherique); });
  return ports;
}

}  // namespace zor::serie
