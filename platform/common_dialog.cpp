#include "platform/common_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zor::platform {
namespace {
std::function<std::optional<QString>(const DemandeOuverture&)> repondeurOuverture;
}

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

void CommonDialog::ShowOpen(QWidget* parent) {
  DemandeOuverture demande{DialogTitle, filtreVersListe(Filter), DefaultExt, FileName};
  std::optional<QString> choisi;
  if (repondeurOuverture) {
    choisi = repondeurOuverture(demande);
  } else {
    QFileDialog dialogue(parent, demande.titre);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    dialogue.setNameFilters(demande.filtres);
    dialogue.setDefaultSuffix(DefaultExt);
    if (!FileName.isEmpty()) dialogue.selectFile(FileName);
    if (dialogue.exec() == QDialog::Accepted && !dialogue.selectedFiles().isEmpty())
      choisi = dialogue.selectedFiles().constFirst();
  }
  if (choisi && !choisi->isEmpty()) FileName = QFileInfo(*choisi).absoluteFilePath();
}

void remplacerDialogueOuverture(std::function<std::optional<QString>(const DemandeOuverture&)> repondeur) {
  repondeurOuverture = std::move(repondeur);
}

}  // namespace zor::platform
