#pragma once
// What the about box's tests control in place of the system: the registry store file and the
// start of a process.
#include <filesystem>

#include "about/lancement.h"
#include "tests/support/outils.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zor::test {

// A temporary stand-in registry file, named by $ZOR_REGISTRY for its lifetime.
class RegistreTemporaire {
 public:
  RegistreTemporaire();
  ~RegistreTemporaire();
  // Replaces the file's bytes.
  void ecrire(std::string_view contenu) const;
  // Removes the file: every lookup fails.
  void supprimer() const;
  const std::filesystem::path& fichier() const { return fichier_; }

 private:
  std::filesystem::path fichier_;
  std::optional<VariableEnvironnement> variable_;
};

// Observes the start of programs instead of starting them.
class LanceurObserve {
 public:
  // What the about box is handed in place of the real start.
  apropos::Lanceur lanceur();
  // What the next starts report.
  bool reussit = true;
  const std::vector<std::filesystem::path>& lances() const { return lances_; }

 private:
  std::vector<std::filesystem::path> lances_;
};

}  // namespace zor::test
