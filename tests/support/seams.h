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
#include "tests/support/outils.h"

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

}  // namespace zor::test
