// Drive C: and the serial devices on systems other than Windows, where they come from the
// environment and the file system.
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include "platform/drive_c.h"
#include "platform/peripherique_serie.h"
#include "tests/windows/verification.h"

namespace zor::verif {
namespace {

std::optional<std::string> lireVariable(const char* nom) {
  const char* v = std::getenv(nom);
  return v == nullptr ? std::nullopt : std::optional<std::string>(v);
}

void remettre(const char* nom, const std::optional<std::string>& valeur) {
  if (valeur) ::setenv(nom, valeur->c_str(), 1);
  else ::unsetenv(nom);
}

VERIF(le_lecteur_c_tient_sans_environnement_dans_un_dossier_supprime) {
  const auto lecteur = lireVariable("ZOR_DRIVE_C");
  const auto personnel = lireVariable("HOME");
  const auto avant = std::filesystem::current_path();
  const auto disparu = dossierTemporaire() / "disparu";
  std::filesystem::create_directories(disparu);
  std::filesystem::current_path(disparu);
  std::filesystem::remove(disparu);
  ::unsetenv("ZOR_DRIVE_C");
  ::unsetenv("HOME");

  std::optional<std::filesystem::path> c;
  try {
    c = platform::dossierLecteurC();
  } catch (...) {
  }
  const bool place = EXIGER(c.has_value()) && EXIGER(c->is_absolute());
  if (place) EXIGER(platform::cheminLocal("c:\\zor.txt").is_absolute());

  std::filesystem::current_path(avant);
  remettre("ZOR_DRIVE_C", lecteur);
  remettre("HOME", personnel);
}

VERIF(le_port_n_est_zor_commn_ou_ttys) {
  const auto variable = lireVariable("ZOR_COMM2");
  ::unsetenv("ZOR_COMM2");
  EXIGER_EGAL(platform::peripheriqueDuPort(2), "/dev/ttyS1");
  ::setenv("ZOR_COMM2", "/dev/gps", 1);
  EXIGER_EGAL(platform::peripheriqueDuPort(2), "/dev/gps");
  remettre("ZOR_COMM2", variable);
}

}  // namespace
}  // namespace zor::verif
