// A device of the ports class in wine's registry, as a USB adapter's driver installs one: its
// friendly name and its COM number (PortName). wine has no such device of its own; cli.sh
// makes one to see zor-cli.exe name it as the Device Manager does, then removes it.
//   port-factice.exe creer NOM_DU_PORT NOM_AFFICHE | supprimer
#include <windows.h>

#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// The devices this tool makes carry this description.
constexpr wchar_t kDescription[] = L"Port factice de zor-cli";

int creer(const std::wstring& port, const std::wstring& nom) {
  const HDEVINFO ensemble = ::SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr);
  SP_DEVINFO_DATA info{};
  info.cbSize = sizeof info;
  if (!::SetupDiCreateDeviceInfoW(ensemble, L"Ports", &GUID_DEVCLASS_PORTS, kDescription, nullptr, DICD_GENERATE_ID,
                                  &info) ||
      !::SetupDiSetDeviceRegistryPropertyW(ensemble, &info, SPDRP_FRIENDLYNAME, reinterpret_cast<const BYTE*>(nom.c_str()),
                                           static_cast<DWORD>((nom.size() + 1) * sizeof(wchar_t))) ||
      !::SetupDiRegisterDeviceInfo(ensemble, &info, 0, nullptr, nullptr, nullptr)) {
    std::fprintf(stderr, "port-factice : échec %lu\n", ::GetLastError());
    return 1;
  }
  const HKEY cle = ::SetupDiCreateDevRegKeyW(ensemble, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, nullptr, nullptr);
  if (cle == INVALID_HANDLE_VALUE) return 1;
  ::RegSetValueExW(cle, L"PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(port.c_str()),
                   static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(cle);
  ::SetupDiDestroyDeviceInfoList(ensemble);
  return 0;
}

int supprimer() {
  const HDEVINFO ensemble = ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, 0);
  SP_DEVINFO_DATA info{};
  info.cbSize = sizeof info;
  for (DWORD i = 0; ::SetupDiEnumDeviceInfo(ensemble, i, &info); ++i) {
    wchar_t description[256] = L"";
    ::SetupDiGetDeviceRegistryPropertyW(ensemble, &info, SPDRP_DEVICEDESC, nullptr, reinterpret_cast<BYTE*>(description),
                                        sizeof description - sizeof description[0], nullptr);
    if (std::wcscmp(description, kDescription) == 0) ::SetupDiRemoveDevice(ensemble, &info);
  }
  ::SetupDiDestroyDeviceInfoList(ensemble);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wcscmp(argv[1], L"creer") == 0) return creer(argv[2], argv[3]);
  if (argc == 2 && std::wcscmp(argv[1], L"supprimer") == 0) return supprimer();
  std::fputs("usage : port-factice.exe creer NOM_DU_PORT NOM_AFFICHE | supprimer\n", stderr);
  return 2;
}
