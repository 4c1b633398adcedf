#pragma once
// Test helpers without any toolkit: a fake clock, environment variables and a drive C: folder
// set for a test's lifetime, whole files read and written as bytes.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/horloge.h"

namespace zor::test {

// A clock that never blocks: each pause only moves its time forward and is recorded.
class HorlogeFactice : public Horloge {
 public:
  void dormir(std::chrono::milliseconds duree) override;
  Instant maintenant() override { return t_; }
  void avancer(std::chrono::milliseconds duree) { t_ += duree; }
  // Moves on to `instant` (never back): a wait that ends when something arrives.
  void allerA(Instant instant) {
    if (instant > t_) t_ = instant;
  }
  const std::chrono::milliseconds& totalDormi() const { return total_; }
  int nombrePauses() const { return pauses_; }

 private:
  Instant t_{};
  std::chrono::milliseconds total_{0};
  int pauses_ = 0;
};

// One environment variable set (or removed, with nothing) for its lifetime, then put back.
class VariableEnvironnement {
 public:
  VariableEnvironnement(std::string nom, const std::optional<std::string>& valeur);
  ~VariableEnvironnement();
  VariableEnvironnement(const VariableEnvironnement&) = delete;
  VariableEnvironnement& operator=(const VariableEnvironnement&) = delete;

 private:
  std::string nom_;
  std::optional<std::string> ancienne_;
};

// A fresh folder standing for drive C: ($ZOR_DRIVE_C) for its lifetime.
class LecteurCTemporaire {
 public:
  LecteurCTemporaire();
  ~LecteurCTemporaire();
  const std::filesystem::path& chemin() const { return dossier_; }

 private:
  std::filesystem::path dossier_;
  std::optional<VariableEnvironnement> variable_;
};

std::string lireOctets(const std::filesystem::path& chemin);
void ecrireOctets(const std::filesystem::path& chemin, std::string_view octets);

// The file a download's message says it kept what came in ("... gardé(s) dans CHEMIN ; ..." or
// "... dans CHEMIN."); empty when it names none.
std::filesystem::path secoursAnnonce(const std::string& message);
// Readable and writable by its owner alone (0600).
bool seulementPourMoi(const std::filesystem::path& chemin);

}  // namespace zor::test
