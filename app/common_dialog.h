#pragma once
// The common dialog control: a file name, a filter in its Windows form
// ("description|pattern|description|pattern|"), a title, a default extension and a modal
// open-file dialog, which the front end shows. Only the open dialog of `ouverture` is ever shown.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zor::app {

struct Filtre {
  std::string description;  // "g7towin ou ZOR (*.txt)"
  std::string motifs;       // "*.txt", several apart by ";"
};

struct DemandeOuverture {
  std::string titre;
  std::vector<Filtre> filtres;
  std::string extensionParDefaut;
  std::string fichierActuel;  // UTF-8 path, possibly empty
};

// The modal open-file dialog: the chosen path (UTF-8), or nothing for Cancel.
using DialogueOuverture = std::function<std::optional<std::string>(const DemandeOuverture&)>;

// "desc|pat|desc|pat|" → its entries; a trailing '|' adds none.
std::vector<Filtre> filtreVersListe(std::string_view filtreWindows);

class CommonDialog {
 public:
  std::string FileName;  // UTF-8 path
  std::string Filter;
  std::string DialogTitle;
  std::string DefaultExt;

  // On success FileName holds the full path chosen; a cancelled dialog leaves it unchanged.
  // Cancelling raises no error.
  void ShowOpen(const DialogueOuverture& dialogue);
};

}  // namespace zor::app
