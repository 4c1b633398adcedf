// The serial ports of a Linux machine, read from the kernel's own lists without opening any
// device: opening one could already change its lines.
#include "serial/ports_posix.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace zor::serie {
namespace {

namespace fs = std::filesystem;

// One line of a sysfs attribute, its line end and blanks around it removed; control
// characters (a device names itself as it likes) become blanks.
std::string attribut(const fs::path& fichier) {
  std::ifstream flux(fichier, std::ios::binary);
  std::string texte(256, '\0');
  flux.read(texte.data(), static_cast<std::streamsize>(texte.size()));
  texte.resize(static_cast<std::size_t>(std::max<std::streamsize>(flux.gcount(), 0)));
  if (const auto fin = texte.find('\n'); fin != std::string::npos) texte.resize(fin);
  for (char& c : texte)
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') c = ' ';
  const auto debut = texte.find_first_not_of(' ');
  if (debut == std::string::npos) return {};
  return texte.substr(debut, texte.find_last_not_of(' ') - debut + 1);
}

bool commencePar(const std::string& nom, const char* debut) { return nom.rfind(debut, 0) == 0; }

// What stands behind a terminal: the USB device above it, when there is one, names it.
struct Materiel {
  std::string description;
  bool usb = false;
};

Materiel materiel(const fs::path& terminal) {
  Materiel m;
  std::error_code ec;
  fs::path dossier = fs::canonical(terminal / "device", ec);
  for (int niveau = 0; !ec && niveau < 8 && dossier.has_relative_path() && dossier.filename() != "devices"; ++niveau) {
    if (fs::exists(dossier / "idVendor", ec)) {
      m.usb = true;
      m.description = attribut(dossier / "product");
      if (m.description.empty()) m.description = attribut(dossier / "manufacturer");
      break;
    }
    dossier = dossier.parent_path();
  }
  return m;
}

}  // namespace

std::vector<PortSerie> portsDuSysteme(const fs::path& classeTty, const fs::path& parIdentifiant) {
  std::vector<PortTrouve> trouves;
  std::error_code ec;
  for (fs::directory_iterator i(classeTty, ec), fin; !ec && i != fin; i.increment(ec)) {
    const fs::path& terminal = i->path();
    const std::string nom = terminal.filename().string();
    std::error_code e;
    // The consoles and the pseudo-terminals have no device behind them.
    if (!fs::exists(terminal / "device", e)) continue;
    // The serial driver declares its slots whatever the machine has: a slot without a circuit
    // behind it says its type is 0 ("unknown").
    if (fs::exists(terminal / "type", e) && attribut(terminal / "type") == "0") continue;
    Materiel m = materiel(terminal);
    const bool adaptateur = m.usb || commencePar(nom, "ttyUSB") || commencePar(nom, "ttyACM");
    trouves.push_back({{"/dev/" + nom, std::move(m.description)}, nom, adaptateur});
  }
  // udev names every USB adapter there; one the kernel's list missed is still a port.
  ec.clear();
  for (fs::directory_iterator i(parIdentifiant, ec), fin; !ec && i != fin; i.increment(ec)) {
    std::error_code e;
    const fs::path cible = fs::canonical(i->path(), e);
    if (e) continue;
    const std::string peripherique = cible.string();
    const bool connu = std::any_of(trouves.begin(), trouves.end(),
                                   [&](const PortTrouve& t) { return t.port.peripherique == peripherique; });
    if (!connu) trouves.push_back({{peripherique, ""}, cible.filename().string(), true});
  }
  return ordonnerPorts(std::move(trouves));
}

std::vector<PortSerie> portsPresents() { return portsDuSysteme(); }

}  // namespace zor::serie
