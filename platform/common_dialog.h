#pragma once
// The common dialog control: a file name, a filter in its Windows form
// ("description|pattern|description|pattern|"), a title, a default extension and a modal
// open-file dialog. Only the open dialog of `ouverture` is ever shown.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace zor::platform {

struct DemandeOuverture {
  QString titre;
  QStringList filtres;  // in the toolkit's form, "description (pattern)"
  QString extensionParDefaut;
  QString fichierActuel;
};

class CommonDialog {
 public:
  QString FileName;
  QString Filter;
  QString DialogTitle;
  QString DefaultExt;

  // Shows the dialog; the real one (afficherOuverture) unless a test hands in its own.
  std::function<std::optional<QString>(const DemandeOuverture&)> dialogue;

  // Modal open-file dialog. On success FileName holds the full path chosen; a cancelled
  // dialog leaves FileName unchanged. Cancelling raises no error.
  void ShowOpen(QWidget* parent = nullptr);
};

// The real modal open-file dialog: the chosen path, or nothing for Cancel.
std::optional<QString> afficherOuverture(const DemandeOuverture& demande, QWidget* parent = nullptr);

// "desc|pat|desc|pat|" → {"desc (pat)", ...}; a trailing '|' adds no entry.
QStringList filtreVersListe(const QString& filtreWindows);

}  // namespace zor::platform
