// The serial port on Windows where no receiver is needed: a port that is absent or no serial
// port at all ends in its French sentence with the system's own code, and the ports the drivers
// announce are listed in the order of the port numbers. (cli.sh drives a real port, COM1, and
// names a port device as the Device Manager does.)
#include <windows.h>

#include <string>
#include <vector>

#include "core/erreur.h"
#include "serial/liaison.h"
#include "serial/peripherique.h"
#include "tests/windows/verification.h"

namespace zor::verif {
namespace {

VERIF(un_port_absent_ou_qui_n_est_pas_un_port_se_dit_en_francais) {
  struct Cas {
    serie::PortDesigne port;
    Erreur::Genre genre;
    const char* phrase;
  };
  const Cas cas[] = {
      {{0, "COM200", ""}, Erreur::Genre::PortIntrouvable,
       "Le port de communication COM200 est introuvable : le système ne trouve pas ce fichier ou ce port."},
      {{0, "\\\\.\\NUL", ""}, Erreur::Genre::PasUnPort, "Le port de communication \\\\.\\NUL n'est pas un port série : "},
  };
  for (const Cas& c : cas) {
    const serie::Ouverture o = serie::ouvertureReelle()(c.port, serie::kReglagesGps);
    if (!EXIGER(o.erreur.has_value() && o.liaison == nullptr)) continue;
    EXIGER(o.erreur->genre == c.genre);
    EXIGER(o.erreur->codeWindows != 0);
    const std::string texte = decrire(*o.erreur);
    EXIGER_EGAL(texte.substr(0, std::string(c.phrase).size()), std::string(c.phrase));
  }
}

VERIF(les_ports_presents_sont_ceux_des_pilotes_par_numero) {
  HKEY cle = nullptr;
  if (!EXIGER(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &cle, nullptr) == ERROR_SUCCESS))
    return;
  const std::wstring ajouts[][2] = {{L"\\Device\\ZorEssai12", L"COM12"}, {L"\\Device\\ZorEssai7", L"COM7"}};
  for (const auto& [nom, port] : ajouts)
    RegSetValueExW(cle, nom.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(port.c_str()),
                   static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)));
  const std::vector<serie::PortSerie> ports = serie::portsPresents();
  for (const auto& ajout : ajouts) RegDeleteValueW(cle, ajout[0].c_str());
  RegCloseKey(cle);

  std::vector<std::string> noms;
  for (const serie::PortSerie& p : ports) noms.push_back(p.peripherique);
  std::string vus;
  for (const std::string& n : noms) vus += n + " ";
  std::size_t sept = noms.size(), douze = noms.size();
  for (std::size_t i = 0; i < noms.size(); ++i) {
    if (noms[i] == "COM7") sept = i;
    if (noms[i] == "COM12") douze = i;
  }
  EXIGER(sept < noms.size());
  EXIGER(douze < noms.size());
  if (!EXIGER(sept < douze)) constater(false, "ordre", vus, __FILE__, __LINE__);
  // A driver's own device name (\Device\Serial0) is nothing the user knows the port by.
  if (douze < ports.size()) EXIGER_EGAL(ports[douze].description, std::string());
}

}  // namespace
}  // namespace zor::verif
