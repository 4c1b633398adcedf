#include "tests/support/seams.h"

#include "platform/fin_programme.h"

namespace zor::test {

platform::Repondeur ScriptMessages::repondeur() {
  return [this](const platform::DemandeMessage& demande) {
    vus_.push_back(demande);
    if (reponses_.empty()) return platform::Reponse::Ok;
    const platform::Reponse r = reponses_.front();
    reponses_.pop_front();
    return r;
  };
}

std::function<std::optional<QString>(const platform::DemandeOuverture&)> ScriptOuverture::dialogue() {
  return [this](const platform::DemandeOuverture& demande) -> std::optional<QString> {
    vus_.push_back(demande);
    if (reponses_.empty()) return std::nullopt;
    const Choix choix = reponses_.front();
    reponses_.pop_front();
    if (choix.annule) return std::nullopt;
    return choix.chemin;
  };
}

std::function<void()> ObservateurFin::fin() {
  return [this] {
    platform::fermerFichiersEnregistres();
    ++fois_;
  };
}

}  // namespace zor::test
