#include "platform/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace zor::platform {
namespace {
QPointer<QWidget> parentMessages;

QMessageBox::Icon iconeQt(Icone icone) {
  switch (icone) {
    case Icone::Question: return QMessageBox::Question;
    case Icone::Information: return QMessageBox::Information;
    case Icone::Avertissement: return QMessageBox::Warning;
    case Icone::Critique: return QMessageBox::Critical;
    case Icone::Aucune: break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

Reponse MsgBox(const Repondeur& repondeur, const QString& texte, Boutons boutons, Icone icone, const QString& titre) {
  const DemandeMessage demande{texte, titre, boutons, icone};
  return repondeur ? repondeur(demande) : afficherMessage(demande);
}

Reponse afficherMessage(const DemandeMessage& demande) {
  const auto& [texte, titre, boutons, icone] = demande;

  // Centred on the window the user is working in (the about box has its own message), else
  // on the main window.
  QWidget* parent = QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : parentMessages.data();
  QMessageBox boite(iconeQt(icone), titre, texte, QMessageBox::NoButton, parent);
  if (boutons == Boutons::OkCancel) {
    boite.addButton(QMessageBox::Ok);
    boite.addButton(QMessageBox::Cancel);
    boite.setDefaultButton(QMessageBox::Ok);
    boite.setEscapeButton(QMessageBox::Cancel);
  } else {
    boite.addButton(QMessageBox::Ok);
    boite.setEscapeButton(QMessageBox::Ok);
  }
  boite.exec();
  if (boutons == Boutons::Ok) return Reponse::Ok;
  return boite.clickedButton() == boite.button(QMessageBox::Ok) ? Reponse::Ok : Reponse::Cancel;
}

void definirParentMessages(QWidget* parent) { parentMessages = parent; }

}  // namespace zor::platform
