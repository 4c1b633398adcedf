#pragma once
// The environment and zor.conf under the test's control.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zor::test {

// ZOR_COMM1…4 unset and XDG_CONFIG_HOME on a fresh folder for its lifetime; the user's own
// settings come back afterwards.
class ConfigurationPorts {
 public:
  ConfigurationPorts();
  ~ConfigurationPorts();
  void variable(int numero, const std::string& peripherique);
  // Writes zor.conf with this text.
  void fichier(const std::string& contenu);
  std::filesystem::path chemin() const { return dossier_ / "zor" / "zor.conf"; }

 private:
  std::filesystem::path dossier_;
  std::vector<std::pair<std::string, std::optional<std::string>>> anciennes_;
};

}  // namespace zor::test
