// A serial device's system side on Windows: COMn names, what a refusal means.
#include "platform/peripherique_serie.h"

#include <cstdlib>

#include <fstream>
#include <system_error>

namespace zor::platform {

std::string peripheriqueDuPort(int numero) { return "COM" + std::to_string(numero); }

bool portsNommesParLeSysteme() { return true; }

std::optional<std::string> peripheriqueDeLEnvironnement(int) { return std::nullopt; }

std::string peripheriqueParDefaut(int numero) { return peripheriqueDuPort(numero); }

bool estCheminDePeripherique(std::string_view texte) {
  // "\\.\COM10", "\\.\CNCA0": any device in the system's own namespace.
  if (texte.size() > 4 && texte.substr(0, 4) == "\\\\.\\") return true;
  // "COM3", in any case, as the system writes its ports: COM1 to COM255.
  if (texte.size() < 4 || texte.size() > 6) return false;
  for (std::size_t i = 0; i < 3; ++i)
    if ((texte[i] | 0x20) != "com"[i]) return false;
  if (texte[3] == '0') return false;
  int numero = 0;
  for (const char c : texte.substr(3)) {
    if (c < '0' || c > '9') return false;
    numero = numero * 10 + (c - '0');
  }
  return numero >= 1 && numero <= 255;
}

std::filesystem::path fichierConfiguration() { return {}; }

std::optional<Proprietaire> proprietaireDuPeripherique(const std::string&) { return std::nullopt; }

std::vector<std::string> nomsParIdentifiant(const std::string&, const std::filesystem::path&) { return {}; }

int accesPeripherique(const std::string&) { return 0; }

PetitFichier lirePetitFichier(const std::filesystem::path& chemin, std::size_t max, bool sansLien) {
  PetitFichier f;
  std::error_code ec;
  const auto etat = sansLien ? std::filesystem::symlink_status(chemin, ec) : std::filesystem::status(chemin, ec);
  if (!std::filesystem::exists(etat)) {
    f.etat = ec && ec != std::errc::no_such_file_or_directory ? PetitFichier::Etat::Illisible : PetitFichier::Etat::Absent;
    f.numeroSysteme = ec.value();
    return f;
  }
  if (!std::filesystem::is_regular_file(etat)) {
    f.etat = PetitFichier::Etat::PasOrdinaire;
    return f;
  }
  std::ifstream flux(chemin, std::ios::binary);
  if (!flux) {
    f.numeroSysteme = EACCES;
    return f;
  }
  f.contenu.resize(max + 1);
  flux.read(f.contenu.data(), static_cast<std::streamsize>(max + 1));
  f.contenu.resize(static_cast<std::size_t>(flux.gcount()));
  if (flux.bad()) {
    f.numeroSysteme = EIO;
    return f;
  }
  f.etat = f.contenu.size() > max ? PetitFichier::Etat::TropGrand : PetitFichier::Etat::Lu;
  if (f.etat != PetitFichier::Etat::Lu) f.contenu.clear();
  return f;
}

}  // namespace zor::platform
