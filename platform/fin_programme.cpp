#include "platform/fin_programme.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace zor::platform {
namespace {
std::map<int, std::function<void()>>& fermetures() {
  static std::map<int, std::function<void()>> f;
  return f;
}
int prochainJeton = 1;
}  // namespace

void fermerFichiersEnregistres() {
  // Copy first: a closer may unregister itself while we walk the list.
  auto aFermer = fermetures();
  fermetures().clear();
  for (auto& [jeton, fermer] : aFermer) fermer();
}

void terminerProgramme() {
  fermerFichiersEnregistres();
  std::fflush(nullptr);
  std::_Exit(0);
}

int ajouterFermeture(std::function<void()> fermer) {
  const int jeton = prochainJeton++;
  fermetures().emplace(jeton, std::move(fermer));
  return jeton;
}

void retirerFermeture(int jeton) { fermetures().erase(jeton); }

}  // namespace zor::platform
