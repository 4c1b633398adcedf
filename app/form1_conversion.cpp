// "Rechercher Fichier": one conversion run. The run itself (reader, counter, sentences,
// interchange file) lives in convert/; here are only the window's steps around it.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <filesystem>
#include <string>

#include "app/form1.h"
#include "convert/conversion.h"
#include "platform/chemins_qt.h"
#include "platform/cp1252.h"
#include "platform/drive_c.h"
#include "platform/messages.h"

namespace zor::app {

void Form1::ouvrir_Click() {
  nombre1->hide();
  Typef->hide();
  nom->hide();
  fenetre->show();
  lire->hide();
  definirCaption(result, QStringLiteral(" "));
  const conversion::FormatEntree* format = conversion::formatSelonTexte(nom->currentText().toStdString());
  if (format != nullptr && format->filtreSeul) ouverture.Filter = QString::fromStdString(std::string(format->filtre));

  // Whatever the dialog does, even when the user cancels, the run goes on with its FileName.
  try {
    ouverture.ShowOpen(this);
  } catch (...) {
  }

  // The run's echo is shown once at its end: nothing repaints while it runs anyway, and one
  // caption change costs far less than one per sentence.
  std::string echo;
  long long nombreLu = 0;
  bool echec = false;
  try {
    const conversion::TypeEntree type = conversion::typeSelonTexte(nom->currentText().toStdString());
    const conversion::Mode mode = profil->isChecked() ? conversion::Mode::Profil : conversion::Mode::Waypoint;
    nombreLu = conversion::convertirVersFichier(type, platform::cheminDepuisQString(ouverture.FileName),
                                                platform::cheminLocal(ecriture.FileName.toStdString()), mode, &echo);
  } catch (...) {
    // The failure path says nothing; every file of the run is already closed.
    echec = true;
  }
  // Appended as the bytes they are: the echo costs what the sentences cost, once.
  if (fenetre->tailleOctets() == 0)
    fenetre->definirOctets(std::move(echo));
  else
    fenetre->ajouterOctets(echo);
  std::string().swap(echo);
  if (echec) return;

  ecrire->show();
  nombre->show();
  quant1->show();
  definirCaption(quant1, QString::number(nombreLu));
  if (nombreLu == 0) {
    Typef->show();
    nom->show();
    ouvrir->show();
    ecrire->hide();
    quant1->hide();
    fenetre->hide();
    MsgBox(QString::fromUtf8(conversion::kMessageSansEnregistrement.data(),
                                       static_cast<qsizetype>(conversion::kMessageSansEnregistrement.size())),
                     platform::Boutons::Ok, platform::Icone::Question,
                     QString::fromUtf8(conversion::kTitreSansEnregistrement.data(),
                                       static_cast<qsizetype>(conversion::kTitreSansEnregistrement.size())));
  }
}

}  // namespace zor::app
