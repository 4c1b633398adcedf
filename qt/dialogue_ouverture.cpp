#include "qt/dialogue_ouverture.h"

#include <QFileDialog>

#include "qt/cp1252.h"

namespace zor::qt {

QStringList filtresQt(const std::vector<app::Filtre>& filtres) {
  QStringList liste;
  for (const app::Filtre& f : filtres) {
    const QString description = depuisUtf8(f.description);
    QString motif = depuisUtf8(f.motifs);
    motif.replace(QLatin1Char(';'), QLatin1Char(' '));
    // The toolkit reads the patterns from the last parentheses: a description that already
    // shows its pattern is kept as it is.
    if (description.endsWith(QLatin1Char(')')) && description.contains(QStringLiteral("(") + motif + QLatin1Char(')')))
      liste << description;
    else
      liste << description + QStringLiteral(" (") + motif + QLatin1Char(')');
  }
  return liste;
}

std::optional<std::string> afficherOuverture(const app::DemandeOuverture& demande, QWidget* parent) {
  QFileDialog fenetre(parent, depuisUtf8(demande.titre));
  fenetre.setAcceptMode(QFileDialog::AcceptOpen);
  fenetre.setFileMode(QFileDialog::ExistingFile);
  fenetre.setNameFilters(filtresQt(demande.filtres));
  fenetre.setDefaultSuffix(depuisUtf8(demande.extensionParDefaut));
  if (!demande.fichierActuel.empty()) fenetre.selectFile(depuisUtf8(demande.fichierActuel));
  if (fenetre.exec() == QDialog::Accepted && !fenetre.selectedFiles().isEmpty())
    return versUtf8(fenetre.selectedFiles().constFirst());
  return std::nullopt;
}

}  // namespace zor::qt
