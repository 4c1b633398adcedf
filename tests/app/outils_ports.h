#pragma once
// What the port tests share: the environment and zor.conf under the test's control, and a
// device under the window's serial control that tells what it was asked.
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/horloge.h"
#include "serial/liaison.h"

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

// What the window's serial control did with its device.
struct Appareil {
  std::vector<std::string> ouverts;
  std::string ecrit;
  std::optional<std::string> introuvable;  // this device cannot be opened
  std::deque<std::string> arrivees;         // each read takes the next one
  std::function<void()> surEcriture;
  std::function<void()> surLecture;
  Horloge* horloge = nullptr;     // a fake clock that each wait moves on
};

serie::FabriqueLiaison fabrique(Appareil& appareil);

}  // namespace zor::test
