#include "tests/about/outils_apropos.h"

#include <atomic>
#include <cstdlib>
#include <unistd.h>

#include "about/lancement.h"
#include "tests/support/outils.h"

namespace zor::test {

RegistreTemporaire::RegistreTemporaire() {
  static std::atomic<int> compteur{0};
  fichier_ = std::filesystem::temp_directory_path() /
             ("zor-registre-" + std::to_string(::getpid()) + "-" + std::to_string(compteur++) + ".reg");
  variable_.emplace("ZOR_REGISTRY", fichier_.string());
}

RegistreTemporaire::~RegistreTemporaire() {
  variable_.reset();
  std::error_code ec;
  std::filesystem::remove(fichier_, ec);
}

void RegistreTemporaire::ecrire(std::string_view contenu) const { ecrireOctets(fichier_, contenu); }

void RegistreTemporaire::supprimer() const {
  std::error_code ec;
  std::filesystem::remove(fichier_, ec);
}

apropos::Lanceur LanceurObserve::lanceur() {
  return [this](const std::filesystem::path& chemin) {
    lances_.push_back(chemin);
    return reussit;
  };
}

}  // namespace zor::test
