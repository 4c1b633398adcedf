#include "platform/fin_programme.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace zor::platform {
namespace {
std::function<void()> observateurFin;
bool finObservee = false;
std::map<int, std::function<void()>>& fermetures() {
  static std::map<int, std::function<void()>> f;
  return f;
}
int prochainJeton = 1;
}  // namespace

void terminerProgramme() {
  // Copy first: a closer may unregister itself while we walk the list.
  auto aFermer = fermetures();
  fermetures().clear();
  for (auto& [jeton, fermer] : aFermer) fermer();
  if (observateurFin) {
    finObservee = true;
    observateurFin();
    return;
  }
  std::fflush(nullptr);
  std::_Exit(0);
}

bool finDemandee() { return finObservee; }

void observerFin(std::function<void()> observateur) {
  observateurFin = std::move(observateur);
  finObservee = false;
}

int ajouterFermeture(std::function<void()> fermer) {
  const int jeton = prochainJeton++;
  fermetures().emplace(jeton, std::move(fermer));
  return jeton;
}

void retirerFermeture(int jeton) { fermetures().erase(jeton); }

}  // namespace zor::platform
