#include "tests/serial/configuration_ports.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "tests/support/outils.h"

namespace zor::test {
namespace {

void poserVariable(const std::string& nom, const std::optional<std::string>& valeur) {
  if (valeur) ::setenv(nom.c_str(), valeur->c_str(), 1);
  else ::unsetenv(nom.c_str());
}

}  // namespace

ConfigurationPorts::ConfigurationPorts() {
  static std::atomic<int> compteur{0};
  dossier_ = std::filesystem::temp_directory_path() /
             ("zor-conf-" + std::to_string(::getpid()) + "-" + std::to_string(compteur++));
  std::filesystem::remove_all(dossier_);
  std::filesystem::create_directories(dossier_ / "zor");
  std::vector<std::string> noms = {"XDG_CONFIG_HOME", "ZOR_COMM1", "ZOR_COMM2", "ZOR_COMM3", "ZOR_COMM4"};
  for (const std::string& nom : noms) {
    const char* v = std::getenv(nom.c_str());
    anciennes_.emplace_back(nom, v ? std::optional<std::string>(v) : std::nullopt);
    ::unsetenv(nom.c_str());
  }
  ::setenv("XDG_CONFIG_HOME", dossier_.c_str(), 1);
}

ConfigurationPorts::~ConfigurationPorts() {
  for (const auto& [nom, valeur] : anciennes_) poserVariable(nom, valeur);
  std::error_code ec;
  std::filesystem::remove_all(dossier_, ec);
}

void ConfigurationPorts::variable(int numero, const std::string& peripherique) {
  ::setenv(("ZOR_COMM" + std::to_string(numero)).c_str(), peripherique.c_str(), 1);
}

void ConfigurationPorts::fichier(const std::string& contenu) { ecrireOctets(chemin(), contenu); }

}  // namespace zor::test
