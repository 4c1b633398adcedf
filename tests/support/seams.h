#pragma once
// Test seams: everything a test must control in place of the user and the system.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/common_dialog.h"
#include "platform/messages.h"
#include "platform/horloge.h"

namespace zor::test {

// Answers message boxes from a script (Ok when the script runs out) and records them.
class ScriptMessages {
 public:
  // What the window is handed in place of the real boxes.
  platform::Repondeur repondeur();
  void repondre(platform::Reponse reponse) { reponses_.push_back(reponse); }
  const std::vector<platform::DemandeMessage>& vus() const { return vus_; }

 private:
  std::deque<platform::Reponse> reponses_;
  std::vector<platform::DemandeMessage> vus_;
};

// Answers the open dialog from a script: a path, or nothing for Cancel (Cancel when the
// script runs out). Records each request.
class ScriptOuverture {
 public:
  std::function<std::optional<QString>(const platform::DemandeOuverture&)> dialogue();
  void choisir(const QString& chemin) { reponses_.push_back({false, chemin}); }
  void annuler() { reponses_.push_back({true, QString()}); }
  const std::vector<platform::DemandeOuverture>& vus() const { return vus_; }

 private:
  struct Choix {
    bool annule;
    QString chemin;
  };
  std::deque<Choix> reponses_;
  std::vector<platform::DemandeOuverture> vus_;
};

// Observes the end of the program instead of ending the test process: the registered files
// are closed, and the process goes on.
class ObservateurFin {
 public:
  std::function<void()> fin();
  int fois() const { return fois_; }
  bool termine() const { return fois_ > 0; }

 private:
  int fois_ = 0;
};

// A clock that never blocks: each pause only moves its time forward and is recorded.
class HorlogeFactice : public platform::Horloge {
 public:
  void dormir(std::chrono::milliseconds duree) override;
  platform::Instant maintenant() override { return t_; }
  void avancer(std::chrono::milliseconds duree) { t_ += duree; }
  // Moves on to `instant` (never back): a wait that ends when something arrives.
  void allerA(platform::Instant instant) {
    if (instant > t_) t_ = instant;
  }
  const std::chrono::milliseconds& totalDormi() const { return total_; }
  int nombrePauses() const { return pauses_; }

 private:
  platform::Instant t_{};
  std::chrono::milliseconds total_{0};
  int pauses_ = 0;
};

// A fresh folder standing for drive C: ($ZOR_DRIVE_C) for its lifetime.
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

}  // namespace zor::test
