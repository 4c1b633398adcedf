#include "app/common_dialog.h"

#include <filesystem>
#include <system_error>

#include "platform/chemins.h"

namespace zor::app {

std::vector<Filtre> filtreVersListe(std::string_view filtre) {
  std::vector<std::string_view> morceaux;
  for (;;) {
    const std::size_t barre = filtre.find('|');
    morceaux.push_back(filtre.substr(0, barre));
    if (barre == std::string_view::npos) break;
    filtre.remove_prefix(barre + 1);
  }
  std::vector<Filtre> liste;
  for (std::size_t i = 0; i + 1 < morceaux.size(); i += 2) {
    if (morceaux[i].empty() && morceaux[i + 1].empty()) continue;
    liste.push_back({std::string(morceaux[i]), std::string(morceaux[i + 1])});
  }
  return liste;
}

void CommonDialog::ShowOpen(const DialogueOuverture& dialogue) {
  if (!dialogue) return;
  const std::optional<std::string> choisi = dialogue({DialogTitle, filtreVersListe(Filter), DefaultExt, FileName});
  if (!choisi || choisi->empty()) return;
  std::error_code ec;
  const std::filesystem::path complet = std::filesystem::absolute(platform::cheminDepuisUtf8(*choisi), ec);
  FileName = ec ? *choisi : platform::utf8DuChemin(complet);
}

}  // namespace zor::app
