#include "tests/support/seams.h"

namespace zor::test {

Repondeur ScriptMessages::repondeur() {
  return [this](const DemandeMessage& demande) {
    vus_.push_back(demande);
    if (reponses_.empty()) return Reponse::Ok;
    const Reponse r = reponses_.front();
    reponses_.pop_front();
    return r;
  };
}

app::DialogueOuverture ScriptOuverture::dialogue() {
  return [this](const app::DemandeOuverture& demande) -> std::optional<std::string> {
    vus_.push_back(demande);
    if (reponses_.empty()) return std::nullopt;
    std::optional<std::string> choix = reponses_.front();
    reponses_.pop_front();
    return choix;
  };
}

}  // namespace zor::test
