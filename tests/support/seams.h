#pragma once
// The window's seams in the tests: message boxes answered by a script, the open dialog
// answered by a script, the end of the program observed. No toolkit.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/common_dialog.h"
#include "ihm/message.h"
#include "tests/support/outils.h"

namespace zor::test {

// Answers message boxes from a script (Ok when the script runs out) and records them.
class ScriptMessages {
 public:
  Repondeur repondeur();
  void repondre(Reponse reponse) { reponses_.push_back(reponse); }
  const std::vector<DemandeMessage>& vus() const { return vus_; }

 private:
  std::deque<Reponse> reponses_;
  std::vector<DemandeMessage> vus_;
};

// Answers the open dialog from a script: a path, or nothing for Cancel (Cancel when the
// script runs out). Records each request.
class ScriptOuverture {
 public:
  app::DialogueOuverture dialogue();
  void choisir(const std::string& chemin) { reponses_.push_back(chemin); }
  void annuler() { reponses_.push_back(std::nullopt); }
  const std::vector<app::DemandeOuverture>& vus() const { return vus_; }

 private:
  std::deque<std::optional<std::string>> reponses_;
  std::vector<app::DemandeOuverture> vus_;
};

// Observes the end of the program instead of ending the test process.
class ObservateurFin {
 public:
  std::function<void(int)> fin() {
    return [this](int code) {
      ++fois_;
      code_ = code;
    };
  }
  int fois() const { return fois_; }
  bool termine() const { return fois_ > 0; }
  int code() const { return code_; }  // the exit code of the last end

 private:
  int fois_ = 0;
  int code_ = 0;
};

}  // namespace zor::test
