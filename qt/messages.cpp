#include "qt/messages.h"

#include <QApplication>
#include <QMessageBox>

#include "qt/cp1252.h"

namespace zor::qt {
namespace {

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

Reponse afficherMessage(const DemandeMessage& demande, QWidget* parent) {
  // Centred on the window the user is working in (the about box has its own message), else
  // on the main window.
  if (QApplication::activeWindow() != nullptr) parent = QApplication::activeWindow();
  QMessageBox boite(iconeQt(demande.icone), depuisUtf8(demande.titre), depuisUtf8(demande.texte), QMessageBox::NoButton,
                    parent);
  if (demande.boutons == Boutons::OkCancel) {
    boite.addButton(QMessageBox::Ok);
    boite.addButton(QMessageBox::Cancel);
    boite.setDefaultButton(QMessageBox::Ok);
    boite.setEscapeButton(QMessageBox::Cancel);
  } else {
    boite.addButton(QMessageBox::Ok);
    boite.setEscapeButton(QMessageBox::Ok);
  }
  boite.exec();
  if (demande.boutons == Boutons::Ok) return Reponse::Ok;
  return boite.clickedButton() == boite.button(QMessageBox::Ok) ? Reponse::Ok : Reponse::Cancel;
}

}  // namespace zor::qt
