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

QString texteDeBoite(const std::string& utf8) {
  const QString texte = depuisUtf8(utf8);
  QString resultat;
  resultat.reserve(texte.size());
  qsizetype debut = 0;
  while (debut < texte.size()) {
    qsizetype fin = debut;
    while (fin < texte.size() && !texte.at(fin).isSpace()) ++fin;
    const QStringView mot = QStringView(texte).mid(debut, fin - debut);
    if (mot.contains(u'/') || mot.contains(u'\\')) {
      // A word joiner between every two characters: the line breaks before or after the path.
      for (qsizetype i = 0; i < mot.size(); ++i) {
        if (i > 0) resultat += QChar(0x2060);
        resultat += mot.at(i);
      }
    } else {
      resultat += mot;
    }
    while (fin < texte.size() && texte.at(fin).isSpace()) resultat += texte.at(fin++);
    debut = fin;
  }
  return resultat;
}

Reponse afficherMessage(const DemandeMessage& demande, QWidget* parent) {
  // Centred on the window the user is working in (the about box has its own message), else
  // on the main window.
  if (QApplication::activeWindow() != nullptr) parent = QApplication::activeWindow();
  QMessageBox boite(iconeQt(demande.icone), depuisUtf8(demande.titre), texteDeBoite(demande.texte), QMessageBox::NoButton,
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
