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

VERIF(un_port_est_un_peripherique_caractere_qui_peut_disparaitre) {
  const auto variable = lireVariable("ZOR_COMM2");
  ::unsetenv("ZOR_COMM2");
  EXIGER_EGAL(platform::peripheriqueDuPort(2), "/dev/ttyS1");
  ::setenv("ZOR_COMM2", "/dev/gps", 1);
  EXIGER_EGAL(platform::peripheriqueDuPort(2), "/dev/gps");
  remettre("ZOR_COMM2", variable);

  const auto fichier = dossierTemporaire() / "pas-un-port";
  ecrireFichier(fichier, "x");
  struct Cas {
    std::string chemin;
    int numeroSysteme;
    Erreur::Genre genre;
  };
  // A refusal the library could not name: something else than a device is "not a port"; an
  // absent name is a port not found.
  const Cas cas[] = {{fichier.string(), 0, Erreur::Genre::PasUnPort},
                     {dossierTemporaire().string(), EISDIR, Erreur::Genre::PasUnPort},
                     {(dossierTemporaire() / "absent").string(), ENOENT, Erreur::Genre::PortIntrouvable},
                     {"/dev/null", EIO, Erreur::Genre::PortRefuse}};
  for (const Cas& c : cas)
    EXIGER(platform::genreEchecOuverture(platform::EchecOuverture::Autre, c.chemin, c.numeroSysteme) == c.genre);

  EXIGER_EGAL(platform::raisonCoupure((dossierTemporaire() / "absent").string(), -1), ENODEV);
  EXIGER_EGAL(platform::raisonCoupure("/dev/null", -1), 0);
}

}  // namespace
}  // namespace zor::verif
