#include "platform/common_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zor::platform {
QStringList filtreVersListe(const QString& filtreWindows) {
  const QStringList morceaux = filtreWindows.split(QLatin1Char('|'));
  QStringList liste;
  for (qsizetype i = 0; i + 1 < morceaux.size(); i += 2) {
    const QString& description = morceaux[i];
    QString motif = morceaux[i + 1];
    if (description.isEmpty() && motif.isEmpty()) continue;
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

std::optional<QString> afficherOuverture(const DemandeOuverture& demande, QWidget* parent) {
  QFileDialog fenetre(parent, demande.titre);
  fenetre.setAcceptMode(QFileDialog::AcceptOpen);
  fenetre.setFileMode(QFileDialog::ExistingFile);
  fenetre.setNameFilters(demande.filtres);
  fenetre.setDefaultSuffix(demande.extensionParDefaut);
  if (!demande.fichierActuel.isEmpty()) fenetre.selectFile(demande.fichierActuel);
  if (fenetre.exec() == QDialog::Accepted && !fenetre.selectedFiles().isEmpty()) return fenetre.selectedFiles().constFirst();
  return std::nullopt;
}

void CommonDialog::ShowOpen(QWidget* parent) {
  const DemandeOuverture demande{DialogTitle, filtreVersListe(Filter), DefaultExt, FileName};
  const std::optional<QString> choisi = dialogue ? dialogue(demande) : afficherOuverture(demande, parent);
  if (choisi && !choisi->isEmpty()) FileName = QFileInfo(*choisi).absoluteFilePath();
}

}  // namespace zor::platform
