// The serial ports of a Windows machine, as its Device Manager shows them: the present devices
// of the ports class through SetupAPI, each with its friendly name, the COM number in its
// device key (PortName) and its problem code (CM_Get_DevNode_Status); then the ports every
// started driver announces under HKLM\HARDWARE\DEVICEMAP\SERIALCOMM with no such device
// behind them (a virtual port, wine's).
#include "platform/windows_leger.h"

#include <cfgmgr32.h>
// The ports class GUID defined here: mingw-w64 has no library that holds it.
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>

#include "platform/texte_windows.h"
#include "serial/ports_windows.h"

namespace zor::serie {
namespace {

// A REG_SZ may come without its final zero, or with several.
std::string texteRegistre(const wchar_t* donnee, DWORD octets) {
  std::size_t longueur = octets / sizeof(wchar_t);
  while (longueur > 0 && donnee[longueur - 1] == L'\0') --longueur;
  return platform::utf8({donnee, longueur});
}

std::string propriete(HDEVINFO ensemble, SP_DEVINFO_DATA& info, DWORD quoi) {
  wchar_t donnee[512];
  DWORD type = 0, octets = 0;
  if (!::SetupDiGetDeviceRegistryPropertyW(ensemble, &info, quoi, &type, reinterpret_cast<BYTE*>(donnee),
                                           sizeof donnee - sizeof donnee[0], &octets) ||
      type != REG_SZ)
    return {};
  return texteRegistre(donnee, octets);
}

std::string nomDuPort(HDEVINFO ensemble, SP_DEVINFO_DATA& info) {
  const HKEY cle = ::SetupDiOpenDevRegKey(ensemble, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
  if (cle == INVALID_HANDLE_VALUE) return {};
  wchar_t donnee[64];
  DWORD type = 0, octets = sizeof donnee - sizeof donnee[0];
  std::string nom;
  if (::RegQueryValueExW(cle, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(donnee), &octets) == ERROR_SUCCESS &&
      type == REG_SZ)
    nom = texteRegistre(donnee, octets);
  ::RegCloseKey(cle);
  return nom;
}

std::vector<PortDuGestionnaire> portsDuGestionnaire() {
  std::vector<PortDuGestionnaire> ports;
  const HDEVINFO ensemble = ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (ensemble == INVALID_HANDLE_VALUE) return ports;
  SP_DEVINFO_DATA info{};
  info.cbSize = sizeof info;
  for (DWORD i = 0; ::SetupDiEnumDeviceInfo(ensemble, i, &info); ++i) {
    PortDuGestionnaire p;
    p.nom = propriete(ensemble, info, SPDRP_FRIENDLYNAME);
    if (p.nom.empty()) p.nom = propriete(ensemble, info, SPDRP_DEVICEDESC);
    p.nomPort = nomDuPort(ensemble, info);
    ULONG etat = 0, probleme = 0;
    if (::CM_Get_DevNode_Status(&etat, &probleme, info.DevInst, 0) == CR_SUCCESS && (etat & DN_HAS_PROBLEM) != 0)
      p.probleme = probleme;
    ports.push_back(std::move(p));
  }
  ::SetupDiDestroyDeviceInfoList(ensemble);
  return ports;
}

std::vector<std::string> portsAnnonces() {
  std::vector<std::string> ports;
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
    if (r == ERROR_SUCCESS && type == REG_SZ) ports.push_back(texteRegistre(donnee, octets));
  }
  ::RegCloseKey(cle);
  return ports;
}

}  // namespace

std::vector<PortSerie> portsPresents() { return portsDuSysteme(portsDuGestionnaire(), portsAnnonces()); }

}  // namespace zor::serie
